#include "tre.h"

#include "copia.h"
#include "procedura.h"
#include "servizi.h"

#include "rules/datafolder.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

const TestiCorsa kTesti{
    "Creazione file di backup in corso...",
    "Attendere mentre vengono creati i file di backup di Nubilario...",
    "Il programma di Backup è pronto. Premere su \"Backup!\" per creare i file di backup...",
    "Creazione dei file di backup in corso, attendere per favore il completamento "
    "dell'operazione...",
    "Creazione dei file di backup completata correttamente. Accertarsi comunque dell'avvenuta "
    "copia...",
    "Si è verificato un errore durante la fase di creazione dei backup...",
    "Creazione file in corso...",
    "I file di backup non sono stati creati",
    "Backup!",
    QColor(0, 192, 0),
};

}  // namespace

tre::tre(Procedura& procedura) : PaginaCorsa(procedura, "tre", kTesti) {
  percorso_ = etichetta(nullptr, "percorso", QString(), 120, 4140, 3000, 255);
  percorso_->hide();
}

void tre::impostaPercorso(const QString& cartella) { percorso_->setText(cartella); }

void tre::Command3_Click() {
  inCorso_ = true;
  Command3_->setEnabled(false);
  Command1_->setEnabled(false);
  Label2_->show();
  Label5_->hide();
  Label6_->hide();
  Label8_->show();

  const QString origine = procedura_.cartellaProgramma();
  const QString destinazione = percorso_->text();
  datafolder::removeLeftovers(origine);
  datafolder::removeLeftovers(destinazione);
  for (const Passo& passo : passi()) {
    if (!copiaPasso(passo, origine, destinazione)) {
      fallita();
      return;
    }
    if (QLabel* b = blocco(passo.blocco)) {
      b->show();
      QCoreApplication::processEvents();
    }
  }

  Label8_->setText(QStringLiteral("Backup effettuato con successo"));
  Command1_->setEnabled(true);
  Command2_->setEnabled(true);
  Command3_->hide();
  Label2_->hide();
  Label6_->show();
  inCorso_ = false;
}

// The blocks already shown stay, so the bar tells how far the backup went.
void tre::fallita() {
  Label2_->hide();
  Label5_->hide();
  Label6_->hide();
  Label8_->hide();
  erroreee_->show();
  Frame2_->show();
  procedura_.servizi().errore(this, QString::fromUtf8(kTitoloErrore),
                              QString::fromUtf8(kTestoErrore));
  Label6_->hide();
  Command1_->setEnabled(true);
  Command2_->setEnabled(true);
  Command4termina_->show();
  Command4termina_->setEnabled(true);
  Label8_->hide();
  inCorso_ = false;
}
