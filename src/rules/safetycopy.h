#pragma once
// The safety copies: the whole data file set copied into a folder of its own
// under "<data folder>/copie di sicurezza/2026-12-09 10.15.02", before a reset,
// before a restore and at the day's first start. A copy is built under a name
// ending in ".incompleta" and renamed only once every file is on disk, so a
// copy is either complete or not listed at all. A copy made before a restore
// holds beside the files a note naming the folder restored from.
//
// The rotation keeps the newest kKept copies, the newest copy of each of the
// last kDaily days and of the last kMonthly months that have copies, and the
// first copy made before a restore on the current day: a day of restores in a
// row never leaves only copies of restored data. Nothing is removed through a
// symbolic link, nor anything a copy of Nubilario does not hold: whatever
// else lies in the copies' folder is left as it is (strangers() names it).

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

namespace safetycopy {

inline constexpr int kKept = 10;
inline constexpr int kDaily = 7;
inline constexpr int kMonthly = 12;
extern const QString kFolderName;   // "copie di sicurezza"
extern const QString kRestoreNote;  // "ripristino.txt", in a copy made before a restore

struct Copy {
  QString path;
  QDateTime made;
  int sequence = 1;      // more than one copy in the same second: 2, 3, ...
  QString restoredFrom;  // made before a restore: the folder restored from
  bool beforeRestore = false;
};

// Why a copy could not be made.
struct Failure {
  enum class Step { Folder, File, Complete, NothingToCopy };
  Step step = Step::Folder;
  QString path;    // the folder that could not be made or completed, or the file
  QString reason;  // why, in Italian; may be empty
};
// "impossibile creare la cartella ...", "neve.mdb: ...": the main program's words.
QString describe(const Failure& failure);

// "<data folder>/copie di sicurezza".
QString folder(const QString& dataFolder);

// The complete copies, newest first: real folders only, never a link.
QVector<Copy> list(const QString& dataFolder);
// Whether a complete copy was made on that day.
bool madeOn(const QString& dataFolder, const QDate& day);

// Copies every file of the data file set that is in the folder (an archive
// with a write cut short is settled first), then applies the rotation. The
// leftovers of an interrupted copy go first. `restoreFrom`: the copy is made
// before a restore from that folder, which outlives the rotation should it be
// one of the copies. On failure nothing is listed and `failure` says why.
bool make(const QString& dataFolder, const QDateTime& now, const QString& restoreFrom, Copy* made,
          Failure* failure);
bool make(const QString& dataFolder, const QDateTime& now, Copy* made = nullptr,
          QString* error = nullptr);

// The rotation (see above); `keep`, a copy that must stay whatever its age.
void prune(const QString& dataFolder, const QDateTime& now, const QString& keep = {});

// Removes the leftovers of copies cut short (".incompleta"), as far as they
// hold only what a copy holds.
void removeUnfinished(const QString& dataFolder);

// What lies in the copies' folder that is no copy of Nubilario, or inside a
// copy besides what a copy holds: names relative to that folder, sorted. The
// folder itself when it is a link.
QStringList strangers(const QString& dataFolder);

// The newest copy whose `fileName` passes the archive check.
std::optional<Copy> newestSound(const QString& dataFolder, const QString& fileName);

// Puts the archive `fileName` of `copy` in place of the one in the data
// folder, which is kept beside it as "<name>.danneggiato-<date>" (its journal,
// if any, beside that); the file is replaced in one step, so the data folder
// never lacks it. The name it is kept under in `keptAs`.
bool restoreArchive(const QString& dataFolder, const QString& fileName, const Copy& copy,
                    const QDate& today, QString* keptAs = nullptr, QString* error = nullptr);

// "9 dicembre 2026 alle 10:15:02".
QString describe(const Copy& copy);
// The same with the restore it came before, as the restore list shows it:
// "9 dicembre 2026 alle 10:15:02, prima del ripristino da /media/chiavetta"
// or "..., prima del ripristino della copia del 2 gennaio 2026 alle 08:00:00".
QString describeForList(const Copy& copy);

}  // namespace safetycopy
