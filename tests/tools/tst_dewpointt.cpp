// The "Calcolatore meteo" window: its controls as they open, the key filter,
// the four tabs driven by clicks, the dew point's message and the single
// instance that closes and reopens afresh.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "testenv.h"
#include "tools/dewpointt.h"

class tst_dewpointt : public QObject {
  Q_OBJECT

  std::unique_ptr<TestEnv> env_;
  dewpointt* w_ = nullptr;

  QLineEdit* field(const QString& name) { return w_->findChild<QLineEdit*>(name); }
  QLabel* caption(const QString& name) { return w_->findChild<QLabel*>(name); }
  void click(const QString& name) {
    auto* b = w_->findChild<QPushButton*>(name);
    QVERIFY2(b, qPrintable(name));
    QTest::mouseClick(b, Qt::LeftButton);
  }

 private Q_SLOTS:
  void init() {
    env_ = std::make_unique<TestEnv>();
    env_->loadMainWindow();
    w_ = env_->ctx().window<dewpointt>();
    w_->mostra();
    QVERIFY(QTest::qWaitForWindowExposed(w_));
  }
  void cleanup() { env_.reset(); }

  void opensAsDescribed() {
    QCOMPARE(w_->windowTitle(), QStringLiteral("Calcolatore meteo"));
    QCOMPARE(w_->parentWidget(), static_cast<QWidget*>(env_->ctx().existingMainWindow()));
    QVERIFY(w_->isWindow());
    QCOMPARE(w_->SSTab1->count(), 4);
    QCOMPARE(w_->t->maxLength(), 4);
    QCOMPARE(w_->ur->maxLength(), 4);
    QCOMPARE(w_->ur->toolTip(),
             QStringLiteral("Immetti il valore dell'umidità relativa (senza \"%\")"));
    QCOMPARE(w_->tot->text(), QStringLiteral("0."));
    QVERIFY(w_->tot->font().bold());
    QCOMPARE(w_->Text1->text(), QStringLiteral("0"));
    QCOMPARE(caption("Label3")->buddy(), w_->ur);
  }

  void pointBecomesComma_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"t", "ur", "Text1", "a", "b", "Text2", "Text3"})
      QTest::newRow(name) << QString::fromLatin1(name);
  }
  void pointBecomesComma() {
    QFETCH(QString, name);
    QLineEdit* f = field(name);
    QVERIFY(f);
    f->clear();
    f->setFocus();
    QTest::keyClicks(f, QStringLiteral("1.5"));
    QCOMPARE(f->text(), QStringLiteral("1,5"));
    QTest::keyClick(f, Qt::Key_Period, Qt::KeypadModifier, 0);
    QTest::keyClicks(f, QStringLiteral("-x"));
    QCOMPARE(f->text(), f->maxLength() == 4 ? QStringLiteral("1,5,") : QStringLiteral("1,5,-x"));
  }

  void dewPoint_data() {
    QTest::addColumn<QString>("typedT");
    QTest::addColumn<QString>("typedUr");
    QTest::addColumn<QString>("tot");
    QTest::newRow("worked example") << "20"
                                    << "50"
                                    << "9,28 °C";
    QTest::newRow("saturated") << "20"
                               << "100"
                               << "20,00 °C";
    QTest::newRow("typed point") << "20.5"
                                 << "50"
                                 << "9,75 °C";  // 20.5 - 10.7538
    QTest::newRow("four characters at most") << "-12.5"
                                             << "100"
                                             << "-12,00 °C";  // "-12,"
  }
  void dewPoint() {
    QFETCH(QString, typedT);
    QFETCH(QString, typedUr);
    QFETCH(QString, tot);
    QTest::keyClicks(w_->t, typedT);
    QTest::keyClicks(w_->ur, typedUr);
    click("Command1");
    QCOMPARE(w_->tot->text(), tot);
    QVERIFY(env_->dialogs().messages.isEmpty());
    click("Command2");
    QVERIFY(w_->t->text().isEmpty());
    QVERIFY(w_->ur->text().isEmpty());
    QCOMPARE(w_->tot->text(), QStringLiteral("0."));
  }

  void dewPointError_data() {
    QTest::addColumn<QString>("t");
    QTest::addColumn<QString>("ur");
    QTest::newRow("empty humidity") << "20"
                                    << "";
    QTest::newRow("empty temperature") << ""
                                       << "50";
    QTest::newRow("letters") << "abc"
                             << "50";
    QTest::newRow("overflow") << "9e99"
                              << "50";
  }
  void dewPointError() {
    QFETCH(QString, t);
    QFETCH(QString, ur);
    w_->t->setText(QStringLiteral("20"));
    w_->ur->setText(QStringLiteral("50"));
    click("Command1");
    w_->t->setText(t);
    w_->ur->setText(ur);
    click("Command1");
    QCOMPARE(env_->dialogs().messages.size(), 1);
    const auto& m = env_->dialogs().messages.first();
    QCOMPARE(m.text, QStringLiteral("Errore di digitazione!"));
    QCOMPARE(m.title, QStringLiteral("Calcolatore meteo"));
    QCOMPARE(m.icon, MsgIcon::Exclamation);
    QCOMPARE(m.buttons, MsgButtons::Ok);
    QCOMPARE(w_->tot->text(), QStringLiteral("9,28 °C"));  // the previous result stays
    QCOMPARE(w_->t->text(), t);
  }

  void pressureAndCloudBaseTabs() {
    QTest::keyClicks(w_->Text1, QStringLiteral("00.9"));
    QCOMPARE(w_->Text1->text(), QStringLiteral("000,9"));  // reads as 0
    click("Command5");
    QCOMPARE(w_->Label16->text(), QStringLiteral(" 1013.25 hPa"));
    click("Command6");
    QVERIFY(w_->Text1->text().isEmpty());
    QVERIFY(w_->Label16->text().isEmpty());
    w_->a->setText(QStringLiteral("15"));
    w_->b->setText(QStringLiteral("10"));
    click("Command3");
    QCOMPARE(w_->risa->text(), QStringLiteral(" 625 metri slm"));
    QCOMPARE(w_->risb->text(), QStringLiteral(" 2062.5 piedi"));
    click("Command4");
    for (QLineEdit* f : {w_->a, w_->b}) QVERIFY(f->text().isEmpty());
    for (QLabel* l : {w_->risa, w_->risb}) QVERIFY(l->text().isEmpty());
  }

  void frostTab_data() {
    QTest::addColumn<QString>("t");
    QTest::addColumn<QString>("td");
    QTest::addColumn<bool>("calm");
    QTest::addColumn<QString>("label19");
    QTest::addColumn<QString>("label20");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("frost") << "5"
                           << "0" << true << " 41°F"
                           << " 32°F"
                           << "Possibili brinate notturne";
    QTest::newRow("unchecked") << "5"
                               << "0" << false << " 41°F"
                               << " 32°F"
                               << "Condizioni sfavorevoli alla formazione di brinate notturne";
    QTest::newRow("below zero") << "-18"
                                << "-20" << true << "-.399999999999999°F"
                                << "-4°F"
                                << "Possibili brinate notturne";
    // The warning leaves the °F labels of the previous click.
    QTest::newRow("dew above temperature")
        << "2"
        << "3" << true << " 77°F"
        << " 50°F"
        << "Attenzione! La temperatura di rugiada non può essere superiore a quella effettiva!";
  }
  void frostTab() {
    QFETCH(QString, t);
    QFETCH(QString, td);
    QFETCH(bool, calm);
    QFETCH(QString, label19);
    QFETCH(QString, label20);
    QFETCH(QString, verdict);
    w_->SSTab1->setCurrentIndex(3);
    w_->Text2->setText(QStringLiteral("25"));
    w_->Text3->setText(QStringLiteral("10"));
    click("Command7");
    w_->Text2->setText(t);
    w_->Text3->setText(td);
    w_->Check1->setChecked(calm);
    click("Command7");
    QCOMPARE(w_->Label19->text(), label19);
    QCOMPARE(w_->Label20->text(), label20);
    QCOMPARE(w_->Label11->text(), verdict);
    click("Command8");
    QVERIFY(w_->Text2->text().isEmpty());
    QVERIFY(w_->Text3->text().isEmpty());
    QVERIFY(w_->Label11->text().isEmpty());
    QCOMPARE(w_->Label19->text(), label19);
    QCOMPARE(w_->Label20->text(), label20);
  }

  void oneInstance() {
    w_->t->setText(QStringLiteral("12"));
    w_->SSTab1->setCurrentIndex(2);
    auto* again = env_->ctx().window<dewpointt>();
    again->mostra();
    QCOMPARE(again, w_);
    QCOMPARE(again->t->text(), QStringLiteral("12"));
    QCOMPARE(again->SSTab1->currentIndex(), 2);
  }

  void closeUnloads_data() {
    QTest::addColumn<bool>("byButton");
    QTest::newRow("Chiudi") << true;
    QTest::newRow("close box") << false;
  }
  void closeUnloads() {
    QFETCH(bool, byButton);
    QPointer<dewpointt> old = w_;
    w_->t->setText(QStringLiteral("12"));
    if (byButton)
      click("Cancelbutton");
    else
      w_->close();
    QTRY_VERIFY(!old);
    QVERIFY(!env_->ctx().existing<dewpointt>());
    w_ = env_->ctx().window<dewpointt>();
    QVERIFY(w_->t->text().isEmpty());
    QCOMPARE(w_->tot->text(), QStringLiteral("0."));
  }
};

QTEST_MAIN(tst_dewpointt)
#include "tst_dewpointt.moc"
