#include "csv/importacsv.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>
#include <algorithm>

#include "common/appcontext.h"
#include "common/historystore.h"
#include "common/widgets.h"
#include "rules/recordset.h"
#include "rules/sqlitefile.h"
#include "rules/undolist.h"

namespace {

const QString kFilter = QStringLiteral("File CSV (*.csv)|*.csv|Tutti i file|*.*");
// The preview reads the whole file: one huge value of this size still shows
// within a second or so.
constexpr qint64 kLargestFile = 64 * 1024 * 1024;
constexpr int kCellChars = 500;  // of a value, in its cell of the preview

// "1 giorno scritto", "2 giorni scritti".
QString quanti(qsizetype n, const QString& one, const QString& many) {
  return QString::number(n) + u' ' + (n == 1 ? one : many);
}

}  // namespace

// The records of the file as the grid shows them: the line, every column,
// what will become of it and the warnings. Built for files of a hundred
// thousand records: nothing is made per cell.
class ImportModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  // Only the columns the file gives are shown: the others are not changed.
  void reset(const csvexchange::Table* table, const QStringList& columns,
             const QStringList& status) {
    beginResetModel();
    table_ = table;
    columns_.clear();
    shown_ = table->given;
    std::sort(shown_.begin(), shown_.end());
    for (int c : shown_) columns_ << columns.value(c);
    status_ = status;
    endResetModel();
  }
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() || !table_ ? 0 : int(table_->entries.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : int(columns_.size()) + 3;
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!table_ || !index.isValid()) return {};
    const csvexchange::Entry& e = table_->entries[index.row()];
    const int c = index.column();
    const int last = int(columns_.size()) + 1;
    if (role == Qt::ForegroundRole && c == last + 1 && !e.warnings.isEmpty())
      return QColor(Qt::darkRed);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    if (c == 0) return e.line;
    QString text;
    if (c == last) {
      text = status_.value(index.row());
    } else if (c == last + 1) {
      text = e.warnings.join(role == Qt::ToolTipRole ? QStringLiteral("\n") : QStringLiteral("; "));
    } else {
      const int column = shown_.value(c - 1);
      text = table_->target.isHistory() && column == 0
                 ? e.day.date.toString(QStringLiteral("dd/MM/yyyy"))
                 : e.values.value(column);
    }
    // The file's texts as they are, never as HTML; a huge one only in part,
    // which is all a cell can show.
    if (role == Qt::ToolTipRole) return widgets::plainTip(text);
    return text.size() > kCellChars ? text.left(kCellChars) + QStringLiteral("…") : text;
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    if (section == 0) return QStringLiteral("Riga");
    if (section <= columns_.size()) return columns_[section - 1];
    return section == columns_.size() + 1 ? QStringLiteral("Esito") : QStringLiteral("Avvisi");
  }

 private:
  const csvexchange::Table* table_ = nullptr;
  QStringList columns_;
  QVector<int> shown_;  // the archive's column of each shown one
  QStringList status_;
};

importacsv::importacsv(AppContext& ctx, QWidget* owner, const QString& path, const QString& text,
                       csvexchange::Target initial)
    : QDialog(owner), ctx_(ctx), text_(text) {
  setObjectName(QStringLiteral("importacsv"));
  setWindowTitle(QStringLiteral("Importa da CSV - ") + QFileInfo(path).fileName());

  // What the file is for and its dialect, as its heading tells.
  const csv::Dialect dialect = csv::guess(text);
  const QVector<csv::Row> first = csv::parse(text.left(text.indexOf(u'\n') + 1), dialect);
  const auto guessed = first.isEmpty() ? std::nullopt : csvexchange::guessTarget(first[0].fields);

  Combo1 = widgets::named<QComboBox>(this, "Combo1");
  for (csvexchange::Target t : csvexchange::targets())
    Combo1->addItem(csvexchange::targetName(t), t.index());
  Combo1->setCurrentIndex(guessed.value_or(initial).index());
  Combo2 = widgets::named<QComboBox>(this, "Combo2");
  Combo2->addItem(QStringLiteral("Punto e virgola, virgola decimale"));
  Combo2->addItem(QStringLiteral("Virgola, punto decimale"));
  Combo2->setCurrentIndex(dialect == csv::Dialect::Comma ? 1 : 0);
  QLabel* where = widgets::label(this, "Label2", QStringLiteral("Importare i&n:"));
  where->setBuddy(Combo1);
  QLabel* format = widgets::label(this, "Label3", QStringLiteral("&Formato:"));
  format->setBuddy(Combo2);

  righe = widgets::named<QTableView>(this, "righe");
  righe->setAccessibleName(QStringLiteral("Dati del file"));
  model_ = new ImportModel(righe);
  righe->setModel(model_);
  righe->setEditTriggers(QAbstractItemView::NoEditTriggers);
  righe->setSelectionBehavior(QAbstractItemView::SelectRows);
  righe->verticalHeader()->hide();
  righe->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  righe->horizontalHeader()->setDefaultSectionSize(130);
  righe->horizontalHeader()->setStretchLastSection(true);
  righe->setWordWrap(false);
  QLabel* rows = widgets::label(this, "Label4", QStringLiteral("&Dati del file:"));
  rows->setBuddy(righe);

  rifiutati = widgets::named<QPlainTextEdit>(this, "rifiutati");
  rifiutati->setAccessibleName(QStringLiteral("Righe rifiutate"));
  rifiutati->setReadOnly(true);
  QLabel* refused = widgets::label(this, "Label5", QStringLiteral("&Righe rifiutate:"));
  refused->setBuddy(rifiutati);

  sostituisci = widgets::named<QCheckBox>(
      this, "sostituisci", QStringLiteral("&Sostituire i dati già presenti che differiscono"));
  escludi = widgets::named<QCheckBox>(this, "escludi",
                                      QStringLiteral("&Lasciare fuori i dati con avvisi"));
  Label1 = widgets::label(this, "Label1", QString());
  Label1->setWordWrap(true);
  std::tie(okbutton, cancelbutton) =
      widgets::dialogButtons(this, QStringLiteral("&Importa"), QStringLiteral("Ann&ulla"));
  connect(Combo1, &QComboBox::currentIndexChanged, this, &importacsv::leggi);
  connect(Combo2, &QComboBox::currentIndexChanged, this, &importacsv::leggi);
  connect(sostituisci, &QCheckBox::toggled, this, &importacsv::aggiorna);
  connect(escludi, &QCheckBox::toggled, this, &importacsv::aggiorna);

  auto* choices = new QFormLayout;
  choices->addRow(where, Combo1);
  choices->addRow(format, Combo2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(okbutton);
  buttons->addWidget(cancelbutton);
  auto* v = new QVBoxLayout(this);
  v->addLayout(choices);
  v->addWidget(rows);
  v->addWidget(righe, 3);
  v->addWidget(refused);
  v->addWidget(rifiutati, 1);
  v->addWidget(sostituisci);
  v->addWidget(escludi);
  v->addWidget(Label1);
  v->addLayout(buttons);
  resize(900, 600);
  leggi();
}

csvexchange::Target importacsv::cosa() const {
  return csvexchange::Target::at(Combo1->currentData().toInt()).value_or(ArchiveKind::Temperature);
}

csv::Dialect importacsv::formato() const {
  return Combo2->currentIndex() == 1 ? csv::Dialect::Comma : csv::Dialect::Semicolon;
}

QVector<QStringList> importacsv::esistenti() const {
  const auto kind = cosa().archive();
  if (!kind) return {};
  return ctx_.mainWindow()->recordset(*kind).allValues();
}

void importacsv::leggi() {
  const csvexchange::Target t = cosa();
  QStringList columns = csvexchange::historyHeadings();
  if (const auto kind = t.archive()) {
    const Recordset& rs = ctx_.mainWindow()->recordset(*kind);
    columns = rs.isOpen() ? rs.fieldNames() : records::columns(*kind);
  }
  table_ = csvexchange::read(text_, t, columns, formato());
  QStringList lines;
  for (const csvexchange::Refusal& r : table_.refused)
    lines << (r.line > 0 ? QStringLiteral("riga %1: %2").arg(r.line).arg(r.reason)
                         : QStringLiteral("Il file non si può importare: ") + r.reason);
  if (!table_.ignored.isEmpty())
    lines << QStringLiteral("Colonne ignorate, che «%1» non ha: %2")
                 .arg(csvexchange::targetName(t), table_.ignored.join(QStringLiteral(", ")));
  rifiutati->setPlainText(lines.isEmpty() ? QStringLiteral("Nessuna.") : lines.join(u'\n'));
  columns_ = columns;
  aggiorna();
}

csvexchange::Table importacsv::scelte() const {
  csvexchange::Table chosen = table_;
  if (escludi->isChecked())
    chosen.entries.removeIf([](const csvexchange::Entry& e) { return !e.warnings.isEmpty(); });
  return chosen;
}

csvexchange::ArchivePlan importacsv::pianoArchivio() const {
  const auto kind = cosa().archive();
  if (!kind) return {};
  const Recordset& rs = ctx_.mainWindow()->recordset(*kind);
  return csvexchange::planArchive(scelte(), rs.fieldNames(), esistenti(), sostituisci->isChecked());
}

csvexchange::HistoryPlan importacsv::pianoStorico() const {
  DailyHistory* h = ctx_.history();
  if (!h || !cosa().isHistory()) return {};
  return csvexchange::planHistory(scelte(), *h, sostituisci->isChecked(),
                                  ctx_.platform().now().date());
}

void importacsv::aggiorna() {
  const bool history = cosa().isHistory();
  int warned = 0;
  for (const csvexchange::Entry& e : table_.entries)
    if (!e.warnings.isEmpty()) ++warned;
  int toWrite = 0;
  QString text;
  QStringList status;
  if (history) {
    const csvexchange::HistoryPlan plan = pianoStorico();
    toWrite = int(plan.days.size());
    status = plan.status;
    text = QStringLiteral("Giorni che cambieranno nello storico: %1. Già presenti e uguali: %2.")
               .arg(toWrite)
               .arg(plan.unchanged);
    if (plan.kept)
      text += QStringLiteral(" Con valori diversi, che restano quelli dello storico: %1.")
                  .arg(plan.kept);
    if (plan.empty) text += QStringLiteral(" Senza alcun valore, non scritti: %1.").arg(plan.empty);
    if (plan.notYet)
      text +=
          QStringLiteral(" Dopo oggi, non ancora osservati e non scritti: %1.").arg(plan.notYet);
  } else {
    const csvexchange::ArchivePlan plan = pianoArchivio();
    toWrite = int(plan.added.size() + plan.replaced.size());
    status = plan.status;
    text = QStringLiteral("Da aggiungere: %1. Da sostituire: %2. Già presenti e uguali: %3.")
               .arg(plan.added.size())
               .arg(plan.replaced.size())
               .arg(plan.unchanged);
    if (plan.kept)
      text += QStringLiteral(" Diversi da quelli dell'archivio, lasciati com'erano: %1.")
                  .arg(plan.kept);
  }
  if (warned)
    text += QStringLiteral(" Con avvisi: %1%2.")
                .arg(warned)
                .arg(escludi->isChecked() ? QStringLiteral(", lasciati fuori") : QString());
  // With the records left out the statuses no longer line up with the grid.
  if (escludi->isChecked() && warned) {
    QStringList aligned;
    int next = 0;
    for (const csvexchange::Entry& e : table_.entries)
      aligned << (e.warnings.isEmpty() ? status.value(next++) : QStringLiteral("Lasciato fuori"));
    status = aligned;
  }
  model_->reset(&table_, columns_, status);
  for (int c = 1; c < model_->columnCount() - 2; ++c) righe->resizeColumnToContents(c);
  righe->setColumnWidth(0, 50);
  righe->setColumnWidth(model_->columnCount() - 2, 250);
  Label1->setText(table_.readable ? text : QStringLiteral("Nessun dato da importare."));
  okbutton->setEnabled(table_.readable && toWrite > 0);
}

void importacsv::avvia(AppContext& ctx, QWidget* owner, UndoList& undo,
                       csvexchange::Target initial) {
  const QStringList files =
      ctx.dialogs().openFiles(owner, QStringLiteral("Scegliere il file CSV da importare"), kFilter);
  if (files.isEmpty()) return;
  const QString path = files.first();
  auto fail = [&](const QString& error, const QString& after = {}) {
    const sqlitefile::Explained why = sqlitefile::explain(error);
    ctx.dialogs().message(owner,
                          QStringLiteral("Impossibile importare %1:\n%2")
                              .arg(QDir::toNativeSeparators(path), why.text + after),
                          MsgIcon::Critical, MsgButtons::Ok, kTitle, why.technical);
  };
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return fail(file.errorString());
  if (file.size() > kLargestFile) return fail(QStringLiteral("il file è troppo grande"));
  const QString text = csv::decode(file.readAll());
  file.close();

  importacsv preview(ctx, owner, path, text, initial);
  if (ctx.dialogs().runModal(preview) != QDialog::Accepted) return;
  const csvexchange::Target t = preview.cosa();
  QString error;
  if (t.isHistory()) {
    DailyHistory* h = ctx.history(&error);
    const csvexchange::HistoryPlan plan = preview.pianoStorico();
    if (!h ||
        !h->write(plan.days, QStringLiteral("Importazione di %1").arg(QFileInfo(path).fileName()),
                  &error)) {
      ctx.dialogs().failure(owner, historystore::kWriteFailure, error);
      return;
    }
    ctx.dialogs().message(
        owner,
        QStringLiteral("Importazione completata: %1 nello storico giornaliero. "
                       "Si annulla con «Annulla ultima modifica» nella finestra dello storico.")
            .arg(quanti(plan.days.size(), QStringLiteral("giorno scritto"),
                        QStringLiteral("giorni scritti"))),
        MsgIcon::Information);
    return;
  }
  const ArchiveKind kind = *t.archive();
  Recordset& rs = ctx.mainWindow()->recordset(kind);
  const csvexchange::ArchivePlan plan = preview.pianoArchivio();
  QVector<QPair<qint64, QStringList>> before;
  for (const auto& [row, values] : plan.replaced) before << qMakePair(rs.key(row), rs.values(row));
  QVector<qint64> keys;
  if (rs.isReadOnly())
    return fail(QStringLiteral("l'archivio è aperto in sola lettura; nulla è stato scritto."));
  if (!rs.importRecords(plan.added, plan.replaced, &keys, &error))
    return fail(error, QStringLiteral("\nNulla è stato scritto."));
  undo.imported(rs, keys, before);
  ctx.mainWindow()->showPanel(kind, true);
  ctx.dialogs().message(owner,
                        QStringLiteral("Importazione completata: %1, %2.")
                            .arg(quanti(plan.added.size(), QStringLiteral("dato aggiunto"),
                                        QStringLiteral("dati aggiunti")),
                                 quanti(plan.replaced.size(), QStringLiteral("sostituito"),
                                        QStringLiteral("sostituiti"))),
                        MsgIcon::Information);
}
