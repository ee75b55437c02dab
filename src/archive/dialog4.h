#pragma once
// "Inserimento temperature medie mensili": adds one month's mean maximum and
// minimum to the temperature archive, or corrects one (editRecord). Opened
// modal from the temperature toolbar, or from the daily temperature sheet,
// which hands over its two means with setMeans() first. Create it on the
// stack for each showing. Unlikely means and a second record of the same
// month are marked as they are typed, never refused.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "archive/entrydialog.h"

class Dialog4 : public EntryDialog {
  Q_OBJECT
 public:
  explicit Dialog4(AppContext& ctx, QWidget* owner = nullptr);

  QComboBox* Combo1 = nullptr;  // the month
  QLineEdit* anno = nullptr;    // the year, changed only with UpDown1
  UpDown* UpDown1 = nullptr;
  QLineEdit* minn = nullptr;  // mean of the minima
  QLineEdit* mass = nullptr;  // mean of the maxima
  NoteEdit* note = nullptr;
  QLabel* car = nullptr;
  QPushButton* okbutton = nullptr;
  QPushButton* cancelbutton = nullptr;
  QTimer* Timer1 = nullptr;

  // The means handed over by the daily temperature sheet, as it shows them;
  // a longer text than the fields' typing limit (-12,35) is not cut short.
  void setMeans(const QString& max, const QString& min);
  // The month (1 to 12) and year of the record, as chosen.
  int month() const { return Combo1->currentIndex() + 1; }
  int year() const { return anno->text().toInt(); }

  bool editRecord(int row) override;

  void Form_Load();
  void Timer1_Timer() override;
  void note_Change();
  void okbutton_Click() override;
  // The marks: each mean's range and the minimum above the maximum; another
  // record of the same month and year.
  void checkMeans();
  void checkMonth();
};
