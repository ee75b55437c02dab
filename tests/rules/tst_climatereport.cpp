// The climate reports: rows and foot of a month and a year worked out by hand.
#include <QTest>

#include "rules/climatereport.h"
#include "rules/textfile.h"

using namespace climate;

namespace {

// January 2025 in the history: day d has minimum d - 5, maximum d + 1 and
// 2 mm of rain on even days; the 20th to the 25th not stored.
Station january(bool withArchive) {
  QVector<Day> days;
  for (int d = 1; d <= 31; ++d) {
    if (d >= 20 && d <= 25) continue;
    days << Day{QDate(2025, 1, d), double(d - 5), double(d + 1), d % 2 ? 0 : 20000};
  }
  QVector<ArchiveMonth> archive;
  if (withArchive)
    for (int y = 2020; y <= 2024; ++y)
      for (int m = 1; m <= 12; ++m) archive << ArchiveMonth{y, m, 12.0, 2.0, 500000};
  return Station(days, archive, QDate(2026, 12, 9));
}

}  // namespace

class TestClimateReport : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void monthRows_data() {
    QTest::addColumn<bool>("archive");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("expected");
    QTest::newRow("heading") << false << 2 << "Mese: Gennaio 2025";
    QTest::newRow("a day") << false << 8 << "     3      -2,0       4,0       1,0             0,0";
    QTest::newRow("a day not stored")
        << false << 25 << "    20         -         -         -               -";
    // 25 days: the minima add up to (496 - 135) - 125 = 236, the maxima to
    // 361 + 25 = 386; 12 even days of 2 mm.
    QTest::newRow("means") << false << 38
                           << "Media        9,4      15,4      12,4            24,0 (totale)";
    QTest::newRow("normal") << true << 39
                            << "Normale      2,0      12,0       7,0            50,0 (2020-2024)";
    // The month is incomplete (6 days in a row missing): no monthly value to compare.
    QTest::newRow("departure") << true << 40
                               << "Scarto         -         -         -               -";
  }
  void monthRows() {
    QFETCH(bool, archive);
    QFETCH(int, line);
    QFETCH(QString, expected);
    const Station s = january(archive);
    const QStringList l =
        climatereport::month(QStringLiteral("Monte Prova"), s, 2025, 1, normals(s, 2020, 2024));
    QCOMPARE(l.value(line), expected);
    QVERIFY(textfile::unencodable(climatereport::text(l)).isEmpty());
  }

  void monthFoot() {
    const Station s = january(false);
    const QStringList l =
        climatereport::month(QStringLiteral("Monte Prova"), s, 2025, 1, normals(s, 2020, 2024));
    const QString all = l.join(u'\n');
    QVERIFY(all.contains(u"Giorni di gelo (minima sotto 0 °C):       4\n"));  // days 1-4
    QVERIFY(all.contains(u"Giorni con almeno 1 mm di precipitazione: 12\n"));
    QVERIFY(all.contains(u"Massima più alta:                         32,0 °C il 31 gennaio 2025"));
    // Days 2 to 6 hold three rainy days.
    QVERIFY(
        all.contains(u"Cinque giorni più piovosi:                6,0 mm fino al 6 gennaio 2025"));
    QVERIFY(all.contains(u"minima 6, massima 6, precipitazione 6 su 31"));
    QVERIFY(all.contains(u"Mese incompleto per minima, massima, precipitazione"));
  }

  void yearRows() {
    const Station s = january(true);
    const QStringList l =
        climatereport::year(QStringLiteral("Monte Prova"), s, 2024, normals(s, 2020, 2024));
    QCOMPARE(l.value(6),
             QStringLiteral("Gennaio         2,0     12,0     7,0      50,0      -       "
                            "0,0       0,0  archivio"));
    QCOMPARE(l.value(19), QStringLiteral("Anno            2,0     12,0     7,0     600,0"));
    QVERIFY(climatereport::text(l).endsWith(QStringLiteral("su 366\r\n")));
    // January 2025 has 25 days in the history, six of them missing in a row.
    const QStringList next =
        climatereport::year(QStringLiteral("Monte Prova"), s, 2025, normals(s, 2020, 2024));
    QVERIFY(next.value(6).startsWith(u"Gennaio           -"));
    QVERIFY(next.value(6).endsWith(u"  storico incompleto"));
    QVERIFY(!next.value(7).contains(u"storico"));
  }
};

QTEST_GUILESS_MAIN(TestClimateReport)
#include "tst_climatereport.moc"
