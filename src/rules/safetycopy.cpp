#include "rules/safetycopy.h"

#include <fcntl.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>
#include <vector>

#include "rules/archivecheck.h"
#include "rules/datafolder.h"

namespace safetycopy {

const QString kFolderName = QStringLiteral("copie di sicurezza");

namespace {

const QString kUnfinished = QStringLiteral(".incompleta");
const QString kStamp = QStringLiteral("yyyy-MM-dd HH.mm.ss");

QString join(const QString& folder, const QString& name) {
  return folder + QDir::separator() + name;
}

// Makes the entries of a folder (a rename, a new file) survive a power cut.
void syncFolder(const QString& folder) {
  const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The whole of `from` over `to`, on disk before it takes the name.
bool copyFile(const QString& from, const QString& to, QString* error) {
  auto fail = [error](const QString& why) {
    if (error) *error = why;
    return false;
  };
  QFile source(from);
  if (!source.open(QIODevice::ReadOnly))
    return fail(QFileInfo(from).fileName() + QStringLiteral(": ") + source.errorString());
  QSaveFile target(to);
  if (!target.open(QIODevice::WriteOnly))
    return fail(QFileInfo(to).fileName() + QStringLiteral(": ") + target.errorString());
  std::vector<char> buffer(256 * 1024);
  for (;;) {
    const qint64 read = source.read(buffer.data(), qint64(buffer.size()));
    if (read < 0)
      return fail(QFileInfo(from).fileName() + QStringLiteral(": ") + source.errorString());
    if (read == 0) break;
    if (target.write(buffer.data(), read) != read)
      return fail(QFileInfo(to).fileName() + QStringLiteral(": ") + target.errorString());
  }
  // A short write of the buffered tail (a full disk) shows only at the flush.
  if (!target.flush() || ::fsync(target.handle()) != 0)
    return fail(QFileInfo(to).fileName() + QStringLiteral(": ") + target.errorString());
  target.setFileTime(QFileInfo(source).lastModified(), QFileDevice::FileModificationTime);
  if (!target.commit())
    return fail(QFileInfo(to).fileName() + QStringLiteral(": ") + target.errorString());
  return true;
}

// The copies' folder names: the time, and a count for a second copy in the same second.
const QRegularExpression& namePattern() {
  static const QRegularExpression pattern(
      QStringLiteral("^(\\d{4}-\\d{2}-\\d{2} \\d{2}\\.\\d{2}\\.\\d{2})(?: \\((\\d+)\\))?$"));
  return pattern;
}

void removeUnfinished(const QString& root) {
  const QDir dir(root);
  for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden))
    if (name.endsWith(kUnfinished)) QDir(join(root, name)).removeRecursively();
}

}  // namespace

QString folder(const QString& dataFolder) { return join(dataFolder, kFolderName); }

QVector<Copy> list(const QString& dataFolder) {
  QVector<Copy> copies;
  const QString root = folder(dataFolder);
  for (const QString& name : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    const QRegularExpressionMatch m = namePattern().match(name);
    if (!m.hasMatch()) continue;
    const QDateTime made = QDateTime::fromString(m.captured(1), kStamp);
    if (!made.isValid()) continue;
    copies.append({join(root, name), made, m.captured(2).isEmpty() ? 1 : m.captured(2).toInt()});
  }
  std::sort(copies.begin(), copies.end(), [](const Copy& a, const Copy& b) {
    return a.made != b.made ? a.made > b.made : a.sequence > b.sequence;
  });
  return copies;
}

bool madeOn(const QString& dataFolder, const QDate& day) {
  const QVector<Copy> copies = list(dataFolder);
  return std::any_of(copies.cbegin(), copies.cend(),
                     [&day](const Copy& c) { return c.made.date() == day; });
}

bool make(const QString& dataFolder, const QDateTime& now, Copy* made, QString* error) {
  auto fail = [error](const QString& why) {
    if (error) *error = why;
    return false;
  };
  const QString root = folder(dataFolder);
  removeUnfinished(root);
  if (!QDir().mkpath(root)) return fail(QStringLiteral("impossibile creare la cartella ") + root);

  const QString stamp = now.toString(kStamp);
  QString name = stamp;
  int sequence = 1;
  while (QFileInfo::exists(join(root, name)) || QFileInfo::exists(join(root, name + kUnfinished)))
    name = QStringLiteral("%1 (%2)").arg(stamp).arg(++sequence);
  const QString partial = join(root, name + kUnfinished);
  if (!QDir().mkdir(partial))
    return fail(QStringLiteral("impossibile creare la cartella ") + partial);

  QString why;
  int copied = 0;
  for (const QString& file : datafolder::fileNames()) {
    const QString from = join(dataFolder, file);
    if (!QFileInfo::exists(from)) continue;
    // An archive is copied as SQLite would read it, not with a write half done.
    if (file.endsWith(QStringLiteral(".mdb")) && !archivecheck::settleJournal(from, &why)) {
      why = file + QStringLiteral(": ") + why;
      break;
    }
    if (!copyFile(from, join(partial, file), &why)) break;
    ++copied;
  }
  if (why.isEmpty() && copied == 0)
    why = QStringLiteral("nessun file dei dati nella cartella ") + dataFolder;
  if (!why.isEmpty()) {
    QDir(partial).removeRecursively();
    return fail(why);
  }
  syncFolder(partial);
  if (!QDir(root).rename(name + kUnfinished, name)) {
    QDir(partial).removeRecursively();
    return fail(QStringLiteral("impossibile completare la cartella ") + join(root, name));
  }
  syncFolder(root);
  if (made) *made = {join(root, name), QDateTime::fromString(stamp, kStamp), sequence};
  prune(dataFolder);
  return true;
}

void prune(const QString& dataFolder, int keep) {
  const QVector<Copy> copies = list(dataFolder);
  // Renamed first: a removal cut short leaves a leftover, never a listed copy with files missing.
  for (int i = keep; i < copies.size(); ++i) {
    const QString doomed = copies[i].path + kUnfinished;
    if (QDir().rename(copies[i].path, doomed)) QDir(doomed).removeRecursively();
  }
}

std::optional<Copy> newestSound(const QString& dataFolder, const QString& fileName) {
  const QStringList columns = archivecheck::expectedColumns(fileName);
  for (const Copy& c : list(dataFolder))
    if (archivecheck::check(join(c.path, fileName), columns).state == archivecheck::State::Ok)
      return c;
  return std::nullopt;
}

bool restoreArchive(const QString& dataFolder, const QString& fileName, const Copy& copy,
                    const QDate& today, QString* keptAs, QString* error) {
  auto fail = [error](const QString& why) {
    if (error) *error = why;
    return false;
  };
  const QString target = join(dataFolder, fileName);
  const QString journal = target + QStringLiteral("-journal");
  QString kept = fileName + QStringLiteral(".danneggiato-") + today.toString(Qt::ISODate);
  for (int n = 2; QFileInfo::exists(join(dataFolder, kept)) ||
                  QFileInfo::exists(join(dataFolder, kept + QStringLiteral("-journal")));
       ++n)
    kept = fileName + QStringLiteral(".danneggiato-%1-%2").arg(today.toString(Qt::ISODate)).arg(n);
  const QString keptPath = join(dataFolder, kept);

  // The damaged file is kept whole under its new name before anything replaces it.
  QString why;
  if (QFileInfo::exists(target) && !copyFile(target, keptPath, &why)) return fail(why);
  // A journal left beside the archive would be played back into the copy.
  const bool hadJournal = QFileInfo::exists(journal);
  if (hadJournal && !QFile::rename(journal, keptPath + QStringLiteral("-journal")))
    return fail(QStringLiteral("impossibile spostare ") + QFileInfo(journal).fileName());
  if (!copyFile(join(copy.path, fileName), target, &why)) {
    // The damaged file is still in its place: the duplicate made of it goes.
    if (hadJournal) QFile::rename(keptPath + QStringLiteral("-journal"), journal);
    QFile::remove(keptPath);
    return fail(why);
  }
  syncFolder(dataFolder);
  if (keptAs) *keptAs = kept;
  return true;
}

QString describe(const Copy& copy) {
  return QLocale(QLocale::Italian, QLocale::Italy)
      .toString(copy.made, QStringLiteral("d MMMM yyyy 'alle' HH:mm:ss"));
}

}  // namespace safetycopy
