#include "rules/recordset.h"

#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <QUuid>
#include <algorithm>

#include "rules/sqlitefile.h"

namespace {
constexpr int kCacheLimit = 4000;  // rows kept in memory for the grids
const QString kTable = QStringLiteral("tab");

// "INSERT INTO table (names) VALUES (marks)", or the default values when no
// column is named.
QString insertStatement(const QString& table, const QStringList& names, const QStringList& marks) {
  if (names.isEmpty()) return QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table);
  return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
      .arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
}
}  // namespace

Recordset::Recordset(QObject* parent)
    : QAbstractTableModel(parent),
      connectionName_(QStringLiteral("archive-") + QUuid::createUuid().toString(QUuid::Id128)) {}

Recordset::~Recordset() {
  close();
  if (QSqlDatabase::contains(connectionName_)) {
    QSqlDatabase::database(connectionName_, false).close();
    QSqlDatabase::removeDatabase(connectionName_);
  }
}

bool Recordset::connect(const QString& path, QString* error, Access access) {
  auto fail = [&](const QString& why) {
    if (error) *error = why;
    if (QSqlDatabase::contains(connectionName_)) {
      QSqlDatabase::database(connectionName_, false).close();
    }
    connected_ = false;
    return false;
  };
  if (!QFileInfo(path).isFile()) return fail(QStringLiteral("file not found: ") + path);

  QSqlDatabase db = QSqlDatabase::contains(connectionName_)
                        ? QSqlDatabase::database(connectionName_, false)
                        : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
  if (!db.isValid()) return fail(QStringLiteral("SQLite driver missing"));
  // A URI with mode=rw opens an existing file only; SQLite falls back to
  // reading when the file is write-protected.
  readOnly_ = access == Access::ReadOnly;
  QUrl uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
  uri.setScheme(QStringLiteral("file"));
  db.setDatabaseName(uri.toString(QUrl::FullyEncoded) +
                     (readOnly_ ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw")));
  db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
  if (!db.open()) return fail(db.lastError().text());

  QSqlQuery q(db);
  // The table must be there and readable; a file that is not a database fails here.
  if (!q.exec(QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(sqlitefile::quoted(kTable))))
    return fail(q.lastError().text());
  // A closed archive must be one self-contained file: rollback journal, not WAL.
  if (!readOnly_) {
    q.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
    q.exec(QStringLiteral("PRAGMA synchronous=FULL"));
  }
  connected_ = true;
  return true;
}

bool Recordset::open(QString* error) {
  if (!connected_) {
    if (error) *error = QStringLiteral("not connected");
    return false;
  }
  QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
  const QString table = sqlitefile::quoted(kTable);
  QSqlRecord rec = db.record(kTable);
  QSqlQuery q(db);
  q.setForwardOnly(true);
  if (rec.isEmpty() || !q.exec(QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid").arg(table))) {
    if (error) *error = q.lastError().text();
    return false;
  }
  QVector<qint64> ids;
  while (q.next()) ids.append(q.value(0).toLongLong());
  beginResetModel();
  columns_.clear();
  for (int i = 0; i < rec.count(); ++i) columns_ << rec.fieldName(i);
  ids_ = std::move(ids);
  cache_.clear();
  open_ = true;
  position_ = ids_.isEmpty() ? -1 : 0;
  endResetModel();
  Q_EMIT currentChanged(position_);
  return true;
}

void Recordset::close() {
  if (!open_) return;
  beginResetModel();
  open_ = false;
  ids_.clear();
  cache_.clear();
  columns_.clear();
  position_ = -1;
  adding_ = false;
  pending_.clear();
  endResetModel();
  Q_EMIT closed();
}

void Recordset::setPosition(int index) {
  const int p = (index >= 0 && index < recordCount()) ? index : -1;
  if (p == position_) return;
  position_ = p;
  Q_EMIT currentChanged(position_);
}

void Recordset::moveFirst() { setPosition(recordCount() > 0 ? 0 : -1); }
void Recordset::moveNext() {
  if (atEnd()) return;
  // Past the last record the recordset is at its end.
  position_ = position_ + 1 < recordCount() ? position_ + 1 : recordCount();
  Q_EMIT currentChanged(atEnd() ? -1 : position_);
}
void Recordset::moveLast() { setPosition(recordCount() - 1); }

int Recordset::fieldIndex(const QString& name) const {
  for (int i = 0; i < columns_.size(); ++i)
    if (columns_[i].compare(name, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

QString Recordset::field(const QString& name) const {
  if (atEnd()) return {};
  const int column = fieldIndex(name);
  return column < 0 ? QString() : value(position_, column);
}

const QStringList& Recordset::row(int index) const {
  static const QStringList empty;
  if (index < 0 || index >= recordCount()) return empty;
  const qint64 id = ids_[index];
  auto it = cache_.constFind(id);
  if (it != cache_.constEnd()) return *it;
  if (cache_.size() >= kCacheLimit) cache_.clear();
  QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
  QSqlQuery q(db);
  q.prepare(QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(sqlitefile::quoted(kTable)));
  q.addBindValue(id);
  QStringList values;
  if (q.exec() && q.next()) {
    for (int i = 0; i < columns_.size(); ++i) values << q.value(i).toString();
  } else {
    for (int i = 0; i < columns_.size(); ++i) values << QString();
  }
  return *cache_.insert(id, values);
}

QStringList Recordset::values(int r) const {
  QStringList all = row(r);
  while (all.size() < columns_.size()) all << QString();
  return all;
}

qint64 Recordset::key(int r) const { return r >= 0 && r < recordCount() ? ids_[r] : -1; }

int Recordset::rowOf(qint64 id) const {
  // The keys are in rowid order; look them through only if that ever failed.
  const auto it = std::lower_bound(ids_.cbegin(), ids_.cend(), id);
  if (it != ids_.cend() && *it == id) return int(it - ids_.cbegin());
  return int(ids_.indexOf(id));
}

int Recordset::findRow(const QString& field, const QString& text, int exceptRow) const {
  const int column = fieldIndex(field);
  if (!open_ || column < 0) return -1;
  QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
  QSqlQuery q(db);
  q.setForwardOnly(true);
  q.prepare(QStringLiteral("SELECT rowid FROM %1 WHERE %2 = ? ORDER BY rowid")
                .arg(sqlitefile::quoted(kTable), sqlitefile::quoted(columns_[column])));
  q.addBindValue(text);
  if (!q.exec()) return -1;
  while (q.next()) {
    const int r = rowOf(q.value(0).toLongLong());
    if (r >= 0 && r != exceptRow) return r;
  }
  return -1;
}

QString Recordset::value(int r, int column) const {
  const QStringList& values = row(r);
  return column >= 0 && column < values.size() ? values[column] : QString();
}

void Recordset::addNew() {
  adding_ = true;
  pending_.clear();
}

bool Recordset::setField(const QString& name, const QString& value) {
  const int column = fieldIndex(name);
  if (!adding_ || column < 0) return false;
  pending_[column] = value;
  return true;
}

void Recordset::cancelUpdate() {
  adding_ = false;
  pending_.clear();
}

bool Recordset::update(QString* error) {
  if (!open_ || !adding_) {
    if (error) *error = QStringLiteral("no record to write");
    return false;
  }
  QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
  const QString table = sqlitefile::quoted(kTable);
  QStringList names;
  QStringList marks;
  QList<int> order = pending_.keys();
  std::sort(order.begin(), order.end());
  for (int column : order) {
    names << sqlitefile::quoted(columns_[column]);
    marks << QStringLiteral("?");
  }
  QSqlQuery q(db);
  const QString sql = insertStatement(table, names, marks);
  bool ok = q.prepare(sql);
  if (ok) {
    for (int column : order) q.addBindValue(pending_[column]);
    ok = q.exec();
  }
  adding_ = false;
  QHash<int, QString> written = std::move(pending_);
  pending_.clear();
  if (!ok) {
    if (error) *error = q.lastError().text();
    return false;
  }
  const qint64 id = q.lastInsertId().toLongLong();
  QStringList values;
  for (int i = 0; i < columns_.size(); ++i) values << written.value(i);
  const int r = recordCount();
  beginInsertRows({}, r, r);
  ids_.append(id);
  cache_.insert(id, values);
  endInsertRows();
  position_ = r;
  Q_EMIT currentChanged(position_);
  return true;
}

bool Recordset::deleteCurrent(QString* error) {
  if (!open_ || atEnd()) {
    if (error) *error = QStringLiteral("no current record");
    return false;
  }
  QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
  QSqlQuery q(db);
  q.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(sqlitefile::quoted(kTable)));
  const int r = position_;
  q.addBindValue(ids_[r]);
  if (!q.exec() || q.numRowsAffected() != 1) {
    if (error) *error = q.lastError().text();
    return false;
  }
  beginRemoveRows({}, r, r);
  cache_.remove(ids_[r]);
  ids_.remove(r);
  endRemoveRows();
  position_ = r < recordCount() ? r : -1;
  Q_EMIT currentChanged(position_);
  return true;
}

bool Recordset::updateRecord(int r, const QStringList& values, QString* error) {
  auto fail = [error](const QString& why) {
    if (error) *error = why;
    return false;
  };
  if (!open_ || r < 0 || r >= recordCount()) return fail(QStringLiteral("no such record"));
  if (values.size() != columns_.size()) return fail(QStringLiteral("one value per field expected"));
  const QStringList before = this->values(r);
  QList<int> changed;
  for (int i = 0; i < columns_.size(); ++i)
    if (values[i] != before[i]) changed << i;
  if (changed.isEmpty()) return true;

  QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
  QStringList sets;
  for (int column : changed) sets << sqlitefile::quoted(columns_[column]) + QStringLiteral(" = ?");
  QSqlQuery q(db);
  if (!q.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                     .arg(sqlitefile::quoted(kTable), sets.join(QStringLiteral(", ")))))
    return fail(q.lastError().text());
  for (int column : changed) q.addBindValue(values[column]);
  q.addBindValue(ids_[r]);
  if (!q.exec()) return fail(q.lastError().text());
  if (q.numRowsAffected() != 1) return fail(QStringLiteral("record no longer in the archive"));
  cache_.insert(ids_[r], values);
  Q_EMIT dataChanged(index(r, 0), index(r, int(columns_.size()) - 1),
                     {Qt::DisplayRole, Qt::ToolTipRole});
  return true;
}

int Recordset::restoreRecord(qint64 id, const QStringList& values, QString* error) {
  auto fail = [error](const QString& why) {
    if (error) *error = why;
    return -1;
  };
  if (!open_) return fail(QStringLiteral("archive not open"));
  if (values.size() != columns_.size()) return fail(QStringLiteral("one value per field expected"));
  QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
  const QString table = sqlitefile::quoted(kTable);
  // Its old key puts it back in its place, unless a record took it meanwhile.
  bool keyFree = id > 0 && rowOf(id) < 0;
  if (keyFree) {
    QSqlQuery taken(db);
    taken.prepare(QStringLiteral("SELECT count(*) FROM %1 WHERE rowid = ?").arg(table));
    taken.addBindValue(id);
    if (!taken.exec() || !taken.next()) return fail(taken.lastError().text());
    keyFree = taken.value(0).toLongLong() == 0;
  }
  QStringList names;
  QStringList marks;
  if (keyFree) {
    names << QStringLiteral("rowid");
    marks << QStringLiteral("?");
  }
  for (const QString& c : columns_) {
    names << sqlitefile::quoted(c);
    marks << QStringLiteral("?");
  }
  QSqlQuery q(db);
  const QString sql = insertStatement(table, names, marks);
  if (!q.prepare(sql)) return fail(q.lastError().text());
  if (keyFree) q.addBindValue(id);
  for (const QString& v : values) q.addBindValue(v);
  if (!q.exec()) return fail(q.lastError().text());
  const qint64 written = keyFree ? id : q.lastInsertId().toLongLong();
  const int r = int(std::lower_bound(ids_.cbegin(), ids_.cend(), written) - ids_.cbegin());
  beginInsertRows({}, r, r);
  ids_.insert(r, written);
  cache_.insert(written, values);
  endInsertRows();
  position_ = r;
  Q_EMIT currentChanged(position_);
  return r;
}

QVector<QStringList> Recordset::allValues(QString* error) const {
  QVector<QStringList> all;
  if (!open_) {
    if (error) *error = QStringLiteral("archive not open");
    return all;
  }
  QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
  QSqlQuery q(db);
  q.setForwardOnly(true);
  if (!q.exec(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(sqlitefile::quoted(kTable)))) {
    if (error) *error = q.lastError().text();
    return all;
  }
  all.reserve(recordCount());
  const int n = int(columns_.size());
  while (q.next()) {
    QStringList values;
    values.reserve(n);
    for (int i = 0; i < n; ++i) values << q.value(i).toString();
    all << values;
  }
  return all;
}

bool Recordset::inTransaction(const std::function<bool(QString*)>& work, QString* error) {
  QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
  if (!db.transaction()) {
    if (error) *error = db.lastError().text();
    return false;
  }
  QString why;
  if (!work(&why) || !db.commit()) {
    if (why.isEmpty()) why = db.lastError().text();
    db.rollback();
    if (error) *error = why;
    return false;
  }
  return true;
}

bool Recordset::importRecords(const QVector<QStringList>& added,
                              const QVector<QPair<int, QStringList>>& replaced,
                              QVector<qint64>* keys, QString* error) {
  if (!open_) {
    if (error) *error = QStringLiteral("archive not open");
    return false;
  }
  for (const QStringList& v : added)
    if (v.size() != columns_.size()) {
      if (error) *error = QStringLiteral("one value per field expected");
      return false;
    }
  for (const auto& [r, v] : replaced)
    if (r < 0 || r >= recordCount() || v.size() != columns_.size()) {
      if (error) *error = QStringLiteral("no such record");
      return false;
    }
  QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
  const QString table = sqlitefile::quoted(kTable);
  QStringList names, marks, sets;
  for (const QString& c : columns_) {
    names << sqlitefile::quoted(c);
    marks << QStringLiteral("?");
    sets << names.last() + QStringLiteral(" = ?");
  }
  QVector<qint64> written;
  const bool ok = inTransaction(
      [&](QString* why) {
        QSqlQuery insert(db), update(db);
        if (!insert.prepare(insertStatement(table, names, marks)) ||
            !update.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                                .arg(table, sets.join(QStringLiteral(", "))))) {
          *why = insert.lastError().text() + update.lastError().text();
          return false;
        }
        for (const QStringList& v : added) {
          for (int i = 0; i < v.size(); ++i) insert.bindValue(i, v[i]);
          if (!insert.exec()) {
            *why = insert.lastError().text();
            return false;
          }
          written << insert.lastInsertId().toLongLong();
        }
        for (const auto& [r, v] : replaced) {
          for (int i = 0; i < v.size(); ++i) update.bindValue(i, v[i]);
          update.bindValue(int(v.size()), ids_[r]);
          if (!update.exec() || update.numRowsAffected() != 1) {
            *why = update.lastError().text();
            return false;
          }
        }
        return true;
      },
      error);
  if (!ok) return false;
  for (const auto& [r, v] : replaced) {
    cache_.insert(ids_[r], v);
    Q_EMIT dataChanged(index(r, 0), index(r, int(columns_.size()) - 1),
                       {Qt::DisplayRole, Qt::ToolTipRole});
  }
  if (!written.isEmpty()) {
    const int first = recordCount();
    beginInsertRows({}, first, first + int(written.size()) - 1);
    ids_ << written;
    endInsertRows();
    position_ = recordCount() - 1;
    Q_EMIT currentChanged(position_);
  }
  if (keys) *keys = written;
  return true;
}

bool Recordset::revertImport(const QVector<qint64>& added,
                             const QVector<QPair<qint64, QStringList>>& before, QString* error) {
  if (!open_) {
    if (error) *error = QStringLiteral("archive not open");
    return false;
  }
  QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
  const QString table = sqlitefile::quoted(kTable);
  QStringList sets;
  for (const QString& c : columns_) sets << sqlitefile::quoted(c) + QStringLiteral(" = ?");
  const bool ok = inTransaction(
      [&](QString* why) {
        QSqlQuery remove(db), update(db);
        if (!remove.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(table)) ||
            !update.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                                .arg(table, sets.join(QStringLiteral(", "))))) {
          *why = remove.lastError().text() + update.lastError().text();
          return false;
        }
        for (qint64 key : added) {
          remove.bindValue(0, key);
          if (!remove.exec()) {
            *why = remove.lastError().text();
            return false;
          }
        }
        for (const auto& [key, v] : before) {
          if (v.size() != columns_.size()) {
            *why = QStringLiteral("one value per field expected");
            return false;
          }
          for (int i = 0; i < v.size(); ++i) update.bindValue(i, v[i]);
          update.bindValue(int(v.size()), key);
          if (!update.exec()) {
            *why = update.lastError().text();
            return false;
          }
        }
        return true;
      },
      error);
  if (!ok) return false;
  beginResetModel();
  const QSet<qint64> gone(added.cbegin(), added.cend());
  QVector<qint64> kept;
  kept.reserve(ids_.size());
  for (qint64 id : std::as_const(ids_))
    if (!gone.contains(id)) kept << id;
  ids_ = std::move(kept);
  for (qint64 id : added) cache_.remove(id);
  for (const auto& [key, v] : before) cache_.insert(key, v);
  if (position_ >= recordCount()) position_ = recordCount() - 1;
  endResetModel();
  Q_EMIT currentChanged(position_);
  return true;
}

int Recordset::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : recordCount();
}

int Recordset::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(columns_.size());
}

QVariant Recordset::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
  return value(index.row(), index.column());
}

QVariant Recordset::headerData(int section, Qt::Orientation orientation, int role) const {
  // A column narrower than its name shows the whole name in its tooltip.
  if (role == Qt::ToolTipRole && orientation == Qt::Horizontal)
    return section < columns_.size() ? columns_[section] : QVariant();
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal)
    return section < columns_.size() ? columns_[section] : QVariant();
  return section + 1;
}
