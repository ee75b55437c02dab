// The about box: its texts, its links and its buttons.

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "shell/frmabout.h"
#include "testenv.h"

class tst_about : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestEnv> env;
  Form1* form = nullptr;

  QString text(frmAbout& box, const char* name) {
    auto* l = box.findChild<QLabel*>(QLatin1String(name));
    return l ? l->text() : QStringLiteral("<missing>");
  }

 private Q_SLOTS:
  void initTestCase() { pinItalianLocale(); }
  void init() {
    env = std::make_unique<TestEnv>();
    form = env->loadMainWindow();
  }
  void cleanup() {
    form = nullptr;
    env.reset();
  }

  void texts_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("caption");
    QTest::newRow("lblTitle") << "lblTitle"
                              << "Nubilario 3.0 Pro";
    QTest::newRow("lblVersion") << "lblVersion"
                                << "Versione: 3.0.2 [built: Gennaio 2006, edizione 2006)";
    QTest::newRow("Label3") << "Label3"
                            << "Licenza d'utilizzo:";
    QTest::newRow("lblDisclaimer") << "lblDisclaimer"
                                   << "Contatti:";
    QTest::newRow("Label1") << "Label1"
                            << "E-mail: ";
    QTest::newRow("Label2") << "Label2"
                            << "Sito dell'autore: ";
    QTest::newRow("Label9") << "Label9"
                            << "Sito:";
    QTest::newRow("Label5") << "Label5"
                            << "In collaborazione con:";
    QTest::newRow("Label6") << "Label6" << webpages::authorMail();
    QTest::newRow("Label7") << "Label7" << webpages::address(webpages::Page::W15);
    QTest::newRow("Label8") << "Label8" << webpages::address(webpages::Page::W12);
  }

  void texts() {
    QFETCH(QString, control);
    QFETCH(QString, caption);
    frmAbout box(env->ctx(), form);
    QCOMPARE(box.windowTitle(), QStringLiteral("Informazioni su Nubilario"));
    QCOMPARE(text(box, control.toLatin1().constData()), caption);
  }

  void termsAndButtons() {
    frmAbout box(env->ctx(), form);
    QVERIFY(box.Text1->isReadOnly());
    QVERIFY(box.Text1->toPlainText().contains('\n'));
    QVERIFY(!text(box, "Label4").isEmpty());
    QCOMPARE(box.Command1->text(), QStringLiteral("&Cerca aggiornamenti software"));
    QCOMPARE(box.Command2->text(), QStringLiteral("OK"));
  }

  // Each link opens its address through the shell; the box stays open.
  void links_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("keyboard");
    QTest::addColumn<QString>("address");
    const QString mail = QStringLiteral("mailto:") + webpages::authorMail();
    QTest::newRow("e-mail") << "Label6" << false << mail;
    QTest::newRow("e-mail, Space") << "Label6" << true << mail;
    QTest::newRow("author") << "Label7" << false << webpages::address(webpages::Page::W15);
    QTest::newRow("product") << "Label8" << false << webpages::address(webpages::Page::W12);
    QTest::newRow("product, Space") << "Label8" << true << webpages::address(webpages::Page::W12);
    QTest::newRow("updates") << "Command1" << false << webpages::address(webpages::Page::W14);
  }

  void links() {
    QFETCH(QString, control);
    QFETCH(bool, keyboard);
    QFETCH(QString, address);
    frmAbout box(env->ctx(), form);
    box.show();
    auto* w = box.findChild<QWidget*>(control);
    QVERIFY(w);
    if (keyboard)
      QTest::keyClick(w, Qt::Key_Space);
    else
      QTest::mouseClick(w, Qt::LeftButton);
    QCOMPARE(env->scripted().shell->pagesOpened, QStringList{address});
    QVERIFY(box.isVisible());
  }

  // The box's update button and the main window's menu item open the same page.
  void samePageAsMenu() {
    frmAbout box(env->ctx(), form);
    box.Command1->click();
    form->menuItem(QStringLiteral("agg"))->trigger();
    const QStringList& opened = env->scripted().shell->pagesOpened;
    QCOMPARE(opened.size(), 2);
    QCOMPARE(opened[0], opened[1]);
  }

  // OK closes the modal box and the menu command returns.
  void okCloses() {
    bool modal = false;
    env->onNextWindow<frmAbout>([&modal](frmAbout& box) {
      modal = box.isModal();
      box.Command2->click();
    });
    form->abouttt_Click();
    QVERIFY(modal);
    QVERIFY(!QApplication::activeModalWidget());
  }
};

QTEST_MAIN(tst_about)
#include "tst_about.moc"
