#include "archive/dialog4.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

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
  remember(kSection, kKey, anno->text());
  const records::Temperature record{Combo1->currentText(), anno->text(), mass->text(), minn->text(),
                                    note->text()};
  const bool written = addRecord(ArchiveKind::Temperature, records::compose(record), true);
  if (written) accept();
}
