#pragma once
// "Inserimento pioggia mensile": adds one month's precipitation record to the
// rain archive, or corrects one (editRecord). Opened modal from the rain
// toolbar, or from the daily precipitation sheet, which hands over its monthly
// total with setTotal() first. Create it on the stack for each showing. A
// negative total and a second record of the same month are marked as they are
// typed, never refused.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "archive/entrydialog.h"

class Dialog3 : public EntryDialog {
  Q_OBJECT
 public:
  explicit Dialog3(AppContext& ctx, QWidget* owner = nullptr);

  QComboBox* Combo1 = nullptr;  // the month
  QLineEdit* anno = nullptr;    // the year, changed only with UpDown1
  UpDown* UpDown1 = nullptr;
  QLineEdit* eventi = nullptr;
  QLineEdit* totalepioggia = nullptr;
  NoteEdit* note = nullptr;
  QLabel* car = nullptr;
  QPushButton* okbutton = nullptr;
  QPushButton* cancelbutton = nullptr;
  QTimer* Timer1 = nullptr;

  // The monthly total handed over by the daily precipitation sheet; the
  // field's typing limit does not cut a large total short.
  void setTotal(const QString& total);
  // The month (1 to 12) and year of the record, as chosen.
  int month() const { return Combo1->currentIndex() + 1; }
  int year() const { return anno->text().toInt(); }

  bool editRecord(int row) override;

  void Form_Load();
  void Timer1_Timer() override;
  void note_Change();
  void okbutton_Click() override;
  // The marks: a negative total; another record of the same month and year.
  void checkTotal();
  void checkMonth();
};
