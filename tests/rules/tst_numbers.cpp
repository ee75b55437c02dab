// Number reading and writing rules: exact texts and values at their edges.

#include <QtTest>
#include <cmath>
#include <limits>

#include "rules/numbers.h"

using num::Fixed4;

namespace {

const QLocale kItalian(QLocale::Italian, QLocale::Italy);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr qint64 kMaxUnits = std::numeric_limits<qint64>::max();
constexpr qint64 kMinUnits = std::numeric_limits<qint64>::min();

QLocale localeNamed(const QString& name) {
  if (name == u"it") return kItalian;
  if (name == u"en") return kEnglish;
  return QLocale(name);
}

// Doubles compared bit for bit where it matters (negative zero, exact results).
void compareExactly(double actual, double expected) {
  if (std::isnan(expected)) {
    QVERIFY(std::isnan(actual));
    return;
  }
  QCOMPARE(actual, expected);
  QCOMPARE(std::signbit(actual), std::signbit(expected));
}

}  // namespace

class tst_numbers : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { QLocale::setDefault(kItalian); }

  void localeChoice_data();
  void localeChoice();
  void readLocale_data();
  void readLocale();
  void defaultLocaleIsUsed();
  void readFixed4_data();
  void readFixed4();
  void toFixed4_data();
  void toFixed4();
  void sums_data();
  void sums();
  void fixedToDouble_data();
  void fixedToDouble();
  void dewPointSteps_data();
  void dewPointSteps();
  void patternDouble_data();
  void patternDouble();
  void patternFixed_data();
  void patternFixed();
  void leadingNumber_data();
  void leadingNumber();
  void plainNumberText_data();
  void plainNumberText();
  void calculatorText_data();
  void calculatorText();
  void readCalculatorText_data();
  void readCalculatorText();
  void calculatorRoundTrip();
};

void tst_numbers::localeChoice_data() {
  QTest::addColumn<QLocale>("system");
  QTest::addColumn<QString>("expected");
  QTest::newRow("C") << QLocale::c() << "it_IT";
  QTest::newRow("named C") << QLocale(QStringLiteral("C")) << "it_IT";
  QTest::newRow("English") << kEnglish << "en_US";
  QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << "de_DE";
  QTest::newRow("Italian Swiss") << QLocale(QLocale::Italian, QLocale::Switzerland) << "it_CH";
}

void tst_numbers::localeChoice() {
  QFETCH(QLocale, system);
  QFETCH(QString, expected);
  QCOMPARE(num::localeOrItalian(system).name(), expected);
}

void tst_numbers::readLocale_data() {
  QTest::addColumn<QString>("locale");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("valid");
  QTest::addColumn<double>("value");
  auto ok = [](const char* tag, const char* locale, const QString& text, double value) {
    QTest::newRow(tag) << QString::fromLatin1(locale) << text << true << value;
  };
  auto bad = [](const char* tag, const char* locale, const QString& text) {
    QTest::newRow(tag) << QString::fromLatin1(locale) << text << false << 0.0;
  };
  ok("zero", "it", "0", 0.0);
  ok("leading zeros", "it", "007", 7.0);
  ok("decimal comma", "it", "12,5", 12.5);
  ok("one tenth", "it", "0,1", 0.1);
  ok("blanks around", "it", "  12,5  ", 12.5);
  ok("tabs around", "it", "\t7\t", 7.0);
  ok("minus", "it", "-3,25", -3.25);
  ok("plus", "it", "+3", 3.0);
  ok("negative zero", "it", "-0", -0.0);
  ok("negative zero decimals", "it", "-0,00", -0.0);
  ok("grouped", "it", "1.234,5", 1234.5);
  ok("grouped twice", "it", "1.234.567,89", 1234567.89);
  ok("misplaced group reads fifteen", "it", "1.5", 15.0);
  ok("misplaced groups", "it", "12.34.5", 12345.0);
  ok("trailing group", "it", "0.", 0.0);
  ok("no integer digits", "it", ",5", 0.5);
  ok("no decimals", "it", "12,", 12.0);
  ok("exponent", "it", "1,5e3", 1500.0);
  ok("exponent upper negative", "it", "1E-2", 0.01);
  ok("exponent plus", "it", "2e+2", 200.0);
  ok("grouped exponent", "it", "1.000e3", 1000000.0);
  ok("largest double", "it", "1,7976931348623157e308", std::numeric_limits<double>::max());
  ok("underflow is zero", "it", "1e-400", 0.0);
  ok("negative underflow", "it", "-1e-400", -0.0);
  ok("long zero exponent", "it", "0e99999999999999", 0.0);
  bad("empty", "it", "");
  bad("blanks only", "it", "   ");
  bad("letters", "it", "abc");
  bad("unit after", "it", "2,5 mm");
  bad("letter after", "it", "12a");
  bad("sign only", "it", "-");
  bad("plus only", "it", "+");
  bad("separator only", "it", ",");
  bad("double sign", "it", "--1");
  bad("blank after sign", "it", "- 1");
  bad("two decimal commas", "it", "1,2,3");
  bad("group after comma", "it", "1,5.3");
  bad("two groups in a row", "it", "1..5");
  bad("group before comma", "it", "1.,5");
  bad("leading group", "it", ".5");
  bad("blank is no Italian group", "it", "1 000");
  bad("bare exponent", "it", "1e");
  bad("exponent sign only", "it", "1e+");
  bad("exponent without mantissa", "it", "e5");
  bad("overflow", "it", "1e400");
  bad("negative overflow", "it", "-2e308");
  bad("hexadecimal", "it", "0x10");
  bad("non-ASCII digits", "it", QString::fromUtf8("\u0661\u0662"));
  bad("trailing minus", "it", "5-");
  ok("English grouped", "en", "1,234.5", 1234.5);
  ok("English point", "en", "12.5", 12.5);
  ok("English misplaced group", "en", "12,5", 125.0);
  ok("English trailing group", "en", "0,", 0.0);
  bad("Italian text in English", "en", "1.234,5");
  bad("English two points", "en", "1.2.3");
  ok("French narrow blank group", "fr_FR", QString::fromUtf8("1\u202F234,5"), 1234.5);
  ok("French plain blank group", "fr_FR", "1 234,5", 1234.5);
  ok("French no-break blank group", "fr_FR", QString::fromUtf8("1\u00A0234,5"), 1234.5);
}

void tst_numbers::readLocale() {
  QFETCH(QString, locale);
  QFETCH(QString, text);
  QFETCH(bool, valid);
  QFETCH(double, value);
  const auto result = num::readLocale(text, localeNamed(locale));
  QCOMPARE(result.has_value(), valid);
  QCOMPARE(num::isNumeric(text, localeNamed(locale)), valid);
  if (valid) compareExactly(*result, value);
}

void tst_numbers::defaultLocaleIsUsed() {
  QCOMPARE(num::programLocale().name(), QStringLiteral("it_IT"));
  QCOMPARE(num::readLocale(QStringLiteral("1.234,5")).value_or(-1), 1234.5);
  QCOMPARE(num::formatPattern(1234.5), QStringLiteral("1.234,50"));
  QLocale::setDefault(kEnglish);
  QCOMPARE(num::readLocale(QStringLiteral("1.234,5")).has_value(), false);
  QCOMPARE(num::formatPattern(1234.5), QStringLiteral("1,234.50"));
  QCOMPARE(num::readFixed4(QStringLiteral("1,234.5")).value_or(Fixed4{-1}).units, 12345000);
  // The calculator keeps its comma whatever the locale.
  QCOMPARE(num::calculatorText(12.5), QStringLiteral("12,5"));
  QLocale::setDefault(kItalian);
}

void tst_numbers::readFixed4_data() {
  QTest::addColumn<QString>("locale");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("valid");
  QTest::addColumn<qint64>("units");
  auto ok = [](const char* tag, const char* locale, const QString& text, qint64 units) {
    QTest::newRow(tag) << QString::fromLatin1(locale) << text << true << units;
  };
  auto bad = [](const char* tag, const char* locale, const QString& text) {
    QTest::newRow(tag) << QString::fromLatin1(locale) << text << false << qint64(0);
  };
  ok("zero", "it", "0", 0);
  ok("negative zero", "it", "-0", 0);
  ok("decimal", "it", "12,5", 125000);
  ok("one tenth exactly", "it", "0,1", 1000);
  ok("four decimals", "it", "12,3456", 123456);
  ok("grouped", "it", "1.234,5", 12345000);
  ok("misplaced group reads fifteen", "it", "1.5", 150000);
  ok("blanks", "it", " 3 ", 30000);
  ok("half rounds away", "it", "0,00005", 1);
  ok("below half rounds down", "it", "0,000049999", 0);
  ok("negative half rounds away", "it", "-0,00005", -1);
  ok("odd half rounds away", "it", "0,00015", 2);
  ok("only the fifth decimal decides", "it", "0,123449", 1234);
  ok("half carries", "it", "0,99995", 10000);
  ok("many decimals", "it", "12,3456789", 123457);
  ok("exponent", "it", "1e3", 10000000);
  ok("negative exponent half", "it", "1,5e-4", 2);
  ok("tiny exponent", "it", "1e-999999", 0);
  ok("zero with huge exponent", "it", "0e999999", 0);
  ok("largest", "it", "922.337.203.685.477,5807", kMaxUnits);
  ok("largest after rounding down", "it", "922337203685477,58074", kMaxUnits);
  ok("smallest", "it", "-922337203685477,5808", kMinUnits);
  ok("English", "en", "1,234.5678", 12345678);
  bad("just above largest", "it", "922337203685477,5808");
  bad("rounds above largest", "it", "922337203685477,58075");
  bad("just below smallest", "it", "-922337203685477,5809");
  bad("twenty digits", "it", "99999999999999999999");
  bad("exponent out of range", "it", "1e15");
  bad("empty", "it", "");
  bad("letters", "it", "abc");
  bad("sign only", "it", "-");
  bad("two commas", "it", "1,2,3");
  bad("English text in Italian", "it", "1,234.5");
}

void tst_numbers::readFixed4() {
  QFETCH(QString, locale);
  QFETCH(QString, text);
  QFETCH(bool, valid);
  QFETCH(qint64, units);
  const auto result = num::readFixed4(text, localeNamed(locale));
  QCOMPARE(result.has_value(), valid);
  if (valid) QCOMPARE(result->units, units);
}

void tst_numbers::toFixed4_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<bool>("valid");
  QTest::addColumn<qint64>("units");
  auto ok = [](const char* tag, double value, qint64 units) {
    QTest::newRow(tag) << value << true << units;
  };
  auto bad = [](const char* tag, double value) {
    QTest::newRow(tag) << value << false << qint64(0);
  };
  ok("zero", 0.0, 0);
  ok("negative zero", -0.0, 0);
  ok("half", 0.5, 5000);
  ok("negative", -12.25, -122500);
  // Exact binary halves of a ten-thousandth go to the even neighbour.
  ok("tie to even down", 0.03125, 312);
  ok("tie to even up", 0.09375, 938);
  ok("negative tie to even", -0.03125, -312);
  ok("tie 5/32", 0.15625, 1562);
  // 0.00005 is slightly above a half as a double, 0.00015 slightly below.
  ok("double just above half", 0.00005, 1);
  ok("double just below half", 0.00015, 1);
  ok("8.415 below the half way", 8.415, 84150);
  ok("rounds down", 2.299968, 23000);
  ok("tiny", 1e-300, 0);
  ok("smallest subnormal", std::numeric_limits<double>::denorm_min(), 0);
  ok("large", 9.2e14, 9200000000000000000);
  ok("largest double below limit", 922337203685477.5, 9223372036854775000);
  ok("power of two", 1125899906842624.0 / 2, 5629499534213120000);
  bad("next double above limit", 922337203685477.625);
  bad("negative above limit", -922337203685477.625);
  bad("huge", 1e300);
  bad("infinity", kInf);
  bad("negative infinity", -kInf);
  bad("not a number", std::numeric_limits<double>::quiet_NaN());
}

void tst_numbers::toFixed4() {
  QFETCH(double, value);
  QFETCH(bool, valid);
  QFETCH(qint64, units);
  const auto result = num::toFixed4(value);
  QCOMPARE(result.has_value(), valid);
  if (valid) QCOMPARE(result->units, units);
}

void tst_numbers::sums_data() {
  QTest::addColumn<qint64>("a");
  QTest::addColumn<qint64>("b");
  QTest::addColumn<bool>("sumValid");
  QTest::addColumn<qint64>("sum");
  QTest::addColumn<bool>("differenceValid");
  QTest::addColumn<qint64>("difference");
  QTest::newRow("small") << qint64(1) << qint64(2) << true << qint64(3) << true << qint64(-1);
  QTest::newRow("tenths exact") << qint64(1000) << qint64(2000) << true << qint64(3000) << true
                                << qint64(-1000);
  QTest::newRow("to the top") << kMaxUnits - 1 << qint64(1) << true << kMaxUnits << true
                              << kMaxUnits - 2;
  QTest::newRow("past the top") << kMaxUnits << qint64(1) << false << qint64(0) << true
                                << kMaxUnits - 1;
  QTest::newRow("past the bottom")
      << kMinUnits << qint64(-1) << false << qint64(0) << true << kMinUnits + 1;
  QTest::newRow("bottom minus one")
      << kMinUnits << qint64(1) << true << kMinUnits + 1 << false << qint64(0);
  QTest::newRow("zero minus bottom")
      << qint64(0) << kMinUnits << true << kMinUnits << false << qint64(0);
  QTest::newRow("top minus negative")
      << kMaxUnits << qint64(-1) << true << kMaxUnits - 1 << false << qint64(0);
  QTest::newRow("opposite extremes")
      << kMaxUnits << kMinUnits << true << qint64(-1) << false << qint64(0);
}

void tst_numbers::sums() {
  QFETCH(qint64, a);
  QFETCH(qint64, b);
  QFETCH(bool, sumValid);
  QFETCH(qint64, sum);
  QFETCH(bool, differenceValid);
  QFETCH(qint64, difference);
  const auto s = num::add(Fixed4{a}, Fixed4{b});
  QCOMPARE(s.has_value(), sumValid);
  if (sumValid) QCOMPARE(s->units, sum);
  const auto d = num::subtract(Fixed4{a}, Fixed4{b});
  QCOMPARE(d.has_value(), differenceValid);
  if (differenceValid) QCOMPARE(d->units, difference);
}

void tst_numbers::fixedToDouble_data() {
  QTest::addColumn<qint64>("units");
  QTest::addColumn<double>("value");
  QTest::newRow("zero") << qint64(0) << 0.0;
  QTest::newRow("twelve and a half") << qint64(125000) << 12.5;
  QTest::newRow("one ten-thousandth") << qint64(-1) << -0.0001;
  QTest::newRow("one tenth") << qint64(1000) << 0.1;
  QTest::newRow("annual total") << qint64(1205000) << 120.5;
}

void tst_numbers::fixedToDouble() {
  QFETCH(qint64, units);
  QFETCH(double, value);
  compareExactly(num::toDouble(Fixed4{units}), value);
}

// The dew point's fixed-point steps with the values of the calculator's
// worked example (20 °C, 50 %) and the saturated case (20 °C, 100 %).
void tst_numbers::dewPointSteps_data() {
  QTest::addColumn<QString>("t");
  QTest::addColumn<QString>("u");
  QTest::addColumn<qint64>("x");
  QTest::addColumn<qint64>("a");
  QTest::addColumn<qint64>("b");
  QTest::addColumn<qint64>("c");
  QTest::addColumn<QString>("caption");
  QTest::newRow("20 and 50") << "20"
                             << "50" << qint64(5000) << qint64(84150) << qint64(23000) << qint64(11)
                             << "9,28";
  QTest::newRow("20 and 100") << "20"
                              << "100" << qint64(0) << qint64(0) << qint64(0) << qint64(0)
                              << "20,00";
}

void tst_numbers::dewPointSteps() {
  QFETCH(QString, t);
  QFETCH(QString, u);
  QFETCH(qint64, x);
  QFETCH(qint64, a);
  QFETCH(qint64, b);
  QFETCH(qint64, c);
  QFETCH(QString, caption);
  const double T = num::readLocale(t).value();
  const double U = num::readLocale(u).value();
  const Fixed4 fx = num::toFixed4(1 - 0.01 * U).value();
  QCOMPARE(fx.units, x);
  const double xd = num::toDouble(fx);
  const Fixed4 fc = num::toFixed4((0.117 * T + 15.9) * std::pow(xd, 14)).value();
  const Fixed4 fb = num::toFixed4(std::pow((0.007 * T + 2.5) * xd, 3)).value();
  const Fixed4 fa = num::toFixed4((0.114 * T + 14.55) * xd).value();
  QCOMPARE(fa.units, a);
  QCOMPARE(fb.units, b);
  QCOMPARE(fc.units, c);
  const Fixed4 d = num::add(num::add(fa, fb).value(), fc).value();
  const Fixed4 dew = num::subtract(num::toFixed4(T).value(), d).value();
  QCOMPARE(num::formatPattern(dew), caption);
}

void tst_numbers::patternDouble_data() {
  QTest::addColumn<QString>("locale");
  QTest::addColumn<double>("value");
  QTest::addColumn<QString>("expected");
  auto row = [](const char* tag, const char* locale, double value, const char* expected) {
    QTest::newRow(tag) << QString::fromLatin1(locale) << value << QString::fromUtf8(expected);
  };
  row("zero", "it", 0.0, "0,00");
  row("negative zero", "it", -0.0, "0,00");
  row("negative rounding to zero", "it", -0.004, "0,00");
  row("mean", "it", 3.1, "3,10");
  row("negative mean", "it", -1.25, "-1,25");
  row("thousands", "it", 1234.5, "1.234,50");
  row("hundreds have no group", "it", 999.0, "999,00");
  row("one thousand", "it", 1000.0, "1.000,00");
  row("millions", "it", 1234567.891, "1.234.567,89");
  row("negative millions", "it", -1234567.891, "-1.234.567,89");
  row("half away from zero", "it", 0.125, "0,13");
  row("negative half away", "it", -0.125, "-0,13");
  row("typed half", "it", 2.345, "2,35");
  row("typed half small", "it", 0.005, "0,01");
  row("negative typed half", "it", -0.005, "-0,01");
  row("below half", "it", 2.344999, "2,34");
  row("carry into thousands", "it", 999.995, "1.000,00");
  row("a third", "it", 10.0 / 3, "3,33");
  row("two thirds", "it", 20.0 / 3, "6,67");
  row("annual mean", "it", 120.5 / 12.0, "10,04");
  row("tiny", "it", 1e-20, "0,00");
  row("fifteen digits kept", "it", 1e15, "1.000.000.000.000.000,00");
  row("beyond fifteen digits", "it", 123456789012345678.0, "123.456.789.012.346.000,00");
  row("English", "en", 1234.5, "1,234.50");
  row("English negative", "en", -1234567.891, "-1,234,567.89");
  row("infinity", "it", kInf, "");
  row("not a number", "it", std::numeric_limits<double>::quiet_NaN(), "");
}

void tst_numbers::patternDouble() {
  QFETCH(QString, locale);
  QFETCH(double, value);
  QFETCH(QString, expected);
  QCOMPARE(num::formatPattern(value, localeNamed(locale)), expected);
}

void tst_numbers::patternFixed_data() {
  QTest::addColumn<QString>("locale");
  QTest::addColumn<qint64>("units");
  QTest::addColumn<QString>("expected");
  auto row = [](const char* tag, const char* locale, qint64 units, const char* expected) {
    QTest::newRow(tag) << QString::fromLatin1(locale) << units << QString::fromUtf8(expected);
  };
  row("zero", "it", 0, "0,00");
  row("total", "it", 12345000, "1.234,50");
  row("day", "it", 50000, "5,00");
  row("half a hundredth", "it", 50, "0,01");
  row("below half a hundredth", "it", 49, "0,00");
  row("negative below half", "it", -49, "0,00");
  row("negative half", "it", -50, "-0,01");
  row("just under a hundredth and a half", "it", 149, "0,01");
  row("carry", "it", 9999950, "1.000,00");
  row("dew point", "it", 92839, "9,28");
  row("largest", "it", kMaxUnits, "922.337.203.685.477,58");
  row("smallest", "it", kMinUnits, "-922.337.203.685.477,58");
  row("English", "en", 12345000, "1,234.50");
}

void tst_numbers::patternFixed() {
  QFETCH(QString, locale);
  QFETCH(qint64, units);
  QFETCH(QString, expected);
  QCOMPARE(num::formatPattern(Fixed4{units}, localeNamed(locale)), expected);
}

void tst_numbers::leadingNumber_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<double>("value");
  QTest::newRow("comma is no decimal") << "12,5" << 12.0;
  QTest::newRow("blanks sign exponent tail") << "  -3.5e2xyz" << -350.0;
  QTest::newRow("empty") << "" << 0.0;
  QTest::newRow("letters") << "abc" << 0.0;
  QTest::newRow("point first") << ".5" << 0.5;
  QTest::newRow("minus point") << "-.25" << -0.25;
  QTest::newRow("minus only") << "-" << 0.0;
  QTest::newRow("point only") << "." << 0.0;
  QTest::newRow("bare exponent") << "1e" << 1.0;
  QTest::newRow("exponent sign only") << "1e+" << 1.0;
  QTest::newRow("exponent") << "1e+2" << 100.0;
  QTest::newRow("negative exponent") << "1E-2" << 0.01;
  QTest::newRow("plus") << "+7" << 7.0;
  QTest::newRow("second point ends") << "1.2.3" << 1.2;
  QTest::newRow("trailing point") << "5." << 5.0;
  QTest::newRow("tab and blank") << "\t 42 " << 42.0;
  QTest::newRow("unit after") << "12 mm" << 12.0;
  QTest::newRow("blank inside ends") << "1 000" << 1.0;
  QTest::newRow("exponent then point") << "1e5.5" << 100000.0;
  QTest::newRow("hexadecimal is zero") << "0x1A" << 0.0;
  QTest::newRow("blank after sign") << "- 5" << 0.0;
  QTest::newRow("exponent without mantissa") << "e5" << 0.0;
  QTest::newRow("altitude") << "1000" << 1000.0;
  QTest::newRow("decimals") << "1013.25" << 1013.25;
  QTest::newRow("negative zero") << "-0" << -0.0;
  QTest::newRow("underflow") << "1e-400" << 0.0;
  QTest::newRow("overflow") << "1e400" << kInf;
  QTest::newRow("negative overflow") << "-1e400" << -kInf;
  QTest::newRow("non-ASCII digit") << QString::fromUtf8("\u0661") << 0.0;
}

void tst_numbers::leadingNumber() {
  QFETCH(QString, text);
  QFETCH(double, value);
  compareExactly(num::leadingNumber(text), value);
}

void tst_numbers::plainNumberText_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<QString>("expected");
  QTest::newRow("sea level") << 1013.25 << " 1013.25";
  QTest::newRow("pressure at 1000 m")
      << std::pow(0.9877, 1000.0 / 100) * 1013.25 << " 895.297042997079";
  QTest::newRow("frost -18") << 32 + 9.0 / 5 * -18.0 << "-.399999999999999";
  QTest::newRow("frost -20") << 32 + 9.0 / 5 * -20.0 << "-4";
  QTest::newRow("half") << 0.5 << " .5";
  QTest::newRow("negative quarter") << -0.25 << "-.25";
  QTest::newRow("zero") << 0.0 << " 0";
  QTest::newRow("negative zero") << -0.0 << " 0";
  QTest::newRow("cloud base") << 625.0 << " 625";
  QTest::newRow("cloud base feet") << 625.0 * 3.3 << " 2062.5";
  QTest::newRow("a third") << 1.0 / 3 << " .333333333333333";
  QTest::newRow("two thirds") << 2.0 / 3 << " .666666666666667";
  QTest::newRow("sum of tenths") << 0.1 + 0.2 << " .3";
  QTest::newRow("fifteen digits") << 123456789.123456789 << " 123456789.123457";
  QTest::newRow("ten thousandth") << 0.0001 << " .0001";
  QTest::newRow("hundred thousandth") << 0.00001 << " 1E-05";
  QTest::newRow("largest without exponent") << 999999999999999.0 << " 999999999999999";
  QTest::newRow("rounds into exponent") << 9999999999999999.0 << " 1E+16";
  QTest::newRow("1e15") << 1e15 << " 1E+15";
  QTest::newRow("1e20") << 1e20 << " 1E+20";
  QTest::newRow("1e-20") << 1e-20 << " 1E-20";
  QTest::newRow("negative exponent form") << -1.5e20 << "-1.5E+20";
  QTest::newRow("three-digit exponent") << 1e100 << " 1E+100";
  QTest::newRow("infinity") << kInf << "";
  QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << "";
}

void tst_numbers::plainNumberText() {
  QFETCH(double, value);
  QFETCH(QString, expected);
  QCOMPARE(num::plainNumberText(value), expected);
}

void tst_numbers::calculatorText_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<QString>("expected");
  QTest::newRow("twelve and a half") << 12.5 << "12,5";
  QTest::newRow("two hundredths") << 0.02 << "0,02";
  QTest::newRow("five") << 5.0 << "5";
  QTest::newRow("result") << 7.5 * 2 << "15";
  QTest::newRow("negative") << -4.0 + 1 << "-3";
  QTest::newRow("percent") << 50.0 / 100 << "0,5";
  QTest::newRow("negative zero") << -0.0 << "0";
  QTest::newRow("a third") << 1.0 / 3 << "0,333333333333333";
  QTest::newRow("sum of tenths") << 0.1 + 0.2 << "0,3";
  QTest::newRow("no grouping") << 1234567.0 << "1234567";
  QTest::newRow("large") << 1e20 << "1E+20";
  QTest::newRow("small") << 1.5e-7 << "1,5E-07";
  QTest::newRow("infinity") << kInf << "";
}

void tst_numbers::calculatorText() {
  QFETCH(double, value);
  QFETCH(QString, expected);
  QCOMPARE(num::calculatorText(value), expected);
}

void tst_numbers::readCalculatorText_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("valid");
  QTest::addColumn<double>("value");
  QTest::newRow("opening") << "0," << true << 0.0;
  QTest::newRow("typed") << "12," << true << 12.0;
  QTest::newRow("leading zeros") << "00," << true << 0.0;
  QTest::newRow("negative zero") << "-0," << true << -0.0;
  QTest::newRow("negative") << "-4," << true << -4.0;
  QTest::newRow("decimals") << "7,5" << true << 7.5;
  QTest::newRow("result") << "15" << true << 15.0;
  QTest::newRow("exponent") << "1,5E-07" << true << 1.5e-7;
  QTest::newRow("large") << "1E+20" << true << 1e20;
  QTest::newRow("lone minus") << "-" << false << 0.0;
  QTest::newRow("empty") << "" << false << 0.0;
  QTest::newRow("point is not a separator") << "1.5" << false << 0.0;
  QTest::newRow("overflow") << "1E+400" << false << 0.0;
}

void tst_numbers::readCalculatorText() {
  QFETCH(QString, text);
  QFETCH(bool, valid);
  QFETCH(double, value);
  const auto result = num::readCalculatorText(text);
  QCOMPARE(result.has_value(), valid);
  if (valid) compareExactly(*result, value);
}

// What the display shows reads back as the same number, so chained operations
// do not drift.
void tst_numbers::calculatorRoundTrip() {
  const double values[] = {0.0,         1.0,    -1.0,     12.5,          0.02,
                           1234567.125, -0.001, 1e20,     1.5e-7,        123456789012345.0,
                           0.1,         0.3,    2.5e-300, 9.87654321e100};
  for (double v : values) {
    const QString text = num::calculatorText(v);
    QCOMPARE(num::readCalculatorText(text).value_or(kInf), v);
  }
}

QTEST_GUILESS_MAIN(tst_numbers)
#include "tst_numbers.moc"
