#pragma once
// The safety copies: the whole data file set copied into a folder of its own
// under "<data folder>/copie di sicurezza/2026-12-09 10.15.02", before a reset,
// before a restore and at the day's first start, the last ten kept. A copy is
// built under a name ending in ".incompleta" and renamed only once every file
// is on disk, so a copy is either complete or not listed at all.

#include <QDateTime>
#include <QString>
#include <QVector>
#include <optional>

namespace safetycopy {

inline constexpr int kKept = 10;
extern const QString kFolderName;  // "copie di sicurezza"

struct Copy {
  QString path;
  QDateTime made;
  int sequence = 1;  // more than one copy in the same second: 2, 3, ...
};

// "<data folder>/copie di sicurezza".
QString folder(const QString& dataFolder);

// The complete copies, newest first.
QVector<Copy> list(const QString& dataFolder);
// Whether a complete copy was made on that day.
bool madeOn(const QString& dataFolder, const QDate& day);

// Copies every file of the data file set that is in the folder (an archive
// with a write cut short is settled first), then removes the copies beyond
// the newest kKept. The leftovers of an interrupted copy go first. On failure
// nothing is listed and `error` says why, in Italian.
bool make(const QString& dataFolder, const QDateTime& now, Copy* made = nullptr,
          QString* error = nullptr);

// Removes the complete copies beyond the newest `keep`.
void prune(const QString& dataFolder, int keep = kKept);

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

}  // namespace safetycopy
