#pragma once
// Asked before a monthly or annual reset when the daily sheets hold days that
// are not in the daily history yet: the keeper names the month they belong
// to and stores them, goes on without storing, or stops the reset. The text
// names the month and where the proposal comes from; only a month taken from
// the sheets' last hand-over is stored with Enter, a guessed one is not.

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "rules/history.h"

class memorizza : public QDialog {
  Q_OBJECT
 public:
  // The keeper's answer, as the dialog's result.
  enum Risposta { Annulla = QDialog::Rejected, Memorizza = QDialog::Accepted, NonMemorizzare };

  // `sheets`: the names of the sheets with unstored days; `proposal`: the
  // month offered first (history::proposeMonth).
  memorizza(QWidget* owner, const QStringList& sheets, const history::MonthProposal& proposal);

  int month() const { return Combo1->currentIndex() + 1; }
  int year() const { return anno->value(); }

  QLabel* Label1 = nullptr;
  QComboBox* Combo1 = nullptr;
  QSpinBox* anno = nullptr;
  QPushButton* okbutton = nullptr;      // "&Memorizza"
  QPushButton* nobutton = nullptr;      // "&Non memorizzare"
  QPushButton* cancelbutton = nullptr;  // "Ann&ulla"

 private:
  // The text for the month chosen now, and the height it needs.
  void aggiornaTesto();

  QStringList sheets_;
  history::MonthProposal proposal_;
};
