// The monthly summary text: exact characters for known inputs.

#include <QtTest>

#include "rules/summarytext.h"

namespace {

// A text written here with plain newlines, as the summary has them in CR LF.
QString crlf(QString text) { return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n")); }

// Every figure distinct, so a field in the wrong line cannot go unnoticed.
QStringList allFilled() {
  return {QStringLiteral("-1,2"), QStringLiteral("10,5"),       QStringLiteral("-2,0"),
          QStringLiteral("9,1"),  QStringLiteral("-1,1"),       QStringLiteral("11,2"),
          QStringLiteral("-0,5"), QStringLiteral("12,3"),       QStringLiteral("-6,4"),
          QStringLiteral("16,8"), QStringLiteral("84,6"),       QStringLiteral("7"),
          QStringLiteral("31,2"), QStringLiteral("14/12/2026"), QStringLiteral("1.012,4"),
          QStringLiteral("9"),    QStringLiteral("12"),         QStringLiteral("10")};
}

}  // namespace

class tst_summarytext : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void compose_data();
  void compose();
  void heading_data();
  void heading();
  void endsWithoutLineBreak();
  void figuresAsTyped();
};

void tst_summarytext::compose_data() {
  QTest::addColumn<int>("month");
  QTest::addColumn<int>("year");
  QTest::addColumn<QStringList>("fields");
  QTest::addColumn<QString>("expected");

  QStringList onlyMean(summary::kFieldCount);
  onlyMean[0] = QStringLiteral("2,4");
  QTest::newRow("one figure, december")
      << 12 << 2026 << onlyMean
      << crlf(QStringLiteral("Riepilogo mensile del 12/2026\n"
                             "\n"
                             "TEMPERATURE\n"
                             "\n"
                             "Temperatura media minima: 2,4 °C\n"
                             "Temperatura media massima:  °C\n"
                             "Temperatura media minima 1° decade:  °C\n"
                             "Temperatura media minima 2° decade:  °C\n"
                             "Temperatura media minima 3° decade:  °C\n"
                             "Temperatura media massima 1° decade:  °C\n"
                             "Temperatura media massima 2° decade:  °C\n"
                             "Temperatura media massima 3° decade:  °C\n"
                             "Temperatura minima mensile:  °C\n"
                             "Temperatura massima mensile:  °C\n"
                             "\n"
                             "STATO DEL CIELO\n"
                             "\n"
                             "Giorni con cielo SERENO: \n"
                             "Giorni con cielo NUVOLOSO: \n"
                             "Giorni con cielo COPERTO: \n"
                             "\n"
                             "PRECIPITAZIONI\n"
                             "\n"
                             "Totale precipitativo mensile:  mm\n"
                             "N° di eventi: \n"
                             "Accumulo maggiore mensile:  mm il \n"
                             "Totale precipitativo annuo attuale:  mm\n"
                             "----Riepilogo creato con Nubilario 3.0 Pro----"));

  QTest::newRow("all filled") << 1 << 2027 << allFilled()
                              << crlf(QStringLiteral(
                                     "Riepilogo mensile del 1/2027\n"
                                     "\n"
                                     "TEMPERATURE\n"
                                     "\n"
                                     "Temperatura media minima: -1,2 °C\n"
                                     "Temperatura media massima: 10,5 °C\n"
                                     "Temperatura media minima 1° decade: -2,0 °C\n"
                                     "Temperatura media minima 2° decade: -1,1 °C\n"
                                     "Temperatura media minima 3° decade: -0,5 °C\n"
                                     "Temperatura media massima 1° decade: 9,1 °C\n"
                                     "Temperatura media massima 2° decade: 11,2 °C\n"
                                     "Temperatura media massima 3° decade: 12,3 °C\n"
                                     "Temperatura minima mensile: -6,4 °C\n"
                                     "Temperatura massima mensile: 16,8 °C\n"
                                     "\n"
                                     "STATO DEL CIELO\n"
                                     "\n"
                                     "Giorni con cielo SERENO: 9\n"
                                     "Giorni con cielo NUVOLOSO: 12\n"
                                     "Giorni con cielo COPERTO: 10\n"
                                     "\n"
                                     "PRECIPITAZIONI\n"
                                     "\n"
                                     "Totale precipitativo mensile: 84,6 mm\n"
                                     "N° di eventi: 7\n"
                                     "Accumulo maggiore mensile: 31,2 mm il 14/12/2026\n"
                                     "Totale precipitativo annuo attuale: 1.012,4 mm\n"
                                     "----Riepilogo creato con Nubilario 3.0 Pro----"));
}

void tst_summarytext::compose() {
  QFETCH(int, month);
  QFETCH(int, year);
  QFETCH(QStringList, fields);
  QFETCH(QString, expected);
  QCOMPARE(summary::composeText(month, year, fields), expected);
}

void tst_summarytext::heading_data() {
  QTest::addColumn<int>("month");
  QTest::addColumn<int>("year");
  QTest::addColumn<QString>("firstLine");
  QTest::newRow("march") << 3 << 2026 << QStringLiteral("Riepilogo mensile del 3/2026");
  QTest::newRow("september") << 9 << 2025 << QStringLiteral("Riepilogo mensile del 9/2025");
  QTest::newRow("october") << 10 << 2026 << QStringLiteral("Riepilogo mensile del 10/2026");
  QTest::newRow("december") << 12 << 1999 << QStringLiteral("Riepilogo mensile del 12/1999");
}

void tst_summarytext::heading() {
  QFETCH(int, month);
  QFETCH(int, year);
  QFETCH(QString, firstLine);
  const QString text = summary::composeText(month, year, QStringList(summary::kFieldCount));
  QVERIFY(text.startsWith(firstLine + QStringLiteral("\r\n\r\nTEMPERATURE\r\n")));
}

void tst_summarytext::endsWithoutLineBreak() {
  const QString text = summary::composeText(6, 2026, {});
  QVERIFY(
      text.endsWith(QStringLiteral("Totale precipitativo annuo attuale:  mm\r\n----Riepilogo "
                                   "creato con Nubilario 3.0 Pro----")));
  // No bare line feed anywhere: every line ends in CR LF.
  QCOMPARE(text.count(QLatin1Char('\n')), text.count(QStringLiteral("\r\n")));
  QCOMPARE(text.count(QStringLiteral("\r\n")), 27);
}

void tst_summarytext::figuresAsTyped() {
  // Blanks, letters and periods stay; nothing is read as a number.
  QStringList odd(summary::kFieldCount);
  odd[9] = QStringLiteral(" 30 circa ");
  odd[13] = QStringLiteral("3.1.2026");
  const QString text = summary::composeText(5, 2026, odd);
  QVERIFY(text.contains(QStringLiteral("\r\nTemperatura massima mensile:  30 circa  °C\r\n")));
  QVERIFY(text.contains(QStringLiteral("\r\nAccumulo maggiore mensile:  mm il 3.1.2026\r\n")));
}

QTEST_APPLESS_MAIN(tst_summarytext)
#include "tst_summarytext.moc"
