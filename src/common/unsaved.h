#pragma once
// Closing a window that holds typing not yet saved asks first: "Salvare le
// modifiche?" with Sì (save as the window's own save command would), No
// (close without saving) and Annulla (keep the window). Where nothing is
// unsaved, closing is as it always was.

#include <QString>

class AppContext;
class QWidget;

// A window whose typing can be unsaved: the sheets, the monthly summary, the notes.
class UnsavedWork {
 public:
  virtual ~UnsavedWork() = default;
  virtual bool hasUnsavedChanges() const = 0;
  // Saves as the window's own save command does; false when nothing was
  // saved (the keeper cancelled a file dialog, or the write failed and was said).
  virtual bool saveChanges() = 0;
};

namespace unsaved {

inline const QString kQuestion = QStringLiteral("Salvare le modifiche?");
// Before the program ends, the window is named: "Salvare le modifiche alla
// finestra «Precipitazioni giornaliere»?".
QString questionNaming(const QWidget* window);
// "Chiudi (senza salvare)": the typing goes only once the keeper says so.
inline const QString kDiscardQuestion =
    QStringLiteral("Chiudere senza salvare? Le modifiche non salvate andranno perse.");

// Asks about one window, titled with its name; true when it may close.
bool confirm(AppContext& ctx, QWidget* window, UnsavedWork& work);
// Asks about every open window with unsaved typing, one after the other,
// before the program ends; false as soon as the keeper keeps one. Each window
// comes forward as it is asked about, the last active first.
bool confirmAll(AppContext& ctx);
// Asks whether to throw the window's unsaved typing away (Sì / No); true
// when there is none or the keeper said Sì.
bool confirmDiscard(AppContext& ctx, QWidget* window, UnsavedWork& work);

}  // namespace unsaved
