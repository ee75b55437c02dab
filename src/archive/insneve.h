#pragma once
// "Inserimento evento nevoso": adds one snow event to the snow archive, or
// corrects one (editRecord). The winter's two years are changed only with the
// spinner on the second one and are remembered between showings. Create it on
// the stack for each showing. Unlikely extremes and negative amounts are
// marked as they are typed, never refused.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "archive/entrydialog.h"

class insneve : public EntryDialog {
  Q_OBJECT
 public:
  explicit insneve(AppContext& ctx, QWidget* owner = nullptr);

  QLineEdit* Text1 = nullptr;  // first year of the winter, follows Text2
  QLineEdit* Text2 = nullptr;  // second year, changed only with UpDown1
  UpDown* UpDown1 = nullptr;
  QComboBox* giorno = nullptr;
  QComboBox* mese = nullptr;
  QComboBox* Combo1 = nullptr;  // the kind of snow
  QLineEdit* Text3 = nullptr;   // depth, cm
  QLineEdit* Text4 = nullptr;   // melted water, mm
  QLineEdit* Text5 = nullptr;   // first extreme temperature
  QLineEdit* Text6 = nullptr;   // second extreme temperature
  NoteEdit* note = nullptr;
  QLabel* car = nullptr;
  QPushButton* okbutton = nullptr;
  QPushButton* cancelbutton = nullptr;
  QTimer* Timer1 = nullptr;

  bool editRecord(int row) override;

  void Form_Load();
  // After a spinner click: the first year is the second minus one.
  void UpDown1_Change();
  void Timer1_Timer() override;
  void note_Change();
  void okbutton_Click() override;
  // The marks: each extreme's range, a negative depth or melted water.
  void checkValues();
};
