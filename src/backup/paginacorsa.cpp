#include "paginacorsa.h"

#include "procedura.h"
#include "servizi.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

// Left edges of the progress blocks, twips; side by side they make one bar,
// and the last one reaches the right margin.
constexpr std::array<int, 7> kBordiBlocchi{600, 1200, 1920, 2640, 3480, 4200, 5505};
constexpr std::array<const char*, 6> kNomiBlocchi{"primo",  "secondo", "terzo",
                                                  "quarto", "quinto",  "sesto"};

}  // namespace

PaginaCorsa::PaginaCorsa(Procedura& procedura, const char* nome, const TestiCorsa& testi)
    : Pagina(procedura, nome, false) {
  intestazione(QString::fromUtf8(testi.titolo), QString::fromUtf8(testi.descrizione));

  Label8_ = etichetta(nullptr, "Label8", QString::fromUtf8(testi.file), 600, 1320, 4920, 255);
  // The trough the bar grows in.
  auto* solco = new QFrame(this);
  solco->setFrameShape(QFrame::Panel);
  solco->setFrameShadow(QFrame::Sunken);
  solco->setGeometry(
      px(kBordiBlocchi.front(), 1680, kBordiBlocchi.back() - kBordiBlocchi.front(), 255)
          .adjusted(-1, -1, 1, 1));
  for (size_t i = 0; i < blocchi_.size(); ++i) {
    blocchi_[i] = rettangolo(kNomiBlocchi[i], testi.colore, kBordiBlocchi[i], 1680,
                             kBordiBlocchi[i + 1] - kBordiBlocchi[i], 255);
  }

  // The state texts share one place: at most one of them shows at a time.
  Label5_ = etichetta(nullptr, "Label5", QString::fromUtf8(testi.pronto), 600, 2100, 4920, 720);
  Label2_ = etichetta(nullptr, "Label2", QString::fromUtf8(testi.inCorso), 600, 2100, 4920, 720);
  Label6_ = etichetta(nullptr, "Label6", QString::fromUtf8(testi.completata), 600, 2100, 4920, 720);
  erroreee_ = etichetta(nullptr, "erroreee", QString::fromUtf8(testi.errore), 600, 2100, 4920, 720);
  for (QLabel* l : {Label5_, Label2_, Label6_, erroreee_}) grassetto(l);

  Frame2_ = cornice("Frame2", QString(), 600, 2880, 3120, 1260);
  auto* errore = etichetta(Frame2_, "Label4", QStringLiteral("Errore!"), 120, 240, 2880, 255);
  grassetto(errore);
  QPalette rosso = errore->palette();
  rosso.setColor(QPalette::WindowText, Qt::red);
  errore->setPalette(rosso);
  etichetta(Frame2_, "Label7", QString::fromUtf8(testi.nonRiuscita), 120, 540, 2880, 600);

  Command4termina_ = pulsante(nullptr, "Command4termina", QStringLiteral("Termina applicazione"),
                              3840, 3765, 2145, 375);
  connect(Command4termina_, &QPushButton::clicked, this, &PaginaCorsa::Command4termina_Click);

  lineaPulsanti();
  Command2_ = pulsante(nullptr, "Command2", QStringLiteral("<< Torna alla schermata iniziale"), 120,
                       4500, 3210, 375);
  Command2_->setEnabled(false);
  connect(Command2_, &QPushButton::clicked, this, &PaginaCorsa::Command2_Click);
  Command3_ = pulsante(nullptr, "Command3", QString::fromUtf8(testi.avvio), 3435, 4500, 1155, 375);
  connect(Command3_, &QPushButton::clicked, this, [this] { Command3_Click(); });
  Command1_ = pulsante(nullptr, "Command1", QStringLiteral("Chiudi"), 4710, 4500, 1275, 375);
  connect(Command1_, &QPushButton::clicked, this, &PaginaCorsa::Command1_Click);

  for (QWidget* w : {static_cast<QWidget*>(Label2_), static_cast<QWidget*>(Label6_),
                     static_cast<QWidget*>(erroreee_), static_cast<QWidget*>(Label8_),
                     static_cast<QWidget*>(Frame2_), static_cast<QWidget*>(Command4termina_)})
    w->hide();
  for (QLabel* b : blocchi_) b->hide();
}

QLabel* PaginaCorsa::blocco(const char* nome) const {
  for (size_t i = 0; i < blocchi_.size(); ++i)
    if (qstrcmp(kNomiBlocchi[i], nome) == 0) return blocchi_[i];
  return nullptr;
}

void PaginaCorsa::Command2_Click() { procedura_.tornaAllInizio(this); }

void PaginaCorsa::Command1_Click() { procedura_.servizi().termina(); }

void PaginaCorsa::Command4termina_Click() { procedura_.servizi().termina(); }

void PaginaCorsa::closeEvent(QCloseEvent* event) {
  // The page offers no close box; should the desktop close it all the same,
  // a run is never cut short, and an idle page ends the program like the
  // others rather than leaving it running with no window.
  if (inCorso_) {
    event->ignore();
    return;
  }
  event->accept();
  procedura_.servizi().termina();
}
