#pragma once
// The daily temperature sheet's figures and its text report, as pure functions
// of the sheet's texts: the means over the days that hold a number, and the
// report composed from the fields and captions exactly as they stand.

#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

#include "rules/numbers.h"

namespace tempreport {

// The mean of the texts that read as numbers in the locale; the others do not
// count. nullopt when none counts or the mean is not a finite number.
std::optional<double> mean(const QStringList& texts, const QLocale& locale = num::programLocale());

// The captions of one column of days 1 to 31 (31 texts): the monthly mean
// ("#,##0.00", no unit), then the means of days 1-10, 11-20 and 21-31, each
// with " °C". The list stops before the first range without a counted day: a
// caller keeps the previous caption of every label past the end.
QStringList meanCaptions(const QStringList& days, const QLocale& locale = num::programLocale());

// The captions of the eight result labels as they stand on the sheet.
struct Captions {
  QString mediamax;  // mean of the minima
  QString decadeunomin;
  QString decadeduemin;
  QString decadetremin;
  QString mediamin;  // mean of the maxima
  QString decadeunomax;
  QString decadeduemax;
  QString decadetremax;
};

// "1° Giorno: ", "2° Giorno:  ", ...: the label of a day in the report, with
// its own number of blanks after the colon.
QString dayLabel(int day);
// The text between a day's minimum and maximum.
QString separator(int day);

// The report, with CR LF line ends and no line end after its last line.
// minima and maxima hold the texts of days 1 to 31; missing ones are empty.
QString compose(const QString& station, int month, int year, const QStringList& minima,
                const QStringList& maxima, const Captions& captions);

}  // namespace tempreport
