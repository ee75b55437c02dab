#pragma once
// Checks at entry: values that are possible but unlikely, pointed out to the
// keeper and never refused. Each check gives the reasons to show beside the
// field, one line each, in Italian; no reason means nothing to say. Values are
// read with the same rules as the sheets (the locale number for temperatures,
// four-decimal fixed point for precipitation). A text that is not a number
// gives no reason to the single checks; the windows add notANumber's.

#include <QString>
#include <QStringList>
#include <QVector>

namespace entrychecks {

inline constexpr double kLowestTemperature = -60;
inline constexpr double kHighestTemperature = 60;
inline constexpr double kHighestDailyRain = 500;  // mm in one day
inline constexpr double kLargestJump = 20;        // °C from one day to the next

// What a text that is neither empty nor a number means where it stands: the
// means, the history's figures and the climate leave it out; the totals of the
// two precipitation sheets stop on it.
inline const QString kNotANumber = QStringLiteral("Non è un numero: escluso dai calcoli");
inline const QString kNotANumberStopsTotal =
    QStringLiteral("Non è un numero: il totale non si può calcolare");
// `reason` for a text that is neither empty nor a number, read as a
// temperature or, with `fixedPoint`, as precipitation.
QStringList notANumber(const QString& text, bool fixedPoint, const QString& reason = kNotANumber);

// A temperature below -60 or above +60 °C.
QStringList temperature(const QString& text);
// A minimum above its maximum (daily values or monthly means): the reason
// for both fields.
QStringList minimumAboveMaximum(const QString& minimum, const QString& maximum);
// Both of the above for a pair of fields, one list per field, and a text that
// is not a number.
struct PairWarnings {
  QStringList minimum, maximum;
};
PairWarnings temperatures(const QString& minimum, const QString& maximum);

// A day's precipitation below zero or above 500 mm.
QStringList dailyRain(const QString& text);
// A month's precipitation below zero.
QStringList monthlyRain(const QString& text);
// A snow depth or melted-water amount below zero.
QStringList amount(const QString& text);

// A month of daily temperatures (day 1 first, any number of days): for each
// cell its range, the minimum above the day's maximum, and a jump of more than
// 20 °C from the day before (only where both days hold a number), and a text
// that is not a number.
struct MonthWarnings {
  QVector<QStringList> minima, maxima;
};
MonthWarnings dailyTemperatures(const QStringList& minima, const QStringList& maxima);
// A month of daily precipitation: each cell's range, and `notNumber` for a
// text that is not a number.
QVector<QStringList> dailyRains(const QStringList& days, const QString& notNumber = kNotANumber);

// A second record of the same month and year: "Marzo  2006" as the archive
// stores it.
QString duplicateMonth(const QString& monthAndYear);

}  // namespace entrychecks
