#pragma once
// "Importa resoconti": reads back into the daily history the reports that the
// daily sheets' "Salva..." wrote in earlier months, many files at once. The
// keeper sees first what each file holds and every value refused with its
// line and reason; nothing is written until "&Importa", and then all in one
// change, which the history window can undo. A day after the day of the
// import (a report saved before the month was over) is never written.

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

#include "rules/history.h"
#include "rules/reportimport.h"

class AppContext;

class importa : public QDialog {
  Q_OBJECT
 public:
  // Asks for the files, shows the preview and imports what the keeper confirms.
  static void avvia(AppContext& ctx, QWidget* owner, DailyHistory& history);

  importa(QWidget* owner, DailyHistory& history, const QStringList& files, const QDate& today);

  // The days that "&Importa" writes, as the replace box stands: only those
  // that change.
  QVector<DayRecord> giorni() const;
  // Values of the reports that differ from values already in the history.
  int diversi() const;

  QTableWidget* resoconti = nullptr;  // one row per file
  QPlainTextEdit* rifiutati = nullptr;
  QCheckBox* sostituisci = nullptr;
  QLabel* Label1 = nullptr;  // what will be imported
  QPushButton* okbutton = nullptr;
  QPushButton* cancelbutton = nullptr;

 private:
  void aggiorna();

  DailyHistory& history_;
  QDate today_;
  QVector<reportimport::Report> reports_;
};
