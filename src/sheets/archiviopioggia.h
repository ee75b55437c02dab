#pragma once
// The daily precipitation sheet "Precipitazioni giornaliere": one cell per day
// of the current month, the monthly and decade totals, the text report, and
// the hand-off of the monthly total to the rain record entry. Its cells live
// in prpgiornaliera.txt, read at every load and written only on "&Aggiorna".

#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <array>

#include "common/sheetwindow.h"
#include "rules/printouts.h"
#include "rules/sheetfile.h"

class archiviopioggia : public SheetWindow {
  Q_OBJECT
 public:
  explicit archiviopioggia(AppContext& ctx);

  // The sheet as it stands, for its printout under that month (the daily
  // temperature sheet's).
  printouts::PioggiaGiornaliera printValues(const QDate& month) const;

  // Element 0 is the hidden cell; element d the cell of day d.
  std::array<QLineEdit*, sheetfile::kDailyRain.cells> Text1{};
  QLabel* totale = nullptr;
  QLabel* primadec = nullptr;
  QLabel* secondadec = nullptr;
  QLabel* terzadec = nullptr;
  QDateEdit* DTPicker1 = nullptr;
  QPlainTextEdit* Text2 = nullptr;  // buffer of the report text
  QPushButton* Command1 = nullptr;  // "&Totale precipitativo mensile"
  QPushButton* Command2 = nullptr;  // "S&vuota campi"
  QPushButton* Command3 = nullptr;  // "&Chiudi (senza salvare)"
  QPushButton* Command4 = nullptr;  // "&Pioggia annuale"
  QPushButton* Command5 = nullptr;  // "&Aggiorna"
  QPushButton* Command6 = nullptr;  // "Sta&mpa..."
  QPushButton* Command7 = nullptr;  // "Archivia &>"
  QPushButton* Command8 = nullptr;  // "&Riepilogo mensile..."
  QPushButton* clima = nullptr;     // the station's climate for the month
  QPushButton* Command9 = nullptr;  // "&Salva con nome..."
  QGroupBox* Frame1 = nullptr;
  QTimer* Timer1 = nullptr;

  static const QColor kRainColour;  // light yellow of the rainy days

 public Q_SLOTS:
  void Command1_Click();
  void Command2_Click();
  // "S&vuota campi": every field takes its empty value, the results their
  // initial caption, and what would hand a total on is disabled.
  void svuota();
  void Command3_Click();
  void Command4_Click();
  void Command5_Click();
  void Command6_Click();
  void Command7_Click();
  void Command8_Click();
  void Command9_Click();
  void Timer1_Timer();

  // The day cells as they stand: day 1 first, 31 texts.
  QStringList days() const { return cellTexts(1, 31); }

 private:
  QStringList cellTexts(int from, int to) const;
  // Marks the days below zero or above 500 mm; the keeper may keep them.
  void controlla();

  void buildWindow();

  QString lastTotal_;  // the monthly total of the last computation, without unit
};
