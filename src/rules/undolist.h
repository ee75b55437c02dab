#pragma once
// The deletions and corrections of this run that can be taken back, the last
// first. Each step is written to the archive at once; the list is forgotten
// when the run ends.

#include <QObject>
#include <QPair>
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

  // An import added the records with the keys `added` and replaced those of
  // `before` (key, every field as it was). Taken back as one step.
  void imported(Recordset& recordset, const QVector<qint64>& added,
                const QVector<QPair<qint64, QStringList>>& before);

  bool isEmpty() const { return steps_.isEmpty(); }
  int size() const { return int(steps_.size()); }

  struct Undone {
    Recordset* recordset;
    int row;  // the record put back or restored, now the current one (-1: none)
  };
  // Takes back the last step: a deleted record returns to its place, a
  // corrected one gets its old texts back, an import's records go and those
  // it replaced get their texts back. On a failed write the step stays
  // for another try; a step whose record or archive is gone is dropped. Both
  // give nothing, with the reason.
  std::optional<Undone> undo(QString* error = nullptr);

 Q_SIGNALS:
  // A step was added or taken back.
  void changed();

 private:
  enum class Kind { Deletion, Correction, Import };
  struct Step {
    QPointer<Recordset> recordset;
    Kind kind;
    qint64 key;
    QStringList values;
    QVector<qint64> added;                       // an import's
    QVector<QPair<qint64, QStringList>> before;  // an import's
  };
  QVector<Step> steps_;
};
