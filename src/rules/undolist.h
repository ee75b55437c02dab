#pragma once
// The deletions and corrections of this run that can be taken back, the last
// first. Each step is written to the archive at once; the list is forgotten
// when the run ends.

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVector>
#include <optional>

#include "rules/recordset.h"

class UndoList : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;

  // A record was deleted: its key and every field, in the order of the
  // recordset's fieldNames().
  void deleted(Recordset& recordset, qint64 key, const QStringList& values);
  // A record was corrected: its key and every field as it was before.
  void corrected(Recordset& recordset, qint64 key, const QStringList& before);

  bool isEmpty() const { return steps_.isEmpty(); }
  int size() const { return int(steps_.size()); }

  struct Undone {
    Recordset* recordset;
    int row;  // the record put back or restored, now the current one
  };
  // Takes back the last step: a deleted record returns to its place, a
  // corrected one gets its old texts back. On a failed write the step stays
  // for another try; a step whose record or archive is gone is dropped. Both
  // give nothing, with the reason.
  std::optional<Undone> undo(QString* error = nullptr);

 Q_SIGNALS:
  // A step was added or taken back.
  void changed();

 private:
  struct Step {
    QPointer<Recordset> recordset;
    bool deletion;
    qint64 key;
    QStringList values;
  };
  QVector<Step> steps_;
};
