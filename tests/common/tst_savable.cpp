// A character that Windows-1252 cannot hold is never saved silently: every
// command that writes a file of the keeper's names it, writes nothing, and
// leaves the text on screen to be changed.

#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "sheets/archiviopioggia.h"
#include "sheets/medietemperature.h"
#include "shell/dialog1.h"
#include "summary/mese.h"
#include "testenv.h"
#include "tools/dialog.h"

class tst_savable : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { pinItalianLocale(); }

  void refusedWithItsCharacters_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("named");
    QTest::newRow("temperature sheet, Aggiorna") << "sheet"
                                                 << "α"
                                                 << "«α»";
    QTest::newRow("rain report, station name") << "report"
                                               << "Αθήνα"
                                               << "«Α» «θ» «ή» «ν» «α»";
    QTest::newRow("monthly summary, Salva...") << "summary"
                                               << "12中"
                                               << "«中»";
    QTest::newRow("Options, station name") << "options"
                                           << "Ελλάς"
                                           << "«Ε» «λ» «ά» «ς»";
    QTest::newRow("notes, emoji") << "notes"
                                  << "ok \U0001F600"
                                  << "«\U0001F600»";
  }
  void refusedWithItsCharacters() {
    QFETCH(QString, command);
    QFETCH(QString, text);
    QFETCH(QString, named);
    TestEnv env;
    Form1* main = env.loadMainWindow();
    const QByteArray sheetBefore = env.readFile("tempmedie.txt");
    const QByteArray configBefore = env.readFile("config.cfg");
    const QString target = env.path(QStringLiteral("rapporto.txt"));
    env.dialogs().savePaths << target;
    env.dialogs().inputs << QStringLiteral("appunti");
    QString onScreen;

    if (command == "sheet") {
      auto* w = env.ctx().window<medietemperature>();
      w->Text1[1]->setText(text);
      w->Command5_Click();
      onScreen = w->Text1[1]->text();
    } else if (command == "report") {
      env.setStation(text);
      auto* w = env.ctx().window<archiviopioggia>();
      w->Command1_Click();
      w->Command9_Click();
      onScreen = env.ctx().config().nome;
    } else if (command == "summary") {
      auto* w = env.ctx().window<mese>();
      w->Text1[0]->setText(text);
      w->Command1_Click();
      w->Command3_Click();
      onScreen = w->Text1[0]->text();
    } else if (command == "options") {
      env.onNextWindow<Dialog1>([&](Dialog1& d) {
        d.nome->setText(text);
        d.okbutton->click();
        QVERIFY(d.isVisible());  // OK refused: the dialog stays open
        onScreen = d.nome->text();
      });
      main->opt_Click();
      QCOMPARE(env.ctx().config().nome, QStringLiteral("Stazione meteo"));
    } else {
      auto* w = env.ctx().window<Dialog>();
      w->Text1->setPlainText(text);
      w->okbutton_Click();
      onScreen = w->Text1->toPlainText();
      QVERIFY(env.dialogs().inputPrompts.isEmpty());
    }

    const auto& messages = env.dialogs().messages;
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].icon, MsgIcon::Critical);
    QCOMPARE(messages[0].title, QStringLiteral("Nubilario"));
    QVERIFY2(messages[0].text.contains(named), qPrintable(messages[0].text));
    QCOMPARE(onScreen, text);
    // Nothing written anywhere.
    QVERIFY(env.dialogs().saveRequests.isEmpty());
    QVERIFY(!QFile::exists(target));
    QVERIFY(!QFile::exists(env.path(QStringLiteral("appunti.txt"))));
    QCOMPARE(env.readFile("tempmedie.txt"), sheetBefore);
    QCOMPARE(env.readFile("config.cfg"), configBefore);
  }
};

QTEST_MAIN(tst_savable)
#include "tst_savable.moc"
