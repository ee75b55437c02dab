// The real printer path: printouts go through QPrinter into a PDF file, and
// pdftotext reads the text back.

#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include "common/qtprinter.h"
#include "print/stampa.h"
#include "sheets/medietemperature.h"
#include "testenv.h"
#include "tools/dialog.h"

namespace {

// The text of a PDF, laid out as on the page; empty when it cannot be read.
QString pdfText(const QString& pdf) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

// Left edge and width of the first word of the PDF that reads exactly so, in points.
std::pair<double, double> wordBox(const QString& pdf, const QString& word) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
  if (!p.waitForFinished(30000)) return {-1, -1};
  const QRegularExpression re(
      QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"[\\d.]+\" "
                     "xMax=\"([\\d.]+)\"[^>]*>([^<]*)</word>"));
  auto it = re.globalMatch(QString::fromUtf8(p.readAllStandardOutput()));
  while (it.hasNext()) {
    const auto m = it.next();
    if (m.captured(3) == word) {
      const double left = m.captured(1).toDouble();
      return {left, m.captured(2).toDouble() - left};
    }
  }
  return {-1, -1};
}

// The top of every word of the PDF that reads exactly so, in points, in order.
QList<double> wordTops(const QString& pdf, const QString& word) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
  if (!p.waitForFinished(30000)) return {};
  const QRegularExpression re(
      QStringLiteral("<word xMin=\"[\\d.]+\" yMin=\"([\\d.]+)\"[^>]*>([^<]*)</word>"));
  QList<double> tops;
  auto it = re.globalMatch(QString::fromUtf8(p.readAllStandardOutput()));
  while (it.hasNext()) {
    const auto m = it.next();
    if (m.captured(2) == word) tops << m.captured(1).toDouble();
  }
  return tops;
}

int pdfPages(const QString& pdf) {
  QProcess p;
  p.start(QStringLiteral("pdfinfo"), {pdf});
  if (!p.waitForFinished(30000)) return -1;
  const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                     .match(QString::fromUtf8(p.readAllStandardOutput()));
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Lines of the text with their blanks collapsed, empty lines dropped.
QStringList trimmedLines(const QString& text) {
  QStringList out;
  for (const QString& l : text.split(QLatin1Char('\n'))) {
    QString t = l;
    t.remove(QLatin1Char('\f'));
    t = t.simplified();
    if (!t.isEmpty()) out << t;
  }
  return out;
}

}  // namespace

class TestPdfPrint : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void initTestCase();
  void archiveToPdf();
  void sheetToPdf();
  void notesContinueOnNewPages();
  void longLineContinuesBelow();
  void noPrinterFails();
};

void TestPdfPrint::initTestCase() {
  pinItalianLocale();
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
    QFAIL("pdftotext is missing (poppler-utils)");
}

void TestPdfPrint::archiveToPdf() {
  TestEnv env;
  const QString pdf = env.path(QStringLiteral("archivio.pdf"));
  env.ctx().platform().printer = makeQtTextPrinter(pdf);
  Form1* main = env.loadMainWindow();
  env.setStation(QStringLiteral("Colle Alto"));
  Recordset& rs = main->recordset(ArchiveKind::Temperature);
  const QList<QStringList> rows{{"Marzo  2006", "12,35 °C", "3,10 °C", "Nessuna nota\r\nfine"},
                                {"Aprile  2006", "15,00 °C", "5,20 °C", ""}};
  for (const QStringList& row : rows) {
    rs.addNew();
    for (int i = 0; i < row.size(); ++i) rs.setField(rs.fieldNames()[i], row[i]);
    QVERIFY(rs.update());
  }

  stampa d(env.ctx(), main);
  d.OKButton_Click();
  QVERIFY(env.dialogs().messages.isEmpty());

  QCOMPARE(trimmedLines(pdfText(pdf)),
           (QStringList{"Stazione meteorologica Colle Alto - Temperature medie mensili",
                        "Marzo 2006 12,35 °C 3,10 °C Nessuna nota", "fine",
                        "Aprile 2006 15,00 °C 5,20 °C"}));
  // The blanks of the record line survive on paper: "12,35" starts 17 characters
  // after "Marzo" ("Marzo", two blanks, "2006", six blanks), the note at the left edge.
  const auto [marzo, marzoWidth] = wordBox(pdf, QStringLiteral("Marzo"));
  const auto [maxima, maximaWidth] = wordBox(pdf, QStringLiteral("12,35"));
  const auto [fine, fineWidth] = wordBox(pdf, QStringLiteral("fine"));
  const double character = marzoWidth / 5;
  QVERIFY(character > 0 && maximaWidth > 0 && fineWidth > 0);
  QCOMPARE(qRound((maxima - marzo) / character), 17);
  QCOMPARE(qRound((marzo - fine) / character), 6);
  QCOMPARE(pdfPages(pdf), 1);
}

void TestPdfPrint::sheetToPdf() {
  TestEnv env;
  const QString pdf = env.path(QStringLiteral("foglio.pdf"));
  env.ctx().platform().printer = makeQtTextPrinter(pdf);
  Form1* main = env.loadMainWindow();
  env.setStation(QStringLiteral("Colle"));
  auto* sheet = env.ctx().window<medietemperature>();
  sheet->DTPicker1->setDate(QDate(2006, 3, 1));
  for (int d = 1; d <= 31; ++d) {
    sheet->Text1[size_t(d)]->setText(QString::number(d - 5));
    sheet->Text1[size_t(31 + d)]->setText(QString::number(d + 10) + QStringLiteral(",5"));
  }

  stampa d(env.ctx(), main);
  d.Option9->click();
  d.OKButton_Click();
  QVERIFY(env.dialogs().messages.isEmpty());

  const QStringList lines = trimmedLines(pdfText(pdf));
  QCOMPARE(lines.size(), 3 + 31);
  QCOMPARE(lines[0], "Stazione meteorologica Colle");
  QCOMPARE(lines[1], "Temperature massime e minime mensili (in °C): 3/ 2006");
  QCOMPARE(lines[2], "Minime Massime");
  for (int day = 1; day <= 31; ++day)
    QCOMPARE(lines[2 + day],
             QStringLiteral("%1° Giorno %2 %3,5").arg(day).arg(day - 5).arg(day + 10));
  // The blanks survive on paper: the minima of days 9 and 10 stand in one
  // column, and with one-character minima the maximum of day 10 (gap of 18)
  // stands one character left of day 9's (gap of 19).
  const auto [min9, w1] = wordBox(pdf, QStringLiteral("4"));
  const auto [min10, w2] = wordBox(pdf, QStringLiteral("5"));
  const auto [max9, w3] = wordBox(pdf, QStringLiteral("19,5"));
  const auto [max10, w4] = wordBox(pdf, QStringLiteral("20,5"));
  QVERIFY(w1 > 0 && w2 > 0 && w3 > 0 && w4 > 0);
  QCOMPARE(qRound(min9), qRound(min10));
  const double character = w3 / 4;
  QCOMPARE(qRound((max9 - max10) / character), 1);
  QCOMPARE(qRound((max9 - min9) / character), 20);
  QCOMPARE(pdfPages(pdf), 1);
  // The heading's blanks past the right edge start no row of their own:
  // exactly one empty row stands between it and day 1.
  const QList<double> heading = wordTops(pdf, QStringLiteral("Minime"));
  const QList<double> days = wordTops(pdf, QStringLiteral("Giorno"));
  QVERIFY(heading.size() == 1 && days.size() == 31);
  const double row = days[1] - days[0];
  QCOMPARE(qRound((days[0] - heading[0]) / row), 2);
}

void TestPdfPrint::notesContinueOnNewPages() {
  TestEnv env;
  const QString pdf = env.path(QStringLiteral("note.pdf"));
  env.ctx().platform().printer = makeQtTextPrinter(pdf);
  env.loadMainWindow();
  Dialog* notes = env.ctx().window<Dialog>();
  QStringList many;
  for (int i = 1; i <= 150; ++i) many << QStringLiteral("riga %1").arg(i);
  notes->Text1->setPlainText(many.join(QLatin1Char('\n')));

  stampa d(env.ctx(), env.ctx().mainWindow());
  d.Option6_Click();
  env.dialogs().answers << MsgAnswer::No;  // printed, not kept in a file
  d.OKButton_Click();
  QCOMPARE(env.dialogs().messages.size(), 1);  // only the question of the unsaved notes

  const QStringList lines = trimmedLines(pdfText(pdf));
  QVERIFY(pdfPages(pdf) >= 2);
  QCOMPARE(lines.first(), "Stazione meteorologica Stazione meteo - Appunti/note");
  QCOMPARE(lines.mid(1), many);  // every line, none lost at a page's end
}

void TestPdfPrint::longLineContinuesBelow() {
  // A note longer than the page is wide goes on below instead of off the paper.
  TestEnv env;
  const QString pdf = env.path(QStringLiteral("lunga.pdf"));
  env.ctx().platform().printer = makeQtTextPrinter(pdf);
  TextPrinter& p = env.ctx().printer();
  QStringList words;
  for (int i = 1; i <= 60; ++i) words << QStringLiteral("parola%1").arg(i);
  p.printLine({PrintItem::txt(words.join(QLatin1Char(' ')))});
  p.endDoc();
  const QStringList lines = trimmedLines(pdfText(pdf));
  QVERIFY(lines.size() > 1);
  QCOMPARE(lines.join(QLatin1Char(' ')).simplified(), words.join(QLatin1Char(' ')));
}

void TestPdfPrint::noPrinterFails() {
  if (!QPrinterInfo::availablePrinterNames().isEmpty())
    QSKIP("this machine has a printer installed");
  TestEnv env;
  env.ctx().platform().printer = makeQtTextPrinter();
  Form1* main = env.loadMainWindow();
  Recordset& rs = main->recordset(ArchiveKind::Rain);
  rs.addNew();
  rs.setField(QStringLiteral("Mese e anno"), QStringLiteral("Marzo  2006"));
  QVERIFY(rs.update());
  stampa d(env.ctx(), main);
  d.show();
  d.archivio(ArchiveKind::Rain)->click();
  d.OKButton_Click();
  QCOMPARE(env.dialogs().messages.size(), 1);
  QVERIFY(env.dialogs().lastMessage().startsWith(
      "Errore durante il trasferimento dei dati alla stampante."));
  QVERIFY(d.isVisible());
}

QTEST_MAIN(TestPdfPrint)
#include "tst_pdfprint.moc"
