// The monthly and annual reset: what is asked, which sheets open and how they
// are left, and that no sheet file changes until the sheet itself is saved.

#include <QAbstractSpinBox>
#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

#include "archive/dialog3.h"
#include "archive/dialog4.h"
#include "rules/safetycopy.h"
#include "rules/sheetfile.h"
#include "sheets/archiviopioggia.h"
#include "sheets/medietemperature.h"
#include "sheets/pioggiaanno.h"
#include "shell/memorizza.h"
#include "shell/reset.h"
#include "testenv.h"

namespace {

const QString kQuestionTitle = QStringLiteral("Nubilario - Azzeramento mensile");
const QString kMonthlyQuestion = QStringLiteral(
    "Si stanno per cancellare tutti i seguenti dati per l'azzeramento mensile: \r\n\r\n"
    "Precipitazioni giornaliere;\r\nTemperature giornaliere.\r\n\r\nProcedere?");
const QString kAnnualQuestion = QStringLiteral(
    "Si stanno per cancellare tutti i seguenti dati per l'azzeramento annuale: \r\n\r\n"
    "Precipitazioni giornaliere;\r\nPrecipitazioni anno corrente;\r\nTemperature giornaliere."
    "\r\n\r\nProcedere?");
const QString kMonthlyDone = QStringLiteral(
    "Operazione eseguita correttamente. Salvare le modifiche alle due finestre prima di "
    "chiuderle. ");
const QString kAnnualDone = QStringLiteral(
    "Operazione eseguita correttamente. Salvare le modifiche alle tre finestre prima di "
    "chiuderle ");

// Every text box of a window, the month pickers' own editors left out.
QStringList textBoxes(QWidget* w) {
  QStringList out;
  for (QLineEdit* e : w->findChildren<QLineEdit*>())
    if (!qobject_cast<QAbstractSpinBox*>(e->parentWidget())) out << e->text();
  for (QPlainTextEdit* e : w->findChildren<QPlainTextEdit*>()) out << e->toPlainText();
  return out;
}

QStringList filled(int count, const QString& prefix) {
  QStringList out;
  for (int i = 0; i < count; ++i) out << prefix + QString::number(i);
  return out;
}

// The sheet's "Archivia" for January 2025, the record inserted.
void archiveJanuary(TestEnv& env, bool rain) {
  AppContext& ctx = env.ctx();
  auto pick = [](QComboBox* month, QLineEdit* year) {
    month->setCurrentIndex(0);
    year->setText(QStringLiteral("2025"));
  };
  if (rain) {
    ctx.window<archiviopioggia>()->Command1_Click();
    env.onNextWindow<Dialog3>([&](Dialog3& d) {
      pick(d.Combo1, d.anno);
      d.eventi->setText(QStringLiteral("1"));
      d.okbutton_Click();
    });
    ctx.window<archiviopioggia>()->Command7_Click();
  } else {
    env.onNextWindow<Dialog4>([&](Dialog4& d) {
      pick(d.Combo1, d.anno);
      d.okbutton_Click();
    });
    ctx.window<medietemperature>()->Command7_Click();
  }
}

}  // namespace

class tst_reset : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { pinItalianLocale(); }
  void init();
  void cleanup();

  void questions_data();
  void questions();
  void answeredNo_data();
  void answeredNo();
  void monthlyWithSheetsClosed();
  void monthlyReplacesEdits();
  void monthlyLeavesYearSheetAlone();
  void annual();
  void savedOnlyByTheSheet();
  void fromMenu_data();
  void fromMenu();
  void storesDaysFirst_data();
  void storesDaysFirst();
  void safetyCopyFirst_data();
  void safetyCopyFirst();
  void storeQuestionShownWhole();

 private:
  // Sheet files holding a month of data.
  void writeSheets();
  QByteArray files() const;

  std::unique_ptr<TestEnv> env_;
};

void tst_reset::init() {
  env_ = std::make_unique<TestEnv>();
  env_->loadMainWindow();
  writeSheets();
  // The sheets hold a month not yet in the history: the keeper goes on
  // without storing it, unless a test says otherwise.
  env_->onNextWindow<memorizza>([](memorizza& m) { m.nobutton->click(); });
}

void tst_reset::cleanup() { env_.reset(); }

void tst_reset::writeSheets() {
  QStringList temps = filled(63, QStringLiteral("1"));
  QVERIFY(sheetfile::write(env_->path(QStringLiteral("tempmedie.txt")), temps));
  QStringList rain = filled(32, QStringLiteral("2"));
  QVERIFY(sheetfile::write(env_->path(QStringLiteral("prpgiornaliera.txt")), rain));
  QStringList year = filled(13, QStringLiteral("3"));
  QVERIFY(sheetfile::write(env_->path(QStringLiteral("prpanno.txt")), year));
}

QByteArray tst_reset::files() const {
  return env_->readFile(QStringLiteral("tempmedie.txt")) + "#" +
         env_->readFile(QStringLiteral("prpgiornaliera.txt")) + "#" +
         env_->readFile(QStringLiteral("prpanno.txt"));
}

void tst_reset::questions_data() {
  QTest::addColumn<bool>("annual");
  QTest::addColumn<QString>("question");
  QTest::newRow("monthly") << false << kMonthlyQuestion;
  QTest::newRow("annual") << true << kAnnualQuestion;
}

void tst_reset::questions() {
  QFETCH(bool, annual);
  QFETCH(QString, question);
  env_->dialogs().answers << MsgAnswer::No;
  annual ? azzeramento::annuale(env_->ctx()) : azzeramento::mensile(env_->ctx());
  QCOMPARE(env_->dialogs().messages.size(), 1);
  const ScriptedDialogs::Message& m = env_->dialogs().messages.first();
  QCOMPARE(m.text, question);
  QCOMPARE(m.title, kQuestionTitle);
  QCOMPARE(m.icon, MsgIcon::None);
  QCOMPARE(m.buttons, MsgButtons::YesNo);
}

void tst_reset::answeredNo_data() {
  QTest::addColumn<bool>("annual");
  QTest::addColumn<bool>("sheetsOpen");
  QTest::newRow("monthly, sheets closed") << false << false;
  QTest::newRow("annual, sheets closed") << true << false;
  QTest::newRow("monthly, sheets open") << false << true;
  QTest::newRow("annual, sheets open") << true << true;
}

void tst_reset::answeredNo() {
  QFETCH(bool, annual);
  QFETCH(bool, sheetsOpen);
  AppContext& ctx = env_->ctx();
  QStringList before;
  if (sheetsOpen) {
    ctx.window<medietemperature>()->show();
    ctx.window<archiviopioggia>()->show();
    ctx.window<pioggiaanno>()->show();
    ctx.window<medietemperature>()->Text1[5]->setText(QStringLiteral("-3,5"));
    ctx.window<archiviopioggia>()->Text1[7]->setText(QStringLiteral("12,4"));
    ctx.window<pioggiaanno>()->Text1[3]->setText(QStringLiteral("80"));
    before = textBoxes(ctx.window<medietemperature>()) + textBoxes(ctx.window<archiviopioggia>()) +
             textBoxes(ctx.window<pioggiaanno>());
  }
  const QByteArray filesBefore = files();
  env_->dialogs().answers << MsgAnswer::No;
  annual ? azzeramento::annuale(ctx) : azzeramento::mensile(ctx);
  QCOMPARE(env_->dialogs().messages.size(), 1);
  QCOMPARE(files(), filesBefore);
  if (sheetsOpen) {
    QCOMPARE(textBoxes(ctx.existing<medietemperature>()) +
                 textBoxes(ctx.existing<archiviopioggia>()) +
                 textBoxes(ctx.existing<pioggiaanno>()),
             before);
  } else {
    QVERIFY(!ctx.existing<medietemperature>());
    QVERIFY(!ctx.existing<archiviopioggia>());
    QVERIFY(!ctx.existing<pioggiaanno>());
  }
}

void tst_reset::monthlyWithSheetsClosed() {
  AppContext& ctx = env_->ctx();
  const QByteArray filesBefore = files();
  env_->dialogs().answers << MsgAnswer::Yes;
  azzeramento::mensile(ctx);

  auto* temps = ctx.existing<medietemperature>();
  auto* rain = ctx.existing<archiviopioggia>();
  QVERIFY(temps && rain);
  QVERIFY(temps->isVisible() && rain->isVisible());
  QCOMPARE(temps->parentWidget(), static_cast<QWidget*>(ctx.mainWindow()));
  QCOMPARE(rain->parentWidget(), static_cast<QWidget*>(ctx.mainWindow()));
  QVERIFY(!ctx.existing<pioggiaanno>());

  const QStringList tempBoxes = textBoxes(temps);
  QCOMPARE(tempBoxes.size(), 64);  // 63 fields and the report buffer
  QCOMPARE(tempBoxes, QStringList(64));
  const QStringList rainBoxes = textBoxes(rain);
  QCOMPARE(rainBoxes.size(), 33);  // 32 cells and the report buffer
  QCOMPARE(rainBoxes, QStringList(33, QStringLiteral("0")));

  QCOMPARE(env_->dialogs().messages.size(), 2);
  const ScriptedDialogs::Message& done = env_->dialogs().messages.last();
  QCOMPARE(done.text, kMonthlyDone);
  QCOMPARE(done.icon, MsgIcon::Information);
  QCOMPARE(done.buttons, MsgButtons::Ok);
  QCOMPARE(done.title, QStringLiteral("Nubilario"));
  QCOMPARE(files(), filesBefore);
}

void tst_reset::monthlyReplacesEdits() {
  AppContext& ctx = env_->ctx();
  auto* temps = ctx.window<medietemperature>();
  auto* rain = ctx.window<archiviopioggia>();
  temps->show();
  rain->show();
  // Edited and computed before the reset.
  temps->Text1[1]->setText(QStringLiteral("4,5"));
  temps->Text1[32]->setText(QStringLiteral("12"));
  temps->Command1_Click();
  temps->Command3_Click();
  temps->Timer1_Timer();
  QVERIFY(temps->Command7->isEnabled());
  for (QLineEdit* cell : rain->Text1) cell->setText(QStringLiteral("1"));
  rain->Command1_Click();
  QVERIFY(rain->totale->text() != QStringLiteral("0."));
  QVERIFY(rain->Command7->isEnabled());

  env_->dialogs().answers << MsgAnswer::Yes;
  azzeramento::mensile(ctx);
  // Still the same windows, now cleared.
  QCOMPARE(ctx.existing<medietemperature>(), temps);
  QCOMPARE(ctx.existing<archiviopioggia>(), rain);
  QCOMPARE(textBoxes(temps), QStringList(64));
  QCOMPARE(textBoxes(rain), QStringList(33, QStringLiteral("0")));
  // Computed figures are gone, so no old total can be archived or exported.
  for (QLabel* l :
       {temps->mediamax, temps->mediamin, temps->decadeunomin, temps->decadeduemin,
        temps->decadetremin, temps->decadeunomax, temps->decadeduemax, temps->decadetremax,
        rain->totale, rain->primadec, rain->secondadec, rain->terzadec})
    QCOMPARE(l->text(), QStringLiteral("0."));
  temps->Timer1_Timer();
  QVERIFY(!temps->Command7->isEnabled());
  QVERIFY(!temps->Command8->isEnabled());
  QVERIFY(!rain->Command7->isEnabled());
  QVERIFY(!rain->Command9->isEnabled());
  QVERIFY(!rain->Command6->isEnabled());
}

void tst_reset::monthlyLeavesYearSheetAlone() {
  AppContext& ctx = env_->ctx();
  auto* year = ctx.window<pioggiaanno>();
  year->show();
  year->monthCell(2)->setText(QStringLiteral("55"));
  const QStringList before = textBoxes(year);
  env_->dialogs().answers << MsgAnswer::Yes;
  azzeramento::mensile(ctx);
  QCOMPARE(textBoxes(year), before);
}

void tst_reset::annual() {
  AppContext& ctx = env_->ctx();
  auto* year = ctx.window<pioggiaanno>();
  year->show();
  year->Command1_Click();  // the year from the file, computed
  QVERIFY(year->totale->text() != QStringLiteral("0."));
  const QByteArray filesBefore = files();

  env_->dialogs().answers << MsgAnswer::Yes;
  azzeramento::annuale(ctx);
  QCOMPARE(ctx.existing<pioggiaanno>(), year);
  QVERIFY(ctx.existing<medietemperature>()->isVisible());
  QVERIFY(ctx.existing<archiviopioggia>()->isVisible());
  QCOMPARE(textBoxes(ctx.existing<medietemperature>()), QStringList(64));
  QCOMPARE(textBoxes(ctx.existing<archiviopioggia>()), QStringList(33, QStringLiteral("0")));
  QCOMPARE(textBoxes(year).size(), 14);  // 13 cells and the report buffer
  QCOMPARE(textBoxes(year), QStringList(14, QStringLiteral("0")));
  for (QLabel* l : {year->primosem, year->secondosem, year->totale, year->media})
    QCOMPARE(l->text(), QStringLiteral("0."));
  QVERIFY(!year->Command6->isEnabled());
  QVERIFY(!year->Command5->isEnabled());
  QVERIFY(year->Command1->isEnabled());

  QCOMPARE(env_->dialogs().messages.size(), 2);
  const ScriptedDialogs::Message& done = env_->dialogs().messages.last();
  QCOMPARE(done.text, kAnnualDone);
  QCOMPARE(done.icon, MsgIcon::Information);
  QCOMPARE(done.title, QStringLiteral("Nubilario"));
  QCOMPARE(files(), filesBefore);
}

void tst_reset::savedOnlyByTheSheet() {
  AppContext& ctx = env_->ctx();
  const QByteArray tempsBefore = env_->readFile(QStringLiteral("tempmedie.txt"));
  env_->dialogs().answers << MsgAnswer::Yes;
  azzeramento::mensile(ctx);

  // The rain sheet is saved: its file now holds the cleared cells.
  ctx.existing<archiviopioggia>()->Command5_Click();
  QCOMPARE(env_->readFile(QStringLiteral("prpgiornaliera.txt")),
           sheetfile::composeLine(QStringList(32, QStringLiteral("0"))).toLatin1() + "\r\n");

  // The temperature sheet is closed unsaved: reopened, it shows the old month.
  env_->dialogs().answers << MsgAnswer::No;
  ctx.existing<medietemperature>()->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(!ctx.existing<medietemperature>());
  QCOMPARE(env_->readFile(QStringLiteral("tempmedie.txt")), tempsBefore);
  auto* reopened = ctx.window<medietemperature>();
  QCOMPARE(reopened->Text1[1]->text(), QStringLiteral("11"));
  QCOMPARE(reopened->Text1[62]->text(), QStringLiteral("162"));
}

void tst_reset::fromMenu_data() {
  QTest::addColumn<QString>("item");
  QTest::addColumn<QString>("question");
  QTest::addColumn<bool>("yearSheet");
  QTest::newRow("Azzeramento &mensile") << QStringLiteral("azzmese") << kMonthlyQuestion << false;
  QTest::newRow("Azzeramento &annuale") << QStringLiteral("azzannu") << kAnnualQuestion << true;
}

void tst_reset::fromMenu() {
  QFETCH(QString, item);
  QFETCH(QString, question);
  QFETCH(bool, yearSheet);
  AppContext& ctx = env_->ctx();
  QAction* action = env_->mainWindow()->menuItem(item);
  QVERIFY(action);
  env_->dialogs().answers << MsgAnswer::Yes;
  action->trigger();
  QCOMPARE(env_->dialogs().messages.size(), 2);
  QCOMPARE(env_->dialogs().messages.first().text, question);
  QVERIFY(ctx.existing<medietemperature>() && ctx.existing<archiviopioggia>());
  QCOMPARE(ctx.existing<pioggiaanno>() != nullptr, yearSheet);
}

// The last question before clearing: the days the history lacks are offered
// for storing under the month of the sheets' last hand-over (Enter stores
// them) or, without one since the last reset, the month they most likely
// belong to (Enter stops); no day after the day of the reset is stored; the
// safety copy is made only once nothing more is asked, just before clearing.
void tst_reset::storesDaysFirst_data() {
  QTest::addColumn<QDate>("today");
  // "archived": the temperatures handed over for January 2025; "reset": and a
  // reset since, then rain typed on day 1; "stored": both sheets handed over.
  QTest::addColumn<QString>("before");
  QTest::addColumn<bool>("fiveRainDays");  // else the full sheets
  QTest::addColumn<QDate>("proposed");     // null: nothing asked
  QTest::addColumn<bool>("enterStores");
  QTest::addColumn<QString>("answer");  // "ok", "no" or "cancel"
  QTest::addColumn<QDate>("chosen");    // null: the month proposed
  QTest::addColumn<int>("storedDays");  // of the month stored
  QTest::addColumn<bool>("cleared");    // and one safety copy made
  const QDate none, jan(2025, 1, 1), feb(2025, 2, 1);
  QTest::newRow("early in the month: the month before")
      << QDate(2025, 2, 5) << "" << false << jan << false << "ok" << none << 31 << true;
  QTest::newRow("later on: this month, whose days to come stop the reset")
      << QDate(2025, 1, 20) << "" << false << jan << false << "ok" << none << 0 << false;
  QTest::newRow("the month of the last hand-over")
      << QDate(2025, 2, 20) << "archived" << false << jan << true << "ok" << none << 31 << true;
  QTest::newRow("a hand-over before the last reset is not offered")
      << QDate(2025, 2, 20) << "reset" << false << feb << false << "ok" << none << 20 << true;
  QTest::newRow("five rain days of this month: none after today")
      << QDate(2025, 1, 9) << "" << true << QDate(2024, 12, 1) << false << "ok" << jan << 9 << true;
  QTest::newRow("not stored") << QDate(2025, 2, 5) << "" << false << jan << false << "no" << none
                              << 0 << true;
  QTest::newRow("reset stopped: no safety copy")
      << QDate(2025, 2, 5) << "" << false << jan << false << "cancel" << none << 0 << false;
  QTest::newRow("already stored") << QDate(2025, 2, 5) << "stored" << false << none << false << ""
                                  << none << 31 << true;
}

void tst_reset::storesDaysFirst() {
  QFETCH(QDate, today);
  QFETCH(QString, before);
  QFETCH(bool, fiveRainDays);
  QFETCH(QDate, proposed);
  QFETCH(bool, enterStores);
  QFETCH(QString, answer);
  QFETCH(QDate, chosen);
  QFETCH(int, storedDays);
  QFETCH(bool, cleared);
  env_ = std::make_unique<TestEnv>();
  env_->loadMainWindow();
  writeSheets();
  if (fiveRainDays) {
    QStringList rain(32, QStringLiteral("0"));
    for (int d = 1; d <= 5; ++d) rain[d] = QString::number(d);
    QVERIFY(sheetfile::write(env_->path(QStringLiteral("prpgiornaliera.txt")), rain));
    QVERIFY(sheetfile::write(env_->path(QStringLiteral("tempmedie.txt")), QStringList(63)));
  }
  AppContext& ctx = env_->ctx();
  auto* temps = ctx.window<medietemperature>();
  auto* rain = ctx.window<archiviopioggia>();
  DailyHistory* h = ctx.history();
  QVERIFY(h);
  ctx.platform().now = [] { return QDateTime(QDate(2025, 2, 2), QTime(9, 0)); };
  if (!before.isEmpty()) archiveJanuary(*env_, false);
  if (before == u"stored") archiveJanuary(*env_, true);
  if (before == u"reset") {
    env_->onNextWindow<memorizza>([](memorizza& m) { m.nobutton->click(); });
    env_->dialogs().answers << MsgAnswer::Yes;
    azzeramento::mensile(ctx);
    rain->Text1[1]->setText(QStringLiteral("4"));
  }
  ctx.platform().now = [today] { return QDateTime(today, QTime(9, 0)); };
  const int windowsBefore = int(env_->dialogs().windowsRun.size());
  const int copiesBefore = int(safetycopy::list(env_->folder()).size());
  if (proposed.isValid()) {
    env_->onNextWindow<memorizza>([&](memorizza& m) {
      QCOMPARE(QDate(m.year(), m.month(), 1), proposed);
      QVERIFY(m.Label1->text().contains(
          QLocale(QLocale::Italian).toString(proposed, QStringLiteral("MMMM yyyy"))));
      QCOMPARE(m.okbutton->isDefault(), enterStores);
      if (chosen.isValid()) {
        m.Combo1->setCurrentIndex(chosen.month() - 1);
        m.anno->setValue(chosen.year());
      }
      (answer == u"ok" ? m.okbutton : answer == u"no" ? m.nobutton : m.cancelbutton)->click();
    });
  }
  env_->dialogs().answers << MsgAnswer::Yes;
  azzeramento::mensile(ctx);
  QCOMPARE(int(env_->dialogs().windowsRun.size()) - windowsBefore, proposed.isValid() ? 1 : 0);
  const QDate month = chosen.isValid() ? chosen : proposed.isValid() ? proposed : QDate(2025, 1, 1);
  const QVector<DayRecord> days = h->month(month.year(), month.month());
  QCOMPARE(days.size(), answer == u"no" ? 0 : storedDays);
  if (storedDays == 31) {
    QCOMPARE(days[0].minimum, "11");
    QCOMPARE(days[0].maximum, "132");
    QCOMPARE(days[30].rain, "231");
  }
  if (storedDays && storedDays < 31) QCOMPARE(days.last().date, today);
  if (!cleared && answer == u"ok")
    QVERIFY(env_->dialogs().lastMessage().contains("Temperature giornaliere: giorni 21-31"));
  QCOMPARE(temps->Text1[1]->text(), cleared ? "" : "11");
  QCOMPARE(env_->dialogs().lastMessage() == kMonthlyDone, cleared);
  QCOMPARE(int(safetycopy::list(env_->folder()).size()) - copiesBefore, cleared ? 1 : 0);
}

// Once the keeper said yes, and before anything is cleared, the data file set
// goes to a safety copy; when it cannot be made the keeper decides.
void tst_reset::safetyCopyFirst_data() {
  QTest::addColumn<bool>("annual");
  QTest::addColumn<QString>("copy");  // "made", "failed" or "" (reset not confirmed)
  QTest::addColumn<bool>("goOn");     // the answer to a failed copy
  QTest::newRow("monthly") << false << "made" << true;
  QTest::newRow("annual") << true << "made" << true;
  QTest::newRow("answered no") << false << "" << false;
  QTest::newRow("failed, reset all the same") << false << "failed" << true;
  QTest::newRow("failed, reset stopped") << true << "failed" << false;
}

void tst_reset::safetyCopyFirst() {
  QFETCH(bool, annual);
  QFETCH(QString, copy);
  QFETCH(bool, goOn);
  env_->ctx().platform().now = [] { return QDateTime(QDate(2027, 1, 1), QTime(0, 0, 5)); };
  const QString folder = safetycopy::folder(env_->folder());
  if (copy == "failed") {
    QVERIFY(QDir(folder).removeRecursively());
    env_->writeFile(safetycopy::kFolderName, "non una cartella");
  }
  const QByteArray before = files();
  env_->dialogs().answers << (copy.isEmpty() ? MsgAnswer::No : MsgAnswer::Yes)
                          << (goOn ? MsgAnswer::Yes : MsgAnswer::No);
  annual ? azzeramento::annuale(env_->ctx()) : azzeramento::mensile(env_->ctx());
  const QString made = folder + "/2027-01-01 00.00.05/";
  QCOMPARE(QFile::exists(made), copy == "made");
  if (copy == "made")
    QCOMPARE(bytesOf(made + "tempmedie.txt") + "#" + bytesOf(made + "prpgiornaliera.txt") + "#" +
                 bytesOf(made + "prpanno.txt"),
             before);
  const QList<ScriptedDialogs::Message>& m = env_->dialogs().messages;
  if (copy == "failed") {
    QCOMPARE(m.value(1).text,
             "Impossibile fare la copia di sicurezza dei dati prima dell'azzeramento.\r\n\r\n"
             "Dettaglio: impossibile creare la cartella " +
                 env_->path(safetycopy::kFolderName) +
                 "\r\n\r\nProcedere comunque con l'azzeramento?");
    QCOMPARE(m[1].buttons, MsgButtons::YesNo);
  }
  // The copy follows the question about the days; stopped, no sheet was cleared.
  QCOMPARE(env_->dialogs().windowsRun.size(), copy.isEmpty() ? 0 : 1);
  if (goOn) QCOMPARE(m.last().text, annual ? kAnnualDone : kMonthlyDone);
  auto* temps = env_->ctx().existing<medietemperature>();
  QCOMPARE(temps && temps->isVisible(), goOn);
}

// The question before storing the days shows every line of its text, however
// many sheets it names.
void tst_reset::storeQuestionShownWhole() {
  const QStringList sheets = {QStringLiteral("Temperature giornaliere e media mensile"),
                              QStringLiteral("Precipitazioni giornaliere")};
  memorizza m(env_->ctx().mainWindow(), sheets,
              {QDate(2026, 11, 1), history::MonthProposal::From::MonthBefore});
  m.show();
  QVERIFY(QTest::qWaitForWindowExposed(&m));
  QVERIFY2(m.Label1->height() >= m.Label1->heightForWidth(m.Label1->width()),
           qPrintable(QStringLiteral("%1 < %2")
                          .arg(m.Label1->height())
                          .arg(m.Label1->heightForWidth(m.Label1->width()))));
  QVERIFY(m.okbutton->geometry().bottom() < m.height());
}

QTEST_MAIN(tst_reset)
#include "tst_reset.moc"
