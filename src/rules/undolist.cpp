#include "rules/undolist.h"

void UndoList::deleted(Recordset& recordset, qint64 key, const QStringList& values) {
  steps_.append({&recordset, Kind::Deletion, key, values, {}, {}});
  Q_EMIT changed();
}

void UndoList::corrected(Recordset& recordset, qint64 key, const QStringList& before) {
  steps_.append({&recordset, Kind::Correction, key, before, {}, {}});
  Q_EMIT changed();
}

void UndoList::imported(Recordset& recordset, const QVector<qint64>& added,
                        const QVector<QPair<qint64, QStringList>>& before) {
  steps_.append({&recordset, Kind::Import, -1, {}, added, before});
  Q_EMIT changed();
}

std::optional<UndoList::Undone> UndoList::undo(QString* error) {
  if (steps_.isEmpty()) {
    if (error) *error = QStringLiteral("nothing to undo");
    return std::nullopt;
  }
  const Step step = steps_.last();
  auto drop = [&](const QString& why) -> std::optional<Undone> {
    steps_.removeLast();
    Q_EMIT changed();
    if (error) *error = why;
    return std::nullopt;
  };
  Recordset* rs = step.recordset.data();
  if (!rs || !rs->isOpen()) return drop(QStringLiteral("archive closed"));

  int row = -1;
  if (step.kind == Kind::Import) {
    if (!rs->revertImport(step.added, step.before, error)) return std::nullopt;
    row = rs->position();
  } else if (step.kind == Kind::Deletion) {
    row = rs->restoreRecord(step.key, step.values, error);
    if (row < 0) return std::nullopt;
    // Put back under a new key: the earlier steps about it follow it there.
    const qint64 now = rs->key(row);
    if (now != step.key)
      for (Step& earlier : steps_) {
        if (earlier.recordset != rs) continue;
        if (earlier.key == step.key) earlier.key = now;
        for (qint64& k : earlier.added)
          if (k == step.key) k = now;
        for (auto& b : earlier.before)
          if (b.first == step.key) b.first = now;
      }
  } else {
    row = rs->rowOf(step.key);
    if (row < 0) return drop(QStringLiteral("record no longer in the archive"));
    if (!rs->updateRecord(row, step.values, error)) return std::nullopt;
    rs->setPosition(row);
  }
  steps_.removeLast();
  Q_EMIT changed();
  return Undone{rs, row};
}
