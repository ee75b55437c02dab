#include "rules/climate.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

#include "rules/months.h"
#include "rules/numbers.h"
#include "rules/records.h"

namespace climate {

namespace {

constexpr Tenths4 kOneMm = 10000;
constexpr int kMaxMissing = 10;
constexpr int kMaxGap = 4;

std::optional<double> temperatureOf(const QString& text) { return num::readLocale(text); }

std::optional<Tenths4> rainOf(const QString& text) {
  const auto v = num::readFixed4(text);
  return v ? std::optional<Tenths4>(v->units) : std::nullopt;
}

int monthNumber(const QString& name) { return int(months::names().indexOf(name)) + 1; }

// Keeps the greater (or the lesser) value, and the first date it came on.
template <class E, class V>
void keep(E& e, V v, const QDate& d, bool greater) {
  if (!e.value || (greater ? v > *e.value : v < *e.value)) e = {v, d};
}

// Runs of days meeting a condition: the longest, the first of that length.
struct Run {
  Spell best;
  int length = 0;
  QDate first;
  void step(bool on, const QDate& d) {
    if (!on) return end();
    if (length++ == 0) first = d;
    if (length > best.length) best = {length, first, d};
  }
  void end() { length = 0; }
};

}  // namespace

QVector<ArchiveMonth> archiveMonths(const QVector<QStringList>& temperature,
                                    const QVector<QStringList>& rain) {
  QMap<std::pair<int, int>, ArchiveMonth> byMonth;
  auto at = [&](const QString& month, const QString& year) -> ArchiveMonth* {
    const int m = monthNumber(month);
    bool ok = false;
    const int y = year.toInt(&ok);
    if (m < 1 || !ok) return nullptr;
    ArchiveMonth& a = byMonth[{y, m}];
    a.year = y;
    a.month = m;
    return &a;
  };
  for (const QStringList& values : temperature)
    if (const auto r = records::parseTemperature(values))
      if (ArchiveMonth* a = at(r->month, r->year)) {
        a->meanMax = temperatureOf(r->max);
        a->meanMin = temperatureOf(r->min);
      }
  for (const QStringList& values : rain)
    if (const auto r = records::parseRain(values))
      if (ArchiveMonth* a = at(r->month, r->year)) a->total = rainOf(r->total);
  return byMonth.values().toVector();
}

int Figures::missing(Element e) const {
  return e == Element::Minimum ? missingMin : e == Element::Maximum ? missingMax : missingRain;
}

Figures figures(const QVector<Day>& days, const QDate& first, const QDate& last) {
  Figures f;
  f.first = first;
  f.last = last;
  if (!first.isValid() || !last.isValid() || last < first) return f;
  auto it = std::lower_bound(days.begin(), days.end(), first,
                             [](const Day& d, const QDate& date) { return d.date < date; });
  double sumMin = 0, sumMax = 0;
  int nMin = 0, nMax = 0;
  Tenths4 total = 0;
  int nRain = 0;
  Run dry, wet;
  Tenths4 window[5] = {};
  int inWindow = 0;  // consecutive days with a value, up to this one
  for (QDate d = first; d <= last; d = d.addDays(1)) {
    ++f.days;
    while (it != days.end() && it->date < d) ++it;
    const Day* day = (it != days.end() && it->date == d) ? &*it : nullptr;
    if (day) ++it;
    if (day && day->minimum) {
      const double v = *day->minimum;
      sumMin += v;
      ++nMin;
      if (v < 0) ++f.frostDays;
      if (v > 20) ++f.tropicalNights;
      keep(f.lowestMin, v, d, false);
      keep(f.highestMin, v, d, true);
    } else {
      ++f.missingMin;
    }
    if (day && day->maximum) {
      const double v = *day->maximum;
      sumMax += v;
      ++nMax;
      if (v < 0) ++f.iceDays;
      if (v > 25) ++f.summerDays;
      keep(f.highestMax, v, d, true);
      keep(f.lowestMax, v, d, false);
    } else {
      ++f.missingMax;
    }
    if (day && day->rain) {
      const Tenths4 r = *day->rain;
      total += r;
      ++nRain;
      if (r >= kOneMm) ++f.rain1;
      if (r >= 10 * kOneMm) ++f.rain10;
      if (r >= 20 * kOneMm) ++f.rain20;
      keep(f.wettestDay, r, d, true);
      dry.step(r < kOneMm, d);
      wet.step(r >= kOneMm, d);
      window[f.days % 5] = r;
      if (++inWindow >= 5) {
        Tenths4 five = 0;
        for (Tenths4 w : window) five += w;
        keep(f.wettestFive, five, d, true);
      }
    } else {
      ++f.missingRain;
      dry.end();
      wet.end();
      inWindow = 0;
    }
  }
  if (nMin) f.meanMin = sumMin / nMin;
  if (nMax) f.meanMax = sumMax / nMax;
  if (f.meanMin && f.meanMax) f.meanTemperature = (*f.meanMin + *f.meanMax) / 2;
  if (nRain) f.totalRain = total;
  f.dry = dry.best;
  f.wet = wet.best;
  return f;
}

Completeness completeness(const QVector<Day>& days, int year, int month, Element e,
                          const QDate& today) {
  Completeness c;
  const QDate first(year, month, 1);
  if (!first.isValid() || first > today) return c;
  const QDate last = std::min(first.addMonths(1).addDays(-1), today);
  auto it = std::lower_bound(days.begin(), days.end(), first,
                             [](const Day& d, const QDate& date) { return d.date < date; });
  int gap = 0;
  for (QDate d = first; d <= last; d = d.addDays(1)) {
    while (it != days.end() && it->date < d) ++it;
    const Day* day = (it != days.end() && it->date == d) ? &*it : nullptr;
    const bool has = day && (e == Element::Minimum   ? day->minimum.has_value()
                             : e == Element::Maximum ? day->maximum.has_value()
                                                     : day->rain.has_value());
    if (has) {
      gap = 0;
    } else {
      ++c.missing;
      c.longestGap = std::max(c.longestGap, ++gap);
    }
  }
  c.complete = c.missing <= kMaxMissing && c.longestGap <= kMaxGap;
  return c;
}

std::optional<double> MonthValues::meanTemperature() const {
  if (!meanMin || !meanMax) return std::nullopt;
  return (*meanMin + *meanMax) / 2;
}

Station::Station(QVector<Day> days, QVector<ArchiveMonth> archive, const QDate& today)
    : days_(std::move(days)), archive_(std::move(archive)), today_(today) {
  std::sort(days_.begin(), days_.end(), [](const Day& a, const Day& b) { return a.date < b.date; });
  days_.erase(std::unique(days_.begin(), days_.end(),
                          [](const Day& a, const Day& b) { return a.date == b.date; }),
              days_.end());
  std::sort(archive_.begin(), archive_.end(), [](const ArchiveMonth& a, const ArchiveMonth& b) {
    return std::pair(a.year, a.month) < std::pair(b.year, b.month);
  });
  QList<int> years;
  if (!days_.isEmpty()) years << days_.first().date.year() << days_.last().date.year();
  if (!archive_.isEmpty()) years << archive_.first().year << archive_.last().year;
  if (!years.isEmpty()) {
    firstYear_ = *std::min_element(years.begin(), years.end());
    lastYear_ = *std::max_element(years.begin(), years.end());
  }
}

QVector<Day> Station::daysOf(const QDate& first, const QDate& last) const {
  auto lo = std::lower_bound(days_.begin(), days_.end(), first,
                             [](const Day& d, const QDate& date) { return d.date < date; });
  auto hi = std::upper_bound(days_.begin(), days_.end(), last,
                             [](const QDate& date, const Day& d) { return date < d.date; });
  return lo < hi ? QVector<Day>(lo, hi) : QVector<Day>();
}

Figures Station::span(const QDate& first, const QDate& last) const {
  return figures(daysOf(first, last), first, last);
}

Figures Station::month(int year, int month) const {
  const QDate first(year, month, 1);
  return span(first, first.addMonths(1).addDays(-1));
}

Figures Station::year(int year) const { return span(QDate(year, 1, 1), QDate(year, 12, 31)); }

Completeness Station::completeness(int year, int month, Element e) const {
  const QDate first(year, month, 1);
  return climate::completeness(daysOf(first, first.addMonths(1).addDays(-1)), year, month, e,
                               today_);
}

MonthValues Station::monthValues(int year, int month) const {
  MonthValues v;
  v.year = year;
  v.month = month;
  const QDate first(year, month, 1);
  // A month not over yet has no monthly value.
  if (!first.isValid() || first.addMonths(1).addDays(-1) > today_) return v;
  const QVector<Day> days = daysOf(first, first.addMonths(1).addDays(-1));
  const Figures f = figures(days, first, first.addMonths(1).addDays(-1));
  auto complete = [&](Element e) {
    return climate::completeness(days, year, month, e, today_).complete;
  };
  if (complete(Element::Minimum) && complete(Element::Maximum)) {
    v.meanMin = f.meanMin;
    v.meanMax = f.meanMax;
    v.temperatureSource = MonthValues::Source::History;
  }
  if (complete(Element::Rain)) {
    v.total = f.totalRain;
    v.rainSource = MonthValues::Source::History;
  }
  const auto a = std::lower_bound(archive_.begin(), archive_.end(), std::pair(year, month),
                                  [](const ArchiveMonth& m, const std::pair<int, int>& k) {
                                    return std::pair(m.year, m.month) < k;
                                  });
  if (a != archive_.end() && a->year == year && a->month == month) {
    if (v.temperatureSource == MonthValues::Source::None && a->meanMin && a->meanMax) {
      v.meanMin = a->meanMin;
      v.meanMax = a->meanMax;
      v.temperatureSource = MonthValues::Source::Archive;
    }
    if (v.rainSource == MonthValues::Source::None && a->total) {
      v.total = a->total;
      v.rainSource = MonthValues::Source::Archive;
    }
  }
  return v;
}

QList<int> Station::completeYears() const {
  QList<int> years;
  for (int y = firstYear_; y && y <= lastYear_; ++y) {
    bool all = true;
    for (int m = 1; m <= 12 && all; ++m) {
      const MonthValues v = monthValues(y, m);
      all = v.meanTemperature() && v.total;
    }
    if (all) years << y;
  }
  return years;
}

std::pair<int, int> Station::defaultReference() const {
  const QList<int> years = completeYears();
  int covered = 0;
  for (int y : years) covered += (y >= 1991 && y <= 2020);
  if (covered == 30) return {1991, 2020};
  if (years.isEmpty()) return {0, 0};
  return {years.first(), years.last()};
}

Normals normals(const Station& s, int firstYear, int lastYear) {
  Normals n;
  n.firstYear = firstYear;
  n.lastYear = lastYear;
  for (int m = 1; m <= 12; ++m) {
    double sumMin = 0, sumMax = 0;
    Tenths4 total = 0;
    Normal& nm = n.months[m - 1];
    for (int y = firstYear; y <= lastYear && y > 0; ++y) {
      const MonthValues v = s.monthValues(y, m);
      if (v.meanMin && v.meanMax) {
        sumMin += *v.meanMin;
        sumMax += *v.meanMax;
        ++nm.temperatureYears;
      }
      if (v.total) {
        total += *v.total;
        ++nm.rainYears;
      }
    }
    if (nm.temperatureYears) {
      nm.meanMin = sumMin / nm.temperatureYears;
      nm.meanMax = sumMax / nm.temperatureYears;
      nm.meanTemperature = (*nm.meanMin + *nm.meanMax) / 2;
    }
    // Rounded to the nearest ten-thousandth, halves away from zero.
    if (nm.rainYears) nm.total = (2 * total + nm.rainYears) / (2 * nm.rainYears);
  }
  bool temperatures = true, rains = true;
  double sumMin = 0, sumMax = 0;
  Tenths4 total = 0;
  for (const Normal& nm : n.months) {
    temperatures = temperatures && nm.meanMin && nm.meanMax;
    rains = rains && nm.total;
    if (temperatures) sumMin += *nm.meanMin, sumMax += *nm.meanMax;
    if (rains) total += *nm.total;
  }
  if (temperatures) {
    n.year.meanMin = sumMin / 12;
    n.year.meanMax = sumMax / 12;
    n.year.meanTemperature = (*n.year.meanMin + *n.year.meanMax) / 2;
  }
  if (rains) n.year.total = total;
  return n;
}

namespace {
Departure departureOf(const std::optional<double>& min, const std::optional<double>& max,
                      const std::optional<double>& mean, const std::optional<Tenths4>& total,
                      const Normal& n) {
  Departure d;
  if (min && n.meanMin) d.meanMin = *min - *n.meanMin;
  if (max && n.meanMax) d.meanMax = *max - *n.meanMax;
  if (mean && n.meanTemperature) d.meanTemperature = *mean - *n.meanTemperature;
  if (total && n.total) {
    d.total = *total - *n.total;
    if (*n.total > 0) d.totalPercent = 100.0 * double(*total) / double(*n.total);
  }
  return d;
}
}  // namespace

Departure departure(const MonthValues& v, const Normal& n) {
  return departureOf(v.meanMin, v.meanMax, v.meanTemperature(), v.total, n);
}

Departure departure(const Figures& f, const Normal& n) {
  return departureOf(f.meanMin, f.meanMax, f.meanTemperature, f.totalRain, n);
}

StationRecords records(const Station& s) {
  StationRecords r;
  auto merge = [](Records& into, const Figures& f) {
    auto take = [](Extreme& e, const Extreme& x, bool greater) {
      if (x.value) keep(e, *x.value, x.date, greater);
    };
    auto takeRain = [](RainExtreme& e, const RainExtreme& x) {
      if (x.value) keep(e, *x.value, x.date, true);
    };
    take(into.highestMax, f.highestMax, true);
    take(into.lowestMax, f.lowestMax, false);
    take(into.highestMin, f.highestMin, true);
    take(into.lowestMin, f.lowestMin, false);
    takeRain(into.wettestDay, f.wettestDay);
  };
  for (int y = s.firstYear(); y && y <= s.lastYear(); ++y) {
    for (int m = 1; m <= 12; ++m) {
      const Figures f = s.month(y, m);
      merge(r.months[m - 1], f);
      merge(r.allTime, f);
      const MonthValues v = s.monthValues(y, m);
      if (v.total) {
        const QDate d(y, m, 1);
        for (Records* into : {&r.months[m - 1], &r.allTime}) {
          keep(into->wettestMonth, *v.total, d, true);
          keep(into->driestMonth, *v.total, d, false);
        }
      }
    }
  }
  // Five days can straddle two months: counted over the whole history.
  if (!s.days().isEmpty()) {
    const Figures all = s.span(s.days().first().date, s.days().last().date);
    r.allTime.wettestFive = all.wettestFive;
    for (int m = 1; m <= 12; ++m) {
      for (int y = s.firstYear(); y <= s.lastYear(); ++y) {
        const QDate first(y, m, 1);
        const Figures f = s.span(first.addDays(-4), first.addMonths(1).addDays(-1));
        // The five days end in this month.
        if (f.wettestFive.value && f.wettestFive.date >= first)
          keep(r.months[m - 1].wettestFive, *f.wettestFive.value, f.wettestFive.date, true);
      }
    }
  }
  return r;
}

MonthSummary monthSummary(const Station& s, int year, int month) {
  MonthSummary m;
  const QDate first(year, month, 1);
  if (!first.isValid()) return m;
  const QDate last = first.addMonths(1).addDays(-1);
  auto temp = [](const std::optional<double>& v) { return v ? num::formatPattern(*v) : QString(); };
  auto mm = [](const std::optional<Tenths4>& v) {
    return v ? num::formatPattern(num::Fixed4{*v}) : QString();
  };
  const Figures f = s.span(first, last);
  m.meanMin = temp(f.meanMin);
  m.meanMax = temp(f.meanMax);
  const QDate decades[] = {first, first.addDays(10), first.addDays(20), last.addDays(1)};
  for (int i = 0; i < 3; ++i) {
    const Figures d = s.span(decades[i], decades[i + 1].addDays(-1));
    m.decadeMin[i] = temp(d.meanMin);
    m.decadeMax[i] = temp(d.meanMax);
  }
  m.lowestMin = temp(f.lowestMin.value);
  m.highestMax = temp(f.highestMax.value);
  m.total = mm(f.totalRain);
  if (f.totalRain) {
    int events = 0;
    for (const Day& d : s.daysOf(first, last)) events += d.rain && *d.rain > 0;
    m.events = QString::number(events);
  }
  if (f.wettestDay.value && *f.wettestDay.value > 0) {
    m.wettest = mm(f.wettestDay.value);
    m.wettestDate = f.wettestDay.date.toString(QStringLiteral("dd/MM/yyyy"));
  }
  m.yearTotal = mm(s.span(QDate(year, 1, 1), last).totalRain);
  return m;
}

namespace {
// Halves away from zero; the nudge carries a mean whose exact value is a half
// but whose double lies just under it.
double roundHalfAway(double v, int decimals) {
  const double scale = std::pow(10.0, decimals);
  const double x = std::abs(v) * scale;
  const double r = std::floor(x + 0.5 + 1e-9 * std::max(1.0, x));
  return std::copysign(r / scale, v);
}
}  // namespace

QString temperatureText(const std::optional<double>& v, int decimals) {
  if (!v || !std::isfinite(*v)) return {};
  double r = roundHalfAway(*v, decimals);
  if (r == 0) r = 0;  // never "-0,0"
  return num::programLocale().toString(r, 'f', decimals);
}

QString rainText(const std::optional<Tenths4>& v, int decimals) {
  if (!v) return {};
  decimals = std::clamp(decimals, 0, 4);
  Tenths4 unit = 1;
  for (int i = decimals; i < 4; ++i) unit *= 10;
  const Tenths4 a = *v < 0 ? -*v : *v;
  const Tenths4 q = (a + unit / 2) / unit;  // halves away from zero
  Tenths4 scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  QString text = QString::number(q / scale);
  if (decimals > 0)
    text += num::programLocale().decimalPoint() +
            QStringLiteral("%1").arg(q % scale, decimals, 10, QLatin1Char('0'));
  return (*v < 0 && q != 0) ? QStringLiteral("-") + text : text;
}

}  // namespace climate
