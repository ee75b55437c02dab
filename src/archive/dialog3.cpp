#include "archive/dialog3.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
const QString kSection = QStringLiteral("pioggia");
const QString kKey = QStringLiteral("anno");
}  // namespace

Dialog3::Dialog3(AppContext& ctx, QWidget* owner)
    : EntryDialog(ctx, owner, QStringLiteral("Inserimento pioggia mensile"),
                  QStringLiteral("Dialog3")) {
  Combo1 = makeList("Combo1", monthNames());
  anno = makeYearField("anno", QStringLiteral("2005"));
  UpDown1 = new UpDown(anno, 2000, 2099, this);
  UpDown1->setObjectName(QStringLiteral("UpDown1"));
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
  grid->addWidget(makeLabel("Label1", QStringLiteral("&Mese:"), Combo1), 0, 0);
  grid->addWidget(Combo1, 0, 1);
  auto* year = new QHBoxLayout;
  year->setSpacing(0);
  year->addWidget(makeLabel("Label2", QStringLiteral("Anno:"), anno));
  year->addSpacing(6);
  year->addWidget(anno);
  year->addWidget(UpDown1);
  grid->addLayout(year, 0, 3, Qt::AlignRight);
  grid->addWidget(makeLabel("Label5", QStringLiteral("&N° di eventi:"), eventi), 1, 0);
  grid->addWidget(eventi, 1, 1, Qt::AlignLeft);
  grid->addWidget(makeLabel("Label3", QStringLiteral("&Accumulo tot:"), totalepioggia), 2, 0);
  auto* total = new QHBoxLayout;
  total->addWidget(totalepioggia);
  total->addWidget(makeLabel("Label7", QStringLiteral("millimetri")));
  total->addStretch(1);
  grid->addLayout(total, 2, 1, 1, 2);
  grid->setColumnStretch(3, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(okbutton);
  buttons->addWidget(cancelbutton);

  auto* body = new QVBoxLayout;
  body->setContentsMargins(12, 10, 12, 12);
  body->setSpacing(6);
  body->addLayout(grid);
  body->addWidget(makeLabel("Label6", QStringLiteral("N&ote:"), note));
  body->addWidget(note);
  body->addWidget(car);
  body->addSpacing(6);
  body->addLayout(buttons);

  frameBody(body);
  note->setMinimumWidth(340);

  filterDecimalPoint(totalepioggia);
  clearOnBackspace(note, okbutton);
  connect(note, &QPlainTextEdit::textChanged, this, &Dialog3::note_Change);
  connect(okbutton, &QPushButton::clicked, this, &Dialog3::okbutton_Click);
  connect(cancelbutton, &QPushButton::clicked, this, &EntryDialog::cancelbutton_Click);

  Timer1 = makeTimer(300);

  Form_Load();
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
  remember(kSection, kKey, anno->text());
  const bool written = addRecord(
      ArchiveKind::Rain,
      {{QStringLiteral("Mese e anno"), Combo1->currentText() + QStringLiteral("  ") + anno->text()},
       {QStringLiteral("N° eventi con prp"), eventi->text() + QStringLiteral(" evento/i")},
       {QStringLiteral("Accumulo tot mensile"), totalepioggia->text() + QStringLiteral(" mm")},
       {QStringLiteral("Osservazioni"), note->text()}},
      false);
  if (written) accept();
}
