#pragma once
// What the three working sheets and the monthly summary share: a window of
// its own over the main window that unloads when closed and gives the focus
// back to the main window; showing it brings it forward unchanged; the sheet
// file that holds its cells (read at load, written by "&Aggiorna"); and the
// saving of its text report where the keeper chooses.

#include <QList>
#include <QWidget>

#include "common/unsaved.h"

class AppContext;
class QLineEdit;

class SheetWindow : public QWidget, public UnsavedWork {
  Q_OBJECT
 public:
  // Shows the window, or brings it forward unchanged when it is already shown.
  void mostra();

  // The sheet file's path, set at load.
  QString sheetPath() const { return sheetPath_; }
  // The sheet reader: the file's values into the cells; a missing or short
  // file leaves the cells as they are.
  void sbLeggiFileA();
  // The sheet writer: replaces the file with the cells' line, atomically.
  bool sbScriviFileA(QString* error = nullptr);

  // The cells differ from the sheet file as last read or written.
  bool hasUnsavedChanges() const override;
  // "&Aggiorna".
  bool saveChanges() override { return aggiorna(); }

 protected:
  SheetWindow(AppContext& ctx, const char* name, const QString& title,
              Qt::WindowFlags flags = Qt::Window);

  // The sheet file in the data folder and the cells it holds, in file order.
  void setSheetFile(const QString& fileName, const QList<QLineEdit*>& cells);

  // "&Aggiorna": writes the sheet file. A failed write is said, or the keeper
  // would close the sheet believing the values kept.
  bool aggiorna();
  // "Salva...": asks for a file and writes the text and a final CR LF into it;
  // cancelling writes nothing, a failure is said.
  bool salvaTesto(const QString& text);
  virtual QString reportNotSavedMessage(const QString& path) const;

  void closeEvent(QCloseEvent* event) override;

  AppContext& ctx_;

 private:
  QStringList cellTexts() const;

  QString sheetPath_;
  QList<QLineEdit*> cells_;
  QStringList savedCells_;  // the cells as the sheet file holds them
};
