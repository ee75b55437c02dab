#pragma once
// The sheet files: the typed values of a working sheet, one line of texts each
// followed by "|", the line ended by CR LF. Value i belongs to field i of the
// sheet's Text1 array.

#include <QString>
#include <QStringList>

namespace sheetfile {

// A sheet's file: its name in the data folder, how many cells it holds, and
// what each cell of a new file holds.
struct Sheet {
  const char* fileName;
  int cells;
  const char* initialCell;
};
// The daily temperatures: a hidden cell, the 31 minima, the 31 maxima.
inline constexpr Sheet kTemperatures{"tempmedie.txt", 63, ""};
// The daily precipitation: a hidden cell, then the 31 days.
inline constexpr Sheet kDailyRain{"prpgiornaliera.txt", 32, "0"};
// The current year's precipitation: December, January to November, a hidden cell.
inline constexpr Sheet kYearRain{"prpanno.txt", 13, "0"};
inline constexpr Sheet kSheets[] = {kTemperatures, kDailyRain, kYearRain};

// Read at most this much of a sheet file: more than 63 cells of the longest
// text a cell takes.
inline constexpr qint64 kMaxBytes = 4 * 1024 * 1024;

// The file's line: every field trimmed at both ends and followed by "|".
QString composeLine(const QStringList& fields);

// Reads the file's first line into the fields: field i receives piece i of the
// line split at "|". Fields without a piece keep their text; pieces beyond the
// last field are ignored; a missing or unreadable file changes nothing.
void read(const QString& path, QStringList& fields);

// Replaces the file with the fields' line and CR LF, atomically: when the write
// fails the previous file stays whole. False (with a reason) on failure.
bool write(const QString& path, const QStringList& fields, QString* error = nullptr);

// Writes a new sheet file in its initial state.
bool writeInitial(const QString& path, const Sheet& sheet, QString* error = nullptr);

}  // namespace sheetfile
