#pragma once
// Asked before a monthly or annual reset when the daily sheets hold days that
// are not in the daily history yet: the keeper names the month they belong
// to and stores them, goes on without storing, or stops the reset.

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

class memorizza : public QDialog {
  Q_OBJECT
 public:
  // The keeper's answer, as the dialog's result.
  enum Risposta { Annulla = QDialog::Rejected, Memorizza = QDialog::Accepted, NonMemorizzare };

  // `sheets`: the names of the sheets with unstored days; `month`: the month
  // offered first (the daily temperature sheet's).
  memorizza(QWidget* owner, const QStringList& sheets, const QDate& month);

  int month() const { return Combo1->currentIndex() + 1; }
  int year() const { return anno->value(); }

  QLabel* Label1 = nullptr;
  QComboBox* Combo1 = nullptr;
  QSpinBox* anno = nullptr;
  QPushButton* okbutton = nullptr;      // "&Memorizza"
  QPushButton* nobutton = nullptr;      // "&Non memorizzare"
  QPushButton* cancelbutton = nullptr;  // "Ann&ulla"
};
