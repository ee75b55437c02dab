#include "rules/datafolder.h"

#include <fcntl.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <cerrno>
#include <cstring>
#include <vector>

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

Location locate(const QString& exeDir, const QString& userFolder, Program program) {
  Location where;
  where.dataFolder = where.programFolder = exeDir;
  const QDir own(exeDir);
  for (const QString& name : fileNames())
    if (own.exists(name)) return where;
  // The backup program lies one folder deeper, in <prefix>/lib/nubilario.
  const QString templates =
      templatesFor(program == Program::Main ? exeDir : exeDir + QStringLiteral("/.."));
  if (!QFileInfo::exists(QDir(templates).filePath(StationConfig::kFileName))) return where;

  where.installed = true;
  where.dataFolder = userFolder;
  if (program == Program::Backup) {
    // A restore before the main program was ever started needs the folder too.
    if (!QDir().mkpath(userFolder))
      where.error = QStringLiteral("Impossibile creare la cartella dei dati %1.")
                        .arg(QDir::toNativeSeparators(userFolder));
    return where;
  }
  where.programFolder = QDir::cleanPath(exeDir + QStringLiteral("/../lib/nubilario"));
  seed(templates, userFolder, &where.error);
  return where;
}

bool isLeftover(const QString& name) {
  static const QRegularExpression copy = [] {
    QStringList names;
    for (const QString& n : fileNames()) names << QRegularExpression::escape(n);
    return QRegularExpression(QStringLiteral("^(%1)\\.[A-Za-z0-9]{6}$").arg(names.join(u'|')));
  }();
  return copy.match(name).hasMatch();
}

void syncFolder(const QString& folder) {
  const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

namespace {

// What a failed write of the system means, in Italian.
QString writeFailure(int code) {
  switch (code) {
    case ENOSPC:
      return QStringLiteral("spazio esaurito sul dispositivo");
    case EDQUOT:
      return QStringLiteral("esaurito lo spazio concesso sul dispositivo");
    case EFBIG:
      return QStringLiteral("il file supera la grandezza che il sistema consente");
    case EROFS:
      return QStringLiteral("il dispositivo si può solo leggere");
    case EACCES:
    case EPERM:
      return QStringLiteral("permesso negato");
    case EIO:
      return QStringLiteral("errore del dispositivo");
    default:
      return QStringLiteral("errore di sistema %1 (%2)")
          .arg(code)
          .arg(QString::fromLocal8Bit(std::strerror(code)));
  }
}

}  // namespace

bool copyWhole(const QString& from, const QString& to, QString* error,
               const std::function<bool()>& beforeTakingName) {
  const QString name = QFileInfo(to).fileName();
  auto fail = [&](const QString& why) {
    if (error) *error = name + QStringLiteral(": ") + why;
    return false;
  };
  QFile source(from);
  if (!source.open(QIODevice::ReadOnly))
    return fail(QStringLiteral("il file non si può leggere (%1)").arg(source.errorString()));
  // Written straight to the descriptor: a disk that fills halfway then says
  // so (ENOSPC), where a buffered short write would say nothing.
  QSaveFile target(to);
  if (!target.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    return fail(QStringLiteral("la copia non si può creare (%1)").arg(target.errorString()));
  std::vector<char> buffer(256 * 1024);
  for (;;) {
    const qint64 read = source.read(buffer.data(), qint64(buffer.size()));
    if (read < 0)
      return fail(QStringLiteral("il file non si può leggere (%1)").arg(source.errorString()));
    if (read == 0) break;
    for (qint64 done = 0; done < read;) {
      const ssize_t n = ::write(target.handle(), buffer.data() + done, size_t(read - done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0)
        return fail(QStringLiteral("impossibile scrivere la copia: ") +
                    writeFailure(n < 0 ? errno : ENOSPC));
      done += n;
    }
  }
  if (::fsync(target.handle()) != 0)
    return fail(QStringLiteral("impossibile scrivere la copia: ") + writeFailure(errno));
  target.setFileTime(QFileInfo(source).lastModified(), QFileDevice::FileModificationTime);
  if (beforeTakingName && !beforeTakingName()) return fail(QStringLiteral("copia interrotta"));
  if (!target.commit())
    return fail(QStringLiteral("impossibile completare la copia (%1)").arg(target.errorString()));
  return true;
}

QStringList removeLeftovers(const QString& folder) {
  QStringList removed;
  const QDir dir(folder);
  for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
    if (isLeftover(name) && QFile::remove(dir.filePath(name))) removed << name;
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
