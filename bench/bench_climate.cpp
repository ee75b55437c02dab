// The climate figures with 50 years of daily history (18,262 days) and 600
// archived months: reading the history's numbers, the figures of a month, a
// year and all 50 years, the station's records, the normals, both reports,
// and each of the four charts made and drawn.
//
//   bench_climate             prints the times; never part of the test run

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QElapsedTimer>
#include <QLocale>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "climate/grafici.h"
#include "rules/climate.h"
#include "rules/climatereport.h"
#include "rules/datafolder.h"
#include "rules/history.h"
#include "samplehistory.h"

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
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
  QTemporaryDir dir;
  if (!datafolder::layOut(dir.path())) return 1;
  const QDate first(1976, 1, 1), last(2025, 12, 31);
  const QVector<DayRecord> days = sampleHistory(first, last);
  DailyHistory h;
  if (!h.open(dir.filePath(DailyHistory::kFileName)) || !h.write(days, QStringLiteral("prova")))
    return 1;
  QVector<climate::ArchiveMonth> archive;
  for (int y = 1976; y <= 2025; ++y)
    for (int m = 1; m <= 12; ++m) archive << climate::ArchiveMonth{y, m, 15.0, 5.0, 600000};

  climate::Station s;
  const double load = timed([&] { s = climate::Station(h.numbers(), archive); });
  // Each result is used, so that the compiler keeps the work.
  volatile qint64 sink = 0;
  const double month = timed([&] { sink = sink + s.month(2025, 6).frostDays; });
  const double year = timed([&] { sink = sink + s.year(2025).rain1; });
  const double span = timed([&] { sink = sink + s.span(first, last).dry.length; });
  const double records =
      timed([&] { sink = sink + climate::records(s).allTime.wettestDay.value.value_or(0); });
  climate::Normals n;
  const double normals = timed([&] { n = climate::normals(s, 1991, 2020); });
  const double monthReport =
      timed([&] { climatereport::month(QStringLiteral("Prova"), s, 2025, 6, n); });
  const double yearReport =
      timed([&] { climatereport::year(QStringLiteral("Prova"), s, 2025, n); });

  QChartView view;
  view.resize(860, 480);
  double charts[4];
  for (int k = 0; k < 4; ++k)
    charts[k] = timed([&] {
      QChart* old = view.chart();
      view.setChart(
          grafici::crea({grafici::Tipo(k), 2025, 6, 2024}, s, n, QStringLiteral("Prova")));
      delete old;
      view.grab();
    });

  std::printf("50 years, %lld days (median of 5 runs, goal 200 ms each)\n", qlonglong(days.size()));
  std::printf("history read and indexed   %8.2f ms\n", load);
  std::printf("figures of a month         %8.2f ms\n", month);
  std::printf("figures of a year          %8.2f ms\n", year);
  std::printf("figures of 50 years        %8.2f ms\n", span);
  std::printf("station records            %8.2f ms\n", records);
  std::printf("normals 1991-2020          %8.2f ms\n", normals);
  std::printf("monthly report             %8.2f ms\n", monthReport);
  std::printf("yearly report              %8.2f ms\n", yearReport);
  for (int k = 0; k < 4; ++k)
    std::printf("chart: %-36s %8.2f ms\n", qPrintable(grafici::nomi()[k]), charts[k]);
  return 0;
}
