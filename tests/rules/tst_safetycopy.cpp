// The safety copies of the data file set (whole or not at all, ten kept, an
// archive put back from one) and the check of an archive before it is opened.

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "archivefile.h"
#include "files.h"
#include "rules/archivecheck.h"
#include "rules/datafolder.h"
#include "rules/history.h"
#include "rules/safetycopy.h"

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(10, 15, 2));
const QString kTemperature = QStringLiteral("temperature.mdb");

QStringList entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QStringList names(const QVector<safetycopy::Copy>& copies) {
  QStringList out;
  for (const safetycopy::Copy& c : copies) out << QFileInfo(c.path).fileName();
  return out;
}

}  // namespace

class tst_safetycopy : public QObject {
  Q_OBJECT
  std::unique_ptr<QTemporaryDir> dir_;
  QString data_;
  QString path(const QString& name) const { return data_ + "/" + name; }
  // The temperature archive with several pages of records.
  void fillTemperature() {
    QCOMPARE(ArchiveFile(path(kTemperature)).fill(400, "Mese e anno", "Osservazioni"), QString());
  }

 private Q_SLOTS:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    data_ = dir_->path();
    QVERIFY(datafolder::layOut(data_));
  }

  void completeCopy_data() {
    QTest::addColumn<bool>("history");
    QTest::newRow("nine files") << true;
    QTest::newRow("eight files, no history yet") << false;
  }
  void completeCopy() {
    QFETCH(bool, history);
    if (!history) QVERIFY(QFile::remove(path(DailyHistory::kFileName)));
    safetycopy::Copy made;
    QVERIFY(safetycopy::make(data_, kNow, &made));
    QStringList expected = datafolder::fileNames();
    if (!history) expected.removeAll(DailyHistory::kFileName);
    expected.sort();
    QCOMPARE(entries(made.path), expected);
    for (const QString& name : expected)
      QCOMPARE(bytesOf(made.path + "/" + name), bytesOf(path(name)));
    QCOMPARE(names(safetycopy::list(data_)), QStringList{"2026-12-09 10.15.02"});
    QVERIFY(safetycopy::madeOn(data_, kNow.date()));
    QVERIFY(!safetycopy::madeOn(data_, kNow.date().addDays(1)));
    QCOMPARE(safetycopy::describe(made), "9 dicembre 2026 alle 10:15:02");
  }

  // Twelve copies, two of them in the same second: the newest ten stay.
  void rotationKeepsTen() {
    for (int i = 0; i <= 10; ++i) QVERIFY(safetycopy::make(data_, kNow.addDays(i)));
    QVERIFY(safetycopy::make(data_, kNow.addDays(10)));
    const QStringList kept = names(safetycopy::list(data_));
    QCOMPARE(kept.size(), 10);
    QCOMPARE(kept.mid(0, 2), (QStringList{"2026-12-19 10.15.02 (2)", "2026-12-19 10.15.02"}));
    QCOMPARE(kept.last(), "2026-12-11 10.15.02");
    QCOMPARE(entries(safetycopy::folder(data_)).size(), 10);
  }

  // A copy cut short is never listed and goes at the next copy; a copy that
  // fails leaves nothing.
  void interruptedOrFailedCopyNeverListed() {
    const QString root = safetycopy::folder(data_);
    QVERIFY(QDir().mkpath(root + "/2026-12-08 09.00.00.incompleta"));
    QVERIFY(safetycopy::list(data_).isEmpty());
    fillTemperature();
    QString error;
    {
      FileSizeLimit diskFull(QFileInfo(path(kTemperature)).size() / 2);
      QVERIFY(!safetycopy::make(data_, kNow, nullptr, &error));
    }
    QVERIFY2(error.startsWith(kTemperature + ": "), qPrintable(error));
    QCOMPARE(entries(root), QStringList());
    QVERIFY(safetycopy::make(data_, kNow));
    QCOMPARE(entries(root), QStringList{"2026-12-09 10.15.02"});
  }

  void check_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");  // null: none written
    QTest::addColumn<QString>("sql");       // "-": the file removed, "": left as laid out
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("detail");
    using S = archivecheck::State;
    auto row = [](const char* name, const QString& file, const QByteArray& bytes,
                  const QString& sql, S s, const QString& detail) {
      QTest::newRow(name) << file << bytes << sql << int(s) << detail;
    };
    row("sound", kTemperature, {}, "", S::Ok, "");
    row("missing", kTemperature, {}, "-", S::Missing, "il file non esiste");
    row("text file", kTemperature, "Mese e anno;T Media MAX\r\nGennaio  2026;12,5\r\n", "-",
        S::NotArchive, "non è un database SQLite");
    row("database without tab", "neve.mdb", {}, "CREATE TABLE altro (x TEXT)", S::NotArchive,
        "manca la tabella \"tab\"");
    row("tab of other columns", kTemperature, {}, "CREATE TABLE tab (giorno TEXT)", S::NotArchive,
        "la tabella \"tab\" non ha nessuna delle colonne attese");
    // Still an archive: the plain editor takes the records of one that lost a column.
    row("tab that lost a column", kTemperature, {},
        "CREATE TABLE tab (\"Mese e anno\" TEXT, \"T Media MAX\" TEXT, \"T Media MIN\" TEXT)",
        S::Ok, "");
    row("header cut short", kTemperature, QByteArray("SQLite format 3\0\x10\0", 19), "-",
        S::Damaged, "*");
  }
  void check() {
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, sql);
    QFETCH(int, state);
    QFETCH(QString, detail);
    const QString p = path(file);
    if (!sql.isEmpty()) QVERIFY(QFile::remove(p));
    if (!bytes.isNull()) {
      QFile f(p);
      QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    if (sql.size() > 1) QCOMPARE(ArchiveFile(p).exec(sql), QString());
    const QByteArray before = bytesOf(p);
    const archivecheck::Result r = archivecheck::check(p, archivecheck::expectedColumns(file));
    QCOMPARE(int(r.state), state);
    if (detail != "*") QCOMPARE(r.detail, detail);
    QCOMPARE(r.detail.isEmpty(), state == int(archivecheck::State::Ok));
    QCOMPARE(bytesOf(p), before);  // checked, never changed
  }

  // The newest copy whose archive passes the check goes in place of the
  // damaged archive, which is kept beside it under a new name.
  void restoreArchive() {
    fillTemperature();
    QVERIFY(safetycopy::make(data_, kNow.addDays(-2)));
    const QByteArray sound = bytesOf(path(kTemperature));
    QVERIFY(ArchiveFile::damage(path(kTemperature)));
    QCOMPARE(int(archivecheck::check(path(kTemperature), {}).state),
             int(archivecheck::State::Damaged));
    QVERIFY(safetycopy::make(data_, kNow.addDays(-1)));  // holds the damaged archive
    const QByteArray damaged = bytesOf(path(kTemperature));

    const auto copy = safetycopy::newestSound(data_, kTemperature);
    QVERIFY(copy);
    QCOMPARE(QFileInfo(copy->path).fileName(), "2026-12-07 10.15.02");
    QString kept;
    QVERIFY(safetycopy::restoreArchive(data_, kTemperature, *copy, kNow.date(), &kept));
    QCOMPARE(kept, "temperature.mdb.danneggiato-2026-12-09");
    QCOMPARE(bytesOf(path(kept)), damaged);
    QCOMPARE(bytesOf(path(kTemperature)), sound);
  }
};

QTEST_MAIN(tst_safetycopy)
#include "tst_safetycopy.moc"
