#include "cinque.h"

#include "copia.h"
#include "procedura.h"
#include "servizi.h"
#include "sicurezza.h"

#include "rules/datafolder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

const TestiCorsa kTesti{
    "Ripristino file di backup",
    "Ripristina i file di backup nel percorso di Nubilario 3.",
    "Il programma di Backup è pronto. Premere su \"Ripristina!\" per ripristinare i file di "
    "backup...",
    "Ripristino dei file di backup in corso, attendere per favore il completamento "
    "dell'operazione...",
    "Ripristino dei file di backup completata correttamente. ",
    "Si è verificato un errore durante la fase di ripristino dei file di Nubilario...",
    "Ripristino file in corso...",
    "Ripristino non portato a termine correttamente",
    "Ripristina!",
    QColor(255, 255, 0),
};

}  // namespace

cinque::cinque(Procedura& procedura) : PaginaCorsa(procedura, "cinque", kTesti) {
  SORGENTE_ = etichetta(nullptr, "SORGENTE", QString(), 120, 4140, 3000, 255);
  DESTINAZIONE_ = etichetta(nullptr, "DESTINAZIONE", QString(), 3120, 4140, 2880, 255);
  SORGENTE_->hide();
  DESTINAZIONE_->hide();
  Command4termina_->setEnabled(false);
}

void cinque::impostaPercorsi(const QString& sorgente, const QString& destinazione) {
  SORGENTE_->setText(sorgente);
  DESTINAZIONE_->setText(destinazione);
}

void cinque::Command3_Click() {
  inCorso_ = true;
  Command3_->setEnabled(false);
  Command1_->setEnabled(false);
  Label2_->show();
  // "Press Ripristina!" no longer holds once the restore has started.
  Label5_->hide();

  const QString origine = SORGENTE_->text();
  const QString destinazione = DESTINAZIONE_->text();
  // What is about to be replaced goes to a safety copy first; without one the
  // restore goes on only if the keeper says so.
  QString perche;
  if (!faiCopiaSicurezza(destinazione, QDateTime::currentDateTime(), origine, &perche) &&
      !procedura_.servizi().domanda(
          this, QString::fromUtf8(kTitoloErrore),
          QStringLiteral("Impossibile fare la copia di sicurezza dei dati di Nubilario prima del "
                         "ripristino.\n\nDettaglio: ") +
              perche + QStringLiteral("\n\nRipristinare comunque i file di backup?"))) {
    Label2_->hide();
    Label5_->show();
    Command3_->setEnabled(true);
    Command1_->setEnabled(true);
    inCorso_ = false;
    return;
  }
  datafolder::removeLeftovers(origine);
  datafolder::removeLeftovers(destinazione);
  bool primo = true;
  for (const Passo& passo : passi()) {
    if (!copiaPasso(passo, origine, destinazione)) {
      fallito();
      return;
    }
    if (primo) Label8_->show();
    primo = false;
    if (QLabel* b = blocco(passo.blocco)) {
      b->show();
      QCoreApplication::processEvents();
    }
  }

  Command3_->hide();
  Command4termina_->show();
  Command4termina_->setEnabled(true);
  Command2_->setEnabled(true);
  Command1_->setEnabled(true);
  Label6_->show();
  Label8_->setText(QStringLiteral("Ripristino dei file effettuato con successo"));
  Label2_->hide();
  inCorso_ = false;
}

// Unlike the backup page, the bar is cleared and the error texts come only
// after the message.
void cinque::fallito() {
  Label8_->hide();
  Label2_->hide();
  Label6_->hide();
  Label5_->hide();
  for (QLabel* b : blocchi_) b->hide();
  procedura_.servizi().errore(this, QString::fromUtf8(kTitoloErrore),
                              QString::fromUtf8(kTestoErrore));
  Frame2_->show();
  Command1_->setEnabled(true);
  Command2_->setEnabled(true);
  erroreee_->show();
  inCorso_ = false;
}
