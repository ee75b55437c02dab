#pragma once
// What the three working sheets and the monthly summary share besides being
// modeless windows (ToolWindow): the sheet file that holds their cells (read
// at load, written by "&Aggiorna"), the question about typing not saved when
// they close, and the saving of their text reports where the keeper chooses.

#include <QList>
#include <QWidget>

#include "common/toolwindow.h"
#include "common/unsaved.h"

class AppContext;
class QLineEdit;

class SheetWindow : public ToolWindow<QWidget>, public UnsavedWork {
  Q_OBJECT
 public:
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

  // "Chiudi (senza salvare)": closes once the keeper agrees to lose the
  // typing not yet saved, without the save question of the close box.
  void chiudiSenzaSalvare();

  // Typing not yet saved is asked about first.
  bool mayClose() override;

 private:
  QStringList cellTexts() const;

  QString sheetPath_;
  QList<QLineEdit*> cells_;
  QStringList savedCells_;   // the cells as the sheet file holds them
  bool discarding_ = false;  // the keeper agreed to lose the typing
};
