#include "rules/recordset.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <QUuid>

namespace {
constexpr int kCacheLimit = 4000;  // rows kept in memory for the grids
const QString kTable = QStringLiteral("tab");
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

bool Recordset::connect(const QString& path, QString* error) {
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
  QUrl uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
  uri.setScheme(QStringLiteral("file"));
  db.setDatabaseName(uri.toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw"));
  db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
  if (!db.open()) return fail(db.lastError().text());

  QSqlQuery q(db);
  // The table must be there and readable; a file that is not a database fails here.
  if (!q.exec(QStringLiteral("SELECT * FROM %1 LIMIT 0")
                  .arg(db.driver()->escapeIdentifier(kTable, QSqlDriver::TableName))))
    return fail(q.lastError().text());
  // A closed archive must be one self-contained file: rollback journal, not WAL.
  q.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
  q.exec(QStringLiteral("PRAGMA synchronous=FULL"));
  connected_ = true;
  return true;
}

bool Recordset::open(QString* error) {
  if (!connected_) {
    if (error) *error = QStringLiteral("not connected");
    return false;
  }
  QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
  const QString table = db.driver()->escapeIdentifier(kTable, QSqlDriver::TableName);
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
  q.prepare(QStringLiteral("SELECT * FROM %1 WHERE rowid = ?")
                .arg(db.driver()->escapeIdentifier(kTable, QSqlDriver::TableName)));
  q.addBindValue(id);
  QStringList values;
  if (q.exec() && q.next()) {
    for (int i = 0; i < columns_.size(); ++i) values << q.value(i).toString();
  } else {
    for (int i = 0; i < columns_.size(); ++i) values << QString();
  }
  return *cache_.insert(id, values);
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
  const QString table = db.driver()->escapeIdentifier(kTable, QSqlDriver::TableName);
  QStringList names;
  QStringList marks;
  QList<int> order = pending_.keys();
  std::sort(order.begin(), order.end());
  for (int column : order) {
    names << db.driver()->escapeIdentifier(columns_[column], QSqlDriver::FieldName);
    marks << QStringLiteral("?");
  }
  QSqlQuery q(db);
  const QString sql =
      names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                      : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
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
  q.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?")
                .arg(db.driver()->escapeIdentifier(kTable, QSqlDriver::TableName)));
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
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal)
    return section < columns_.size() ? columns_[section] : QVariant();
  return section + 1;
}
