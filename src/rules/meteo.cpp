#include "rules/meteo.h"

#include <cmath>

namespace meteo {

std::optional<num::Fixed4> dewPoint(double t, double u) {
  if (!std::isfinite(t) || !std::isfinite(u)) return std::nullopt;
  const auto x = num::toFixed4(1 - 0.01 * u);
  if (!x) return std::nullopt;
  const double xd = num::toDouble(*x);
  const auto c = num::toFixed4((0.117 * t + 15.9) * std::pow(xd, 14));
  const auto b = num::toFixed4(std::pow((0.007 * t + 2.5) * xd, 3));
  const auto a = num::toFixed4((0.114 * t + 14.55) * xd);
  const auto tf = num::toFixed4(t);
  if (!c || !b || !a || !tf) return std::nullopt;
  const auto ab = num::add(*a, *b);
  if (!ab) return std::nullopt;
  const auto d = num::add(*ab, *c);
  if (!d) return std::nullopt;
  return num::subtract(*tf, *d);
}

std::optional<QString> dewPointCaption(const QString& t, const QString& ur) {
  const auto tv = num::readLocale(t);
  const auto uv = num::readLocale(ur);
  if (!tv || !uv) return std::nullopt;
  const auto dew = dewPoint(*tv, *uv);
  if (!dew) return std::nullopt;
  return num::formatPattern(*dew) + QStringLiteral(" °C");
}

double pressureAt(double h) { return std::pow(0.9877, h / 100) * 1013.25; }

namespace {

// The plain number text of a value, or the out-of-range text when the value
// (or what it was computed from) is not finite.
QString plainOrOutOfRange(double value, const QString& unit) {
  if (!std::isfinite(value)) return kOutOfRange;
  return num::plainNumberText(value) + unit;
}

}  // namespace

QString pressureCaption(const QString& h) {
  const double metres = num::leadingNumber(h);
  if (!std::isfinite(metres)) return kOutOfRange;
  return plainOrOutOfRange(pressureAt(metres), QStringLiteral(" hPa"));
}

CloudBaseCaptions cloudBaseCaptions(const QString& ground, const QString& dew) {
  const double ta = num::leadingNumber(ground);
  const double tb = num::leadingNumber(dew);
  if (!std::isfinite(ta) || !std::isfinite(tb)) return {kOutOfRange, kOutOfRange};
  const double metres = (ta - tb) * 125;
  const double feet = metres * 3.3;
  return {plainOrOutOfRange(metres, QStringLiteral(" metri slm")),
          plainOrOutOfRange(feet, QStringLiteral(" piedi"))};
}

FrostVerdict frostVerdict(const QString& temperature, const QString& dewPoint, bool calmAndClear) {
  const double t = num::leadingNumber(temperature);
  const double td = num::leadingNumber(dewPoint);
  if (td > t) return {kFrostWarning, std::nullopt, std::nullopt};
  const double r = 9.0 / 5.0;
  const double tf = 32 + r * t;
  const double tdf = 32 + r * td;
  const double s = tf + tdf / 2;
  if (!std::isfinite(s)) return {kFrostOutOfRange, std::nullopt, std::nullopt};
  FrostVerdict result;
  result.temperatureF = num::plainNumberText(tf) + QStringLiteral("°F");
  result.dewPointF = num::plainNumberText(tdf) + QStringLiteral("°F");
  result.verdict = s < 79 && calmAndClear ? kFrostPossible : kFrostUnlikely;
  return result;
}

}  // namespace meteo
