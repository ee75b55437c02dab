#include "rules/safetycopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <algorithm>

#include "rules/archivecheck.h"
#include "rules/datafolder.h"

namespace safetycopy {

const QString kFolderName = QStringLiteral("copie di sicurezza");
const QString kRestoreNote = QStringLiteral("ripristino.txt");

namespace {

const QString kUnfinished = QStringLiteral(".incompleta");
const QString kStamp = QStringLiteral("yyyy-MM-dd HH.mm.ss");
constexpr int kNoteBytes = 4096;  // more than any folder's name

QString join(const QString& folder, const QString& name) {
  return folder + QDir::separator() + name;
}

// The copies' folder names: the time, and a count for a second copy in the same second.
const QRegularExpression& namePattern() {
  static const QRegularExpression pattern(
      QStringLiteral("^(\\d{4}-\\d{2}-\\d{2} \\d{2}\\.\\d{2}\\.\\d{2})(?: \\((\\d+)\\))?$"));
  return pattern;
}

// The time a copy's folder name tells; invalid for any other name.
QDateTime stampOf(const QString& name, int* sequence = nullptr) {
  const QRegularExpressionMatch m = namePattern().match(name);
  if (!m.hasMatch()) return {};
  if (sequence) *sequence = m.captured(2).isEmpty() ? 1 : m.captured(2).toInt();
  return QDateTime::fromString(m.captured(1), kStamp);
}

bool isRealFolder(const QFileInfo& info) { return info.isDir() && !info.isSymLink(); }

// The copies' folder, or nothing when it is a link: nothing is ever made or
// removed through one.
std::optional<QString> ownRoot(const QString& dataFolder) {
  const QString root = folder(dataFolder);
  if (QFileInfo(root).isSymLink()) return std::nullopt;
  return root;
}

QFileInfoList entriesOf(const QString& path) {
  return QDir(path).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// What a copy of Nubilario holds: files of the data file set, the note of a
// restore, and the temporary copies that a write cut short leaves.
bool isOwnEntry(const QFileInfo& entry) {
  if (entry.isSymLink() || !entry.isFile()) return false;
  const QString name = entry.fileName();
  return datafolder::fileNames().contains(name) || name == kRestoreNote ||
         datafolder::isLeftover(name);
}

QStringList foreignEntries(const QString& path) {
  QStringList out;
  for (const QFileInfo& e : entriesOf(path))
    if (!isOwnEntry(e)) out << e.fileName();
  return out;
}

// Removes a copy's files and then its folder; a folder holding anything else
// is left whole.
bool removeCopyFolder(const QString& path) {
  if (!foreignEntries(path).isEmpty()) return false;
  for (const QFileInfo& e : entriesOf(path)) QFile::remove(e.filePath());
  return QDir().rmdir(path);
}

// The folder a restore came from, as its note names it (one line, bounded).
QString readNote(const QString& copyPath) {
  QFile f(join(copyPath, kRestoreNote));
  if (!f.open(QIODevice::ReadOnly)) return {};
  QString text = QString::fromUtf8(f.read(kNoteBytes));
  text = text.left(text.indexOf(u'\n') < 0 ? text.size() : text.indexOf(u'\n'));
  text.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
  return text.trimmed();
}

bool writeNote(const QString& copyPath, const QString& restoreFrom, QString* why) {
  QSaveFile f(join(copyPath, kRestoreNote));
  const QByteArray bytes = QString(restoreFrom).remove(u'\n').remove(u'\r').toUtf8() + "\n";
  if (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit()) return true;
  *why = kRestoreNote + QStringLiteral(": ") + f.errorString();
  return false;
}

bool sameFolder(const QString& a, const QString& b) {
  const QString ca = QFileInfo(a).canonicalFilePath();
  return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

}  // namespace

QString describe(const Failure& failure) {
  const QString reason =
      failure.reason.isEmpty() ? QString() : QStringLiteral(": ") + failure.reason;
  switch (failure.step) {
    case Failure::Step::Folder:
      return QStringLiteral("impossibile creare la cartella ") + failure.path + reason;
    case Failure::Step::File:  // the reason names the file
      return failure.reason.isEmpty() ? QFileInfo(failure.path).fileName() : failure.reason;
    case Failure::Step::Complete:
      return QStringLiteral("impossibile completare la cartella ") + failure.path + reason;
    case Failure::Step::NothingToCopy:
      break;
  }
  return QStringLiteral("nessun file dei dati nella cartella ") + failure.path;
}

QString folder(const QString& dataFolder) { return join(dataFolder, kFolderName); }

QVector<Copy> list(const QString& dataFolder) {
  QVector<Copy> copies;
  const auto root = ownRoot(dataFolder);
  if (!root) return copies;
  for (const QFileInfo& entry : entriesOf(*root)) {
    int sequence = 1;
    const QDateTime made = stampOf(entry.fileName(), &sequence);
    if (!made.isValid() || !isRealFolder(entry)) continue;
    Copy c{entry.filePath(), made, sequence, {}, false};
    c.beforeRestore = QFileInfo(join(c.path, kRestoreNote)).isFile();
    if (c.beforeRestore) c.restoredFrom = readNote(c.path);
    copies.append(c);
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

void removeUnfinished(const QString& dataFolder) {
  const auto root = ownRoot(dataFolder);
  if (!root) return;
  for (const QFileInfo& entry : entriesOf(*root))
    if (entry.fileName().endsWith(kUnfinished) && isRealFolder(entry))
      removeCopyFolder(entry.filePath());
}

bool make(const QString& dataFolder, const QDateTime& now, const QString& restoreFrom, Copy* made,
          Failure* failure) {
  auto fail = [failure](Failure::Step step, const QString& path, const QString& reason = {}) {
    if (failure) *failure = {step, path, reason};
    return false;
  };
  QStringList present;
  for (const QString& file : datafolder::fileNames())
    if (QFileInfo::exists(join(dataFolder, file))) present << file;
  // Nothing is touched for a folder that holds nothing to keep.
  if (present.isEmpty()) return fail(Failure::Step::NothingToCopy, dataFolder);
  const QString root = folder(dataFolder);
  if (!ownRoot(dataFolder))
    return fail(Failure::Step::Folder, root,
                QStringLiteral("al suo posto c'è un collegamento ad un'altra cartella"));
  removeUnfinished(dataFolder);
  if (!QDir().mkpath(root)) return fail(Failure::Step::Folder, root);

  const QString stamp = now.toString(kStamp);
  QString name = stamp;
  int sequence = 1;
  while (QFileInfo::exists(join(root, name)) || QFileInfo(join(root, name)).isSymLink() ||
         QFileInfo::exists(join(root, name + kUnfinished)))
    name = QStringLiteral("%1 (%2)").arg(stamp).arg(++sequence);
  const QString partial = join(root, name + kUnfinished);
  if (!QDir().mkdir(partial)) return fail(Failure::Step::Folder, partial);

  QString why, at;
  for (const QString& file : present) {
    const QString from = join(dataFolder, file);
    at = from;
    // An archive is copied as SQLite would read it, not with a write half done.
    if (file.endsWith(QStringLiteral(".mdb")) && !archivecheck::settleJournal(from, &why)) {
      why = file + QStringLiteral(": ") + why;
      break;
    }
    if (!datafolder::copyWhole(from, join(partial, file), &why)) break;
  }
  if (why.isEmpty() && !restoreFrom.isEmpty() && !writeNote(partial, restoreFrom, &why))
    at = join(partial, kRestoreNote);
  if (!why.isEmpty()) {
    removeCopyFolder(partial);
    return fail(Failure::Step::File, at, why);
  }
  datafolder::syncFolder(partial);
  if (!QDir(root).rename(name + kUnfinished, name)) {
    removeCopyFolder(partial);
    return fail(Failure::Step::Complete, join(root, name));
  }
  datafolder::syncFolder(root);
  if (made)
    *made = {join(root, name), QDateTime::fromString(stamp, kStamp), sequence, restoreFrom,
             !restoreFrom.isEmpty()};
  prune(dataFolder, now, restoreFrom);
  return true;
}

bool make(const QString& dataFolder, const QDateTime& now, Copy* made, QString* error) {
  Failure failure;
  if (make(dataFolder, now, QString(), made, &failure)) return true;
  if (error) *error = describe(failure);
  return false;
}

void prune(const QString& dataFolder, const QDateTime& now, const QString& keep) {
  const QVector<Copy> copies = list(dataFolder);
  QSet<int> kept;
  for (int i = 0; i < kKept && i < copies.size(); ++i) kept.insert(i);
  // The newest of each of the last days, and months, that have copies.
  auto newestOfEach = [&](int count, auto period) {
    int periods = 0;
    for (int i = 0; i < copies.size() && periods <= count; ++i)
      if (i == 0 || period(copies[i]) != period(copies[i - 1]))
        if (++periods <= count) kept.insert(i);
  };
  newestOfEach(kDaily, [](const Copy& c) { return c.made.date(); });
  newestOfEach(kMonthly,
               [](const Copy& c) { return c.made.date().year() * 12 + c.made.date().month(); });
  // The data as they were before the first restore of the day.
  for (int i = int(copies.size()) - 1; i >= 0; --i)
    if (copies[i].beforeRestore && copies[i].made.date() == now.date()) {
      kept.insert(i);
      break;
    }
  for (int i = 0; i < copies.size(); ++i) {
    if (kept.contains(i) || (!keep.isEmpty() && sameFolder(copies[i].path, keep))) continue;
    // Renamed first: a removal cut short leaves a leftover, never a listed
    // copy with files missing. A copy holding anything else stays whole.
    if (!foreignEntries(copies[i].path).isEmpty()) continue;
    const QString doomed = copies[i].path + kUnfinished;
    if (QDir().rename(copies[i].path, doomed)) removeCopyFolder(doomed);
  }
}

QStringList strangers(const QString& dataFolder) {
  const auto root = ownRoot(dataFolder);
  if (!root) return {kFolderName};
  QStringList out;
  for (const QFileInfo& entry : entriesOf(*root)) {
    QString name = entry.fileName();
    if (name.endsWith(kUnfinished)) name.chop(kUnfinished.size());
    if (!isRealFolder(entry) || !stampOf(name).isValid()) {
      out << entry.fileName();
      continue;
    }
    for (const QString& inside : foreignEntries(entry.filePath()))
      out << entry.fileName() + u'/' + inside;
  }
  out.sort();
  return out;
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
  if (QFileInfo::exists(target) && !datafolder::copyWhole(target, keptPath, &why)) return fail(why);
  // A journal left beside the archive would be played back into the copy.
  const bool hadJournal = QFileInfo::exists(journal);
  if (hadJournal && !QFile::rename(journal, keptPath + QStringLiteral("-journal")))
    return fail(QStringLiteral("impossibile spostare ") + QFileInfo(journal).fileName());
  if (!datafolder::copyWhole(join(copy.path, fileName), target, &why)) {
    // The damaged file is still in its place: the duplicate made of it goes.
    if (hadJournal) QFile::rename(keptPath + QStringLiteral("-journal"), journal);
    QFile::remove(keptPath);
    return fail(why);
  }
  datafolder::syncFolder(dataFolder);
  if (keptAs) *keptAs = kept;
  return true;
}

QString describe(const Copy& copy) {
  return QLocale(QLocale::Italian, QLocale::Italy)
      .toString(copy.made, QStringLiteral("d MMMM yyyy 'alle' HH:mm:ss"));
}

QString describeForList(const Copy& copy) {
  const QString when = describe(copy);
  if (!copy.beforeRestore) return when;
  if (copy.restoredFrom.isEmpty()) return when + QStringLiteral(", prima di un ripristino");
  // A restore of one of these very copies is named by the copy's time.
  const QFileInfo from(QDir::cleanPath(QDir::fromNativeSeparators(copy.restoredFrom)));
  const QDateTime sourceMade = stampOf(from.fileName());
  if (sourceMade.isValid() && sameFolder(from.absolutePath(), QFileInfo(copy.path).path())) {
    Copy source;
    source.made = sourceMade;
    return when + QStringLiteral(", prima del ripristino della copia del ") + describe(source);
  }
  return when + QStringLiteral(", prima del ripristino da ") +
         QDir::toNativeSeparators(copy.restoredFrom);
}

}  // namespace safetycopy
