#include "climate/grafici.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QFileInfo>
#include <QGraphicsView>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QScatterSeries>
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
// "Un anno a confronto": each year its own colour, in its bars and its line.
const QColor kAnni[] = {QColor(0x1f, 0x5f, 0xbf), QColor(0xd9, 0x6c, 0x10)};
// Where a bar set's bars stand in their month: two sets side by side, a
// quarter of the month apart (the bars take half of it); one alone in the middle.
constexpr double kAccanto[] = {-0.125, 0.125};

// A piece of a line after a missing value: drawn like the first, with no
// entry of its own in the legend.
const char* const kSeguito = "seguito";

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

// Rounds the axis outwards to whole steps so the grid reads easily: `passo`,
// or the first of 2, 5 and 10 times a power of ten above it that keeps the
// axis within ten steps, so that the labels never crowd, whatever the range.
void estendi(QValueAxis* a, double lo, double hi, double passo) {
  if (!std::isfinite(lo) || !std::isfinite(hi) || lo > hi) lo = 0, hi = passo;
  auto passi = [&](double p) { return std::ceil(hi / p) - std::floor(lo / p); };
  for (double decade = std::pow(10.0, std::floor(std::log10(passo))); passi(passo) > 10;
       decade *= 10)
    for (double m : {2.0, 5.0, 10.0})
      if (m * decade > passo && passi(passo) > 10) passo = m * decade;
  lo = std::floor(lo / passo) * passo;
  hi = std::ceil(hi / passo) * passo;
  if (hi <= lo) hi = lo + passo;
  a->setRange(lo, hi);
  a->setTickCount(int(std::lround((hi - lo) / passo)) + 1);
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

// A line through the values, broken where one is missing so that it never
// crosses a missing day or month: one series per run of values, the first
// one named in the legend.
QList<QLineSeries*> spezzata(const QString& nome, const QColor& colore,
                             const QList<std::optional<QPointF>>& punti,
                             Qt::PenStyle stile = Qt::SolidLine) {
  QList<QLineSeries*> pezzi = {linea(nome, colore, stile)};
  for (const auto& p : punti) {
    if (p) {
      pezzi.last()->append(*p);
    } else if (pezzi.last()->count() > 0) {
      pezzi << linea(nome, colore, stile);
      pezzi.last()->setProperty(kSeguito, true);
    }
  }
  if (pezzi.size() > 1 && pezzi.last()->count() == 0) delete pezzi.takeLast();
  return pezzi;
}

// The marks of the months without a value, so that they do not read as
// 0 mm: a hollow triangle at the foot of the bar that is not there.
struct Mancanti {
  QList<QPointF> punti;
  // The months of `anno` (0: of no year, a normal) without a value, for the
  // bars at `accanto`; a month not over yet has none to have.
  void aggiungi(const QList<int>& mesi, double accanto, int anno = 0) {
    for (int m : mesi)
      if (!anno || QDate(anno, m, 1).addMonths(1) <= QDate::currentDate())
        punti << QPointF(m - 1 + accanto, 0);
  }
  // The series of the marks; none when no month is missing.
  QList<QScatterSeries*> serie() const {
    if (punti.isEmpty()) return {};
    auto* s = new QScatterSeries;
    s->setName(QStringLiteral("Mese senza dati"));
    s->setMarkerShape(QScatterSeries::MarkerShapeTriangle);
    s->setMarkerSize(11);
    s->setColor(Qt::white);
    s->setBorderColor(QColor(0x40, 0x40, 0x40));
    s->append(punti);
    return {s};
  }
};

// The months along the bottom, precipitation bars (and the marks of the
// months without a total) on the left scale and temperature lines on the
// right one.
void mensile(QChart* c, QBarSeries* bars, const QList<QLineSeries*>& lines,
             const QList<QScatterSeries*>& marks, double hiP, double loT, double hiT) {
  c->addSeries(bars);
  for (QLineSeries* t : lines) c->addSeries(t);
  for (QScatterSeries* m : marks) c->addSeries(m);
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
  for (QScatterSeries* m : marks) m->attachAxis(x), m->attachAxis(yP);
  for (QLineSeries* t : lines) t->attachAxis(x), t->attachAxis(yT);
}

QChart* giornaliero(const Scelta& sc, const Station& s, const QString& stazione) {
  const QDate first(sc.anno, sc.mese, 1);
  const QDate last = first.addMonths(1).addDays(-1);
  QChart* c = nuovo(QStringLiteral("%1 - minime e massime di %2 %3")
                        .arg(stazione, months::name(sc.mese).toLower())
                        .arg(sc.anno));
  QList<std::optional<QPointF>> minime, massime;
  double lo = INFINITY, hi = -INFINITY;
  // A day without a value breaks the line; the points show the days read.
  QDate next = first;
  for (const Day& d : s.daysOf(first, last)) {
    for (; next < d.date; next = next.addDays(1)) minime << std::nullopt, massime << std::nullopt;
    next = d.date.addDays(1);
    auto punto = [&](const std::optional<double>& v) -> std::optional<QPointF> {
      if (!v) return std::nullopt;
      lo = std::min(lo, *v);
      hi = std::max(hi, *v);
      return QPointF(d.date.day(), *v);
    };
    minime << punto(d.minimum);
    massime << punto(d.maximum);
  }
  const Figures f = s.span(first, last);
  QList<QLineSeries*> all = spezzata(QStringLiteral("Minima"), kMinima, minime) +
                            spezzata(QStringLiteral("Massima"), kMassime, massime);
  if (f.meanMin) {
    QLineSeries* m =
        linea(QStringLiteral("Media delle minime (%1 °C)").arg(temperatureText(f.meanMin)), kMinima,
              Qt::DashLine);
    m->append(1, *f.meanMin);
    m->append(last.day(), *f.meanMin);
    all << m;
  }
  if (f.meanMax) {
    QLineSeries* m =
        linea(QStringLiteral("Media delle massime (%1 °C)").arg(temperatureText(f.meanMax)),
              kMassime, Qt::DashLine);
    m->append(1, *f.meanMax);
    m->append(last.day(), *f.meanMax);
    all << m;
  }
  for (QLineSeries* l : all) c->addSeries(l);
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
  QList<int> senzaAnno, senzaNormale;
  for (int m = 1; m <= 12; ++m) {
    const auto v = s.monthValues(sc.anno, m).total;
    const auto nm = n.months[m - 1].total;
    *anno << (v ? mm(*v) : 0.0);
    *normale << (nm ? mm(*nm) : 0.0);
    hi = std::max({hi, v ? mm(*v) : 0.0, nm ? mm(*nm) : 0.0});
    if (!v) senzaAnno << m;
    if (!nm) senzaNormale << m;
  }
  auto* serie = new QBarSeries;
  serie->append(anno);
  const bool conNormale = n.firstYear != 0;
  Mancanti mancanti;
  mancanti.aggiungi(senzaAnno, conNormale ? kAccanto[0] : 0, sc.anno);
  if (conNormale) {
    serie->append(normale);
    mancanti.aggiungi(senzaNormale, kAccanto[1]);
  } else {
    delete normale;
  }
  const QList<QScatterSeries*> marks = mancanti.serie();
  c->addSeries(serie);
  for (QScatterSeries* m : marks) c->addSeries(m);
  auto* x = new QBarCategoryAxis;
  x->append(brevi());
  QValueAxis* y = asse(QStringLiteral("mm"), QStringLiteral("%.0f"));
  estendi(y, 0, hi, 20);
  c->addAxis(x, Qt::AlignBottom);
  c->addAxis(y, Qt::AlignLeft);
  serie->attachAxis(x);
  serie->attachAxis(y);
  for (QScatterSeries* m : marks) m->attachAxis(x), m->attachAxis(y);
  return c;
}

QChart* climogramma(const Normals& n, const QString& stazione) {
  QChart* c = nuovo(
      QStringLiteral("%1 - climogramma %2-%3").arg(stazione).arg(n.firstYear).arg(n.lastYear));
  auto* prp = new QBarSet(QStringLiteral("Precipitazione normale (mm)"));
  prp->setColor(kPioggia);
  QList<std::optional<QPointF>> temperature;
  QList<int> senza;
  double hiP = 0, loT = INFINITY, hiT = -INFINITY;
  for (int m = 1; m <= 12; ++m) {
    const Normal& nm = n.months[m - 1];
    *prp << (nm.total ? mm(*nm.total) : 0.0);
    if (nm.total)
      hiP = std::max(hiP, mm(*nm.total));
    else
      senza << m;
    temperature << std::nullopt;
    if (nm.meanTemperature) {
      temperature.last() = QPointF(m - 1, *nm.meanTemperature);
      loT = std::min(loT, *nm.meanTemperature);
      hiT = std::max(hiT, *nm.meanTemperature);
    }
  }
  auto* bars = new QBarSeries;
  bars->append(prp);
  Mancanti mancanti;
  mancanti.aggiungi(senza, 0);
  mensile(c, bars,
          spezzata(QStringLiteral("Temperatura media normale (°C)"), kMassime, temperature),
          mancanti.serie(), hiP, loT, hiT);
  return c;
}

QChart* confronto(const Scelta& sc, const Station& s, const QString& stazione) {
  QChart* c = nuovo(QStringLiteral("%1 - il %2 a confronto con il %3")
                        .arg(stazione)
                        .arg(sc.anno)
                        .arg(sc.altroAnno));
  auto* bars = new QBarSeries;
  QList<QLineSeries*> lines;
  Mancanti mancanti;
  double hiP = 0, loT = INFINITY, hiT = -INFINITY;
  const int anni[] = {sc.anno, sc.altroAnno};
  for (int i = 0; i < 2; ++i) {
    // The year's colour: its bars a lighter shade of it, edged with it.
    auto* set = new QBarSet(QStringLiteral("Precipitazione %1").arg(anni[i]));
    set->setColor(kAnni[i].lighter(150));
    set->setBorderColor(kAnni[i]);
    QList<std::optional<QPointF>> temperature;
    QList<int> senza;
    for (int m = 1; m <= 12; ++m) {
      const MonthValues v = s.monthValues(anni[i], m);
      *set << (v.total ? mm(*v.total) : 0.0);
      if (v.total)
        hiP = std::max(hiP, mm(*v.total));
      else
        senza << m;
      temperature << std::nullopt;
      if (const auto mt = v.meanTemperature()) {
        temperature.last() = QPointF(m - 1, *mt);
        loT = std::min(loT, *mt);
        hiT = std::max(hiT, *mt);
      }
    }
    bars->append(set);
    lines << spezzata(QStringLiteral("Temperatura media %1").arg(anni[i]), kAnni[i], temperature);
    mancanti.aggiungi(senza, kAccanto[i], anni[i]);
  }
  mensile(c, bars, lines, mancanti.serie(), hiP, loT, hiT);
  return c;
}

// The legend: bars as boxes, lines as lines and marks as marks, so that it
// tells them apart; the pieces of a broken line share its first one's entry.
QChart* finito(QChart* c) {
  for (QAbstractSeries* serie : c->series())
    for (QLegendMarker* m : c->legend()->markers(serie)) {
      if (serie->type() != QAbstractSeries::SeriesTypeBar)
        m->setShape(QLegend::MarkerShapeFromSeries);
      if (serie->property(kSeguito).toBool()) m->setVisible(false);
    }
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
      return finito(giornaliero(sc, s, stazione));
    case Tipo::Pioggia:
      return finito(pioggia(sc, s, n, stazione));
    case Tipo::Climogramma:
      return finito(climogramma(n, stazione));
    case Tipo::Confronto:
      return finito(confronto(sc, s, stazione));
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
    // The scene drawn straight onto the page: the view painted through a
    // scaled painter loses the legend's marks and all but its first text.
    const QSizeF fit = QSizeF(size).scaled(p.viewport().size(), Qt::KeepAspectRatio);
    QRectF target(QPointF(0, 0), fit);
    target.moveCenter(QRectF(p.viewport()).center());
    auto* chart = qobject_cast<QGraphicsView*>(view);
    if (chart) chart->render(&p, target, QRect(), Qt::KeepAspectRatio);
    drawn = p.end() && chart;
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
