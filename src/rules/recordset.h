#pragma once
// An archive database and its shared recordset. The recordset keeps the
// archive's records in the order they were added and a current record; the
// grids show it directly (it is their model) and the entry dialogs, the delete
// commands and the printouts work on the same object, so a change shows at once.
//
// Only the record keys are held in memory; a record's fields are read from the
// file when shown, so an archive of decades opens at once.

#include <QAbstractTableModel>
#include <QHash>
#include <QSqlDatabase>
#include <QStringList>
#include <QVector>
#include <functional>

class Recordset : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit Recordset(QObject* parent = nullptr);
  ~Recordset() override;

  // The connection: opens an existing archive for reading and writing (read-only
  // when the file is write-protected) and checks that it is a database with the
  // table "tab". Never creates a file. False with a reason when it cannot.
  // Read-only (a damaged archive the keeper chose to keep): every write fails.
  enum class Access { ReadWrite, ReadOnly };
  bool connect(const QString& path, QString* error = nullptr, Access access = Access::ReadWrite);
  bool isConnected() const { return connected_; }
  bool isReadOnly() const { return connected_ && readOnly_; }

  // Opens the recordset on "SELECT * FROM tab": the columns and the record keys.
  bool open(QString* error = nullptr);
  bool isOpen() const { return open_; }
  // Closes the recordset; the grid becomes empty.
  void close();

  QStringList fieldNames() const { return columns_; }
  int recordCount() const { return int(ids_.size()); }

  // The current record: an index into the records, or -1 at the end (none).
  int position() const { return position_; }
  void setPosition(int index);
  bool atEnd() const { return position_ < 0 || position_ >= recordCount(); }
  void moveFirst();
  void moveNext();
  void moveLast();

  // A field of the current record by name, letter case ignored. Empty at the end
  // or for an unknown field.
  QString field(const QString& name) const;
  // A field of any record.
  QString value(int row, int column) const;
  // The index of a field by name, letter case ignored; -1 when unknown.
  int fieldIndex(const QString& name) const;
  // Every field of a record, in the order of fieldNames().
  QStringList values(int row) const;
  // The key (rowid) of a record; -1 outside the records.
  qint64 key(int row) const;
  // The row of the record with this key; -1 when there is none.
  int rowOf(qint64 key) const;
  // The first record other than `exceptRow` whose field holds exactly `text`;
  // -1 when there is none. One query, whatever the size of the archive.
  int findRow(const QString& field, const QString& text, int exceptRow = -1) const;

  // Adding a record: begin, set fields by name, then write it in one step.
  void addNew();
  bool setField(const QString& name, const QString& value);
  // Writes the new record; it becomes the last and the current record.
  // On failure nothing is written and the pending record is dropped.
  bool update(QString* error = nullptr);
  void cancelUpdate();

  // Removes the current record from the file. The record after it becomes
  // current (or none when it was the last).
  bool deleteCurrent(QString* error = nullptr);

  // Corrects a record in place: `values` holds every field in the order of
  // fieldNames(), and the fields that differ are written with one UPDATE, on
  // disk before the grids are told. The record keeps its row and the current
  // record stays. On failure nothing changes and the reason is given.
  bool updateRecord(int row, const QStringList& values, QString* error = nullptr);
  // Puts a deleted record back with these fields (in the order of
  // fieldNames()): under its old key when no record has taken it since, so it
  // returns to its place, else as the last record. It becomes current. Its
  // row, or -1 with the reason when it cannot be written.
  int restoreRecord(qint64 key, const QStringList& values, QString* error = nullptr);

  // Every record's fields, in the order of the records: one query, for the
  // whole archive at once (an export).
  QVector<QStringList> allValues(QString* error = nullptr) const;
  // An import, in one transaction: `added` are appended in their order and
  // `replaced` (row, every field) corrected; all of it or, on failure,
  // nothing. The keys of the records added go to `keys`. The last record
  // added becomes current.
  bool importRecords(const QVector<QStringList>& added,
                     const QVector<QPair<int, QStringList>>& replaced, QVector<qint64>* keys,
                     QString* error = nullptr);
  // Takes an import back in one transaction: the records with the keys
  // `added` are removed and those of `before` (key, every field) get their
  // texts back. All or nothing.
  bool revertImport(const QVector<qint64>& added, const QVector<QPair<qint64, QStringList>>& before,
                    QString* error = nullptr);

  // The model seen by the grids.
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 Q_SIGNALS:
  void currentChanged(int position);
  // The recordset was closed (end of the main window's life).
  void closed();

 private:
  const QStringList& row(int index) const;
  bool inTransaction(const std::function<bool(QString*)>& work, QString* error);

  QString connectionName_;
  bool connected_ = false;
  bool readOnly_ = false;
  bool open_ = false;
  QStringList columns_;
  QVector<qint64> ids_;
  int position_ = -1;
  bool adding_ = false;
  QHash<int, QString> pending_;  // column -> value of the record being added
  mutable QHash<qint64, QStringList> cache_;
};
