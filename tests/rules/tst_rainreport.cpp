// Rules of the precipitation sheets: exact totals, highlighting, report text.

#include <QtTest>

#include "files.h"
#include "rules/rainreport.h"
#include "rules/textfile.h"

namespace {

using Cells = QMap<int, QString>;  // 1-based index -> text; every other cell "0"

QStringList cells(int count, const Cells& values) {
  QStringList texts;
  for (int i = 1; i <= count; ++i) texts.append(values.value(i, QStringLiteral("0")));
  return texts;
}

const QString kMax = QStringLiteral("922337203685477,5807");

}  // namespace

class tst_rainreport : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void initTestCase() { pinItalianLocale(); }
  void monthTotals_data();
  void monthTotals();
  void yearFigures_data();
  void yearFigures();
  void highlight_data();
  void highlight();
  void dailyReport();
};

void tst_rainreport::monthTotals_data() {
  QTest::addColumn<Cells>("days");
  QTest::addColumn<QString>("expected");  // month, first, second, third; empty: failure
  QTest::newRow("all zero") << Cells{} << "0,00 mm|0,00 mm|0,00 mm|0,00 mm";
  QTest::newRow("day 10, 11, 31") << Cells{{10, "1"}, {11, "2"}, {31, "2,5"}}
                                  << "5,50 mm|1,00 mm|2,00 mm|2,50 mm";
  QTest::newRow("period reads as grouping")
      << Cells{{1, "1.5"}} << "15,00 mm|15,00 mm|0,00 mm|0,00 mm";
  QTest::newRow("grouped total") << Cells{{1, "1000"}, {25, "234,5"}}
                                 << "1.234,50 mm|1.000,00 mm|0,00 mm|234,50 mm";
  // Read to the nearest ten-thousandth: 0,00499 is 0,0050 and shows 0,01.
  QTest::newRow("rounded on reading") << Cells{{1, "0,00499"}} << "0,01 mm|0,01 mm|0,00 mm|0,00 mm";
  QTest::newRow("halves add before rounding")
      << Cells{{1, "0,005"}, {2, "0,005"}, {3, "0,005"}} << "0,02 mm|0,02 mm|0,00 mm|0,00 mm";
  QTest::newRow("negative, blanks")
      << Cells{{1, "-2"}, {12, " 5 "}} << "3,00 mm|-2,00 mm|5,00 mm|0,00 mm";
  QTest::newRow("largest value")
      << Cells{{1, kMax}} << "922.337.203.685.477,58 mm|922.337.203.685.477,58 mm|0,00 mm|0,00 mm";
  QTest::newRow("empty cell") << Cells{{5, ""}} << "";
  QTest::newRow("letters on the last day") << Cells{{31, "abc"}} << "";
  QTest::newRow("unit typed") << Cells{{7, "3 mm"}} << "";
  QTest::newRow("beyond the range") << Cells{{1, "922337203685477,5808"}} << "";
  QTest::newRow("sum overflows") << Cells{{1, kMax}, {2, "0,0001"}} << "";
  QTest::newRow("decade overflows") << Cells{{21, kMax}, {31, kMax}} << "";
}

void tst_rainreport::monthTotals() {
  QFETCH(Cells, days);
  QFETCH(QString, expected);
  const auto t = rainreport::monthTotals(cells(31, days));
  QCOMPARE(t.has_value(), !expected.isEmpty());
  if (t)
    QCOMPARE(QStringList({rainreport::millimetres(t->month), rainreport::millimetres(t->first),
                          rainreport::millimetres(t->second), rainreport::millimetres(t->third)})
                 .join(u'|'),
             expected);
}

void tst_rainreport::yearFigures_data() {
  QTest::addColumn<Cells>("months");      // 1 = January ... 12 = December
  QTest::addColumn<QString>("expected");  // total, mean, first half, second half
  QTest::newRow("only January") << Cells{{1, "120"}} << "120,00 mm|10,00 mm|120,00|0,00";
  QTest::newRow("January and a half") << Cells{{1, "120,5"}} << "120,50 mm|10,04 mm|120,50|0,00";
  QTest::newRow("June, July, December")
      << Cells{{6, "30"}, {7, "60"}, {12, "6"}} << "96,00 mm|8,00 mm|30,00|66,00";
  QTest::newRow("grouped") << Cells{{3, "1.000"}, {10, "234,5"}}
                           << "1.234,50 mm|102,88 mm|1.000,00|234,50";
  QTest::newRow("mean rounds half away") << Cells{{1, "0,3"}} << "0,30 mm|0,03 mm|0,30|0,00";
  QTest::newRow("empty December") << Cells{{12, ""}} << "";
  QTest::newRow("letters") << Cells{{3, "molta"}} << "";
  QTest::newRow("second half overflows") << Cells{{1, "-" + kMax}, {7, kMax}, {8, kMax}} << "";
}

void tst_rainreport::yearFigures() {
  QFETCH(Cells, months);
  QFETCH(QString, expected);
  const auto f = rainreport::yearFigures(cells(12, months));
  QCOMPARE(f.has_value(), !expected.isEmpty());
  if (f)
    QCOMPARE(QStringList({rainreport::millimetres(f->total),
                          num::formatPattern(f->mean) + QStringLiteral(" mm"),
                          num::formatPattern(f->firstHalf), num::formatPattern(f->secondHalf)})
                 .join(u'|'),
             expected);
}

void tst_rainreport::highlight_data() {
  QTest::addColumn<bool>("daily");  // daily rule, else the yearly one
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("lit");
  const std::tuple<const char*, bool, const char*, bool> rows[] = {
      {"day empty", true, "", false},
      {"day zero", true, "0", false},
      {"day 0,0", true, "0,0", false},
      {"day 00", true, "00", false},
      {"day caption 0.", true, "0.", false},
      {"day rain", true, "0,5", true},
      {"day letters", true, "abc", true},
      {"day blanks", true, "  ", true},
      {"month 199", false, "199", false},
      {"month 199,01", false, "199,01", true},
      {"month 1.99 is 199", false, "1.99", false},
      {"month empty", false, "", false},
      {"month letters", false, "abc", true},
      {"month 2x sorts after", false, "2x", true},
      {"month 10x sorts before", false, "10x", false},
      {"month -500", false, "-500", false},
  };
  for (const auto& [tag, daily, text, lit] : rows)
    QTest::newRow(tag) << daily << QString::fromUtf8(text) << lit;
}

void tst_rainreport::highlight() {
  QFETCH(bool, daily);
  QFETCH(QString, text);
  QFETCH(bool, lit);
  QCOMPARE(daily ? rainreport::isRainyDay(text) : rainreport::isWetMonth(text), lit);
}

void tst_rainreport::dailyReport() {
  rainreport::DailyReport r;
  r.station = QStringLiteral("Monte");
  r.month = 3;
  r.year = 2026;
  r.days = cells(31, {{1, "3,5"}, {2, ""}, {3, "x.y"}});
  r.total = r.first = QStringLiteral("3,50 mm");
  r.second = r.third = QStringLiteral("0,00 mm");
  QByteArray expected =
      "Stazione meteorologica Monte - Pioggia giornaliera mese: 3/2026\r\n\r\n"
      "1\xB0 giorno: 3,5 mm\r\n\r\n2\xB0 giorno:  mm\r\n\r\n3\xB0 giorno: x.y mm\r\n\r\n";
  for (int d = 4; d <= 31; ++d) expected += QByteArray::number(d) + "\xB0 giorno: 0 mm\r\n\r\n";
  expected +=
      "Totale mensile: 3,50 mm\r\n\r\nTotale prima decade: 3,50 mm\r\n\r\n"
      "Totale seconda decade: 0,00 mm\r\n\r\nTotale terza decade: 0,00 mm\r\n\r\n"
      "Riepilogo creato con Nubilario 3.0 Pro";
  QCOMPARE(textfile::encode(rainreport::dailyReport(r)), expected);
}

QTEST_GUILESS_MAIN(tst_rainreport)
#include "tst_rainreport.moc"
