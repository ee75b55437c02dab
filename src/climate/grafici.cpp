#include "climate/grafici.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QFileInfo>
#include <QLineSeries>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QValueAxis>
#include <QWidget>
#include <cmath>

#include "rules/months.h"
#include "rules/numbers.h"

namespace grafici {

using namespace climate;

namespace {

const QColor kMinima(0x1f, 0x5f, 0xbf);
const QColor kMassime(0xc0, 0x30, 0x20);
const QColor kPioggia(0x3a, 0x8f, 0xd0);
const QColor kNormale(0x9a, 0x9a, 0x9a);

double mm(Tenths4 v) { return double(v) / 10000.0; }

QStringList brevi() {
  QStringList l;
  for (const QString& m : months::names()) l << m.left(3);
  return l;
}

QChart* nuovo(const QString& titolo) {
  auto* c = new QChart;
  c->setTitle(titolo);
  c->setLocalizeNumbers(true);
  c->setLocale(num::programLocale());
  c->legend()->setAlignment(Qt::AlignBottom);
  c->setAnimationOptions(QChart::NoAnimation);
  return c;
}

QValueAxis* asse(const QString& titolo, const QString& formato = QStringLiteral("%.1f")) {
  auto* a = new QValueAxis;
  a->setTitleText(titolo);
  a->setLabelFormat(formato);
  return a;
}

// Rounds the axis outwards to whole tens (or fives) so the grid reads easily.
void estendi(QValueAxis* a, double lo, double hi, double passo) {
  if (!std::isfinite(lo) || !std::isfinite(hi) || lo > hi) lo = 0, hi = passo;
  lo = std::floor(lo / passo) * passo;
  hi = std::ceil(hi / passo) * passo;
  if (hi <= lo) hi = lo + passo;
  a->setRange(lo, hi);
  a->setTickCount(int((hi - lo) / passo) + 1);
}

QLineSeries* linea(const QString& nome, const QColor& colore, Qt::PenStyle stile = Qt::SolidLine) {
  auto* s = new QLineSeries;
  s->setName(nome);
  QPen pen(colore);
  pen.setWidthF(2);
  pen.setStyle(stile);
  s->setPen(pen);
  s->setPointsVisible(true);  // a month alone still shows
  return s;
}

// The months along the bottom, precipitation bars on the left scale and
// temperature lines on the right one.
void mensile(QChart* c, QBarSeries* bars, const QList<QLineSeries*>& lines, double hiP, double loT,
             double hiT) {
  c->addSeries(bars);
  for (QLineSeries* t : lines) c->addSeries(t);
  auto* x = new QBarCategoryAxis;
  x->append(brevi());
  QValueAxis* yP = asse(QStringLiteral("mm"), QStringLiteral("%.0f"));
  estendi(yP, 0, hiP, 20);
  QValueAxis* yT = asse(QStringLiteral("°C"));
  estendi(yT, std::min(loT, 0.0), hiT, 5);
  c->addAxis(x, Qt::AlignBottom);
  c->addAxis(yP, Qt::AlignLeft);
  c->addAxis(yT, Qt::AlignRight);
  bars->attachAxis(x);
  bars->attachAxis(yP);
  for (QLineSeries* t : lines) t->attachAxis(x), t->attachAxis(yT);
}

QChart* giornaliero(const Scelta& sc, const Station& s, const QString& stazione) {
  const QDate first(sc.anno, sc.mese, 1);
  const QDate last = first.addMonths(1).addDays(-1);
  QChart* c = nuovo(QStringLiteral("%1 - minime e massime di %2 %3")
                        .arg(stazione, months::name(sc.mese).toLower())
                        .arg(sc.anno));
  QLineSeries* min = linea(QStringLiteral("Minima"), kMinima);
  QLineSeries* max = linea(QStringLiteral("Massima"), kMassime);
  double lo = INFINITY, hi = -INFINITY;
  // A day without a value is left out; the points show the days read.
  for (const Day& d : s.daysOf(first, last)) {
    if (d.minimum)
      min->append(d.date.day(), *d.minimum), lo = std::min(lo, *d.minimum),
                                             hi = std::max(hi, *d.minimum);
    if (d.maximum)
      max->append(d.date.day(), *d.maximum), lo = std::min(lo, *d.maximum),
                                             hi = std::max(hi, *d.maximum);
  }
  const Figures f = s.span(first, last);
  c->addSeries(min);
  c->addSeries(max);
  QList<QLineSeries*> all = {min, max};
  if (f.meanMin) {
    QLineSeries* m =
        linea(QStringLiteral("Media delle minime (%1 °C)").arg(temperatureText(f.meanMin)), kMinima,
              Qt::DashLine);
    m->append(1, *f.meanMin);
    m->append(last.day(), *f.meanMin);
    c->addSeries(m);
    all << m;
  }
  if (f.meanMax) {
    QLineSeries* m =
        linea(QStringLiteral("Media delle massime (%1 °C)").arg(temperatureText(f.meanMax)),
              kMassime, Qt::DashLine);
    m->append(1, *f.meanMax);
    m->append(last.day(), *f.meanMax);
    c->addSeries(m);
    all << m;
  }
  QValueAxis* x = asse(QStringLiteral("Giorno"), QStringLiteral("%.0f"));
  x->setRange(1, last.day());
  x->setTickType(QValueAxis::TicksDynamic);
  x->setTickAnchor(1);
  x->setTickInterval(2);
  x->setMinorTickCount(1);
  QValueAxis* y = asse(QStringLiteral("°C"));
  estendi(y, lo, hi, 5);
  c->addAxis(x, Qt::AlignBottom);
  c->addAxis(y, Qt::AlignLeft);
  for (QLineSeries* l : all) l->attachAxis(x), l->attachAxis(y);
  return c;
}

QChart* pioggia(const Scelta& sc, const Station& s, const Normals& n, const QString& stazione) {
  QChart* c =
      nuovo(QStringLiteral("%1 - precipitazioni mensili del %2").arg(stazione).arg(sc.anno));
  auto* anno = new QBarSet(QString::number(sc.anno));
  anno->setColor(kPioggia);
  auto* normale = new QBarSet(QStringLiteral("Normale %1-%2").arg(n.firstYear).arg(n.lastYear));
  normale->setColor(kNormale);
  double hi = 0;
  for (int m = 1; m <= 12; ++m) {
    const auto v = s.monthValues(sc.anno, m).total;
    const auto nm = n.months[m - 1].total;
    *anno << (v ? mm(*v) : 0.0);
    *normale << (nm ? mm(*nm) : 0.0);
    hi = std::max({hi, v ? mm(*v) : 0.0, nm ? mm(*nm) : 0.0});
  }
  auto* serie = new QBarSeries;
  serie->append(anno);
  if (n.firstYear)
    serie->append(normale);
  else
    delete normale;
  c->addSeries(serie);
  auto* x = new QBarCategoryAxis;
  x->append(brevi());
  QValueAxis* y = asse(QStringLiteral("mm"), QStringLiteral("%.0f"));
  estendi(y, 0, hi, 20);
  c->addAxis(x, Qt::AlignBottom);
  c->addAxis(y, Qt::AlignLeft);
  serie->attachAxis(x);
  serie->attachAxis(y);
  return c;
}

QChart* climogramma(const Normals& n, const QString& stazione) {
  QChart* c = nuovo(
      QStringLiteral("%1 - climogramma %2-%3").arg(stazione).arg(n.firstYear).arg(n.lastYear));
  auto* prp = new QBarSet(QStringLiteral("Precipitazione normale (mm)"));
  prp->setColor(kPioggia);
  QLineSeries* t = linea(QStringLiteral("Temperatura media normale (°C)"), kMassime);
  double hiP = 0, loT = INFINITY, hiT = -INFINITY;
  for (int m = 1; m <= 12; ++m) {
    const Normal& nm = n.months[m - 1];
    *prp << (nm.total ? mm(*nm.total) : 0.0);
    if (nm.total) hiP = std::max(hiP, mm(*nm.total));
    if (nm.meanTemperature) {
      t->append(m - 1, *nm.meanTemperature);
      loT = std::min(loT, *nm.meanTemperature);
      hiT = std::max(hiT, *nm.meanTemperature);
    }
  }
  auto* bars = new QBarSeries;
  bars->append(prp);
  mensile(c, bars, {t}, hiP, loT, hiT);
  return c;
}

QChart* confronto(const Scelta& sc, const Station& s, const QString& stazione) {
  QChart* c = nuovo(QStringLiteral("%1 - il %2 a confronto con il %3")
                        .arg(stazione)
                        .arg(sc.anno)
                        .arg(sc.altroAnno));
  auto* bars = new QBarSeries;
  QList<QLineSeries*> lines;
  double hiP = 0, loT = INFINITY, hiT = -INFINITY;
  const QColor colori[] = {kMassime, kMinima};
  const int anni[] = {sc.anno, sc.altroAnno};
  for (int i = 0; i < 2; ++i) {
    auto* set = new QBarSet(QStringLiteral("Precipitazione %1 (mm)").arg(anni[i]));
    set->setColor(i == 0 ? kPioggia : kNormale);
    QLineSeries* t = linea(QStringLiteral("Temperatura media %1 (°C)").arg(anni[i]), colori[i]);
    for (int m = 1; m <= 12; ++m) {
      const MonthValues v = s.monthValues(anni[i], m);
      *set << (v.total ? mm(*v.total) : 0.0);
      if (v.total) hiP = std::max(hiP, mm(*v.total));
      if (const auto mt = v.meanTemperature()) {
        t->append(m - 1, *mt);
        loT = std::min(loT, *mt);
        hiT = std::max(hiT, *mt);
      }
    }
    bars->append(set);
    lines << t;
  }
  mensile(c, bars, lines, hiP, loT, hiT);
  return c;
}

}  // namespace

const QStringList& nomi() {
  static const QStringList n = {
      QStringLiteral("Minime e massime giornaliere del mese"),
      QStringLiteral("Precipitazioni mensili dell'anno e normale"),
      QStringLiteral("Climogramma della stazione"),
      QStringLiteral("Un anno a confronto con un altro"),
  };
  return n;
}

QChart* crea(const Scelta& sc, const Station& s, const Normals& n, const QString& stazione) {
  switch (sc.tipo) {
    case Tipo::Giornaliero:
      return giornaliero(sc, s, stazione);
    case Tipo::Pioggia:
      return pioggia(sc, s, n, stazione);
    case Tipo::Climogramma:
      return climogramma(n, stazione);
    case Tipo::Confronto:
      return confronto(sc, s, stazione);
  }
  return nuovo(QString());
}

bool salva(QWidget* view, const QString& path, QString* error) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  const QSize size = view->size();
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    if (error) *error = file.errorString();
    return false;
  }
  bool drawn = true;
  if (suffix == u"svg") {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(view->windowTitle());
    QPainter p(&svg);
    view->render(&p);
    drawn = p.end();
  } else if (suffix == u"pdf") {
    QPdfWriter pdf(&file);
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setResolution(96);
    QPainter p(&pdf);
    const QRect page = p.viewport();
    const double scale =
        std::min(page.width() / double(size.width()), page.height() / double(size.height()));
    p.scale(scale, scale);
    view->render(&p);
    drawn = p.end();
  } else {
    drawn = view->grab().save(&file, "PNG");
  }
  if (!drawn) {
    file.cancelWriting();
    if (error) *error = QStringLiteral("il disegno non è riuscito");
    return false;
  }
  if (!file.commit()) {
    if (error) *error = file.errorString();
    return false;
  }
  return true;
}

}  // namespace grafici
