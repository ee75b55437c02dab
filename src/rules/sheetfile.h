#pragma once
// The sheet files: the typed values of a working sheet, one line of texts each
// followed by "|", the line ended by CR LF. Value i belongs to field i of the
// sheet's Text1 array.

#include <QString>
#include <QStringList>

namespace sheetfile {

// The three sheet files of the data file set.
inline const QString kTemperatures = QStringLiteral("tempmedie.txt");
inline const QString kDailyRain = QStringLiteral("prpgiornaliera.txt");
inline const QString kYearRain = QStringLiteral("prpanno.txt");

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

}  // namespace sheetfile
