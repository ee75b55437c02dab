// Rules of the precipitation sheets: exact totals, highlighting, report texts.

#include <QtTest>

#include "common/textfile.h"
#include "sheets/rainreport.h"

namespace {

using DayMap = QMap<int, QString>;  // index from 1 -> text; every other cell "0"

QStringList cells(int count, const DayMap& values) {
  QStringList texts;
  for (int i = 1; i <= count; ++i) texts.append(values.value(i, QStringLiteral("0")));
  return texts;
}

const QString kMax = QStringLiteral("922337203685477,5807");
const QString kMin = QStringLiteral("-922337203685477,5808");

}  // namespace

class tst_rainreport : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

  void monthTotals_data();
  void monthTotals();
  void isRainyDay_data();
  void isRainyDay();
  void yearFigures_data();
  void yearFigures();
  void isWetMonth_data();
  void isWetMonth();
  void dailyReportExample();
  void dailyReportOddCells();
  void yearReportExample();
};

void tst_rainreport::monthTotals_data() {
  QTest::addColumn<DayMap>("days");
  QTest::addColumn<QStringList>("expected");  // month, first, second, third; empty: failure
  auto ok = [](const char* tag, const DayMap& days, const char* m, const char* a, const char* b,
               const char* c) {
    QTest::newRow(tag) << days
                       << QStringList{QString::fromUtf8(m), QString::fromUtf8(a),
                                      QString::fromUtf8(b), QString::fromUtf8(c)};
  };
  auto bad = [](const char* tag, const DayMap& days) {
    QTest::newRow(tag) << days << QStringList();
  };
  ok("all zero", {}, "0,00 mm", "0,00 mm", "0,00 mm", "0,00 mm");
  ok("only day 20", {{20, "5"}}, "5,00 mm", "0,00 mm", "5,00 mm", "0,00 mm");
  ok("day 10 and day 11 split", {{10, "1"}, {11, "2"}}, "3,00 mm", "1,00 mm", "2,00 mm", "0,00 mm");
  ok("day 31 in the third decade", {{31, "2,5"}}, "2,50 mm", "0,00 mm", "0,00 mm", "2,50 mm");
  ok("day 21 in the third decade", {{21, "0,25"}}, "0,25 mm", "0,00 mm", "0,00 mm", "0,25 mm");
  ok("typed comma", {{1, "12,4"}}, "12,40 mm", "12,40 mm", "0,00 mm", "0,00 mm");
  ok("period reads as grouping", {{1, "1.5"}}, "15,00 mm", "15,00 mm", "0,00 mm", "0,00 mm");
  ok("grouped total", {{1, "1000"}, {2, "234,5"}}, "1.234,50 mm", "1.234,50 mm", "0,00 mm",
     "0,00 mm");
  ok("millions", {{15, "1234567,891"}}, "1.234.567,89 mm", "0,00 mm", "1.234.567,89 mm", "0,00 mm");
  // Rounded to ten-thousandths on reading: 0,00499 becomes 0,0050, which
  // shows as 0,01; taken as it is it would show 0,00.
  ok("rounded on reading", {{1, "0,00499"}}, "0,01 mm", "0,01 mm", "0,00 mm", "0,00 mm");
  ok("ten-thousandths below a hundredth", {{1, "0,00004"}, {2, "0,00004"}}, "0,00 mm", "0,00 mm",
     "0,00 mm", "0,00 mm");
  // Sums are exact: thirty-one tenths are 3,10 and the halves of a
  // hundredth add up before the pattern rounds.
  DayMap tenths;
  for (int d = 1; d <= 31; ++d) tenths[d] = QStringLiteral("0,1");
  ok("tenths every day", tenths, "3,10 mm", "1,00 mm", "1,00 mm", "1,10 mm");
  ok("half hundredths", {{1, "0,005"}, {2, "0,005"}, {3, "0,005"}}, "0,02 mm", "0,02 mm", "0,00 mm",
     "0,00 mm");
  ok("negative day", {{1, "-2"}, {12, "5"}}, "3,00 mm", "-2,00 mm", "5,00 mm", "0,00 mm");
  ok("blanks around", {{3, " 4 "}}, "4,00 mm", "4,00 mm", "0,00 mm", "0,00 mm");
  ok("largest value", {{1, kMax}}, "922.337.203.685.477,58 mm", "922.337.203.685.477,58 mm",
     "0,00 mm", "0,00 mm");
  ok("extremes cancel", {{1, kMax}, {31, "-" + kMax}}, "0,00 mm", "922.337.203.685.477,58 mm",
     "0,00 mm", "-922.337.203.685.477,58 mm");
  bad("empty cell", {{5, ""}});
  bad("letters", {{7, "abc"}});
  bad("unit typed", {{7, "3 mm"}});
  bad("two commas", {{7, "1,2,3"}});
  bad("beyond the range", {{1, "922337203685477,5808"}});
  bad("huge exponent", {{1, "1e400"}});
  bad("month sum overflows", {{1, kMax}, {2, "0,0001"}});
  bad("decade overflows", {{21, kMax}, {31, kMax}});
  bad("below the range", {{1, kMin}, {2, "-0,0001"}});
  bad("last day bad", {{31, "x"}});
}

void tst_rainreport::monthTotals() {
  QFETCH(DayMap, days);
  QFETCH(QStringList, expected);
  const auto totals = rainreport::monthTotals(cells(31, days));
  QCOMPARE(totals.has_value(), !expected.isEmpty());
  if (!totals) return;
  QCOMPARE(rainreport::millimetres(totals->month), expected.at(0));
  QCOMPARE(rainreport::millimetres(totals->first), expected.at(1));
  QCOMPARE(rainreport::millimetres(totals->second), expected.at(2));
  QCOMPARE(rainreport::millimetres(totals->third), expected.at(3));
}

void tst_rainreport::isRainyDay_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("rainy");
  QTest::newRow("empty") << "" << false;
  QTest::newRow("zero") << "0" << false;
  QTest::newRow("zero decimals") << "0,0" << false;
  QTest::newRow("double zero") << "00" << false;
  QTest::newRow("negative zero") << "-0" << false;
  QTest::newRow("caption zero") << "0." << false;
  QTest::newRow("rain") << "0,5" << true;
  QTest::newRow("grouped") << "1.5" << true;
  QTest::newRow("negative") << "-1" << true;
  QTest::newRow("letters") << "abc" << true;
  QTest::newRow("blanks only") << "  " << true;
  QTest::newRow("tiny") << "0,00001" << true;
}

void tst_rainreport::isRainyDay() {
  QFETCH(QString, text);
  QFETCH(bool, rainy);
  QCOMPARE(rainreport::isRainyDay(text), rainy);
}

void tst_rainreport::yearFigures_data() {
  QTest::addColumn<DayMap>("months");         // 1 = January ... 12 = December
  QTest::addColumn<QStringList>("expected");  // total, mean, first, second
  auto ok = [](const char* tag, const DayMap& months, const char* t, const char* m, const char* a,
               const char* b) {
    QTest::newRow(tag) << months
                       << QStringList{QString::fromUtf8(t), QString::fromUtf8(m),
                                      QString::fromUtf8(a), QString::fromUtf8(b)};
  };
  auto bad = [](const char* tag, const DayMap& months) {
    QTest::newRow(tag) << months << QStringList();
  };
  ok("all zero", {}, "0,00 mm", "0,00 mm", "0,00", "0,00");
  ok("only January", {{1, "120"}}, "120,00 mm", "10,00 mm", "120,00", "0,00");
  ok("January and a half", {{1, "120,5"}}, "120,50 mm", "10,04 mm", "120,50", "0,00");
  ok("June and July", {{6, "30"}, {7, "60"}}, "90,00 mm", "7,50 mm", "30,00", "60,00");
  ok("December in the second half", {{12, "24"}}, "24,00 mm", "2,00 mm", "0,00", "24,00");
  ok("half a year still over twelve",
     {{1, "100"}, {2, "100"}, {3, "100"}, {4, "100"}, {5, "100"}, {6, "100"}}, "600,00 mm",
     "50,00 mm", "600,00", "0,00");
  ok("grouped year", {{3, "1.000"}, {10, "234,5"}}, "1.234,50 mm", "102,88 mm", "1.000,00",
     "234,50");
  ok("mean rounds half away", {{1, "0,3"}}, "0,30 mm", "0,03 mm", "0,30", "0,00");
  bad("empty December", {{12, ""}});
  bad("letters in March", {{3, "molta"}});
  bad("total overflows", {{1, kMax}, {12, "1"}});
  bad("second half overflows", {{1, kMin}, {7, kMax}, {8, kMax}});
}

void tst_rainreport::yearFigures() {
  QFETCH(DayMap, months);
  QFETCH(QStringList, expected);
  const auto figures = rainreport::yearFigures(cells(12, months));
  QCOMPARE(figures.has_value(), !expected.isEmpty());
  if (!figures) return;
  QCOMPARE(rainreport::millimetres(figures->total), expected.at(0));
  QCOMPARE(num::formatPattern(figures->mean) + QStringLiteral(" mm"), expected.at(1));
  QCOMPARE(num::formatPattern(figures->firstHalf), expected.at(2));
  QCOMPARE(num::formatPattern(figures->secondHalf), expected.at(3));
}

void tst_rainreport::isWetMonth_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("wet");
  QTest::newRow("empty") << "" << false;
  QTest::newRow("zero") << "0" << false;
  QTest::newRow("exactly 199") << "199" << false;
  QTest::newRow("199 and a hundredth") << "199,01" << true;
  QTest::newRow("199 and a half") << "199,5" << true;
  QTest::newRow("250") << "250" << true;
  QTest::newRow("1000 reads above") << "1000" << true;
  QTest::newRow("grouped 1.99 is 199") << "1.99" << false;
  QTest::newRow("letters sort after") << "abc" << true;
  QTest::newRow("text starting with 2") << "2x" << true;
  QTest::newRow("text starting with 1") << "10x" << false;
  QTest::newRow("minus text") << "-x" << false;
  QTest::newRow("negative") << "-500" << false;
}

void tst_rainreport::isWetMonth() {
  QFETCH(QString, text);
  QFETCH(bool, wet);
  QCOMPARE(rainreport::isWetMonth(text), wet);
}

void tst_rainreport::dailyReportExample() {
  rainreport::DailyReport r;
  r.station = QStringLiteral("Monte");
  r.month = 3;
  r.year = 2026;
  r.days = cells(31, {{1, "3,5"}});
  r.total = QStringLiteral("3,50 mm");
  r.first = QStringLiteral("3,50 mm");
  r.second = QStringLiteral("0,00 mm");
  r.third = QStringLiteral("0,00 mm");
  QByteArray expected =
      "Stazione meteorologica Monte - Pioggia giornaliera mese: 3/2026\r\n\r\n"
      "1\xB0 giorno: 3,5 mm\r\n\r\n";
  for (int d = 2; d <= 31; ++d) expected += QByteArray::number(d) + "\xB0 giorno: 0 mm\r\n\r\n";
  expected +=
      "Totale mensile: 3,50 mm\r\n\r\n"
      "Totale prima decade: 3,50 mm\r\n\r\n"
      "Totale seconda decade: 0,00 mm\r\n\r\n"
      "Totale terza decade: 0,00 mm\r\n\r\n"
      "Riepilogo creato con Nubilario 3.0 Pro";
  QCOMPARE(textfile::encode(rainreport::dailyReport(r)), expected);
}

void tst_rainreport::dailyReportOddCells() {
  rainreport::DailyReport r;
  r.station = QStringLiteral("Passo Già");
  r.month = 12;
  r.year = 1999;
  r.days = cells(31, {{2, ""}, {3, "molta"}, {4, "1.5"}});
  r.total = r.first = r.second = r.third = QStringLiteral("0.");
  const QStringList lines = rainreport::dailyReport(r).split(QStringLiteral("\r\n"));
  QCOMPARE(lines.size(), 37 * 2 - 1);
  QCOMPARE(lines.at(0), QStringLiteral("Stazione meteorologica Passo Già - Pioggia giornaliera "
                                       "mese: 12/1999"));
  QCOMPARE(lines.at(4), QStringLiteral("2° giorno:  mm"));
  QCOMPARE(lines.at(6), QStringLiteral("3° giorno: molta mm"));
  QCOMPARE(lines.at(8), QStringLiteral("4° giorno: 1.5 mm"));
  QCOMPARE(lines.at(62), QStringLiteral("31° giorno: 0 mm"));
  QCOMPARE(lines.at(64), QStringLiteral("Totale mensile: 0."));
  for (int i = 1; i < lines.size(); i += 2)
    QVERIFY2(lines.at(i).isEmpty(), qPrintable(lines.at(i)));
}

void tst_rainreport::yearReportExample() {
  rainreport::YearReport r;
  r.station = QStringLiteral("Monte");
  r.year = 2026;
  r.months = cells(12, {{1, "120,5"}, {3, "a.b"}, {12, "7"}});
  r.total = QStringLiteral("127,50 mm");
  r.firstHalf = QStringLiteral("120,50");
  r.secondHalf = QStringLiteral("7,00");
  r.mean = QStringLiteral("10,63 mm");
  const QByteArray expected =
      "Stazione meteorologica Monte - Precipitazioni anno 2026\r\n\r\n"
      "Gennaio: 120,5 mm\r\n\r\n"
      "Febbraio: 0 mm\r\n\r\n"
      "Marzo: a.b mm\r\n\r\n"
      "Aprile: 0 mm\r\n\r\n"
      "Maggio: 0 mm\r\n\r\n"
      "Giugno: 0 mm\r\n\r\n"
      "Luglio: 0 mm\r\n\r\n"
      "Agosto: 0 mm\r\n\r\n"
      "Settembre: 0 mm\r\n\r\n"
      "Ottobre: 0 mm\r\n\r\n"
      "Novembre: 0 mm\r\n\r\n"
      "Dicembre: 7 mm\r\n\r\n"
      "Totale annuale: 127,50 mm\r\n\r\n"
      "Totale primo semestre: 120,50 mm\r\n\r\n"
      "Totale secondo semestre: 7,00 mm\r\n\r\n"
      "Media mensile: 10,63 mm\r\n\r\n"
      "Riepilogo creato con Nubilario 3.0 Pro";
  QCOMPARE(textfile::encode(rainreport::yearReport(r)), expected);
}

QTEST_GUILESS_MAIN(tst_rainreport)
#include "tst_rainreport.moc"
