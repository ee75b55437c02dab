#include "archive/insneve.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "common/fieldwarning.h"
#include "rules/entrychecks.h"
#include "rules/months.h"

namespace {
const QString kSection = QStringLiteral("neve");
const QString kKey1 = QStringLiteral("anno1");
const QString kKey2 = QStringLiteral("anno2");

QStringList days() {
  QStringList d;
  for (int i = 1; i <= 31; ++i) d << QString::number(i);
  return d;
}
}  // namespace

insneve::insneve(AppContext& ctx, QWidget* owner)
    : EntryDialog(ctx, owner, QStringLiteral("Inserimento evento nevoso"),
                  QStringLiteral("insneve")) {
  Text1 = makeYearField("Text1", QStringLiteral("2005"));
  Text2 = makeYearField("Text2", QStringLiteral("2006"));
  Text1->setToolTip(
      QStringLiteral("Usare le frecce accanto al secondo anno per cambiare l'inverno"));
  // The first year follows the second; only the second has the spinner.
  Text1->setFocusPolicy(Qt::NoFocus);
  Text1->setAccessibleName(QStringLiteral("Primo anno dell'inverno"));
  Text2->setAccessibleName(QStringLiteral("Secondo anno dell'inverno"));
  UpDown1 = makeSpinner(Text2, 2000, 2100);
  giorno = makeList("giorno", days());
  mese = makeList("mese", months::names());
  Combo1 = makeList("Combo1", records::snowKinds());
  Text3 = makeField("Text3", QStringLiteral("0"), 4);
  Text4 = makeField("Text4", QStringLiteral("0"), 8);
  Text5 = makeField("Text5", QStringLiteral("0"), 5);
  Text6 = makeField("Text6", QStringLiteral("0"), 50);
  note = makeNote("note", QStringLiteral("Nessuna nota\r\n"), 57);
  car = makeLabel("car", QStringLiteral("(Massimo numero di caratteri inseribili: 55)"));
  okbutton = makeButton("okbutton", QStringLiteral("In&serisci nuovo dato"));
  okbutton->setDefault(true);
  cancelbutton = makeButton("cancelbutton", QStringLiteral("Ann&ulla"));
  Text6->setAccessibleName(QStringLiteral("Seconda temperatura estrema"));
  const int small = Text3->fontMetrics().horizontalAdvance(QStringLiteral("-00,000")) + 12;
  for (QLineEdit* f : {Text3, Text4, Text5, Text6}) f->setFixedWidth(small);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  auto* winter = new QHBoxLayout;
  winter->setSpacing(0);
  winter->addWidget(Text1);
  winter->addWidget(makeLabel("Label2", QStringLiteral(" /")));
  winter->addSpacing(4);
  winter->addLayout(yearBox(Text2, UpDown1));
  winter->addStretch(1);
  grid->addWidget(makeLabel("Label1", QStringLiteral("Inverno:"), Text2), 0, 0);
  grid->addLayout(winter, 0, 1, 1, 3);

  auto* date = new QHBoxLayout;
  date->addWidget(giorno);
  date->addSpacing(12);
  date->addWidget(makeLabel("Label10", QStringLiteral("&Mese"), mese));
  date->addWidget(mese);
  date->addStretch(1);
  grid->addWidget(makeLabel("Label11", QStringLiteral("&Giorno:"), giorno), 1, 0);
  grid->addLayout(date, 1, 1, 1, 3);

  grid->addWidget(makeLabel("Label3", QStringLiteral("&Tipo di neve prevalente:"), Combo1), 2, 0);
  grid->addWidget(Combo1, 2, 1, 1, 3, Qt::AlignLeft);

  grid->addWidget(makeLabel("Label5", QStringLiteral("&Accumulo:"), Text3), 3, 0);
  grid->addWidget(Text3, 3, 1);
  grid->addWidget(makeLabel("Label12", QStringLiteral("cm")), 3, 2, 1, 2);
  grid->addWidget(makeLabel("Label6", QStringLiteral("S&ciolto:"), Text4), 4, 0);
  grid->addWidget(Text4, 4, 1);
  grid->addWidget(makeLabel("Label13", QStringLiteral("mm")), 4, 2, 1, 2);

  auto* temps = new QHBoxLayout;
  temps->addWidget(Text5);
  temps->addWidget(Text6);
  temps->addWidget(makeLabel("Label9", QStringLiteral("°C (estremi durante l'evento)")));
  temps->addStretch(1);
  grid->addWidget(makeLabel("Label8", QStringLiteral("T&emperature :"), Text5), 5, 0);
  grid->addLayout(temps, 5, 1, 1, 3);
  grid->setColumnStretch(3, 1);

  QVBoxLayout* body = makeBody();
  body->addLayout(grid);
  addNote(body, makeLabel("Label7", QStringLiteral("&Note"), note), note, car);
  finishBody(body, okbutton, cancelbutton);
  note->setMinimumWidth(380);

  for (QLineEdit* f : {Text3, Text4, Text5, Text6}) filterDecimalPoint(f);
  clearOnBackspace(note, okbutton);
  connect(UpDown1, &UpDown::clicked, this, &insneve::UpDown1_Change);
  connect(note, &QPlainTextEdit::textChanged, this, &insneve::note_Change);

  Timer1 = makeTimer(200);

  Form_Load();

  for (QLineEdit* f : {Text3, Text4, Text5, Text6})
    connect(f, &QLineEdit::textChanged, this, &insneve::checkValues);
  checkValues();
}

bool insneve::editRecord(int row) {
  const auto texts = storedTexts(ArchiveKind::Snow, row);
  const auto r = texts ? records::parseSnow(*texts) : std::nullopt;
  if (!r) return false;
  beginEdit(ArchiveKind::Snow, row);
  fill(Text1, r->firstYear);
  fillYear(Text2, UpDown1, r->secondYear);
  giorno->setCurrentIndex(giorno->findText(r->day));
  mese->setCurrentIndex(mese->findText(r->month));
  Combo1->setCurrentIndex(Combo1->findText(r->kind));
  fill(Text3, r->depth);
  fill(Text4, r->water);
  fill(Text5, r->extreme1);
  fill(Text6, r->extreme2);
  fill(note, r->note);
  return fitsRules();
}

void insneve::checkValues() {
  fieldwarning::set(Text3, entrychecks::amount(Text3->text()));
  fieldwarning::set(Text4, entrychecks::amount(Text4->text()));
  fieldwarning::set(Text5, entrychecks::temperature(Text5->text()));
  fieldwarning::set(Text6, entrychecks::temperature(Text6->text()));
}

void insneve::Form_Load() {
  mese->setCurrentIndex(0);
  giorno->setCurrentIndex(0);
  Combo1->setCurrentIndex(4);  // "Non rilevato"
  Text1->setText(remembered(kSection, kKey1, QStringLiteral("2005")));
  Text2->setText(remembered(kSection, kKey2, QStringLiteral("2006")));
}

void insneve::UpDown1_Change() {
  bool ok = false;
  const int second = Text2->text().toInt(&ok);
  if (ok) Text1->setText(QString::number(second - 1));
}

void insneve::Timer1_Timer() {
  setEnabledIfChanged(okbutton, !Text4->text().isEmpty() && !Text5->text().isEmpty() &&
                                    !Text6->text().isEmpty() && !Text3->text().isEmpty() &&
                                    !note->text().isEmpty());
}

void insneve::note_Change() { setEnabledIfChanged(okbutton, !note->text().isEmpty()); }

void insneve::okbutton_Click() {
  // A correction of an old winter is no hint for the next new event.
  if (!isEditing()) {
    remember(kSection, kKey1, Text1->text());
    remember(kSection, kKey2, Text2->text());
  }
  const records::Snow record{storedText(Text1),   storedText(Text2),     giorno->currentText(),
                             mese->currentText(), Combo1->currentText(), storedText(Text3),
                             storedText(Text4),   storedText(Text5),     storedText(Text6),
                             storedText(note)};
  const bool written = saveRecord(ArchiveKind::Snow, records::compose(record), true);
  if (written) accept();
}
