// The climate window: what it reads, the report it saves and prints, the
// charts it draws and saves, and its failures.
#include <QChart>
#include <QChartView>
#include <QtTest>

#include "climate/clima.h"
#include "common/mainwindow.h"
#include "rules/recordset.h"
#include "rules/textfile.h"
#include "sheets/medietemperature.h"
#include "sheets/pioggiaanno.h"
#include "summary/mese.h"
#include "testenv.h"

class tst_clima : public QObject {
  Q_OBJECT
  std::unique_ptr<TestEnv> env_;

 private Q_SLOTS:
  void init() {
    env_ = std::make_unique<TestEnv>();
    env_->loadMainWindow();
    env_->setStation(QStringLiteral("Monte Prova"));
    // March 2024 in the history: minimum 2, maximum 12 and 1 mm every day;
    // the archive holds March 2023.
    QVector<DayRecord> days;
    for (int d = 1; d <= 31; ++d)
      days << DayRecord{
          QDate(2024, 3, d), QStringLiteral("2"), QStringLiteral("12"), QStringLiteral("1"), {}};
    QVERIFY(env_->ctx().history()->write(days, QStringLiteral("prova")));
    Recordset& t = env_->ctx().mainWindow()->recordset(ArchiveKind::Temperature);
    t.addNew();
    for (const auto& [column, text] : records::compose(records::Temperature{QStringLiteral("Marzo"),
                                                                            QStringLiteral("2023"),
                                                                            QStringLiteral("10"),
                                                                            QStringLiteral("0"),
                                                                            {}}))
      t.setField(column, text);
    QVERIFY(t.update());
  }
  void cleanup() { env_.reset(); }

  // The figures follow the choice; a change in the history shows at once.
  void report() {
    auto* w = env_->ctx().window<clima>();
    w->showMonth(QDate(2024, 3, 1));
    QVERIFY(
        w->righe().join(u'\n').contains(u"Media        2,0      12,0       7,0            31,0"));
    // No year is complete: the normals take every year there is.
    w->vista->setCurrentIndex(clima::Normali);
    QVERIFY(w->righe().join(u'\n').contains(u"Marzo           1,0     11,0     6,0"));
    w->normaliDal->setValue(2024);
    QVERIFY(w->righe().join(u'\n').contains(u"Marzo           2,0     12,0     7,0"));
    QVERIFY(env_->ctx().history()->write(
        {{QDate(2024, 3, 1), QStringLiteral("-40"), QStringLiteral("12"), QStringLiteral("1"), {}}},
        QStringLiteral("correzione")));
    w->vista->setCurrentIndex(clima::Record);
    QVERIFY(w->righe().join(u'\n').contains(u"-40,0 °C il 1 marzo 2024"));
  }

  void saveAndPrint() {
    auto* w = env_->ctx().window<clima>();
    w->showMonth(QDate(2024, 3, 1));
    const QString path = env_->path(QStringLiteral("clima marzo.txt"));
    env_->dialogs().savePaths << path;
    w->salvaResoconto_Click();
    const QByteArray bytes = env_->readFile(QStringLiteral("clima marzo.txt"));
    QVERIFY(bytes.contains("Mese: Marzo 2024\r\n"));
    QVERIFY(
        bytes.contains("sotto 0 \xb0"
                       "C"));  // Windows-1252
    QVERIFY(bytes.endsWith("\r\n"));

    // A folder that does not exist: said, nothing written.
    env_->dialogs().savePaths << env_->path(QStringLiteral("manca/clima.txt"));
    w->salvaResoconto_Click();
    QVERIFY(env_->dialogs().lastMessage().startsWith(u"Impossibile salvare il resoconto"));

    w->stampaResoconto_Click();
    QCOMPARE(env_->scripted().printer->documents, 1);
    QCOMPARE(env_->scripted().printer->texts(), w->righe());
    RecordingPrinter& printer = *env_->scripted().printer;
    printer.failAfterLines = int(printer.lines.size()) + 3;
    w->stampaResoconto_Click();
    QCOMPARE(env_->scripted().printer->aborted, 1);
    QVERIFY(env_->dialogs().lastMessage().startsWith(u"Impossibile stampare il resoconto"));
  }

  void charts_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("series");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QByteArray>("magic");
    QTest::newRow("days, PNG") << 0 << 4 << "png" << QByteArray("\x89PNG");
    QTest::newRow("rain against normal, SVG") << 1 << 1 << "svg" << QByteArray("<?xml");
    QTest::newRow("climograph, PDF") << 2 << 2 << "pdf" << QByteArray("%PDF");
    QTest::newRow("year against year, no suffix") << 3 << 3 << "" << QByteArray("\x89PNG");
  }
  void charts() {
    QFETCH(int, kind);
    QFETCH(int, series);
    QFETCH(QString, suffix);
    QFETCH(QByteArray, magic);
    auto* w = env_->ctx().window<clima>();
    w->show();
    w->showMonth(QDate(2024, 3, 1));
    w->finoAl->setValue(2023);
    w->grafico->setCurrentIndex(kind);
    QCOMPARE(w->disegno->chart()->series().size(), series);
    const QString name = QStringLiteral("grafico") + (suffix.isEmpty() ? "" : "." + suffix);
    env_->dialogs().savePaths << env_->path(name);
    w->salvaGrafico_Click();
    const QString written = suffix.isEmpty() ? name + QStringLiteral(".png") : name;
    QVERIFY2(env_->readFile(written).startsWith(magic), qPrintable(env_->dialogs().lastMessage()));

    // Printed after the dialog, the chart drawn on the page.
    RecordingPicturePrinter& printer = *env_->scripted().picturePrinter;
    printer.answers = {false, true};
    w->stampaGrafico_Click();
    QVERIFY(printer.pages.isEmpty());
    w->stampaGrafico_Click();
    QCOMPARE(printer.pages.size(), 1);
    int drawn = 0;
    for (int y = 0; y < printer.pages[0].height(); y += 4)
      for (int x = 0; x < printer.pages[0].width(); x += 4)
        drawn += printer.pages[0].pixel(x, y) != qRgb(255, 255, 255);
    QVERIFY2(drawn > 1000, qPrintable(QString::number(drawn)));
    printer.failing = true;
    w->stampaGrafico_Click();
    QVERIFY(env_->dialogs().lastMessage().startsWith(u"Impossibile stampare il grafico"));
  }

  // The sheets open it on their month or year.
  void fromTheSheets() {
    auto* sheet = env_->ctx().window<medietemperature>();
    sheet->DTPicker1->setDate(QDate(2024, 3, 1));
    sheet->clima->click();
    auto* w = env_->ctx().existing<clima>();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->righe().value(2), QStringLiteral("Mese: Marzo 2024"));
    auto* year = env_->ctx().window<pioggiaanno>();
    year->DTPicker1->setDate(QDate(2023, 1, 1));
    year->clima->click();
    QCOMPARE(w->righe().value(2), QStringLiteral("Anno: 2023"));
  }

  // The summary takes the month's figures from the history, asking before
  // it replaces what the keeper wrote; the sky stays as typed.
  void summaryFromHistory() {
    QVERIFY(env_->ctx().history()->write(
        {{QDate(2024, 2, 10), {}, {}, QStringLiteral("10"), {}},
         {QDate(2024, 3, 15), QStringLiteral("-1"), QStringLiteral("12"), QStringLiteral("1"), {}},
         {QDate(2024, 3, 20), QStringLiteral("2"), QStringLiteral("12"), QStringLiteral("5"), {}}},
        QStringLiteral("prova")));
    auto* m = env_->ctx().window<mese>();
    m->DTPicker1->setDate(QDate(2024, 3, 1));
    m->Text1[15]->setText(QStringLiteral("7"));
    m->Text1[0]->setText(QStringLiteral("9,99"));
    env_->dialogs().answers << MsgAnswer::No;
    m->storico_Click();
    QCOMPARE(m->Text1[0]->text(), QStringLiteral("9,99"));
    env_->dialogs().answers << MsgAnswer::Yes;
    m->storico_Click();
    QStringList fields;
    for (QLineEdit* e : m->Text1) fields << e->text();
    // 30 minima of 2 and one of -1; the 11th to the 20th: (9 x 2 - 1) / 10.
    QCOMPARE(fields.join(u'|'), QStringLiteral("1,90|12,00|2,00|12,00|1,70|12,00|2,00|12,00|-1,00|"
                                               "12,00|35,00|31|5,00|20/03/2024|45,00|7||"));
    m->DTPicker1->setDate(QDate(2024, 4, 1));
    m->storico_Click();
    QCOMPARE(env_->dialogs().lastMessage(),
             QStringLiteral("Lo storico giornaliero non ha giorni di aprile 2024."));
  }
};

QTEST_MAIN(tst_clima)
#include "tst_clima.moc"
