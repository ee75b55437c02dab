#include "rules/rainreport.h"

#include "rules/months.h"

namespace rainreport {

namespace {

const QString kBlankLine = QStringLiteral("\r\n\r\n");
const QString kUnit = QStringLiteral(" mm");
const QString kFooter = QStringLiteral("Riepilogo creato con Nubilario 3.0 Pro");

// The exact sum of values[from..to]; nullopt on an overflow, which must never
// wrap into a plausible figure.
std::optional<num::Fixed4> sumRange(const QList<num::Fixed4>& values, int from, int to) {
  num::Fixed4 sum;
  for (int i = from; i <= to; ++i) {
    const auto next = num::add(sum, values.at(i));
    if (!next) return std::nullopt;
    sum = *next;
  }
  return sum;
}

std::optional<QList<num::Fixed4>> readAll(const QStringList& texts, int count) {
  QList<num::Fixed4> values;
  for (int i = 0; i < count; ++i) {
    const auto v = num::readFixed4(texts.value(i));
    if (!v) return std::nullopt;
    values.append(*v);
  }
  return values;
}

}  // namespace

QString millimetres(num::Fixed4 value) { return num::formatPattern(value) + kUnit; }

std::optional<MonthTotals> monthTotals(const QStringList& days) {
  const auto values = readAll(days, 31);
  if (!values) return std::nullopt;
  const auto month = sumRange(*values, 0, 30);
  const auto first = sumRange(*values, 0, 9);
  const auto second = sumRange(*values, 10, 19);
  const auto third = sumRange(*values, 20, 30);
  if (!month || !first || !second || !third) return std::nullopt;
  return MonthTotals{*month, *first, *second, *third};
}

bool isRainyDay(const QString& text) {
  if (text.isEmpty()) return false;
  const auto value = num::readLocale(text);
  return !(value && *value == 0);
}

QString dailyReport(const DailyReport& r) {
  QString text = QStringLiteral("Stazione meteorologica ") + r.station +
                 QStringLiteral(" - Pioggia giornaliera mese: ") + QString::number(r.month) +
                 QLatin1Char('/') + QString::number(r.year) + kBlankLine;
  for (int d = 1; d <= 31; ++d)
    text += QString::number(d) + QStringLiteral("° giorno: ") + r.days.value(d - 1) + kUnit +
            kBlankLine;
  text += QStringLiteral("Totale mensile: ") + r.total + kBlankLine;
  text += QStringLiteral("Totale prima decade: ") + r.first + kBlankLine;
  text += QStringLiteral("Totale seconda decade: ") + r.second + kBlankLine;
  text += QStringLiteral("Totale terza decade: ") + r.third + kBlankLine;
  text += kFooter;
  return text;
}

std::optional<YearFigures> yearFigures(const QStringList& months) {
  // Read in the order January to November, then December, as the sheet
  // stores December first.
  const auto values = readAll(months, 12);
  if (!values) return std::nullopt;
  const auto total = sumRange(*values, 0, 11);
  const auto firstHalf = sumRange(*values, 0, 5);
  const auto secondHalf = sumRange(*values, 6, 11);
  if (!total || !firstHalf || !secondHalf) return std::nullopt;
  return YearFigures{*total, num::toDouble(*total) / 12.0, *firstHalf, *secondHalf};
}

bool isWetMonth(const QString& text) {
  if (text.isEmpty()) return false;
  if (const auto value = num::readLocale(text)) return *value > 199;
  return QString::compare(text, QStringLiteral("199"), Qt::CaseSensitive) > 0;
}

QString yearReport(const YearReport& r) {
  QString text = QStringLiteral("Stazione meteorologica ") + r.station +
                 QStringLiteral(" - Precipitazioni anno ") + QString::number(r.year) + kBlankLine;
  for (int m = 0; m < 12; ++m)
    text += months::name(m + 1) + QStringLiteral(": ") + r.months.value(m) + kUnit + kBlankLine;
  text += QStringLiteral("Totale annuale: ") + r.total + kBlankLine;
  text += QStringLiteral("Totale primo semestre: ") + r.firstHalf + kUnit + kBlankLine;
  text += QStringLiteral("Totale secondo semestre: ") + r.secondHalf + kUnit + kBlankLine;
  text += QStringLiteral("Media mensile: ") + r.mean + kBlankLine;
  text += kFooter;
  return text;
}

}  // namespace rainreport
