#pragma once
// The monthly and the yearly climate report: fixed-width text, as climate
// summaries are laid out (the days, or the months, as rows; the figures and
// the counted days at the foot), in the program's report conventions: lines
// ended by CR LF, every character one Windows-1252 holds, to be saved with
// textfile::write or printed line by line.

#include <QString>
#include <QStringList>

#include "rules/climate.h"

namespace climatereport {

// The month's report: one row per day, then its figures, its normal and
// departure when the reference period gives one, the counted days, the
// extremes, the spells and the missing days.
QStringList month(const QString& station, const climate::Station& s, int year, int month,
                  const climate::Normals& normals);

// The year's report: one row per month (means, total, rain days, departures
// from the normal), then the year's figures in the month report's form.
QStringList year(const QString& station, const climate::Station& s, int year,
                 const climate::Normals& normals);

// A span of years: one row per year, then the span's figures.
QStringList years(const QString& station, const climate::Station& s, int firstYear, int lastYear);

// The normals of the reference period, month by month, with the years each
// rests on.
QStringList normals(const QString& station, const climate::Normals& normals);

// The station's records, of each calendar month and of all time, with dates.
QStringList records(const QString& station, const climate::Station& s);

// The lines joined with CR LF, and one after the last.
QString text(const QStringList& lines);

}  // namespace climatereport
