#pragma once
// What killwriter writes and tst_killedwrite checks: every text of a write
// is its version, eight digits repeated, so the bytes of a file tell which
// write they came from and whether it is whole.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

#include "rules/history.h"
#include "rules/stationconfig.h"

namespace killwrite {

// The files written, in the order of one round of writes, each reported on
// stdout as "<name> <version>" once done; "safety" is a safety copy of the
// data folder, made before a restore from the backup folder every third round.
inline const QStringList kWrites = {"sheet", "config", "archive", "history",
                                    "copy",  "copydb", "safety"};
inline const QString kSheet = QStringLiteral("tempmedie.txt");
inline const QString kArchive = QStringLiteral("temperature.mdb");
inline const QString kCopies = QStringLiteral("copia");  // the backup folder, in the data folder
inline constexpr int kSheetFields = 63;
// Round v's safety copy is made at this time plus v seconds.
inline const QDateTime kFirstCopy(QDate(2026, 12, 9), QTime(0, 0));
inline bool beforeRestore(qint64 v) { return v % 3 == 0; }

inline QString text(qint64 version, int length) {
  const QString digits = QStringLiteral("%1").arg(version, 8, 10, QLatin1Char('0'));
  return digits.repeated(length / 8);
}
// The version a text was written by; -1 when it is not one of these texts.
inline qint64 versionOf(const QString& text) {
  bool ok = false;
  const qint64 v = text.left(8).toLongLong(&ok);
  return ok && text == killwrite::text(v, int(text.size())) ? v : -1;
}

inline QStringList sheet(qint64 v) { return QStringList(kSheetFields, text(v, 2000)); }

inline StationConfig config(qint64 v) {
  StationConfig c;
  for (QString* line :
       {&c.nome, &c.mostraInfo, &c.anorma, &c.percorsoAppunti, &c.riepiloghiMensili})
    *line = text(v, 8000);
  return c;
}

inline QString recordField(qint64 v) { return text(v, 400); }

// January 2000, every day, in one write.
inline QVector<DayRecord> month(qint64 v) {
  QVector<DayRecord> days;
  for (int d = 1; d <= 31; ++d)
    days.append({QDate(2000, 1, d), text(v, 8), text(v, 8), text(v, 8), text(v, 400)});
  return days;
}

}  // namespace killwrite
