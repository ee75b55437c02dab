#include "csv/esportacsv.h"

#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "common/appcontext.h"
#include "common/widgets.h"
#include "rules/recordset.h"
#include "rules/textfile.h"

namespace {

const QString kSection = QStringLiteral("CSV");
const QString kDialectKey = QStringLiteral("Formato");
const QString kFilter = QStringLiteral("File CSV (*.csv)|*.csv|Tutti i file|*.*");

}  // namespace

esportacsv::esportacsv(AppContext& ctx, QWidget* owner, csvexchange::Target initial)
    : QDialog(owner), ctx_(ctx) {
  setObjectName(QStringLiteral("esportacsv"));
  setWindowTitle(QStringLiteral("Esporta in CSV"));

  Combo1 = widgets::named<QComboBox>(this, "Combo1");
  for (csvexchange::Target t : csvexchange::targets())
    Combo1->addItem(csvexchange::targetName(t), t.index());
  Combo1->setCurrentIndex(initial.index());
  QLabel* what = widgets::label(this, "Label1", QStringLiteral("&Dati da esportare:"));
  what->setBuddy(Combo1);

  auto* format = new QGroupBox(QStringLiteral("Formato"), this);
  format->setObjectName(QStringLiteral("Frame1"));
  Option1 = widgets::named<QRadioButton>(
      format, "Option1",
      QStringLiteral("&Punto e virgola, virgola decimale (fogli di calcolo in italiano)"));
  Option2 = widgets::named<QRadioButton>(
      format, "Option2", QStringLiteral("&Virgola, punto decimale (altri programmi)"));
  auto* fv = new QVBoxLayout(format);
  fv->addWidget(Option1);
  fv->addWidget(Option2);
  (ctx_.settings().value(kSection, kDialectKey) == QLatin1String("virgola") ? Option2 : Option1)
      ->setChecked(true);

  // The history's span: from its first to its last stored day.
  dal = widgets::named<QDateEdit>(this, "dal");
  al = widgets::named<QDateEdit>(this, "al");
  QDate first = QDate::currentDate(), last = first;
  if (DailyHistory* h = ctx_.history()) {
    const QVector<DayRecord> all = h->all();
    if (!all.isEmpty()) {
      first = all.first().date;
      last = all.last().date;
    }
  }
  for (QDateEdit* e : {dal, al}) {
    e->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    e->setCalendarPopup(true);
    e->setMinimumDate(QDate(1, 1, 1));
  }
  dal->setDate(first);
  al->setDate(last);
  QLabel* from = widgets::label(this, "Label2", QStringLiteral("D&al giorno:"));
  from->setBuddy(dal);
  QLabel* to = widgets::label(this, "Label3", QStringLiteral("Al &giorno:"));
  to->setBuddy(al);

  Label4 = widgets::label(this, "Label4", QString());
  std::tie(okbutton, cancelbutton) =
      widgets::dialogButtons(this, QStringLiteral("&Esporta..."), QStringLiteral("Annulla"));
  connect(Combo1, &QComboBox::currentIndexChanged, this, &esportacsv::aggiorna);
  connect(dal, &QDateEdit::dateChanged, this, &esportacsv::aggiorna);
  connect(al, &QDateEdit::dateChanged, this, &esportacsv::aggiorna);

  auto* form = new QFormLayout;
  form->addRow(what, Combo1);
  form->addRow(from, dal);
  form->addRow(to, al);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(okbutton);
  buttons->addWidget(cancelbutton);
  auto* v = new QVBoxLayout(this);
  v->addLayout(form);
  v->addWidget(format);
  v->addWidget(Label4);
  v->addLayout(buttons);
  aggiorna();
}

csvexchange::Target esportacsv::cosa() const {
  return csvexchange::Target::at(Combo1->currentData().toInt()).value_or(ArchiveKind::Temperature);
}

csv::Dialect esportacsv::formato() const {
  return Option2->isChecked() ? csv::Dialect::Comma : csv::Dialect::Semicolon;
}

std::optional<QVector<QStringList>> esportacsv::tabella(QString* error) const {
  const csvexchange::Target t = cosa();
  if (t.isHistory()) {
    DailyHistory* h = ctx_.history(error);
    if (!h) return std::nullopt;
    return csvexchange::historyTable(h->span(dal->date(), al->date()), formato());
  }
  Recordset& rs = ctx_.mainWindow()->recordset(*t.archive());
  if (!rs.isOpen()) {
    if (error) *error = QStringLiteral("l'archivio non è aperto");
    return std::nullopt;
  }
  QString why;
  const QVector<QStringList> records = rs.allValues(&why);
  if (!why.isEmpty()) {
    if (error) *error = why;
    return std::nullopt;
  }
  return csvexchange::archiveTable(t, rs.fieldNames(), records, formato());
}

void esportacsv::aggiorna() {
  const bool history = cosa().isHistory();
  dal->setEnabled(history);
  al->setEnabled(history);
  int count = 0;
  if (history) {
    if (DailyHistory* h = ctx_.history()) count = int(h->span(dal->date(), al->date()).size());
  } else {
    count = ctx_.mainWindow()->recordset(*cosa().archive()).recordCount();
  }
  Label4->setText(history ? QStringLiteral("Giorni da esportare: %1.").arg(count)
                          : QStringLiteral("Dati da esportare: %1.").arg(count));
  okbutton->setEnabled(count > 0);
}

void esportacsv::avvia(AppContext& ctx, QWidget* owner, csvexchange::Target initial) {
  esportacsv dialog(ctx, owner, initial);
  if (ctx.dialogs().runModal(dialog) != QDialog::Accepted) return;
  ctx.settings().setValue(kSection, kDialectKey,
                          dialog.formato() == csv::Dialect::Comma
                              ? QStringLiteral("virgola")
                              : QStringLiteral("puntoevirgola"));
  SaveFileRequest request;
  request.title = QStringLiteral("Esporta in CSV");
  request.filter = kFilter;
  request.filterIndex = 1;
  request.initialName = csvexchange::fileName(dialog.cosa());
  const auto path = ctx.dialogs().saveFile(owner, request);
  if (!path) return;
  QString error;
  const auto table = dialog.tabella(&error);
  if (!table || !textfile::writeBytes(*path, csv::document(*table, dialog.formato()), &error)) {
    ctx.dialogs().message(owner,
                          QStringLiteral("Impossibile esportare in %1:\n%2")
                              .arg(QDir::toNativeSeparators(*path), error),
                          MsgIcon::Critical);
    return;
  }
  ctx.dialogs().message(owner,
                        QStringLiteral("Esportati %1 dati in %2.")
                            .arg(table->size() - 1)
                            .arg(QDir::toNativeSeparators(*path)),
                        MsgIcon::Information);
}
