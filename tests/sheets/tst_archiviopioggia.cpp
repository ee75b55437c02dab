// The daily precipitation sheet as the keeper uses it: load, typing, totals,
// highlighting, saving, clearing, the report and the hand-offs.

#include <QClipboard>
#include <QtTest>

#include "common/textfile.h"
#include "sheets/archiviopioggia.h"
#include "sheets/cellinput.h"
#include "sheets/medietemperature.h"
#include "sheets/pioggiaanno.h"
#include "summary/mese.h"
#include "testenv.h"

namespace {

const QString kFile = QStringLiteral("prpgiornaliera.txt");
const QColor kYellow(255, 255, 192);

// The line of a sheet whose cells are "0" except the given ones.
QByteArray sheetLine(const QMap<int, QByteArray>& cells) {
  QByteArray line;
  for (int i = 0; i <= 31; ++i) line += cells.value(i, "0") + '|';
  return line + "\r\n";
}

using Cells = QMap<int, QString>;

}  // namespace

class tst_archiviopioggia : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void cleanup();

  void freshSheet();
  void readsFile_data();
  void readsFile();
  void aggiornaWritesLine();
  void aggiornaFailureKeepsFileAndSaysSo();
  void totals_data();
  void totals();
  void badCellStopsTotals();
  void focusEmptiesZero_data();
  void focusEmptiesZero();
  void totalRightAfterOpening();
  void typing_data();
  void typing();
  void pastedText_data();
  void pastedText();
  void highlight_data();
  void highlight();
  void clearLeavesFile();
  void exportReport();
  void exportLoadsTemperatureSheetHidden();
  void exportCancelled();
  void exportFailureReported();
  void yearSheetOpens();
  void handOff_data();
  void handOff();
  void summaryAndBack();
  void closeUnloadsWithoutSaving();

 private:
  archiviopioggia* open();
  std::unique_ptr<TestEnv> env_;
};

void tst_archiviopioggia::init() {
  env_ = std::make_unique<TestEnv>();
  env_->loadMainWindow();
}

void tst_archiviopioggia::cleanup() { env_.reset(); }

archiviopioggia* tst_archiviopioggia::open() { return env_->ctx().window<archiviopioggia>(); }

void tst_archiviopioggia::freshSheet() {
  QFile::remove(env_->path(kFile));
  auto* w = open();
  QCOMPARE(w->windowTitle(), QStringLiteral("Precipitazioni giornaliere"));
  for (int i = 0; i <= 31; ++i) QCOMPARE(w->Text1[size_t(i)]->text(), QStringLiteral("0"));
  QVERIFY(w->Text1[0]->isHidden());
  QCOMPARE(w->Text1[17]->toolTip(), QStringLiteral("17° Giorno"));
  QCOMPARE(w->DTPicker1->date(), QDate::currentDate());
  for (QLabel* l : {w->totale, w->primadec, w->secondadec, w->terzadec})
    QCOMPARE(l->text(), QStringLiteral("0."));
  QVERIFY(!w->Command9->isEnabled());
  QVERIFY(!w->Command6->isEnabled());
  QVERIFY(!w->Command7->isEnabled());
  QVERIFY(w->Command2->isEnabled());

  w->Command1->click();
  QVERIFY(env_->dialogs().messages.isEmpty());
  for (QLabel* l : {w->totale, w->primadec, w->secondadec, w->terzadec})
    QCOMPARE(l->text(), QStringLiteral("0,00 mm"));
  QVERIFY(w->Command9->isEnabled());
  QVERIFY(w->Command6->isEnabled());
  QVERIFY(w->Command7->isEnabled());
  QVERIFY(w->Command2->isEnabled());
}

void tst_archiviopioggia::readsFile_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<Cells>("expected");  // cells not named hold "0"
  QTest::newRow("full line") << sheetLine({{0, "x"}, {1, "3,5"}, {31, "7"}})
                             << Cells{{0, "x"}, {1, "3,5"}, {31, "7"}};
  QTest::newRow("empty file") << QByteArray() << Cells{};
  QTest::newRow("short line empties the next cell")
      << QByteArray("|5|6|\r\n") << Cells{{0, ""}, {1, "5"}, {2, "6"}, {3, ""}};
  QByteArray forty;
  for (int i = 0; i < 40; ++i) forty += QByteArray::number(i) + '|';
  Cells first32;
  for (int i = 0; i <= 31; ++i) first32[i] = QString::number(i);
  QTest::newRow("forty values") << forty + "\r\n" << first32;
  QTest::newRow("Windows-1252 text")
      << QByteArray("0|poca\xB0|\r\n") << Cells{{1, "poca°"}, {2, ""}};
}

void tst_archiviopioggia::readsFile() {
  QFETCH(QByteArray, bytes);
  QFETCH(Cells, expected);
  env_->writeFile(kFile, bytes);
  auto* w = open();
  for (int i = 0; i <= 31; ++i)
    QCOMPARE(w->Text1[size_t(i)]->text(), expected.value(i, QStringLiteral("0")));
}

void tst_archiviopioggia::aggiornaWritesLine() {
  auto* w = open();
  w->Text1[1]->setText(QStringLiteral(" 7 "));
  w->Text1[2]->setText(QStringLiteral("12,4"));
  w->Text1[30]->setText(QString());
  w->Text1[31]->setText(QStringLiteral("già"));
  w->Command5->click();
  QCOMPARE(env_->readFile(kFile), sheetLine({{1, "7"}, {2, "12,4"}, {30, ""}, {31, "gi\xE0"}}));
  QVERIFY(env_->dialogs().messages.isEmpty());

  // What was written reads back as it was typed.
  w->close();
  QTRY_VERIFY(!env_->ctx().existing<archiviopioggia>());
  w = open();
  QCOMPARE(w->Text1[1]->text(), QStringLiteral("7"));
  QCOMPARE(w->Text1[2]->text(), QStringLiteral("12,4"));
  QCOMPARE(w->Text1[30]->text(), QString());
  QCOMPARE(w->Text1[31]->text(), QStringLiteral("già"));
}

void tst_archiviopioggia::aggiornaFailureKeepsFileAndSaysSo() {
  // A folder in the file's place: the new file cannot be put there.
  QFile::remove(env_->path(kFile));
  QVERIFY(QDir(env_->folder()).mkdir(kFile));
  auto* w = open();
  w->Text1[4]->setText(QStringLiteral("9"));
  w->Command5->click();
  QCOMPARE(env_->dialogs().messages.size(), 1);
  QCOMPARE(env_->dialogs().messages.first().icon, MsgIcon::Critical);
  QCOMPARE(env_->dialogs().messages.first().title, QStringLiteral("Nubilario"));
  QVERIFY(env_->dialogs().lastMessage().contains(QStringLiteral("non sono state salvate")));
  QVERIFY(QFileInfo(env_->path(kFile)).isDir());
  QCOMPARE(w->Text1[4]->text(), QStringLiteral("9"));
}

void tst_archiviopioggia::totals_data() {
  QTest::addColumn<Cells>("cells");
  QTest::addColumn<QStringList>("captions");
  QTest::newRow("rain on day 20") << Cells{{20, "5"}}
                                  << QStringList{"5,00 mm", "0,00 mm", "5,00 mm", "0,00 mm"};
  QTest::newRow("day 31 counts") << Cells{{31, "1"}, {1, "1.234,5"}}
                                 << QStringList{"1.235,50 mm", "1.234,50 mm", "0,00 mm", "1,00 mm"};
  QTest::newRow("hidden cell never counts")
      << Cells{{0, "999"}, {11, "0,1"}} << QStringList{"0,10 mm", "0,00 mm", "0,10 mm", "0,00 mm"};
}

void tst_archiviopioggia::totals() {
  QFETCH(Cells, cells);
  QFETCH(QStringList, captions);
  auto* w = open();
  for (auto it = cells.cbegin(); it != cells.cend(); ++it)
    w->Text1[size_t(it.key())]->setText(it.value());
  w->Command1->click();
  QCOMPARE((QStringList{w->totale->text(), w->primadec->text(), w->secondadec->text(),
                        w->terzadec->text()}),
           captions);
}

void tst_archiviopioggia::badCellStopsTotals() {
  auto* w = open();
  w->Text1[3]->setText(QStringLiteral("2"));
  w->Command1->click();
  QCOMPARE(w->totale->text(), QStringLiteral("2,00 mm"));
  w->Command2->setEnabled(false);  // the state to keep, whatever it is

  w->Text1[3]->setText(QStringLiteral("5"));
  w->Text1[25]->setText(QStringLiteral("pioggia"));
  w->Command1_Click();
  QCOMPARE(env_->dialogs().messages.size(), 1);
  const auto& m = env_->dialogs().messages.first();
  QCOMPARE(m.text, QStringLiteral("Errore: digitazione errata! Ricontrollare i campi"));
  QCOMPARE(m.icon, MsgIcon::Exclamation);
  QCOMPARE(m.buttons, MsgButtons::Ok);
  QCOMPARE(m.title, QStringLiteral("Nubilario"));
  QCOMPARE(w->totale->text(), QStringLiteral("2,00 mm"));
  QCOMPARE(w->primadec->text(), QStringLiteral("2,00 mm"));
  QVERIFY(!w->Command2->isEnabled());
  QVERIFY(w->Command7->isEnabled());

  // An overflow is a typing error too, never a wrapped figure.
  w->Text1[25]->setText(QStringLiteral("922337203685477"));
  w->Text1[26]->setText(QStringLiteral("922337203685477"));
  w->Command1_Click();
  QCOMPARE(env_->dialogs().messages.size(), 2);
  QCOMPARE(w->totale->text(), QStringLiteral("2,00 mm"));
}

void tst_archiviopioggia::focusEmptiesZero_data() {
  QTest::addColumn<QString>("before");
  QTest::addColumn<QString>("after");
  QTest::addColumn<Qt::FocusReason>("reason");
  QTest::newRow("clicked zero") << "0"
                                << "" << Qt::MouseFocusReason;
  QTest::newRow("tabbed zero") << "0"
                               << "" << Qt::TabFocusReason;
  QTest::newRow("zero decimals stay") << "0,0"
                                      << "0,0" << Qt::MouseFocusReason;
  QTest::newRow("value stays") << "5"
                               << "5" << Qt::TabFocusReason;
  QTest::newRow("empty stays") << ""
                               << "" << Qt::MouseFocusReason;
  QTest::newRow("window activation keeps zero") << "0"
                                                << "0" << Qt::ActiveWindowFocusReason;
}

void tst_archiviopioggia::focusEmptiesZero() {
  QFETCH(QString, before);
  QFETCH(QString, after);
  QFETCH(Qt::FocusReason, reason);
  auto* w = open();
  w->show();
  QVERIFY(QTest::qWaitForWindowExposed(w));
  w->Text1[8]->setText(before);
  QFocusEvent focusIn(QEvent::FocusIn, reason);
  QApplication::sendEvent(w->Text1[8], &focusIn);
  QCOMPARE(w->Text1[8]->text(), after);
}

void tst_archiviopioggia::totalRightAfterOpening() {
  // Opening the sheet puts the focus on day 1 without emptying it.
  auto* w = open();
  w->show();
  QVERIFY(QTest::qWaitForWindowExposed(w));
  QApplication::setActiveWindow(w);
  QTRY_VERIFY(w->Text1[1]->hasFocus());
  QCOMPARE(w->Text1[1]->text(), QStringLiteral("0"));
  QCOMPARE(w->Text1[1]->selectedText(), QStringLiteral("0"));  // typing replaces it
  w->Command1->click();
  QVERIFY(env_->dialogs().messages.isEmpty());
  QCOMPARE(w->totale->text(), QStringLiteral("0,00 mm"));
}

void tst_archiviopioggia::typing_data() {
  QTest::addColumn<QString>("keys");
  QTest::addColumn<QString>("text");
  QTest::newRow("period becomes comma") << "12.4"
                                        << "12,4";
  QTest::newRow("bar dropped") << "1|2"
                               << "12";
  QTest::newRow("letters pass") << "a.b"
                                << "a,b";
  QTest::newRow("minus passes") << "-3"
                                << "-3";
}

void tst_archiviopioggia::typing() {
  QFETCH(QString, keys);
  QFETCH(QString, text);
  auto* w = open();
  w->Text1[2]->clear();
  QTest::keyClicks(w->Text1[2], keys);
  QCOMPARE(w->Text1[2]->text(), text);
}

void tst_archiviopioggia::pastedText_data() {
  QTest::addColumn<QString>("pasted");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("total");
  QTest::newRow("period kept, reads as grouping") << "1.5"
                                                  << "1.5"
                                                  << "15,00 mm";
  QTest::newRow("bar and line breaks stripped") << "1|2\r\n3"
                                                << "123"
                                                << "123,00 mm";
  QTest::newRow("comma kept") << "12,4"
                              << "12,4"
                              << "12,40 mm";
}

void tst_archiviopioggia::pastedText() {
  QFETCH(QString, pasted);
  QFETCH(QString, text);
  QFETCH(QString, total);
  auto* w = open();
  w->Text1[6]->clear();
  QApplication::clipboard()->setText(pasted);
  w->Text1[6]->paste();
  QCOMPARE(w->Text1[6]->text(), text);
  w->Command1_Click();
  QCOMPARE(w->totale->text(), total);
  // Whatever was pasted, the saved sheet reads back cell for cell.
  w->Command5_Click();
  QCOMPARE(env_->readFile(kFile), sheetLine({{6, text.toLatin1()}}));
}

void tst_archiviopioggia::highlight_data() {
  QTest::addColumn<int>("cell");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("yellow");
  QTest::newRow("rain") << 4 << "3,5" << true;
  QTest::newRow("zero") << 4 << "0" << false;
  QTest::newRow("zero decimals") << 4 << "0,00" << false;
  QTest::newRow("empty") << 4 << "" << false;
  QTest::newRow("letters") << 4 << "abc" << true;
  QTest::newRow("hidden cell too") << 0 << "2" << true;
}

void tst_archiviopioggia::highlight() {
  QFETCH(int, cell);
  QFETCH(QString, text);
  QFETCH(bool, yellow);
  auto* w = open();
  QLineEdit* field = w->Text1[size_t(cell)];
  const QColor normal = QApplication::palette(field).color(QPalette::Base);
  QCOMPARE(fieldBackground(field), normal);
  field->setText(text);
  w->Timer1_Timer();
  QCOMPARE(fieldBackground(field), yellow ? kYellow : normal);
  QCOMPARE(field->text(), text);
  field->setText(QStringLiteral("0"));
  w->Timer1_Timer();
  QCOMPARE(fieldBackground(field), normal);
  QCOMPARE(w->Timer1->interval(), 200);
  QVERIFY(w->Timer1->isActive());
}

void tst_archiviopioggia::clearLeavesFile() {
  env_->writeFile(kFile, sheetLine({{1, "4"}, {9, "2,5"}}));
  auto* w = open();
  w->Command1_Click();
  QCOMPARE(w->totale->text(), QStringLiteral("6,50 mm"));
  w->Command2->click();
  for (int i = 0; i <= 31; ++i) QCOMPARE(w->Text1[size_t(i)]->text(), QStringLiteral("0"));
  QCOMPARE(w->Text2->toPlainText(), QStringLiteral("0"));
  for (QLabel* l : {w->totale, w->primadec, w->secondadec, w->terzadec})
    QCOMPARE(l->text(), QStringLiteral("0."));
  for (QPushButton* b : {w->Command2, w->Command7, w->Command9, w->Command6})
    QVERIFY(!b->isEnabled());
  QVERIFY(w->Command1->isEnabled());
  QCOMPARE(env_->readFile(kFile), sheetLine({{1, "4"}, {9, "2,5"}}));

  w->Command3->click();
  QTRY_VERIFY(!env_->ctx().existing<archiviopioggia>());
  w = open();
  QCOMPARE(w->Text1[1]->text(), QStringLiteral("4"));
  QCOMPARE(w->Text1[9]->text(), QStringLiteral("2,5"));
}

void tst_archiviopioggia::exportReport() {
  env_->ctx().mainWindow()->nome->setText(QStringLiteral("Monte"));
  auto* w = open();
  w->Text1[1]->setText(QStringLiteral("3,5"));
  w->Text1[2]->setText(QStringLiteral("x.y"));
  w->Command1_Click();  // fails on day 2: the captions stay as they were
  w->Text1[2]->setText(QStringLiteral("0"));
  w->Command1_Click();
  w->Text1[2]->setText(QStringLiteral("x.y"));  // edited after: written as it stands
  // The month is the temperature sheet's, not this sheet's picker.
  env_->ctx().window<medietemperature>()->DTPicker1->setDate(QDate(2026, 3, 15));
  w->DTPicker1->setDate(QDate(2025, 7, 1));
  const QString target = env_->folder() + QStringLiteral("/pioggia marzo.txt");
  env_->dialogs().savePaths.append(target);
  w->Command9->click();

  QCOMPARE(env_->dialogs().saveRequests.size(), 1);
  const SaveFileRequest& request = env_->dialogs().saveRequests.first();
  QCOMPARE(request.filter, QStringLiteral("All Files|*.*|Text Files (*.txt)|*.txt"));
  QCOMPARE(request.filterIndex, 2);
  QCOMPARE(request.flags, 2054);
  QVERIFY(request.title.isEmpty());
  QVERIFY(request.initialName.isEmpty());

  QByteArray expected =
      "Stazione meteorologica Monte - Pioggia giornaliera mese: 3/2026\r\n\r\n"
      "1\xB0 giorno: 3,5 mm\r\n\r\n"
      "2\xB0 giorno: x.y mm\r\n\r\n";
  for (int d = 3; d <= 31; ++d) expected += QByteArray::number(d) + "\xB0 giorno: 0 mm\r\n\r\n";
  expected +=
      "Totale mensile: 3,50 mm\r\n\r\n"
      "Totale prima decade: 3,50 mm\r\n\r\n"
      "Totale seconda decade: 0,00 mm\r\n\r\n"
      "Totale terza decade: 0,00 mm\r\n\r\n"
      "Riepilogo creato con Nubilario 3.0 Pro\r\n";
  QFile file(target);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readAll(), expected);
  QCOMPARE(env_->dialogs().messages.size(), 1);  // only the failed total
}

void tst_archiviopioggia::exportLoadsTemperatureSheetHidden() {
  auto* w = open();
  w->DTPicker1->setDate(QDate(2001, 2, 3));
  w->Command1_Click();
  const QString target = env_->folder() + QStringLiteral("/oggi.txt");
  env_->dialogs().savePaths.append(target);
  QVERIFY(!env_->ctx().existing<medietemperature>());
  w->Command9_Click();
  auto* temperature = env_->ctx().existing<medietemperature>();
  QVERIFY(temperature);
  QVERIFY(!temperature->isVisible());
  const QDate today = QDate::currentDate();
  QFile file(target);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readLine(), "Stazione meteorologica Stazione meteo - Pioggia giornaliera mese: " +
                                QByteArray::number(today.month()) + '/' +
                                QByteArray::number(today.year()) + "\r\n");
}

void tst_archiviopioggia::exportCancelled() {
  auto* w = open();
  w->Command1_Click();
  const QStringList before = QDir(env_->folder()).entryList(QDir::Files);
  w->Command9_Click();  // no answer queued: the dialog is cancelled
  QCOMPARE(env_->dialogs().saveRequests.size(), 1);
  QCOMPARE(QDir(env_->folder()).entryList(QDir::Files), before);
  QVERIFY(env_->dialogs().messages.isEmpty());
}

void tst_archiviopioggia::exportFailureReported() {
  auto* w = open();
  w->Command1_Click();
  const QString target = env_->folder() + QStringLiteral("/manca/report.txt");
  env_->dialogs().savePaths.append(target);
  w->Command9_Click();
  QVERIFY(!QFile::exists(target));
  QCOMPARE(env_->dialogs().messages.size(), 1);
  QCOMPARE(env_->dialogs().messages.first().icon, MsgIcon::Critical);
  QCOMPARE(env_->dialogs().messages.first().title, QStringLiteral("Nubilario"));
  QVERIFY(env_->dialogs().lastMessage().contains(QStringLiteral("non è stato salvato")));
}

void tst_archiviopioggia::yearSheetOpens() {
  auto* w = open();
  w->show();
  w->Command4->click();
  auto* year = env_->ctx().existing<pioggiaanno>();
  QVERIFY(year);
  QVERIFY(year->isVisible());
  QVERIFY(year->isWindow());
  // Showing it again brings the same window forward unchanged.
  year->Text1[1]->setText(QStringLiteral("88"));
  w->Command4->click();
  QCOMPARE(env_->ctx().existing<pioggiaanno>(), year);
  QCOMPARE(year->Text1[1]->text(), QStringLiteral("88"));
}

void tst_archiviopioggia::handOff_data() {
  QTest::addColumn<QString>("day1");
  QTest::addColumn<QString>("handed");
  QTest::newRow("grouped total") << "1.234,5"
                                 << "1.234,50";
  QTest::newRow("zero") << "0"
                        << "0,00";
  QTest::newRow("longer than the field's typing limit") << "12345,678"
                                                        << "12.345,68";
}

void tst_archiviopioggia::handOff() {
  QFETCH(QString, day1);
  QFETCH(QString, handed);
  Form1* main = env_->ctx().mainWindow();
  main->show();
  const bool temperatureMarker = main->markerVisible(ArchiveKind::Temperature);
  const bool rainMarker = main->markerVisible(ArchiveKind::Rain);
  auto* w = open();
  w->show();
  w->Text1[1]->setText(day1);
  w->Command1_Click();
  w->Text1[2]->setText(QStringLiteral("77"));  // not recomputed: the old total goes

  QString seenTotal;
  QString seenName;
  ArchiveKind seenPanel = ArchiveKind::Temperature;
  QTimer::singleShot(0, this, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    seenName = modal->objectName();
    if (auto* field = modal->findChild<QLineEdit*>(QStringLiteral("totalepioggia")))
      seenTotal = field->text();
    seenPanel = main->visiblePanel();
    modal->close();
  });
  w->Command7->click();
  QCOMPARE(seenName, QStringLiteral("Dialog3"));
  QCOMPARE(seenTotal, handed);
  QCOMPARE(seenPanel, ArchiveKind::Rain);
  QCOMPARE(main->visiblePanel(), ArchiveKind::Rain);
  QCOMPARE(main->markerVisible(ArchiveKind::Temperature), temperatureMarker);
  QCOMPARE(main->markerVisible(ArchiveKind::Rain), rainMarker);
  QCOMPARE(w->Text1[2]->text(), QStringLiteral("77"));
}

void tst_archiviopioggia::summaryAndBack() {
  auto* w = open();
  w->show();
  w->Command8->click();
  auto* summary = env_->ctx().existing<mese>();
  QVERIFY(summary);
  QVERIFY(summary->isVisible());
  // The summary's own button brings this same sheet forward, unchanged.
  w->Text1[5]->setText(QStringLiteral("6"));
  summary->Command6->click();
  QCOMPARE(env_->ctx().existing<archiviopioggia>(), w);
  QCOMPARE(w->Text1[5]->text(), QStringLiteral("6"));
  summary->Command8->click();
  QVERIFY(env_->ctx().existing<pioggiaanno>());
  QVERIFY(env_->ctx().existing<pioggiaanno>()->isVisible());
}

void tst_archiviopioggia::closeUnloadsWithoutSaving() {
  const QByteArray before = env_->readFile(kFile);
  auto* w = open();
  w->show();
  w->Text1[12]->setText(QStringLiteral("40"));
  w->Command3->click();
  QTRY_VERIFY(!env_->ctx().existing<archiviopioggia>());
  QCOMPARE(env_->readFile(kFile), before);
  QCOMPARE(open()->Text1[12]->text(), QStringLiteral("0"));
}

QTEST_MAIN(tst_archiviopioggia)
#include "tst_archiviopioggia.moc"
