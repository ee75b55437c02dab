#include "rules/undolist.h"

void UndoList::deleted(Recordset& recordset, qint64 key, const QStringList& values) {
  steps_.append({&recordset, true, key, values});
  Q_EMIT changed();
}

void UndoList::corrected(Recordset& recordset, qint64 key, const QStringList& before) {
  steps_.append({&recordset, false, key, before});
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
  if (step.deletion) {
    row = rs->restoreRecord(step.key, step.values, error);
    if (row < 0) return std::nullopt;
    // Put back under a new key: the earlier steps about it follow it there.
    const qint64 now = rs->key(row);
    if (now != step.key)
      for (Step& earlier : steps_)
        if (earlier.recordset == rs && earlier.key == step.key) earlier.key = now;
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
