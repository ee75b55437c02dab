#pragma once
// The monthly summary window: eighteen figures typed by the user become the
// month's summary as plain text, which can then be edited, copied, saved and
// printed. The window computes nothing and keeps nothing between openings.

#include <array>

#include "common/sheetwindow.h"

class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class mese : public SheetWindow {
  Q_OBJECT
 public:
  explicit mese(AppContext& ctx);

  // The summary box's initial text (followed by CR LF at load, alone after "Reset").
  static const QString kPlaceholder;

  // Whichever window opens it, the summary stays parented to the main window:
  // closing a sheet must not close the summary and lose the figures typed in it.

  // The summary box's text as it stands, lines ending in CR LF.
  QString testoRiepilogo() const;

  // Figures typed or a summary composed since the window opened or was last
  // saved with "Salva..."; "Salva..." saves them.
  bool hasUnsavedChanges() const override { return contenuto() != salvato_; }
  bool saveChanges() override;

  // Handlers.
  void Command1_Click();  // "Trasforma in formato testuale >>>"
  void Command2_Click();  // "Copia"
  void Command3_Click();  // "Salva..."
  void Command4_Click();  // "Stampa"
  void Command5_Click();  // "Reset"
  void Command6_Click();  // "Precipitazioni giornaliere"
  void Command7_Click();  // "Temperature giornaliere"
  void Command8_Click();  // "Precipitazioni anno"
  void storico_Click();   // "Riempi dallo &storico": the month's figures from the history
  void Textbbb_Change();

  QDateEdit* DTPicker1 = nullptr;
  std::array<QLineEdit*, 18> Text1{};
  QPlainTextEdit* Textbbb = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command4 = nullptr;
  QPushButton* Command5 = nullptr;
  QPushButton* Command6 = nullptr;
  QPushButton* Command7 = nullptr;
  QPushButton* Command8 = nullptr;
  QPushButton* storico = nullptr;
  QPushButton* clima = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  QString reportNotSavedMessage(const QString& path) const override;

 private:
  void build();
  // The figures and the summary box, the placeholder counting as empty.
  QStringList contenuto() const;
  // "Salva...": the box as it stands.
  bool salva();
  QStringList salvato_;
};
