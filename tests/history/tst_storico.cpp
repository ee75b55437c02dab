// The daily history as the keeper meets it: the days a sheet hands over with
// its archive dialog, corrections in the history window with their marks and
// undo, and the import of earlier reports.

#include <QtTest>

#include "archive/dialog3.h"
#include "archive/dialog4.h"
#include "history/importa.h"
#include "history/storico.h"
#include "rules/rainreport.h"
#include "rules/tempreport.h"
#include "rules/textfile.h"
#include "sheets/archiviopioggia.h"
#include "sheets/medietemperature.h"
#include "testenv.h"

namespace {

QString describe(const QVector<DayRecord>& days) {
  QStringList out;
  for (const DayRecord& d : days)
    out << QStringLiteral("%1:%2/%3/%4").arg(d.date.day()).arg(d.minimum, d.maximum, d.rain);
  return out.join(u' ');
}

QStringList thirtyOne(std::initializer_list<std::pair<int, QString>> filled, const QString& rest) {
  QStringList l(31, rest);
  for (auto& [d, t] : filled) l[d - 1] = t;
  return l;
}

}  // namespace

class tst_storico : public QObject {
  Q_OBJECT
  std::unique_ptr<TestEnv> env_;
  DailyHistory& history() { return *env_->ctx().history(); }

 private Q_SLOTS:
  void init() {
    env_ = std::make_unique<TestEnv>();
    env_->loadMainWindow();
  }
  void cleanup() { env_.reset(); }

  // The days go to the history under the month named in the archive dialog,
  // and only when the record is inserted.
  void handOver_data() {
    QTest::addColumn<bool>("rain");
    QTest::addColumn<bool>("inserted");
    QTest::addColumn<QString>("stored");
    QTest::newRow("temperatures, inserted") << false << true << "1:2/9/ 2:-1,5//";
    QTest::newRow("temperatures, cancelled") << false << false << "";
    QTest::newRow("rain, inserted") << true << true << "1://3,5 2://0";
    QTest::newRow("rain, cancelled") << true << false << "";
  }
  void handOver() {
    QFETCH(bool, rain);
    QFETCH(bool, inserted);
    QFETCH(QString, stored);
    AppContext& ctx = env_->ctx();
    auto pickMarch2006 = [](QComboBox* month, UpDown* spinner) {
      month->setCurrentIndex(2);
      spinner->step(1);  // from the first year offered, 2005
    };
    if (rain) {
      auto* sheet = ctx.window<archiviopioggia>();
      sheet->Text1[1]->setText("3,5");
      sheet->Command1_Click();
      env_->onNextWindow<Dialog3>([&](Dialog3& d) {
        pickMarch2006(d.Combo1, d.UpDown1);
        d.eventi->setText("1");
        inserted ? d.okbutton_Click() : d.cancelbutton_Click();
      });
      sheet->Command7_Click();
    } else {
      auto* sheet = ctx.window<medietemperature>();
      sheet->Text1[1]->setText("2");
      sheet->Text1[2]->setText("-1,5");
      sheet->Text1[32]->setText("9");
      env_->onNextWindow<Dialog4>([&](Dialog4& d) {
        pickMarch2006(d.Combo1, d.UpDown1);
        inserted ? d.okbutton_Click() : d.cancelbutton_Click();
      });
      sheet->Command7_Click();
    }
    QVector<DayRecord> days = history().month(2006, 3);
    if (rain && !days.isEmpty()) {
      QCOMPARE(days.size(), 31);
      days.resize(2);
    }
    QCOMPARE(describe(days), stored);
  }

  // A correction is on disk at once and marked when it looks wrong; undo
  // takes the changes back, last first.
  void corrections() {
    QVERIFY(history().write({{QDate(2026, 3, 1), "2", "9", "", ""}}, "prima"));
    auto* w = env_->ctx().window<storico>();
    w->showMonth(QDate(2026, 3, 1));
    QCOMPARE(w->giorni->rowCount(), 31);
    QCOMPARE(w->giorni->item(0, storico::Massima)->text(), "9");
    w->giorni->item(0, storico::Minima)->setText("12");
    QCOMPARE(describe(history().month(2026, 3)), "1:12/9/");
    QVERIFY(w->giorni->item(0, storico::Minima)->toolTip().contains("supera la massima"));
    QVERIFY(w->giorni->item(0, storico::Massima)->toolTip().contains("supera la massima"));
    w->giorni->item(1, storico::Precipitazione)->setText("abc");
    QVERIFY(w->giorni->item(1, storico::Precipitazione)->toolTip().contains("Non è un numero"));
    QVERIFY(w->annulla->isEnabled());
    w->annulla_Click();
    w->annulla_Click();
    QCOMPARE(describe(history().month(2026, 3)), "1:2/9/");
    QCOMPARE(w->giorni->item(0, storico::Minima)->text(), "2");
    QVERIFY(w->giorni->item(0, storico::Minima)->toolTip().isEmpty());
    w->annulla_Click();
    QVERIFY(!w->annulla->isEnabled());
    QCOMPARE(describe(history().month(2026, 3)), "");
  }

  // Reports come in exactly, up to the day of the import (a report saved
  // before the month was over lists the days to come as dry); a value already
  // in the history stays unless the keeper asks to replace it; a file that is
  // no report is named with its reason and brings nothing.
  void import_data() {
    QTest::addColumn<bool>("replace");
    QTest::addColumn<QString>("stored");
    QTest::newRow("keep what is there") << false << "1:5/ 9/3,5 2:-1,5//0";
    QTest::newRow("replace it") << true << "1:2/ 9/3,5 2:-1,5//0";
  }
  void import() {
    QFETCH(bool, replace);
    QFETCH(QString, stored);
    QVERIFY(history().write({{QDate(2025, 11, 1), "5", "", "", "nota"}}, "prima"));
    const QString temps = env_->path("temp.txt"), rain = env_->path("<b>pioggia.txt"),
                  junk = env_->path("junk.txt");
    const QStringList minima = thirtyOne({{1, "2"}, {2, "-1,5"}, {3, "abc"}}, "");
    const QStringList maxima = thirtyOne({{1, " 9"}}, "");
    QVERIFY(textfile::write(temps,
                            tempreport::compose("Monte", 11, 2025, minima, maxima, {}) + "\r\n"));
    rainreport::DailyReport r;
    r.station = "Monte";
    r.month = 11;
    r.year = 2025;
    r.days = thirtyOne({{1, "3,5"}}, "0");
    QVERIFY(textfile::write(rain, rainreport::dailyReport(r) + "\r\n"));
    QVERIFY(textfile::write(junk, "Caro diario,\r\n"));
    env_->ctx().platform().now = [] { return QDateTime(QDate(2025, 11, 10), QTime(18, 0)); };

    auto* w = env_->ctx().window<storico>();
    env_->dialogs().openPaths << QStringList{temps, rain, junk};
    env_->onNextWindow<importa>([&](importa& d) {
      QCOMPARE(d.resoconti->rowCount(), 3);
      QCOMPARE(shownTooltip(d.resoconti->item(1, 0)->toolTip()), rain);  // never HTML
      QCOMPARE(d.resoconti->item(2, 3)->text(), "Rifiutato");
      QCOMPARE(d.resoconti->item(1, 2)->text(), "10");
      QVERIFY(d.Label1->text().startsWith("Giorni che cambieranno nello storico: 10."));
      QCOMPARE(d.rifiutati->toPlainText().section(u'"', 0, 0),
               "temp.txt, riga 7: giorno 3: la minima ");
      QVERIFY(d.rifiutati->toPlainText().contains("\njunk.txt: "));
      QCOMPARE(d.diversi(), 1);
      d.sostituisci->setChecked(replace);
      d.okbutton->click();
    });
    w->importa_Click();
    QVector<DayRecord> days = history().month(2025, 11);
    QCOMPARE(days.size(), 10);
    QCOMPARE(days.last().date, QDate(2025, 11, 10));
    QCOMPARE(days[0].note, "nota");
    QCOMPARE(describe({days[0], days[1]}), stored);
    // The whole import is one step back.
    w->annulla_Click();
    QCOMPARE(describe(history().month(2025, 11)), "1:5//");
  }
};

QTEST_MAIN(tst_storico)
#include "tst_storico.moc"
