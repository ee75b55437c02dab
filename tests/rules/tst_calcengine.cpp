// The desk calculator's state machine driven key by key: every display after
// every key, the division message, and the error display's way back.

#include <QtTest>

#include "rules/calcengine.h"

namespace {

// Keys: "0"-"9", "." (decimal), "C" (CE), "%", and the operators + - X / =.
// Returns the display after each key; counts the division messages.
QStringList press(CalcEngine& engine, const QString& keys, int* messages = nullptr) {
  QStringList displays;
  for (const QChar key : keys) {
    if (key.isDigit()) {
      engine.digit(key.digitValue());
    } else if (key == u'.') {
      engine.decimal();
    } else if (key == u'C') {
      engine.cancelEntry();
    } else if (key == u'%') {
      engine.percent();
    } else if (engine.op(QString(key)) == CalcEngine::Outcome::DivisionByZero && messages) {
      ++*messages;
    }
    displays << engine.display();
  }
  return displays;
}

QString repeated(const QString& text, int times) { return text.repeated(times); }

}  // namespace

class tst_calcengine : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void opening() {
    CalcOperands operands;
    CalcEngine engine(operands);
    QCOMPARE(engine.display(), QStringLiteral("0,"));
    QCOMPARE(engine.pendingOperator(), QStringLiteral(" "));
    QCOMPARE(engine.operandCount(), 0);
    QCOMPARE(engine.lastInput(), CalcEngine::Input::None);
    QVERIFY(!engine.decimalFlag());
  }

  void sequences_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("displays");  // after each key, joined by ";"
    QTest::addColumn<int>("messages");      // "Impossibile dividere per zero" shown

    QTest::newRow("sum") << "12+3="
                         << "1,;12,;12,;3,;15" << 0;
    QTest::newRow("decimals") << "7.5X2="
                              << "7,;7,;7,5;7,5;2,;15" << 0;
    QTest::newRow("negative first number") << "-4+1="
                                           << "-0,;-4,;-4,;1,;-3" << 0;
    QTest::newRow("division by zero") << "8/0="
                                      << "8,;8,;0,;8," << 1;
    QTest::newRow("percent") << "50%"
                             << "5,;50,;0,5" << 0;
    QTest::newRow("negative second number") << "9+-2="
                                            << "9,;9,;-;-2,;7" << 0;
    QTest::newRow("zero then zero") << "00"
                                    << "0,;00," << 0;
    QTest::newRow("decimal twice") << "1..5"
                                   << "1,;1,;1,;1,5" << 0;
    QTest::newRow("equals twice") << "12+3=="
                                  << "1,;12,;12,;3,;15;15" << 0;
    QTest::newRow("CE keeps the operation") << "12+5C3="
                                            << "1,;12,;12,;5,;0,;3,;15" << 0;
    QTest::newRow("percent as first operator") << "5%3="
                                               << "5,;0,05;3,;0" << 0;
    QTest::newRow("chain") << "1+2+3+4="
                           << "1,;1,;2,;3;3,;6;4,;10" << 0;
    QTest::newRow("leading zeros") << "007+1="
                                   << "0,;00,;007,;007,;1,;8" << 0;
    QTest::newRow("negative factor") << "9X-3="
                                     << "9,;9,;-;-3,;-27" << 0;
    QTest::newRow("negative decimal divisor") << "9/-.5="
                                              << "9,;9,;-;-0,;-0,5;-18" << 0;
    QTest::newRow("repeated equals keeps the result") << "2X3==="
                                                      << "2,;2,;3,;6;6;6" << 0;
    QTest::newRow("new number after a result") << "2+3=4+1="
                                               << "2,;2,;3,;5;4,;4;1,;5" << 0;
    QTest::newRow("minus after a result subtracts") << "2+3=-1="
                                                    << "2,;2,;3,;5;5;1,;4" << 0;
    QTest::newRow("percent of a sum") << "200+10%="
                                      << "2,;20,;200,;200,;1,;10,;0,1;20" << 0;
    QTest::newRow("percent of a result") << "12+3=%X"
                                         << "1,;12,;12,;3,;15;0,15;2,25" << 0;
    QTest::newRow("thirds") << "1/3="
                            << "1,;1,;3,;0,333333333333333" << 0;
    QTest::newRow("two thirds") << "2/3="
                                << "2,;2,;3,;0,666666666666667" << 0;
    QTest::newRow("small result") << ".0001%"
                                  << "0,;0,0;0,00;0,000;0,0001;1E-06" << 0;
    QTest::newRow("negative zero divisor") << "8/-0="
                                           << "8,;8,;-;-0,;8," << 1;
    QTest::newRow("go on after division by zero") << "8/0=+2="
                                                  << "8,;8,;0,;8,;8,;2,;10" << 1;
    QTest::newRow("CE before any operator") << "5C-2+1="
                                            << "5,;0,;-0,;-2,;-2,;1,;-1" << 0;
    QTest::newRow("minus twice is one sign") << "--3+1="
                                             << "-0,;-0,;-3,;-3,;1,;-2" << 0;
    QTest::newRow("negative zero result") << "-0X5="
                                          << "-0,;-0,;-0,;5,;0" << 0;
    QTest::newRow("decimal after a minus sign") << "-.5+1="
                                                << "-0,;-0,;-0,5;-0,5;1,;0,5" << 0;
    // A count beyond two ignores the operators until the window reopens.
    QTest::newRow("percent after typing past a result") << "12+3=5%3="
                                                        << "1,;12,;12,;3,;15;5,;0,05;3,;3," << 0;
    // Operands that are not numbers: the error display, then a fresh start.
    QTest::newRow("lone minus as operand") << "9+-=2="
                                           << "9,;9,;-;-;-2,;E" << 0;
    QTest::newRow("after the error") << "9+-=2=3+4="
                                     << "9,;9,;-;-;-2,;E;3,;3,;4,;7" << 0;
    QTest::newRow("percent of a lone minus") << "9+-%"
                                             << "9,;9,;-;E" << 0;
    QTest::newRow("CE after the error") << "9+-=2=C5+5="
                                        << "9,;9,;-;-;-2,;E;0,;5,;5,;5,;10" << 0;
    QTest::newRow("minus after the error") << "9+-%-3+4="
                                           << "9,;9,;-;E;-0,;-3,;-3,;4,;1" << 0;
    QTest::newRow("operator after the error") << "9+-%+3+4="
                                              << "9,;9,;-;E;E;3,;3,;4,;7" << 0;
    QTest::newRow("equals after the error") << "9+-%=="
                                            << "9,;9,;-;E;E;E" << 0;
  }
  void sequences() {
    QFETCH(QString, keys);
    QFETCH(QString, displays);
    QFETCH(int, messages);
    CalcOperands operands;
    CalcEngine engine(operands);
    int shown = 0;
    QCOMPARE(press(engine, keys, &shown).join(u';'), displays);
    QCOMPARE(shown, messages);
  }

  void overflow_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("display");  // after the last key

    const QString e200 = QStringLiteral("1") + repeated(QStringLiteral("0"), 200);
    const QString e308 = QStringLiteral("1") + repeated(QStringLiteral("0"), 308);
    const QString e310 = QStringLiteral("1") + repeated(QStringLiteral("0"), 310);
    QTest::newRow("largest typed number") << e308 + "+0="
                                          << "1E+308";
    QTest::newRow("product beyond range") << e200 + "X" + e200 + "="
                                          << "E";
    QTest::newRow("sum beyond range") << "9" + e308.mid(1) + "+9" + e308.mid(1) + "="
                                      << "E";
    QTest::newRow("quotient beyond range") << e200 + "/." + repeated("0", 200) + "1="
                                           << "E";
    QTest::newRow("going on after overflow") << e200 + "X" + e200 + "=5+5="
                                             << "10";
    QTest::newRow("typed number beyond range") << e310 + "+1="
                                               << "E";
    QTest::newRow("typed number beyond range, percent") << e310 + "%"
                                                        << "E";
    QTest::newRow("big typed second number") << "1+" + e310 + "="
                                             << "E";
    QTest::newRow("underflow to zero")
        << "." + repeated("0", 200) + "1X." + repeated("0", 200) + "1="
        << "0";
    QTest::newRow("exponent results read back") << e200 + "X1000=%"
                                                << "1E+201";
  }
  void overflow() {
    QFETCH(QString, keys);
    QFETCH(QString, display);
    CalcOperands operands;
    CalcEngine engine(operands);
    QCOMPARE(press(engine, keys).last(), display);
  }

  void operandsOutliveTheWindow_data() {
    QTest::addColumn<QString>("earlier");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("displays");
    QTest::newRow("fresh run") << ""
                               << "5%3="
                               << "5,;0,05;3,;0";
    QTest::newRow("after a sum") << "12+3="
                                 << "5%3="
                                 << "5,;0,05;3,;45";
    QTest::newRow("after a typed first operand") << "12+"
                                                 << "5%2="
                                                 << "5,;0,05;2,;24";
    QTest::newRow("after a division by zero") << "8/0="
                                              << "5%2="
                                              << "5,;0,05;2,;16";
    QTest::newRow("after an error") << "9+-%"
                                    << "5%2="
                                    << "5,;0,05;2,;0";
    QTest::newRow("a reopening resets the rest") << "1+2+"
                                                 << "4="
                                                 << "4,;4,";
  }
  void operandsOutliveTheWindow() {
    QFETCH(QString, earlier);
    QFETCH(QString, keys);
    QFETCH(QString, displays);
    CalcOperands operands;  // kept by the program for the whole run
    {
      CalcEngine first(operands);
      press(first, earlier);
    }
    CalcEngine reopened(operands);
    QCOMPARE(reopened.display(), QStringLiteral("0,"));
    QCOMPARE(reopened.pendingOperator(), QStringLiteral(" "));
    QCOMPARE(press(reopened, keys).join(u';'), displays);
  }

  void countStopsBeforeOverflow() {
    CalcOperands operands;
    CalcEngine engine(operands);
    press(engine, QStringLiteral("5%%"));
    for (int i = 0; i < 40000; ++i) engine.percent();
    QCOMPARE(engine.operandCount(), 32767);
    QCOMPARE(press(engine, QStringLiteral("C7")).last(), QStringLiteral("7,"));
  }
};

QTEST_GUILESS_MAIN(tst_calcengine)
#include "tst_calcengine.moc"
