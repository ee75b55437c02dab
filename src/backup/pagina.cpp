#include "pagina.h"

#include "procedura.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// A page is a plain widget, which Qt presents to a screen reader as a nameless
// part of a window: each page is announced as the window it is, with its title.
// A page being destroyed reads as a plain QWidget and is left to Qt.
QAccessibleInterface* paginaComeFinestra(const QString& chiave, QObject* oggetto) {
  auto* pagina = qobject_cast<Pagina*>(oggetto);
  if (chiave != QLatin1String("QWidget") || !pagina || !pagina->isWindow()) return nullptr;
  return new QAccessibleWidget(pagina, QAccessible::Window);
}

}  // namespace

Pagina::Pagina(Procedura& procedura, const char* nome, bool chiudibile)
    : QWidget(nullptr), procedura_(procedura) {
  static const bool annunciata = (QAccessible::installFactory(paginaComeFinestra), true);
  Q_UNUSED(annunciata);
  setObjectName(QString::fromLatin1(nome));
  setWindowTitle(QStringLiteral("Nubilario 3 - Utility di Backup"));
  setWindowIcon(procedura.icona());
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (chiudibile)
    flags |= Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
  setWindowFlags(flags);
  setFixedSize(px(kLarghezza), px(kAltezza));
  setAutoFillBackground(true);
}

int Pagina::px(int twips) const { return qRound(twips * logicalDpiX() / 1440.0); }

QRect Pagina::px(int sinistra, int alto, int larghezza, int altezza) const {
  return QRect(px(sinistra), px(alto), px(larghezza), px(altezza));
}

QLabel* Pagina::etichetta(QWidget* dentro, const char* nome, const QString& testo, int sinistra,
                          int alto, int larghezza, int altezza) {
  auto* l = new QLabel(testo, dentro ? dentro : this);
  l->setObjectName(QString::fromLatin1(nome));
  l->setTextFormat(Qt::PlainText);
  l->setWordWrap(true);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  l->setGeometry(px(sinistra, alto, larghezza, altezza));
  return l;
}

QPushButton* Pagina::pulsante(QWidget* dentro, const char* nome, const QString& testo, int sinistra,
                              int alto, int larghezza, int altezza) {
  auto* b = new QPushButton(testo, dentro ? dentro : this);
  b->setObjectName(QString::fromLatin1(nome));
  b->setAutoDefault(false);
  b->setGeometry(px(sinistra, alto, larghezza, altezza));
  return b;
}

QLineEdit* Pagina::campo(const char* nome, int sinistra, int alto, int larghezza, int altezza) {
  auto* t = new QLineEdit(this);
  t->setObjectName(QString::fromLatin1(nome));
  t->setGeometry(px(sinistra, alto, larghezza, altezza));
  return t;
}

QGroupBox* Pagina::cornice(const char* nome, const QString& titolo, int sinistra, int alto,
                           int larghezza, int altezza) {
  auto* g = new QGroupBox(titolo, this);
  g->setObjectName(QString::fromLatin1(nome));
  g->setGeometry(px(sinistra, alto, larghezza, altezza));
  return g;
}

QLabel* Pagina::rettangolo(const char* nome, const QColor& colore, int sinistra, int alto,
                           int larghezza, int altezza) {
  auto* r = new QLabel(this);
  r->setObjectName(QString::fromLatin1(nome));
  QPalette p = r->palette();
  p.setColor(QPalette::Window, colore);
  r->setPalette(p);
  r->setAutoFillBackground(true);
  r->setGeometry(px(sinistra, alto, larghezza, altezza));
  return r;
}

void Pagina::intestazione(const QString& titolo, const QString& descrizione) {
  rettangolo("intestazione", Qt::white, 0, 0, kLarghezza, 1140);
  auto* linea = new QFrame(this);
  linea->setFrameShape(QFrame::HLine);
  linea->setFrameShadow(QFrame::Sunken);
  linea->setGeometry(px(0, 1125, kLarghezza, 30));
  grassetto(etichetta(nullptr, "Label12", titolo, 240, 105, 5640, 255));
  etichetta(nullptr, "Label14", descrizione, 480, 360, 5400, 750);
}

void Pagina::lineaPulsanti() {
  auto* linea = new QFrame(this);
  linea->setFrameShape(QFrame::HLine);
  linea->setFrameShadow(QFrame::Sunken);
  linea->setGeometry(px(120, 4305, kLarghezza - 240, 30));
}

void Pagina::grassetto(QLabel* etichetta) {
  QFont f = etichetta->font();
  f.setBold(true);
  etichetta->setFont(f);
}
