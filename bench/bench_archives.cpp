// Start-up and insert costs with large archives.
//
//   bench_archives            builds a data folder with 100,000 records in each
//                             archive, then runs itself to measure:
//   (a) process start to main window ready (no splash wait),
//   (b) peak memory of that process,
//   (c) one record insert through the shared recordset at 1,000 and 100,000 records,
//   (d) the start's check of each archive (SQLite's integrity check, which also
//       compares the indexes with their tables) against the quick check it
//       replaced, and the same for fifty years of daily history,
//   and, for comparison, the time sqlite3 takes to read the same 400,000 rows.

#include <sys/resource.h>
#include <unistd.h>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <cstdio>

#include "common/appcontext.h"
#include "rules/archivecheck.h"
#include "rules/datafolder.h"
#include "samplehistory.h"
#include "scriptedplatform.h"
#include "shell/form1.h"

namespace {

const ArchiveKind kKinds[] = {ArchiveKind::Temperature, ArchiveKind::Rain, ArchiveKind::Snow,
                              ArchiveKind::OtherEvents};

// Seconds since this process started, from the kernel's own record.
double secondsSinceProcessStart() {
  QFile stat(QStringLiteral("/proc/self/stat"));
  QFile uptime(QStringLiteral("/proc/uptime"));
  if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly)) return -1;
  const QByteArray s = stat.readAll();
  const QList<QByteArray> fields = s.mid(s.lastIndexOf(')') + 2).split(' ');
  const double startTicks = fields.value(19).toDouble();  // field 22 overall
  const double up = uptime.readAll().split(' ').value(0).toDouble();
  return up - startTicks / double(sysconf(_SC_CLK_TCK));
}

void fill(const QString& path, ArchiveKind kind, int count) {
  const QString name = QStringLiteral("fill");
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    db.open();
    QSqlQuery q(db);
    q.exec(QStringLiteral("SELECT * FROM tab LIMIT 0"));
    const int columns = q.record().count();
    QStringList marks;
    for (int i = 0; i < columns; ++i) marks << QStringLiteral("?");
    db.transaction();
    q.prepare(QStringLiteral("INSERT INTO tab VALUES (%1)").arg(marks.join(',')));
    for (int r = 0; r < count; ++r) {
      for (int c = 0; c < columns; ++c)
        q.addBindValue(
            QStringLiteral("Valore %1 della colonna %2 per %3").arg(r).arg(c).arg(int(kind)));
      q.exec();
    }
    db.commit();
    db.close();
  }
  QSqlDatabase::removeDatabase(name);
}

int measure(const QString& folder, const QString& small) {
  const auto makeMain = [](AppContext& c) { return new Form1(c); };
  AppContext ctx(ScriptedPlatform::make(folder, nullptr), makeMain);
  auto* w = static_cast<Form1*>(ctx.mainWindow());
  w->Form1_Load();
  w->show();
  QCoreApplication::processEvents();
  const double ready = secondsSinceProcessStart();

  auto insertCost = [](Recordset& rs) {
    constexpr int kInserts = 20;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kInserts; ++i) {
      rs.addNew();
      rs.setField(rs.fieldNames().value(0), QStringLiteral("nuovo"));
      rs.update();
    }
    return t.nsecsElapsed() / 1e6 / kInserts;
  };
  const double atLarge = insertCost(w->recordset(ArchiveKind::Rain));

  AppContext smallCtx(ScriptedPlatform::make(small, nullptr), makeMain);
  auto* sw = static_cast<Form1*>(smallCtx.mainWindow());
  sw->Form1_Load();
  const double atSmall = insertCost(sw->recordset(ArchiveKind::Rain));

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("ready %.3f\npeak_kb %ld\ninsert_small_ms %.3f\ninsert_large_ms %.3f\n", ready,
              usage.ru_maxrss, atSmall, atLarge);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && QByteArray(argv[1]) == "--measure") {
    QApplication app(argc, argv);
    return measure(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
  }
  QCoreApplication app(argc, argv);
  QTemporaryDir large;
  QTemporaryDir small;
  datafolder::layOut(large.path());
  datafolder::layOut(small.path());
  std::printf("Building 4 x 100,000 records...\n");
  std::fflush(stdout);
  for (ArchiveKind kind : kKinds) {
    fill(large.path() + QDir::separator() + archiveFileName(kind), kind, 100000);
    fill(small.path() + QDir::separator() + archiveFileName(kind), kind, 1000);
  }

  // (d) The check at start, full against quick.
  {
    DailyHistory h;
    h.open(large.path() + QDir::separator() + DailyHistory::kFileName);
    h.write(sampleHistory(), QStringLiteral("bench"));
  }
  QStringList files;
  for (ArchiveKind kind : kKinds) files << archiveFileName(kind);
  files << DailyHistory::kFileName;
  std::printf("(d) the start's check, integrity check against quick check:\n");
  for (const QString& name : files) {
    const QString path = large.path() + QDir::separator() + name;
    QElapsedTimer t;
    t.start();
    archivecheck::check(path, archivecheck::expectedColumns(name));
    const double full = t.nsecsElapsed() / 1e6;
    double quick = -1;
    {
      QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("q"));
      db.setDatabaseName(path);
      db.open();
      QSqlQuery q(db);
      t.restart();
      if (q.exec(QStringLiteral("PRAGMA quick_check"))) q.next();
      quick = t.nsecsElapsed() / 1e6;
      q.finish();
      db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("q"));
    std::printf("    %-22s %9.1f ms  (quick check %.1f ms, %.1f MB)\n", qPrintable(name), full,
                quick, QFileInfo(path).size() / 1e6);
  }
  std::fflush(stdout);

  // The baseline: sqlite3 reading every row of the four archives.
  double sqliteSeconds = -1;
  const QString sqlite = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
  if (!sqlite.isEmpty()) {
    QElapsedTimer t;
    t.start();
    for (ArchiveKind kind : kKinds) {
      QProcess p;
      p.setStandardOutputFile(QProcess::nullDevice());
      p.start(sqlite, {large.path() + QDir::separator() + archiveFileName(kind),
                       QStringLiteral("SELECT * FROM tab")});
      p.waitForFinished(-1);
    }
    sqliteSeconds = t.nsecsElapsed() / 1e9;
  }

  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--measure"), large.path(), small.path()});
  child.waitForFinished(-1);
  QMap<QString, double> r;
  for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
    const QList<QByteArray> kv = line.split(' ');
    if (kv.size() == 2) r[QString::fromLatin1(kv[0])] = kv[1].toDouble();
  }
  std::printf("(a) start to main window ready: %.3f s", r.value("ready"));
  if (sqliteSeconds >= 0)
    std::printf("   (sqlite3 reading the 400,000 rows: %.3f s, ratio %.2f)\n", sqliteSeconds,
                r.value("ready") / sqliteSeconds);
  else
    std::printf("   (sqlite3 not installed: no baseline)\n");
  std::printf("(b) peak memory: %.1f MB\n", r.value("peak_kb") / 1024.0);
  std::printf("(c) one insert: %.3f ms at 1,000 records, %.3f ms at 100,000 (ratio %.2f)\n",
              r.value("insert_small_ms"), r.value("insert_large_ms"),
              r.value("insert_large_ms") / r.value("insert_small_ms"));
  return 0;
}
