// A program killed at any moment of a write leaves each data file as it was
// before the write or as the write made it, never torn: the temporary copies
// and the safety copies cut short go at the next start, every archive is
// whole and holds whole records, every safety copy is whole with its note of
// a restore, and the rotation stays within its bounds. While the writer
// works, the start's check finds its archive in use or sound, never damaged.
// killwriter writes with the program's own code and is killed at random.

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <random>

#include "archivefile.h"
#include "backup/copia.h"
#include "files.h"
#include "killwrite.h"
#include "rules/archivecheck.h"
#include "rules/datafolder.h"
#include "rules/recordset.h"
#include "rules/safetycopy.h"
#include "rules/sheetfile.h"

namespace {

constexpr int kKills = 300;
constexpr quint32 kSeed = 20260301;

using Versions = QHash<QString, qint64>;  // write -> version

}  // namespace

class tst_killedwrite : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QDir data_{dir_.path()};
  QDir copies_{dir_.filePath(killwrite::kCopies)};
  QStringList problems_;
  qint64 sheetSize_ = 0, configSize_ = 0;
  int leftovers_ = 0, journals_ = 0, busy_ = 0;

  void expect(bool ok, const QString& what) {
    if (!ok) problems_ << what;
  }

  // The sheet's version; -1 when it is not one whole version.
  qint64 sheetVersion(const QString& path) {
    QStringList fields(killwrite::kSheetFields, QStringLiteral("|"));
    sheetfile::read(path, fields);
    const qint64 v = killwrite::versionOf(fields.first());
    expect(fields == killwrite::sheet(v) && QFileInfo(path).size() == sheetSize_,
           path + QStringLiteral(" torn"));
    return v;
  }

  // The versions of the archive's records, each record whole, in order.
  QList<qint64> recordVersions(const QString& path) {
    expect(ArchiveFile(path).quickCheck() == QLatin1String("ok"),
           path + QStringLiteral(" damaged"));
    Recordset archive;
    QString error;
    expect(archive.connect(path, &error) && archive.open(&error), path + u' ' + error);
    QList<qint64> versions;
    for (int r = 0; r < archive.recordCount(); ++r) {
      const QStringList values = archive.values(r);
      const qint64 v = killwrite::versionOf(values.value(0));
      expect(values == QStringList(values.size(), killwrite::recordField(v)) &&
                 (versions.isEmpty() || v > versions.last()),
             QStringLiteral("%1: record %2 torn or out of order").arg(path).arg(r));
      versions << v;
    }
    return versions;
  }

  // What the program finds at its next start, once it has removed the
  // temporary copies: the version of every file.
  Versions check(QList<qint64>* archived) {
    const QStringList removed =
        datafolder::removeLeftovers(data_.path()) + datafolder::removeLeftovers(copies_.path());
    leftovers_ += int(removed.size());
    for (const QString& name : {killwrite::kArchive, DailyHistory::kFileName})
      journals_ += QFileInfo::exists(data_.filePath(name + QStringLiteral("-journal")));

    Versions now;
    now["sheet"] = sheetVersion(data_.filePath(killwrite::kSheet));
    now["copy"] = sheetVersion(copies_.filePath(killwrite::kSheet));
    const auto config = StationConfig::read(data_.filePath(StationConfig::kFileName));
    now["config"] = killwrite::versionOf(config.config.nome);
    expect(config.complete() && config.config == killwrite::config(now["config"]) &&
               QFileInfo(data_.filePath(StationConfig::kFileName)).size() == configSize_,
           QStringLiteral("config.cfg torn"));

    *archived = recordVersions(data_.filePath(killwrite::kArchive));
    const QList<qint64> copied = recordVersions(copies_.filePath(killwrite::kArchive));
    expect(copied == archived->mid(0, copied.size()), QStringLiteral("copy not of the archive"));
    now["archive"] = archived->value(archived->size() - 1, -1);
    now["copydb"] = copied.value(copied.size() - 1, -1);

    const QString historyPath = data_.filePath(DailyHistory::kFileName);
    expect(ArchiveFile(historyPath).quickCheck() == QLatin1String("ok"), "history damaged");
    DailyHistory history;
    expect(history.open(historyPath), QStringLiteral("history unreadable"));
    const QVector<DayRecord> days = history.all();
    now["history"] = killwrite::versionOf(days.value(0).minimum);
    expect(days == killwrite::month(now["history"]), QStringLiteral("history month torn"));

    // The safety copies, once the start has removed those cut short and the
    // rotation (which a kill may have kept from running) has run: the ten
    // newest and the first made before a restore on the day.
    safetycopy::removeUnfinished(data_.path());
    safetycopy::prune(data_.path(), killwrite::kFirstCopy);
    const QVector<safetycopy::Copy> safety = safetycopy::list(data_.path());
    expect(!safety.isEmpty() && safety.size() <= safetycopy::kKept + 1,
           QStringLiteral("%1 safety copies").arg(safety.size()));
    expect(safetycopy::strangers(data_.path()).isEmpty(),
           QStringLiteral("left in the copies' folder: ") +
               safetycopy::strangers(data_.path()).join(u' '));
    for (const safetycopy::Copy& c : safety) {
      sheetVersion(c.path + u'/' + killwrite::kSheet);
      expect(archivecheck::check(c.path + u'/' + killwrite::kArchive, {}).state ==
                 archivecheck::State::Ok,
             c.path + QStringLiteral(": archive not whole"));
      expect(!c.beforeRestore || c.restoredFrom == copies_.path(),
             c.path + QStringLiteral(": note of the restore torn"));
    }
    now["safety"] = safety.isEmpty() ? -1 : sheetVersion(safety[0].path + u'/' + killwrite::kSheet);
    expect(safety.isEmpty() || safety[0].beforeRestore == killwrite::beforeRestore(now["safety"]),
           QStringLiteral("newest copy with the wrong note"));

    // Nothing else left beside the data but SQLite's journals: played back
    // above when hot, ignored by SQLite when the kill came before they held a page.
    QStringList expected = datafolder::fileNames();
    expected.sort();
    const auto files = [](const QDir& dir) {
      QStringList names = dir.entryList(QDir::Files | QDir::Hidden);
      names.removeIf([](const QString& n) { return n.endsWith(QLatin1String("-journal")); });
      return names;
    };
    expect(files(data_) == expected,
           QStringLiteral("data folder holds ") + files(data_).join(u' '));
    expect(files(copies_) == QStringList({killwrite::kArchive, killwrite::kSheet}),
           QStringLiteral("backup folder holds ") + files(copies_).join(u' '));
    return now;
  }

  // killwriter from version `first`, once it has begun writing.
  std::unique_ptr<QProcess> start(qint64 first, const QStringList& more = {}) {
    auto p = std::make_unique<QProcess>();
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);  // its failures in the log
    p->start(QStringLiteral(KILLWRITER), QStringList{data_.path(), QString::number(first)} + more);
    while (p->peek(6) != "start\n")
      if (!p->waitForReadyRead(60000)) return nullptr;
    return p;
  }

 private Q_SLOTS:
  void killedAtRandom() {
    // Round 0 whole: every file written once, and the time a round takes.
    auto p = start(0, {QStringLiteral("0")});
    QVERIFY(p);
    QElapsedTimer round;
    round.start();
    QVERIFY(p->waitForFinished(60000));
    const qint64 roundUs = round.nsecsElapsed() / 1000;
    QCOMPARE(p->exitCode(), 0);
    sheetSize_ = QFileInfo(data_.filePath(killwrite::kSheet)).size();
    configSize_ = QFileInfo(data_.filePath(StationConfig::kFileName)).size();
    QList<qint64> archived;
    Versions done = check(&archived);
    QVERIFY2(problems_.isEmpty(), qPrintable(problems_.join(u'\n')));
    for (const QString& what : killwrite::kWrites) QCOMPARE(done[what], 0);

    std::mt19937 random(kSeed);
    qint64 next = 1;
    for (int kill = 0; kill < kKills; ++kill) {
      p = start(next);
      QVERIFY(p);
      QThread::usleep(random() % (roundUs * 5 / 4 + 1));
      // Now and then the start's check while the writer holds the archive.
      if (kill % 3 == 0) {
        const auto state = archivecheck::check(data_.filePath(killwrite::kArchive), {}, 100).state;
        expect(state == archivecheck::State::Ok || state == archivecheck::State::Busy,
               QStringLiteral("archive in use called %1").arg(int(state)));
        busy_ += state == archivecheck::State::Busy;
      }
      p->kill();
      QVERIFY(p->waitForFinished(60000));
      QVERIFY2(p->exitStatus() == QProcess::CrashExit, "killwriter stopped by itself");

      // Each file holds the version last reported done, or the one after it.
      Versions before = done, after;
      for (const QString& what : killwrite::kWrites) after[what] = next;
      int added = 0;
      for (const QByteArray& line : p->readAllStandardOutput().split('\n')) {
        const QList<QByteArray> word = line.split(' ');
        if (word.size() != 2) continue;
        before[word[0]] = word[1].toLongLong();
        after[word[0]] = before[word[0]] + 1;
        added += word[0] == "archive";
      }
      const int rows = int(archived.size());
      done = check(&archived);
      for (const QString& what : killwrite::kWrites)
        expect(done[what] == before[what] || done[what] == after[what],
               QStringLiteral("%1 at version %2, neither %3 nor %4")
                   .arg(what)
                   .arg(done[what])
                   .arg(before[what])
                   .arg(after[what]));
      // Each insert all or nothing, none lost.
      expect(archived.size() == rows + added + (done["archive"] == after["archive"]),
             QStringLiteral("%1 records after %2 and %3 inserts")
                 .arg(archived.size())
                 .arg(rows)
                 .arg(added));
      QVERIFY2(problems_.isEmpty(),
               qPrintable(QStringLiteral("kill %1: ").arg(kill) + problems_.join(u'\n')));
      next = std::ranges::max(after.values()) + 1;
    }
    qInfo("%d kills: %d temporary copies removed, %d journals found, archive in use %d times",
          kKills, leftovers_, journals_, busy_);
    // Kills landed inside the writes, not only between them. (QSaveFile
    // leaves a named temporary copy only where it cannot keep an unnamed
    // one, O_TMPFILE, as on a FAT backup drive.)
    QVERIFY(journals_ > 0);
  }
};

QTEST_GUILESS_MAIN(tst_killedwrite)
#include "tst_killedwrite.moc"
