// The current-year precipitation sheet: December first in its file, the
// annual figures, the highlight above 199 and the report.

#include <QtTest>

#include "sheets/cellinput.h"
#include "sheets/pioggiaanno.h"
#include "summary/mese.h"
#include "testenv.h"

namespace {

const QString kFile = QStringLiteral("prpanno.txt");
const QColor kYellow(255, 255, 192);
using Months = QMap<int, QString>;  // 1 = January ... 12 = December

}  // namespace

class tst_pioggiaanno : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void cleanup();

  void freshSheet();
  void readsDecemberFirst_data();
  void readsDecemberFirst();
  void aggiornaWritesDecemberFirst();
  void figures_data();
  void figures();
  void badMonthStops();
  void focusAndTyping();
  void highlight_data();
  void highlight();
  void clearLeavesFile();
  void exportReport();
  void exportCancelledOrFailing();
  void summaryOpens();
  void closeUnloads();

 private:
  pioggiaanno* open() { return env_->ctx().window<pioggiaanno>(); }
  void fill(pioggiaanno* w, const Months& months) {
    for (auto it = months.cbegin(); it != months.cend(); ++it)
      w->monthCell(it.key())->setText(it.value());
  }
  std::unique_ptr<TestEnv> env_;
};

void tst_pioggiaanno::init() {
  env_ = std::make_unique<TestEnv>();
  env_->loadMainWindow();
}

void tst_pioggiaanno::cleanup() { env_.reset(); }

void tst_pioggiaanno::freshSheet() {
  QFile::remove(env_->path(kFile));
  auto* w = open();
  QCOMPARE(w->windowTitle(), QStringLiteral("Precipitazioni anno corrente"));
  for (QLineEdit* cell : w->Text1) QCOMPARE(cell->text(), QStringLiteral("0"));
  QVERIFY(w->Text1[12]->isHidden());
  QCOMPARE(w->Text1[0]->toolTip(), QStringLiteral("Dicembre"));
  QCOMPARE(w->Text1[1]->toolTip(), QStringLiteral("Gennaio"));
  QCOMPARE(w->DTPicker1->date(), QDate::currentDate());
  QCOMPARE(w->DTPicker1->displayFormat(), QStringLiteral("yyyy"));
  for (QLabel* l : {w->totale, w->media, w->primosem, w->secondosem})
    QCOMPARE(l->text(), QStringLiteral("0."));
  QVERIFY(!w->Command6->isEnabled());
  QVERIFY(!w->Command5->isEnabled());
  QVERIFY(w->Command2->isEnabled());
  w->Command1->click();
  QCOMPARE(w->totale->text(), QStringLiteral("0,00 mm"));
  QCOMPARE(w->media->text(), QStringLiteral("0,00 mm"));
  QCOMPARE(w->primosem->text(), QStringLiteral("0,00"));
  QCOMPARE(w->secondosem->text(), QStringLiteral("0,00"));
  QVERIFY(w->Command6->isEnabled());
  QVERIFY(w->Command5->isEnabled());
}

void tst_pioggiaanno::readsDecemberFirst_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<QStringList>("cells");  // elements 0 to 12
  QTest::newRow("three values") << QByteArray("10|20|30|\r\n")
                                << QStringList{"10", "20", "30", "",  "0", "0", "0",
                                               "0",  "0",  "0",  "0", "0", "0"};
  QTest::newRow("full line") << QByteArray("12|1|2|3|4|5|6|7|8|9|10|11|h|\r\n")
                             << QStringList{"12", "1", "2", "3",  "4",  "5", "6",
                                            "7",  "8", "9", "10", "11", "h"};
  QTest::newRow("missing file") << QByteArray() << QStringList{"0", "0", "0", "0", "0", "0", "0",
                                                               "0", "0", "0", "0", "0", "0"};
}

void tst_pioggiaanno::readsDecemberFirst() {
  QFETCH(QByteArray, bytes);
  QFETCH(QStringList, cells);
  if (bytes.isEmpty())
    QFile::remove(env_->path(kFile));
  else
    env_->writeFile(kFile, bytes);
  auto* w = open();
  QStringList actual;
  for (QLineEdit* cell : w->Text1) actual.append(cell->text());
  QCOMPARE(actual, cells);
  if (cells.first() == u"12") QCOMPARE(w->monthCell(12)->text(), QStringLiteral("12"));
}

void tst_pioggiaanno::aggiornaWritesDecemberFirst() {
  auto* w = open();
  fill(w, {{1, "120,5"}, {11, " 3 "}, {12, "44"}});
  w->Command3->click();
  QCOMPARE(env_->readFile(kFile), QByteArray("44|120,5|0|0|0|0|0|0|0|0|0|3|0|\r\n"));
  QVERIFY(env_->dialogs().messages.isEmpty());

  // A folder in the file's place: the save fails and says so.
  QFile::remove(env_->path(kFile));
  QVERIFY(QDir(env_->folder()).mkdir(kFile));
  w->Command3_Click();
  QCOMPARE(env_->dialogs().messages.size(), 1);
  QCOMPARE(env_->dialogs().messages.first().icon, MsgIcon::Critical);
}

void tst_pioggiaanno::figures_data() {
  QTest::addColumn<Months>("months");
  QTest::addColumn<QStringList>("captions");  // totale, media, primosem, secondosem
  QTest::newRow("only January") << Months{{1, "120"}}
                                << QStringList{"120,00 mm", "10,00 mm", "120,00", "0,00"};
  QTest::newRow("December in the second half")
      << Months{{12, "36"}, {6, "12"}} << QStringList{"48,00 mm", "4,00 mm", "12,00", "36,00"};
  QTest::newRow("period reads as grouping")
      << Months{{4, "2.400"}} << QStringList{"2.400,00 mm", "200,00 mm", "2.400,00", "0,00"};
  QTest::newRow("hidden cell never counts")
      << Months{{7, "1"}} << QStringList{"1,00 mm", "0,08 mm", "0,00", "1,00"};
}

void tst_pioggiaanno::figures() {
  QFETCH(Months, months);
  QFETCH(QStringList, captions);
  auto* w = open();
  w->Text1[12]->setText(QStringLiteral("5000"));
  fill(w, months);
  w->Command1_Click();
  QCOMPARE((QStringList{w->totale->text(), w->media->text(), w->primosem->text(),
                        w->secondosem->text()}),
           captions);
}

void tst_pioggiaanno::badMonthStops() {
  auto* w = open();
  w->Command1_Click();
  w->Command2_Click();  // buttons back to their load state, captions "0."
  w->monthCell(12)->setText(QString());
  w->Command1_Click();
  QCOMPARE(env_->dialogs().messages.size(), 1);
  QCOMPARE(env_->dialogs().lastMessage(),
           QStringLiteral("Errore: digitazione errata! Ricontrollare i campi"));
  QCOMPARE(env_->dialogs().messages.first().icon, MsgIcon::Exclamation);
  QCOMPARE(w->totale->text(), QStringLiteral("0."));
  QVERIFY(!w->Command2->isEnabled());
  QVERIFY(!w->Command6->isEnabled());
  QVERIFY(!w->Command5->isEnabled());
}

void tst_pioggiaanno::focusAndTyping() {
  auto* w = open();
  w->show();
  QVERIFY(QTest::qWaitForWindowExposed(w));
  QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
  QApplication::sendEvent(w->monthCell(3), &focusIn);
  QCOMPARE(w->monthCell(3)->text(), QString());
  QTest::keyClicks(w->monthCell(3), QStringLiteral("8|.5"));
  QCOMPARE(w->monthCell(3)->text(), QStringLiteral("8,5"));
  w->monthCell(4)->setText(QStringLiteral("7"));
  QApplication::sendEvent(w->monthCell(4), &focusIn);
  QCOMPARE(w->monthCell(4)->text(), QStringLiteral("7"));
  w->monthCell(5)->setText(QStringLiteral("1|2\n3"));
  QCOMPARE(w->monthCell(5)->text(), QStringLiteral("123"));
}

void tst_pioggiaanno::highlight_data() {
  QTest::addColumn<int>("element");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("yellow");
  QTest::newRow("199") << 1 << "199" << false;
  QTest::newRow("199,01") << 1 << "199,01" << true;
  QTest::newRow("250 in December") << 0 << "250" << true;
  QTest::newRow("letters") << 5 << "tanta" << true;
  QTest::newRow("empty") << 5 << "" << false;
  QTest::newRow("hidden cell") << 12 << "300" << true;
}

void tst_pioggiaanno::highlight() {
  QFETCH(int, element);
  QFETCH(QString, text);
  QFETCH(bool, yellow);
  auto* w = open();
  QLineEdit* cell = w->Text1[size_t(element)];
  const QColor normal = QApplication::palette(cell).color(QPalette::Base);
  cell->setText(text);
  w->Timer1_Timer();
  QCOMPARE(fieldBackground(cell), yellow ? kYellow : normal);
  cell->setText(QStringLiteral("100"));
  w->Timer1_Timer();
  QCOMPARE(fieldBackground(cell), normal);
  QCOMPARE(w->Timer1->interval(), 200);
}

void tst_pioggiaanno::clearLeavesFile() {
  env_->writeFile(kFile, "1|2|3|4|5|6|7|8|9|10|11|12|0|\r\n");
  auto* w = open();
  w->Command1_Click();
  QCOMPARE(w->totale->text(), QStringLiteral("78,00 mm"));
  w->Command2->click();
  for (QLineEdit* cell : w->Text1) QCOMPARE(cell->text(), QStringLiteral("0"));
  QCOMPARE(w->Text2->toPlainText(), QStringLiteral("0"));
  for (QLabel* l : {w->totale, w->media, w->primosem, w->secondosem})
    QCOMPARE(l->text(), QStringLiteral("0."));
  QVERIFY(!w->Command2->isEnabled());
  QVERIFY(w->Command1->isEnabled());
  QVERIFY(!w->Command6->isEnabled());
  QVERIFY(!w->Command5->isEnabled());
  QCOMPARE(env_->readFile(kFile), QByteArray("1|2|3|4|5|6|7|8|9|10|11|12|0|\r\n"));
}

void tst_pioggiaanno::exportReport() {
  env_->ctx().mainWindow()->nome->setText(QStringLiteral("Monte"));
  auto* w = open();
  fill(w, {{1, "120,5"}, {12, "1"}});
  w->Command1_Click();
  w->monthCell(3)->setText(QStringLiteral("a.b"));  // after the figures: written as it stands
  w->DTPicker1->setDate(QDate(2026, 5, 1));
  const QString target = env_->folder() + QStringLiteral("/anno.txt");
  env_->dialogs().savePaths.append(target);
  w->Command6->click();
  const SaveFileRequest& request = env_->dialogs().saveRequests.first();
  QCOMPARE(request.filter, QStringLiteral("All Files|*.*|Text Files (*.txt)|*.txt"));
  QCOMPARE(request.filterIndex, 2);
  QCOMPARE(request.flags, 2054);
  const QByteArray expected =
      "Stazione meteorologica Monte - Precipitazioni anno 2026\r\n\r\n"
      "Gennaio: 120,5 mm\r\n\r\nFebbraio: 0 mm\r\n\r\nMarzo: a.b mm\r\n\r\n"
      "Aprile: 0 mm\r\n\r\nMaggio: 0 mm\r\n\r\nGiugno: 0 mm\r\n\r\nLuglio: 0 mm\r\n\r\n"
      "Agosto: 0 mm\r\n\r\nSettembre: 0 mm\r\n\r\nOttobre: 0 mm\r\n\r\n"
      "Novembre: 0 mm\r\n\r\nDicembre: 1 mm\r\n\r\n"
      "Totale annuale: 121,50 mm\r\n\r\n"
      "Totale primo semestre: 120,50 mm\r\n\r\n"
      "Totale secondo semestre: 1,00 mm\r\n\r\n"
      "Media mensile: 10,13 mm\r\n\r\n"
      "Riepilogo creato con Nubilario 3.0 Pro\r\n";
  QFile file(target);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readAll(), expected);
  QVERIFY(env_->dialogs().messages.isEmpty());
}

void tst_pioggiaanno::exportCancelledOrFailing() {
  auto* w = open();
  w->Command1_Click();
  const QStringList before = QDir(env_->folder()).entryList(QDir::Files);
  w->Command6_Click();  // cancelled
  QCOMPARE(QDir(env_->folder()).entryList(QDir::Files), before);
  QVERIFY(env_->dialogs().messages.isEmpty());

  const QString target = env_->folder() + QStringLiteral("/") + QString(300, u'x');
  env_->dialogs().savePaths.append(target);
  w->Command6_Click();
  QCOMPARE(env_->dialogs().messages.size(), 1);
  QCOMPARE(env_->dialogs().messages.first().icon, MsgIcon::Critical);
  QCOMPARE(env_->dialogs().messages.first().title, QStringLiteral("Nubilario"));
}

void tst_pioggiaanno::summaryOpens() {
  auto* w = open();
  w->show();
  w->Command8->click();
  QVERIFY(env_->ctx().existing<mese>());
  QVERIFY(env_->ctx().existing<mese>()->isVisible());
  QVERIFY(w->isVisible());
}

void tst_pioggiaanno::closeUnloads() {
  auto* w = open();
  w->show();
  w->monthCell(2)->setText(QStringLiteral("9"));
  w->Command4->click();
  QTRY_VERIFY(!env_->ctx().existing<pioggiaanno>());
  QCOMPARE(open()->monthCell(2)->text(), QStringLiteral("0"));
}

QTEST_MAIN(tst_pioggiaanno)
#include "tst_pioggiaanno.moc"
