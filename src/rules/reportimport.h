#pragma once
// Reading back the text reports of the two daily sheets (minima and maxima,
// daily precipitation), so that years of saved reports can fill a daily
// history. The layout is the one tempreport::compose and
// rainreport::dailyReport write: a file that strays from it is refused whole
// rather than guessed at, and every value left out is named with its reason.
//
// Accepted: Windows-1252 (what the program writes) or UTF-8 with or without
// BOM (a report saved again by another editor), CR LF or LF line ends, blanks
// after the last unit of a line, any number of blank lines before and between
// the day lines. The heading must be the first line; the foot (means, totals)
// is not read.

#include <QByteArray>
#include <QString>
#include <QVector>
#include <QtGlobal>

namespace reportimport {

enum class Kind { Temperature, Rain };

// A value or a file left out. line: 1-based line of the file at fault, 0 when
// the fault is the file as a whole (not a report, cut short, unreadable).
struct Refusal {
  int line = 0;
  QString reason;  // Italian, for the keeper
};

// One day's values, the texts exactly as in the report (blanks kept). An empty
// text is a value that is not there.
struct Day {
  int day = 0;
  QString minimum, maximum;  // temperature reports
  QString rain;              // precipitation reports
};

struct Report {
  // False when the file is refused whole, refused holding the one reason: not
  // a report of either kind, or a layout that cannot be trusted. kind and
  // station are set once the heading names a kind, month and year once they
  // are valid, even when a later line breaks the layout.
  bool readable = false;
  Kind kind = Kind::Temperature;
  QString station;  // as written, untrimmed
  int month = 0, year = 0;
  // Days of the month in order, each with at least one value kept. A value is
  // kept when it reads as a number (num::readLocale for temperatures,
  // num::readFixed4 for precipitation); "0" is a dry day.
  QVector<Day> days;
  // In line order. Refused: a value that is not a number, rain below zero, a value on a day
  // past the month's end (there an empty cell, or a precipitation reading
  // zero, goes silently), and both values of a temperature line that holds
  // the separator more than once. An empty cell is never refused.
  QVector<Refusal> refused;
};

// A report is a few kilobytes; a larger file is not one.
inline constexpr qint64 kMaxFileSize = 1024 * 1024;

Report read(const QByteArray& bytes);
// read() on the file's bytes; refused whole when the file cannot be read or
// is larger than kMaxFileSize.
Report readFile(const QString& path);

}  // namespace reportimport
