#include "due.h"

#include "form1.h"
#include "procedura.h"
#include "servizi.h"
#include "sfoglia.h"
#include "tre.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

due::due(Procedura& procedura) : Pagina(procedura, "due", true) {
  intestazione(QStringLiteral("Percorso di destinazione"),
               QStringLiteral("Specificare, utilizzando il pulsante \"Sfoglia\", il percorso o "
                              "l'unità dove si desidera salvare le copie di backup..."));

  auto* didascalia =
      etichetta(nullptr, "Label2", QStringLiteral("Percorso o unità di destinazione dei backup:"),
                600, 1500, 4920, 255);
  Text1_ = campo("Text1", 600, 1800, 3720, 345);
  didascalia->setBuddy(Text1_);
  connect(Text1_, &QLineEdit::textChanged, this, &due::Text1_Change);
  connect(pulsante(nullptr, "Command2", QStringLiteral("&Sfoglia"), 4440, 1785, 1080, 375),
          &QPushButton::clicked, this, &due::Command2_Click);
  etichetta(nullptr, "Label16",
            QStringLiteral("Sono supportate tutte le unità di memorizzazione locali, eccetto CD "
                           "ROM o DVD"),
            600, 2400, 4920, 480);

  lineaPulsanti();
  connect(pulsante(nullptr, "Command4", QStringLiteral("< Indietro"), 2280, 4500, 1155, 375),
          &QPushButton::clicked, this, &due::Command4_Click);
  Command3_ = pulsante(nullptr, "Command3", QStringLiteral("Avanti >"), 3435, 4500, 1155, 375);
  Command3_->setEnabled(false);
  connect(Command3_, &QPushButton::clicked, this, &due::Command3_Click);
  connect(pulsante(nullptr, "Command1", QStringLiteral("Chiudi"), 4710, 4500, 1275, 375),
          &QPushButton::clicked, this, &due::Command1_Click);
}

void due::Text1_Change() { Command3_->setEnabled(!Text1_->text().isEmpty()); }

void due::Command2_Click() { sfogliaCartella(procedura_.servizi(), this, Text1_); }

void due::Command4_Click() { Procedura::passa(this, &procedura_.paginaForm1()); }

void due::Command3_Click() {
  tre& corsa = procedura_.paginaTre();
  corsa.move(pos());
  corsa.show();
  corsa.impostaPercorso(Text1_->text());
  hide();
}

void due::Command1_Click() { procedura_.servizi().termina(); }

void due::closeEvent(QCloseEvent* event) {
  event->accept();
  procedura_.servizi().termina();
}
