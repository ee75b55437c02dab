#pragma once
// "Esporta in CSV": one of the four archives, or the days of the daily
// history between two dates, written as a CSV file for a spreadsheet or
// another program, in the dialect the keeper chooses.

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "rules/csvexchange.h"

class AppContext;

class esportacsv : public QDialog {
  Q_OBJECT
 public:
  // Asks what to export, then for the file, and writes it. The archive of
  // `initial` is offered first.
  static void avvia(AppContext& ctx, QWidget* owner, csvexchange::Target initial);

  esportacsv(AppContext& ctx, QWidget* owner, csvexchange::Target initial);

  csvexchange::Target cosa() const;
  csv::Dialect formato() const;
  // The file's records, heading first; nothing (with the reason) when the
  // archive or the history cannot be read.
  std::optional<QVector<QStringList>> tabella(QString* error) const;

  QComboBox* Combo1 = nullptr;      // what to export
  QRadioButton* Option1 = nullptr;  // ";" and the decimal comma
  QRadioButton* Option2 = nullptr;  // "," and the decimal point
  QDateEdit* dal = nullptr;
  QDateEdit* al = nullptr;
  QLabel* Label4 = nullptr;  // how many records
  QPushButton* okbutton = nullptr;
  QPushButton* cancelbutton = nullptr;

 private:
  void aggiorna();

  AppContext& ctx_;
};
