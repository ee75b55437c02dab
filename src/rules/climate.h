#pragma once
// The station's climate, counted from its own readings: the figures of a
// month, a year or any span of days (means, totals, counted days, extremes
// with their dates, spells), the completeness of each month, the station's
// records, and the normals of a reference period with a month's or a year's
// departure from them.
//
// The counted days follow the usual climate-change indices: frost days
// (minimum below 0 °C), ice days (maximum below 0 °C), summer days (maximum
// above 25 °C), tropical nights (minimum above 20 °C), days of at least 1, 10
// and 20 mm; the wettest five days are five consecutive days, dated by their
// last; a dry spell is a run of days under 1 mm, a wet one of days of at least
// 1 mm. A day without a value breaks a spell and a five-day window, and a
// spell is cut at the ends of the span counted.
//
// Precipitation is counted in ten-thousandths of a millimetre, as the sheets
// read it, so totals are exact; temperatures are the numbers the sheets read.

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

#include "rules/history.h"

namespace climate {

using Tenths4 = qint64;  // ten-thousandths of a millimetre

// One day's numbers, as the history stores them.
using Day = DayNumbers;

// A month of the monthly archives: the means and the total as recorded.
struct ArchiveMonth {
  int year = 0, month = 0;
  std::optional<double> meanMax, meanMin;
  std::optional<Tenths4> total;
};

// Reads the months of the temperature and the rain archive (one text per
// column, in the table's order); records not in the entry dialogs' form, or
// without a number, give no value. A month recorded twice keeps its last record.
QVector<ArchiveMonth> archiveMonths(const QVector<QStringList>& temperature,
                                    const QVector<QStringList>& rain);

// An extreme and the first day it happened (for five days, the last of them).
struct Extreme {
  std::optional<double> value;  // °C
  QDate date;
};
struct RainExtreme {
  std::optional<Tenths4> value;
  QDate date;
};
struct Spell {
  int length = 0;
  QDate first, last;  // the first such spell of that length
};

enum class Element { Minimum, Maximum, Rain };

// The figures of the days from `first` to `last`, both included.
struct Figures {
  QDate first, last;
  int days = 0;                                         // calendar days in the span
  int missingMin = 0, missingMax = 0, missingRain = 0;  // days without that value
  std::optional<double> meanMin, meanMax;               // over the days that have one
  std::optional<double> meanTemperature;                // (mean minimum + mean maximum) / 2
  std::optional<Tenths4> totalRain;                     // none when no day has a value
  int frostDays = 0, iceDays = 0, summerDays = 0, tropicalNights = 0;
  int rain1 = 0, rain10 = 0, rain20 = 0;
  Extreme highestMax, lowestMax, highestMin, lowestMin;
  RainExtreme wettestDay, wettestFive;
  Spell dry, wet;
  int missing(Element e) const;
};

// `days` in date order; days outside the span, and repeats, are ignored.
Figures figures(const QVector<Day>& days, const QDate& first, const QDate& last);

// A month is complete for an element when at most 10 of its days are
// missing and never more than 4 in a row. Days after `today` are not yet
// missing: a month not over is judged on the days gone by.
struct Completeness {
  int missing = 0;
  int longestGap = 0;
  bool complete = false;
};
Completeness completeness(const QVector<Day>& days, int year, int month, Element e,
                          const QDate& today = QDate::currentDate());

// What is known of one month, from the history where the month is complete
// there and from the monthly archive otherwise.
struct MonthValues {
  int year = 0, month = 0;
  std::optional<double> meanMin, meanMax;
  std::optional<Tenths4> total;
  enum class Source { None, History, Archive };
  Source temperatureSource = Source::None, rainSource = Source::None;
  std::optional<double> meanTemperature() const;
};

// The station: every day of the history and every archived month, indexed
// for the figures of any month, year or span.
class Station {
 public:
  Station() = default;
  Station(QVector<Day> days, QVector<ArchiveMonth> archive,
          const QDate& today = QDate::currentDate());

  const QVector<Day>& days() const { return days_; }
  bool isEmpty() const { return days_.isEmpty() && archive_.isEmpty(); }
  // The first and last year with any reading; 0 when none.
  int firstYear() const { return firstYear_; }
  int lastYear() const { return lastYear_; }

  Figures month(int year, int month) const;
  Figures year(int year) const;
  Figures span(const QDate& first, const QDate& last) const;
  // The days of the span, in date order (a view into the station's days).
  QVector<Day> daysOf(const QDate& first, const QDate& last) const;

  MonthValues monthValues(int year, int month) const;
  Completeness completeness(int year, int month, Element e) const;

  // The years whose twelve months are all known (temperature and
  // precipitation); the default reference period is 1991-2020 when every
  // one of those years is complete, otherwise every complete year.
  QList<int> completeYears() const;
  std::pair<int, int> defaultReference() const;

 private:
  QVector<Day> days_;
  QVector<ArchiveMonth> archive_;
  QDate today_;
  int firstYear_ = 0, lastYear_ = 0;
};

// A calendar month's normal over the years of a reference period: the mean
// of its known months (incomplete months left out), and how many years gave it.
struct Normal {
  std::optional<double> meanMin, meanMax, meanTemperature;
  std::optional<Tenths4> total;
  int temperatureYears = 0, rainYears = 0;
};
struct Normals {
  int firstYear = 0, lastYear = 0;
  Normal months[12];
  // The year's: the sums of the months' totals and the mean of their means,
  // only when all twelve months have a normal.
  Normal year;
};
Normals normals(const Station& s, int firstYear, int lastYear);

// A month's or a year's departure from its normal (value minus normal).
struct Departure {
  std::optional<double> meanMin, meanMax, meanTemperature;
  std::optional<Tenths4> total;
  std::optional<double> totalPercent;  // the total as a percentage of the normal
};
Departure departure(const MonthValues& v, const Normal& n);
Departure departure(const Figures& year, const Normal& n);

// The station's records: of each calendar month (index 0 to 11) and of all
// time, from the history's days; the wettest month from the months known.
struct Records {
  Extreme highestMax, lowestMin, highestMin, lowestMax;
  RainExtreme wettestDay, wettestFive;
  RainExtreme wettestMonth, driestMonth;  // dated by the month's first day
};
struct StationRecords {
  Records months[12];
  Records allTime;
};
StationRecords records(const Station& s);

// A month's figures for the monthly summary, from the history's days, in the
// "#,##0.00" writing of the sheets; empty where no day gives one. The events
// are the days with any precipitation; the year's total runs from 1 January
// to the month's end.
struct MonthSummary {
  QString meanMin, meanMax;
  QString decadeMin[3], decadeMax[3];  // days 1-10, 11-20, 21 to the end
  QString lowestMin, highestMax;
  QString total, events, wettest, wettestDate;  // the date as dd/MM/yyyy
  QString yearTotal;
};
MonthSummary monthSummary(const Station& s, int year, int month);

// The numbers in the program's writing: "12,3" (one decimal, decimal comma,
// halves away from zero, "-0,0" never; empty when absent), and millimetres
// from ten-thousandths, exactly: "12,4". A mean is rounded as the exact
// quotient would be: its double lies within far less than the 1e-9 nudge of
// a half for any span of typed values of up to four decimals.
QString temperatureText(const std::optional<double>& v, int decimals = 1);
QString rainText(const std::optional<Tenths4>& v, int decimals = 1);

}  // namespace climate
