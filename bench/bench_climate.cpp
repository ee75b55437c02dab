// The climate figures with 50 years of daily history (18,262 days) and 600
// archived months: reading the history's numbers, the figures of a month, a
// year and all 50 years, the station's records, the normals, and both reports.
//
//   bench_climate             prints the times; never part of the test run

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "rules/climate.h"
#include "rules/climatereport.h"
#include "rules/datafolder.h"
#include "rules/history.h"

namespace {

// The median of five runs, in milliseconds.
double timed(const std::function<void()>& f) {
  QVector<double> v;
  for (int i = 0; i < 5; ++i) {
    QElapsedTimer t;
    t.start();
    f();
    v << t.nsecsElapsed() / 1e6;
  }
  std::sort(v.begin(), v.end());
  return v[2];
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
  QTemporaryDir dir;
  if (!datafolder::layOut(dir.path())) return 1;
  const QDate first(1976, 1, 1), last(2025, 12, 31);
  QVector<DayRecord> days;
  auto* random = QRandomGenerator::global();
  for (QDate d = first; d <= last; d = d.addDays(1)) {
    const int min = int(random->bounded(-150, 200)), max = min + int(random->bounded(0, 150));
    days.append({d, QLocale().toString(min / 10.0, 'f', 1), QLocale().toString(max / 10.0, 'f', 1),
                 random->bounded(4) ? QStringLiteral("0")
                                    : QLocale().toString(random->bounded(400) / 10.0, 'f', 1),
                 QString()});
  }
  DailyHistory h;
  if (!h.open(dir.filePath(DailyHistory::kFileName)) || !h.write(days, QStringLiteral("prova")))
    return 1;
  QVector<climate::ArchiveMonth> archive;
  for (int y = 1976; y <= 2025; ++y)
    for (int m = 1; m <= 12; ++m) archive << climate::ArchiveMonth{y, m, 15.0, 5.0, 600000};

  climate::Station s;
  const double load = timed([&] { s = climate::Station(h.numbers(), archive); });
  const double month = timed([&] { s.month(2025, 6); });
  const double year = timed([&] { s.year(2025); });
  const double span = timed([&] { s.span(first, last); });
  const double records = timed([&] { climate::records(s); });
  climate::Normals n;
  const double normals = timed([&] { n = climate::normals(s, 1991, 2020); });
  const double monthReport =
      timed([&] { climatereport::month(QStringLiteral("Prova"), s, 2025, 6, n); });
  const double yearReport =
      timed([&] { climatereport::year(QStringLiteral("Prova"), s, 2025, n); });

  std::printf("50 years, %lld days (median of 5 runs, goal 200 ms each)\n", qlonglong(days.size()));
  std::printf("history read and indexed   %8.2f ms\n", load);
  std::printf("figures of a month         %8.2f ms\n", month);
  std::printf("figures of a year          %8.2f ms\n", year);
  std::printf("figures of 50 years        %8.2f ms\n", span);
  std::printf("station records            %8.2f ms\n", records);
  std::printf("normals 1991-2020          %8.2f ms\n", normals);
  std::printf("monthly report             %8.2f ms\n", monthReport);
  std::printf("yearly report              %8.2f ms\n", yearReport);
  return 0;
}
