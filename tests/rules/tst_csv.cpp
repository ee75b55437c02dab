// CSV files: the codec, each cell's way out and back, malformed files, the
// plans of an import, and the exact round trip of every archive.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include "rules/csvexchange.h"
#include "rules/recordset.h"

using csv::Dialect;
using csvexchange::Target;
Q_DECLARE_METATYPE(Dialect)
Q_DECLARE_METATYPE(Target)

namespace {

// Records as "a|b;c|d", with their line when asked: "2:a|b".
QString rows(const QVector<csv::Row>& rs) {
  QStringList out;
  for (const csv::Row& r : rs)
    out << QString::number(r.line) + u':' +
               (r.error.isEmpty() ? r.fields.join(u'|') : QStringLiteral("!") + r.error.left(12));
  return out.join(u';');
}

QString refusals(const csvexchange::Table& t) {
  QStringList out;
  for (const auto& r : t.refused) out << QString::number(r.line) + u':' + r.reason;
  return out.join(u'\n');
}

}  // namespace

class TestCsv : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void parse_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain, CR LF") << "a;b\r\nc;d\r\n"
                                  << "1:a|b;2:c|d";
    QTest::newRow("LF and CR") << "a;b\nc;d\re"
                               << "1:a|b;2:c|d;3:e";
    QTest::newRow("blank lines left out") << "a\r\n\r\n\nb"
                                          << "1:a;4:b";
    QTest::newRow("empty fields") << ";a;\r\n"
                                  << "1:|a|";
    QTest::newRow("quoted separator, doubled quote") << "\"x;y\";\"say \"\"hi\"\"\""
                                                     << "1:x;y|say \"hi\"";
    QTest::newRow("line breaks inside quotes count") << "\"1\r\n2\";\"3\n4\"\r\nz"
                                                     << "1:1\r\n2|3\n4;4:z";
    QTest::newRow("quote never closed") << "a\r\n\"b;c\r\nd"
                                        << "1:a;2:!le virgolett";
    QTest::newRow("quote inside a plain field") << "a\"b;c\r\nd"
                                                << "1:!virgolette d;2:d";
    QTest::newRow("text after the closing quote") << "\"a\"b;c\r\nd"
                                                  << "1:!testo dopo l;2:d";
  }
  void parse() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(rows(csv::parse(text, Dialect::Semicolon)), expected);
  }

  void writeAndGuess() {
    const QVector<QStringList> records = {{"a;b", " x", "", "q\"", "1,5"}, {"è", "\r\n"}};
    const QByteArray semi = csv::document(records, Dialect::Semicolon);
    QCOMPARE(semi,
             QByteArray("\xEF\xBB\xBF\"a;b\";\" x\";;\"q\"\"\";1,5\r\n\xC3\xA8;\"\r\n\"\r\n"));
    const QByteArray comma = csv::document(records, Dialect::Comma);
    QVERIFY(comma.contains("a;b,\" x\",,\"q\"\"\",\"1,5\"\r\n"));
    QCOMPARE(csv::guess(csv::decode(semi)), Dialect::Semicolon);
    QCOMPARE(csv::guess(csv::decode(comma)), Dialect::Comma);
    QCOMPARE(csv::guess(QStringLiteral("\"a,b,c\";d\r\n")), Dialect::Semicolon);
    // Windows-1252 and UTF-8, with and without the mark.
    QCOMPARE(csv::decode("caf\xE9"), QStringLiteral("café"));
    QCOMPARE(csv::decode("caf\xC3\xA9"), QStringLiteral("café"));
    QCOMPARE(csv::decode("\xEF\xBB\xBF"
                         "caf\xC3\xA9"),
             QStringLiteral("café"));
  }

  // A stored text, the cell it goes out as, and back.
  void cells_data() {
    QTest::addColumn<Target>("target");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<Dialect>("dialect");
    QTest::addColumn<QString>("cell");
    const Target T = Target(ArchiveKind::Temperature), R = Target(ArchiveKind::Rain),
                 S = Target(ArchiveKind::Snow), H = Target::history();
    const Dialect semi = Dialect::Semicolon, comma = Dialect::Comma;
    QTest::newRow("mean, comma") << T << "T Media MAX"
                                 << "12,3 °C" << semi << "12,3";
    QTest::newRow("mean, point") << T << "T Media MIN"
                                 << "-0,5 °C" << comma << "-0.5";
    QTest::newRow("mean with a point typed") << T << "T Media MIN"
                                             << "12.3 °C" << semi << "'12.3 °C";
    QTest::newRow("mean without unit") << T << "T Media MAX"
                                       << "12" << semi << "'12";
    QTest::newRow("empty") << T << "T Media MAX"
                           << "" << comma << "";
    QTest::newRow("month") << T << "Mese e anno"
                           << "Gennaio  2026" << semi << "Gennaio  2026";
    QTest::newRow("month as it should not be") << R << "mese e anno"
                                               << "gennaio 2026" << semi << "'gennaio 2026";
    QTest::newRow("events") << R << "N° eventi con prp"
                            << "3 evento/i" << comma << "3";
    QTest::newRow("total") << R << "Accumulo tot mensile"
                           << "1234,56 mm" << comma << "1234.56";
    QTest::newRow("snow depth") << S << "Accumulo (in cm)"
                                << "+4 cm" << semi << "+4";
    QTest::newRow("snow extremes kept") << S << "Temperatura (estremi)"
                                        << "-2 °C / 1 °C" << comma << "-2 °C / 1 °C";
    QTest::newRow("note with apostrophe") << T << "Osservazioni"
                                          << "'tra virgolette'" << semi << "''tra virgolette'";
    QTest::newRow("note with a line break") << T << "Osservazioni"
                                            << "a\r\nb" << comma << "a\r\nb";
    QTest::newRow("day, point") << H << "Minima"
                                << "-3,25" << comma << "-3.25";
    QTest::newRow("day, not a number") << H << "Precipitazione"
                                       << "n.d." << semi << "'n.d.";
    QTest::newRow("day, point typed") << H << "Massima"
                                      << "7.5" << comma << "'7.5";
  }
  void cells() {
    QFETCH(Target, target);
    QFETCH(QString, column);
    QFETCH(QString, stored);
    QFETCH(Dialect, dialect);
    QFETCH(QString, cell);
    QCOMPARE(csvexchange::exportCell(target, column, stored, dialect), cell);
    QCOMPARE(csvexchange::importCell(target, column, cell, dialect), std::optional(stored));
  }

  // Cells a spreadsheet writes: what they stand for, or the reason refused.
  void spreadsheetCells_data() {
    QTest::addColumn<Target>("target");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<Dialect>("dialect");
    QTest::addColumn<QString>("expected");  // "!" and the reason's start: refused
    const Target T = Target(ArchiveKind::Temperature), R = Target(ArchiveKind::Rain),
                 H = Target::history();
    const Dialect semi = Dialect::Semicolon, comma = Dialect::Comma;
    QTest::newRow("one blank, any case") << R << "Mese e anno"
                                         << " marzo 1999 " << semi << "Marzo  1999";
    QTest::newRow("not a month") << R << "Mese e anno"
                                 << "Marzolino 1999" << semi << "!«Marzolino 1999» non è un mese";
    QTest::newRow("number with its unit") << R << "Accumulo tot mensile"
                                          << "12,5 mm" << semi << "12,5 mm";
    QTest::newRow("thousands mark")
        << R << "Accumulo tot mensile"
        << "1.234,5" << semi << "!«1.234,5» non è un numero con la virgola";
    QTest::newRow("comma in the point dialect")
        << T << "T Media MAX"
        << "12,3" << comma << "!«12,3» non è un numero con il punto";
    QTest::newRow("half a number") << T << "T Media MAX"
                                   << "12," << semi << "!«12,» non";
    QTest::newRow("date d/m/y") << H << "Data"
                                << "3/1/2026" << semi << "2026-01-03";
    QTest::newRow("date ISO") << H << "data"
                              << "2026-01-03" << comma << "2026-01-03";
    QTest::newRow("no such day") << H << "Data"
                                 << "31/02/2026" << semi << "!«31/02/2026» non è una data";
  }
  void spreadsheetCells() {
    QFETCH(Target, target);
    QFETCH(QString, column);
    QFETCH(QString, cell);
    QFETCH(Dialect, dialect);
    QFETCH(QString, expected);
    QString why;
    const auto got = csvexchange::importCell(target, column, cell, dialect, &why);
    QCOMPARE(got ? *got : QStringLiteral("!") + why.left(expected.size() - 1), expected);
  }

  // Whole files: how many records are read, and every refusal.
  void files_data() {
    QTest::addColumn<Target>("target");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("entries");
    QTest::addColumn<QString>("refused");
    const Target R = Target(ArchiveKind::Rain), H = Target::history();
    const QString head = QStringLiteral("Mese e anno;Accumulo tot mensile\r\n");
    QTest::newRow("empty file") << R << "" << 0 << "0:il file è vuoto";
    QTest::newRow("heading only") << R << head << 0 << "";
    QTest::newRow("a spreadsheet's rain column")
        << R
        << "Mese e anno;Accumulo tot mensile;Media\nGennaio 2026;12,5;3\n;;\nFebbraio 2026;0;1\n"
        << 2 << "";
    QTest::newRow("short and long rows")
        << R << head + "Marzo 2026\r\nAprile 2026;1;2\r\nMaggio 2026;3\r\n"
        << 1 << "2:1 campi invece di 2\n3:3 campi invece di 2";
    QTest::newRow("bad number")
        << R << head + "Marzo 2026;tanta\r\n"
        << 0
        << "2:«tanta» non è un numero con la virgola decimale (colonna «Accumulo tot mensile»)";
    QTest::newRow("unbalanced quote")
        << R << head + "Marzo 2026;1\r\n\"Aprile 2026;2\r\nMaggio 2026;3\r\n"
        << 1
        << "3:le virgolette aperte alla riga 3 non sono mai chiuse: il resto del file non si può "
           "leggere";
    QTest::newRow("no month column") << R << "Accumulo tot mensile\r\n1\r\n"
                                     << 0 << "0:manca la colonna «Mese e anno»";
    QTest::newRow("a column twice") << R << "Mese e anno;mese e anno\r\n"
                                    << 0 << "0:la colonna «Mese e anno» compare due volte";
    QTest::newRow("nothing named")
        << R << "a;b\r\n1;2\r\n"
        << 0 << "0:le intestazioni non nominano nessuna colonna di «Precipitazioni mensili»";
    QTest::newRow("tab-separated")
        << H << "Data\tMinima\r\n01/03/2026\t1\r\n"
        << 0
        << "0:i campi sono separati da tabulazioni; si leggono i file con i campi separati da "
           "punto e virgola (e la virgola decimale) o da virgola (e il punto decimale)";
    // Below zero: a temperature may be, an amount or a count cannot.
    QTest::newRow("rain below zero")
        << H << "Data;Minima;Precipitazione\r\n01/03/2026;-3;-3,0\r\n02/03/2026;-3;-0\r\n"
        << 1 << "2:«-3,0» è sotto zero, e non può esserlo (colonna «Precipitazione»)";
    QTest::newRow("month's rain below zero")
        << R << head + "Marzo 2026;-0,1 mm\r\nAprile 2026;900\r\n"
        << 1 << "2:«-0,1 mm» è sotto zero, e non può esserlo (colonna «Accumulo tot mensile»)";
    QTest::newRow("events below zero")
        << R << "Mese e anno;N° eventi con prp\r\nMarzo 2026;-1\r\n"
        << 0 << "2:«-1» è sotto zero, e non può esserlo (colonna «N° eventi con prp»)";
    QTest::newRow("snow below zero")
        << Target(ArchiveKind::Snow) << "Inverno;Accumulo (in cm)\r\n2025/2026;-5\r\n"
        << 0 << "2:«-5» è sotto zero, e non può esserlo (colonna «Accumulo (in cm)»)";
    QTest::newRow("history, days missing a date")
        << H << "Data;Precipitazione\r\n01/03/2026;1,2\r\n;3\r\n"
        << 1 << "3:«» non è una data (colonna «Data»)";
    // A huge value is quoted by its start and its length only.
    QTest::newRow("half a million digits and letters")
        << R << head + "Marzo 2026;" + QString(500000, u'7') + "x\r\n"
        << 0
        << "2:«7777777777777777777777777777777777777777…» (500.001 caratteri) non è un numero con "
           "la virgola decimale (colonna «Accumulo tot mensile»)";
  }
  void files() {
    QFETCH(Target, target);
    QFETCH(QString, text);
    const QStringList columns = target == Target::history() ? csvexchange::historyHeadings()
                                                            : records::columns(*target.archive());
    const csvexchange::Table t = csvexchange::read(text, target, columns, Dialect::Semicolon);
    QFETCH(int, entries);
    QFETCH(QString, refused);
    QCOMPARE(int(t.entries.size()), entries);
    QCOMPARE(refusals(t), refused);
  }

  void warnings() {
    const QString text = QStringLiteral(
        "Mese e anno;T Media MAX;T Media MIN\r\nMarzo 2026;5;8\r\nMarzo 2026;70;1\r\n");
    const auto t =
        csvexchange::read(text, Target(ArchiveKind::Temperature),
                          records::columns(ArchiveKind::Temperature), Dialect::Semicolon);
    QCOMPARE(t.entries.size(), 2);
    QCOMPARE(t.entries[0].warnings, QStringList{"La minima (8,00 °C) supera la massima (5,00 °C)"});
    QCOMPARE(
        t.entries[1].warnings,
        QStringList({"T Media MAX: Temperatura fuori dall'intervallo plausibile (da -60 a +60 °C)",
                     "stesso mese della riga 2 del file"}));
  }

  // Export then import into an empty archive gives every record back exactly.
  void roundTrip_data() {
    QTest::addColumn<Target>("target");
    QTest::addColumn<Dialect>("dialect");
    for (Target t : csvexchange::targets())
      for (Dialect d : {Dialect::Semicolon, Dialect::Comma})
        QTest::addRow("%s %s", qPrintable(csvexchange::targetName(t)),
                      d == Dialect::Comma ? "," : ";")
            << t << d;
  }
  void roundTrip() {
    QFETCH(Target, target);
    QFETCH(Dialect, dialect);
    // Texts as the entry dialogs compose them, and odd ones of every kind.
    const QStringList odd = {"",           "'",          "''x",         "a \"b\" c",  "x|y;z,w",
                             "città\r\nè", "\r\n",       "  pad  ",     "12",         "-0,5",
                             "1.5",        "Marzo 2026", "Marzo  2026", "3 evento/i", "4,5 mm",
                             "7 °C",       "+1 cm",      "ß€™"};
    const QStringList columns = target == Target::history() ? csvexchange::historyHeadings()
                                                            : records::columns(*target.archive());
    QVector<QStringList> recordsIn;
    QVector<DayRecord> daysIn;
    for (int i = 0; i <= odd.size(); ++i) {
      QStringList r;
      // The last record: blank texts only.
      for (int c = 0; c < columns.size(); ++c)
        r << (i == odd.size() ? QStringLiteral(" ") : odd[(i + c * 5) % odd.size()]);
      recordsIn << r;
      daysIn << DayRecord{QDate(2026, 1, 1).addDays(i), r.value(1), r.value(2), r.value(3),
                          r.value(4)};
    }
    const bool history = target == Target::history();
    const QByteArray bytes =
        csv::document(history ? csvexchange::historyTable(daysIn, dialect)
                              : csvexchange::archiveTable(target, columns, recordsIn, dialect),
                      dialect);
    const auto t = csvexchange::read(csv::decode(bytes), target, columns, dialect);
    QCOMPARE(refusals(t), QString());
    QCOMPARE(t.entries.size(), recordsIn.size());
    for (int i = 0; i < recordsIn.size(); ++i) {
      if (history)
        QCOMPARE(t.entries[i].day, daysIn[i]);
      else
        QCOMPARE(t.entries[i].values, recordsIn[i]);
    }
  }

  void archivePlan() {
    const QStringList columns = records::columns(ArchiveKind::Rain);
    const QVector<QStringList> existing = {{"Gennaio  2026", "1 evento/i", "5 mm", ""},
                                           {"Febbraio  2026", "2 evento/i", "9 mm", ""}};
    const QString text = QStringLiteral(
        "Mese e anno;N° eventi con prp;Accumulo tot mensile;Osservazioni\r\n"
        "Gennaio 2026;1;5;\r\nFebbraio 2026;2;10;\r\nMarzo 2026;0;0;\r\n");
    const auto t = csvexchange::read(text, Target(ArchiveKind::Rain), columns, Dialect::Semicolon);
    const auto keep = csvexchange::planArchive(t, columns, existing, false);
    QCOMPARE(keep.added, QVector<QStringList>({{"Marzo  2026", "0 evento/i", "0 mm", ""}}));
    QVERIFY(keep.replaced.isEmpty());
    QCOMPARE(keep.unchanged, 1);
    QCOMPARE(keep.kept, 1);
    const auto replace = csvexchange::planArchive(t, columns, existing, true);
    QCOMPARE(replace.replaced.size(), 1);
    QCOMPARE(replace.replaced[0].first, 1);
    QCOMPARE(replace.replaced[0].second[2], QStringLiteral("10 mm"));
    QCOMPARE(replace.status, QStringList({"Già presente, uguale",
                                          "Già presente, diverso: sarà sostituito", "Nuovo"}));
  }

  void historyPlan() {
    QTemporaryDir dir;
    DailyHistory h;
    QVERIFY(h.open(dir.filePath("giornaliero.mdb")));
    QVERIFY(h.write({{QDate(2026, 3, 1), "1", "9", "", ""}, {QDate(2026, 3, 2), "2", "8", "", "x"}},
                    "prima"));
    const QString text = QStringLiteral(
        "Data;Minima;Precipitazione\r\n01/03/2026;1;0,4\r\n02/03/2026;3;\r\n03/03/2026;;7\r\n"
        "05/03/2026;;0\r\n");
    const auto t = csvexchange::read(text, Target::history(), csvexchange::historyHeadings(),
                                     Dialect::Semicolon);
    const QDate today(2026, 3, 4);
    const auto keep = csvexchange::planHistory(t, h, false, today);
    // Day 1 completed with its rain; day 2's other minimum left; day 3 new;
    // day 5 not yet come.
    QCOMPARE(keep.days, QVector<DayRecord>({{QDate(2026, 3, 1), "1", "9", "0,4", ""},
                                            {QDate(2026, 3, 3), "", "", "7", ""}}));
    QCOMPARE(keep.kept, 1);
    QCOMPARE(keep.notYet, 1);
    QCOMPARE(keep.status.last(), "Dopo oggi: non scritto");
    // What the preview says of each day is what is written.
    const auto t2 =
        csvexchange::read(QStringLiteral("Data;Minima;Note\r\n01/03/2026;3;nota\r\n04/03/2026;;\r\n"
                                         "02/03/2026;;\r\n"),
                          Target::history(), csvexchange::historyHeadings(), Dialect::Semicolon);
    const auto completed = csvexchange::planHistory(t2, h, false, today);
    QCOMPARE(completed.status,
             QStringList({"Già presente, diverso: completato, i valori diversi restano com'erano",
                          "Nessun valore: nulla da scrivere", "Nessun valore: nulla da scrivere"}));
    QCOMPARE(completed.days, QVector<DayRecord>({{QDate(2026, 3, 1), "1", "9", "", "nota"}}));
    QCOMPARE(completed.empty, 2);
    const auto replace = csvexchange::planHistory(t, h, true, today);
    QCOMPARE(replace.days.size(), 3);
    QCOMPARE(replace.days[1], DayRecord({QDate(2026, 3, 2), "3", "8", "", "x"}));
  }

  // The import's write and its undo, each one transaction.
  void importAndRevert() {
    QTemporaryDir dir;
    const QString path = dir.filePath("datipluviometrici.mdb");
    {
      QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "make");
      db.setDatabaseName(path);
      QVERIFY(db.open());
      QSqlQuery(db).exec(records::createTable(ArchiveKind::Rain));
      QSqlQuery(db).exec("INSERT INTO tab VALUES ('Gennaio  2026','1 evento/i','5 mm','')");
      db.close();
    }
    QSqlDatabase::removeDatabase("make");
    Recordset rs;
    QVERIFY(rs.connect(path));
    QVERIFY(rs.open());
    const QStringList old = rs.values(0);
    QVector<qint64> keys;
    QVERIFY(rs.importRecords({{"Marzo  2026", "", "1 mm", "n"}, {"Aprile  2026", "", "", ""}},
                             {{0, {"Gennaio  2026", "2 evento/i", "6 mm", "c"}}}, &keys));
    QCOMPARE(rs.recordCount(), 3);
    QCOMPARE(rs.value(2, 0), QStringLiteral("Aprile  2026"));
    QCOMPARE(rs.position(), 2);
    QCOMPARE(rs.allValues()[0][2], QStringLiteral("6 mm"));
    // A bad record: nothing of the import is written.
    QVERIFY(!rs.importRecords({{"Maggio  2026", "", "", ""}, {"corto"}}, {}, nullptr));
    QCOMPARE(rs.allValues().size(), 3);
    QVERIFY(rs.revertImport(keys, {{rs.key(0), old}}));
    QCOMPARE(rs.recordCount(), 1);
    QCOMPARE(rs.allValues(), QVector<QStringList>{old});
  }
};

QTEST_GUILESS_MAIN(TestCsv)
#include "tst_csv.moc"
