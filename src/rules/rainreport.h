#pragma once
// Rules of the two precipitation sheets: the totals in four-decimal fixed
// point, the cell highlighting tests and the text reports. Pure functions of
// the cells' texts; the windows only show what comes out.

#include <QString>
#include <QStringList>
#include <optional>

#include "rules/numbers.h"

namespace rainreport {

// Shown when a cell does not read as a number (or the sums leave the range).
inline const QString kTypingError =
    QStringLiteral("Errore: digitazione errata! Ricontrollare i campi");

// A sum as the sheets show it: "#,##0.00" and the unit ("1.234,50 mm").
QString millimetres(num::Fixed4 value);

// ---- Daily precipitation -----------------------------------------------------

struct MonthTotals {
  num::Fixed4 month;
  num::Fixed4 first;   // days 1 to 10
  num::Fixed4 second;  // days 11 to 20
  num::Fixed4 third;   // days 21 to 31, whatever the month's length
};
// days: the texts of day 1 to day 31. nullopt as soon as a text is not a
// number of the locale (empty included) or a sum leaves the fixed-point range.
std::optional<MonthTotals> monthTotals(const QStringList& days);

// A day cell stands out when it holds something that does not read as zero:
// letters count as rain, an empty cell or "0,0" does not.
bool isRainyDay(const QString& text);

struct DailyReport {
  QString station;
  int month = 1;
  int year = 2000;
  QStringList days;                     // day 1 to day 31, as typed
  QString total, first, second, third;  // captions, already ending in " mm"
};
// The report text without its final line end.
QString dailyReport(const DailyReport& r);

// ---- Current-year precipitation ----------------------------------------------

struct YearFigures {
  num::Fixed4 total;
  double mean = 0;         // total / 12, however many months are filled in
  num::Fixed4 firstHalf;   // January to June
  num::Fixed4 secondHalf;  // July to December
};
// months: the texts of January to December. nullopt as for monthTotals.
std::optional<YearFigures> yearFigures(const QStringList& months);

// A month stands out above 199 mm; a text that is not a number is compared
// as text with "199", so letters stand out too.
bool isWetMonth(const QString& text);

struct YearReport {
  QString station;
  int year = 2000;
  QStringList months;  // January to December, as typed
  QString total;       // caption, ends in " mm"
  QString firstHalf;   // caption without unit
  QString secondHalf;  // caption without unit
  QString mean;        // caption, ends in " mm"
};
QString yearReport(const YearReport& r);

}  // namespace rainreport
