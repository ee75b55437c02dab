#pragma once
// "Inserimento di altri eventi": adds one noteworthy weather event (hail, fog,
// foehn, ...) to the other-events archive, or corrects one (editRecord).
// Create it on the stack for each showing.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "archive/entrydialog.h"

class estr : public EntryDialog {
  Q_OBJECT
 public:
  explicit estr(AppContext& ctx, QWidget* owner = nullptr);

  QComboBox* giorno = nullptr;
  QComboBox* mese = nullptr;
  QLineEdit* anno = nullptr;  // the year, changed only with UpDown1
  UpDown* UpDown1 = nullptr;
  QComboBox* estremieventi = nullptr;  // the kind of event
  NoteEdit* dati1 = nullptr;           // characteristics
  NoteEdit* dati2 = nullptr;           // observations
  QPushButton* okbutton = nullptr;
  QPushButton* cancelbutton = nullptr;
  QTimer* Timer1 = nullptr;

  bool editRecord(int row) override;

  void Form_Load();
  void Timer1_Timer() override;
  void dati1_Change();
  void dati2_Change();
  void okbutton_Click() override;
};
