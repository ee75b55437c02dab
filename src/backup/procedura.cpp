#include "procedura.h"

#include "cinque.h"
#include "due.h"
#include "form1.h"
#include "quattro.h"
#include "tre.h"

#include <QScreen>

QIcon Procedura::iconaProgramma() {
  QIcon icona;
  for (int lato : {16, 32, 48, 64, 128, 256})
    icona.addFile(QStringLiteral(":/icone/nubilario-%1.png").arg(lato), QSize(lato, lato));
  return icona;
}

Procedura::Procedura(Servizi& servizi, const QString& cartellaProgramma)
    : servizi_(servizi), cartellaProgramma_(cartellaProgramma), icona_(iconaProgramma()) {}

Procedura::~Procedura() {
  delete cinque_;
  delete quattro_;
  delete tre_;
  delete due_;
  delete form1_;
}

void Procedura::avvia() {
  // Centred on the screen; every later page takes the place of this one.
  Form1& inizio = paginaForm1();
  if (const QScreen* schermo = inizio.screen()) {
    const QRect area = schermo->availableGeometry();
    inizio.move(area.center() - QPoint(inizio.width() / 2, inizio.height() / 2));
  }
  inizio.show();
}

Form1& Procedura::paginaForm1() {
  if (!form1_) form1_ = new Form1(*this);
  return *form1_;
}

due& Procedura::paginaDue() {
  if (!due_) due_ = new due(*this);
  return *due_;
}

tre& Procedura::paginaTre() {
  if (!tre_) tre_ = new tre(*this);
  return *tre_;
}

quattro& Procedura::paginaQuattro() {
  if (!quattro_) quattro_ = new quattro(*this);
  return *quattro_;
}

cinque& Procedura::paginaCinque() {
  if (!cinque_) cinque_ = new cinque(*this);
  return *cinque_;
}

tre* Procedura::treCaricata() const { return tre_; }

cinque* Procedura::cinqueCaricata() const { return cinque_; }

void Procedura::passa(QWidget* da, QWidget* verso) {
  verso->move(da->pos());
  verso->show();
  da->hide();
}

void Procedura::tornaAllInizio(QWidget* da) {
  passa(da, &paginaForm1());
  // The page is still running the click that brought us here.
  if (da == tre_) tre_ = nullptr;
  if (da == cinque_) cinque_ = nullptr;
  da->deleteLater();
}
