// Reading back the daily sheets' reports: what the program writes comes back
// as typed, in either encoding; a file that strays is refused with its line.

#include <QtTest>

#include "files.h"
#include "rules/rainreport.h"
#include "rules/reportimport.h"
#include "rules/tempreport.h"
#include "rules/textfile.h"

namespace {

using Cells = QMap<int, QString>;             // day -> text; every other day empty
using Refusals = QList<QPair<int, QString>>;  // line, a text the reason must name

QStringList column(const Cells& set) {
  QStringList c;
  for (int d = 1; d <= 31; ++d) c << set.value(d);
  return c;
}

// The reports as the sheets save them, final line end added.
QString temperatures(const QString& station, int month, int year, const Cells& minima,
                     const Cells& maxima) {
  return tempreport::compose(station, month, year, column(minima), column(maxima), {}) + "\r\n";
}
QByteArray rain(const QString& station, int month, int year, const Cells& days) {
  return textfile::encode(
      rainreport::dailyReport({station, month, year, column(days), {}, {}, {}, {}}) + "\r\n");
}

QByteArray edited(QString text, const QString& from, const QString& to) {
  return textfile::encode(text.replace(from, to));
}

// "day|minimum|maximum" or "day|rain".
QStringList flat(const reportimport::Report& r) {
  QStringList out;
  for (const auto& d : r.days)
    out << QString::number(d.day) + u'|' +
               (r.kind == reportimport::Kind::Rain ? d.rain : d.minimum + u'|' + d.maximum);
  return out;
}

}  // namespace

class tst_reportimport : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { pinItalianLocale(); }
  void readBack_data();
  void readBack();
  void refused_data();
  void refused();
  void fileSize_data();
  void fileSize();
};

void tst_reportimport::readBack_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QString>("heading");  // kind|station|month/year
  QTest::addColumn<QStringList>("days");
  QTest::newRow("temperatures as typed")
      << textfile::encode(temperatures(" Forlì  ", 3, 2026,
                                       {{1, " -3"}, {2, "0"}, {15, "1.234,5"}, {31, "-0,5"}},
                                       {{1, "12,5 "}, {21, "1e1"}, {31, "8"}}))
      << "T| Forlì  |3/2026"
      << QStringList{"1| -3|12,5 ", "2|0|", "15|1.234,5|", "21||1e1", "31|-0,5|8"};
  QTest::newRow("station holding the heading's words")
      << textfile::encode(
             temperatures("Monte - Temperature mese: 1/2020", 12, 2025, {{9, "4"}}, {{9, "9"}}))
      << "T|Monte - Temperature mese: 1/2020|12/2025" << QStringList{"9|4|9"};
  // February 2024 has 29 days: the zeros the sheet leaves on 30 and 31 go silently.
  QTest::newRow("precipitation, leap February")
      << rain("Lago - Temperature mese: 3/2026", 2, 2024,
              {{1, "3,5"}, {2, "0"}, {29, "0"}, {30, "0"}, {31, "0,00"}})
      << "R|Lago - Temperature mese: 3/2026|2/2024" << QStringList{"1|3,5", "2|0", "29|0"};

  const QString text = temperatures("Forlì", 6, 2026, {{1, "12"}}, {{1, "25,5"}});
  const QString lf = QString(text).replace("\r\n", "\n");
  const QStringList day1{"1|12|25,5"};
  QTest::newRow("UTF-8 with BOM, LF")
      << QByteArray("\xEF\xBB\xBF") + lf.toUtf8() << "T|Forlì|6/2026" << day1;
  QTest::newRow("blanks after the units, no blank lines")
      << edited(QString(text).replace("\r\n\r\n", "\r\n"), " °C\r\n", " °C \t\r\n")
      << "T|Forlì|6/2026" << day1;
  QTest::newRow("more blank lines")
      << edited(text, "\r\n\r\n", "\r\n\r\n \r\n\r\n") << "T|Forlì|6/2026" << day1;
}

void tst_reportimport::readBack() {
  QFETCH(QByteArray, file);
  QFETCH(QString, heading);
  QFETCH(QStringList, days);
  const auto r = reportimport::read(file);
  QVERIFY(r.readable);
  QVERIFY(r.refused.isEmpty());
  QCOMPARE(QStringLiteral("%1|%2|%3/%4")
               .arg(QString(r.kind == reportimport::Kind::Rain ? "R" : "T"), r.station,
                    QString::number(r.month), QString::number(r.year)),
           heading);
  QCOMPARE(flat(r), days);
}

void tst_reportimport::refused_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<bool>("readable");
  QTest::addColumn<Refusals>("refusals");
  QTest::addColumn<QStringList>("days");
  // Day d stands on line 2d + 1.
  const QString t = temperatures("Monte", 3, 2026, {{5, "3"}}, {{5, "11"}});
  const QString day5 = "5° Giorno:  3 °C    /    11 °C\r\n";
  const QStringList none;

  QTest::newRow("empty file") << QByteArray() << false << Refusals{{0, ""}} << none;
  QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\xff", 11) << false
                          << Refusals{{0, ""}} << none;
  QTest::newRow("the year's precipitation report")
      << textfile::encode(rainreport::yearReport({"Monte", 2026, {}, {}, {}, {}, {}})) << false
      << Refusals{{0, ""}} << none;
  QTest::newRow("month 13") << edited(t, ": 3/2026", ": 13/2026") << false
                            << Refusals{{1, "13/2026"}} << none;
  QTest::newRow("day 5 missing") << edited(t, day5, "") << false << Refusals{{12, "6"}} << none;
  QTest::newRow("unit missing") << edited(t, "11 °C\r\n", "11\r\n") << false << Refusals{{11, ""}}
                                << none;
  QTest::newRow("day 1 with the others' separator")
      << edited(t, "1° Giorno:  °C   /    °C", "1° Giorno:  °C    /     °C") << false
      << Refusals{{3, ""}} << none;
  QTest::newRow("cut short after day 20")
      << textfile::encode(t.left(t.indexOf("21° Giorno"))) << false << Refusals{{0, "21"}} << none;
  // Refused whole: nothing before the break is kept or named.
  QTest::newRow("broken after a refused value")
      << edited(QString(t).replace("2° Giorno:   °C", "2° Giorno:  x °C"), "9° Giorno:   °C",
                "9° Giorno:   C")
      << false << Refusals{{19, ""}} << none;

  QTest::newRow("minimum not a number")
      << edited(t, day5, "5° Giorno:  a%1 °C    /    11 °C\r\n") << true
      << Refusals{{11, "\"a%1\""}} << QStringList{"5||11"};
  QTest::newRow("minimum of half a million characters")
      << edited(t, day5, "5° Giorno:  " + QString(500000, u'x') + " °C    /    11 °C\r\n") << true
      << Refusals{{11, "\"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx…\" (500.000 caratteri) non"}}
      << QStringList{"5||11"};
  QTest::newRow("separator inside a value")
      << edited(t, day5, "5° Giorno:  3 °C    /    1 °C    /    2 °C\r\n") << true
      << Refusals{{11, ""}} << none;
  QTest::newRow("precipitation not a number")
      << rain("Monte", 3, 2026, {{3, "x.y"}, {4, "0"}}) << true << Refusals{{7, "\"x.y\""}}
      << QStringList{"4|0"};
  QTest::newRow("precipitation below zero")
      << rain("Monte", 3, 2026, {{3, "-2,5"}, {4, "0"}}) << true
      << Refusals{{7, "\"-2,5\" è sotto zero"}} << QStringList{"4|0"};
  QTest::newRow("day 31 of April")
      << textfile::encode(temperatures("Monte", 4, 2026, {{30, "1"}, {31, "0"}}, {})) << true
      << Refusals{{63, "30"}} << QStringList{"30|1|"};
  QTest::newRow("rain on 29 February 2025")
      << rain("Monte", 2, 2025, {{29, "1,5"}, {30, "0"}}) << true << Refusals{{59, "28"}} << none;
}

void tst_reportimport::refused() {
  QFETCH(QByteArray, file);
  QFETCH(bool, readable);
  QFETCH(Refusals, refusals);
  QFETCH(QStringList, days);
  const auto r = reportimport::read(file);
  QCOMPARE(r.readable, readable);
  QCOMPARE(r.refused.size(), refusals.size());
  for (qsizetype i = 0; i < refusals.size(); ++i) {
    const reportimport::Refusal& got = r.refused.at(i);
    QCOMPARE(got.line, refusals.at(i).first);
    QVERIFY2(!got.reason.isEmpty() && got.reason.contains(refusals.at(i).second),
             qPrintable(got.reason));
  }
  QCOMPARE(flat(r), days);
}

void tst_reportimport::fileSize_data() {
  QTest::addColumn<qint64>("size");  // -1: no file
  QTest::newRow("no file") << qint64(-1);
  QTest::newRow("at the limit") << reportimport::kMaxFileSize;
  QTest::newRow("one byte more") << reportimport::kMaxFileSize + 1;
}

void tst_reportimport::fileSize() {
  QFETCH(qint64, size);
  QTemporaryDir dir;
  const QString path = dir.filePath("resoconto.txt");
  if (size >= 0) {
    // Padded after the foot, which is not read.
    QByteArray bytes = rain("Monte", 3, 2026, {{1, "2"}});
    QVERIFY(textfile::writeBytes(path, bytes.append(size - bytes.size(), 'x')));
  }
  const auto r = reportimport::readFile(path);
  const bool readable = size == reportimport::kMaxFileSize;
  QCOMPARE(r.readable, readable);
  QCOMPARE(r.refused.size(), readable ? 0 : 1);
  QCOMPARE(flat(r), readable ? QStringList{"1|2"} : QStringList{});
}

QTEST_APPLESS_MAIN(tst_reportimport)
#include "tst_reportimport.moc"
