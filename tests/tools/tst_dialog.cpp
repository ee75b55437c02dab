// The notes window: saving into the notes folder (names, overwrite, cancel,
// write failures), copying, the print dialog, and the main window's notes
// button and menu entry kept in step.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTimer>

#include "print/stampa.h"
#include "testenv.h"
#include "tools/dialog.h"

namespace {

const QString kSaved = QStringLiteral("Gli appunti sono  stati salvati correttamente");

struct Notes {
  TestEnv env;
  Form1* main = nullptr;
  QString folder;
  Notes() {
    main = env.loadMainWindow();
    folder = env.path(QStringLiteral("note"));
    QDir().mkpath(folder);
    env.setNotesFolder(folder);
  }
  Dialog* open() {
    Dialog* d = env.ctx().window<Dialog>();
    d->show();
    return d;
  }
  QStringList filesInFolder() const {
    return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
  }
};

}  // namespace

class TestDialog : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void initTestCase() { pinItalianLocale(); }

  void controls();
  void loadAndUnloadKeepMainWindowInStep();
  void reopenedWindowIsEmpty();
  void escapeKeepsTheNotes();
  void save_data();
  void save();
  void saveTwiceOverwrites();
  void notesFolderFromConfiguration_data();
  void notesFolderFromConfiguration();
  void cancelOrEmptyWritesNothing_data();
  void cancelOrEmptyWritesNothing();
  void writeFailureIsReported();
  void badNamesAreRefused_data();
  void badNamesAreRefused();
  void copy_data();
  void copy();
  void printButtonOpensPrintDialog();
  void mainWindowToggles_data();
  void mainWindowToggles();
};

void TestDialog::controls() {
  Notes t;
  Dialog* d = t.open();
  QCOMPARE(d->windowTitle(), "Appunti");
  QVERIFY(d->Text1->toPlainText().isEmpty());
  QCOMPARE(d->okbutton->text(), "&Salva...");
  QCOMPARE(d->okbutton->toolTip(), "Salva gli Appunti con nome");
  QVERIFY(d->okbutton->isDefault());
  QCOMPARE(d->Command1->text(), "C&opia contenuto");
  QCOMPARE(d->Command1->toolTip(), "Copia gli Appunti");
  QCOMPARE(d->Command2->text(), "S&tampa...");
  QCOMPARE(d->Command2->toolTip(), "Stampa gli Appunti");
  QCOMPARE(d->cancelbutton->text(), "&Chiudi");
  QCOMPARE(d->parentWidget(), t.main);
}

void TestDialog::loadAndUnloadKeepMainWindowInStep() {
  Notes t;
  QAction* finapp = t.main->finapp;
  QAction* button = t.main->appunti;
  QVERIFY(!finapp->isChecked() && !button->isChecked());
  Dialog* d = t.open();
  QVERIFY(finapp->isChecked());
  QVERIFY(button->isChecked());
  QTest::mouseClick(d->cancelbutton, Qt::LeftButton);
  QVERIFY(!finapp->isChecked());
  QVERIFY(!button->isChecked());
  QVERIFY(!d->isVisible());

  // The close box unloads it the same way.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  d = t.open();
  QVERIFY(finapp->isChecked());
  d->close();
  QVERIFY(!finapp->isChecked());
  QVERIFY(!button->isChecked());
}

void TestDialog::reopenedWindowIsEmpty() {
  Notes t;
  Dialog* d = t.open();
  d->Text1->setPlainText(QStringLiteral("da buttare"));
  t.env.dialogs().answers << MsgAnswer::No;
  d->cancelbutton->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(!t.env.ctx().existing<Dialog>());
  QVERIFY(t.open()->Text1->toPlainText().isEmpty());
}

void TestDialog::escapeKeepsTheNotes() {
  Notes t;
  Dialog* d = t.open();
  d->Text1->setPlainText(QStringLiteral("importante"));
  QTest::keyClick(d->Text1, Qt::Key_Escape);
  QVERIFY(d->isVisible());
  QCOMPARE(d->Text1->toPlainText(), "importante");
}

void TestDialog::save_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("answer");
  QTest::addColumn<QString>("file");
  QTest::addColumn<QByteArray>("bytes");
  QTest::newRow("one line") << "pioggia"
                            << "prova"
                            << "prova.txt" << QByteArray("pioggia\r\n");
  QTest::newRow("lines get CR LF") << "riga 1\nriga 2\n"
                                   << "prova"
                                   << "prova.txt" << QByteArray("riga 1\r\nriga 2\r\n\r\n");
  QTest::newRow("empty text") << ""
                              << "vuoto"
                              << "vuoto.txt" << QByteArray("\r\n");
  QTest::newRow("name ending in .txt") << "x"
                                       << "prova.txt"
                                       << "prova.txt.txt" << QByteArray("x\r\n");
  QTest::newRow("accents in ANSI") << "già più €"
                                   << "città"
                                   << "città.txt" << QByteArray("gi\xe0 pi\xf9 \x80\r\n");
  QTest::newRow("blanks and dots in the name") << "x"
                                               << " note .del 3"
                                               << " note .del 3.txt" << QByteArray("x\r\n");
}

void TestDialog::save() {
  QFETCH(QString, text);
  QFETCH(QString, answer);
  QFETCH(QString, file);
  QFETCH(QByteArray, bytes);
  Notes t;
  Dialog* d = t.open();
  d->Text1->setPlainText(text);
  t.env.dialogs().inputs = {answer};
  QTest::mouseClick(d->okbutton, Qt::LeftButton);

  QCOMPARE(t.env.dialogs().inputPrompts,
           QStringList{"Specificare il nome del file che sarà salvato in: " + t.folder});
  QCOMPARE(t.filesInFolder(), QStringList{file});
  QCOMPARE(bytesOf(QDir(t.folder).filePath(file)), bytes);
  QCOMPARE(t.env.dialogs().messages.size(), 1);
  const auto& m = t.env.dialogs().messages.first();
  QCOMPARE(m.text, kSaved);
  QCOMPARE(m.icon, MsgIcon::Information);
  QCOMPARE(m.title, "Nubilario");
  QCOMPARE(d->Text1->toPlainText(), text);
}

void TestDialog::saveTwiceOverwrites() {
  Notes t;
  Dialog* d = t.open();
  d->Text1->setPlainText(QStringLiteral("una riga molto lunga, la prima"));
  t.env.dialogs().inputs = {QStringLiteral("diario"), QStringLiteral("diario")};
  d->okbutton_Click();
  d->Text1->setPlainText(QStringLiteral("corta"));
  d->okbutton_Click();
  QCOMPARE(bytesOf(QDir(t.folder).filePath("diario.txt")), QByteArray("corta\r\n"));
  QCOMPARE(t.filesInFolder(), QStringList{"diario.txt"});
  QCOMPARE(t.env.dialogs().messages.size(), 2);  // no question, two confirmations
  for (const auto& m : t.env.dialogs().messages) QCOMPARE(m.text, kSaved);
}

void TestDialog::notesFolderFromConfiguration_data() {
  // Line 4 of config.cfg, "%1" standing for the data folder; where the notes go.
  QTest::addColumn<QByteArray>("config");
  QTest::addColumn<QString>("into");
  QTest::newRow("shipped configuration") << QByteArray() << "";
  QTest::newRow("empty folder, summaries elsewhere")
      << QByteArray("Monte\r\nsi\r\n(a norma)\r\n\r\n/altrove\r\n") << "";
  QTest::newRow("folder named") << QByteArray("Monte\r\nsi\r\n(a norma)\r\n%1/note\r\n\r\n")
                                << "note";
}

void TestDialog::notesFolderFromConfiguration() {
  QFETCH(QByteArray, config);
  QFETCH(QString, into);
  TestEnv env;
  QDir().mkpath(env.path("note"));
  if (!config.isEmpty()) env.writeFile("config.cfg", config.replace("%1", env.folder().toUtf8()));
  env.loadMainWindow();
  Dialog* d = env.ctx().window<Dialog>();
  d->show();
  d->Text1->setPlainText("x");
  env.dialogs().inputs = {"prova"};
  QTest::mouseClick(d->okbutton, Qt::LeftButton);
  const QString folder = into.isEmpty() ? env.folder() : env.path(into);
  QCOMPARE(env.dialogs().inputPrompts,
           QStringList{"Specificare il nome del file che sarà salvato in: " + folder});
  QCOMPARE(bytesOf(QDir(folder).filePath("prova.txt")), QByteArray("x\r\n"));
}

void TestDialog::cancelOrEmptyWritesNothing_data() {
  QTest::addColumn<std::optional<QString>>("answer");
  QTest::newRow("cancelled") << std::optional<QString>();
  QTest::newRow("empty answer") << std::optional<QString>(QString());
}

void TestDialog::cancelOrEmptyWritesNothing() {
  QFETCH(std::optional<QString>, answer);
  Notes t;
  Dialog* d = t.open();
  d->Text1->setPlainText(QStringLiteral("testo"));
  t.env.dialogs().inputs = {answer};
  d->okbutton_Click();
  QCOMPARE(t.env.dialogs().inputPrompts.size(), 1);
  QVERIFY(t.filesInFolder().isEmpty());
  QVERIFY(t.env.dialogs().messages.isEmpty());
}

void TestDialog::writeFailureIsReported() {
  Notes t;
  // The configured folder has gone, and a folder takes the file's name in another.
  const QString missing = t.env.path(QStringLiteral("sparita"));
  for (const QString& folder : {missing, t.folder}) {
    t.env.setNotesFolder(folder);
    QDir(t.folder).mkdir(QStringLiteral("occupato.txt"));
    Dialog* d = t.open();
    d->Text1->setPlainText(QStringLiteral("da non perdere"));
    t.env.dialogs().messages.clear();
    t.env.dialogs().inputs = {QStringLiteral("occupato")};
    d->okbutton_Click();

    QCOMPARE(t.env.dialogs().messages.size(), 1);
    const auto& m = t.env.dialogs().messages.first();
    QCOMPARE(m.icon, MsgIcon::Critical);
    QCOMPARE(m.title, "Nubilario");
    QVERIFY2(m.text.contains("non sono stati salvati"), qPrintable(m.text));
    QVERIFY(m.text != kSaved);
    QVERIFY(d->isVisible());
    QCOMPARE(d->Text1->toPlainText(), "da non perdere");
  }
  QVERIFY(!QFileInfo::exists(missing));
}

void TestDialog::badNamesAreRefused_data() {
  QTest::addColumn<QString>("answer");
  QTest::newRow("parent folder") << "../fuori";
  QTest::newRow("absolute path") << "/tmp/nubilario-fuori";
  QTest::newRow("sub folder") << "a/b";
  QTest::newRow("backslash") << "..\\fuori";
  QTest::newRow("dot") << ".";
  QTest::newRow("dot dot") << "..";
  QTest::newRow("only blanks") << "   ";
  QTest::newRow("NUL") << QString("a") + QChar(0) + "b";
  QTest::newRow("line break") << "a\nb";
  QTest::newRow("too long") << QString(260, 'x');
}

void TestDialog::badNamesAreRefused() {
  QFETCH(QString, answer);
  Notes t;
  Dialog* d = t.open();
  d->Text1->setPlainText(QStringLiteral("testo"));
  const QStringList around =
      QDir(t.env.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
  t.env.dialogs().inputs = {answer};
  d->okbutton_Click();

  QCOMPARE(t.env.dialogs().messages.size(), 1);
  const auto& m = t.env.dialogs().messages.first();
  QVERIFY(m.text != kSaved);
  QVERIFY2(m.text.startsWith("Il nome del file"), qPrintable(m.text));
  QVERIFY(m.text.endsWith("Gli appunti non sono stati salvati."));
  QCOMPARE(m.icon, MsgIcon::Exclamation);
  QVERIFY(t.filesInFolder().isEmpty());
  QCOMPARE(QDir(t.env.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), around);
  QVERIFY(!QFileInfo::exists("/tmp/nubilario-fuori.txt"));
  QCOMPARE(d->Text1->toPlainText(), "testo");
}

void TestDialog::copy_data() {
  QTest::addColumn<QString>("text");
  QTest::newRow("two lines") << "riga 1\nriga 2";
  QTest::newRow("empty") << "";
}

void TestDialog::copy() {
  QFETCH(QString, text);
  Notes t;
  ScriptedClipboard& clip = *t.env.scripted().clipboard;
  clip.text = QStringLiteral("vecchio");
  Dialog* d = t.open();
  d->Text1->setPlainText(text);
  QTest::mouseClick(d->Command1, Qt::LeftButton);
  QCOMPARE(clip.history.value(0), "clear");
  QCOMPARE(clip.text, text);
}

void TestDialog::printButtonOpensPrintDialog() {
  Notes t;
  Dialog* d = t.open();
  d->Text1->setPlainText(QStringLiteral("da stampare"));
  bool seen = false;
  t.env.onNextWindow<stampa>([&](stampa& s) {
    seen = true;
    QCOMPARE(s.parentWidget(), d);
    s.Option6->click();
    s.OKButton->click();
  });
  t.env.dialogs().answers << MsgAnswer::No;  // printed, not saved
  QTest::mouseClick(d->Command2, Qt::LeftButton);
  QVERIFY(seen);
  QCOMPARE(t.env.scripted().printer->texts().value(4), "           da stampare");
  // The notes printout unloads the window.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(!t.env.ctx().existing<Dialog>());
  QVERIFY(!t.main->finapp->isChecked());
  QVERIFY(!t.main->appunti->isChecked());
}

void TestDialog::mainWindowToggles_data() {
  QTest::addColumn<bool>("fromMenu");
  QTest::newRow("toolbar button") << false;
  QTest::newRow("menu entry") << true;
}

void TestDialog::mainWindowToggles() {
  QFETCH(bool, fromMenu);
  Notes t;
  QAction* command = fromMenu ? t.main->finapp : t.main->appunti;
  command->trigger();
  Dialog* d = t.env.ctx().existing<Dialog>();
  QVERIFY(d && d->isVisible());
  QVERIFY(t.main->finapp->isChecked());
  QVERIFY(t.main->appunti->isChecked());
  d->Text1->setPlainText(QStringLiteral("scritto"));

  t.env.dialogs().answers << MsgAnswer::No;
  command->trigger();
  QVERIFY(!d->isVisible());
  QVERIFY(!t.main->finapp->isChecked());
  QVERIFY(!t.main->appunti->isChecked());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(!t.env.ctx().existing<Dialog>());

  // Open again: a new, empty window.
  command->trigger();
  QVERIFY(t.env.ctx().existing<Dialog>()->Text1->toPlainText().isEmpty());
  QVERIFY(t.main->appunti->isChecked());
}

QTEST_MAIN(TestDialog)
#include "tst_dialog.moc"
