#pragma once
// What every modeless window of the program shares (the sheets, the monthly
// summary, the tools, the calendar, the history, the station's climate): a
// window owned by the window that opened it, the main window at first, so
// that it stays above its owner and out of the task bar; it unloads (deletes
// itself) when it closes; showing it again brings it forward unchanged;
// closing it gives the focus back to the main window. Base is QWidget, or
// QDialog for the notes.

#include <QDialog>
#include <QWidget>

class AppContext;
class QCloseEvent;

template <class Base>
class ToolWindow : public Base {
 public:
  // Shows the window over `owner` (the main window when none is given), or
  // brings it forward unchanged when it is already shown, restored when it was
  // minimised. A closed window opened before from another window is owned by
  // `owner` from now on. `activate` false leaves the focus where it is.
  void mostra(QWidget* owner = nullptr, bool activate = true);

 protected:
  // `owner`: the window it first shows over, normally the main window.
  ToolWindow(AppContext& ctx, QWidget* owner, const char* name, const QString& title,
             Qt::WindowFlags flags = Qt::Window);

  // Asked before the window closes (typing not saved): false keeps it open.
  virtual bool mayClose() { return true; }
  // Told as the window closes, before it unloads.
  virtual void closing() {}

  // Refused while a modal window of its own is open: the code that opened
  // it still runs and would find this window gone.
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

  AppContext& ctx_;
};

namespace toolwindows {

// Whether one of Qt's modal boxes (a message box, a file or print dialog) is
// open over `window` or over a window it owns.

bool boxOpen(const QWidget* window);
// When `window` was last the active window: a later one has a higher number; 0 never.
qint64 lastActive(const QWidget* window);

}  // namespace toolwindows

extern template class ToolWindow<QWidget>;
extern template class ToolWindow<QDialog>;
