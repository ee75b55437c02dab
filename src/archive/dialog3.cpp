#include "archive/dialog3.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "common/fieldwarning.h"
#include "rules/entrychecks.h"
#include "rules/months.h"

namespace {
const QString kSection = QStringLiteral("pioggia");
const QString kKey = QStringLiteral("anno");
}  // namespace

Dialog3::Dialog3(AppContext& ctx, QWidget* owner)
    : EntryDialog(ctx, owner, QStringLiteral("Inserimento pioggia mensile"),
                  QStringLiteral("Dialog3")) {
  Combo1 = makeList("Combo1", months::names());
  anno = makeYearField("anno", QStringLiteral("2005"));
  UpDown1 = makeSpinner(anno, 2000, 2099);
  eventi = makeField("eventi", QStringLiteral("0"), 4);
  totalepioggia = makeField("totalepioggia", QStringLiteral("0"), 8);
  note = makeNote("note", QStringLiteral("Nessuna nota\r\n"), 57);
  car = makeLabel("car", QStringLiteral("(Massimo numero di caratteri inseribili: 55)"));
  okbutton = makeButton("okbutton", QStringLiteral("&Inserisci nuovo dato"));
  okbutton->setDefault(true);
  cancelbutton = makeButton("cancelbutton", QStringLiteral("Ann&ulla"));
  const int digit = eventi->fontMetrics().horizontalAdvance(QLatin1Char('0'));
  eventi->setFixedWidth(digit * 6 + 12);
  totalepioggia->setFixedWidth(digit * 10 + 12);

  auto* grid = new QGridLayout;
  grid->addWidget(makeLabel("Label5", QStringLiteral("&N° di eventi:"), eventi), 0, 0);
  grid->addWidget(eventi, 0, 1, Qt::AlignLeft);
  grid->addWidget(makeLabel("Label3", QStringLiteral("&Accumulo tot:"), totalepioggia), 1, 0);
  auto* total = new QHBoxLayout;
  total->addWidget(totalepioggia);
  total->addWidget(makeLabel("Label7", QStringLiteral("millimetri")));
  total->addStretch(1);
  grid->addLayout(total, 1, 1);
  grid->setColumnStretch(1, 1);

  QVBoxLayout* body = makeBody();
  body->addLayout(monthYearRow(Combo1, anno, UpDown1));
  body->addLayout(grid);
  addNote(body, makeLabel("Label6", QStringLiteral("N&ote:"), note), note, car);
  finishBody(body, okbutton, cancelbutton);
  note->setMinimumWidth(340);

  filterDecimalPoint(totalepioggia);
  clearOnBackspace(note, okbutton);
  connect(note, &QPlainTextEdit::textChanged, this, &Dialog3::note_Change);

  Timer1 = makeTimer(300);

  Form_Load();

  connect(totalepioggia, &QLineEdit::textChanged, this, &Dialog3::checkTotal);
  connect(Combo1, &QComboBox::currentIndexChanged, this, &Dialog3::checkMonth);
  connect(anno, &QLineEdit::textChanged, this, &Dialog3::checkMonth);
  checkTotal();
  checkMonth();
}

bool Dialog3::editRecord(int row) {
  const auto texts = storedTexts(ArchiveKind::Rain, row);
  const auto r = texts ? records::parseRain(*texts) : std::nullopt;
  if (!r) return false;
  beginEdit(ArchiveKind::Rain, row);
  Combo1->setCurrentIndex(Combo1->findText(r->month));
  fillYear(anno, UpDown1, r->year);
  fill(eventi, r->events);
  fill(totalepioggia, r->total);
  fill(note, r->note);
  checkMonth();  // the record itself no longer counts
  return fitsRules();
}

void Dialog3::checkTotal() {
  const QString total = totalepioggia->text();
  fieldwarning::set(totalepioggia,
                    entrychecks::monthlyRain(total) + entrychecks::notANumber(total, true));
}

void Dialog3::checkMonth() {
  const records::Rain month{Combo1->currentText(), anno->text(), {}, {}, {}};
  const QStringList why = duplicateMonth(ArchiveKind::Rain, records::compose(month).first().second);
  fieldwarning::set(Combo1, why);
  fieldwarning::set(anno, why);
}

void Dialog3::setTotal(const QString& total) {
  if (total.size() > totalepioggia->maxLength()) totalepioggia->setMaxLength(int(total.size()));
  totalepioggia->setText(total);
}

void Dialog3::Form_Load() {
  Combo1->setCurrentIndex(0);
  anno->setText(remembered(kSection, kKey, QStringLiteral("2005")));
}

void Dialog3::Timer1_Timer() {
  setEnabledIfChanged(okbutton, !note->text().isEmpty() && !totalepioggia->text().isEmpty() &&
                                    !eventi->text().isEmpty());
}

void Dialog3::note_Change() { setEnabledIfChanged(okbutton, !note->text().isEmpty()); }

void Dialog3::okbutton_Click() {
  // A correction of an old month is no hint for the next new one.
  if (!isEditing()) remember(kSection, kKey, anno->text());
  const records::Rain record{Combo1->currentText(), anno->text(), storedText(eventi),
                             storedText(totalepioggia), storedText(note)};
  const bool written = saveRecord(ArchiveKind::Rain, records::compose(record), false);
  if (written) accept();
}
