#include "rules/archivecheck.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <QUuid>
#include <algorithm>

#include "rules/history.h"
#include "rules/records.h"
#include "rules/sqlitefile.h"

namespace archivecheck {

namespace {

const QByteArray kMagic("SQLite format 3\0", 16);
constexpr int kDetailLines = 3;   // of the integrity check's report
constexpr int kReportLimit = 20;  // problems the integrity check looks for at most

// A connection of its own on an existing file, never creating one.
class Connection {
 public:
  Connection(const QString& path, bool readOnly, int busyWaitMs = 5000)
      : name_(QStringLiteral("check-") + QUuid::createUuid().toString(QUuid::Id128)) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    const QUrl uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    db.setDatabaseName(uri.toString(QUrl::FullyEncoded) +
                       (readOnly ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw")));
    db.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(busyWaitMs));
    open_ = db.open();
    if (!open_) error_ = db.lastError().text();
  }
  ~Connection() {
    QSqlDatabase::database(name_, false).close();
    QSqlDatabase::removeDatabase(name_);
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  bool isOpen() const { return open_; }
  QString error() const { return error_; }
  QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }

 private:
  QString name_;
  bool open_ = false;
  QString error_;
};

Result notArchive(const QString& why) { return {State::NotArchive, why, {}}; }

// SQLite's words told in Italian; "busy" or "locked" is another program at
// work on the file, not damage.
Result failed(const QString& why) {
  const sqlitefile::Explained e = sqlitefile::explain(why);
  return {sqlitefile::isBusy(why) ? State::Busy : State::Damaged, e.text, e.technical};
}

}  // namespace

namespace {

bool settle(const QString& path, int busyWaitMs, QString* error) {
  if (!QFileInfo::exists(path + QStringLiteral("-journal"))) return true;
  Connection c(path, false, busyWaitMs);
  bool ok = c.isOpen();
  QString why = c.error();
  if (ok) {
    // The first read rolls a hot journal back into the archive.
    QSqlQuery q(c.db());
    ok = q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) && q.next();
    if (!ok) why = q.lastError().text();
  }
  if (!ok && error) *error = QStringLiteral("la scrittura interrotta non si può annullare: ") + why;
  return ok;
}

}  // namespace

bool settleJournal(const QString& path, QString* error) { return settle(path, 5000, error); }

Result check(const QString& path, const QStringList& columns, int busyWaitMs) {
  const QFileInfo info(path);
  if (!info.isFile()) return {State::Missing, QStringLiteral("il file non esiste"), {}};
  {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
      return {State::Damaged, QStringLiteral("il file non si può leggere"), file.errorString()};
    if (file.size() == 0) return notArchive(QStringLiteral("il file è vuoto"));
    // Whatever lacks SQLite's mark was never an archive; a file that has it
    // and fails below is one that was damaged.
    if (file.read(kMagic.size()) != kMagic)
      return notArchive(QStringLiteral("non è un database SQLite"));
  }
  QString why;
  if (!settle(path, busyWaitMs, &why)) return failed(why);

  Connection c(path, true, busyWaitMs);
  if (!c.isOpen()) return failed(c.error());
  QSqlQuery q(c.db());
  // The full check: the quick one passes indexes that disagree with their table.
  if (!q.exec(QStringLiteral("PRAGMA integrity_check(%1)").arg(kReportLimit)))
    return failed(q.lastError().text());
  QStringList rows;
  while (q.next()) rows << q.value(0).toString();
  q.finish();
  if (rows != QStringList{QStringLiteral("ok")}) {
    // The report can run to thousands of lines: its first few say enough.
    QStringList lines = rows.join(u'\n').split(u'\n', Qt::SkipEmptyParts);
    if (lines.size() > kDetailLines) lines = lines.mid(0, kDetailLines) << QStringLiteral("...");
    if (lines.isEmpty())
      return {State::Damaged, QStringLiteral("il controllo di integrità non ha dato esito"), {}};
    const sqlitefile::Explained e = sqlitefile::explain(lines.join(u'\n'));
    return {State::Damaged, e.text, e.technical};
  }
  const QSqlRecord record = c.db().record(QStringLiteral("tab"));
  if (record.isEmpty()) return notArchive(QStringLiteral("manca la tabella \"tab\""));
  // An archive that lost a column is still one (the plain editor takes its
  // records); a table "tab" with none of the columns is someone else's.
  const bool anyColumn =
      columns.isEmpty() || std::any_of(columns.cbegin(), columns.cend(),
                                       [&record](const QString& c) { return record.contains(c); });
  if (!anyColumn)
    return notArchive(QStringLiteral("la tabella \"tab\" non ha nessuna delle colonne attese"));
  return {};
}

QStringList expectedColumns(const QString& fileName) {
  if (fileName == DailyHistory::kFileName) return DailyHistory::columns();
  for (ArchiveKind kind : kArchiveKinds)
    if (fileName == archiveFileName(kind)) return records::columns(kind);
  return {};
}

}  // namespace archivecheck
