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

  // What a sheet hands over for a month: its texts for the month's days up to
  // the day of the store, never a day to come; an empty cell keeps the stored
  // value, the other fields and notes stay. Values left out (days to come,
  // days past the month's end) are named, and the sheet is then not known as
  // stored.
  void fromSheet_data() {
    QTest::addColumn<int>("sheet");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("stored");  // the first, second and last day
    QTest::addColumn<QString>("leftOut");
    const auto t = int(history::Sheet::Temperature), r = int(history::Sheet::Rain);
    const QDate later(2026, 1, 1);
    QTest::newRow("temperatures of February, day 29 and on left out")
        << t << cells({{1, "2"}, {28, "-3"}, {29, "5"}}) << cells({{1, "9"}}) << later << 2
        << "1:2/9/15/nota 28:-3///"
        << "29";
    QTest::newRow("empty cells keep what is stored")
        << t << cells({{1, ""}}) << cells({{1, "10"}}) << later << 1 << "1:1/10/15/nota"
        << "";
    QTest::newRow("rain zeros are dry days") << r << cells({{1, "3,5"}}, "0") << QStringList()
                                             << later << 28 << "1:1/8/3,5/nota 2://0/ 28://0/"
                                             << "";
    QTest::newRow("rain of this month: no day after today")
        << r << cells({{1, "3,5"}, {5, "1"}}, "0") << QStringList() << QDate(2025, 2, 9) << 9
        << "1:1/8/3,5/nota 2://0/ 9://0/"
        << "";
    QTest::newRow("a day to come typed is left out and named")
        << t << cells({{1, "2"}, {10, "4"}, {31, "1"}}) << cells({{12, "9"}}) << QDate(2025, 2, 9)
        << 1 << "1:2/8/15/nota"
        << "10, 12, 31";
    QTest::newRow("a month not yet come: nothing")
        << r << cells({{2, "4"}, {3, "1"}}, "0") << QStringList() << QDate(2025, 1, 31) << 1
        << "1:1/8/15/nota"
        << "2-3";
  }
  void fromSheet() {
    QFETCH(int, sheet);
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    QFETCH(QDate, today);
    QFETCH(int, count);
    QFETCH(QString, stored);
    QFETCH(QString, leftOut);
    DailyHistory h;
    QVERIFY(h.open(path()));
    QVERIFY(h.write({day("2025-02-01", "1", "8", "15", "nota")}, "prima"));
    const auto s = history::Sheet(sheet);
    QVERIFY(h.storeSheet(s, 2025, 2, first, second, today, history::Way::BeforeReset));
    const QVector<DayRecord> all = h.month(2025, 2);
    QCOMPARE(all.size(), count);
    QCOMPARE(describe(count > 2 ? QVector<DayRecord>{all[0], all[1], all.last()} : all), stored);
    QCOMPARE(history::dayRuns(history::daysLeftOut(s, 2025, 2, first, second, today)), leftOut);
    QCOMPARE(h.wasStored(s, first, second), leftOut.isEmpty());
  }

  // The month a reset offers: the last hand-over's when it can be the month
  // the sheets hold, else the month just ended in the first ten days, else
  // this one.
  void proposeMonth_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("handOver");  // null: none
    QTest::addColumn<QDate>("month");
    QTest::addColumn<int>("from");
    const int handOver = int(history::MonthProposal::From::HandOver),
              before = int(history::MonthProposal::From::MonthBefore),
              current = int(history::MonthProposal::From::ThisMonth);
    const QDate none, nov(2026, 11, 1), dec(2026, 12, 1);
    QTest::newRow("hand-over of the month just ended")
        << QDate(2026, 12, 20) << QDate(2026, 11, 1) << nov << handOver;
    QTest::newRow("hand-over of this month") << QDate(2026, 12, 9) << dec << dec << handOver;
    QTest::newRow("none, 9 December") << QDate(2026, 12, 9) << none << nov << before;
    QTest::newRow("none, 10 December") << QDate(2026, 12, 10) << none << nov << before;
    QTest::newRow("none, 11 December") << QDate(2026, 12, 11) << none << dec << current;
    QTest::newRow("none, 5 January") << QDate(2027, 1, 5) << none << dec << before;
    QTest::newRow("hand-over of September, older than the sheets")
        << QDate(2026, 12, 5) << QDate(2026, 9, 1) << nov << before;
    QTest::newRow("hand-over of a month to come")
        << QDate(2026, 12, 20) << QDate(2027, 1, 1) << dec << current;
  }
  void proposeMonth() {
    QFETCH(QDate, today);
    QFETCH(QDate, handOver);
    QFETCH(QDate, month);
    QFETCH(int, from);
    const auto got = history::proposeMonth(
        today, handOver.isValid() ? std::optional<QDate>(handOver) : std::nullopt);
    QCOMPARE(got.month, month);
    QCOMPARE(int(got.from), from);
  }

  // The month of the last hand-over is in the file: it outlives the run; a
  // store before a reset is no hand-over; the reset forgets it.
  void remembersHandOver() {
    const QStringList rain = cells({{1, "2"}}, "0");
    {
      DailyHistory h;
      QVERIFY(h.open(path()));
      QVERIFY(!h.lastHandOver());
      QVERIFY(h.storeSheet(history::Sheet::Rain, 2026, 11, rain, {}, QDate(2026, 12, 2),
                           history::Way::HandOver));
      QVERIFY(h.storeSheet(history::Sheet::Rain, 2026, 10, rain, {}, QDate(2026, 12, 2),
                           history::Way::BeforeReset));
    }
    DailyHistory again;
    QVERIFY(again.open(path()));
    QCOMPARE(again.lastHandOver(), QDate(2026, 11, 1));
    QVERIFY(again.forgetHandOver());
    again.close();
    QVERIFY(again.open(path(), nullptr, DailyHistory::Access::ReadOnly));
    QVERIFY(!again.lastHandOver());
  }

  // A sheet stored once is known as stored, even after a correction in the
  // history; a sheet changed since is not. A month holding every value of a
  // sheet is found without the sheet having been stored.
  void knowsWhatWasStored() {
    DailyHistory h;
    QVERIFY(h.open(path()));
    const QStringList minima = cells({{1, "2"}}), maxima = cells({{1, "9"}});
    QVERIFY(!h.wasStored(history::Sheet::Temperature, minima, maxima));
    const QDate today(2026, 4, 1);
    QVERIFY(h.storeSheet(history::Sheet::Temperature, 2026, 3, minima, maxima, today,
                         history::Way::HandOver));
    QVERIFY(h.write({day("2026-03-01", "2,5", "9", "")}, "correzione"));
    QVERIFY(h.wasStored(history::Sheet::Temperature, minima, maxima));
    QVERIFY(!h.wasStored(history::Sheet::Temperature, cells({{1, "3"}}), maxima));
    QCOMPARE(
        history::storedMonth(h, history::Sheet::Temperature, cells({{1, "2,5"}}), maxima, today),
        QDate(2026, 3, 1));
    QVERIFY(!history::storedMonth(h, history::Sheet::Temperature, cells({{1, "2,5"}, {2, "1"}}),
                                  maxima, today));
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
