#include "rules/datafolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include "rules/history.h"
#include "rules/sqlitefile.h"
#include "rules/stationconfig.h"
#include "rules/textfile.h"

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

namespace {
QString repeated(const QString& value, int count) {
  QString line;
  for (int i = 0; i < count; ++i) line += value + QLatin1Char('|');
  return line + QStringLiteral("\r\n");
}
}  // namespace

const QStringList& fileNames() {
  static const QStringList names = {archiveFileName(ArchiveKind::Temperature),
                                    archiveFileName(ArchiveKind::Rain),
                                    archiveFileName(ArchiveKind::Snow),
                                    archiveFileName(ArchiveKind::OtherEvents),
                                    StationConfig::kFileName,
                                    QStringLiteral("tempmedie.txt"),
                                    QStringLiteral("prpgiornaliera.txt"),
                                    QStringLiteral("prpanno.txt"),
                                    DailyHistory::kFileName};
  return names;
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
  for (ArchiveKind kind :
       {ArchiveKind::Temperature, ArchiveKind::Rain, ArchiveKind::Snow, ArchiveKind::OtherEvents}) {
    const QString p = path(archiveFileName(kind));
    const QFileInfo info(p);
    if ((!info.exists() || info.size() == 0) && !createArchive(p, kind, error)) return false;
  }
  const QString history = path(DailyHistory::kFileName);
  if (!QFileInfo::exists(history) && !DailyHistory::create(history, error)) return false;
  struct Initial {
    QString name;
    QString text;
  };
  const QList<Initial> files = {
      {StationConfig::kFileName,
       StationConfig::initial().lines().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")},
      {QStringLiteral("tempmedie.txt"), repeated(QString(), 63)},
      {QStringLiteral("prpgiornaliera.txt"), repeated(QStringLiteral("0"), 32)},
      {QStringLiteral("prpanno.txt"), repeated(QStringLiteral("0"), 13)},
  };
  for (const Initial& f : files) {
    const QString p = path(f.name);
    if (QFileInfo::exists(p)) continue;
    if (!textfile::write(p, f.text, error)) return false;
  }
  return true;
}

}  // namespace datafolder
