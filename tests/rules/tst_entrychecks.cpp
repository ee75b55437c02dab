// Checks at entry: which values are pointed out, and why.

#include <QtTest>

#include "files.h"
#include "rules/entrychecks.h"

class tst_entrychecks : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { pinItalianLocale(); }

  // One field or pair: the reasons given, joined by "|".
  void single_data() {
    QTest::addColumn<QString>("check");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("reasons");
    const QString range =
        QStringLiteral("Temperatura fuori dall'intervallo plausibile (da -60 a +60 °C)");
    QTest::newRow("t inside") << "t"
                              << "-60"
                              << ""
                              << "";
    QTest::newRow("t top edge") << "t"
                                << "60,0"
                                << ""
                                << "";
    QTest::newRow("t above") << "t"
                             << "60,1"
                             << "" << range;
    QTest::newRow("t below") << "t"
                             << "-60,01"
                             << "" << range;
    QTest::newRow("t not a number") << "t"
                                    << "abc"
                                    << ""
                                    << "";
    QTest::newRow("t empty") << "t"
                             << ""
                             << ""
                             << "";
    QTest::newRow("pair ok") << "pair"
                             << "3"
                             << "3"
                             << "";
    QTest::newRow("pair min above") << "pair"
                                    << "5,5"
                                    << "3"
                                    << "La minima (5,50 °C) supera la massima (3,00 °C)";
    QTest::newRow("pair one empty") << "pair"
                                    << "5"
                                    << ""
                                    << "";
    QTest::newRow("rain zero") << "rain"
                               << "0"
                               << ""
                               << "";
    QTest::newRow("rain 500") << "rain"
                              << "500"
                              << ""
                              << "";
    QTest::newRow("rain above") << "rain"
                                << "500,0001"
                                << ""
                                << "Precipitazione oltre 500 mm in un giorno";
    QTest::newRow("rain negative") << "rain"
                                   << "-0,1"
                                   << ""
                                   << "Precipitazione negativa";
    QTest::newRow("month 900") << "month"
                               << "900"
                               << ""
                               << "";
    QTest::newRow("month negative") << "month"
                                    << "-1"
                                    << ""
                                    << "Precipitazione negativa";
    QTest::newRow("amount negative") << "amount"
                                     << "-2"
                                     << ""
                                     << "Valore negativo";
    const QString skipped = QStringLiteral("Non è un numero: escluso dai calcoli");
    QTest::newRow("letters as a temperature") << "nan"
                                              << "a"
                                              << "" << skipped;
    QTest::newRow("number as a temperature") << "nan"
                                             << " -1,5 "
                                             << ""
                                             << "";
    QTest::newRow("blanks as a temperature") << "nan"
                                             << "  "
                                             << ""
                                             << "";
    QTest::newRow("letter after rain") << "nan rain"
                                       << "12x"
                                       << "" << skipped;
    QTest::newRow("grouped rain") << "nan rain"
                                  << "1.5"
                                  << ""
                                  << "";
    QTest::newRow("letters in a pair") << "pair, both"
                                       << "a"
                                       << "70"
                                       << "n:" + skipped +
                                              " x:Temperatura fuori "
                                              "dall'intervallo plausibile (da -60 a +60 °C)";
  }
  void single() {
    QFETCH(QString, check);
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, reasons);
    QStringList got;
    if (check == u"t") got = entrychecks::temperature(a);
    if (check == u"pair") got = entrychecks::minimumAboveMaximum(a, b);
    if (check == u"rain") got = entrychecks::dailyRain(a);
    if (check == u"month") got = entrychecks::monthlyRain(a);
    if (check == u"amount") got = entrychecks::amount(a);
    if (check == u"nan") got = entrychecks::notANumber(a, false);
    if (check == u"nan rain") got = entrychecks::notANumber(a, true);
    if (check == u"pair, both") {
      const auto w = entrychecks::temperatures(a, b);
      got = {"n:" + w.minimum.join(u'|') + " x:" + w.maximum.join(u'|')};
    }
    QCOMPARE(got.join(u'|'), reasons);
  }

  // A month: the cells marked ("n3" is the minimum of day 3, "x2" the maximum
  // of day 2), each with the number of its reasons.
  void month_data() {
    QTest::addColumn<QStringList>("minima");
    QTest::addColumn<QStringList>("maxima");
    QTest::addColumn<QString>("marked");
    QTest::newRow("quiet") << QStringList{"1", "2", ""} << QStringList{"8", "9", ""} << "";
    QTest::newRow("jump of the maxima")
        << QStringList{"1", "2"} << QStringList{"8", "28,5"} << "x2:1";
    QTest::newRow("jump of exactly 20") << QStringList{"0", "20"} << QStringList{"", ""} << "";
    QTest::newRow("no jump over a missing day")
        << QStringList{"0", "", "25"} << QStringList{"", "", ""} << "";
    QTest::newRow("inverted day, far and jumping")
        << QStringList{"1", "70"} << QStringList{"5", "3"} << "n2:3 x2:1";
  }
  void month() {
    QFETCH(QStringList, minima);
    QFETCH(QStringList, maxima);
    QFETCH(QString, marked);
    const auto w = entrychecks::dailyTemperatures(minima, maxima);
    QStringList got;
    for (int d = 0; d < w.minima.size(); ++d)
      if (!w.minima[d].isEmpty())
        got << QStringLiteral("n%1:%2").arg(d + 1).arg(w.minima[d].size());
    for (int d = 0; d < w.maxima.size(); ++d)
      if (!w.maxima[d].isEmpty())
        got << QStringLiteral("x%1:%2").arg(d + 1).arg(w.maxima[d].size());
    QCOMPARE(got.join(u' '), marked);
  }
};

QTEST_GUILESS_MAIN(tst_entrychecks)
#include "tst_entrychecks.moc"
