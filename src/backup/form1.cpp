#include "form1.h"

#include "due.h"
#include "procedura.h"
#include "quattro.h"
#include "servizi.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

Form1::Form1(Procedura& procedura) : Pagina(procedura, "Form1", true) {
  // Dark band with the program's name in white.
  rettangolo("fascia", QColor(0, 0, 128), 0, 0, kLarghezza, 600);
  auto* nome =
      etichetta(nullptr, "Label5", QStringLiteral("Ultility di Backup"), 240, 150, 5640, 360);
  QFont f = nome->font();
  f.setPointSizeF(12);
  nome->setFont(f);
  QPalette bianco = nome->palette();
  bianco.setColor(QPalette::WindowText, Qt::white);
  nome->setPalette(bianco);

  auto* benvenuto = etichetta(nullptr, "Label2",
                              QStringLiteral("Benvenuti nel programma di Backup di Nubilario 3 !"),
                              240, 720, 5640, 720);
  f = benvenuto->font();
  f.setPointSizeF(13.5);
  benvenuto->setFont(f);

  auto* importante =
      etichetta(nullptr, "Label26", QStringLiteral("- IMPORTANTE -"), 240, 1530, 5640, 255);
  grassetto(importante);
  QPalette rosso = importante->palette();
  rosso.setColor(QPalette::WindowText, Qt::red);
  importante->setPalette(rosso);
  etichetta(nullptr, "Label3",
            QStringLiteral("Prima di procedere accertarsi che Nubilario non sia in esecuzione."),
            240, 1800, 5640, 480);

  auto* crea = cornice("Frame1", QStringLiteral("Creazione file di backup"), 120, 2340, 2880, 1920);
  etichetta(crea, "Label24",
            QStringLiteral("Questa procedura vi guiderà nel processo di creazione dei backup dei "
                           "database e dei file di archivio di Nubilario 3."),
            120, 300, 2640, 1080);
  connect(
      pulsante(crea, "Command11", QStringLiteral("Crea file di backup >>"), 120, 1410, 2640, 375),
      &QPushButton::clicked, this, &Form1::Command11_Click);

  auto* ripristina =
      cornice("Frame2", QStringLiteral("Ripristino file di backup"), 3105, 2340, 2880, 1920);
  etichetta(ripristina, "Label25",
            QStringLiteral("Questa procedura provvederà a ripristinare automaticamente i database "
                           "e i file di archivio di Nubilario 3."),
            120, 300, 2640, 1080);
  connect(pulsante(ripristina, "Command13", QStringLiteral("Ripristina file di backup >>"), 120,
                   1410, 2640, 375),
          &QPushButton::clicked, this, &Form1::Command13_Click);

  lineaPulsanti();
  etichetta(nullptr, "Label4", QStringLiteral("Versione 2.0"), 240, 4560, 2400, 255);
  connect(pulsante(nullptr, "Command1", QStringLiteral("Chiudi"), 4710, 4500, 1275, 375),
          &QPushButton::clicked, this, &Form1::Command1_Click);
}

void Form1::Command11_Click() { Procedura::passa(this, &procedura_.paginaDue()); }

void Form1::Command13_Click() { Procedura::passa(this, &procedura_.paginaQuattro()); }

void Form1::Command1_Click() { procedura_.servizi().termina(); }

void Form1::closeEvent(QCloseEvent* event) {
  event->accept();
  procedura_.servizi().termina();
}
