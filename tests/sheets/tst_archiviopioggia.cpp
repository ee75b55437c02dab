// The daily precipitation sheet as the keeper uses it: load, typing, totals,
// highlighting, saving, clearing, the report and the hand-offs.

#include <QClipboard>
#include <QtTest>

#include "sheets/archiviopioggia.h"
#include "sheets/cellinput.h"
#include "sheets/medietemperature.h"
#include "sheets/pioggiaanno.h"
#include "summary/mese.h"
#include "testenv.h"

namespace {

const QString kFile = QStringLiteral("prpgiornaliera.txt");
using Cells = QMap<int, QString>;  // index -> text; every other cell "0"

QByteArray sheetLine(const QMap<int, QByteArray>& cells) {
  QByteArray line;
  for (int i = 0; i <= 31; ++i) line += cells.value(i, "0") + '|';
  return line + "\r\n";
}

}  // namespace

class tst_archiviopioggia : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init() {
    env_ = std::make_unique<TestEnv>();
    env_->loadMainWindow();
  }
  void cleanup() { env_.reset(); }

  void readsFile_data();
  void readsFile();
  void savesAndReadsBack();
  void saveFailureIsReported();
  void totalsAndButtons();
  void cellInput_data();
  void cellInput();
  void highlight();
  void clearLeavesFile();
  void exportReport();
  void exportCancelledOrFailing();
  void handOff_data();
  void handOff();
  void otherWindows();

 private:
  archiviopioggia* open() { return env_->ctx().window<archiviopioggia>(); }
  std::unique_ptr<TestEnv> env_;
};

void tst_archiviopioggia::readsFile_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<Cells>("expected");
  QTest::newRow("full line") << sheetLine({{0, "x"}, {1, "3,5"}, {31, "7"}})
                             << Cells{{0, "x"}, {1, "3,5"}, {31, "7"}};
  QTest::newRow("no file") << QByteArray() << Cells{};
  QTest::newRow("short line empties the next cell")
      << QByteArray("|5|6|\r\n") << Cells{{0, ""}, {1, "5"}, {2, "6"}, {3, ""}};
  QByteArray forty;
  Cells first32;
  for (int i = 0; i < 40; ++i) forty += QByteArray::number(i) + '|';
  for (int i = 0; i <= 31; ++i) first32[i] = QString::number(i);
  QTest::newRow("forty values") << forty + "\r\n" << first32;
}

void tst_archiviopioggia::readsFile() {
  QFETCH(QByteArray, bytes);
  QFETCH(Cells, expected);
  QFile::remove(env_->path(kFile));
  if (!bytes.isEmpty()) env_->writeFile(kFile, bytes);
  auto* w = open();
  for (int i = 0; i <= 31; ++i)
    QCOMPARE(w->Text1[size_t(i)]->text(), expected.value(i, QStringLiteral("0")));
  QVERIFY(w->Text1[0]->isHidden());
}

void tst_archiviopioggia::savesAndReadsBack() {
  auto* w = open();
  w->Text1[1]->setText(QStringLiteral(" 7 "));
  w->Text1[30]->clear();
  w->Text1[31]->setText(QStringLiteral("già"));
  w->Command5->click();
  QCOMPARE(env_->readFile(kFile), sheetLine({{1, "7"}, {30, ""}, {31, "gi\xE0"}}));
  w->close();
  QTRY_VERIFY(!env_->ctx().existing<archiviopioggia>());
  w = open();
  QCOMPARE(w->Text1[1]->text(), QStringLiteral("7"));
  QCOMPARE(w->Text1[30]->text(), QString());
  QCOMPARE(w->Text1[31]->text(), QStringLiteral("già"));
  QVERIFY(env_->dialogs().messages.isEmpty());
}

void tst_archiviopioggia::saveFailureIsReported() {
  QFile::remove(env_->path(kFile));
  QVERIFY(QDir(env_->folder()).mkdir(kFile));  // a folder where the file should go
  auto* w = open();
  w->Text1[4]->setText(QStringLiteral("9"));
  w->Command5_Click();
  QCOMPARE(env_->dialogs().messages.size(), 1);
  QCOMPARE(env_->dialogs().messages.first().icon, MsgIcon::Critical);
  QVERIFY(env_->dialogs().lastMessage().contains(QStringLiteral("non sono state salvate")));
  QCOMPARE(w->Text1[4]->text(), QStringLiteral("9"));
}

void tst_archiviopioggia::totalsAndButtons() {
  auto* w = open();
  QCOMPARE(w->totale->text(), QStringLiteral("0."));
  QVERIFY(!w->Command9->isEnabled() && !w->Command6->isEnabled() && !w->Command7->isEnabled());
  w->Text1[0]->setText(QStringLiteral("999"));  // the hidden cell never counts
  w->Text1[20]->setText(QStringLiteral("5"));
  w->Command1->click();
  QCOMPARE((QStringList{w->totale->text(), w->primadec->text(), w->secondadec->text(),
                        w->terzadec->text()}),
           (QStringList{"5,00 mm", "0,00 mm", "5,00 mm", "0,00 mm"}));
  QVERIFY(w->Command9->isEnabled() && w->Command6->isEnabled() && w->Command7->isEnabled());

  // A bad cell stops everything: the message, and nothing else changes.
  w->Command2->setEnabled(false);
  w->Text1[25]->setText(QStringLiteral("pioggia"));
  w->Text1[3]->setText(QStringLiteral("1"));
  w->Command1_Click();
  QCOMPARE(env_->dialogs().messages.size(), 1);
  const auto& m = env_->dialogs().messages.first();
  QCOMPARE(m.text, QStringLiteral("Errore: digitazione errata! Ricontrollare i campi"));
  QCOMPARE(m.icon, MsgIcon::Exclamation);
  QCOMPARE(m.title, QStringLiteral("Nubilario"));
  QCOMPARE(w->totale->text(), QStringLiteral("5,00 mm"));
  QVERIFY(!w->Command2->isEnabled());
}

void tst_archiviopioggia::cellInput_data() {
  QTest::addColumn<QString>("before");
  QTest::addColumn<int>("how");  // a focus reason, or -1 typed, -2 pasted
  QTest::addColumn<QString>("input");
  QTest::addColumn<QString>("after");
  QTest::newRow("click empties a zero") << "0" << int(Qt::MouseFocusReason) << ""
                                        << "";
  QTest::newRow("tab empties a zero") << "0" << int(Qt::TabFocusReason) << ""
                                      << "";
  QTest::newRow("0,0 stays") << "0,0" << int(Qt::MouseFocusReason) << ""
                             << "0,0";
  QTest::newRow("opening keeps the zero") << "0" << int(Qt::ActiveWindowFocusReason) << ""
                                          << "0";
  QTest::newRow("typed period is a comma") << "" << -1 << "12.4"
                                           << "12,4";
  QTest::newRow("typed bar dropped") << "" << -1 << "1|2"
                                     << "12";
  QTest::newRow("pasted period kept") << "" << -2 << "1.5"
                                      << "1.5";
  QTest::newRow("pasted bar, line breaks dropped") << "" << -2 << "1|2\r\n3"
                                                   << "123";
}

void tst_archiviopioggia::cellInput() {
  QFETCH(QString, before);
  QFETCH(int, how);
  QFETCH(QString, input);
  QFETCH(QString, after);
  auto* w = open();
  w->show();
  QVERIFY(QTest::qWaitForWindowExposed(w));
  QLineEdit* cell = w->Text1[8];
  cell->setText(before);
  if (how == -1) {
    QTest::keyClicks(cell, input);
  } else if (how == -2) {
    QApplication::clipboard()->setText(input);
    cell->paste();
  } else {
    QFocusEvent focusIn(QEvent::FocusIn, Qt::FocusReason(how));
    QApplication::sendEvent(cell, &focusIn);
  }
  QCOMPARE(cell->text(), after);
  // Whatever went in, the saved sheet reads back cell for cell.
  w->Command5_Click();
  QCOMPARE(env_->readFile(kFile), sheetLine({{8, after.toLatin1()}}));
}

void tst_archiviopioggia::highlight() {
  auto* w = open();
  const QColor normal = QApplication::palette(w->Text1[1]).color(QPalette::Base);
  const QStringList texts{"3,5", "0", "", "abc", "0,00"};
  for (int i = 0; i < texts.size(); ++i) w->Text1[size_t(i)]->setText(texts.at(i));
  w->Timer1_Timer();
  const QList<bool> lit{true, false, false, true, false};
  for (int i = 0; i < texts.size(); ++i)
    QCOMPARE(fieldBackground(w->Text1[size_t(i)]), lit.at(i) ? QColor(255, 255, 192) : normal);
  w->Text1[0]->setText(QStringLiteral("0"));
  w->Timer1_Timer();
  QCOMPARE(fieldBackground(w->Text1[0]), normal);
  QCOMPARE(w->Timer1->interval(), 200);
}

void tst_archiviopioggia::clearLeavesFile() {
  env_->writeFile(kFile, sheetLine({{1, "4"}, {9, "2,5"}}));
  auto* w = open();
  w->Command1_Click();
  w->Command2->click();
  for (QLineEdit* cell : w->Text1) QCOMPARE(cell->text(), QStringLiteral("0"));
  QCOMPARE(w->Text2->toPlainText(), QStringLiteral("0"));
  for (QLabel* l : {w->totale, w->primadec, w->secondadec, w->terzadec})
    QCOMPARE(l->text(), QStringLiteral("0."));
  for (QPushButton* b : {w->Command2, w->Command7, w->Command9, w->Command6})
    QVERIFY(!b->isEnabled());
  env_->dialogs().answers << MsgAnswer::Yes;  // "Chiudere senza salvare?"
  w->Command3->click();                       // closes without saving

  QTRY_VERIFY(!env_->ctx().existing<archiviopioggia>());
  QCOMPARE(env_->readFile(kFile), sheetLine({{1, "4"}, {9, "2,5"}}));
  QCOMPARE(open()->Text1[9]->text(), QStringLiteral("2,5"));
}

void tst_archiviopioggia::exportReport() {
  env_->setStation(QStringLiteral("Monte"));
  auto* w = open();
  w->Text1[1]->setText(QStringLiteral("3,5"));
  w->Command1_Click();
  w->Text1[2]->setText(QStringLiteral("x.y"));  // edited after the totals: written as it stands
  // The month is the temperature sheet's, which is loaded hidden to read it.
  QVERIFY(!env_->ctx().existing<medietemperature>());
  w->DTPicker1->setDate(QDate(2025, 7, 1));
  const QString target = env_->folder() + QStringLiteral("/pioggia.txt");
  env_->dialogs().savePaths.append(target);
  w->Command9->click();
  auto* temperature = env_->ctx().existing<medietemperature>();
  QVERIFY(temperature && !temperature->isVisible());
  const QDate today = QDate::currentDate();
  const SaveFileRequest& request = env_->dialogs().saveRequests.first();
  QCOMPARE(request.filter, QStringLiteral("All Files|*.*|Text Files (*.txt)|*.txt"));
  QCOMPARE(request.filterIndex, 2);
  QCOMPARE(request.flags, 2054);
  QFile file(target);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  QVERIFY(bytes.startsWith("Stazione meteorologica Monte - Pioggia giornaliera mese: " +
                           QByteArray::number(today.month()) + '/' +
                           QByteArray::number(today.year()) + "\r\n\r\n1\xB0 giorno: 3,5 mm"));
  QVERIFY(bytes.contains("\r\n\r\n2\xB0 giorno: x.y mm\r\n\r\n"));
  QVERIFY(
      bytes.endsWith("Totale terza decade: 0,00 mm\r\n\r\n"
                     "Riepilogo creato con Nubilario 3.0 Pro\r\n"));

  temperature->DTPicker1->setDate(QDate(2026, 3, 15));
  env_->dialogs().savePaths.append(target);
  w->Command9_Click();
  QFile replaced(target);  // a new file: the old one was replaced whole
  QVERIFY(replaced.open(QIODevice::ReadOnly));
  QVERIFY(replaced.readAll().startsWith(
      "Stazione meteorologica Monte - Pioggia giornaliera mese: 3/2026\r\n"));
  QVERIFY(env_->dialogs().messages.isEmpty());
}

void tst_archiviopioggia::exportCancelledOrFailing() {
  auto* w = open();
  w->Command1_Click();
  const QStringList before = QDir(env_->folder()).entryList(QDir::Files);
  w->Command9_Click();  // nothing queued: cancelled
  QCOMPARE(QDir(env_->folder()).entryList(QDir::Files), before);
  QVERIFY(env_->dialogs().messages.isEmpty());

  env_->dialogs().savePaths.append(env_->folder() + QStringLiteral("/manca/report.txt"));
  w->Command9_Click();
  QCOMPARE(env_->dialogs().messages.size(), 1);
  QCOMPARE(env_->dialogs().messages.first().icon, MsgIcon::Critical);
  QVERIFY(env_->dialogs().lastMessage().contains(QStringLiteral("non è stato salvato")));
}

void tst_archiviopioggia::handOff_data() {
  QTest::addColumn<QString>("day1");
  QTest::addColumn<QString>("handed");
  QTest::newRow("grouped total") << "1.234,5"
                                 << "1.234,50";
  QTest::newRow("longer than the field's typing limit") << "12345,678"
                                                        << "12.345,68";
}

void tst_archiviopioggia::handOff() {
  QFETCH(QString, day1);
  QFETCH(QString, handed);
  Form1* main = env_->mainWindow();
  main->show();
  const bool temperatureMarker = main->markerVisible(ArchiveKind::Temperature);
  auto* w = open();
  w->show();
  w->Text1[1]->setText(day1);
  w->Command1_Click();
  w->Text1[2]->setText(QStringLiteral("77"));  // not recomputed: the old total goes
  QString seen;
  ArchiveKind panel = ArchiveKind::Temperature;
  env_->dialogs().onNextWindow([&](QDialog& modal) {
    if (auto* field = modal.findChild<QLineEdit*>(QStringLiteral("totalepioggia")))
      seen = modal.objectName() + QLatin1Char(':') + field->text();
    panel = main->visiblePanel();
  });
  w->Command7->click();
  QCOMPARE(seen, QStringLiteral("Dialog3:") + handed);
  QCOMPARE(panel, ArchiveKind::Rain);
  QCOMPARE(main->markerVisible(ArchiveKind::Temperature), temperatureMarker);
}

void tst_archiviopioggia::otherWindows() {
  auto* w = open();
  w->show();
  w->Command1_Click();
  w->Command6->click();
  QCOMPARE(env_->dialogs().windowsRun, QStringList{"stampa"});
  w->Command4->click();
  QVERIFY(env_->ctx().existing<pioggiaanno>() && env_->ctx().existing<pioggiaanno>()->isVisible());
  w->Command8->click();
  auto* summary = env_->ctx().existing<mese>();
  QVERIFY(summary && summary->isVisible());
  // The summary brings this same sheet forward, unchanged.
  w->Text1[5]->setText(QStringLiteral("6"));
  summary->Command6->click();
  QCOMPARE(env_->ctx().existing<archiviopioggia>(), w);
  QCOMPARE(w->Text1[5]->text(), QStringLiteral("6"));
}

QTEST_MAIN(tst_archiviopioggia)
#include "tst_archiviopioggia.moc"
