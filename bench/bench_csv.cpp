// CSV out and in with 100,000 records: the rain archive and the daily
// history, each exported to a file and imported into an empty one, as the
// menu commands do it (reading the archive, composing, writing atomically;
// reading, checking, planning, one transaction).
//
//   bench_csv             prints the times; never part of the test run

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <cstdio>

#include "rules/csvexchange.h"
#include "rules/datafolder.h"
#include "rules/recordset.h"
#include "rules/textfile.h"

namespace {

constexpr int kRecords = 100000;

double ms(QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

bool openArchive(Recordset& rs, const QString& path) { return rs.connect(path) && rs.open(); }

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
  QTemporaryDir full, empty;
  if (!datafolder::layOut(full.path()) || !datafolder::layOut(empty.path())) return 1;
  const QString archive = archiveFileName(ArchiveKind::Rain);
  const QString file = full.filePath(QStringLiteral("pioggia.csv"));
  const csv::Dialect d = csv::Dialect::Semicolon;

  QVector<QStringList> records;
  QVector<DayRecord> days;
  const QDate start(1800, 1, 1);
  for (int i = 0; i < kRecords; ++i) {
    records << QStringList{QStringLiteral("Marzo  %1").arg(i),
                           QStringLiteral("%1 evento/i").arg(i % 20),
                           QStringLiteral("%1,%2 mm").arg(i % 300).arg(i % 10),
                           i % 7 ? QString() : QStringLiteral("nota; \"piena\"\r\nseconda riga")};
    days << DayRecord{start.addDays(i), QStringLiteral("-%1,5").arg(i % 10),
                      QStringLiteral("%1").arg(i % 30), QStringLiteral("%1,2").arg(i % 50),
                      i % 9 ? QString() : QStringLiteral("gelo")};
  }
  {
    Recordset rs;
    if (!openArchive(rs, full.filePath(archive)) || !rs.importRecords(records, {}, nullptr))
      return 1;
    DailyHistory h;
    if (!h.open(full.filePath(DailyHistory::kFileName)) || !h.write(days, QStringLiteral("x")))
      return 1;
  }

  // The rain archive.
  Recordset rs;
  if (!openArchive(rs, full.filePath(archive))) return 1;
  QElapsedTimer t;
  t.start();
  const QByteArray bytes =
      csv::document(csvexchange::archiveTable(csvexchange::Target(ArchiveKind::Rain),
                                              rs.fieldNames(), rs.allValues(), d),
                    d);
  if (!textfile::writeBytes(file, bytes)) return 1;
  const double exportArchive = ms(t);

  Recordset into;
  if (!openArchive(into, empty.filePath(archive))) return 1;
  t.restart();
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return 1;
  const auto table = csvexchange::read(
      csv::decode(f.readAll()), csvexchange::Target(ArchiveKind::Rain), into.fieldNames(), d);
  const auto plan = csvexchange::planArchive(table, into.fieldNames(), into.allValues(), false);
  if (!into.importRecords(plan.added, plan.replaced, nullptr)) return 1;
  const double importArchive = ms(t);
  if (into.allValues() != records) return 2;

  // The daily history.
  DailyHistory h, hInto;
  if (!h.open(full.filePath(DailyHistory::kFileName)) ||
      !hInto.open(empty.filePath(DailyHistory::kFileName)))
    return 1;
  t.restart();
  if (!textfile::writeBytes(file, csv::document(csvexchange::historyTable(h.all(), d), d)))
    return 1;
  const double exportHistory = ms(t);
  t.restart();
  f.close();
  if (!f.open(QIODevice::ReadOnly)) return 1;
  const auto dayTable = csvexchange::read(csv::decode(f.readAll()), csvexchange::Target::history(),
                                          csvexchange::historyHeadings(), d);
  // The made-up days run past today: every one of them is imported.
  const auto dayPlan = csvexchange::planHistory(dayTable, hInto, false, QDate(9999, 12, 31));
  if (!hInto.write(dayPlan.days, QStringLiteral("importazione"))) return 1;
  const double importHistory = ms(t);
  if (hInto.all() != days) return 3;

  std::printf("%d records, file of %.1f MB\n", kRecords, bytes.size() / 1e6);
  std::printf("rain archive: export %.0f ms, import %.0f ms (limit 2000 ms each)\n", exportArchive,
              importArchive);
  std::printf("daily history: export %.0f ms, import %.0f ms (limit 2000 ms each)\n", exportHistory,
              importHistory);
  return 0;
}
