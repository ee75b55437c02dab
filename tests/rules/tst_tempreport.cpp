// The daily temperature figures and report: means over the days that hold a
// number, and the report text compared character for character.

#include <QtTest>

#include "rules/tempreport.h"

namespace {

const QLocale kItalian(QLocale::Italian, QLocale::Italy);

// 31 day texts, the given days set (1-based), the others empty.
QStringList column(const QList<QPair<int, QString>>& set) {
  QStringList c(31);
  for (const auto& [day, text] : set) c[day - 1] = text;
  return c;
}

QString crlf(QString text) { return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n")); }

// The March 2026 example: day 1 with 2 and 9, the rest empty, both means computed.
const char* const kExample =
    "Stazione meteorologica Monte - Temperature mese: 3/2026\n\n"
    "1° Giorno: 2 °C   /   9 °C\n\n"
    "2° Giorno:   °C    /     °C\n\n"
    "3° Giorno:   °C    /     °C\n\n"
    "4° Giorno:   °C    /     °C\n\n"
    "5° Giorno:   °C    /     °C\n\n"
    "6° Giorno:   °C    /     °C\n\n"
    "7° Giorno:   °C    /     °C\n\n"
    "8° Giorno:   °C    /     °C\n\n"
    "9° Giorno:   °C    /     °C\n\n"
    "10° Giorno:  °C    /     °C\n\n"
    "11° Giorno:  °C    /     °C\n\n"
    "12° Giorno:  °C    /     °C\n\n"
    "13° Giorno:   °C    /     °C\n\n"
    "14° Giorno:   °C    /     °C\n\n"
    "15° Giorno:   °C    /     °C\n\n"
    "16° Giorno:   °C    /     °C\n\n"
    "17° Giorno:  °C    /     °C\n\n"
    "18° Giorno:  °C    /     °C\n\n"
    "19° Giorno:  °C    /     °C\n\n"
    "20° Giorno:   °C    /     °C\n\n"
    "21° Giorno:   °C    /     °C\n\n"
    "22° Giorno:  °C    /     °C\n\n"
    "23° Giorno:  °C    /     °C\n\n"
    "24° Giorno:  °C    /     °C\n\n"
    "25° Giorno:  °C    /     °C\n\n"
    "26° Giorno:  °C    /     °C\n\n"
    "27° Giorno:  °C    /     °C\n\n"
    "28° Giorno:  °C    /     °C\n\n"
    "29° Giorno:  °C    /     °C\n\n"
    "30° Giorno:  °C    /     °C\n\n"
    "31° Giorno:  °C    /     °C\n\n\n"
    "Media valori minimi (°C): 2,00\n\n"
    "Prima decade: 2,00 °C\n"
    "Seconda decade: 0.\n"
    "Terza decade: 0.\n\n"
    "Media valori massimi (°C): 9,00\n\n"
    "Prima decade: 9,00 °C\n"
    "Seconda decade: 0.\n"
    "Terza decade: 0.\n\n"
    "Riepilogo creato con Nubilario 3.0 Pro";

}  // namespace

class tst_tempreport : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { QLocale::setDefault(kItalian); }

  void mean_data();
  void mean();
  void meanCaptions_data();
  void meanCaptions();
  void dayLabels_data();
  void dayLabels();
  void example();
  void fieldsStandAsTyped();
};

void tst_tempreport::mean_data() {
  QTest::addColumn<QStringList>("texts");
  QTest::addColumn<bool>("counted");
  QTest::addColumn<double>("expected");
  QTest::newRow("plain") << QStringList{"2", "4", "6"} << true << 4.0;
  QTest::newRow("decimal comma") << QStringList{"12,5", "13"} << true << 12.75;
  QTest::newRow("negatives") << QStringList{"-3", "-1,5", "0"} << true << -1.5;
  QTest::newRow("empty and letters skipped")
      << QStringList{"", "abc", "5", " ", "7"} << true << 6.0;
  // "1.5" is fifteen on an Italian system (the period groups digits).
  QTest::newRow("period groups") << QStringList{"1.5", "5"} << true << 10.0;
  QTest::newRow("blanks around") << QStringList{" 3 ", "5"} << true << 4.0;
  QTest::newRow("nothing counts") << QStringList{"", "x", "-"} << false << 0.0;
  QTest::newRow("no texts") << QStringList{} << false << 0.0;
  QTest::newRow("sum beyond double range") << QStringList{"1e308", "1e308"} << false << 0.0;
}

void tst_tempreport::mean() {
  QFETCH(QStringList, texts);
  QFETCH(bool, counted);
  QFETCH(double, expected);
  const auto m = tempreport::mean(texts);
  QCOMPARE(m.has_value(), counted);
  if (counted) QCOMPARE(*m, expected);
}

void tst_tempreport::meanCaptions_data() {
  QTest::addColumn<QStringList>("days");
  QTest::addColumn<QStringList>("expected");
  QTest::newRow("days 1 to 3 only: stops at the second decade")
      << column({{1, "2"}, {2, "4"}, {3, "6"}}) << QStringList{"4,00", "4,00 °C"};
  QTest::newRow("every decade")
      << column({{1, "1"}, {10, "3"}, {11, "-2"}, {20, "-4"}, {21, "10"}, {31, "20"}})
      << QStringList{"4,67", "2,00 °C", "-3,00 °C", "15,00 °C"};
  QTest::newRow("day 31 belongs to the third decade")
      << column({{5, "1"}, {15, "2"}, {31, "9"}})
      << QStringList{"4,00", "1,00 °C", "2,00 °C", "9,00 °C"};
  QTest::newRow("first decade empty: only the month")
      << column({{11, "5"}, {25, "7"}}) << QStringList{"6,00"};
  QTest::newRow("nothing typed") << column({}) << QStringList{};
  QTest::newRow("letters only") << column({{1, "ab"}, {12, "x"}}) << QStringList{};
  QTest::newRow("rounding and grouping")
      << column({{1, "1234"}, {2, "1234,01"}, {11, "0,005"}, {21, "-0,004"}})
      << QStringList{"617,00", "1.234,01 °C", "0,01 °C", "0,00 °C"};
  QTest::newRow("thirds")
      << column({{1, "1"}, {2, "1"}, {3, "2"}, {11, "-1"}, {12, "-1"}, {13, "-2"}, {21, "0"}})
      << QStringList{"0,00", "1,33 °C", "-1,33 °C", "0,00 °C"};
}

void tst_tempreport::meanCaptions() {
  QFETCH(QStringList, days);
  QFETCH(QStringList, expected);
  QCOMPARE(tempreport::meanCaptions(days), expected);
}

void tst_tempreport::dayLabels_data() {
  QTest::addColumn<int>("day");
  QTest::addColumn<QString>("label");
  QTest::addColumn<QString>("separator");
  const QString four = QStringLiteral("    /    ");
  QTest::newRow("1") << 1 << "1° Giorno: "
                     << "   /   ";
  QTest::newRow("2") << 2 << "2° Giorno:  " << four;
  QTest::newRow("9") << 9 << "9° Giorno:  " << four;
  QTest::newRow("10") << 10 << "10° Giorno: " << four;
  QTest::newRow("12") << 12 << "12° Giorno: " << four;
  QTest::newRow("13") << 13 << "13° Giorno:  " << four;
  QTest::newRow("16") << 16 << "16° Giorno:  " << four;
  QTest::newRow("17") << 17 << "17° Giorno: " << four;
  QTest::newRow("19") << 19 << "19° Giorno: " << four;
  QTest::newRow("20") << 20 << "20° Giorno:  " << four;
  QTest::newRow("21") << 21 << "21° Giorno:  " << four;
  QTest::newRow("22") << 22 << "22° Giorno: " << four;
  QTest::newRow("31") << 31 << "31° Giorno: " << four;
}

void tst_tempreport::dayLabels() {
  QFETCH(int, day);
  QFETCH(QString, label);
  QFETCH(QString, separator);
  QCOMPARE(tempreport::dayLabel(day), label);
  QCOMPARE(tempreport::separator(day), separator);
}

void tst_tempreport::example() {
  QStringList minima(31), maxima(31);
  minima[0] = QStringLiteral("2");
  maxima[0] = QStringLiteral("9");
  const tempreport::Captions c{"2,00", "2,00 °C", "0.", "0.", "9,00", "9,00 °C", "0.", "0."};
  const QString text = tempreport::compose(QStringLiteral("Monte"), 3, 2026, minima, maxima, c);
  QCOMPARE(text, crlf(QString::fromUtf8(kExample)));
  // CR LF everywhere, never a lone LF.
  QCOMPARE(text.count(QLatin1Char('\n')), text.count(QStringLiteral("\r\n")));
}

void tst_tempreport::fieldsStandAsTyped() {
  // Blanks, negative values and the station name go in untrimmed; the captions
  // are taken as shown, whichever label holds what.
  QStringList minima(31), maxima(31);
  minima[0] = QStringLiteral(" -3");
  maxima[0] = QStringLiteral("12,5 ");
  minima[30] = QStringLiteral("-0,5");
  maxima[30] = QStringLiteral("abc");
  const tempreport::Captions c{"a", "b", "c", "d", "e", "f", "g", "h"};
  const QString text = tempreport::compose(QStringLiteral(" Colle  "), 12, 2025, minima, maxima, c);
  const QStringList lines = text.split(QStringLiteral("\r\n"));
  QCOMPARE(lines.first(),
           QStringLiteral("Stazione meteorologica  Colle   - Temperature mese: 12/2025"));
  QVERIFY(lines.contains(QStringLiteral("1° Giorno:  -3 °C   /   12,5  °C")));
  QVERIFY(lines.contains(QStringLiteral("31° Giorno: -0,5 °C    /    abc °C")));
  const QStringList tail = lines.mid(lines.size() - 14);
  QCOMPARE(tail,
           (QStringList{"", "Media valori minimi (°C): a", "", "Prima decade: b",
                        "Seconda decade: c", "Terza decade: d", "", "Media valori massimi (°C): e",
                        "", "Prima decade: f", "Seconda decade: g", "Terza decade: h", "",
                        "Riepilogo creato con Nubilario 3.0 Pro"}));
  // Fewer texts than days: the missing days are empty.
  const QString shortText =
      tempreport::compose(QStringLiteral("X"), 1, 2024, {QStringLiteral("1")}, {}, c);
  QVERIFY(shortText.contains(QStringLiteral("\r\n31° Giorno:  °C    /     °C\r\n\r\n\r\n")));
  QCOMPARE(shortText.count(QStringLiteral("° Giorno:")), 31);
}

QTEST_APPLESS_MAIN(tst_tempreport)
#include "tst_tempreport.moc"
