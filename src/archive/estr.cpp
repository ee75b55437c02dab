#include "archive/estr.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "rules/months.h"

namespace {
const QString kSection = QStringLiteral("estremi");
const QString kKey = QStringLiteral("anno");
}  // namespace

estr::estr(AppContext& ctx, QWidget* owner)
    : EntryDialog(ctx, owner, QStringLiteral("Inserimento di altri eventi"),
                  QStringLiteral("estr")) {
  QStringList days;
  for (int i = 1; i <= 31; ++i) days << QString::number(i);
  giorno = makeList("giorno", days);
  mese = makeList("mese", months::names());
  anno = makeYearField("anno", QStringLiteral("2005"));
  UpDown1 = makeSpinner(anno, 2000, 2100);
  estremieventi = makeList("estremieventi", records::eventKinds());
  dati1 = makeNote("dati1", QStringLiteral("Caratteristiche\r\n"), 78);
  dati2 = makeNote("dati2", QStringLiteral("Nessuna osservazione\r\n"), 78);
  for (NoteEdit* d : {dati1, dati2}) {
    d->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    d->setMinimumWidth(360);
  }
  okbutton = makeButton("okbutton", QStringLiteral("&Inserisci nuovo dato"));
  okbutton->setDefault(true);
  cancelbutton = makeButton("cancelbutton", QStringLiteral("Ann&ulla"));

  auto* date = new QHBoxLayout;
  date->addWidget(makeLabel("Label1", QStringLiteral("&Giorno:"), giorno));
  date->addWidget(giorno);
  date->addSpacing(10);
  date->addWidget(makeLabel("Label2", QStringLiteral("&Mese:"), mese));
  date->addWidget(mese);
  date->addSpacing(10);
  date->addWidget(makeLabel("Label3", QStringLiteral("Anno:"), anno));
  date->addLayout(yearBox(anno, UpDown1));
  date->addStretch(1);

  auto* kind = new QHBoxLayout;
  kind->addWidget(makeLabel("Label5", QStringLiteral("&Evento:"), estremieventi));
  kind->addWidget(estremieventi);
  kind->addStretch(1);

  QVBoxLayout* body = makeBody();
  body->addLayout(date);
  body->addLayout(kind);
  body->addSpacing(4);
  addNote(body,
          makeLabel("Label6", QStringLiteral("&Caratteristiche/ eventuali dati raccolti:"), dati1),
          dati1);
  body->addWidget(makeLabel("Label8", QStringLiteral("Max 78 car.")), 0, Qt::AlignRight);
  addNote(body, makeLabel("Label7", QStringLiteral("&Osservazioni:"), dati2), dati2);
  body->addWidget(makeLabel("Label9", QStringLiteral("Max 78 caratteri")), 0, Qt::AlignRight);
  finishBody(body, okbutton, cancelbutton);

  clearOnBackspace(dati1, okbutton);
  clearOnBackspace(dati2, okbutton);
  connect(dati1, &QPlainTextEdit::textChanged, this, &estr::dati1_Change);
  connect(dati2, &QPlainTextEdit::textChanged, this, &estr::dati2_Change);

  Timer1 = makeTimer(200);

  Form_Load();
}

bool estr::editRecord(int row) {
  const auto texts = storedTexts(ArchiveKind::OtherEvents, row);
  const auto r = texts ? records::parseOtherEvent(*texts) : std::nullopt;
  if (!r) return false;
  beginEdit(ArchiveKind::OtherEvents, row);
  giorno->setCurrentIndex(giorno->findText(r->day));
  mese->setCurrentIndex(mese->findText(r->month));
  fillYear(anno, UpDown1, r->year);
  estremieventi->setCurrentIndex(estremieventi->findText(r->event));
  fill(dati1, r->features);
  fill(dati2, r->remarks);
  return fitsRules();
}

void estr::Form_Load() {
  giorno->setCurrentIndex(0);
  mese->setCurrentIndex(0);
  estremieventi->setCurrentIndex(0);
  anno->setText(remembered(kSection, kKey, QStringLiteral("2005")));
}

void estr::Timer1_Timer() {
  setEnabledIfChanged(okbutton, !dati1->text().isEmpty() && !dati2->text().isEmpty());
}

void estr::dati1_Change() { setEnabledIfChanged(okbutton, !dati1->text().isEmpty()); }
void estr::dati2_Change() { setEnabledIfChanged(okbutton, !dati2->text().isEmpty()); }

void estr::okbutton_Click() {
  // A correction of an old event is no hint for the next new one.
  if (!isEditing()) remember(kSection, kKey, anno->text());
  const records::OtherEvent record{giorno->currentText(), mese->currentText(),
                                   storedText(anno),      estremieventi->currentText(),
                                   storedText(dati1),     storedText(dati2)};
  const bool written = saveRecord(ArchiveKind::OtherEvents, records::compose(record), true);
  if (written) accept();
}
