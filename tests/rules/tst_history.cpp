// The daily history: what is stored, what a sheet hands over, undo, and the
// files it refuses.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include "files.h"
#include "rules/datafolder.h"
#include "rules/history.h"

namespace {

DayRecord day(const QString& iso, const QString& min, const QString& max, const QString& rain,
              const QString& note = {}) {
  return {QDate::fromString(iso, Qt::ISODate), min, max, rain, note};
}

// Thirty-one cells, the given ones filled in (day -> text).
QStringList cells(std::initializer_list<std::pair<int, QString>> filled, const QString& rest = {}) {
  QStringList l;
  for (int d = 0; d < 31; ++d) l << rest;
  for (auto& [d, text] : filled) l[d - 1] = text;
  return l;
}

QString describe(const QVector<DayRecord>& days) {
  QStringList out;
  for (const DayRecord& d : days)
    out << QStringLiteral("%1:%2/%3/%4/%5")
               .arg(d.date.day())
               .arg(d.minimum, d.maximum, d.rain, d.note);
  return out.join(u' ');
}

}  // namespace

class tst_history : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;
  QString path() const { return dir_.filePath(DailyHistory::kFileName); }

 private Q_SLOTS:
  void initTestCase() { pinItalianLocale(); }
  void init() { QFile::remove(path()); }

  // Texts come back as typed; the numbers beside them follow the sheets' rules.
  void storesTextsAndNumbers() {
    DailyHistory h;
    QVERIFY(h.open(path()));  // made when missing
    QVERIFY(h.write({day("2026-03-02", "-1,5", " 9", "12,35", "Nebbia\r\nfitta"),
                     day("2026-03-01", "x", "", "0")},
                    "prova"));
    QCOMPARE(describe(h.month(2026, 3)), "1:x//0/ 2:-1,5/ 9/12,35/Nebbia\r\nfitta");
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "peek");
    db.setDatabaseName(path());
    QVERIFY(db.open());
    QSqlQuery q(db);
    QVERIFY(q.exec("SELECT minima_num, massima_num, precipitazione_num FROM tab ORDER BY data"));
    QVERIFY(q.next());
    QVERIFY(q.value(0).isNull());
    QVERIFY(q.value(1).isNull());
    QCOMPARE(q.value(2).toLongLong(), 0);
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toDouble(), -1.5);
    QCOMPARE(q.value(1).toDouble(), 9.0);
    QCOMPARE(q.value(2).toLongLong(), 123500);
    q.finish();
    db.close();
  }

  // Undo puts back what each change replaced, last change first; a write
  // that changes nothing is no step.
  void undo() {
    DailyHistory h;
    QVERIFY(h.open(path()));
    QVERIFY(h.write({day("2026-03-01", "1", "2", "")}, "primo"));
    QVERIFY(h.write({day("2026-03-01", "1", "2", "")}, "uguale"));
    QVERIFY(h.write({day("2026-03-01", "", "", ""), day("2026-03-02", "3", "4", "")}, "secondo"));
    QCOMPARE(describe(h.month(2026, 3)), "2:3/4//");
    QCOMPARE(h.undoText(), "secondo");
    QVERIFY(h.undo());
    QCOMPARE(describe(h.month(2026, 3)), "1:1/2//");
    QVERIFY(h.undo());
    QCOMPARE(describe(h.month(2026, 3)), "");
    QVERIFY(!h.canUndo());
    QVERIFY(!h.undo());
  }

  // What a sheet hands over for a month: its texts for the month's days, an
  // empty cell keeps the stored value, the other fields and notes stay.
  void fromSheet_data() {
    QTest::addColumn<int>("sheet");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");
    QTest::addColumn<QString>("stored");
    const auto t = int(history::Sheet::Temperature), r = int(history::Sheet::Rain);
    QTest::newRow("temperatures of February, day 29 and on left out")
        << t << cells({{1, "2"}, {28, "-3"}, {29, "5"}}) << cells({{1, "9"}})
        << "1:2/9/15/nota 28:-3///";
    QTest::newRow("empty cells keep what is stored")
        << t << cells({{1, ""}}) << cells({{1, "10"}}) << "1:1/10/15/nota";
    QTest::newRow("rain zeros are dry days")
        << r << cells({{1, "3,5"}}, "0") << QStringList() << "1:1/8/3,5/nota 2://0/ 28://0/";
  }
  void fromSheet() {
    QFETCH(int, sheet);
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    QFETCH(QString, stored);
    DailyHistory h;
    QVERIFY(h.open(path()));
    QVERIFY(h.write({day("2025-02-01", "1", "8", "15", "nota")}, "prima"));
    QVERIFY(h.storeSheet(history::Sheet(sheet), 2025, 2, first, second));
    QString got = describe(h.month(2025, 2));
    // Only the first, second and last days matter for the rain row.
    if (sheet == int(history::Sheet::Rain)) {
      const QVector<DayRecord> all = h.month(2025, 2);
      QCOMPARE(all.size(), 28);
      got = describe({all[0], all[1], all[27]});
    }
    QCOMPARE(got, stored);
  }

  // A sheet stored once is known as stored, even after a correction in the
  // history; a sheet changed since is not. A month holding every value of a
  // sheet is found without the sheet having been stored.
  void knowsWhatWasStored() {
    DailyHistory h;
    QVERIFY(h.open(path()));
    const QStringList minima = cells({{1, "2"}}), maxima = cells({{1, "9"}});
    QVERIFY(!h.wasStored(history::Sheet::Temperature, minima, maxima));
    QVERIFY(h.storeSheet(history::Sheet::Temperature, 2026, 3, minima, maxima));
    QVERIFY(h.write({day("2026-03-01", "2,5", "9", "")}, "correzione"));
    QVERIFY(h.wasStored(history::Sheet::Temperature, minima, maxima));
    QVERIFY(!h.wasStored(history::Sheet::Temperature, cells({{1, "3"}}), maxima));
    QCOMPARE(history::storedMonth(h, history::Sheet::Temperature, cells({{1, "2,5"}}), maxima),
             QDate(2026, 3, 1));
    QVERIFY(!history::storedMonth(h, history::Sheet::Temperature, cells({{1, "2,5"}, {2, "1"}}),
                                  maxima));
    QVERIFY(!history::sheetHasData(history::Sheet::Rain, cells({}, "0")));
    QVERIFY(history::sheetHasData(history::Sheet::Rain, cells({{4, "0,2"}}, "0")));
  }

  // Another archive under the history's name is refused and left as it was.
  void refusesOtherFiles() {
    QVERIFY(datafolder::createArchive(path(), ArchiveKind::Rain));
    const QByteArray before = bytesOf(path());
    DailyHistory h;
    QString error;
    QVERIFY(!h.open(path(), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!h.write({day("2026-03-01", "1", "", "")}, "no"));
    QCOMPARE(bytesOf(path()), before);
  }
};

QTEST_GUILESS_MAIN(tst_history)
#include "tst_history.moc"
