#pragma once
// The current-year precipitation sheet "Precipitazioni anno corrente": one cell
// per month of the year, the annual total, the monthly mean, the two semesters
// and the text report. Its cells live in prpanno.txt, December first.

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

class pioggiaanno : public SheetWindow {
  Q_OBJECT
 public:
  explicit pioggiaanno(AppContext& ctx);

  // The sheet as it stands, for its printout.
  printouts::PioggiaAnno printValues() const;

  // Element 0 is December, 1 to 11 January to November, 12 the hidden cell.
  std::array<QLineEdit*, sheetfile::kYearRain.cells> Text1{};
  // The cell of a month, 1 (January) to 12 (December).
  QLineEdit* monthCell(int month) const { return Text1[size_t(month % 12)]; }

  QLabel* totale = nullptr;
  QLabel* media = nullptr;
  QLabel* primosem = nullptr;
  QLabel* secondosem = nullptr;
  QDateEdit* DTPicker1 = nullptr;   // the year of the report and printout
  QPlainTextEdit* Text2 = nullptr;  // buffer of the report text
  QPushButton* Command1 = nullptr;  // "&Totale precipitativo annuo"
  QPushButton* Command2 = nullptr;  // "S&vuota campi"
  QPushButton* Command3 = nullptr;  // "&Aggiorna"
  QPushButton* Command4 = nullptr;  // "&Chiudi"
  QPushButton* Command5 = nullptr;  // "St&ampa..."
  QPushButton* Command6 = nullptr;  // "Salva con nome..."
  QPushButton* Command8 = nullptr;  // "Riepilogo mensile..."
  QPushButton* clima = nullptr;     // the station's climate for the year
  QGroupBox* Frame1 = nullptr;
  QTimer* Timer1 = nullptr;

  static const QColor kWetColour;

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
  void Command8_Click();
  void Timer1_Timer();

 private:
  QStringList monthTexts() const;  // January to December
  void buildWindow();
};
