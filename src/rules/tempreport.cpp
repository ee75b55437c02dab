#include "rules/tempreport.h"

#include <cmath>

namespace tempreport {

namespace {
const QString kNewline = QStringLiteral("\r\n");
const QString kDegrees = QStringLiteral(" °C");

QString at(const QStringList& texts, int i) { return i < texts.size() ? texts.at(i) : QString(); }

// The texts of days first to last (1-based).
QStringList days(const QStringList& column, int first, int last) {
  QStringList out;
  for (int d = first; d <= last; ++d) out << at(column, d - 1);
  return out;
}
}  // namespace

std::optional<double> mean(const QStringList& texts, const QLocale& locale) {
  double sum = 0;
  int count = 0;
  for (const QString& t : texts) {
    if (const auto v = num::readLocale(t, locale)) {
      sum += *v;
      ++count;
    }
  }
  if (count == 0) return std::nullopt;
  const double m = sum / count;
  if (!std::isfinite(m)) return std::nullopt;
  return m;
}

QStringList meanCaptions(const QStringList& column, const QLocale& locale) {
  struct Range {
    int first, last;
    bool unit;
  };
  static const Range ranges[] = {{1, 31, false}, {1, 10, true}, {11, 20, true}, {21, 31, true}};
  QStringList captions;
  for (const Range& r : ranges) {
    const auto m = mean(days(column, r.first, r.last), locale);
    if (!m) break;
    captions << num::formatPattern(*m, locale) + (r.unit ? kDegrees : QString());
  }
  return captions;
}

QString dayLabel(int day) {
  const bool twoBlanks =
      (day >= 2 && day <= 9) || (day >= 13 && day <= 16) || day == 20 || day == 21;
  return QString::number(day) + QStringLiteral("° Giorno:") +
         (twoBlanks ? QStringLiteral("  ") : QStringLiteral(" "));
}

QString separator(int day) {
  return day == 1 ? QStringLiteral("   /   ") : QStringLiteral("    /    ");
}

QString compose(const QString& station, int month, int year, const QStringList& minima,
                const QStringList& maxima, const Captions& c) {
  QString r = QStringLiteral("Stazione meteorologica ") + station +
              QStringLiteral(" - Temperature mese: ") + QString::number(month) + QLatin1Char('/') +
              QString::number(year) + kNewline + kNewline;
  for (int d = 1; d <= 31; ++d) {
    r += dayLabel(d) + at(minima, d - 1) + kDegrees + separator(d) + at(maxima, d - 1) + kDegrees +
         kNewline + kNewline;
  }
  r += kNewline;
  r += QStringLiteral("Media valori minimi (°C): ") + c.mediamax + kNewline + kNewline;
  r += QStringLiteral("Prima decade: ") + c.decadeunomin + kNewline;
  r += QStringLiteral("Seconda decade: ") + c.decadeduemin + kNewline;
  r += QStringLiteral("Terza decade: ") + c.decadetremin + kNewline + kNewline;
  r += QStringLiteral("Media valori massimi (°C): ") + c.mediamin + kNewline + kNewline;
  r += QStringLiteral("Prima decade: ") + c.decadeunomax + kNewline;
  r += QStringLiteral("Seconda decade: ") + c.decadeduemax + kNewline;
  r += QStringLiteral("Terza decade: ") + c.decadetremax + kNewline + kNewline;
  r += QStringLiteral("Riepilogo creato con Nubilario 3.0 Pro");
  return r;
}

}  // namespace tempreport
