// Closing with typing not yet saved asks "Salvare le modifiche?": Sì saves as
// the window's own save command would, No closes without saving, Annulla keeps
// the window; with nothing unsaved nothing is asked.

#include <QMessageBox>
#include <QPointer>
#include <QtTest>

#include "sheets/archiviopioggia.h"
#include "sheets/medietemperature.h"
#include "summary/mese.h"
#include "testenv.h"
#include "tools/dialog.h"

namespace {

// The answer to the question; "none" when it must not be asked.
MsgAnswer answerNamed(const QString& a) {
  return a == u"si" ? MsgAnswer::Yes : a == u"no" ? MsgAnswer::No : MsgAnswer::Cancel;
}

}  // namespace

class tst_unsaved : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // One window closed: whether it stays, and what its file holds afterwards.
  // "rain-discard" closes with "Chiudi (senza salvare)", which asks only
  // whether to lose the typing.
  void closing_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("stays");
    QTest::addColumn<QString>("file");  // a piece of the file, or "-" when there is none
    QTest::newRow("sheet, Sì") << "temp" << true << "si" << false << "|7|";
    QTest::newRow("without saving, Sì") << "rain-discard" << true << "si" << false << "^0|0|";
    QTest::newRow("without saving, No") << "rain-discard" << true << "no" << true << "^0|0|";
    QTest::newRow("without saving, untouched")
        << "rain-discard" << false << "none" << false << "^0|0|";
    QTest::newRow("sheet, No") << "temp" << true << "no" << false << "|||";
    QTest::newRow("sheet, Annulla") << "temp" << true << "annulla" << true << "|||";
    QTest::newRow("sheet untouched") << "temp" << false << "none" << false << "|||";
    QTest::newRow("rain sheet, Sì") << "rain" << true << "si" << false << "|7|";
    QTest::newRow("summary, Sì") << "mese" << true << "si" << false << "7";
    QTest::newRow("summary, Sì, file dialog cancelled")
        << "mese-nofile" << true << "si" << true << "-";
    QTest::newRow("notes, Sì") << "notes" << true << "si" << false << "7";
    QTest::newRow("notes untouched") << "notes" << false << "none" << false << "-";
  }
  void closing() {
    QFETCH(QString, window);
    QFETCH(bool, typed);
    QFETCH(QString, answer);
    QFETCH(bool, stays);
    QFETCH(QString, file);
    TestEnv env;
    env.loadMainWindow();
    AppContext& ctx = env.ctx();
    const QString saved = env.path("salvato.txt");
    QWidget* w = nullptr;
    QString path = saved;
    if (window == u"temp") {
      auto* s = ctx.window<medietemperature>();
      if (typed) s->Text1[1]->setText("7");
      w = s;
      path = env.path("tempmedie.txt");
    } else if (window.startsWith(u"rain")) {
      auto* s = ctx.window<archiviopioggia>();
      if (typed) s->Text1[1]->setText("7");
      w = s;
      path = env.path("prpgiornaliera.txt");
    } else if (window.startsWith(u"mese")) {
      auto* s = ctx.window<mese>();
      if (typed) s->Text1[0]->setText("7");
      if (window == u"mese") env.dialogs().savePaths << saved;
      w = s;
    } else {
      env.setNotesFolder(env.folder());
      auto* s = ctx.window<Dialog>();
      if (typed) s->Text1->setPlainText("7");
      env.dialogs().inputs << QStringLiteral("salvato");
      w = s;
    }
    w->show();
    if (answer != u"none") env.dialogs().answers << answerNamed(answer);
    const bool discard = window == u"rain-discard";
    if (discard)
      static_cast<archiviopioggia*>(w)->Command3->click();
    else
      w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    const QString question =
        discard ? QStringLiteral("Chiudere senza salvare? Le modifiche non salvate andranno perse.")
                : QStringLiteral("Salvare le modifiche?");
    const auto& messages = env.dialogs().messages;
    const bool asked = !messages.isEmpty() && messages.first().text == question;
    QCOMPARE(asked, answer != u"none");
    if (asked)
      QCOMPARE(messages.first().buttons, discard ? MsgButtons::YesNo : MsgButtons::YesNoCancel);

    QCOMPARE(ctx.openWindows().contains(w), stays);
    const QByteArray bytes = env.readFile(QFileInfo(path).fileName());
    if (file == u"-")
      QVERIFY(!QFileInfo::exists(path));
    else if (file.startsWith(u'^'))
      QVERIFY2(bytes.startsWith(file.mid(1).toLatin1()), bytes.constData());
    else
      QVERIFY2(bytes.contains(file.toLatin1()), bytes.constData());
  }

  // "&Esci" and the backup command end the program only past the question.
  void ending_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("ended");
    QTest::addColumn<bool>("savedFile");
    QTest::newRow("Esci, Annulla") << "esci"
                                   << "annulla" << false << false;
    QTest::newRow("Esci, No") << "esci"
                              << "no" << true << false;
    QTest::newRow("Esci, Sì") << "esci"
                              << "si" << true << true;
    QTest::newRow("backup, Annulla") << "back"
                                     << "annulla" << false << false;
  }
  void ending() {
    QFETCH(QString, command);
    QFETCH(QString, answer);
    QFETCH(bool, ended);
    QFETCH(bool, savedFile);
    TestEnv env;
    Form1* main = env.loadMainWindow();
    auto* sheet = env.ctx().window<medietemperature>();
    sheet->show();
    sheet->Text1[1]->setText("7");
    if (command == u"back") env.dialogs().answers << MsgAnswer::Yes;  // close Nubilario? Yes
    env.dialogs().answers << answerNamed(answer);
    main->menuItem(command)->trigger();
    QCOMPARE(env.scripted().shell->endedWith.has_value(), ended);
    QCOMPARE(env.readFile("tempmedie.txt").startsWith("|7|"), savedFile);
    if (command == u"back") QVERIFY(env.scripted().shell->programsStarted.isEmpty());
  }

  // No window goes while a box of its own is open (a screen reader can press
  // its buttons all the same): the code that opened the box would find it gone.
  void noClosingUnderItsOwnBox() {
    TestEnv env;
    Form1* main = env.loadMainWindow();
    main->apriArchiviopioggia();
    QPointer<archiviopioggia> sheet = env.ctx().existing<archiviopioggia>();
    sheet->Text1[1]->setText("7");
    auto* box = new QMessageBox(sheet);  // as the sheet's failure box
    box->setModal(true);

    box->show();
    QTRY_COMPARE(QApplication::activeModalWidget(), box);
    env.dialogs().answers << MsgAnswer::Yes << MsgAnswer::No;
    sheet->Command3->click();
    QVERIFY(!sheet->close());
    QVERIFY(!main->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(sheet);
    QVERIFY(sheet->isVisible());
    QVERIFY(env.ctx().existingMainWindow());

    QCOMPARE(env.dialogs().messages.size(), 1);  // whether to lose the typing: yes, yet it stays

    delete box;
    QVERIFY(sheet->close());
  }

  // "&Esci" asks about each window with typing, naming it, over it, the one

  // last active first; windows with nothing unsaved are not asked about.
  void endingNamesEachWindow() {
    TestEnv env;
    Form1* main = env.loadMainWindow();
    main->apriMese();
    main->apriMedietemperature();
    main->apriArchiviopioggia();  // nothing typed here
    auto* summary = env.ctx().existing<mese>();
    auto* sheet = env.ctx().existing<medietemperature>();
    summary->Text1[0]->setText("7");
    sheet->Text1[1]->setText("7");
    summary->activateWindow();
    QTRY_VERIFY(summary->isActiveWindow());
    env.dialogs().answers << MsgAnswer::No << MsgAnswer::No;
    main->esci_Click();
    QStringList asked, over;
    for (const auto& m : env.dialogs().messages) asked << m.text, over << m.owner;
    QCOMPARE(asked, (QStringList{"Salvare le modifiche alla finestra «Riepilogo Mensile»?",
                                 "Salvare le modifiche alla finestra «Temperature giornaliere e "
                                 "media mensile»?"}));
    QCOMPARE(over, (QStringList{"mese", "medietemperature"}));
    QVERIFY(env.scripted().shell->endedWith.has_value());
  }
};

QTEST_MAIN(tst_unsaved)
#include "tst_unsaved.moc"
