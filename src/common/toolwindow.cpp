#include "common/toolwindow.h"

#include <QApplication>
#include <QCloseEvent>

#include "common/appcontext.h"

namespace {

// Marks the windows that one of them may own.
constexpr char kOwned[] = "nubilario-owned-window";
// When a window was last active.
constexpr char kActive[] = "nubilario-last-active";

// A window owned by another is a dialog to the window manager: it stays above
// its owner, goes with it when the owner is minimised, and has no task-bar
// entry of its own. A window that asks for no particular buttons keeps those
// of an ordinary window.
Qt::WindowFlags ownedFlags(Qt::WindowFlags flags) {
  if (!(flags & Qt::CustomizeWindowHint) && !(flags & ~Qt::WindowType_Mask))
    flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
             Qt::WindowCloseButtonHint;
  return (flags & ~Qt::WindowType_Mask) | Qt::Dialog;
}

}  // namespace

template <class Base>
ToolWindow<Base>::ToolWindow(AppContext& ctx, QWidget* owner, const char* name,
                             const QString& title, Qt::WindowFlags flags)
    : Base(owner, ownedFlags(flags)), ctx_(ctx) {
  this->setObjectName(QLatin1String(name));
  this->setWindowTitle(title);
  this->setAttribute(Qt::WA_DeleteOnClose);
  this->setProperty(kOwned, true);
}

template <class Base>
void ToolWindow<Base>::mostra(QWidget* owner, bool activate) {
  if (!owner) owner = ctx_.existingMainWindow();
  if (owner && !this->isVisible() && this->parentWidget() != owner)
    this->setParent(owner, this->windowFlags());
  this->setWindowState(this->windowState() & ~Qt::WindowMinimized);
  // Without this the window manager gives a window the focus as it maps it.
  this->setAttribute(Qt::WA_ShowWithoutActivating, !activate);
  this->show();
  this->raise();
  if (activate) this->activateWindow();
}

template <class Base>
void ToolWindow<Base>::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && this->isActiveWindow()) {
    static qint64 activations = 0;
    this->setProperty(kActive, ++activations);
  }
  Base::changeEvent(event);
}

template <class Base>
void ToolWindow<Base>::closeEvent(QCloseEvent* event) {
  if (toolwindows::boxOpen(this)) {
    event->ignore();
    QApplication::beep();
    return;
  }
  if (!mayClose()) {
    event->ignore();
    return;
  }
  closing();
  // The windows it owns stay open, owned by the main window from now on.
  QWidget* main = ctx_.existingMainWindow();
  for (QObject* child : this->children()) {
    auto* owned = qobject_cast<QWidget*>(child);
    if (!main || !owned || !owned->property(kOwned).toBool()) continue;
    const bool shown = owned->isVisible();
    const QRect where = owned->geometry();
    owned->setParent(main, owned->windowFlags());
    owned->setGeometry(where);
    if (shown) owned->show();
  }

  // Accepted here: a dialog's own handling would take the close for a reject.
  event->accept();
  if (MainWindow* main = ctx_.existingMainWindow()) main->giveFocusBack();
}

template class ToolWindow<QWidget>;
template class ToolWindow<QDialog>;

namespace toolwindows {

bool boxOpen(const QWidget* window) {
  // Only Qt's own boxes: the program's modal windows (the print dialog) are
  // made to outlive the window that opened them, and may close it.
  const QWidget* box = QApplication::activeModalWidget();
  if (!box) return false;
  bool standard = false;
  for (const char* kind :
       {"QMessageBox", "QFileDialog", "QInputDialog", "QAbstractPrintDialog", "QPageSetupDialog"})
    standard = standard || box->inherits(kind);
  if (!standard) return false;
  for (const QWidget* w = box; w; w = w->parentWidget())
    if (w == window) return true;
  return false;
}

qint64 lastActive(const QWidget* window) { return window->property(kActive).toLongLong(); }

}  // namespace toolwindows
