// The climate window: what it reads, the report it saves and prints, the
// charts it draws and saves, and its failures.
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <QtTest>

#include "climate/clima.h"
#include "common/mainwindow.h"
#include "rules/recordset.h"
#include "rules/textfile.h"
#include "sheets/medietemperature.h"
#include "sheets/pioggiaanno.h"
#include "summary/mese.h"
#include "testenv.h"

namespace {

// A program's output, or nothing when it cannot be run.
QByteArray output(const QString& program, const QStringList& arguments) {
  QProcess p;
  p.start(program, arguments);
  if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
  return p.readAllStandardOutput();
}

// The year a legend's text names.
QString yearIn(const QString& text) {
  static const QRegularExpression year(QStringLiteral("\\b\\d{4}\\b"));
  return year.match(text).captured();
}

// The points of the chart's pieces of line and of its marks, as "x,y".
QStringList pointsOf(const QXYSeries* s) {
  QStringList out;
  for (const QPointF& p : s->points()) out << QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
  return out;
}

}  // namespace

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
    // Every line at the same margin, the first one too.
    for (const RecordingPrinter::Line& line : env_->scripted().printer->lines)
      QCOMPARE(line.x, 700);
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
    // The series: lines and bars, and the marks of the months without data.
    QTest::newRow("days, PNG") << 0 << 4 << "png" << QByteArray("\x89PNG");
    QTest::newRow("rain against normal, SVG") << 1 << 2 << "svg" << QByteArray("<?xml");
    QTest::newRow("climograph, PDF") << 2 << 3 << "pdf" << QByteArray("%PDF");
    QTest::newRow("year against year, no suffix") << 3 << 4 << "" << QByteArray("\x89PNG");
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

  // The precipitation scale keeps to ten steps or fewer, whatever the month's total.
  void rainScale_data() {
    QTest::addColumn<QString>("rain");
    QTest::addColumn<double>("top");
    QTest::addColumn<int>("ticks");
    QTest::newRow("31 mm, as before") << "1" << 40.0 << 3;
    QTest::newRow("381,9 mm") << "381,9" << 400.0 << 9;
    QTest::newRow("2.400 mm") << "2400" << 2500.0 << 6;
  }
  void rainScale() {
    QFETCH(QString, rain);
    QFETCH(double, top);
    QFETCH(int, ticks);
    // March 2024 has 31 mm; May 2025 all of its rain on the first day.
    QVector<DayRecord> may;
    for (int d = 1; d <= 31; ++d)
      may << DayRecord{QDate(2025, 5, d), {}, {}, d == 1 ? rain : "0", {}};
    QVERIFY(env_->ctx().history()->write(may, "prova"));
    auto* w = env_->ctx().window<clima>();
    w->showYear(rain == u"1" ? 2024 : 2025);
    for (int kind : {1, 3}) {
      w->grafico->setCurrentIndex(kind);
      QValueAxis* mm = nullptr;
      for (QAbstractAxis* a : w->disegno->chart()->axes(Qt::Vertical))
        if (a->titleText() == u"mm") mm = qobject_cast<QValueAxis*>(a);
      QVERIFY(mm);
      QCOMPARE(mm->min(), 0.0);
      QCOMPARE(mm->max(), top);
      QCOMPARE(mm->tickCount(), ticks);
    }
  }

  // One year against another: each year one colour, its bars, its line and
  // its entries of the legend alike; the two years two colours.
  void yearColours() {
    auto* w = env_->ctx().window<clima>();
    w->showYear(2024);
    w->finoAl->setValue(2023);
    w->grafico->setCurrentIndex(3);
    QChart* c = w->disegno->chart();
    QMap<QString, QSet<int>> hues;  // year -> hues of its bars, lines and entries
    for (QAbstractSeries* s : c->series()) {
      if (auto* bars = qobject_cast<QBarSeries*>(s))
        for (QBarSet* set : bars->barSets())
          hues[yearIn(set->label())] << set->color().hue() << set->borderColor().hue();
      if (auto* line = qobject_cast<QLineSeries*>(s); line && line->type() == s->SeriesTypeLine)
        hues[yearIn(line->name())] << line->pen().color().hue();
    }
    for (QLegendMarker* m : c->legend()->markers())
      if (m->isVisible() && m->series()->type() != QAbstractSeries::SeriesTypeScatter)
        hues[yearIn(m->label())] << m->brush().color().hue();
    QCOMPARE(hues.keys(), QStringList({"2023", "2024"}));
    QCOMPARE(hues["2023"].size(), 1);
    QCOMPARE(hues["2024"].size(), 1);
    QVERIFY(hues["2023"] != hues["2024"]);
  }

  // A line never runs across a missing day or month; a month without data
  // has a mark of its own, which 0 mm has not.
  void gaps() {
    QVector<DayRecord> days;
    for (int d : {1, 2, 3, 10, 11}) days << DayRecord{QDate(2025, 4, d), "1", "9", "0", {}};
    // June and August 2025 complete and dry, July missing.
    for (int m : {6, 8})
      for (int d = 1; d <= 30; ++d) days << DayRecord{QDate(2025, m, d), "5", "15", "0", {}};
    QVERIFY(env_->ctx().history()->write(days, "prova"));
    auto* w = env_->ctx().window<clima>();
    w->showMonth(QDate(2025, 4, 1));
    QStringList lines, marks;
    auto look = [&](int kind) {
      w->grafico->setCurrentIndex(kind);
      lines.clear();
      marks.clear();
      for (QAbstractSeries* s : w->disegno->chart()->series()) {
        if (s->type() == QAbstractSeries::SeriesTypeLine && !s->name().startsWith(u"Media"))
          lines << s->name() + u':' + pointsOf(static_cast<QXYSeries*>(s)).join(u' ');
        if (s->type() == QAbstractSeries::SeriesTypeScatter)
          marks << pointsOf(static_cast<QXYSeries*>(s));
      }
    };
    look(0);
    QCOMPARE(lines, QStringList({"Minima:1,1 2,1 3,1", "Minima:10,1 11,1", "Massima:1,9 2,9 3,9",
                                 "Massima:10,9 11,9"}));
    QVERIFY(marks.isEmpty());
    // 2025 against 2024, whose March alone is known: the bars of 2025 stand
    // left in their month, those of 2024 right.
    w->finoAl->setValue(2024);
    look(3);
    QCOMPARE(lines, QStringList({"Temperatura media 2025:5,10", "Temperatura media 2025:7,10",
                                 "Temperatura media 2024:2,7"}));
    QCOMPARE(marks.size(), 10 + 11);
    for (const char* missing : {"-0.125,0", "3.875,0", "5.875,0", "1.125,0", "11.125,0"})
      QVERIFY2(marks.contains(QLatin1String(missing)), missing);
    for (const char* known : {"4.875,0", "6.875,0", "2.125,0"})  // 0 mm, 0 mm, 31 mm
      QVERIFY2(!marks.contains(QLatin1String(known)), known);
  }

  // Saved as PDF, a chart keeps its whole legend: every entry's text and its
  // colour mark.
  void pdfLegend() {
    auto* w = env_->ctx().window<clima>();
    w->show();
    w->showYear(2024);
    w->finoAl->setValue(2023);
    w->grafico->setCurrentIndex(3);
    QStringList labels;
    for (QLegendMarker* m : w->disegno->chart()->legend()->markers())
      if (m->isVisible()) labels << m->label();
    QVERIFY(labels.size() >= 4);
    // The pixels of each year's colour on the page, with and without the legend.
    auto colours = [&](const QString& name) {
      const QString pdf = env_->path(name + QStringLiteral(".pdf"));
      env_->dialogs().savePaths << pdf;
      w->salvaGrafico_Click();
      const QByteArray text =
          output(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).simplified();
      QTest::qVerify(!text.isEmpty(), "pdftotext", "", __FILE__, __LINE__);
      output(QStringLiteral("pdftoppm"),
             {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"),
              QStringLiteral("-singlefile"), pdf, env_->path(name)});
      const QImage page(env_->path(name + QStringLiteral(".png")));
      QMap<int, int> hues;  // hue -> pixels
      for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
          if (const QColor c = page.pixelColor(x, y); c.hsvSaturation() > 120) ++hues[c.hue() / 20];
      return std::pair{text, hues};
    };
    const auto [text, withLegend] = colours(QStringLiteral("con"));
    for (const QString& label : labels)
      QVERIFY2(text.contains(label.toUtf8()), qPrintable(label + " in " + text));
    w->disegno->chart()->legend()->hide();
    const auto [bare, without] = colours(QStringLiteral("senza"));
    QVERIFY(!bare.contains(labels[1].toUtf8()));
    // Each colour of the bars and lines has more pixels with its marks in the legend.
    QVERIFY(!without.isEmpty());
    for (auto it = without.cbegin(); it != without.cend(); ++it)
      QVERIFY2(withLegend.value(it.key()) > it.value(), qPrintable(QString::number(it.key())));
  }

  // Typing the year compared keeps the focus there, digit after digit, in
  // whatever view the figures are.
  void typingTheYearCompared() {
    auto* w = env_->ctx().window<clima>();
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    w->showYear(2024);
    w->grafico->setCurrentIndex(3);
    const int normalsFrom = w->normaliDal->value();
    w->finoAl->setFocus();
    w->finoAl->selectAll();
    QTest::keyClicks(w->finoAl, QStringLiteral("2003"));
    QCOMPARE(w->finoAl->value(), 2003);
    QCOMPARE(w->normaliDal->value(), normalsFrom);
    QCOMPARE(QApplication::focusWidget(), w->finoAl);
    QVERIFY(w->disegno->chart()->title().endsWith(u"con il 2003"));
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
