// The daily history with 50 years of days (18,262): how long a month takes to
// open, in the history and in its window, how long the whole history takes
// to load, and one day's change, which is one transaction.
//
//   bench_history             prints the times; never part of the test run

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "common/appcontext.h"
#include "history/storico.h"
#include "rules/datafolder.h"
#include "rules/history.h"
#include "samplehistory.h"
#include "scriptedplatform.h"
#include "shell/form1.h"

namespace {

double median(QVector<double> v) {
  std::sort(v.begin(), v.end());
  return v.isEmpty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
  QTemporaryDir dir;
  if (!datafolder::layOut(dir.path())) return 1;
  const QString path = dir.filePath(DailyHistory::kFileName);

  const QDate first(1976, 1, 1), last(2025, 12, 31);
  const QVector<DayRecord> days = sampleHistory(first, last);
  auto* random = QRandomGenerator::global();
  {
    DailyHistory h;
    if (!h.open(path) || !h.write(days, QStringLiteral("riempimento"))) return 1;
  }

  DailyHistory h;
  QElapsedTimer t;
  t.start();
  if (!h.open(path)) return 1;
  const double openMs = t.nsecsElapsed() / 1e6;

  QVector<double> monthMs;
  for (int i = 0; i < 200; ++i) {
    const QDate m = first.addMonths(int(random->bounded(600)));
    t.restart();
    const auto month = h.month(m.year(), m.month());
    monthMs << t.nsecsElapsed() / 1e6;
    if (month.size() != m.daysInMonth()) return 2;
  }
  t.restart();
  const auto all = h.all();
  const double allMs = t.nsecsElapsed() / 1e6;
  if (all.size() != days.size()) return 3;

  QVector<double> writeMs;
  for (int i = 0; i < 50; ++i) {
    DayRecord d = all[int(random->bounded(all.size()))];
    d.note = QStringLiteral("nota %1").arg(i);
    t.restart();
    if (!h.write({d}, QStringLiteral("correzione"))) return 4;
    writeMs << t.nsecsElapsed() / 1e6;
  }

  // The window: a month shown, from the context's own history.
  AppContext ctx(ScriptedPlatform::make(dir.path(), nullptr),
                 [](AppContext& c) -> MainWindow* { return new Form1(c); });
  QVector<double> windowMs;
  storico* w = ctx.window<storico>();
  w->show();
  for (int i = 0; i < 50; ++i) {
    const QDate m = first.addMonths(int(random->bounded(600)));
    t.restart();
    w->showMonth(m);
    QApplication::processEvents();
    windowMs << t.nsecsElapsed() / 1e6;
  }

  std::printf("days in the history:           %lld\n", static_cast<long long>(all.size()));
  std::printf("open the history:              %8.2f ms\n", openMs);
  std::printf("one month (median of 200):     %8.2f ms   (target < 50 ms)\n", median(monthMs));
  std::printf("one month, worst:              %8.2f ms\n",
              *std::max_element(monthMs.begin(), monthMs.end()));
  std::printf("the whole history:             %8.2f ms   (target < 300 ms)\n", allMs);
  std::printf("one month in the window (med): %8.2f ms   (target < 50 ms)\n", median(windowMs));
  std::printf("one day's change (median):     %8.2f ms   (one transaction, synchronous FULL)\n",
              median(writeMs));
  return 0;
}
