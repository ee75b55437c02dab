// The meteorological calculator's computations: exact captions for the worked
// examples and the edges, and the dew point swept over the usual range
// against an evaluation of the same steps with its own decimal rounding.

#include <QtTest>
#include <cmath>
#include <cstdio>
#include <string>

#include "files.h"
#include "rules/meteo.h"

namespace {

// Rounds a double to ten-thousandths, halves to even, from its exact decimal
// expansion (glibc prints every digit asked for; 400 decimals are exact for
// every value above 1e-100, far below the smallest step of the sweep), so that
// the check does not share the binary arithmetic of the program's conversion.
qint64 decimalRound4(double value) {
  static char buffer[800];
  std::snprintf(buffer, sizeof buffer, "%.400f", value);
  std::string text(buffer);
  const bool negative = text.front() == '-';
  if (negative) text.erase(0, 1);
  const auto point = text.find('.');
  const std::string whole = text.substr(0, point);
  const std::string fraction = text.substr(point + 1);
  qint64 units = std::stoll(whole) * 10000 + std::stoll(fraction.substr(0, 4));
  const std::string rest = fraction.substr(4);
  const bool aboveHalf =
      rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos);
  const bool exactlyHalf = rest[0] == '5' && rest.find_first_not_of('0', 1) == std::string::npos;
  if (aboveHalf || (exactlyHalf && units % 2 != 0)) ++units;
  return negative ? -units : units;
}

// The steps as the dew-point tab lists them, each conversion by decimalRound4.
qint64 dewPointByHand(double t, double u) {
  const qint64 x = decimalRound4(1 - 0.01 * u);
  const double xd = double(x) / 10000.0;
  const qint64 c = decimalRound4((0.117 * t + 15.9) * std::pow(xd, 14));
  const qint64 b = decimalRound4(std::pow((0.007 * t + 2.5) * xd, 3));
  const qint64 a = decimalRound4((0.114 * t + 14.55) * xd);
  return decimalRound4(t) - (a + b + c);
}

// "#,##0.00 °C" written by hand: hundredths rounded half away from zero.
QString captionByHand(qint64 units) {
  const bool negative = units < 0;
  qint64 magnitude = negative ? -units : units;
  qint64 hundredths = magnitude / 100 + (magnitude % 100 >= 50 ? 1 : 0);
  QString text =
      QStringLiteral("%1,%2").arg(hundredths / 100).arg(hundredths % 100, 2, 10, QLatin1Char('0'));
  if (negative && hundredths != 0) text.prepend(u'-');
  return text + QStringLiteral(" °C");
}

}  // namespace

class tst_meteo : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { pinItalianLocale(); }

  void dewPointCaption_data() {
    QTest::addColumn<QString>("t");
    QTest::addColumn<QString>("ur");
    QTest::addColumn<QString>("caption");  // empty: "Errore di digitazione!"

    QTest::newRow("worked example") << "20"
                                    << "50"
                                    << "9,28 °C";
    QTest::newRow("saturated air") << "20"
                                   << "100"
                                   << "20,00 °C";
    QTest::newRow("saturated, decimals kept") << "-2,5"
                                              << "100"
                                              << "-2,50 °C";
    QTest::newRow("comma decimals") << "20,5"
                                    << "50" << captionByHand(dewPointByHand(20.5, 50));
    QTest::newRow("blanks around") << " 20 "
                                   << " 50"
                                   << "9,28 °C";
    QTest::newRow("zero caption read") << "0."
                                       << "100"
                                       << "0,00 °C";
    QTest::newRow("freezing dry air") << "-30"
                                      << "1" << captionByHand(dewPointByHand(-30, 1));
    QTest::newRow("humidity over 100") << "20"
                                       << "150" << captionByHand(dewPointByHand(20, 150));
    QTest::newRow("empty temperature") << ""
                                       << "50"
                                       << "";
    QTest::newRow("empty humidity") << "20"
                                    << ""
                                    << "";
    QTest::newRow("blank humidity") << "20"
                                    << "  "
                                    << "";
    QTest::newRow("letters") << "abc"
                             << "50"
                             << "";
    QTest::newRow("percent sign") << "20"
                                  << "50%"
                                  << "";
    QTest::newRow("lone minus") << "-"
                                << "50"
                                << "";
    QTest::newRow("point is not the decimal sign here") << "20"
                                                        << "5,0,0"
                                                        << "";
    QTest::newRow("temperature beyond fixed point") << "1e15"
                                                    << "100"
                                                    << "";
    QTest::newRow("huge temperature") << "9e99"
                                      << "50"
                                      << "";
    QTest::newRow("x to the 14th overflows") << "20"
                                             << "-9e9"
                                             << "";
    QTest::newRow("beyond double range") << "9e999"
                                         << "50"
                                         << "";
  }
  void dewPointCaption() {
    QFETCH(QString, t);
    QFETCH(QString, ur);
    QFETCH(QString, caption);
    const auto result = meteo::dewPointCaption(t, ur);
    if (caption.isEmpty()) {
      QVERIFY2(!result, qPrintable(result.value_or(QString())));
    } else {
      QVERIFY(result);
      QCOMPARE(*result, caption);
    }
  }

  void dewPointSteps() {
    // The worked example's intermediate D = 10.7161 gives exactly 9.2839.
    QCOMPARE(meteo::dewPoint(20, 50), num::Fixed4{92839});
    QCOMPARE(meteo::dewPoint(20, 100), num::Fixed4{200000});
    QVERIFY(!meteo::dewPoint(std::nan(""), 50));
    QVERIFY(!meteo::dewPoint(20, HUGE_VAL));
  }

  void dewPointSweep() {
    int checked = 0;
    for (int tenths = -300; tenths <= 450; ++tenths) {
      const double t = tenths / 10.0;
      for (int u = 1; u <= 100; ++u) {
        const qint64 expected = dewPointByHand(t, u);
        const auto actual = meteo::dewPoint(t, u);
        if (!actual || actual->units != expected)
          QFAIL(qPrintable(QStringLiteral("T=%1 U=%2: %3, expected %4")
                               .arg(t)
                               .arg(u)
                               .arg(actual ? actual->units : -1)
                               .arg(expected)));
        if (tenths % 10 == 0) {
          const QString text = QString::number(tenths / 10);
          QCOMPARE(meteo::dewPointCaption(text, QString::number(u)).value_or(QString()),
                   captionByHand(expected));
        }
        ++checked;
      }
    }
    QCOMPARE(checked, 751 * 100);
  }

  void pressure_data() {
    QTest::addColumn<QString>("h");
    QTest::addColumn<QString>("caption");
    QTest::newRow("sea level") << "0"
                               << " 1013.25 hPa";
    QTest::newRow("1000 m") << "1000"
                            << " 895.297042997079 hPa";
    QTest::newRow("100 m") << "100"
                           << " 1000.787025 hPa";
    QTest::newRow("empty reads 0") << ""
                                   << " 1013.25 hPa";
    QTest::newRow("text reads 0") << "quota"
                                  << " 1013.25 hPa";
    QTest::newRow("comma stops the number") << "1000,7"
                                            << " 895.297042997079 hPa";
    QTest::newRow("trailing text ignored") << "  1000 m"
                                           << " 895.297042997079 hPa";
    QTest::newRow("point decimals") << "100.0"
                                    << " 1000.787025 hPa";
    QTest::newRow("exponent") << "1e3"
                              << " 895.297042997079 hPa";
    QTest::newRow("far below the sea overflows") << "-1e7" << meteo::kOutOfRange;
    QTest::newRow("endless altitude") << "1e999" << meteo::kOutOfRange;
    QTest::newRow("endless depth") << "-1e999" << meteo::kOutOfRange;
  }
  void pressure() {
    QFETCH(QString, h);
    QFETCH(QString, caption);
    QCOMPARE(meteo::pressureCaption(h), caption);
  }

  void cloudBase_data() {
    QTest::addColumn<QString>("ground");
    QTest::addColumn<QString>("dew");
    QTest::addColumn<QString>("metres");
    QTest::addColumn<QString>("feet");
    QTest::newRow("worked example") << "15"
                                    << "10"
                                    << " 625 metri slm"
                                    << " 2062.5 piedi";
    QTest::newRow("dew above temperature") << "10"
                                           << "15"
                                           << "-625 metri slm"
                                           << "-2062.5 piedi";
    QTest::newRow("equal") << "7"
                           << "7"
                           << " 0 metri slm"
                           << " 0 piedi";
    QTest::newRow("empty fields") << ""
                                  << ""
                                  << " 0 metri slm"
                                  << " 0 piedi";
    QTest::newRow("comma reads the whole part") << "12,5"
                                                << "10"
                                                << " 250 metri slm"
                                                << " 825 piedi";
    QTest::newRow("point decimals") << "10.4"
                                    << "10"
                                    << " 50 metri slm"
                                    << " 165 piedi";
    QTest::newRow("feet beyond range") << "1e306"
                                       << "0"
                                       << " 1.25E+308 metri slm" << meteo::kOutOfRange;
    QTest::newRow("metres beyond range") << "1e308"
                                         << "-1e308" << meteo::kOutOfRange << meteo::kOutOfRange;
    QTest::newRow("endless input") << "1e999"
                                   << "0" << meteo::kOutOfRange << meteo::kOutOfRange;
  }
  void cloudBase() {
    QFETCH(QString, ground);
    QFETCH(QString, dew);
    QFETCH(QString, metres);
    QFETCH(QString, feet);
    const auto captions = meteo::cloudBaseCaptions(ground, dew);
    QCOMPARE(captions.metres, metres);
    QCOMPARE(captions.feet, feet);
  }

  void frost_data() {
    QTest::addColumn<QString>("t");
    QTest::addColumn<QString>("td");
    QTest::addColumn<bool>("calm");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("tf");  // empty: the label keeps its text
    QTest::addColumn<QString>("tdf");

    const QString possible = meteo::kFrostPossible;
    const QString unlikely = meteo::kFrostUnlikely;
    QTest::newRow("frost") << "5"
                           << "0" << true << possible << " 41°F"
                           << " 32°F";
    QTest::newRow("windy or cloudy") << "5"
                                     << "0" << false << unlikely << " 41°F"
                                     << " 32°F";
    QTest::newRow("S exactly 79") << "12.22222222222222"
                                  << "10" << true << unlikely << " 54°F"
                                  << " 50°F";
    QTest::newRow("S just below 79") << "12.2222222222222"
                                     << "10" << true << possible << " 54°F"
                                     << " 50°F";
    QTest::newRow("equal values pass") << "0"
                                       << "0" << true << possible << " 32°F"
                                       << " 32°F";
    QTest::newRow("negative Fahrenheit") << "-18"
                                         << "-20" << true << possible << "-.399999999999999°F"
                                         << "-4°F";
    QTest::newRow("warm afternoon") << "25"
                                    << "10" << true << unlikely << " 77°F"
                                    << " 50°F";
    QTest::newRow("dew above temperature") << "2"
                                           << "3" << true << meteo::kFrostWarning << ""
                                           << "";
    QTest::newRow("comma cuts the dew point") << "2"
                                              << "2,9" << true << possible << " 35.6°F"
                                              << " 35.6°F";
    QTest::newRow("empty fields") << ""
                                  << "" << true << possible << " 32°F"
                                  << " 32°F";
    QTest::newRow("beyond range") << "1e308"
                                  << "0" << true << meteo::kFrostOutOfRange << ""
                                  << "";
    QTest::newRow("endless input") << "1e999"
                                   << "1e999" << false << meteo::kFrostOutOfRange << ""
                                   << "";
  }
  void frost() {
    QFETCH(QString, t);
    QFETCH(QString, td);
    QFETCH(bool, calm);
    QFETCH(QString, verdict);
    QFETCH(QString, tf);
    QFETCH(QString, tdf);
    const auto result = meteo::frostVerdict(t, td, calm);
    QCOMPARE(result.verdict, verdict);
    QCOMPARE(result.temperatureF.value_or(QString()), tf);
    QCOMPARE(result.dewPointF.value_or(QString()), tdf);
    QCOMPARE(result.temperatureF.has_value(), !tf.isEmpty());
  }
};

QTEST_GUILESS_MAIN(tst_meteo)
#include "tst_meteo.moc"
