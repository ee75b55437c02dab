#pragma once
// "Importa da CSV": a CSV file read into one of the four archives or into
// the daily history. The keeper sees first every record the file holds,
// what will become of it (new, already there and equal, different), the
// checks at entry and every row refused with its line and reason; nothing is
// written until "&Importa", and then all in one transaction, which "Annulla
// ultima modifica" takes back as one step.

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

#include "rules/csvexchange.h"

class AppContext;
class UndoList;
class ImportModel;

class importacsv : public QDialog {
  Q_OBJECT
 public:
  // Asks for the file, shows the preview and imports what the keeper
  // confirms; an import into an archive goes into `undo`. The archive of
  // `initial` is offered when the file's headings do not tell.
  static void avvia(AppContext& ctx, QWidget* owner, UndoList& undo, csvexchange::Target initial);

  importacsv(AppContext& ctx, QWidget* owner, const QString& path, const QString& text,
             csvexchange::Target initial);

  csvexchange::Target cosa() const;
  csv::Dialect formato() const;
  const csvexchange::Table& tabella() const { return table_; }
  // What "&Importa" writes, as the boxes stand.
  csvexchange::ArchivePlan pianoArchivio() const;
  csvexchange::HistoryPlan pianoStorico() const;

  QComboBox* Combo1 = nullptr;  // where to
  QComboBox* Combo2 = nullptr;  // the dialect
  QTableView* righe = nullptr;
  QPlainTextEdit* rifiutati = nullptr;
  QCheckBox* sostituisci = nullptr;
  QCheckBox* escludi = nullptr;  // leave out the records with warnings
  QLabel* Label1 = nullptr;      // what will be imported
  QPushButton* okbutton = nullptr;
  QPushButton* cancelbutton = nullptr;

 private:
  void leggi();
  void aggiorna();
  csvexchange::Table scelte() const;
  QVector<QStringList> esistenti() const;

  AppContext& ctx_;
  QString text_;
  QStringList columns_;  // of the archive chosen
  csvexchange::Table table_;
  ImportModel* model_ = nullptr;
};
