#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include "archivefile.h"
#include "files.h"
#include "rules/datafolder.h"
#include "rules/recordset.h"

class tst_recordset : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;

  QString fresh(ArchiveKind kind, const QString& name) {
    const QString path = dir_.filePath(name);
    QFile::remove(path);
    if (!datafolder::createArchive(path, kind)) qFatal("cannot create archive");
    return path;
  }

 private Q_SLOTS:
  // Every field example of the four archives survives a round trip through the file.
  void roundTrip_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("temperature") << int(ArchiveKind::Temperature)
                                 << QStringList{"Mese e anno", "T Media MAX", "T Media MIN",
                                                "Osservazioni"}
                                 << QStringList{"Marzo  2006", "12,35 °C", "3,10 °C",
                                                "Nessuna nota\r\n"};
    QTest::newRow("rain") << int(ArchiveKind::Rain)
                          << QStringList{"Mese e anno", "N° eventi con prp", "Accumulo tot mensile",
                                         "Osservazioni"}
                          << QStringList{"Marzo  2006", "7 evento/i", "85,4 mm", ""};
    QTest::newRow("rain empty total")
        << int(ArchiveKind::Rain) << QStringList{"Accumulo tot mensile"} << QStringList{" mm"};
    QTest::newRow("snow") << int(ArchiveKind::Snow)
                          << QStringList{"Inverno",
                                         "Tipo di neve",
                                         "Accumulo (in cm)",
                                         "Accumulo equivalente (in mm)",
                                         "Temperatura (estremi)",
                                         "Osservazioni"}
                          << QStringList{"Inverno 2005/2006 (12 Gennaio)",
                                         "Farinosa",
                                         "15 cm",
                                         "12,5 mm",
                                         "-2 °C / 1 °C",
                                         "riga 1\r\nriga 2\r\n"};
    QTest::newRow("other events") << int(ArchiveKind::OtherEvents)
                                  << QStringList{"Data", "evento", "Caratteristiche/eventuali dati",
                                                 "Osservazioni"}
                                  << QStringList{"12 Gennaio 2005", "Föhn",
                                                 "raffiche 'forti'; \"90\" km/h", "--"};
  }
  void roundTrip() {
    QFETCH(int, kind);
    QFETCH(QStringList, names);
    QFETCH(QStringList, values);
    const QString path = fresh(ArchiveKind(kind), QStringLiteral("rt.mdb"));
    {
      Recordset rs;
      QVERIFY(rs.connect(path));
      QVERIFY(rs.open());
      rs.addNew();
      for (int i = 0; i < names.size(); ++i) QVERIFY(rs.setField(names[i], values[i]));
      QString error;
      QVERIFY2(rs.update(&error), qPrintable(error));
      QCOMPARE(rs.recordCount(), 1);
      QCOMPARE(rs.position(), 0);
    }
    Recordset again;
    QVERIFY(again.connect(path));
    QVERIFY(again.open());
    QCOMPARE(again.recordCount(), 1);
    again.moveFirst();
    for (int i = 0; i < names.size(); ++i) QCOMPARE(again.field(names[i]), values[i]);
  }

  void namesIgnoreLetterCase_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("read");
    QTest::newRow("T Media max") << "T Media MAX"
                                 << "T Media max";
    QTest::newRow("all lower") << "T Media MAX"
                               << "t media max";
    QTest::newRow("Evento") << "evento"
                            << "Evento";
    QTest::newRow("temperatura") << "Temperatura (estremi)"
                                 << "temperatura (estremi)";
  }
  void namesIgnoreLetterCase() {
    QFETCH(QString, stored);
    QFETCH(QString, read);
    ArchiveKind kind = stored.startsWith("T Media") ? ArchiveKind::Temperature
                       : stored == "evento"         ? ArchiveKind::OtherEvents
                                                    : ArchiveKind::Snow;
    Recordset rs;
    QVERIFY(rs.connect(fresh(kind, "case.mdb")));
    QVERIFY(rs.open());
    rs.addNew();
    QVERIFY(rs.setField(read, "valore"));  // writing under the other spelling works too
    QVERIFY(rs.update());
    QCOMPARE(rs.field(stored), QStringLiteral("valore"));
    QCOMPARE(rs.field(read), QStringLiteral("valore"));
    QCOMPARE(rs.field("campo inesistente"), QString());
  }

  void insertionOrderSurvivesDeletes() {
    const QString path = fresh(ArchiveKind::Rain, "order.mdb");
    Recordset rs;
    QVERIFY(rs.connect(path));
    QVERIFY(rs.open());
    auto add = [&](const QString& v) {
      rs.addNew();
      rs.setField("Mese e anno", v);
      QVERIFY(rs.update());
    };
    add("a");
    add("b");
    add("c");
    rs.moveLast();
    QVERIFY(rs.deleteCurrent());  // the last one: its key may be reused
    QVERIFY(rs.atEnd());
    add("d");
    rs.setPosition(0);
    QVERIFY(rs.deleteCurrent());
    QCOMPARE(rs.position(), 0);  // the next record becomes current
    QCOMPARE(rs.field("Mese e anno"), QStringLiteral("b"));
    add("e");
    QStringList seen;
    for (rs.moveFirst(); !rs.atEnd(); rs.moveNext()) seen << rs.field("mese e anno");
    QCOMPARE(seen, (QStringList{"b", "d", "e"}));

    Recordset reopened;
    QVERIFY(reopened.connect(path));
    QVERIFY(reopened.open());
    seen.clear();
    for (reopened.moveFirst(); !reopened.atEnd(); reopened.moveNext())
      seen << reopened.field("Mese e anno");
    QCOMPARE(seen, (QStringList{"b", "d", "e"}));
  }

  void movesAndEnd() {
    Recordset rs;
    QVERIFY(rs.connect(fresh(ArchiveKind::Snow, "moves.mdb")));
    QVERIFY(rs.open());
    QVERIFY(rs.atEnd());
    rs.moveFirst();
    rs.moveNext();
    rs.moveLast();
    QVERIFY(rs.atEnd());  // nothing to move to, nothing breaks
    QVERIFY(!rs.deleteCurrent());
    for (const char* v : {"1", "2"}) {
      rs.addNew();
      rs.setField("Inverno", v);
      QVERIFY(rs.update());
    }
    rs.moveFirst();
    QCOMPARE(rs.field("Inverno"), QStringLiteral("1"));
    rs.moveNext();
    QCOMPARE(rs.field("Inverno"), QStringLiteral("2"));
    rs.moveNext();
    QVERIFY(rs.atEnd());
    QCOMPARE(rs.field("Inverno"), QString());
    rs.moveNext();
    QVERIFY(rs.atEnd());
  }

  void unknownFieldIsRefused() {
    Recordset rs;
    QVERIFY(rs.connect(fresh(ArchiveKind::Rain, "unknown.mdb")));
    QVERIFY(rs.open());
    QVERIFY(!rs.setField("Mese", "x"));  // not added to the pending record
    rs.addNew();
    QVERIFY(!rs.setField("Colonna che non c'è", "x"));
    QVERIFY(rs.setField("Osservazioni", "ok"));
    QVERIFY(rs.update());
    QCOMPARE(rs.recordCount(), 1);
  }

  // A write the database refuses leaves nothing behind and says why.
  void refusedWriteLeavesNoRecord() {
    const QString path = fresh(ArchiveKind::Temperature, "refuse.mdb");
    {
      QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "trigger");
      db.setDatabaseName(path);
      QVERIFY(db.open());
      QSqlQuery q(db);
      QVERIFY(
          q.exec("CREATE TRIGGER no_insert BEFORE INSERT ON tab BEGIN SELECT RAISE(ABORT, "
                 "'bloccato'); END"));
      db.close();
    }
    QSqlDatabase::removeDatabase("trigger");
    Recordset rs;
    QVERIFY(rs.connect(path));
    QVERIFY(rs.open());
    rs.addNew();
    rs.setField("Mese e anno", "Marzo  2006");
    QString error;
    QVERIFY(!rs.update(&error));
    QVERIFY(error.contains("bloccato"));
    QCOMPARE(rs.recordCount(), 0);
    QVERIFY(rs.atEnd());
  }

  // A file that cannot serve as an archive is refused and left exactly as it was.
  void badFilesAreRefusedUntouched_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("garbage") << QByteArray("questo non è un archivio\r\n").repeated(300);
    QTest::newRow("truncated header") << QByteArray("SQLite format 3\0", 16);
  }
  void badFilesAreRefusedUntouched() {
    QFETCH(QByteArray, bytes);
    const QString path = dir_.filePath("bad.mdb");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    f.close();
    Recordset rs;
    QString error;
    QVERIFY(!rs.connect(path, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!rs.open());
    QCOMPARE(bytesOf(path), bytes);
  }

  void truncatedArchiveIsRefusedUntouched() {
    const QString good = fresh(ArchiveKind::Rain, "whole.mdb");
    QByteArray bytes = bytesOf(good).left(1000);
    const QString path = dir_.filePath("cut.mdb");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    f.close();
    Recordset rs;
    QVERIFY(!rs.connect(path));
    QCOMPARE(bytesOf(path), bytes);
  }

  void missingFileIsNeverCreated() {
    Recordset rs;
    const QString path = dir_.filePath("manca.mdb");
    QVERIFY(!rs.connect(path));
    QVERIFY(!QFile::exists(path));
  }

  void tableWithoutTabIsRefused() {
    const QString path = dir_.filePath("notab.mdb");
    {
      QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "notab");
      db.setDatabaseName(path);
      QVERIFY(db.open());
      QSqlQuery q(db);
      QVERIFY(q.exec("CREATE TABLE altro (x TEXT)"));
      db.close();
    }
    QSqlDatabase::removeDatabase("notab");
    Recordset rs;
    QVERIFY(!rs.connect(path));
  }

  // A crafted archive's column names stay names: each value lands in its own
  // column, whatever brackets or quotes the names hold, and nothing else runs.
  void craftedColumnNames() {
    const QString path = dir_.filePath("crafted.mdb");
    const QStringList names{"Osservazioni", "[Osservazioni]", "\"Osservazioni\"",
                            "a], [Osservazioni"};
    QCOMPARE(
        ArchiveFile(path).exec("CREATE TABLE tab (\"Osservazioni\" TEXT, \"[Osservazioni]\" "
                               "TEXT, \"\"\"Osservazioni\"\"\" TEXT, \"a], [Osservazioni\" TEXT)"),
        QString());
    Recordset rs;
    QVERIFY(rs.connect(path) && rs.open());
    QCOMPARE(rs.fieldNames(), names);
    rs.addNew();
    for (const QString& n : names) QVERIFY(rs.setField(n, "valore di " + n));
    QVERIFY(rs.update());
    QCOMPARE(rs.findRow("[Osservazioni]", "valore di [Osservazioni]"), 0);
    QStringList corrected = rs.values(0);
    corrected[1] = "corretto";
    QVERIFY(rs.updateRecord(0, corrected));
    Recordset again;
    QVERIFY(again.connect(path) && again.open());
    QCOMPARE(again.values(0),
             (QStringList{"valore di Osservazioni", "corretto", "valore di \"Osservazioni\"",
                          "valore di a], [Osservazioni"}));
  }

  void archiveStaysOneFileWithRollbackJournal() {
    const QString path = fresh(ArchiveKind::Rain, "journal.mdb");
    Recordset rs;
    QVERIFY(rs.connect(path));
    QVERIFY(rs.open());
    rs.addNew();
    rs.setField("Mese e anno", "x");
    QVERIFY(rs.update());
    QVERIFY(!QFile::exists(path + "-wal"));
    QVERIFY(!QFile::exists(path + "-journal"));  // every change already on disk
  }

  // A correction writes the same record, which keeps its row and stays
  // current; the grid hears of it once, and of a correction that changes
  // nothing not at all. A refused write changes nothing.
  void updateInPlace() {
    const QString path = fresh(ArchiveKind::Rain, "update.mdb");
    Recordset rs;
    QVERIFY(rs.connect(path));
    QVERIFY(rs.open());
    for (const char* v : {"a", "b", "c"}) {
      rs.addNew();
      rs.setField("Mese e anno", v);
      QVERIFY(rs.update());
    }
    rs.setPosition(2);
    QSignalSpy changed(&rs, &QAbstractItemModel::dataChanged);
    QStringList values = rs.values(1);
    values[3] = "corretta";
    QVERIFY(rs.updateRecord(1, values));
    QVERIFY(rs.updateRecord(1, values));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed[0][0].toModelIndex().row(), 1);
    QCOMPARE(rs.position(), 2);

    {
      QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "tamper");
      db.setDatabaseName(path);
      QVERIFY(db.open());
      QVERIFY(
          QSqlQuery(db).exec("CREATE TRIGGER no_update BEFORE UPDATE ON tab BEGIN SELECT "
                             "RAISE(ABORT, 'bloccato'); END"));
    }
    QSqlDatabase::removeDatabase("tamper");
    values[0] = "x";
    QString error;
    QVERIFY(!rs.updateRecord(1, values, &error));
    QVERIFY(error.contains("bloccato"));
    QCOMPARE(changed.count(), 1);

    Recordset again;
    QVERIFY(again.connect(path));
    QVERIFY(again.open());
    QStringList seen;
    for (int r = 0; r < again.recordCount(); ++r) seen << again.value(r, 0) + again.value(r, 3);
    QCOMPARE(seen, (QStringList{"a", "bcorretta", "c"}));
    QCOMPARE(rs.values(1), again.values(1));
  }

  // A deleted record put back returns to its row when its key is still free,
  // else it goes last; either way it is current and on disk.
  void restoreDeleted_data() {
    QTest::addColumn<int>("deleted");
    QTest::addColumn<bool>("addAfter");  // a new record added after the deletion
    QTest::addColumn<QString>("order");
    QTest::addColumn<int>("row");
    QTest::newRow("first") << 0 << false << "abc" << 0;
    QTest::newRow("middle, a record added since") << 1 << true << "abcd" << 1;
    QTest::newRow("last") << 2 << false << "abc" << 2;
    QTest::newRow("last, its key taken since") << 2 << true << "abdc" << 3;
  }
  void restoreDeleted() {
    QFETCH(int, deleted);
    QFETCH(bool, addAfter);
    QFETCH(QString, order);
    QFETCH(int, row);
    const QString path = fresh(ArchiveKind::Snow, "restore.mdb");
    Recordset rs;
    QVERIFY(rs.connect(path));
    QVERIFY(rs.open());
    auto add = [&](const QString& v) {
      rs.addNew();
      rs.setField("Inverno", v);
      rs.setField("Osservazioni", "riga 1\r\nriga 2");
      QVERIFY(rs.update());
    };
    for (const char* v : {"a", "b", "c"}) add(v);
    rs.setPosition(deleted);
    const qint64 key = rs.key(deleted);
    const QStringList values = rs.values(deleted);
    QVERIFY(rs.deleteCurrent());
    if (addAfter) add("d");
    QCOMPARE(rs.restoreRecord(key, values), row);
    QCOMPARE(rs.position(), row);

    Recordset again;
    QVERIFY(again.connect(path));
    QVERIFY(again.open());
    QString seen;
    for (int r = 0; r < again.recordCount(); ++r) seen += again.value(r, 0);
    QCOMPARE(seen, order);
    QCOMPARE(again.values(row), values);
  }

  void modelFollowsRecordset() {
    Recordset rs;
    QVERIFY(rs.connect(fresh(ArchiveKind::OtherEvents, "model.mdb")));
    QVERIFY(rs.open());
    QCOMPARE(rs.columnCount(), 4);
    QCOMPARE(rs.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("evento"));
    QCOMPARE(rs.headerData(2, Qt::Horizontal, Qt::ToolTipRole).toString(),
             QStringLiteral("Caratteristiche/eventuali dati"));
    QSignalSpy inserted(&rs, &QAbstractItemModel::rowsInserted);
    rs.addNew();
    rs.setField("Data", "12 Gennaio 2005");
    QVERIFY(rs.update());
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(rs.data(rs.index(0, 0), Qt::DisplayRole).toString(),
             QStringLiteral("12 Gennaio 2005"));
    QSignalSpy closed(&rs, &Recordset::closed);
    rs.close();
    QCOMPARE(closed.count(), 1);
    QCOMPARE(rs.rowCount(), 0);
  }
};

QTEST_GUILESS_MAIN(tst_recordset)
#include "tst_recordset.moc"
