#include "quattro.h"

#include "cinque.h"
#include "form1.h"
#include "procedura.h"
#include "servizi.h"
#include "sfoglia.h"
#include "sicurezza.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

quattro::quattro(Procedura& procedura) : Pagina(procedura, "quattro", true) {
  intestazione(QStringLiteral("Percorsi "),
               QStringLiteral("Specificare, utilizzando il pulsante \"Sfoglia\", il percorso "
                              "dove si trovano i backup di Nubilario e il programma stesso..."));

  auto* per =
      etichetta(nullptr, "per", QStringLiteral("Percorso o unità dove si trovano i backup:"), 600,
                1260, 4920, 255);
  Text2_ = campo("Text2", 600, 1530, 3720, 345);
  per->setBuddy(Text2_);
  connect(pulsante(nullptr, "Command3", QStringLiteral("Sfoglia"), 4440, 1515, 1080, 375),
          &QPushButton::clicked, this, &quattro::Command3_Click);

  auto* didascalia =
      etichetta(nullptr, "Label3", QStringLiteral("Percorso di Nubilario sul computer:"), 600, 2040,
                4920, 255);
  Text1_ = campo("Text1", 600, 2310, 3720, 345);
  Text1_->setText(QDir::toNativeSeparators(procedura.cartellaProgramma()));
  didascalia->setBuddy(Text1_);
  connect(Text1_, &QLineEdit::textChanged, this, &quattro::Text1_Change);
  connect(pulsante(nullptr, "Command6", QStringLiteral("Sfoglia"), 4440, 2295, 1080, 375),
          &QPushButton::clicked, this, &quattro::Command6_Click);

  connect(pulsante(nullptr, "Command4", QStringLiteral("Predefinito"), 600, 2880, 1320, 375),
          &QPushButton::clicked, this, &quattro::Command4_Click);
  auto* nota = etichetta(
      nullptr, "Label16",
      QStringLiteral("Premere sul pulsante \"Predefinito\" per impostare il percorso standard di "
                     "Nubilario, cioè: '%1'")
          .arg(QDir::toNativeSeparators(procedura.cartellaProgramma())),
      2040, 2880, 3480, 1320);
  nota->setToolTip(QDir::toNativeSeparators(procedura.cartellaProgramma()));

  lineaPulsanti();
  copie_ =
      pulsante(nullptr, "copie", QStringLiteral("Copie di sicurezza..."), 120, 4500, 2040, 375);
  copie_->setToolTip(QStringLiteral(
      "Ripristina una delle copie di sicurezza che Nubilario fa da sé nella propria "
      "cartella, prima di ogni azzeramento e ripristino e al primo avvio del giorno"));
  connect(copie_, &QPushButton::clicked, this, &quattro::copie_Click);
  connect(Text1_, &QLineEdit::textChanged, this, &quattro::aggiornaCopie);
  aggiornaCopie();
  connect(pulsante(nullptr, "Command2", QStringLiteral("< Indietro"), 2280, 4500, 1155, 375),
          &QPushButton::clicked, this, &quattro::Command2_Click);
  Command5_ = pulsante(nullptr, "Command5", QStringLiteral("Avanti >"), 3435, 4500, 1155, 375);
  Command5_->setEnabled(false);
  connect(Command5_, &QPushButton::clicked, this, &quattro::Command5_Click);
  connect(pulsante(nullptr, "Command1", QStringLiteral("Chiudi"), 4710, 4500, 1275, 375),
          &QPushButton::clicked, this, &quattro::Command1_Click);

  // Ticks for as long as the page is loaded, hidden or not.
  Timer1_ = new QTimer(this);
  Timer1_->setObjectName(QStringLiteral("Timer1"));
  Timer1_->setInterval(200);
  connect(Timer1_, &QTimer::timeout, this, &quattro::Timer1_Timer);
  Timer1_->start();
}

void quattro::Timer1_Timer() {
  Command5_->setEnabled(!Text2_->text().isEmpty() && !Text1_->text().isEmpty());
}

void quattro::Text1_Change() { Command5_->setEnabled(!Text1_->text().isEmpty()); }

void quattro::Command3_Click() { sfogliaCartella(procedura_.servizi(), this, Text2_); }

void quattro::Command6_Click() { sfogliaCartella(procedura_.servizi(), this, Text1_); }

void quattro::Command4_Click() {
  Text1_->setText(QDir::toNativeSeparators(procedura_.cartellaProgramma()));
}

void quattro::Command2_Click() { Procedura::passa(this, &procedura_.paginaForm1()); }

void quattro::Command5_Click() {
  cinque& corsa = procedura_.paginaCinque();
  corsa.move(pos());
  corsa.show();
  corsa.impostaPercorsi(Text2_->text(), Text1_->text());
  hide();
}

void quattro::Command1_Click() { procedura_.servizi().termina(); }

void quattro::aggiornaCopie() { copie_->setEnabled(!copieSicurezza(Text1_->text()).isEmpty()); }

void quattro::copie_Click() {
  const QVector<safetycopy::Copy> copie = copieSicurezza(Text1_->text());
  aggiornaCopie();
  if (copie.isEmpty()) return;
  // Each copy made before a restore says which restore it came before.
  QStringList voci;
  for (const safetycopy::Copy& c : copie) voci << safetycopy::describeForList(c);
  const std::optional<int> scelta = procedura_.servizi().scegli(
      this, QString::fromUtf8(kTitoloErrore),
      QStringLiteral("Copia di sicurezza da ripristinare (la prima è la più recente):"), voci);
  if (scelta && *scelta >= 0 && *scelta < copie.size())
    Text2_->setText(QDir::toNativeSeparators(copie[*scelta].path));
}

void quattro::showEvent(QShowEvent* event) {
  // Copies come and go while the page is hidden (a restore makes one).
  aggiornaCopie();
  Pagina::showEvent(event);
}

void quattro::closeEvent(QCloseEvent* event) {
  event->accept();
  procedura_.servizi().termina();
}
