// The safety copies of the data file set (whole or not at all, the rotation,
// nothing removed that is not a copy's, an archive put back from one) and the
// check of an archive before it is opened.

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
#include "rules/sqlitefile.h"

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(10, 15, 2));
const QString kTemperature = QStringLiteral("temperature.mdb");
constexpr int kKeptForTest = safetycopy::kKept + 2;  // copies enough for the rotation to act

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

  // A day of restores in a row: the copy made before the first holds the
  // keeper's data and stays, with the newest copy of each of the last seven
  // days and twelve months that have copies; the list says which copy was
  // made before which restore.
  void rotationKeepsDaysMonthsAndTheDataBeforeRestores() {
    for (const QDate& d :
         {QDate(2026, 6, 15), QDate(2026, 7, 15), QDate(2026, 8, 14), QDate(2026, 8, 15)})
      QVERIFY(safetycopy::make(data_, QDateTime(d, kNow.time())));
    for (QDate d(2026, 11, 20); d < kNow.date(); d = d.addDays(1))
      QVERIFY(safetycopy::make(data_, QDateTime(d, kNow.time())));
    QVERIFY(safetycopy::make(data_, kNow));  // the day's first start
    safetycopy::Copy first;
    for (int i = 1; i <= 11; ++i)
      QVERIFY(safetycopy::make(data_, kNow.addSecs(60 * i), "/media/chiavetta",
                               i == 1 ? &first : nullptr, nullptr));
    const QVector<safetycopy::Copy> copies = safetycopy::list(data_);
    QStringList kept = names(copies);
    kept.sort();
    QStringList expected{"2026-06-15 10.15.02", "2026-07-15 10.15.02", "2026-08-15 10.15.02",
                         "2026-11-30 10.15.02"};
    for (int d = 3; d <= 8; ++d)
      expected << QString("2026-12-%1 10.15.02").arg(d, 2, 10, QChar('0'));
    for (int i = 1; i <= 11; ++i) expected << kNow.addSecs(60 * i).toString("yyyy-MM-dd HH.mm.ss");
    expected.sort();
    QCOMPARE(kept, expected);
    QCOMPARE(safetycopy::describeForList(first),
             "9 dicembre 2026 alle 10:16:02, prima del ripristino da /media/chiavetta");
    QCOMPARE(safetycopy::describeForList(copies.last()), "15 giugno 2026 alle 10:15:02");
    // A restore of one of the copies names it by its time.
    safetycopy::Copy made;
    QVERIFY(safetycopy::make(data_, kNow.addSecs(3600), copies.last().path, &made, nullptr));
    QCOMPARE(safetycopy::describeForList(made),
             "9 dicembre 2026 alle 11:15:02, prima del ripristino della copia del 15 giugno 2026 "
             "alle 10:15:02");
    QVERIFY(QFileInfo::exists(copies.last().path));  // the one restored outlives the rotation
  }

  // The rotation and the clean-up remove only real folders of the copies'
  // folder, and only what a copy holds; whatever else is there stays and is
  // named.
  void neverRemovesWhatIsNotACopy_data() {
    QTest::addColumn<QString>("planted");  // in the copies' folder, or the folder itself
    QTest::addColumn<QStringList>("strangers");
    QTest::newRow("link named like an old copy")
        << "2000-01-01 00.00.00" << QStringList{"2000-01-01 00.00.00"};
    QTest::newRow("link named like a copy cut short")
        << "2000-01-01 00.00.00.incompleta" << QStringList{"2000-01-01 00.00.00.incompleta"};
    QTest::newRow("old copy holding a file of its own")
        << "2000-01-01 00.00.00/foto.jpg" << QStringList{"2000-01-01 00.00.00/foto.jpg"};
    QTest::newRow("copies' folder is a link") << "" << QStringList{"copie di sicurezza"};
  }
  void neverRemovesWhatIsNotACopy() {
    QFETCH(QString, planted);
    QFETCH(QStringList, strangers);
    // Someone else's folder, laid out like copies.
    QTemporaryDir elsewhere;
    const QString other = elsewhere.path();
    QVERIFY(QDir().mkpath(other + "/2000-01-01 00.00.00/sotto"));
    QVERIFY(QFile::copy(path(kTemperature), other + "/2000-01-01 00.00.00/" + kTemperature));
    QVERIFY(QFile::copy(path("config.cfg"), other + "/2000-01-01 00.00.00/sotto/config.cfg"));
    const QString root = safetycopy::folder(data_);
    if (planted.isEmpty()) {
      QVERIFY(QFile::link(other, root));
    } else if (planted.endsWith("foto.jpg")) {
      // The month's newest copy stays; the one before it would go.
      for (const char* old : {"2000-01-01 00.00.00", "2000-01-02 00.00.00"}) {
        QVERIFY(QDir().mkpath(root + "/" + QString(old)));
        QVERIFY(QFile::copy(path(kTemperature), root + "/" + old + "/" + kTemperature));
      }
      QFile photo(root + "/" + planted);
      QVERIFY(photo.open(QIODevice::WriteOnly) && photo.write("jpg") == 3);
    } else {
      QVERIFY(QDir().mkpath(root));
      QVERIFY(QFile::link(other + "/2000-01-01 00.00.00", root + "/" + planted));
    }
    for (int i = 0; i <= kKeptForTest; ++i) safetycopy::make(data_, kNow.addDays(i));
    safetycopy::removeUnfinished(data_);
    QCOMPARE(entries(other + "/2000-01-01 00.00.00"), (QStringList{"sotto", kTemperature}));
    QCOMPARE(entries(other + "/2000-01-01 00.00.00/sotto"), QStringList{"config.cfg"});
    QCOMPARE(safetycopy::strangers(data_), strangers);
    if (planted.endsWith("foto.jpg")) QVERIFY(QFileInfo::exists(root + "/" + planted));
    QCOMPARE(safetycopy::list(data_).isEmpty(), planted.isEmpty());
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
    // What failed, in Italian: never Qt's "Errore sconosciuto".
    QCOMPARE(error, kTemperature +
                        ": impossibile scrivere la copia: il file supera la grandezza che il "
                        "sistema consente");
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
    // February in the history, one day's entry of the date index pointing elsewhere.
    row("index that disagrees with its table", DailyHistory::kFileName, {}, "index", S::Damaged,
        "gli indici del file non corrispondono ai dati");
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
    if (sql == "index") {
      DailyHistory h;
      QVector<DayRecord> february;
      for (int d = 1; d <= 28; ++d) february.append({QDate(2026, 2, d), "1", "2", "0", {}});
      QVERIFY(h.open(p) && h.write(february, "febbraio"));
      h.close();
      QVERIFY(ArchiveFile::damageIndex(p, "sqlite_autoindex_tab_1"));
      QCOMPARE(ArchiveFile(p).quickCheck(), "ok");  // what the quick check missed
    } else if (sql.size() > 1) {
      QCOMPARE(ArchiveFile(p).exec(sql), QString());
    }
    const QByteArray before = bytesOf(p);
    const archivecheck::Result r = archivecheck::check(p, archivecheck::expectedColumns(file));
    QCOMPARE(int(r.state), state);
    if (detail != "*") QCOMPARE(r.detail, detail);
    QCOMPARE(r.detail.isEmpty(), state == int(archivecheck::State::Ok));
    QCOMPARE(bytesOf(p), before);  // checked, never changed
  }

  // SQLite's and Qt's words said in Italian, kept apart for the details.
  void explain_data() {
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("technical");
    QTest::newRow("read-only")
        << "attempt to write a readonly database Impossibile ottenere la riga"
        << "il file si può solo leggere, non modificare"
        << "attempt to write a readonly database Impossibile ottenere la riga";
    QTest::newRow("locked, after the program's words")
        << "neve.mdb: database is locked Unable to fetch row"
        << "neve.mdb: il file è in uso da un altro programma"
        << "database is locked Unable to fetch row";
    QTest::newRow("damaged pages")
        << "*** in database main ***\nPage 2: btreeInitPage() returns error code 11"
        << "la struttura interna del file è danneggiata"
        << "*** in database main ***\nPage 2: btreeInitPage() returns error code 11";
    QTest::newRow("Qt's words alone") << "Impossibile eseguire l'istruzione"
                                      << "errore nell'accesso all'archivio"
                                      << "Impossibile eseguire l'istruzione";
    QTest::newRow("Italian already, a folder named like SQLite's words")
        << "impossibile creare la cartella /home/Page 2/row 3 missing"
        << "impossibile creare la cartella /home/Page 2/row 3 missing"
        << "";
    QTest::newRow("an index that disagrees")
        << "row 34 missing from index sqlite_autoindex_tab_1\nwrong # of entries in index x"
        << "gli indici del file non corrispondono ai dati"
        << "row 34 missing from index sqlite_autoindex_tab_1\nwrong # of entries in index x";
  }
  void explain() {
    QFETCH(QString, error);
    QFETCH(QString, text);
    QFETCH(QString, technical);
    const sqlitefile::Explained e = sqlitefile::explain(error);
    QCOMPARE(e.text, text);
    QCOMPARE(e.technical, technical);
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
