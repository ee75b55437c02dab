#pragma once
// The check of an archive before it is opened: whether the file is there, is
// an archive of Nubilario at all (a SQLite database whose table "tab" has at
// least one of its columns), and is whole (SQLite's integrity check, which
// also finds indexes that disagree with their table). A file another program
// holds locked is in use, never damaged. The file is never written, save for
// the roll-back of a write cut short, which SQLite would make at any opening.

#include <QString>
#include <QStringList>

namespace archivecheck {

enum class State { Ok, Missing, NotArchive, Damaged, Busy };

struct Result {
  State state = State::Ok;
  QString detail;     // why, in Italian, for the keeper; empty when Ok
  QString technical;  // SQLite's own words, when it gave any
};

// How long the check waits for another program to let go of the file.
inline constexpr int kBusyWaitMs = 2000;

// `columns`: those of the table "tab" (letter case ignored).
Result check(const QString& path, const QStringList& columns, int busyWaitMs = kBusyWaitMs);

// An archive killed in the middle of a write leaves "<archive>-journal"
// beside it: opening and reading the archive once makes SQLite roll it back.
// True when there is no journal or it was settled.
bool settleJournal(const QString& path, QString* error = nullptr);

// The columns expected of a file of the data file set: the four archives and
// the daily history; empty for any other name.
QStringList expectedColumns(const QString& fileName);

}  // namespace archivecheck
