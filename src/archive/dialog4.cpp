#include "archive/dialog4.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
const QString kSection = QStringLiteral("temperature");
const QString kKey = QStringLiteral("anno");
}  // namespace

Dialog4::Dialog4(AppContext& ctx, QWidget* owner)
    : EntryDialog(ctx, owner, QStringLiteral("Inserimento temperature medie mensili"),
                  QStringLiteral("Dialog4")) {
  Combo1 = makeList("Combo1", monthNames());
  anno = makeYearField("anno", QStringLiteral("2005"));
  UpDown1 = new UpDown(anno, 2000, 2099, this);
  UpDown1->setObjectName(QStringLiteral("UpDown1"));
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

  auto* top = new QHBoxLayout;
  top->addWidget(makeLabel("Label1", QStringLiteral("&Mese:"), Combo1));
  top->addWidget(Combo1);
  top->addStretch(1);
  top->addWidget(makeLabel("Label2", QStringLiteral("Anno:"), anno));
  top->setSpacing(6);
  auto* year = new QHBoxLayout;
  year->setSpacing(0);
  year->addWidget(anno);
  year->addWidget(UpDown1);
  top->addLayout(year);

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

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(okbutton);
  buttons->addWidget(cancelbutton);

  auto* body = new QVBoxLayout;
  body->setContentsMargins(12, 10, 12, 12);
  body->setSpacing(6);
  body->addLayout(top);
  body->addLayout(temps);
  body->addWidget(makeLabel("Label6", QStringLiteral("&Note:"), note));
  body->addWidget(note);
  body->addWidget(car);
  body->addSpacing(6);
  body->addLayout(buttons);

  frameBody(body);
  note->setMinimumWidth(380);

  filterDecimalPoint(mass);
  filterDecimalPoint(minn);
  clearOnBackspace(note, okbutton);
  connect(note, &QPlainTextEdit::textChanged, this, &Dialog4::note_Change);
  connect(okbutton, &QPushButton::clicked, this, &Dialog4::okbutton_Click);
  connect(cancelbutton, &QPushButton::clicked, this, &EntryDialog::cancelbutton_Click);

  Timer1 = makeTimer(300);

  Form_Load();
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
  const bool written = addRecord(
      ArchiveKind::Temperature,
      {{QStringLiteral("Mese e anno"), Combo1->currentText() + QStringLiteral("  ") + anno->text()},
       {QStringLiteral("T Media MAX"), mass->text() + QStringLiteral(" °C")},
       {QStringLiteral("T Media MIN"), minn->text() + QStringLiteral(" °C")},
       {QStringLiteral("Osservazioni"), note->text()}},
      true);
  if (written) accept();
}
