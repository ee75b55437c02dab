// The station's climate figures, against months worked out by hand.
#include <QTemporaryDir>
#include <QTest>

#include "rules/climate.h"
#include "rules/months.h"
#include "rules/numbers.h"

using namespace climate;

namespace {

// Days from `first` on, one word each: "min/max/rain" with "-" for a value
// not typed, "x" for a day not stored at all; rain in mm.
QVector<Day> daysFrom(const QDate& first, const QString& words) {
  QVector<Day> days;
  QDate d = first;
  for (const QString& w : words.split(u' ', Qt::SkipEmptyParts)) {
    if (w != u'x') {
      const QStringList v = w.split(u'/');
      Day day{d, {}, {}, {}};
      if (v.value(0) != u'-') day.minimum = num::readLocale(v.value(0));
      if (v.value(1) != u'-') day.maximum = num::readLocale(v.value(1));
      if (v.value(2) != u'-') day.rain = num::readFixed4(v.value(2))->units;
      days << day;
    }
    d = d.addDays(1);
  }
  return days;
}

QString at(const Extreme& e) {
  return e.value ? temperatureText(e.value) + u'@' + e.date.toString(u"dd.MM") : QString(u'-');
}
QString at(const RainExtreme& e) {
  return e.value ? rainText(e.value) + u'@' + e.date.toString(u"dd.MM") : QString(u'-');
}
QString spell(const Spell& s) {
  return s.length ? QStringLiteral("%1:%2-%3")
                        .arg(s.length)
                        .arg(s.first.toString(u"dd.MM"), s.last.toString(u"dd.MM"))
                  : QStringLiteral("0");
}

QString summary(const Figures& f) {
  return QStringLiteral(
             "%1 m%2,%3,%4 %5 %6 %7 FD%8 ID%9 SU%10 TR%11 R%12,%13,%14 "
             "TX%15 TN%16 tn%17 tx%18 Rx1 %19 Rx5 %20 dry%21 wet%22")
      .arg(f.days)
      .arg(f.missingMin)
      .arg(f.missingMax)
      .arg(f.missingRain)
      .arg(temperatureText(f.meanMin), temperatureText(f.meanMax), rainText(f.totalRain))
      .arg(f.frostDays)
      .arg(f.iceDays)
      .arg(f.summerDays)
      .arg(f.tropicalNights)
      .arg(f.rain1)
      .arg(f.rain10)
      .arg(f.rain20)
      .arg(at(f.highestMax), at(f.lowestMin), at(f.highestMin), at(f.lowestMax), at(f.wettestDay),
           at(f.wettestFive), spell(f.dry), spell(f.wet));
}

// A year of the monthly archives: maximum 10 + month, minimum month, 50 mm.
void addArchiveYear(QVector<QStringList>& t, QVector<QStringList>& r, int year,
                    QList<int> leaveOut = {}) {
  for (int m = 1; m <= 12; ++m) {
    if (leaveOut.contains(m)) continue;
    const QString month = months::name(m) + QStringLiteral("  ") + QString::number(year);
    t << QStringList{month, QString::number(10 + m) + QStringLiteral(" °C"),
                     QString::number(m) + QStringLiteral(" °C"), QString()};
    r << QStringList{month, QStringLiteral("5 evento/i"), QStringLiteral("50 mm"), QString()};
  }
}

}  // namespace

class TestClimate : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void figures_data() {
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<QString>("days");
    QTest::addColumn<QString>("expected");
    // Means (22/6 and 70,5/6), counts, extremes, spells; 6 January not
    // stored, 7 January without rain.
    QTest::newRow("a week") << QDate(2026, 1, 1) << QDate(2026, 1, 7)
                            << "-2/3/0 -1/-0,5/1 0/4/12 1/26/0,9 21/30/25 x 3/8/-"
                            << "7 m1,1,2 3,7 11,8 38,9 FD2 ID1 SU2 TR1 R3,2,1 TX30,0@05.01 "
                               "TN-2,0@01.01 tn21,0@05.01 tx-0,5@02.01 Rx1 25,0@05.01 "
                               "Rx5 38,9@05.01 dry1:01.01-01.01 wet2:02.01-03.01";
    // Ties keep the first day; a day without rain breaks the five days and the spell.
    QTest::newRow("ties and a gap")
        << QDate(2026, 3, 1) << QDate(2026, 3, 10)
        << "10/20/5 10/20/5 10/20/5 10/20/5 10/20/5 10/20/- 10/20/5 10/20/5 10/20/5 10/20/5"
        << "10 m0,0,1 10,0 20,0 45,0 FD0 ID0 SU0 TR0 R9,0,0 TX20,0@01.03 TN10,0@01.03 "
           "tn10,0@01.03 tx20,0@01.03 Rx1 5,0@01.03 Rx5 25,0@05.03 dry0 wet5:01.03-05.03";
    // A spell runs across the month's end; fewer than five days give no five-day total.
    QTest::newRow("across a month")
        << QDate(2026, 1, 30) << QDate(2026, 2, 1) << "0/1/0 0/1/0,4 0/1/0"
        << "3 m0,0,0 0,0 1,0 0,4 FD0 ID0 "
           "SU0 TR0 R0,0,0 TX1,0@30.01 "
           "TN0,0@30.01 tn0,0@30.01 "
           "tx1,0@30.01 Rx1 0,4@31.01 Rx5 - "
           "dry3:30.01-01.02 wet0";
    // 25 °C is not a summer day, nor 20 °C a tropical night, nor 0 °C a frost.
    QTest::newRow("edges") << QDate(2026, 7, 1) << QDate(2026, 7, 2) << "20/25/0,9999 0/0/20"
                           << "2 m0,0,0 10,0 12,5 21,0 FD0 ID0 SU0 TR0 R1,1,1 TX25,0@01.07 "
                              "TN0,0@02.07 tn20,0@01.07 tx0,0@02.07 Rx1 20,0@02.07 Rx5 - "
                              "dry1:01.07-01.07 wet1:02.07-02.07";
    QTest::newRow("nothing stored") << QDate(2026, 2, 1) << QDate(2026, 2, 28)
                                    << QList<QString>(28, QStringLiteral("x")).join(u' ')
                                    << "28 m28,28,28    FD0 ID0 SU0 TR0 R0,0,0 TX- TN- tn- tx- "
                                       "Rx1 - Rx5 - dry0 wet0";
  }
  void figures() {
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(QString, days);
    QFETCH(QString, expected);
    // Days outside the span are not counted.
    const QVector<Day> all =
        daysFrom(first.addDays(-3), QStringLiteral("-9/40/99 -9/40/99 -9/40/99 ") + days +
                                        QStringLiteral(" -9/40/99"));
    QCOMPARE(summary(climate::figures(all, first, last)), expected);
  }

  void completeness_data() {
    QTest::addColumn<QString>("pattern");  // January 2025, "1": rain typed
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("expected");
    const QDate later(2026, 1, 1);
    QTest::newRow("whole") << QString(31, u'1') << later << "0 0 complete";
    QTest::newRow("10 apart") << "0101010101010101010111111111111" << later << "10 1 complete";
    QTest::newRow("11 apart") << "0101010101010101010101111111111" << later << "11 1 incomplete";
    QTest::newRow("4 in a row") << "1111000011111111111111111111111" << later << "4 4 complete";
    QTest::newRow("5 in a row") << "1111000001111111111111111111111" << later << "5 5 incomplete";
    QTest::newRow("month not over") << QString(15, u'1') << QDate(2025, 1, 15) << "0 0 complete";
    QTest::newRow("month to come") << QString() << QDate(2024, 12, 31) << "0 0 incomplete";
  }
  void completeness() {
    QFETCH(QString, pattern);
    QFETCH(QDate, today);
    QFETCH(QString, expected);
    QStringList words;
    for (QChar c : pattern) words << (c == u'1' ? QStringLiteral("-/-/0") : QStringLiteral("x"));
    const Completeness c = climate::completeness(daysFrom(QDate(2025, 1, 1), words.join(u' ')),
                                                 2025, 1, Element::Rain, today);
    QCOMPARE(QStringLiteral("%1 %2 %3")
                 .arg(c.missing)
                 .arg(c.longestGap)
                 .arg(c.complete ? "complete" : "incomplete"),
             expected);
  }

  // Three archived years, January 2003 missing and January 2002 wetter;
  // February 2001 complete in the history, March 2001 only begun there.
  void normalsAndDepartures() {
    QVector<QStringList> t, r;
    addArchiveYear(t, r, 2001);
    addArchiveYear(t, r, 2002);
    addArchiveYear(t, r, 2003, {1});
    r[12][2] = QStringLiteral("80 mm");  // January 2002
    // April 2001 again, its maximum not a number: the later record holds.
    t << QStringList{QStringLiteral("Aprile  2001"), QStringLiteral("non so °C"),
                     QStringLiteral("3 °C"), QString()};
    QStringList feb;
    for (int d = 1; d <= 28; ++d) feb << (d == 10 ? QStringLiteral("x") : QStringLiteral("2/6/1"));
    const QVector<Day> days = daysFrom(QDate(2001, 2, 1), feb.join(u' ')) +
                              daysFrom(QDate(2001, 3, 1), QStringLiteral("9/9/9 9/9/9"));
    const Station s(days, archiveMonths(t, r), QDate(2026, 12, 9));

    const MonthValues february = s.monthValues(2001, 2);
    QCOMPARE(february.temperatureSource, MonthValues::Source::History);
    QCOMPARE(temperatureText(february.meanMax), QStringLiteral("6,0"));
    QCOMPARE(rainText(february.total), QStringLiteral("27,0"));  // 27 days of 1 mm
    QCOMPARE(s.monthValues(2001, 3).temperatureSource, MonthValues::Source::Archive);
    QCOMPARE(s.monthValues(2001, 4).temperatureSource, MonthValues::Source::None);
    QCOMPARE(s.monthValues(2003, 1).rainSource, MonthValues::Source::None);

    QCOMPARE(s.completeYears(), (QList<int>{2002}));  // 2001: April's maximum unreadable
    QCOMPARE(s.defaultReference(), std::pair(2002, 2002));

    const Normals n = normals(s, 2001, 2003);
    QCOMPARE(n.months[0].rainYears, 2);
    QCOMPARE(rainText(n.months[0].total), QStringLiteral("65,0"));  // (50 + 80) / 2
    QCOMPARE(temperatureText(n.months[0].meanMax), QStringLiteral("11,0"));
    QCOMPARE(rainText(n.months[1].total), QStringLiteral("42,3"));          // (27 + 50 + 50) / 3
    QCOMPARE(temperatureText(n.months[1].meanMin), QStringLiteral("2,0"));  // (2 + 2 + 2) / 3
    QCOMPARE(n.months[3].temperatureYears, 2);
    QCOMPARE(rainText(n.year.total), QStringLiteral("607,3"));  // 65 + 42,33 + 10 x 50

    const Departure jan = departure(s.monthValues(2002, 1), n.months[0]);
    QCOMPARE(rainText(jan.total), QStringLiteral("15,0"));
    QCOMPARE(temperatureText(jan.totalPercent), QStringLiteral("123,1"));
    QCOMPARE(temperatureText(jan.meanMax), QStringLiteral("0,0"));
  }

  void stationRecords() {
    const QVector<Day> days =
        daysFrom(QDate(2020, 1, 30), QStringLiteral("1/5/10 1/5/10 1/5/10 1/5/10 1/5/10")) +
        daysFrom(QDate(2020, 7, 10), QStringLiteral("20/35/0")) +
        daysFrom(QDate(2021, 1, 14), QStringLiteral("-3/1/12 -8/-2/0")) +
        daysFrom(QDate(2021, 7, 5), QStringLiteral("18/35/0"));
    const StationRecords r = records(Station(days, {}, QDate(2026, 12, 9)));
    QCOMPARE(at(r.allTime.highestMax), QStringLiteral("35,0@10.07"));  // the first of a tie
    QCOMPARE(r.allTime.highestMax.date.year(), 2020);
    QCOMPARE(at(r.allTime.lowestMin), QStringLiteral("-8,0@15.01"));
    QCOMPARE(at(r.allTime.wettestDay), QStringLiteral("12,0@14.01"));
    QCOMPARE(at(r.allTime.wettestFive), QStringLiteral("50,0@03.02"));
    QCOMPARE(at(r.months[1].wettestFive), QStringLiteral("50,0@03.02"));  // ends in February
    QCOMPARE(at(r.months[0].wettestFive), QStringLiteral("-"));
    QCOMPARE(at(r.months[0].lowestMin), QStringLiteral("-8,0@15.01"));
    QCOMPARE(at(r.months[0].highestMax), QStringLiteral("5,0@30.01"));
    QCOMPARE(at(r.months[6].lowestMin), QStringLiteral("18,0@05.07"));
  }

  void texts_data() {
    QTest::addColumn<double>("temperature");
    QTest::addColumn<QString>("expected");
    QTest::newRow("half up") << 11.75 << "11,8";
    QTest::newRow("mean of 12,3 and 12,4") << (12.3 + 12.4) / 2 << "12,4";
    QTest::newRow("negative half") << (-12.3 - 12.4) / 2 << "-12,4";
    QTest::newRow("no negative zero") << -0.04 << "0,0";
    QTest::newRow("just under") << 12.349 << "12,3";
  }
  void texts() {
    QFETCH(double, temperature);
    QFETCH(QString, expected);
    QCOMPARE(temperatureText(temperature), expected);
    QCOMPARE(rainText(124500), QStringLiteral("12,5"));
    QCOMPARE(rainText(124499), QStringLiteral("12,4"));
    QCOMPARE(rainText(-5), QStringLiteral("0,0"));
    QCOMPARE(rainText(9, 4), QStringLiteral("0,0009"));
  }

  void historyNumbers() {
    QTemporaryDir dir;
    DailyHistory h;
    QVERIFY(h.open(dir.filePath(DailyHistory::kFileName)));
    QVERIFY(h.write({{QDate(2026, 3, 1),
                      QStringLiteral("-1,5"),
                      QStringLiteral("8"),
                      QStringLiteral("12,34"),
                      {}},
                     {QDate(2026, 3, 2), QStringLiteral("?"), {}, {}, QStringLiteral("nota")}},
                    QStringLiteral("prova")));
    const QVector<Day> d = h.numbers();
    QCOMPARE(d.size(), 2);
    QCOMPARE(*d[0].minimum, -1.5);
    QCOMPARE(*d[0].rain, 123400);
    QVERIFY(!d[1].minimum && !d[1].maximum && !d[1].rain);
  }
};

QTEST_GUILESS_MAIN(TestClimate)
#include "tst_climate.moc"
