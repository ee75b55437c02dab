#pragma once
// The four archives and the daily history as CSV files, out and back in.
//
// A file has one heading record naming the columns as the archive names its
// fields (the history: "Data", "Minima", "Massima", "Precipitazione", "Note"),
// then one record per archive record or day. Numbers go out bare, in the
// dialect's decimal form, so that a spreadsheet takes them for numbers: the
// archive's "12,3 °C" is "12,3" (or "12.3") under "T Media MAX", and comes back
// as "12,3 °C". A text that would not come back the same (one that is not of
// the form the entry dialogs compose, or that begins with an apostrophe) goes
// out behind an apostrophe and comes back exactly as it stood, so that export
// and import give back every record byte for byte.

#include <QDate>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

#include "rules/csv.h"
#include "rules/history.h"
#include "rules/records.h"

namespace csvexchange {

// What a file is for: one of the archives, or the daily history.
class Target {
 public:
  constexpr Target(ArchiveKind kind) : index_(int(kind)) {}
  static constexpr Target history() { return Target(kArchiveCount); }
  constexpr bool isHistory() const { return index_ == kArchiveCount; }
  // The archive; nothing for the history.
  constexpr std::optional<ArchiveKind> archive() const {
    if (isHistory()) return std::nullopt;
    return ArchiveKind(index_);
  }
  // Its place among targets(), which a list of them keeps as an item's data.
  constexpr int index() const { return index_; }
  static constexpr std::optional<Target> at(int index) {
    if (index < 0 || index > kArchiveCount) return std::nullopt;
    return Target(index);
  }
  friend constexpr bool operator==(Target, Target) = default;

 private:
  explicit constexpr Target(int index) : index_(index) {}
  int index_;
};
// Every archive in its order, then the history.
const QVector<Target>& targets();

// "Temperature medie mensili", ..., "Storico giornaliero".
QString targetName(Target t);
// The file name the save dialog offers: "temperature.csv", ...
QString fileName(Target t);
// The headings of the history's file.
const QStringList& historyHeadings();

// ---- Out ----------------------------------------------------------------------

// One cell of a column as it goes out, and as it comes back in: importCell
// of the result gives `stored` again. `column` is the archive's field name.
QString exportCell(Target t, const QString& column, const QString& stored, csv::Dialect d);
// The heading and the records of an archive, fields in the order of `columns`.
QVector<QStringList> archiveTable(Target t, const QStringList& columns,
                                  const QVector<QStringList>& records, csv::Dialect d);
// The heading and the days; the date as "31/12/2026" in the ";" dialect, as
// "2026-12-31" in the "," one.
QVector<QStringList> historyTable(const QVector<DayRecord>& days, csv::Dialect d);

// ---- In -----------------------------------------------------------------------

// The text a cell stands for, or nothing with the reason (a number that is
// not one, a month that is not one).
std::optional<QString> importCell(Target t, const QString& column, const QString& cell,
                                  csv::Dialect d, QString* why = nullptr);

// The archive a file is for, by its headings: the one whose fields they name
// most; nothing when they name none.
std::optional<Target> guessTarget(const QStringList& headings);

struct Refusal {
  int line = 0;  // 0: the file as a whole
  QString reason;
};
struct Entry {
  int line = 0;
  QStringList values;    // archives: one text per column of the archive
  DayRecord day;         // history: a field its file does not give is empty
  QStringList warnings;  // the checks at entry, and a repeat within the file
};
struct Table {
  Target target = ArchiveKind::Temperature;
  csv::Dialect dialect = csv::Dialect::Semicolon;
  bool readable = false;  // false: the file as a whole is refused (refused[0])
  QStringList ignored;    // headings that name no column
  QVector<int> given;     // the columns the file gives, by their index
  QVector<Entry> entries;
  QVector<Refusal> refused;
};
// Reads a file's text for `t`, whose archive has `columns` (the history's
// headings for the history). Records that cannot be read are refused with
// their line and reason, and the rest still read.
Table read(const QString& text, Target t, const QStringList& columns, csv::Dialect d);

// What an import into an archive writes, given the archive's records.
// A record of the file whose month (temperature, rain), winter and day
// (snow), or date and event (other events) is already in the archive is a
// repeat: left out when the fields the file gives are equal, else replaced
// only when `replace`, and then only in those fields.
struct ArchivePlan {
  QVector<QStringList> added;                 // in the order of the file
  QVector<QPair<int, QStringList>> replaced;  // archive row, its new texts
  QStringList status;                         // one per entry
  int unchanged = 0, kept = 0;
};
ArchivePlan planArchive(const Table& table, const QStringList& columns,
                        const QVector<QStringList>& existing, bool replace);

// What an import into the history writes: each day of the file over the
// stored one; a field the file leaves empty keeps its value; one that holds
// another value keeps it unless `replace`. A day of the file with no value
// at all, or after `today`, writes nothing.
struct HistoryPlan {
  QVector<DayRecord> days;  // to write: only the days that change
  QStringList status;       // one per entry
  int unchanged = 0, kept = 0, empty = 0, notYet = 0;
};
HistoryPlan planHistory(const Table& table, const DailyHistory& history, bool replace,
                        const QDate& today);

}  // namespace csvexchange
