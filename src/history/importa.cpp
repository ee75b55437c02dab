#include "history/importa.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMap>
#include <QVBoxLayout>

#include "common/appcontext.h"
#include "common/historystore.h"
#include "common/widgets.h"

namespace {

const QString kFilter = QStringLiteral("Text Files (*.txt)|*.txt|All Files|*.*");

QString monthName(int year, int month) {
  return QLocale(QLocale::Italian).toString(QDate(year, month, 1), QStringLiteral("MMMM yyyy"));
}

// "1 giorno", "2 giorni".
QString giorniText(qsizetype n) {
  return n == 1 ? QStringLiteral("1 giorno") : QStringLiteral("%1 giorni").arg(n);
}

// The days of a report after `today`.
int notYetCome(const reportimport::Report& r, const QDate& today) {
  int n = 0;
  for (const reportimport::Day& d : r.days)
    if (QDate(r.year, r.month, d.day) > today) ++n;
  return n;
}

// The history's days with the reports laid over them, up to `today`: a field
// the history leaves empty takes the report's value; one that holds another
// value keeps it unless `replace`. `differing` counts those other values.
QVector<DayRecord> merged(const DailyHistory& h, const QVector<reportimport::Report>& reports,
                          bool replace, const QDate& today, int* differing) {
  QMap<QDate, DayRecord> days;
  int conflicts = 0;
  auto take = [&](QString& field, const QString& value) {
    if (field == value) return;
    if (!field.isEmpty()) {
      ++conflicts;
      if (!replace) return;
    }
    field = value;
  };
  for (const reportimport::Report& r : reports) {
    if (!r.readable) continue;
    for (const reportimport::Day& d : r.days) {
      const QDate date(r.year, r.month, d.day);
      if (!date.isValid() || date > today) continue;
      if (!days.contains(date)) days.insert(date, h.day(date));
      DayRecord& day = days[date];
      if (r.kind == reportimport::Kind::Temperature) {
        if (!d.minimum.isEmpty()) take(day.minimum, d.minimum);
        if (!d.maximum.isEmpty()) take(day.maximum, d.maximum);
      } else if (!d.rain.isEmpty()) {
        take(day.rain, d.rain);
      }
    }
  }
  if (differing) *differing = conflicts;
  return days.values().toVector();
}

}  // namespace

importa::importa(QWidget* owner, DailyHistory& history, const QStringList& files,
                 const QDate& today)
    : QDialog(owner), history_(history), today_(today) {
  setObjectName(QStringLiteral("importa"));
  setWindowTitle(QStringLiteral("Importa resoconti nello storico giornaliero"));
  for (const QString& f : files) reports_ << reportimport::readFile(f);

  resoconti = widgets::named<QTableWidget>(this, "resoconti");
  resoconti->setAccessibleName(QStringLiteral("Resoconti scelti"));
  resoconti->setColumnCount(4);
  resoconti->setHorizontalHeaderLabels({QStringLiteral("File"), QStringLiteral("Contenuto"),
                                        QStringLiteral("Giorni"), QStringLiteral("Esito")});
  resoconti->verticalHeader()->hide();
  resoconti->setEditTriggers(QAbstractItemView::NoEditTriggers);
  resoconti->horizontalHeader()->setStretchLastSection(true);
  resoconti->setRowCount(int(files.size()));
  QStringList refusals;
  for (int i = 0; i < files.size(); ++i) {
    const reportimport::Report& r = reports_[i];
    const QString name = QFileInfo(files[i]).fileName();
    QString content, outcome;
    const int notYet = notYetCome(r, today);
    if (r.readable) {
      content = (r.kind == reportimport::Kind::Temperature ? QStringLiteral("Temperature di ")
                                                           : QStringLiteral("Precipitazioni di ")) +
                monthName(r.year, r.month);
      outcome = r.days.isEmpty() ? QStringLiteral("Nessun valore da importare")
                                 : QStringLiteral("Da importare");
      if (r.refused.size() == 1) outcome += QStringLiteral(" (1 valore rifiutato)");
      if (r.refused.size() > 1)
        outcome += QStringLiteral(" (%1 valori rifiutati)").arg(r.refused.size());
      if (notYet)
        outcome += QStringLiteral(" (%1 dopo oggi, non importati)").arg(giorniText(notYet));
    } else {
      outcome = QStringLiteral("Rifiutato");
    }
    const QString cells[] = {name, content, QString::number(r.days.size() - notYet), outcome};
    for (int c = 0; c < 4; ++c) resoconti->setItem(i, c, new QTableWidgetItem(cells[c]));
    resoconti->item(i, 0)->setToolTip(widgets::plainTip(files[i]));
    for (const reportimport::Refusal& why : r.refused)
      refusals << (why.line > 0 ? QStringLiteral("%1, riga %2: ").arg(name).arg(why.line)
                                : QStringLiteral("%1: ").arg(name)) +
                      why.reason;
  }
  resoconti->resizeColumnsToContents();

  rifiutati = widgets::named<QPlainTextEdit>(this, "rifiutati");
  rifiutati->setAccessibleName(QStringLiteral("Valori e file rifiutati"));
  rifiutati->setReadOnly(true);
  rifiutati->setPlainText(refusals.isEmpty() ? QStringLiteral("Nessuno.") : refusals.join(u'\n'));
  sostituisci = widgets::named<QCheckBox>(
      this, "sostituisci", QStringLiteral("&Sostituire i valori già presenti nello storico"));
  Label1 = widgets::label(this, "Label1", QString());
  Label1->setWordWrap(true);
  std::tie(okbutton, cancelbutton) =
      widgets::dialogButtons(this, QStringLiteral("&Importa"), QStringLiteral("Ann&ulla"));
  connect(sostituisci, &QCheckBox::toggled, this, &importa::aggiorna);

  QLabel* listCaption = widgets::label(this, "Label2", QStringLiteral("&Resoconti:"));
  listCaption->setBuddy(resoconti);
  QLabel* refusedCaption =
      widgets::label(this, "Label3", QStringLiteral("&Valori e file rifiutati:"));
  refusedCaption->setBuddy(rifiutati);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(okbutton);
  buttons->addWidget(cancelbutton);
  auto* v = new QVBoxLayout(this);
  v->addWidget(listCaption);
  v->addWidget(resoconti, 2);
  v->addWidget(refusedCaption);
  v->addWidget(rifiutati, 1);
  v->addWidget(sostituisci);
  v->addWidget(Label1);
  v->addLayout(buttons);
  resize(720, 520);
  aggiorna();
}

QVector<DayRecord> importa::giorni() const {
  QVector<DayRecord> days = merged(history_, reports_, sostituisci->isChecked(), today_, nullptr);
  days.removeIf([this](const DayRecord& d) { return history_.day(d.date) == d; });
  return days;
}

int importa::diversi() const {
  int n = 0;
  merged(history_, reports_, false, today_, &n);
  return n;
}

void importa::aggiorna() {
  const qsizetype changed = giorni().size();
  const int differing = diversi();
  QString text = QStringLiteral("Giorni che cambieranno nello storico: %1.").arg(changed);
  if (differing)
    text += QStringLiteral(" %1 valori dei resoconti differiscono da quelli già presenti: %2.")
                .arg(differing)
                .arg(sostituisci->isChecked() ? QStringLiteral("saranno sostituiti")
                                              : QStringLiteral("resteranno quelli dello storico"));
  Label1->setText(text);
  okbutton->setEnabled(changed > 0);
}

void importa::avvia(AppContext& ctx, QWidget* owner, DailyHistory& history) {
  const QStringList files =
      ctx.dialogs().openFiles(owner, QStringLiteral("Scegliere i resoconti da importare"), kFilter);
  if (files.isEmpty()) return;
  importa preview(owner, history, files, ctx.platform().now().date());
  if (ctx.dialogs().runModal(preview) != QDialog::Accepted) return;
  const QVector<DayRecord> days = preview.giorni();
  QString error;
  const QString what = QStringLiteral("Importazione di %1 resoconti").arg(files.size());
  if (!history.write(days, what, &error)) {
    ctx.dialogs().failure(owner, historystore::kWriteFailure, error);
    return;
  }
  ctx.dialogs().message(owner, QStringLiteral("Importazione completata."), MsgIcon::Information);
}
