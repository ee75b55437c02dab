// The daily temperature sheet: loading and saving its file, the means and
// their stopping rule, the key filter, the timers, the text report written to
// disk and the hand-off to the temperature archive dialog.

#include <QApplication>
#include <QClipboard>
#include <QtTest>

#include "archive/dialog4.h"
#include "print/stampa.h"
#include "sheets/medietemperature.h"
#include "summary/mese.h"
#include "testenv.h"

namespace {

using Cells = QMap<int, QString>;  // Text1 index -> text

void fill(medietemperature* w, const Cells& cells) {
  for (auto it = cells.begin(); it != cells.end(); ++it) w->Text1[it.key()]->setText(it.value());
}

QStringList captions(medietemperature* w) {
  QStringList c;
  for (QLabel* l : {w->mediamax, w->decadeunomin, w->decadeduemin, w->decadetremin, w->mediamin,
                    w->decadeunomax, w->decadeduemax, w->decadetremax})
    c << l->text();
  return c;
}

QStringList fieldTexts(medietemperature* w) {
  QStringList t;
  for (QLineEdit* f : w->Text1) t << f->text();
  return t;
}

bool tinted(QLineEdit* f) {
  return f->palette().color(QPalette::Base) == medietemperature::kBelowZero;
}

}  // namespace

class tst_medietemperature : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { pinItalianLocale(); }

  void opening();
  void loading_data();
  void loading();
  void means_data();
  void means();
  void meanStopsAndKeepsEarlierCaptions();
  void typing_data();
  void typing();
  void pastedTextIsCleaned();
  void belowZeroTint_data();
  void belowZeroTint();
  void buttonsFollowTheMeans_data();
  void buttonsFollowTheMeans();
  void saveAndReopen();
  void clearDoesNotTouchTheFile();
  void failedSaveIsReported();
  void report();
  void reportCancelled();
  void reportWriteFailure();
  void handOff_data();
  void handOff();
  void closing();
  void summaryBothWays();
  void printDialog();
};

void tst_medietemperature::opening() {
  TestEnv env;
  auto* w = env.ctx().window<medietemperature>();
  QCOMPARE(w->windowTitle(), QStringLiteral("Temperature giornaliere e media mensile"));
  QCOMPARE(w->DTPicker1->date(), QDate::currentDate());
  QCOMPARE(captions(w), QStringList(8, QStringLiteral("0.")));
  QVERIFY(!w->Command7->isEnabled());
  QVERIFY(!w->Command8->isEnabled());
  QCOMPARE(w->sheetPath(), env.path(QStringLiteral("tempmedie.txt")));
  QVERIFY(w->Text1[0]->isHidden());
  QCOMPARE(w->Text1[1]->toolTip(), QStringLiteral("1° Giorno"));
  QCOMPARE(w->Text1[31]->toolTip(), QStringLiteral("31° Giorno"));
  QCOMPARE(w->Text1[32]->toolTip(), QStringLiteral("1° Giorno"));
  QCOMPARE(w->Text1[62]->toolTip(), QStringLiteral("31° Giorno"));
  QCOMPARE(w->Text1[2]->maxLength(), 5);
  QCOMPARE(w->Text1[62]->maxLength(), 5);
  QVERIFY(w->Text1[1]->maxLength() > 1000);  // the day-1 minimum has no limit
  // The picker shows the month name, a comma and the year.
  w->DTPicker1->setDate(QDate(2024, 3, 15));
  QCOMPARE(w->DTPicker1->text(), QStringLiteral("marzo, 2024"));
  QCOMPARE(w->month(), 3);
  QCOMPARE(w->year(), 2024);
  QCOMPARE(w->findChild<QLineEdit*>(QStringLiteral("Text1_40")), w->Text1[40]);
}

void tst_medietemperature::loading_data() {
  QTest::addColumn<QByteArray>("file");  // "<none>": no file
  QTest::addColumn<Cells>("expected");   // the non-empty fields
  QTest::newRow("fresh installation") << QByteArray() << Cells{};
  QTest::newRow("missing file") << QByteArray("<none>") << Cells{};
  QByteArray line = "h|5|" + QByteArray(30, '|') + "12|" + QByteArray(29, '|') + "-3|\r\n";
  QTest::newRow("full line") << line << Cells{{0, "h"}, {1, "5"}, {32, "12"}, {62, "-3"}};
  QTest::newRow("short line") << QByteArray("|1|2|\r\n") << Cells{{1, "1"}, {2, "2"}};
  QTest::newRow("longer value kept whole")
      << QByteArray("|1|-12,75|\r\n") << Cells{{1, "1"}, {2, "-12,75"}};
  QTest::newRow("ANSI text") << QByteArray("|\xB0|\r\n") << Cells{{1, "°"}};
}

void tst_medietemperature::loading() {
  QFETCH(QByteArray, file);
  QFETCH(Cells, expected);
  TestEnv env;
  if (file == "<none>")
    QVERIFY(QFile::remove(env.path(QStringLiteral("tempmedie.txt"))));
  else if (!file.isEmpty())
    env.writeFile(QStringLiteral("tempmedie.txt"), file);
  auto* w = env.ctx().window<medietemperature>();
  QStringList want(medietemperature::kFields);
  for (auto it = expected.begin(); it != expected.end(); ++it) want[it.key()] = it.value();
  QCOMPARE(fieldTexts(w), want);
}

void tst_medietemperature::means_data() {
  QTest::addColumn<Cells>("cells");
  QTest::addColumn<bool>("maxima");  // Command3 rather than Command1
  QTest::addColumn<QStringList>("expected");
  const QString z = QStringLiteral("0.");
  QTest::newRow("minima, days 1 to 3") << Cells{{1, "2"}, {2, "4"}, {3, "6"}} << false
                                       << QStringList{"4,00", "4,00 °C", z, z, z, z, z, z};
  QTest::newRow("minima, every decade, negatives")
      << Cells{{1, "-2,5"}, {10, "-0,5"}, {11, "3"}, {20, "ab"}, {21, "1"}, {31, "2"}} << false
      << QStringList{"0,60", "-1,50 °C", "3,00 °C", "1,50 °C", z, z, z, z};
  QTest::newRow("maxima only from 32 to 62")
      << Cells{{0, "100"}, {1, "50"}, {32, "10"}, {41, "20"},
               {42, "1"},  {51, "2"}, {52, "30"}, {62, "31"}}
      << true << QStringList{z, z, z, z, "15,67", "15,00 °C", "1,50 °C", "30,50 °C"};
  QTest::newRow("hidden field never counts") << Cells{{0, "100"}} << true << QStringList(8, z);
  QTest::newRow("letters only change nothing")
      << Cells{{1, "abc"}, {2, "-"}} << false << QStringList(8, z);
  QTest::newRow("day 31 of the maxima in the third decade")
      << Cells{{32, "4"}, {43, "6"}, {62, "8"}} << true
      << QStringList{z, z, z, z, "6,00", "4,00 °C", "6,00 °C", "8,00 °C"};
  QTest::newRow("huge day-1 minimum: the month fails")
      << Cells{{1, "1e308"}, {2, "9e307"}} << false << QStringList(8, z);
}

void tst_medietemperature::means() {
  QFETCH(Cells, cells);
  QFETCH(bool, maxima);
  QFETCH(QStringList, expected);
  TestEnv env;
  auto* w = env.ctx().window<medietemperature>();
  fill(w, cells);
  QTest::mouseClick(maxima ? w->Command3 : w->Command1, Qt::LeftButton);
  QCOMPARE(captions(w), expected);
}

void tst_medietemperature::meanStopsAndKeepsEarlierCaptions() {
  TestEnv env;
  auto* w = env.ctx().window<medietemperature>();
  fill(w, {{1, "1"}, {11, "2"}, {21, "3"}});
  w->Command1_Click();
  QCOMPARE(captions(w).mid(0, 4), (QStringList{"2,00", "1,00 °C", "2,00 °C", "3,00 °C"}));
  // Now the second decade is empty: the month and first decade change, the
  // second stops the computation and the third keeps its previous caption.
  w->Text1[11]->clear();
  w->Text1[1]->setText(QStringLiteral("5"));
  w->Command1_Click();
  QCOMPARE(captions(w).mid(0, 4), (QStringList{"4,00", "5,00 °C", "2,00 °C", "3,00 °C"}));
}

void tst_medietemperature::typing_data() {
  QTest::addColumn<int>("index");
  QTest::addColumn<QString>("keys");
  QTest::addColumn<QString>("shown");
  QTest::newRow("period becomes comma") << 5 << "12.5"
                                        << "12,5";
  QTest::newRow("comma, minus and letters pass") << 40 << "-1,a"
                                                 << "-1,a";
  QTest::newRow("bar dropped") << 40 << "-1|2"
                               << "-12";
  QTest::newRow("five characters at most") << 6 << "-12.75"
                                           << "-12,7";
  QTest::newRow("day-1 minimum without limit") << 1 << "-123.456"
                                               << "-123,456";
  QTest::newRow("maximum of day 31") << 62 << "3.|5"
                                     << "3,5";
}

void tst_medietemperature::typing() {
  QFETCH(int, index);
  QFETCH(QString, keys);
  QFETCH(QString, shown);
  TestEnv env;
  auto* w = env.ctx().window<medietemperature>();
  QTest::keyClicks(w->Text1[index], keys);
  QCOMPARE(w->Text1[index]->text(), shown);
}

void tst_medietemperature::pastedTextIsCleaned() {
  TestEnv env;
  auto* w = env.ctx().window<medietemperature>();
  QLineEdit* f = w->Text1[3];
  f->setText(QStringLiteral("1"));
  f->setCursorPosition(1);
  QApplication::clipboard()->setText(QStringLiteral("|2\r\n|"));
  f->paste();
  QCOMPARE(f->text(), QStringLiteral("12"));
  QCOMPARE(f->cursorPosition(), 2);
  // Saved and read back exactly as it stands.
  QVERIFY(w->sbScriviFileA());
  w->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCOMPARE(env.ctx().window<medietemperature>()->Text1[3]->text(), QStringLiteral("12"));
}

void tst_medietemperature::belowZeroTint_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("blue");
  QTest::newRow("-0,5") << "-0,5" << true;
  QTest::newRow("-3") << "-3" << true;
  QTest::newRow("blanks around") << " -1 " << true;
  QTest::newRow("grouped thousand") << "-1.000" << true;
  QTest::newRow("zero") << "0" << false;
  QTest::newRow("minus zero") << "-0" << false;
  QTest::newRow("positive") << "4,5" << false;
  QTest::newRow("letters") << "abc" << false;
  QTest::newRow("lone minus") << "-" << false;
  QTest::newRow("empty") << "" << false;
}

void tst_medietemperature::belowZeroTint() {
  QFETCH(QString, text);
  QFETCH(bool, blue);
  TestEnv env;
  auto* w = env.ctx().window<medietemperature>();
  const QColor normal = w->Text1[9]->palette().color(QPalette::Base);
  QVERIFY(normal != medietemperature::kBelowZero);
  for (int i : {0, 9, 45}) w->Text1[i]->setText(text);
  w->Timer2_Timer();
  for (int i : {0, 9, 45}) QCOMPARE(tinted(w->Text1[i]), blue);
  QVERIFY(!tinted(w->Text1[10]));
  // Back to a plain value: back to the normal background.
  w->Text1[9]->setText(QStringLiteral("0"));
  w->Timer2_Timer();
  QCOMPARE(w->Text1[9]->palette().color(QPalette::Base), normal);
  QCOMPARE(tinted(w->Text1[45]), blue);
}

void tst_medietemperature::buttonsFollowTheMeans_data() {
  QTest::addColumn<QString>("minima");
  QTest::addColumn<QString>("maxima");
  QTest::addColumn<bool>("enabled");
  QTest::newRow("at opening") << "0."
                              << "0." << false;
  QTest::newRow("minima only") << "4,00"
                               << "0." << false;
  QTest::newRow("maxima only") << "0."
                               << "9,00" << false;
  QTest::newRow("both") << "4,00"
                        << "9,00" << true;
  QTest::newRow("negative and positive") << "-1,25"
                                         << "3,10" << true;
  QTest::newRow("a mean of exactly zero") << "0,00"
                                          << "1,00" << false;
  QTest::newRow("grouped") << "1.234,50"
                           << "2,00" << true;
}

void tst_medietemperature::buttonsFollowTheMeans() {
  QFETCH(QString, minima);
  QFETCH(QString, maxima);
  QFETCH(bool, enabled);
  TestEnv env;
  auto* w = env.ctx().window<medietemperature>();
  w->mediamax->setText(minima);
  w->mediamin->setText(maxima);
  w->Timer1_Timer();
  QCOMPARE(w->Command7->isEnabled(), enabled);
  QCOMPARE(w->Command8->isEnabled(), enabled);
  // And back.
  w->mediamax->setText(QStringLiteral("0."));
  w->Timer1_Timer();
  QVERIFY(!w->Command7->isEnabled());
  QVERIFY(!w->Command8->isEnabled());
}

void tst_medietemperature::saveAndReopen() {
  TestEnv env;
  auto* w = env.ctx().window<medietemperature>();
  QTest::keyClicks(w->Text1[1], QStringLiteral("5"));
  QTest::keyClicks(w->Text1[32], QStringLiteral("12"));
  w->Text1[7]->setText(QStringLiteral(" 7 "));
  QTest::mouseClick(w->Command5, Qt::LeftButton);
  const QByteArray expected = "|5|" + QByteArray(5, '|') + "7|" + QByteArray(24, '|') + "12|" +
                              QByteArray(30, '|') + "\r\n";
  QCOMPARE(env.readFile(QStringLiteral("tempmedie.txt")), expected);
  QVERIFY(env.dialogs().messages.isEmpty());
  w->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(!env.ctx().existing<medietemperature>());
  auto* again = env.ctx().window<medietemperature>();
  QVERIFY(again != nullptr);
  QCOMPARE(again->Text1[1]->text(), QStringLiteral("5"));
  QCOMPARE(again->Text1[7]->text(), QStringLiteral("7"));
  QCOMPARE(again->Text1[32]->text(), QStringLiteral("12"));
  // Enter in a field saves as well ("&Aggiorna" is the default button).
  again->show();
  again->Text1[2]->setText(QStringLiteral("3"));
  QTest::keyClick(again->Text1[2], Qt::Key_Return);
  QTRY_VERIFY(env.readFile(QStringLiteral("tempmedie.txt")).startsWith("|5|3|"));
}

void tst_medietemperature::clearDoesNotTouchTheFile() {
  TestEnv env;
  env.writeFile(QStringLiteral("tempmedie.txt"), "|1|2|\r\n");
  auto* w = env.ctx().window<medietemperature>();
  w->Command1_Click();
  w->Text2->setPlainText(QStringLiteral("report"));
  QCOMPARE(w->mediamax->text(), QStringLiteral("1,50"));
  QTest::mouseClick(w->Command2, Qt::LeftButton);
  QCOMPARE(fieldTexts(w), QStringList(medietemperature::kFields));
  QCOMPARE(w->Text2->toPlainText(), QString());
  QCOMPARE(captions(w), QStringList(8, QStringLiteral("0.")));
  QCOMPARE(env.readFile(QStringLiteral("tempmedie.txt")), QByteArray("|1|2|\r\n"));
  QVERIFY(env.dialogs().messages.isEmpty());
  env.dialogs().answers << MsgAnswer::No;  // closed without saving
  w->CommandButton3_Click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  auto* again = env.ctx().window<medietemperature>();
  QCOMPARE(again->Text1[2]->text(), QStringLiteral("2"));
}

void tst_medietemperature::failedSaveIsReported() {
  TestEnv env;
  auto* w = env.ctx().window<medietemperature>();
  // The sheet file's place is taken by a folder: it cannot be written.
  QVERIFY(QFile::remove(w->sheetPath()));
  QVERIFY(QDir().mkdir(w->sheetPath()));
  w->Text1[1]->setText(QStringLiteral("4"));
  w->Command5_Click();
  QCOMPARE(env.dialogs().messages.size(), 1);
  QCOMPARE(env.dialogs().messages[0].icon, MsgIcon::Critical);
  QCOMPARE(env.dialogs().messages[0].title, QStringLiteral("Nubilario"));
  QVERIFY(env.dialogs().lastMessage().contains(w->sheetPath()));
  QVERIFY(QFileInfo(w->sheetPath()).isDir());
  QCOMPARE(w->Text1[1]->text(), QStringLiteral("4"));  // the sheet is as it was
}

void tst_medietemperature::report() {
  TestEnv env;
  env.loadMainWindow();
  env.setStation(QStringLiteral("Monte"));
  auto* w = env.ctx().window<medietemperature>();
  w->DTPicker1->setDate(QDate(2026, 3, 1));
  fill(w, {{1, "2"}, {32, "9"}, {15, "1"}, {31, " -0,5"}});
  w->Command1_Click();
  w->Command3_Click();
  w->Timer1_Timer();
  QVERIFY(w->Command8->isEnabled());
  const QString target = env.folder() + QStringLiteral("/marzo.txt");
  env.dialogs().savePaths << target;
  QTest::mouseClick(w->Command8, Qt::LeftButton);

  QCOMPARE(env.dialogs().saveRequests.size(), 1);
  const SaveFileRequest& r = env.dialogs().saveRequests[0];
  QCOMPARE(r.filter, QStringLiteral("All Files|*.*|Text Files (*.txt)|*.txt"));
  QCOMPARE(r.filterIndex, 2);
  QCOMPARE(r.flags, 2054);
  QVERIFY(r.title.isEmpty());
  QVERIFY(r.initialName.isEmpty());
  QVERIFY(r.initialFolder.isEmpty());

  QFile f(target);
  QVERIFY(f.open(QIODevice::ReadOnly));
  const QByteArray bytes = f.readAll();
  QVERIFY(
      bytes.startsWith("Stazione meteorologica Monte - Temperature mese: 3/2026\r\n\r\n"
                       "1\xB0 Giorno: 2 \xB0"
                       "C   /   9 \xB0"
                       "C\r\n\r\n"
                       "2\xB0 Giorno:   \xB0"
                       "C    /     \xB0"
                       "C\r\n\r\n"));
  QVERIFY(
      bytes.contains("\r\n\r\n31\xB0 Giorno:  -0,5 \xB0"
                     "C    /     \xB0"
                     "C\r\n\r\n\r\n"
                     "Media valori minimi (\xB0"
                     "C): 0,83\r\n\r\n"
                     "Prima decade: 2,00 \xB0"
                     "C\r\n"
                     "Seconda decade: 1,00 \xB0"
                     "C\r\n"
                     "Terza decade: -0,50 \xB0"
                     "C\r\n\r\n"
                     "Media valori massimi (\xB0"
                     "C): 9,00\r\n\r\n"
                     "Prima decade: 9,00 \xB0"
                     "C\r\n"
                     "Seconda decade: 0.\r\n"
                     "Terza decade: 0.\r\n\r\n"
                     "Riepilogo creato con Nubilario 3.0 Pro\r\n"));
  QVERIFY(bytes.endsWith("Nubilario 3.0 Pro\r\n"));
  QCOMPARE(bytes.count("\xB0 Giorno:"), 31);
  QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
  QVERIFY(!bytes.contains("\xC2"));  // no UTF-8
  QVERIFY(env.dialogs().messages.isEmpty());
  // The hidden text box holds the report.
  QCOMPARE(w->Text2->toPlainText().count(QStringLiteral("° Giorno:")), 31);
  // Each click asks again; an existing file is replaced whole.
  env.dialogs().savePaths << target;
  w->Text1[1]->setText(QStringLiteral("3"));
  w->Command8_Click();
  QCOMPARE(env.dialogs().saveRequests.size(), 2);
  QVERIFY(f.seek(0));
  QCOMPARE(f.readAll().size(), bytes.size());
}

void tst_medietemperature::reportCancelled() {
  TestEnv env;
  auto* w = env.ctx().window<medietemperature>();
  const QStringList before = QDir(env.folder()).entryList(QDir::Files);
  w->Command8_Click();  // no answer: the dialog is cancelled
  QCOMPARE(env.dialogs().saveRequests.size(), 1);
  QCOMPARE(QDir(env.folder()).entryList(QDir::Files), before);
  QVERIFY(env.dialogs().messages.isEmpty());
}

void tst_medietemperature::reportWriteFailure() {
  TestEnv env;
  auto* w = env.ctx().window<medietemperature>();
  const QString missing = env.folder() + QStringLiteral("/manca/rapporto.txt");
  env.dialogs().savePaths << missing;
  w->Command8_Click();
  QCOMPARE(env.dialogs().messages.size(), 1);
  QCOMPARE(env.dialogs().messages[0].icon, MsgIcon::Critical);
  QCOMPARE(env.dialogs().messages[0].title, QStringLiteral("Nubilario"));
  QVERIFY(env.dialogs().lastMessage().contains(QStringLiteral("non è stato salvato")));
  QVERIFY(!QFile::exists(missing));
}

void tst_medietemperature::handOff_data() {
  QTest::addColumn<Cells>("cells");
  QTest::addColumn<QString>("minn");
  QTest::addColumn<QString>("mass");
  QTest::newRow("positive") << Cells{{1, "3,1"}, {32, "12,35"}} << "3,10"
                            << "12,35";
  QTest::newRow("longer than the field") << Cells{{1, "-12,35"}, {32, "-1"}} << "-12,35"
                                         << "-1,00";
}

void tst_medietemperature::handOff() {
  QFETCH(Cells, cells);
  QFETCH(QString, minn);
  QFETCH(QString, mass);
  TestEnv env;
  Form1* main = env.loadMainWindow();
  main->showPanel(ArchiveKind::Rain, true);
  auto* w = env.ctx().window<medietemperature>();
  fill(w, cells);
  w->Command1_Click();
  w->Command3_Click();
  w->Timer1_Timer();
  QVERIFY(w->Command7->isEnabled());

  bool seen = false;
  env.onNextWindow<Dialog4>([&](Dialog4& dialog) {
    seen = true;
    QCOMPARE(dialog.minn->text(), minn);
    QCOMPARE(dialog.mass->text(), mass);
    QCOMPARE(main->visiblePanel(), ArchiveKind::Temperature);
    // The markers stay where the user left them.
    QVERIFY(main->markerVisible(ArchiveKind::Rain));
    QVERIFY(!main->markerVisible(ArchiveKind::Temperature));
    dialog.reject();
  });
  QTest::mouseClick(w->Command7, Qt::LeftButton);
  QVERIFY(seen);
  QVERIFY(!QApplication::activeModalWidget());
  // The sheet is as before.
  QCOMPARE(w->mediamax->text(), minn);
  QCOMPARE(w->mediamin->text(), mass);
  QCOMPARE(w->Text1[1]->text(), cells.value(1));
}

void tst_medietemperature::closing() {
  TestEnv env;
  Form1* main = env.loadMainWindow();
  main->show();
  auto* w = env.ctx().window<medietemperature>();
  w->show();
  QVERIFY(QTest::qWaitForWindowExposed(w));
  w->activateWindow();
  QTRY_VERIFY(w->isActiveWindow());
  w->Text1[4]->setText(QStringLiteral("9"));  // not saved
  env.dialogs().answers << MsgAnswer::No;
  QTest::mouseClick(w->CommandButton3, Qt::LeftButton);
  QTRY_VERIFY(!env.ctx().existing<medietemperature>());
  QTRY_VERIFY(main->isActiveWindow());
  QCOMPARE(env.ctx().window<medietemperature>()->Text1[4]->text(), QString());
}

void tst_medietemperature::summaryBothWays() {
  TestEnv env;
  env.loadMainWindow();
  auto* w = env.ctx().window<medietemperature>();
  w->mostra();
  w->Text1[3]->setText(QStringLiteral("8"));
  QVERIFY(!env.ctx().existing<mese>());
  QTest::mouseClick(w->Command6, Qt::LeftButton);
  QVERIFY(env.ctx().existing<mese>());
  QVERIFY(env.ctx().existing<mese>()->isVisible());
  // From the summary back to the open sheet: brought forward unchanged.
  env.ctx().existing<mese>()->Command7_Click();
  QCOMPARE(env.ctx().existing<medietemperature>(), w);
  QCOMPARE(w->Text1[3]->text(), QStringLiteral("8"));
  QVERIFY(w->isVisible());
}

void tst_medietemperature::printDialog() {
  TestEnv env;
  env.loadMainWindow();
  auto* w = env.ctx().window<medietemperature>();
  w->mostra();
  bool shown = false;
  env.onNextWindow<stampa>([&](stampa& dialog) {
    shown = true;
    dialog.CancelButton->click();
  });
  QTest::mouseClick(w->Command4, Qt::LeftButton);
  QVERIFY(shown);
  QVERIFY(!QApplication::activeModalWidget());
  QCOMPARE(env.ctx().existing<medietemperature>(), w);
}

QTEST_MAIN(tst_medietemperature)
#include "tst_medietemperature.moc"
