// The print dialog: its options and their greying, which printout "Sta&mpa"
// runs, the failure message that keeps the dialog open, the setup dialog.

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "print/stampa.h"
#include "rules/sheetfile.h"
#include "sheets/archiviopioggia.h"
#include "sheets/medietemperature.h"
#include "sheets/pioggiaanno.h"
#include "testenv.h"
#include "tools/dialog.h"

namespace {

const QString kFailure = QStringLiteral(
    "Errore durante il trasferimento dei dati alla stampante. Possibili cause: il database che "
    "si desidera stampare è vuoto oppure la stampante non risponde...");

// One record in each archive whose first field names the archive.
void fillArchives(Form1* main) {
  const std::pair<ArchiveKind, QString> marks[] = {{ArchiveKind::Temperature, "T-rec"},
                                                   {ArchiveKind::Rain, "R-rec"},
                                                   {ArchiveKind::Snow, "S-rec"},
                                                   {ArchiveKind::OtherEvents, "E-rec"}};
  for (const auto& [kind, mark] : marks) {
    Recordset& rs = main->recordset(kind);
    rs.addNew();
    rs.setField(rs.fieldNames().first(), mark);
    QVERIFY(rs.update());
  }
}

QRadioButton* option(stampa& d, const QString& name) { return d.findChild<QRadioButton*>(name); }

// A click on the option's round mark (a click right of its caption misses it).
void click(QRadioButton* o) {
  QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(6, o->height() / 2));
}

}  // namespace

class TestStampa : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void initTestCase() { pinItalianLocale(); }

  void initialChoice();
  void notesOptionGreysTheFrame();
  void printsTheChosenOne_data();
  void printsTheChosenOne();
  void enterPrintsTemperatures();
  void emptyArchiveKeepsDialogOpen();
  void printerFailureDropsDocument();
  void setupDialogTitle();
  void notesOpenArePrintedAndClosed();
  void notesClosedPrintEmptyText();
  void everyOpeningStartsAlike();
  void cancelPrintsNothing();
  void openSheetsPrintAsTheyStand();
  void closedSheetsAreLoadedHidden();
  void printCommandsOpenTheDialog_data();
  void printCommandsOpenTheDialog();
};

void TestStampa::initialChoice() {
  TestEnv env;
  env.loadMainWindow();
  stampa d(env.ctx(), env.ctx().mainWindow());
  QCOMPARE(d.windowTitle(), "Stampa");
  QCOMPARE(d.Label1->text(), "Scegliere che cosa si desidera stampare");
  const QList<std::pair<QString, QString>> captions{{"Option1", "&Stampa archivio dati..."},
                                                    {"Option2", "...&temperature"},
                                                    {"Option3", "...&pioggia"},
                                                    {"Option4", "...&neve"},
                                                    {"Option5", "...&altri eventi"},
                                                    {"Option7", "...p&recipitazioni giornaliere"},
                                                    {"Option8", "...pr&ecipitazioni anno corrente"},
                                                    {"Option9", "...temperature &giornaliere"},
                                                    {"Option6", "Stampa App&unti"}};
  for (const auto& [name, caption] : captions) {
    QRadioButton* o = option(d, name);
    QVERIFY2(o, qPrintable(name));
    QCOMPARE(o->text(), caption);
    QVERIFY(o->isEnabled());
    QCOMPARE(o->isChecked(), name == "Option1" || name == "Option2");
  }
  QCOMPARE(d.Command1->text(), "Imposta&zioni di stampa...");
  QCOMPARE(d.OKButton->text(), "Sta&mpa");
  QVERIFY(d.OKButton->isDefault());
  QCOMPARE(d.CancelButton->text(), "Annulla");
  QCOMPARE(d.scelta(), stampa::Scelta::di(ArchiveKind::Temperature));
}

void TestStampa::notesOptionGreysTheFrame() {
  TestEnv env;
  env.loadMainWindow();
  stampa d(env.ctx(), env.ctx().mainWindow());
  d.show();
  click(d.archivio(ArchiveKind::Snow));
  click(d.Option6);
  QVERIFY(d.Option6->isChecked());
  QVERIFY(!d.Option1->isChecked());
  for (QRadioButton* o : {d.archivio(ArchiveKind::Temperature), d.archivio(ArchiveKind::Rain),
                          d.archivio(ArchiveKind::Snow), d.archivio(ArchiveKind::OtherEvents),
                          d.Option7, d.Option8, d.Option9})
    QVERIFY(!o->isEnabled());
  QVERIFY(d.archivio(ArchiveKind::Snow)->isChecked());  // greyed, yet still selected
  QCOMPARE(d.scelta(), stampa::Scelta::di(stampa::Scelta::Cosa::Appunti));

  click(d.Option1);
  QVERIFY(d.Option1->isChecked());
  QVERIFY(!d.Option6->isChecked());
  for (QRadioButton* o : {d.archivio(ArchiveKind::Temperature), d.archivio(ArchiveKind::Rain),
                          d.archivio(ArchiveKind::Snow), d.archivio(ArchiveKind::OtherEvents),
                          d.Option7, d.Option8, d.Option9})
    QVERIFY(o->isEnabled());
  QVERIFY(d.archivio(ArchiveKind::Snow)->isChecked());
  QCOMPARE(d.scelta(), stampa::Scelta::di(ArchiveKind::Snow));
}

void TestStampa::printsTheChosenOne_data() {
  QTest::addColumn<QString>("choice");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QString>("record");
  QTest::newRow("temperature") << "Option2"
                               << " - Temperature medie mensili"
                               << "T-rec";
  QTest::newRow("rain") << "Option3"
                        << " - Dati pluviometrici"
                        << "R-rec";
  QTest::newRow("snow") << "Option4"
                        << " - Dati nivometrici stagionali"
                        << "S-rec";
  QTest::newRow("other events") << "Option5"
                                << " - Altri eventi meteorologici"
                                << "E-rec";
  QTest::newRow("notes") << "Option6"
                         << " - Appunti/note" << QString();
}

void TestStampa::printsTheChosenOne() {
  QFETCH(QString, choice);
  QFETCH(QString, title);
  QFETCH(QString, record);
  TestEnv env;
  Form1* main = env.loadMainWindow();
  env.setStation(QStringLiteral("Colle"));
  fillArchives(main);
  RecordingPrinter& p = *env.scripted().printer;

  stampa d(env.ctx(), main);
  d.show();
  click(option(d, choice));
  QTest::mouseClick(d.OKButton, Qt::LeftButton);

  QCOMPARE(p.documents, 1);
  QCOMPARE(p.lines.value(1).text, "    Stazione meteorologica Colle" + title);
  if (!record.isEmpty()) QVERIFY(p.lines.last().text.startsWith("      " + record + "      "));
  QVERIFY(env.dialogs().messages.isEmpty());
  QCOMPARE(d.result(), int(QDialog::Accepted));
  QVERIFY(!d.isVisible());
}

void TestStampa::enterPrintsTemperatures() {
  TestEnv env;
  Form1* main = env.loadMainWindow();
  fillArchives(main);
  stampa d(env.ctx(), main);
  d.show();
  QApplication::setActiveWindow(&d);
  QTest::keyClick(&d, Qt::Key_Return);
  QCOMPARE(env.scripted().printer->documents, 1);
  QVERIFY(env.scripted().printer->lines.value(1).text.endsWith(" - Temperature medie mensili"));
  QVERIFY(!d.isVisible());
}

void TestStampa::emptyArchiveKeepsDialogOpen() {
  TestEnv env;
  Form1* main = env.loadMainWindow();
  stampa d(env.ctx(), main);
  d.show();
  click(d.archivio(ArchiveKind::Rain));
  QTest::mouseClick(d.OKButton, Qt::LeftButton);

  RecordingPrinter& p = *env.scripted().printer;
  QVERIFY(p.lines.isEmpty());
  QCOMPARE(p.documents, 0);
  QCOMPARE(env.dialogs().messages.size(), 1);
  const auto& m = env.dialogs().messages.first();
  QCOMPARE(m.text, kFailure);
  QCOMPARE(m.title, "Nubilario");
  QCOMPARE(m.icon, MsgIcon::Critical);
  QCOMPARE(m.buttons, MsgButtons::Ok);
  QVERIFY(d.isVisible());
  QVERIFY(d.archivio(ArchiveKind::Rain)->isChecked());
}

void TestStampa::printerFailureDropsDocument() {
  TestEnv env;
  Form1* main = env.loadMainWindow();
  fillArchives(main);
  RecordingPrinter& p = *env.scripted().printer;
  p.failing = true;
  stampa d(env.ctx(), main);
  d.show();
  QTest::mouseClick(d.OKButton, Qt::LeftButton);
  QCOMPARE(env.dialogs().lastMessage(), kFailure);
  QCOMPARE(p.documents, 0);
  QVERIFY(d.isVisible());

  // The printer answers again: the next try prints one whole document.
  p.failing = false;
  QTest::mouseClick(d.OKButton, Qt::LeftButton);
  QCOMPARE(p.documents, 1);
  QCOMPARE(p.texts().size(), 4);
}

void TestStampa::setupDialogTitle() {
  TestEnv env;
  env.loadMainWindow();
  RecordingPrinter& p = *env.scripted().printer;
  p.setupAnswers = {false, true, false};
  stampa d(env.ctx(), env.ctx().mainWindow());
  d.show();
  for (int i = 0; i < 3; ++i) QTest::mouseClick(d.Command1, Qt::LeftButton);
  QCOMPARE(p.setupTitles,
           (QStringList{QString(), "Impostazioni di Stampa", "Impostazioni di Stampa"}));
  QVERIFY(env.dialogs().messages.isEmpty());  // cancelling says nothing
  QVERIFY(d.isVisible());
  QVERIFY(p.lines.isEmpty());

  // A new dialog shows the setup dialog with its own title again.
  stampa again(env.ctx(), env.ctx().mainWindow());
  again.Command1_Click();
  QCOMPARE(p.setupTitles.last(), QString());
}

void TestStampa::notesOpenArePrintedAndClosed() {
  TestEnv env;
  Form1* main = env.loadMainWindow();
  env.setStation(QStringLiteral("Colle"));
  Dialog* notes = env.ctx().window<Dialog>();
  notes->show();
  notes->Text1->setPlainText(QStringLiteral("prima riga\nseconda riga"));

  stampa d(env.ctx(), main);
  d.Option6_Click();
  env.dialogs().answers << MsgAnswer::No;  // printed, not kept in a file
  d.OKButton_Click();

  QCOMPARE(env.scripted().printer->texts().value(4), "           prima riga\nseconda riga");
  QVERIFY(!notes->isVisible());
  QCOMPARE(d.result(), int(QDialog::Accepted));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(!env.ctx().existing<Dialog>());
}

void TestStampa::notesClosedPrintEmptyText() {
  TestEnv env;
  Form1* main = env.loadMainWindow();
  env.setStation(QStringLiteral("Colle"));
  stampa d(env.ctx(), main);
  d.Option6_Click();
  d.OKButton_Click();

  QCOMPARE(env.scripted().printer->texts(),
           (QStringList{"     ", "    Stazione meteorologica Colle - Appunti/note", "     ",
                        "     ", "           "}));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(!env.ctx().existing<Dialog>());  // loaded for the printout only
}

void TestStampa::everyOpeningStartsAlike() {
  TestEnv env;
  Form1* main = env.loadMainWindow();
  fillArchives(main);
  QList<stampa::Scelta> seen;
  // First opening: pick the notes option, then cancel. Second: look, then print.
  env.onNextWindow<stampa>([&](stampa& d) {
    seen << d.scelta();
    d.Option6->click();
    d.CancelButton->click();
  });
  stampa::mostra(env.ctx(), main);
  env.onNextWindow<stampa>([&](stampa& d) {
    seen << d.scelta();
    QVERIFY(d.Option1->isChecked() && d.archivio(ArchiveKind::Temperature)->isChecked() &&
            d.archivio(ArchiveKind::Temperature)->isEnabled());
    d.OKButton->click();
  });
  stampa::mostra(env.ctx(), main);
  const auto temperature = stampa::Scelta::di(ArchiveKind::Temperature);
  QVERIFY(seen == (QList<stampa::Scelta>{temperature, temperature}));
  QCOMPARE(env.scripted().printer->documents, 1);
  QVERIFY(!main->findChild<stampa*>());  // nothing left behind
}

void TestStampa::cancelPrintsNothing() {
  TestEnv env;
  Form1* main = env.loadMainWindow();
  fillArchives(main);
  stampa d(env.ctx(), main);
  d.show();
  QTest::mouseClick(d.CancelButton, Qt::LeftButton);
  QVERIFY(!d.isVisible());
  QCOMPARE(d.result(), int(QDialog::Rejected));
  QVERIFY(env.scripted().printer->lines.isEmpty());
}

void TestStampa::openSheetsPrintAsTheyStand() {
  TestEnv env;
  Form1* main = env.loadMainWindow();
  env.setStation(QStringLiteral("Colle"));
  RecordingPrinter& p = *env.scripted().printer;

  auto* temps = env.ctx().window<medietemperature>();
  temps->mostra();
  temps->DTPicker1->setDate(QDate(2006, 3, 15));
  temps->Text1[10]->setText(QStringLiteral("-2,5"));  // minimum of day 10, not saved
  temps->Text1[41]->setText(QStringLiteral("11"));    // maximum of day 10
  auto* rain = env.ctx().window<archiviopioggia>();
  rain->mostra();
  rain->DTPicker1->setDate(QDate(2001, 7, 1));  // the title takes the temperature sheet's month
  rain->Text1[5]->setText(QStringLiteral("12,4"));
  rain->Text1[6]->clear();
  rain->totale->setText(QStringLiteral("12,40 mm"));
  auto* year = env.ctx().window<pioggiaanno>();
  year->mostra();
  year->DTPicker1->setDate(QDate(2006, 1, 1));
  year->monthCell(12)->setText(QStringLiteral("33,3"));
  year->monthCell(1)->setText(QStringLiteral("44,4"));

  stampa d(env.ctx(), main);
  d.Option9->click();
  d.OKButton_Click();
  QCOMPARE(p.texts().value(2), "       Temperature massime e minime mensili (in °C): 3/ 2006 ");
  QCOMPARE(p.texts().value(15), "     10° Giorno     -2,5" + QString(18, ' ') + "11 ");

  p.lines.clear();
  stampa d2(env.ctx(), main);
  d2.Option7->click();
  d2.OKButton_Click();
  QCOMPARE(p.texts().value(1),
           "    Stazione meteorologica Colle - Pioggia giornaliera mese: 3/ 2006 ");
  QCOMPARE(p.texts().value(8), "      5° Giorno   12,4 mm");
  QCOMPARE(p.texts().value(9), "      6° Giorno    mm");
  QCOMPARE(p.texts().value(36), "   Totale mensile 12,40 mm");

  p.lines.clear();
  stampa d3(env.ctx(), main);
  d3.Option8->click();
  d3.OKButton_Click();
  QCOMPARE(p.texts().value(1), "      Stazione meteorologica Colle - Precipitazioni anno 2006");
  QCOMPARE(p.texts().value(4), "      Gennaio   44,4 mm");
  QCOMPARE(p.texts().value(15), "      Dicembre  33,3 mm");

  QCOMPARE(p.documents, 3);
  QVERIFY(env.dialogs().messages.isEmpty());
  // The sheets stay open and unchanged.
  QVERIFY(temps->isVisible() && rain->isVisible() && year->isVisible());
  QCOMPARE(temps->Text1[10]->text(), "-2,5");
  QCOMPARE(rain->Text1[5]->text(), "12,4");
}

void TestStampa::closedSheetsAreLoadedHidden() {
  TestEnv env;
  QStringList temps(63), rain(32), year(13);
  temps[3] = QStringLiteral("1,5");
  temps[34] = QStringLiteral("9");
  rain[31] = QStringLiteral("7,7");
  year[0] = QStringLiteral("55");  // December
  QVERIFY(sheetfile::write(env.path("tempmedie.txt"), temps));
  QVERIFY(sheetfile::write(env.path("prpgiornaliera.txt"), rain));
  QVERIFY(sheetfile::write(env.path("prpanno.txt"), year));
  Form1* main = env.loadMainWindow();
  RecordingPrinter& p = *env.scripted().printer;
  const QDate today = QDate::currentDate();

  stampa d(env.ctx(), main);
  d.Option7->click();
  d.OKButton_Click();
  QCOMPARE(p.texts().value(34), "     31° Giorno   7,7 mm");
  QVERIFY(p.texts().value(1).endsWith(
      QStringLiteral(" - Pioggia giornaliera mese: %1/ %2 ").arg(today.month()).arg(today.year())));
  // Both sheets were loaded for this, and stay loaded and hidden.
  QVERIFY(env.ctx().existing<archiviopioggia>());
  QVERIFY(!env.ctx().existing<archiviopioggia>()->isVisible());
  QVERIFY(env.ctx().existing<medietemperature>());
  QVERIFY(!env.ctx().existing<medietemperature>()->isVisible());

  p.lines.clear();
  stampa d2(env.ctx(), main);
  d2.Option9->click();
  d2.OKButton_Click();
  QCOMPARE(p.texts().value(8), "      3° Giorno     1,5" + QString(19, ' ') + "9 ");

  p.lines.clear();
  stampa d3(env.ctx(), main);
  d3.Option8->click();
  d3.OKButton_Click();
  QCOMPARE(p.texts().value(15), "      Dicembre  55 mm");
  QVERIFY(p.texts().value(1).endsWith(QString::number(today.year())));
  QVERIFY(!env.ctx().existing<pioggiaanno>()->isVisible());
}

void TestStampa::printCommandsOpenTheDialog_data() {
  QTest::addColumn<int>("opener");
  QTest::newRow("main window menu") << 0;
  QTest::newRow("temperature sheet") << 1;
  QTest::newRow("daily precipitation sheet") << 2;
  QTest::newRow("current-year sheet") << 3;
}

void TestStampa::printCommandsOpenTheDialog() {
  QFETCH(int, opener);
  TestEnv env;
  Form1* main = env.loadMainWindow();
  QWidget* owner = main;
  std::function<void()> command;
  switch (opener) {
    case 0:
      command = [main] { main->printt_Click(); };
      break;
    case 1: {
      auto* w = env.ctx().window<medietemperature>();
      owner = w;
      command = [w] { w->Command4->click(); };
      break;
    }
    case 2: {
      auto* w = env.ctx().window<archiviopioggia>();
      owner = w;
      command = [w] { w->Command6_Click(); };  // enabled once the totals are made
      break;
    }
    case 3: {
      auto* w = env.ctx().window<pioggiaanno>();
      owner = w;
      command = [w] { w->Command5_Click(); };
      break;
    }
  }
  bool seen = false;
  env.onNextWindow<stampa>([&](stampa& d) {
    seen = true;
    QCOMPARE(d.parentWidget(), owner);
    QVERIFY(d.Option1->isChecked() && d.archivio(ArchiveKind::Temperature)->isChecked());
    d.CancelButton->click();
  });
  command();
  QVERIFY(seen);
  QVERIFY(env.scripted().printer->lines.isEmpty());
}

QTEST_MAIN(TestStampa)
#include "tst_stampa.moc"
