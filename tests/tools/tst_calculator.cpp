// The "Calcolatrice" window: the keypad as laid out, clicks reaching the
// display, the division message, operands kept across a reopening and the
// main window's check mark on unload.

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include "testenv.h"
#include "tools/calculator.h"

class tst_calculator : public QObject {
  Q_OBJECT

  std::unique_ptr<TestEnv> env_;
  Calculator* w_ = nullptr;

  QPushButton* keyNamed(const QString& name) { return w_->findChild<QPushButton*>(name); }
  // Keys as in the engine's tests: digits, ".", "C" (CE), "%", + - X / =.
  void press(const QString& keys) {
    static const QString operators = QStringLiteral("/+X-=");
    for (const QChar key : keys) {
      QPushButton* b = nullptr;
      if (key.isDigit())
        b = keyNamed(QStringLiteral("Number_%1").arg(key));
      else if (key == u'.')
        b = keyNamed(QStringLiteral("Decimal"));
      else if (key == u'C')
        b = keyNamed(QStringLiteral("CancelEntry"));
      else if (key == u'%')
        b = keyNamed(QStringLiteral("Percent"));
      else
        b = keyNamed(QStringLiteral("Operator_%1").arg(operators.indexOf(key)));
      QVERIFY2(b, qPrintable(QString(key)));
      QTest::mouseClick(b, Qt::LeftButton);
    }
  }
  QString display() const { return w_->Readout->text(); }
  void reopen() {
    QPointer<Calculator> old = w_;
    w_->close();
    QTRY_VERIFY(!old);
    w_ = env_->ctx().window<Calculator>();
    w_->mostra();
  }

 private Q_SLOTS:
  void init() {
    env_ = std::make_unique<TestEnv>();
    env_->loadMainWindow();
    w_ = env_->ctx().window<Calculator>();
    w_->mostra();
  }
  void cleanup() { env_.reset(); }

  void opensAsDescribed() {
    QCOMPARE(w_->windowTitle(), QStringLiteral("Calcolatrice"));
    QVERIFY(w_->isWindow());
    QCOMPARE(w_->parentWidget(), static_cast<QWidget*>(env_->ctx().existingMainWindow()));
    QCOMPARE(display(), QStringLiteral("0,"));
    press(QStringLiteral("9+-=2=C3X4="));  // through the error display and back
    QCOMPARE(display(), QStringLiteral("12"));
  }

  void keypadLayout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("columnSpan");
    QTest::newRow("7") << "Number_7" << 1 << 0 << 1;
    QTest::newRow("CE") << "CancelEntry" << 1 << 3 << 2;
    QTest::newRow("+") << "Operator_1" << 2 << 3 << 1;
    QTest::newRow("-") << "Operator_3" << 2 << 4 << 1;
    QTest::newRow("X") << "Operator_2" << 3 << 3 << 1;
    QTest::newRow("/") << "Operator_0" << 3 << 4 << 1;
    QTest::newRow("0") << "Number_0" << 4 << 0 << 2;
    QTest::newRow(".") << "Decimal" << 4 << 2 << 1;
    QTest::newRow("=") << "Operator_4" << 4 << 3 << 1;
    QTest::newRow("%") << "Percent" << 4 << 4 << 1;
  }
  void keypadLayout() {
    QFETCH(QString, name);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, columnSpan);
    auto* grid = qobject_cast<QGridLayout*>(w_->layout());
    QVERIFY(grid);
    const int index = grid->indexOf(keyNamed(name));
    QVERIFY(index >= 0);
    int r = 0, c = 0, rs = 0, cs = 0;
    grid->getItemPosition(index, &r, &c, &rs, &cs);
    QCOMPARE(r, row);
    QCOMPARE(c, column);
    QCOMPARE(cs, columnSpan);
    int readoutRow = -1, readoutSpan = 0;
    grid->getItemPosition(grid->indexOf(w_->Readout), &readoutRow, &c, &rs, &readoutSpan);
    QCOMPARE(readoutRow, 0);
    QCOMPARE(readoutSpan, 5);
  }

  void divisionByZero() {
    press(QStringLiteral("8/0"));
    QVERIFY(env_->dialogs().messages.isEmpty());
    press(QStringLiteral("="));
    QCOMPARE(env_->dialogs().messages.size(), 1);
    const auto& m = env_->dialogs().messages.first();
    QCOMPARE(m.text, QStringLiteral("Impossibile dividere per zero"));
    QCOMPARE(m.title, QStringLiteral("Calcolatrice"));
    QCOMPARE(m.icon, MsgIcon::Exclamation);
    QCOMPARE(m.buttons, MsgButtons::Ok);
    QCOMPARE(display(), QStringLiteral("8,"));
  }

  void operandsSurviveReopening() {
    press(QStringLiteral("12+3="));
    reopen();
    QCOMPARE(display(), QStringLiteral("0,"));
    press(QStringLiteral("5%3="));
    QCOMPARE(display(), QStringLiteral("45"));
  }

  void menuToggleAndCheckMark_data() {
    QTest::addColumn<bool>("byMenu");  // else by the calculator's close box
    QTest::newRow("menu") << true;
    QTest::newRow("close box") << false;
  }
  void menuToggleAndCheckMark() {
    QFETCH(bool, byMenu);
    auto* main = static_cast<Form1*>(env_->ctx().existingMainWindow());
    w_->close();
    QTRY_VERIFY(!env_->ctx().existing<Calculator>());
    main->calco->trigger();
    w_ = env_->ctx().existing<Calculator>();
    QVERIFY(w_ && w_->isVisible());
    QCOMPARE(w_->parentWidget(), main);
    QVERIFY(main->calco->isChecked());
    press(QStringLiteral("12+"));
    QPointer<Calculator> open = w_;
    if (byMenu)
      main->calco->trigger();
    else
      w_->close();
    QTRY_VERIFY(!open);
    QVERIFY(!main->calco->isChecked());
    main->calco->trigger();  // opens afresh
    w_ = env_->ctx().existing<Calculator>();
    QVERIFY(w_ && w_->isVisible());
    QVERIFY(main->calco->isChecked());
    QCOMPARE(display(), QStringLiteral("0,"));
  }
};

QTEST_MAIN(tst_calculator)
#include "tst_calculator.moc"
