// The monthly summary window driven as a user drives it: typing, clicking,
// copying, saving and printing through the scripted platform.

#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "rules/summarytext.h"
#include "rules/textfile.h"
#include "sheets/archiviopioggia.h"
#include "sheets/medietemperature.h"
#include "sheets/pioggiaanno.h"
#include "summary/mese.h"
#include "testenv.h"

namespace {

const QString kPrintError = QStringLiteral(
    "Errore durante il trasferimento dei dati alla stampante. Possibile causa: la stampante è "
    "spenta o non risponde.");

QList<QPushButton*> boxButtons(mese* w) {
  return {w->Command2, w->Command3, w->Command4, w->Command5};
}

QStringList fieldTexts(mese* w) {
  QStringList out;
  for (QLineEdit* e : w->Text1) out << e->text();
  return out;
}

}  // namespace

class tst_mese : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { pinItalianLocale(); }
  void init();
  void cleanup();

  void load();
  void headingsAndTabOrder();
  void keyFilter_data();
  void keyFilter();
  void composeFromTypedFields();
  void composeUsesPickedMonth_data();
  void composeUsesPickedMonth();
  void reset();
  void enableRule();
  void copy();
  void save_data();
  void save();
  void saveCancelled();
  void saveFailure_data();
  void saveFailure();
  void print();
  void printFailure();
  void printFailurePartway();
  void singleInstanceAndUnload();
  void sheetButtons_data();
  void sheetButtons();
  void openedFromSheets();
  void fitsSmallScreen();

 private:
  std::unique_ptr<TestEnv> env_;
  mese* w_ = nullptr;
};

void tst_mese::init() {
  env_ = std::make_unique<TestEnv>();
  env_->loadMainWindow();
  w_ = env_->ctx().window<mese>();
}

void tst_mese::cleanup() {
  w_ = nullptr;
  env_.reset();
}

void tst_mese::load() {
  QCOMPARE(w_->windowTitle(), QStringLiteral("Riepilogo Mensile"));
  QCOMPARE(w_->DTPicker1->date(), QDate::currentDate());
  QCOMPARE(w_->DTPicker1->displayFormat(), QStringLiteral("MMMM, yyyy"));
  QCOMPARE(fieldTexts(w_), QStringList(summary::kFieldCount));
  QCOMPARE(w_->testoRiepilogo(), mese::kPlaceholder + QStringLiteral("\r\n"));
  QCOMPARE(mese::kPlaceholder,
           QStringLiteral("<Cliccare su \"Trasforma in formato testuale\" per creare il "
                          "riepilogo qui dentro>"));
  const QList<QPair<QPushButton*, QString>> captions = {
      {w_->Command1, QStringLiteral("Trasforma in formato testuale >>>")},
      {w_->Command2, QStringLiteral("Copia")},
      {w_->Command3, QStringLiteral("Salva...")},
      {w_->Command4, QStringLiteral("Stampa")},
      {w_->Command5, QStringLiteral("Reset")},
      {w_->Command6, QStringLiteral("Precipitazioni giornaliere")},
      {w_->Command7, QStringLiteral("Temperature giornaliere")},
      {w_->Command8, QStringLiteral("Precipitazioni anno")}};
  for (const auto& [b, caption] : captions) {
    QCOMPARE(b->text(), caption);
    QVERIFY2(b->isEnabled(), qPrintable(caption));
  }
  // The controls can be reached by name.
  QCOMPARE(w_->findChild<QLineEdit*>(QStringLiteral("Text1_13")), w_->Text1[13]);
  QCOMPARE(w_->findChild<QPlainTextEdit*>(QStringLiteral("Textbbb")), w_->Textbbb);
}

void tst_mese::headingsAndTabOrder() {
  const auto label = [this](const QString& caption) -> QLabel* {
    for (QLabel* l : w_->findChildren<QLabel*>())
      if (l->text() == caption) return l;
    return nullptr;
  };
  QLabel* minime = label(QStringLiteral("MINIME"));
  QLabel* massime = label(QStringLiteral("MASSIME"));
  QVERIFY(minime && massime);
  for (QLabel* l : {minime, massime}) {
    QVERIFY(l->font().bold());
    QCOMPARE(l->font().pointSize(), 12);
  }
  QCOMPARE(minime->palette().color(QPalette::WindowText), QColor(0, 0, 128));
  QCOMPARE(massime->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  // Each caption names its field.
  QCOMPARE(label(QStringLiteral("Temperatura minima mensile:"))->buddy(), w_->Text1[8]);
  QCOMPARE(label(QStringLiteral("Giorni con cielo COPERTO:"))->buddy(), w_->Text1[17]);
  QCOMPARE(label(QStringLiteral("il"))->buddy(), w_->Text1[13]);

  // Tab visits the minima, the maxima, the sky, then the precipitation.
  const QList<int> order = {0, 2, 4, 6, 8, 1, 3, 5, 7, 9, 15, 16, 17, 10, 11, 12, 13, 14};
  for (int i = 0; i + 1 < order.size(); ++i)
    QCOMPARE(w_->Text1[order[i]]->nextInFocusChain(), w_->Text1[order[i + 1]]);
}

void tst_mese::keyFilter_data() {
  QTest::addColumn<int>("field");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("shown");
  QTest::newRow("decimal point") << 0 << QStringLiteral("12.5") << QStringLiteral("12,5");
  QTest::newRow("negative") << 8 << QStringLiteral("-3.25") << QStringLiteral("-3,25");
  QTest::newRow("count") << 11 << QStringLiteral("7") << QStringLiteral("7");
  QTest::newRow("date with periods")
      << 13 << QStringLiteral("3.1.2026") << QStringLiteral("3,1,2026");
  QTest::newRow("date with slashes")
      << 13 << QStringLiteral("03/01/2026") << QStringLiteral("03/01/2026");
  QTest::newRow("letters") << 16 << QStringLiteral("circa 10.") << QStringLiteral("circa 10,");
}

void tst_mese::keyFilter() {
  QFETCH(int, field);
  QFETCH(QString, typed);
  QFETCH(QString, shown);
  QTest::keyClicks(w_->Text1[field], typed);
  QCOMPARE(w_->Text1[field]->text(), shown);
}

void tst_mese::composeFromTypedFields() {
  w_->DTPicker1->setDate(QDate(2026, 12, 15));
  QTest::keyClicks(w_->Text1[0], QStringLiteral("2.4"));
  QTest::keyClicks(w_->Text1[12], QStringLiteral("31.2"));
  QTest::keyClicks(w_->Text1[13], QStringLiteral("14/12/2026"));
  QTest::mouseClick(w_->Command1, Qt::LeftButton);
  const QString text = w_->testoRiepilogo();
  QVERIFY(text.startsWith(
      QStringLiteral("Riepilogo mensile del 12/2026\r\n\r\nTEMPERATURE\r\n\r\n"
                     "Temperatura media minima: 2,4 °C\r\nTemperatura media massima:  °C\r\n")));
  QVERIFY(
      text.contains(QStringLiteral("\r\nAccumulo maggiore mensile: 31,2 mm il 14/12/2026\r\n")));
  QVERIFY(
      text.endsWith(QStringLiteral("Totale precipitativo annuo attuale:  mm\r\n"
                                   "----Riepilogo creato con Nubilario 3.0 Pro----")));
  // Composing again replaces the box's text, whatever the user wrote in it.
  w_->Textbbb->appendPlainText(QStringLiteral("aggiunta"));
  QTest::mouseClick(w_->Command1, Qt::LeftButton);
  QCOMPARE(w_->testoRiepilogo(), text);
}

void tst_mese::composeUsesPickedMonth_data() {
  QTest::addColumn<QDate>("date");
  QTest::addColumn<QString>("heading");
  QTest::newRow("march") << QDate(2026, 3, 31) << QStringLiteral("Riepilogo mensile del 3/2026");
  QTest::newRow("november") << QDate(2025, 11, 1)
                            << QStringLiteral("Riepilogo mensile del 11/2025");
}

void tst_mese::composeUsesPickedMonth() {
  QFETCH(QDate, date);
  QFETCH(QString, heading);
  w_->DTPicker1->setDate(date);
  w_->Command1_Click();
  QVERIFY(w_->testoRiepilogo().startsWith(heading + QStringLiteral("\r\n\r\n")));
}

void tst_mese::reset() {
  const QDate picked(2024, 2, 29);
  w_->DTPicker1->setDate(picked);
  for (QLineEdit* e : w_->Text1) e->setText(QStringLiteral("5"));
  w_->Command1_Click();
  QTest::mouseClick(w_->Command5, Qt::LeftButton);
  QCOMPARE(fieldTexts(w_), QStringList(summary::kFieldCount));
  // The placeholder comes back without its line end, and the month stays.
  QCOMPARE(w_->testoRiepilogo(), mese::kPlaceholder);
  QCOMPARE(w_->DTPicker1->date(), picked);
  for (QPushButton* b : boxButtons(w_)) QVERIFY(b->isEnabled());
}

void tst_mese::enableRule() {
  w_->Textbbb->setFocus();
  w_->Textbbb->selectAll();
  QTest::keyClick(w_->Textbbb, Qt::Key_Delete);
  QCOMPARE(w_->testoRiepilogo(), QString());
  for (QPushButton* b : boxButtons(w_)) QVERIFY(!b->isEnabled());
  QVERIFY(w_->Command1->isEnabled());
  QTest::keyClicks(w_->Textbbb, QStringLiteral("x"));
  for (QPushButton* b : boxButtons(w_)) QVERIFY(b->isEnabled());
  // A box holding only a line break is not empty.
  w_->Textbbb->setPlainText(QStringLiteral("\n"));
  for (QPushButton* b : boxButtons(w_)) QVERIFY(b->isEnabled());
  w_->Textbbb->clear();
  for (QPushButton* b : boxButtons(w_)) QVERIFY(!b->isEnabled());
  // Composing enables them again.
  w_->Command1_Click();
  for (QPushButton* b : boxButtons(w_)) QVERIFY(b->isEnabled());
}

void tst_mese::copy() {
  ScriptedClipboard& clip = *env_->scripted().clipboard;
  clip.setText(QStringLiteral("vecchio"));
  clip.history.clear();
  w_->Textbbb->setPlainText(QStringLiteral("Riga uno\r\nRiga due"));
  QTest::mouseClick(w_->Command2, Qt::LeftButton);
  QCOMPARE(clip.history,
           QStringList({QStringLiteral("clear"), QStringLiteral("Riga uno\nRiga due")}));
  QCOMPARE(clip.text, QStringLiteral("Riga uno\nRiga due"));
}

void tst_mese::save_data() {
  QTest::addColumn<QString>("boxText");
  QTest::addColumn<QByteArray>("bytes");
  QTest::newRow("composed line ends")
      << QStringLiteral("Temperatura media minima: 2,4 °C\r\nN° di eventi: 3")
      << QByteArray(
             "Temperatura media minima: 2,4 \xb0"
             "C\r\nN\xb0 di eventi: 3\r\n");
  QTest::newRow("edited by hand, one line")
      << QStringLiteral("solo questo") << QByteArray("solo questo\r\n");
  QTest::newRow("trailing empty line") << QStringLiteral("a\r\n") << QByteArray("a\r\n\r\n");
  QTest::newRow("euro and accents")
      << QStringLiteral("perché 5 €") << QByteArray("perch\xe9 5 \x80\r\n");
}

void tst_mese::save() {
  QFETCH(QString, boxText);
  QFETCH(QByteArray, bytes);
  const QString target = env_->path(QStringLiteral("riepilogo.txt"));
  env_->writeFile(QStringLiteral("riepilogo.txt"), QByteArray("vecchio contenuto piu lungo\r\n"));
  w_->Textbbb->setPlainText(boxText);
  env_->dialogs().savePaths << target;
  QTest::mouseClick(w_->Command3, Qt::LeftButton);
  QCOMPARE(env_->readFile(QStringLiteral("riepilogo.txt")), bytes);
  QCOMPARE(env_->dialogs().saveRequests.size(), 1);
  const SaveFileRequest& r = env_->dialogs().saveRequests.first();
  QCOMPARE(r.filter, QStringLiteral("All Files|*.*|Text Files (*.txt)|*.txt"));
  QCOMPARE(r.filterIndex, 2);
  QCOMPARE(r.flags, 2054);
  QVERIFY(r.title.isEmpty() && r.initialName.isEmpty() && r.initialFolder.isEmpty());
  QVERIFY(env_->dialogs().messages.isEmpty());
}

void tst_mese::saveCancelled() {
  w_->Command1_Click();
  const QStringList before = QDir(env_->folder()).entryList(QDir::Files);
  QTest::mouseClick(w_->Command3, Qt::LeftButton);  // no answer queued: cancelled
  QCOMPARE(env_->dialogs().saveRequests.size(), 1);
  QCOMPARE(QDir(env_->folder()).entryList(QDir::Files), before);
  QVERIFY(env_->dialogs().messages.isEmpty());
  // The dialog opens again at every click.
  QTest::mouseClick(w_->Command3, Qt::LeftButton);
  QCOMPARE(env_->dialogs().saveRequests.size(), 2);
}

void tst_mese::saveFailure_data() {
  QTest::addColumn<QString>("relative");
  QTest::newRow("folder missing") << QStringLiteral("manca/riepilogo.txt");
  QTest::newRow("path is a folder") << QStringLiteral("cartella");
  QTest::newRow("name too long") << QString(300, QLatin1Char('r')) + QStringLiteral(".txt");
}

void tst_mese::saveFailure() {
  QFETCH(QString, relative);
  QVERIFY(QDir(env_->folder()).mkdir(QStringLiteral("cartella")));
  w_->Command1_Click();
  env_->dialogs().savePaths << env_->folder() + QLatin1Char('/') + relative;
  w_->Command3_Click();
  QCOMPARE(env_->dialogs().messages.size(), 1);
  const ScriptedDialogs::Message& m = env_->dialogs().messages.first();
  QCOMPARE(m.icon, MsgIcon::Critical);
  QCOMPARE(m.buttons, MsgButtons::Ok);
  QCOMPARE(m.title, QStringLiteral("Nubilario"));
  QVERIFY(m.text.startsWith(QStringLiteral("Impossibile salvare il riepilogo")));
  QVERIFY(QFileInfo(env_->folder() + QStringLiteral("/cartella")).isDir());
}

void tst_mese::print() {
  env_->setStation(QStringLiteral("Monte Cucco"));
  w_->Textbbb->setPlainText(QStringLiteral("Prima riga\r\n\r\nUltima riga"));
  QTest::mouseClick(w_->Command4, Qt::LeftButton);
  RecordingPrinter& p = *env_->scripted().printer;
  QCOMPARE(p.texts(), QStringList({QString(), QStringLiteral("Stazione meteorologica Monte Cucco"),
                                   QStringLiteral("Prima riga\r\n\r\nUltima riga")}));
  QCOMPARE(p.documents, 1);
  QVERIFY(env_->dialogs().messages.isEmpty());
}

void tst_mese::printFailure() {
  env_->scripted().printer->failing = true;
  w_->Command1_Click();
  const QString before = w_->testoRiepilogo();
  w_->Command4_Click();
  QCOMPARE(env_->dialogs().messages.size(), 1);
  const ScriptedDialogs::Message& m = env_->dialogs().messages.first();
  QCOMPARE(m.text, kPrintError);
  QCOMPARE(m.icon, MsgIcon::Critical);
  QCOMPARE(m.buttons, MsgButtons::Ok);
  QCOMPARE(m.title, QStringLiteral("Nubilario"));
  QCOMPARE(env_->scripted().printer->documents, 0);
  QCOMPARE(w_->testoRiepilogo(), before);
}

void tst_mese::printFailurePartway() {
  RecordingPrinter& p = *env_->scripted().printer;
  p.failAfterLines = 2;  // the printer stops after the station line
  w_->Command1_Click();
  w_->Command4_Click();
  QCOMPARE(env_->dialogs().messages.size(), 1);
  QCOMPARE(env_->dialogs().messages.first().text, kPrintError);
  QCOMPARE(p.aborted, 1);  // the half-printed document is dropped
  QCOMPARE(p.documents, 0);
}

void tst_mese::singleInstanceAndUnload() {
  QCOMPARE(env_->ctx().window<mese>(), w_);
  Form1* main = env_->mainWindow();
  main->show();
  w_->mostra();
  QVERIFY(w_->isVisible());
  QTest::keyClicks(w_->Text1[0], QStringLiteral("3"));
  w_->mostra();  // shown again: unchanged
  QCOMPARE(w_->Text1[0]->text(), QStringLiteral("3"));
  QVERIFY(w_->isWindow());

  env_->dialogs().answers << MsgAnswer::No;  // the figure typed is not kept
  w_->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCOMPARE(env_->ctx().existing<mese>(), nullptr);
  QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(main));
  // A new opening starts afresh.
  w_ = env_->ctx().window<mese>();
  QCOMPARE(w_->Text1[0]->text(), QString());
  QCOMPARE(w_->testoRiepilogo(), mese::kPlaceholder + QStringLiteral("\r\n"));
}

void tst_mese::sheetButtons_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("sheet");
  QTest::newRow("daily precipitation")
      << QStringLiteral("Command6") << QStringLiteral("archiviopioggia");
  QTest::newRow("daily temperatures")
      << QStringLiteral("Command7") << QStringLiteral("medietemperature");
  QTest::newRow("current year") << QStringLiteral("Command8") << QStringLiteral("pioggiaanno");
}

void tst_mese::sheetButtons() {
  QFETCH(QString, button);
  QFETCH(QString, sheet);
  AppContext& ctx = env_->ctx();
  const auto existing = [&ctx, &sheet]() -> QWidget* {
    if (sheet == u"archiviopioggia") return ctx.existing<archiviopioggia>();
    if (sheet == u"medietemperature") return ctx.existing<medietemperature>();
    return ctx.existing<pioggiaanno>();
  };
  QVERIFY(!existing());
  w_->mostra();
  QTest::mouseClick(w_->findChild<QPushButton*>(button), Qt::LeftButton);
  QWidget* opened = existing();
  QVERIFY(opened);
  QVERIFY(opened->isVisible());
  QCOMPARE(opened->objectName(), sheet);

  // An open sheet comes forward as it is.
  auto* cell = opened->findChild<QLineEdit*>(QStringLiteral("Text1_3"));
  QVERIFY(cell);
  cell->setText(QStringLiteral("7,5"));
  QTest::mouseClick(w_->findChild<QPushButton*>(button), Qt::LeftButton);
  QCOMPARE(existing(), opened);
  QCOMPARE(cell->text(), QStringLiteral("7,5"));

  // Closing the summary leaves the sheet open with its edits.
  w_->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(!env_->ctx().existing<mese>());
  QCOMPARE(existing(), opened);
  QVERIFY(opened->isVisible());
  QCOMPARE(cell->text(), QStringLiteral("7,5"));
}

void tst_mese::openedFromSheets() {
  // The summary opened from one sheet and then from the others is one window,
  // unchanged, and it outlives the sheets that opened it.
  AppContext& ctx = env_->ctx();
  w_->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(!ctx.existing<mese>());

  auto* rain = ctx.window<archiviopioggia>();
  rain->show();
  QTest::mouseClick(rain->Command8, Qt::LeftButton);
  mese* summary = ctx.existing<mese>();
  QVERIFY(summary && summary->isVisible());
  summary->Text1[10]->setText(QStringLiteral("84,6"));

  auto* year = ctx.window<pioggiaanno>();
  year->show();
  QTest::mouseClick(year->Command8, Qt::LeftButton);
  QCOMPARE(ctx.existing<mese>(), summary);

  auto* temps = ctx.window<medietemperature>();
  temps->show();
  QTest::mouseClick(temps->Command6, Qt::LeftButton);
  QCOMPARE(ctx.existing<mese>(), summary);
  QCOMPARE(summary->Text1[10]->text(), QStringLiteral("84,6"));

  for (QWidget* sheet : std::initializer_list<QWidget*>{rain, year, temps}) sheet->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(!ctx.existing<archiviopioggia>());
  QCOMPARE(ctx.existing<mese>(), summary);
  QVERIFY(summary->isVisible());
  QCOMPARE(summary->Text1[10]->text(), QStringLiteral("84,6"));
}

// The whole window, with room for its frame, on a screen of 1024 by 768.
void tst_mese::fitsSmallScreen() {
  w_->show();
  QVERIFY(QTest::qWaitForWindowExposed(w_));
  const QSize size = w_->frameGeometry().size();
  QVERIFY2(size.width() <= 1000 && size.height() <= 670,
           qPrintable(QStringLiteral("%1x%2").arg(size.width()).arg(size.height())));
  QVERIFY(w_->minimumSizeHint().width() <= 1000);
}

QTEST_MAIN(tst_mese)
#include "tst_mese.moc"
