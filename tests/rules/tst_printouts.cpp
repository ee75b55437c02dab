// The printouts line by line through the recording printer: every blank
// counted, number items, line breaks in the notes, and the failures that
// must stop an archive printout before anything reaches the printer.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include "rules/printouts.h"
#include "testenv.h"

using Rows = QList<QStringList>;
Q_DECLARE_METATYPE(ArchiveKind)

namespace {

const QString kStation = QStringLiteral("Monte Prova");

// Opens an archive of the test's data folder and adds these records.
void fill(Recordset& rs, const QString& path, const Rows& rows) {
  QVERIFY(rs.connect(path));
  QVERIFY(rs.open());
  const QStringList fields = rs.fieldNames();
  for (const QStringList& row : rows) {
    rs.addNew();
    for (int i = 0; i < row.size(); ++i) rs.setField(fields[i], row[i]);
    QVERIFY(rs.update());
  }
}

}  // namespace

class TestPrintouts : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void initTestCase() { pinItalianLocale(); }

  void labels_data();
  void labels();
  void archive_data();
  void archive();
  void emptyArchivePrintsNothing();
  void missingFieldPrintsNothing();
  void dailyRain();
  void currentYear();
  void dailyTemperatures();
  void notes_data();
  void notes();
};

void TestPrintouts::labels_data() {
  QTest::addColumn<QString>("label");
  QTest::addColumn<QString>("expected");
  using namespace printouts;
  QTest::newRow("rain day 1") << giornoPioggia(1) << "      1° Giorno   ";
  QTest::newRow("rain day 9") << giornoPioggia(9) << "      9° Giorno   ";
  QTest::newRow("rain day 10") << giornoPioggia(10) << "     10° Giorno   ";
  QTest::newRow("rain day 31") << giornoPioggia(31) << "     31° Giorno   ";
  QTest::newRow("temperature day 1") << giornoTemperatura(1) << "      1° Giorno     ";
  QTest::newRow("temperature day 31") << giornoTemperatura(31) << "     31° Giorno     ";
  QTest::newRow("January") << mese(1) << "      Gennaio   ";
  QTest::newRow("February") << mese(2) << "      Febbraio  ";
  QTest::newRow("March") << mese(3) << "      Marzo     ";
  QTest::newRow("September") << mese(9) << "      Settembre ";
  QTest::newRow("November") << mese(11) << "      Novembre  ";
  QTest::newRow("December") << mese(12) << "      Dicembre  ";
}

void TestPrintouts::labels() {
  QFETCH(QString, label);
  QFETCH(QString, expected);
  QCOMPARE(label, expected);
}

void TestPrintouts::archive_data() {
  QTest::addColumn<ArchiveKind>("kind");
  QTest::addColumn<Rows>("records");
  QTest::addColumn<QStringList>("expected");

  const QString six = QStringLiteral("      ");
  QTest::newRow("temperature, note with a line break")
      << ArchiveKind::Temperature
      << Rows{{"Marzo  2006", "12,35 °C", "3,10 °C", "Nessuna nota\r\n"}}
      << QStringList{
             "     ", "    Stazione meteorologica Monte Prova - Temperature medie mensili", " ",
             six + "Marzo  2006" + six + "12,35 °C" + six + "3,10 °C" + six + "Nessuna nota\r\n"};
  QTest::newRow("rain, three records")
      << ArchiveKind::Rain
      << Rows{{"Gennaio  2006", "4", "52,40 mm", ""},
              {"Febbraio  2006", "0", "0,00 mm", "secco"},
              {"Marzo  2006", "11", "1.204,00 mm", "alluvione\r\nfiume esondato"}}
      << QStringList{"     ",
                     "    Stazione meteorologica Monte Prova - Dati pluviometrici",
                     " ",
                     six + "Gennaio  2006" + six + "4" + six + "52,40 mm" + six,
                     " ",
                     six + "Febbraio  2006" + six + "0" + six + "0,00 mm" + six + "secco",
                     " ",
                     six + "Marzo  2006" + six + "11" + six + "1.204,00 mm" + six +
                         "alluvione\r\nfiume esondato"};
  QTest::newRow("snow, six fields")
      << ArchiveKind::Snow
      << Rows{{"2005/2006", "farinosa", "40 cm", "35 mm", "-8 °C / 1 °C", "bufera"}}
      << QStringList{"     ",
                     "    Stazione meteorologica Monte Prova - Dati nivometrici stagionali", " ",
                     six + "2005/2006" + six + "farinosa" + six + "40 cm" + six + "35 mm" + six +
                         "-8 °C / 1 °C" + six + "bufera"};
  QTest::newRow("other events, empty fields")
      << ArchiveKind::OtherEvents << Rows{{"12/08/2006", "grandine", "", ""}}
      << QStringList{"     ", "    Stazione meteorologica Monte Prova - Altri eventi meteorologici",
                     " ", six + "12/08/2006" + six + "grandine" + six + six};
}

void TestPrintouts::archive() {
  QFETCH(ArchiveKind, kind);
  QFETCH(Rows, records);
  QFETCH(QStringList, expected);
  TestEnv env;
  Recordset rs;
  fill(rs, env.path(archiveFileName(kind)), records);
  rs.setPosition(0);
  RecordingPrinter& p = *env.scripted().printer;

  printouts::archivio(p, rs, kind, kStation);

  QCOMPARE(p.texts(), expected);
  QCOMPARE(p.documents, 1);
  QVERIFY(rs.atEnd());  // left past its last record
}

void TestPrintouts::emptyArchivePrintsNothing() {
  TestEnv env;
  Recordset rs;
  fill(rs, env.path(archiveFileName(ArchiveKind::Rain)), {});
  RecordingPrinter& p = *env.scripted().printer;
  QVERIFY_THROWS_EXCEPTION(PrintFailure, printouts::archivio(p, rs, ArchiveKind::Rain, kStation));
  QVERIFY(p.lines.isEmpty());
  QCOMPARE(p.documents, 0);
}

void TestPrintouts::missingFieldPrintsNothing() {
  // A snow archive made by another program, without the notes column.
  TestEnv env;
  const QString path = env.path(QStringLiteral("altro.mdb"));
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("mk"));
    db.setDatabaseName(path);
    QVERIFY(db.open());
    QSqlQuery q(db);
    QVERIFY(q.exec(QStringLiteral(
        "CREATE TABLE \"tab\" (\"Inverno\" TEXT, \"Tipo di neve\" TEXT, \"Accumulo (in cm)\" "
        "TEXT, \"Accumulo equivalente (in mm)\" TEXT, \"Temperatura (estremi)\" TEXT)")));
    QVERIFY(q.exec(QStringLiteral("INSERT INTO \"tab\" VALUES ('a','b','c','d','e')")));
    db.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("mk"));
  Recordset rs;
  QVERIFY(rs.connect(path));
  QVERIFY(rs.open());
  RecordingPrinter& p = *env.scripted().printer;
  QVERIFY_THROWS_EXCEPTION(PrintFailure, printouts::archivio(p, rs, ArchiveKind::Snow, kStation));
  QVERIFY(p.lines.isEmpty());
}

void TestPrintouts::dailyRain() {
  TestEnv env;
  RecordingPrinter& p = *env.scripted().printer;
  printouts::PioggiaGiornaliera sheet;
  for (int d = 1; d <= 31; ++d) sheet.days << QString();
  sheet.days[4] = QStringLiteral("12,4");
  sheet.days[30] = QStringLiteral("0,2");
  sheet.totale = QStringLiteral("12,60");
  sheet.month = 3;
  sheet.year = 2006;

  printouts::pioggiaGiornaliera(p, kStation, sheet);

  const QStringList lines = p.texts();
  QCOMPARE(lines.size(), 4 + 31 + 2);
  QCOMPARE(lines[0], "     ");
  QCOMPARE(lines[1], "    Stazione meteorologica Monte Prova - Pioggia giornaliera mese: 3/ 2006 ");
  QCOMPARE(lines[2], "     ");
  QCOMPARE(lines[3], "     ");
  QCOMPARE(lines[4], "      1° Giorno    mm");
  QCOMPARE(lines[8], "      5° Giorno   12,4 mm");
  QCOMPARE(lines[9], "      6° Giorno    mm");
  QCOMPARE(lines[13], "     10° Giorno    mm");
  QCOMPARE(lines[34], "     31° Giorno   0,2 mm");
  QCOMPARE(lines[35], "     ");
  QCOMPARE(lines[36], "   Totale mensile 12,60");
  // The position applies to the first line only; every line at 15 points.
  QCOMPARE(p.lines[0].x, 1000);
  QCOMPARE(p.lines[0].y, 1000);
  QCOMPARE(p.lines[1].x, 0);
  for (const auto& l : p.lines) QCOMPARE(l.size, 15.0);
  QCOMPARE(p.documents, 1);
}

void TestPrintouts::currentYear() {
  TestEnv env;
  RecordingPrinter& p = *env.scripted().printer;
  printouts::PioggiaAnno sheet;
  for (int m = 1; m <= 12; ++m) sheet.months << QString::number(m * 10) + QStringLiteral(",5");
  sheet.months[5].clear();
  sheet.totale = QStringLiteral("1.234,00");
  sheet.primosem = QStringLiteral("600,00");
  sheet.secondosem = QStringLiteral("634,00");
  sheet.media = QStringLiteral("102,83");
  sheet.year = 2006;

  printouts::pioggiaAnno(p, kStation, sheet);

  const QStringList expected{"     ",
                             "      Stazione meteorologica Monte Prova - Precipitazioni anno 2006",
                             "     ",
                             "     ",
                             "      Gennaio   10,5 mm",
                             "      Febbraio  20,5 mm",
                             "      Marzo     30,5 mm",
                             "      Aprile    40,5 mm",
                             "      Maggio    50,5 mm",
                             "      Giugno     mm",
                             "      Luglio    70,5 mm",
                             "      Agosto    80,5 mm",
                             "      Settembre 90,5 mm",
                             "      Ottobre   100,5 mm",
                             "      Novembre  110,5 mm",
                             "      Dicembre  120,5 mm",
                             "     ",
                             "   Totale annuo 1.234,00",
                             " Primo semestre 600,00",
                             "Secondo semestre 634,00",
                             "  Media mensile 102,83"};
  QCOMPARE(p.texts(), expected);
  QCOMPARE(p.lines[0].x, 1000);
  QCOMPARE(p.lines[0].y, 1000);
  QCOMPARE(p.lines.last().size, 15.0);
}

void TestPrintouts::dailyTemperatures() {
  TestEnv env;
  RecordingPrinter& p = *env.scripted().printer;
  printouts::TemperatureGiornaliere sheet;
  for (int d = 1; d <= 31; ++d) {
    sheet.minima << QString::number(-d);
    sheet.maxima << QString::number(d) + QStringLiteral(",5");
  }
  sheet.maxima[30].clear();
  sheet.month = 12;
  sheet.year = 2006;

  printouts::temperatureGiornaliere(p, kStation, sheet);

  const QStringList lines = p.texts();
  QCOMPARE(lines.size(), 6 + 31);
  QCOMPARE(lines[0], "     ");
  QCOMPARE(lines[1], "      Stazione meteorologica Monte Prova");
  QCOMPARE(lines[2], "       Temperature massime e minime mensili (in °C): 12/ 2006 ");
  QCOMPARE(lines[3], "     ");
  QCOMPARE(lines[4], "                           Minime                Massime       ");
  QCOMPARE(lines[5], "        ");
  QCOMPARE(lines[6], "      1° Giorno     -1" + QString(19, ' ') + "1,5 ");
  QCOMPARE(lines[14], "      9° Giorno     -9" + QString(19, ' ') + "9,5 ");
  QCOMPARE(lines[15], "     10° Giorno     -10" + QString(18, ' ') + "10,5 ");
  QCOMPARE(lines[36], "     31° Giorno     -31" + QString(18, ' ') + " ");
  // Only the heading line is bold.
  for (int i = 0; i < p.lines.size(); ++i) QCOMPARE(p.lines[i].bold, i == 4);
  QCOMPARE(p.lines[0].x, 1000);
  QCOMPARE(p.lines[0].y, 1000);
}

void TestPrintouts::notes_data() {
  QTest::addColumn<QString>("notes");
  QTest::addColumn<QString>("last");
  QTest::newRow("empty") << QString() << "           ";
  QTest::newRow("two lines") << "vento forte\nrami a terra"
                             << "           vento forte\nrami a terra";
}

void TestPrintouts::notes() {
  QFETCH(QString, notes);
  QFETCH(QString, last);
  TestEnv env;
  RecordingPrinter& p = *env.scripted().printer;
  p.setFontSize(11);  // whatever the printer had stays

  printouts::appunti(p, kStation, notes);

  QCOMPARE(p.texts(), (QStringList{"     ", "    Stazione meteorologica Monte Prova - Appunti/note",
                                   "     ", "     ", last}));
  QCOMPARE(p.lines[0].x, 1000);
  QCOMPARE(p.lines[0].y, 1000);
  QCOMPARE(p.lines.last().size, 11.0);
  QCOMPARE(p.documents, 1);
}

QTEST_MAIN(TestPrintouts)
#include "tst_printouts.moc"
