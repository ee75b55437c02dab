#include "procedura.h"

#include "cinque.h"
#include "due.h"
#include "form1.h"
#include "quattro.h"
#include "tre.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScreen>

namespace {

// A cloud over a disk: drawn here so that the program needs no image files.
QIcon disegnaIcona() {
  QIcon icona;
  for (int lato : {16, 32, 48}) {
    QPixmap pixmap(lato, lato);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(lato / 48.0, lato / 48.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 128));
    p.drawRoundedRect(QRectF(6, 24, 36, 20), 3, 3);
    p.setBrush(QColor(0, 192, 0));
    p.drawRect(QRectF(12, 36, 24, 4));
    QPainterPath nuvola;
    nuvola.addEllipse(QRectF(4, 12, 20, 16));
    nuvola.addEllipse(QRectF(14, 4, 22, 22));
    nuvola.addEllipse(QRectF(26, 12, 18, 16));
    p.setBrush(QColor(235, 240, 250));
    p.setPen(QPen(QColor(90, 110, 150), 1.5));
    p.drawPath(nuvola.simplified());
    p.end();
    icona.addPixmap(pixmap);
  }
  return icona;
}

}  // namespace

Procedura::Procedura(Servizi& servizi, const QString& cartellaProgramma)
    : servizi_(servizi), cartellaProgramma_(cartellaProgramma), icona_(disegnaIcona()) {}

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
