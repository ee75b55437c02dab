#include "archive/dialog4.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "common/fieldwarning.h"
#include "rules/entrychecks.h"
#include "rules/months.h"

namespace {
const QString kSection = QStringLiteral("temperature");
const QString kKey = QStringLiteral("anno");
}  // namespace

Dialog4::Dialog4(AppContext& ctx, QWidget* owner)
    : EntryDialog(ctx, owner, QStringLiteral("Inserimento temperature medie mensili"),
                  QStringLiteral("Dialog4")) {
  Combo1 = makeList("Combo1", months::names());
  anno = makeYearField("anno", QStringLiteral("2005"));
  UpDown1 = makeSpinner(anno, 2000, 2099);
  minn = makeField("minn", QStringLiteral("0"), 5);
  mass = makeField("mass", QStringLiteral("0"), 5);
  note = makeNote("note", QStringLiteral("Nessuna nota\r\n"), 75);
  car = makeLabel("car", QStringLiteral("(Massimo numero di caratteri inseribili: 75)"));
  okbutton = makeButton("okbutton", QStringLiteral("In&serisci nuovo dato"));
  okbutton->setDefault(true);
  cancelbutton = makeButton("cancelbutton", QStringLiteral("Ann&ulla"));
  const int fieldWidth = minn->fontMetrics().horizontalAdvance(QStringLiteral("-00,000")) + 12;
  minn->setFixedWidth(fieldWidth);
  mass->setFixedWidth(fieldWidth);

  // The minimum stands left of the maximum, each with its unit after it.
  auto* temps = new QHBoxLayout;
  temps->addWidget(makeLabel("Label5", QStringLiteral("Temp. M&IN:"), minn));
  temps->addWidget(minn);
  temps->addWidget(makeLabel("Label7", QStringLiteral("°C")));
  temps->addSpacing(18);
  temps->addWidget(makeLabel("Label3", QStringLiteral("Temp. MA&X:"), mass));
  temps->addWidget(mass);
  temps->addWidget(makeLabel("Label8", QStringLiteral("°C")));
  temps->addStretch(1);

  QVBoxLayout* body = makeBody();
  body->addLayout(monthYearRow(Combo1, anno, UpDown1));
  body->addLayout(temps);
  addNote(body, makeLabel("Label6", QStringLiteral("&Note:"), note), note, car);
  finishBody(body, okbutton, cancelbutton);
  note->setMinimumWidth(380);

  filterDecimalPoint(mass);
  filterDecimalPoint(minn);
  clearOnBackspace(note, okbutton);
  connect(note, &QPlainTextEdit::textChanged, this, &Dialog4::note_Change);

  Timer1 = makeTimer(300);

  Form_Load();

  connect(minn, &QLineEdit::textChanged, this, &Dialog4::checkMeans);
  connect(mass, &QLineEdit::textChanged, this, &Dialog4::checkMeans);
  connect(Combo1, &QComboBox::currentIndexChanged, this, &Dialog4::checkMonth);
  connect(anno, &QLineEdit::textChanged, this, &Dialog4::checkMonth);
  checkMeans();
  checkMonth();
}

bool Dialog4::editRecord(int row) {
  const auto texts = storedTexts(ArchiveKind::Temperature, row);
  const auto r = texts ? records::parseTemperature(*texts) : std::nullopt;
  if (!r) return false;
  beginEdit(ArchiveKind::Temperature, row);
  Combo1->setCurrentIndex(Combo1->findText(r->month));
  fillYear(anno, UpDown1, r->year);
  fill(mass, r->max);
  fill(minn, r->min);
  fill(note, r->note);
  checkMonth();  // the record itself no longer counts
  return fitsRules();
}

void Dialog4::checkMeans() {
  const entrychecks::PairWarnings w = entrychecks::temperatures(minn->text(), mass->text());
  fieldwarning::set(minn, w.minimum);
  fieldwarning::set(mass, w.maximum);
}

void Dialog4::checkMonth() {
  const records::Temperature month{Combo1->currentText(), anno->text(), {}, {}, {}};
  const QStringList why =
      duplicateMonth(ArchiveKind::Temperature, records::compose(month).first().second);
  fieldwarning::set(Combo1, why);
  fieldwarning::set(anno, why);
}

void Dialog4::setMeans(const QString& max, const QString& min) {
  for (auto [field, text] : {std::pair{mass, max}, std::pair{minn, min}}) {
    if (text.size() > field->maxLength()) field->setMaxLength(int(text.size()));
    field->setText(text);
  }
}

void Dialog4::Form_Load() {
  Combo1->setCurrentIndex(0);
  anno->setText(remembered(kSection, kKey, QStringLiteral("2005")));
}

void Dialog4::Timer1_Timer() {
  setEnabledIfChanged(
      okbutton, !mass->text().isEmpty() && !minn->text().isEmpty() && !note->text().isEmpty());
}

void Dialog4::note_Change() { setEnabledIfChanged(okbutton, !note->text().isEmpty()); }

void Dialog4::okbutton_Click() {
  // A correction of an old month is no hint for the next new one.
  if (!isEditing()) remember(kSection, kKey, anno->text());
  const records::Temperature record{Combo1->currentText(), anno->text(), storedText(mass),
                                    storedText(minn), storedText(note)};
  const bool written = saveRecord(ArchiveKind::Temperature, records::compose(record), true);
  if (written) accept();
}
