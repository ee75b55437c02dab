#pragma once
// The notes window "Appunti": a scratch pad that saves its text as a ".txt"
// file in the notes folder, copies it to the clipboard and prints it through
// the print dialog. Its text starts empty at every opening.

#include <QDialog>

#include "common/toolwindow.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include "common/unsaved.h"

class AppContext;

class Dialog : public ToolWindow<QDialog>, public UnsavedWork {
  Q_OBJECT
 public:
  explicit Dialog(AppContext& ctx);

  QPlainTextEdit* Text1 = nullptr;
  QPushButton* okbutton = nullptr;      // "&Salva..."
  QPushButton* Command1 = nullptr;      // "C&opia contenuto"
  QPushButton* Command2 = nullptr;      // "S&tampa..."
  QPushButton* cancelbutton = nullptr;  // "&Chiudi"

  // The notes as they stand, for their printout.
  QString testo() const { return Text1->toPlainText(); }

  void okbutton_Click();
  // Notes typed since the window opened or was last saved.
  bool hasUnsavedChanges() const override { return testo() != salvato_; }
  // "&Salva...": true when the notes were written.
  bool saveChanges() override;
  void Command1_Click();
  void Command2_Click();
  void cancelbutton_Click();

  // Why a name typed for a notes file cannot be used; empty when it can.
  static QString nomeNonValido(const QString& name);

 protected:
  // Notes not yet saved are asked about first.
  bool mayClose() override;
  // The main window's menu entry and notes button let go.
  void closing() override;
  // Esc closes the window like "&Chiudi" instead of only hiding it.
  void reject() override;

 private:
  // The notes button of the main toolbar and the menu entry "Finestra a&ppunti".
  void segnaAperta(bool open);

  QString salvato_;
  // the notes as last saved
};
