#include "rules/datafolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include "rules/history.h"
#include "rules/sheetfile.h"
#include "rules/sqlitefile.h"
#include "rules/stationconfig.h"

namespace datafolder {

bool createArchive(const QString& path, ArchiveKind kind, QString* error) {
  // An empty file holds nothing of the keeper's; anything else is never replaced.
  if (QFileInfo(path).exists() && QFileInfo(path).size() == 0) QFile::remove(path);
  if (QFileInfo::exists(path)) {
    if (error) *error = QStringLiteral("exists: ") + path;
    return false;
  }
  return sqlitefile::create(path, {records::createTable(kind)}, error);
}

const QStringList& fileNames() {
  static const QStringList names = [] {
    QStringList all;
    for (ArchiveKind kind : kArchiveKinds) all << archiveFileName(kind);
    all << StationConfig::kFileName;
    for (const sheetfile::Sheet& sheet : sheetfile::kSheets) all << QLatin1String(sheet.fileName);
    return all << DailyHistory::kFileName;
  }();
  return names;
}

const QStringList& helpPages() {
  static const QStringList names = {QStringLiteral("guida.htm"),
                                    QStringLiteral("presentazione.htm")};
  return names;
}

namespace {

// Reads a shipped file whole; they are small (empty archives, short pages).
bool readAll(const QString& path, QByteArray* bytes, QString* why) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    *why = f.errorString();
    return false;
  }
  *bytes = f.readAll();
  return true;
}

// Written whole or not at all: a start killed halfway leaves no torn archive
// that a later start would take for the keeper's.
bool writeAll(const QString& path, const QByteArray& bytes, QString* why) {
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
    *why = f.errorString();
    return false;
  }
  return true;
}

}  // namespace

QString templatesFor(const QString& exeDir) {
  return QDir::cleanPath(exeDir + QStringLiteral("/../share/nubilario"));
}

bool seed(const QString& templates, const QString& folder, QString* error) {
  const QString shown = QDir::toNativeSeparators(folder);
  auto fail = [&](const QString& what) {
    if (error) *error = what;
    return false;
  };
  if (!QDir().mkpath(folder))
    return fail(QStringLiteral("Impossibile creare la cartella dei dati %1.").arg(shown));
  const QDir from(templates);
  const QDir to(folder);
  for (const QStringList* names : {&fileNames(), &helpPages()}) {
    const bool keepersFile = names == &fileNames();
    for (const QString& name : *names) {
      const QString source = from.filePath(name);
      const QString target = to.filePath(name);
      // A shipped file that is missing is the package's fault; the program
      // then starts as with any missing file and says so.
      if (!QFileInfo::exists(source)) continue;
      // An empty archive holds nothing of the keeper's, as in layOut().
      const QFileInfo present(target);
      if (keepersFile && present.exists() &&
          !(present.size() == 0 && name.endsWith(QLatin1String(".mdb"))))
        continue;
      QByteArray bytes;
      QString why;
      if (!readAll(source, &bytes, &why))
        return fail(QStringLiteral("Impossibile preparare la cartella dei dati %1: il file %2 "
                                   "non si può leggere (%3).")
                        .arg(shown, QDir::toNativeSeparators(source), why));
      if (!keepersFile && present.exists()) {
        QByteArray page;
        if (readAll(target, &page, &why) && page == bytes) continue;
      }
      if (!writeAll(target, bytes, &why))
        return fail(
            QStringLiteral("Impossibile scrivere il file %1 nella cartella dei dati %2 (%3).")
                .arg(name, shown, why));
    }
  }
  return true;
}

Location locate(const QString& exeDir, const QString& userFolder) {
  Location where;
  where.dataFolder = where.programFolder = exeDir;
  const QDir own(exeDir);
  for (const QString& name : fileNames())
    if (own.exists(name)) return where;
  const QString templates = templatesFor(exeDir);
  if (!QFileInfo::exists(QDir(templates).filePath(StationConfig::kFileName))) return where;

  where.installed = true;
  where.dataFolder = userFolder;
  where.programFolder = QDir::cleanPath(exeDir + QStringLiteral("/../lib/nubilario"));
  seed(templates, userFolder, &where.error);
  return where;
}

QStringList removeLeftovers(const QString& folder) {
  QStringList names;
  for (const QString& n : fileNames()) names << QRegularExpression::escape(n);
  // A file's temporary copy is its name and six letters or digits.
  const QRegularExpression copy(QStringLiteral("^(%1)\\.[A-Za-z0-9]{6}$").arg(names.join(u'|')));
  QStringList removed;
  const QDir dir(folder);
  for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
    if (copy.match(name).hasMatch() && QFile::remove(dir.filePath(name))) removed << name;
  return removed;
}

bool layOut(const QString& folder, QString* error) {
  QDir dir(folder);
  if (!dir.exists() && !dir.mkpath(QStringLiteral("."))) {
    if (error) *error = QStringLiteral("cannot create ") + folder;
    return false;
  }
  const QString abs = QDir(folder).absolutePath();
  auto path = [&](const QString& name) { return abs + QDir::separator() + name; };
  for (ArchiveKind kind : kArchiveKinds) {
    const QString p = path(archiveFileName(kind));
    const QFileInfo info(p);
    if ((!info.exists() || info.size() == 0) && !createArchive(p, kind, error)) return false;
  }
  const QString history = path(DailyHistory::kFileName);
  if (!QFileInfo::exists(history) && !DailyHistory::create(history, error)) return false;
  const QString config = path(StationConfig::kFileName);
  if (!QFileInfo::exists(config) && !StationConfig::initial().write(config, error)) return false;
  for (const sheetfile::Sheet& sheet : sheetfile::kSheets) {
    const QString p = path(QLatin1String(sheet.fileName));
    if (!QFileInfo::exists(p) && !sheetfile::writeInitial(p, sheet, error)) return false;
  }
  return true;
}

}  // namespace datafolder
