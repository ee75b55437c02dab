#include "common/sheetwindow.h"

#include <QLineEdit>

#include "common/appcontext.h"
#include "common/savable.h"
#include "rules/sheetfile.h"
#include "rules/textfile.h"

SheetWindow::SheetWindow(AppContext& ctx, const char* name, const QString& title,
                         Qt::WindowFlags flags)
    : ToolWindow(ctx, ctx.existingMainWindow(), name, title, flags) {}

void SheetWindow::setSheetFile(const QString& fileName, const QList<QLineEdit*>& cells) {
  sheetPath_ = ctx_.dataPath(fileName);
  cells_ = cells;
}

void SheetWindow::sbLeggiFileA() {
  QStringList fields;
  for (QLineEdit* c : cells_) fields << c->text();
  sheetfile::read(sheetPath_, fields);
  for (int i = 0; i < cells_.size(); ++i) {
    QLineEdit* c = cells_[i];
    const QString& text = fields.at(i);
    // A longer value from the file is kept whole rather than cut to the limit.
    if (text.size() > c->maxLength()) c->setMaxLength(int(text.size()));
    if (c->text() != text) c->setText(text);
  }
  savedCells_ = cellTexts();
}

bool SheetWindow::hasUnsavedChanges() const {
  return !cells_.isEmpty() && cellTexts() != savedCells_;
}

bool SheetWindow::sbScriviFileA(QString* error) {
  const QStringList cells = cellTexts();
  if (!sheetfile::write(sheetPath_, cells, error)) return false;
  savedCells_ = cells;
  return true;
}

QStringList SheetWindow::cellTexts() const {
  QStringList fields;
  for (QLineEdit* c : cells_) fields << c->text();
  return fields;
}

bool SheetWindow::aggiorna() {
  if (!savable(ctx_, this, sheetfile::composeLine(cellTexts()))) return false;
  if (sbScriviFileA()) return true;
  ctx_.dialogs().message(this,
                         QStringLiteral("Impossibile aggiornare il file \"%1\": le modifiche non "
                                        "sono state salvate e il file conserva i valori "
                                        "precedenti. I valori restano nella finestra: "
                                        "controllare il disco e riprovare.")
                             .arg(sheetPath_),
                         MsgIcon::Critical);
  return false;
}

bool SheetWindow::salvaTesto(const QString& text) {
  if (!savable(ctx_, this, text)) return false;
  const auto path = ctx_.dialogs().saveFile(this, SaveFileRequest{});
  if (!path) return false;
  // Written from the text itself: a text box would turn the CR LF line ends
  // into its own.
  if (textfile::write(*path, text + QStringLiteral("\r\n"))) return true;
  ctx_.dialogs().message(this, reportNotSavedMessage(*path), MsgIcon::Critical);
  return false;
}

QString SheetWindow::reportNotSavedMessage(const QString& path) const {
  return QStringLiteral(
             "Il file \"%1\" non è stato salvato: impossibile crearlo o scriverlo. Controllare "
             "che la cartella sia accessibile e che il disco non sia pieno.")
      .arg(path);
}

bool SheetWindow::mayClose() { return discarding_ || unsaved::confirm(ctx_, this, *this); }

void SheetWindow::chiudiSenzaSalvare() {
  if (!unsaved::confirmDiscard(ctx_, this, *this)) return;
  discarding_ = true;
  if (!close()) discarding_ = false;
}
