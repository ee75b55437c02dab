#pragma once
// "Temperature giornaliere e media mensile": the working sheet of the month's
// daily minima and maxima. It computes the monthly and ten-day means, tints
// the values below zero, keeps its fields in tempmedie.txt, hands the two
// monthly means to the temperature archive dialog and writes the text report.
// Other windows read it through month(), year() and printValues().

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <array>

#include "common/sheetwindow.h"
#include "rules/printouts.h"
#include "rules/sheetfile.h"

class medietemperature : public SheetWindow {
  Q_OBJECT
 public:
  static constexpr int kFields =
      sheetfile::kTemperatures.cells;  // 0 hidden, 1-31 minima, 32-62 maxima

  explicit medietemperature(AppContext& ctx);

  // The month (1 to 12) and year shown by the month picker.
  int month() const { return DTPicker1->date().month(); }
  int year() const { return DTPicker1->date().year(); }
  // The day cells as they stand: day 1 first, 31 texts each.
  QStringList minima() const;
  QStringList maxima() const;
  // The sheet as it stands, for its printout.
  printouts::TemperatureGiornaliere printValues() const;

  // The input fields: element d is the minimum of day d, element 31 + d its maximum.
  std::array<QLineEdit*, kFields> Text1{};
  QPlainTextEdit* Text2 = nullptr;  // hidden: the last report composed
  // Named the other way round from what they show, as every reader expects:
  QLabel* mediamax = nullptr;  // mean of the minima
  QLabel* mediamin = nullptr;  // mean of the maxima
  QLabel* decadeunomin = nullptr;
  QLabel* decadeduemin = nullptr;
  QLabel* decadetremin = nullptr;
  QLabel* decadeunomax = nullptr;
  QLabel* decadeduemax = nullptr;
  QLabel* decadetremax = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* Label8 = nullptr;
  QLabel* Label12 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label9 = nullptr;
  QDateEdit* DTPicker1 = nullptr;
  QPushButton* Command1 = nullptr;        // mean of the minima
  QPushButton* Command3 = nullptr;        // mean of the maxima
  QPushButton* Command5 = nullptr;        // save the sheet
  QPushButton* Command2 = nullptr;        // clear the fields
  QPushButton* Command4 = nullptr;        // print
  QPushButton* CommandButton3 = nullptr;  // close
  QPushButton* Command7 = nullptr;        // hand the means to the archive
  QPushButton* Command6 = nullptr;        // monthly summary
  QPushButton* Command8 = nullptr;        // text report
  QPushButton* clima = nullptr;           // the station's climate for the month
  QTimer* Timer1 = nullptr;               // 500 ms: the archive and report buttons
  QTimer* Timer2 = nullptr;               // 200 ms: tint of the values below zero

  void Command1_Click();
  void Command3_Click();
  void Command5_Click();
  void Command2_Click();
  // "S&vuota campi": every field empties and the results take their initial caption.

  void svuota();
  void Command4_Click();
  void CommandButton3_Click();
  void Command7_Click();
  void Command6_Click();
  void Command8_Click();
  void Timer1_Timer();
  void Timer2_Timer();

  // The report text of the sheet as it stands (CR LF, no final line end).
  QString reportText() const;

  static const QColor kBelowZero;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QLineEdit* makeField(int index);
  QWidget* buildHalf(bool minima);
  // Marks the cells whose values look wrong (range, minimum above maximum,
  // jumps from the day before); the keeper may keep them.
  void controlla();
  void showMeans(int first, const std::array<QLabel*, 4>& labels);
};
