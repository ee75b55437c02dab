#include "rules/entrychecks.h"

#include <cmath>

#include "rules/numbers.h"

namespace entrychecks {

namespace {

QString degrees(double v) { return num::formatPattern(v) + QStringLiteral(" °C"); }

std::optional<double> reading(const QString& text) {
  if (text.trimmed().isEmpty()) return std::nullopt;
  return num::readLocale(text);
}

}  // namespace

QStringList notANumber(const QString& text, bool fixedPoint, const QString& reason) {
  if (text.trimmed().isEmpty()) return {};
  const bool number =
      fixedPoint ? num::readFixed4(text).has_value() : num::readLocale(text).has_value();
  return number ? QStringList() : QStringList{reason};
}

QStringList temperature(const QString& text) {
  const auto v = reading(text);
  if (!v || (*v >= kLowestTemperature && *v <= kHighestTemperature)) return {};
  return {QStringLiteral("Temperatura fuori dall'intervallo plausibile (da -60 a +60 °C)")};
}

QStringList minimumAboveMaximum(const QString& minimum, const QString& maximum) {
  const auto lo = reading(minimum);
  const auto hi = reading(maximum);
  if (!lo || !hi || *lo <= *hi) return {};
  return {QStringLiteral("La minima (%1) supera la massima (%2)").arg(degrees(*lo), degrees(*hi))};
}

PairWarnings temperatures(const QString& minimum, const QString& maximum) {
  PairWarnings w{temperature(minimum), temperature(maximum)};
  const QStringList both = minimumAboveMaximum(minimum, maximum);
  w.minimum << both << notANumber(minimum, false);
  w.maximum << both << notANumber(maximum, false);
  return w;
}

QStringList dailyRain(const QString& text) {
  if (text.trimmed().isEmpty()) return {};
  const auto v = num::readFixed4(text);
  if (!v) return {};
  if (v->units < 0) return {QStringLiteral("Precipitazione negativa")};
  if (v->units > qint64(kHighestDailyRain) * 10000)
    return {QStringLiteral("Precipitazione oltre 500 mm in un giorno")};
  return {};
}

QStringList monthlyRain(const QString& text) {
  if (text.trimmed().isEmpty()) return {};
  const auto v = num::readFixed4(text);
  if (v && v->units < 0) return {QStringLiteral("Precipitazione negativa")};
  return {};
}

QStringList amount(const QString& text) {
  if (text.trimmed().isEmpty()) return {};
  const auto v = num::readFixed4(text);
  if (v && v->units < 0) return {QStringLiteral("Valore negativo")};
  return {};
}

MonthWarnings dailyTemperatures(const QStringList& minima, const QStringList& maxima) {
  const int days = int(std::max(minima.size(), maxima.size()));
  MonthWarnings w;
  w.minima.resize(days);
  w.maxima.resize(days);
  auto at = [](const QStringList& l, int i) { return i < l.size() ? l[i] : QString(); };
  auto jump = [](const QString& before, const QString& now) -> QStringList {
    const auto a = reading(before);
    const auto b = reading(now);
    if (!a || !b || std::fabs(*b - *a) <= kLargestJump) return {};
    return {QStringLiteral("Salto di %1 rispetto al giorno precedente")
                .arg(degrees(std::fabs(*b - *a)))};
  };
  for (int d = 0; d < days; ++d) {
    const PairWarnings pair = temperatures(at(minima, d), at(maxima, d));
    w.minima[d] = pair.minimum;
    w.maxima[d] = pair.maximum;
    if (d > 0) {
      w.minima[d] << jump(at(minima, d - 1), at(minima, d));
      w.maxima[d] << jump(at(maxima, d - 1), at(maxima, d));
    }
  }
  return w;
}

QVector<QStringList> dailyRains(const QStringList& days, const QString& notNumber) {
  QVector<QStringList> w;
  w.reserve(days.size());
  for (const QString& d : days) w << dailyRain(d) + notANumber(d, true, notNumber);
  return w;
}

QString duplicateMonth(const QString& monthAndYear) {
  return QStringLiteral("L'archivio ha già un dato per %1").arg(monthAndYear.simplified());
}

}  // namespace entrychecks
