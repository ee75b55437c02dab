#pragma once
// An archive file read back (or tampered with) through a connection of its
// own, the way another program would see it.

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUuid>

class ArchiveFile {
 public:
  explicit ArchiveFile(const QString& path)
      : name_(QStringLiteral("check-") + QUuid::createUuid().toString(QUuid::Id128)) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db.setDatabaseName(path);
    db.open();
  }
  ~ArchiveFile() {
    QSqlDatabase::database(name_, false).close();
    QSqlDatabase::removeDatabase(name_);
  }

  // Runs one statement; the error text, empty on success.
  QString exec(const QString& sql) {
    QSqlQuery q(QSqlDatabase::database(name_, false));
    return q.exec(sql) ? QString() : q.lastError().text();
  }

  // "ok", or what PRAGMA quick_check finds wrong.
  QString quickCheck() {
    QSqlQuery q(QSqlDatabase::database(name_, false));
    if (!q.exec(QStringLiteral("PRAGMA quick_check"))) return q.lastError().text();
    QStringList found;
    while (q.next()) found << q.value(0).toString();
    return found.join(u'\n');
  }

  int count() {
    QSqlQuery q(QSqlDatabase::database(name_, false));
    if (!q.exec(QStringLiteral("SELECT count(*) FROM tab")) || !q.next()) return -1;
    return q.value(0).toInt();
  }

  // The bytes stored in each of `columns` of the row'th record (rowid order).
  QList<QByteArray> row(int row, const QStringList& columns) {
    QStringList casts;
    for (const QString& c : columns) casts << QStringLiteral("CAST(\"%1\" AS BLOB)").arg(c);
    QSqlQuery q(QSqlDatabase::database(name_, false));
    QList<QByteArray> values;
    if (!q.exec(QStringLiteral("SELECT %1 FROM tab ORDER BY rowid LIMIT 1 OFFSET %2")
                    .arg(casts.join(QLatin1Char(',')))
                    .arg(row)) ||
        !q.next())
      return values;
    for (int i = 0; i < columns.size(); ++i) values << q.value(i).toByteArray();
    return values;
  }

  // Every insert fails from now on, as with an archive that cannot be written.
  QString blockInserts() {
    return exec(
        QStringLiteral("CREATE TRIGGER blocca BEFORE INSERT ON tab BEGIN SELECT RAISE(ABORT, 'sola "
                       "lettura'); END"));
  }
  QString allowInserts() { return exec(QStringLiteral("DROP TRIGGER blocca")); }
  // The same for corrections in place.
  QString blockUpdates() {
    return exec(
        QStringLiteral("CREATE TRIGGER bloccamodifiche BEFORE UPDATE ON tab BEGIN SELECT "
                       "RAISE(ABORT, 'sola lettura'); END"));
  }
  QString allowUpdates() { return exec(QStringLiteral("DROP TRIGGER bloccamodifiche")); }

  // Adds `count` records of a few hundred bytes each to the first column and
  // the last ("Osservazioni"): enough of them fill several pages.
  QString fill(int count, const QString& first, const QString& last) {
    QString error = exec(QStringLiteral("BEGIN"));
    for (int i = 0; i < count && error.isEmpty(); ++i)
      error = exec(QStringLiteral("INSERT INTO tab (\"%1\", \"%2\") VALUES ('riga %3', '%4')")
                       .arg(first, last)
                       .arg(i)
                       .arg(QString(200 + i % 50, QLatin1Char('a' + i % 26))));
    return error.isEmpty() ? exec(QStringLiteral("COMMIT")) : error;
  }

  // Points the index entry of one record of a small table (on one page) at
  // another rowid: SQLite's quick check passes it, its integrity check finds
  // the row missing from the index. The index's root page must be a leaf.
  static bool damageIndex(const QString& path, const QString& index) {
    int page = 0, pageSize = 0;
    {
      ArchiveFile a(path);
      QSqlQuery q(QSqlDatabase::database(a.name_, false));
      if (!q.exec("SELECT rootpage FROM sqlite_master WHERE name = '" + index + "'") || !q.next())
        return false;
      page = q.value(0).toInt();
      if (!q.exec(QStringLiteral("PRAGMA page_size")) || !q.next()) return false;
      pageSize = q.value(0).toInt();
    }
    QFile f(path);
    if (page < 2 || !f.open(QIODevice::ReadWrite) || !f.seek(qint64(page - 1) * pageSize))
      return false;
    QByteArray bytes = f.read(pageSize);
    const auto byte = [&bytes](qsizetype at) { return quint8(bytes.at(at)); };
    if (bytes.size() != pageSize || byte(0) != 0x0a) return false;  // a leaf of an index
    auto varint = [&](qsizetype& at) {
      qint64 v = 0;
      for (int i = 0; i < 9; ++i) {
        const quint8 b = byte(at++);
        v = (v << 7) | (b & 0x7f);
        if (!(b & 0x80)) break;
      }
      return v;
    };
    // The cells' records (key, rowid): the first whose rowid is one byte.
    for (int cell = 0; cell < (byte(3) << 8 | byte(4)); ++cell) {
      qsizetype at = byte(8 + 2 * cell) << 8 | byte(9 + 2 * cell);
      const qint64 payload = varint(at);
      const qsizetype start = at;
      const qint64 headerSize = varint(at);
      qint64 last = 0;
      while (at < start + headerSize) last = varint(at);
      if (last != 1) continue;
      bytes[start + payload - 1] = char(byte(start + payload - 1) ^ 0x40);
      return f.seek(qint64(page - 1) * pageSize) && f.write(bytes) == pageSize;
    }
    return false;
  }

  // Zeros over bytes in the middle of a closed archive, as a failing disk
  // leaves them: SQLite's quick check fails, yet the records still read.
  static bool damage(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite) || f.size() < 8 * 4096) return false;
    return f.seek(f.size() / 2 + 1000) && f.write(QByteArray(200, '\0')) == 200;
  }

 private:
  QString name_;
};
