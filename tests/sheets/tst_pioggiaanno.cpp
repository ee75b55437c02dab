// The current-year precipitation sheet: December first in its file, the
// annual figures, the highlight above 199 and the report.

#include <QtTest>

#include "sheets/cellinput.h"
#include "sheets/pioggiaanno.h"
#include "summary/mese.h"
#include "testenv.h"

namespace {
const QString kFile = QStringLiteral("prpanno.txt");
}

class tst_pioggiaanno : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init() {
    env_ = std::make_unique<TestEnv>();
    env_->loadMainWindow();
  }
  void cleanup() { env_.reset(); }

  void fileHoldsDecemberFirst();
  void figuresAndButtons();
  void highlight();
  void exportReport();
  void printAndSummary();

 private:
  pioggiaanno* open() { return env_->ctx().window<pioggiaanno>(); }
  std::unique_ptr<TestEnv> env_;
};

void tst_pioggiaanno::fileHoldsDecemberFirst() {
  env_->writeFile(kFile, "10|20|30|\r\n");
  auto* w = open();
  QStringList texts;
  for (QLineEdit* cell : w->Text1) texts.append(cell->text());
  QCOMPARE(texts, (QStringList{"10", "20", "30", "", "0", "0", "0", "0", "0", "0", "0", "0", "0"}));
  QCOMPARE(w->monthCell(12)->toolTip(), QStringLiteral("Dicembre"));
  QVERIFY(w->Text1[12]->isHidden());
  QCOMPARE(w->DTPicker1->date(), QDate::currentDate());

  w->monthCell(1)->setText(QStringLiteral("120,5"));
  w->monthCell(11)->setText(QStringLiteral(" 3 "));
  w->monthCell(12)->setText(QStringLiteral("44"));
  w->Command3->click();
  QCOMPARE(env_->readFile(kFile), QByteArray("44|120,5|30||0|0|0|0|0|0|0|3|0|\r\n"));
  QVERIFY(env_->dialogs().messages.isEmpty());
}

void tst_pioggiaanno::figuresAndButtons() {
  auto* w = open();
  QVERIFY(!w->Command6->isEnabled() && !w->Command5->isEnabled());
  w->Text1[12]->setText(QStringLiteral("5000"));  // the hidden cell never counts
  w->monthCell(6)->setText(QStringLiteral("12"));
  w->monthCell(12)->setText(QStringLiteral("2.400"));  // a period groups thousands
  w->Command1->click();
  QCOMPARE((QStringList{w->totale->text(), w->media->text(), w->primosem->text(),
                        w->secondosem->text()}),
           (QStringList{"2.412,00 mm", "201,00 mm", "12,00", "2.400,00"}));
  QVERIFY(w->Command6->isEnabled() && w->Command5->isEnabled() && w->Command2->isEnabled());

  w->Command2->click();
  for (QLineEdit* cell : w->Text1) QCOMPARE(cell->text(), QStringLiteral("0"));
  QCOMPARE(w->totale->text(), QStringLiteral("0."));
  QVERIFY(!w->Command2->isEnabled() && !w->Command6->isEnabled() && !w->Command5->isEnabled());
  QVERIFY(w->Command1->isEnabled());

  // A month left empty stops the figures with the message; nothing changes.
  w->monthCell(12)->clear();
  w->Command1_Click();
  QCOMPARE(env_->dialogs().lastMessage(),
           QStringLiteral("Errore: digitazione errata! Ricontrollare i campi"));
  QCOMPARE(env_->dialogs().messages.first().icon, MsgIcon::Exclamation);
  QCOMPARE(w->totale->text(), QStringLiteral("0."));
  QVERIFY(!w->Command6->isEnabled());
}

void tst_pioggiaanno::highlight() {
  auto* w = open();
  const QColor normal = QApplication::palette(w->Text1[1]).color(QPalette::Base);
  const QStringList texts{"250", "199", "199,01", "tanta", ""};  // December, January, ...
  for (int i = 0; i < texts.size(); ++i) w->Text1[size_t(i)]->setText(texts.at(i));
  w->Text1[12]->setText(QStringLiteral("300"));
  w->Timer1_Timer();
  const QList<bool> lit{true, false, true, true, false};
  for (int i = 0; i < texts.size(); ++i)
    QCOMPARE(fieldBackground(w->Text1[size_t(i)]), lit.at(i) ? QColor(255, 255, 192) : normal);
  QCOMPARE(fieldBackground(w->Text1[12]), QColor(255, 255, 192));
}

void tst_pioggiaanno::exportReport() {
  env_->setStation(QStringLiteral("Monte"));
  auto* w = open();
  w->monthCell(1)->setText(QStringLiteral("120,5"));
  w->monthCell(12)->setText(QStringLiteral("1"));
  w->Command1_Click();
  w->monthCell(3)->setText(QStringLiteral("a.b"));  // after the figures: written as it stands
  w->DTPicker1->setDate(QDate(2026, 5, 1));
  w->Command6_Click();  // cancelled: nothing written
  QCOMPARE(env_->dialogs().saveRequests.size(), 1);

  const QString target = env_->folder() + QStringLiteral("/anno.txt");
  env_->dialogs().savePaths.append(target);
  w->Command6->click();
  const SaveFileRequest& request = env_->dialogs().saveRequests.last();
  QCOMPARE(request.filter, QStringLiteral("All Files|*.*|Text Files (*.txt)|*.txt"));
  QCOMPARE(request.filterIndex, 2);
  QCOMPARE(request.flags, 2054);
  const QByteArray expected =
      "Stazione meteorologica Monte - Precipitazioni anno 2026\r\n\r\n"
      "Gennaio: 120,5 mm\r\n\r\nFebbraio: 0 mm\r\n\r\nMarzo: a.b mm\r\n\r\n"
      "Aprile: 0 mm\r\n\r\nMaggio: 0 mm\r\n\r\nGiugno: 0 mm\r\n\r\nLuglio: 0 mm\r\n\r\n"
      "Agosto: 0 mm\r\n\r\nSettembre: 0 mm\r\n\r\nOttobre: 0 mm\r\n\r\n"
      "Novembre: 0 mm\r\n\r\nDicembre: 1 mm\r\n\r\n"
      "Totale annuale: 121,50 mm\r\n\r\nTotale primo semestre: 120,50 mm\r\n\r\n"
      "Totale secondo semestre: 1,00 mm\r\n\r\nMedia mensile: 10,13 mm\r\n\r\n"
      "Riepilogo creato con Nubilario 3.0 Pro\r\n";
  QFile file(target);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readAll(), expected);
  QVERIFY(env_->dialogs().messages.isEmpty());

  env_->dialogs().savePaths.append(env_->folder() + QLatin1Char('/') + QString(300, u'x'));
  w->Command6_Click();
  QCOMPARE(env_->dialogs().messages.size(), 1);
  QCOMPARE(env_->dialogs().messages.first().icon, MsgIcon::Critical);
}

void tst_pioggiaanno::printAndSummary() {
  auto* w = open();
  w->show();
  w->Command1_Click();
  w->Command5->click();
  QCOMPARE(env_->dialogs().windowsRun, QStringList{"stampa"});
  w->Command8->click();
  QVERIFY(env_->ctx().existing<mese>() && env_->ctx().existing<mese>()->isVisible());
  w->monthCell(2)->setText(QStringLiteral("9"));
  env_->dialogs().answers << MsgAnswer::No;
  w->Command4->click();  // closes without saving
  QTRY_VERIFY(!env_->ctx().existing<pioggiaanno>());
  QCOMPARE(open()->monthCell(2)->text(), QStringLiteral("0"));
}

QTEST_MAIN(tst_pioggiaanno)
#include "tst_pioggiaanno.moc"
