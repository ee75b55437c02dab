// CSV out of and back into the archives and the history, as the keeper does
// it from the menu "Archivio dati": the file written, the preview of an
// import, its one transaction and its undo.

#include <QtTest>

#include "csv/esportacsv.h"
#include "csv/importacsv.h"
#include "testenv.h"

class tst_csvwindows : public QObject {
  Q_OBJECT
  std::unique_ptr<TestEnv> env_;
  Form1* w_ = nullptr;
  Recordset& rain() { return w_->recordset(ArchiveKind::Rain); }
  void trigger(const char* name) {
    auto* a = w_->findChild<QAction*>(QLatin1String(name));
    QVERIFY(a);
    a->trigger();
  }

 private Q_SLOTS:
  void init() {
    env_ = std::make_unique<TestEnv>();
    w_ = env_->loadMainWindow();
    w_->showPanel(ArchiveKind::Rain, true);
  }
  void cleanup() { env_.reset(); }

  void exportRain_data() {
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray head = "\xEF\xBB\xBFMese e anno";
    QTest::newRow(";") << false
                       << head +
                              ";N° eventi con prp;Accumulo tot mensile;Osservazioni\r\n"
                              "Marzo  2026;4;12,5;\"piogge; \"\"forti\"\"\r\nfine\"\r\n";
    QTest::newRow(",") << true
                       << head +
                              ",N° eventi con prp,Accumulo tot mensile,Osservazioni\r\n"
                              "Marzo  2026,4,12.5,\"piogge; \"\"forti\"\"\r\nfine\"\r\n";
  }
  void exportRain() {
    QFETCH(bool, comma);
    QFETCH(QByteArray, bytes);
    QVERIFY(rain().importRecords(
        {{"Marzo  2026", "4 evento/i", "12,5 mm", "piogge; \"forti\"\r\nfine"}}, {}, nullptr));
    const QString path = env_->path("pioggia.csv");
    env_->dialogs().savePaths << path;
    env_->onNextWindow<esportacsv>([&](esportacsv& d) {
      QCOMPARE(d.cosa(), csvexchange::Target(ArchiveKind::Rain));
      QCOMPARE(d.Label4->text(), "Dati da esportare: 1.");
      (comma ? d.Option2 : d.Option1)->setChecked(true);
      d.okbutton->click();
    });
    trigger("esportacsv");
    QCOMPARE(env_->dialogs().saveRequests.last().initialName, "datipluviometrici.csv");
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(f.readAll()), QString::fromUtf8(bytes));
    QCOMPARE(env_->dialogs().messages.last().icon, MsgIcon::Information);
  }

  // A spreadsheet's rain column read back: a repeat replaced or kept, a row
  // that is no number and one below zero refused, a warning shown; then the
  // whole import is one step back.
  void importSpreadsheet_data() {
    QTest::addColumn<bool>("replace");
    QTest::addColumn<QString>("january");
    QTest::newRow("kept") << false << "5 mm";
    QTest::newRow("replaced") << true << "6,5 mm";
  }
  void importSpreadsheet() {
    QFETCH(bool, replace);
    QFETCH(QString, january);
    QVERIFY(rain().importRecords({{"Gennaio  2026", "1 evento/i", "5 mm", "mia"}}, {}, nullptr));
    const QString path = env_->path("foglio.csv");
    // Windows-1252, LF, the spreadsheet's own extra column.
    env_->writeFile("foglio.csv",
                    "Mese e anno;Accumulo tot mensile;Media\n"
                    "gennaio 2026;6,5;x\nfebbraio 2026;-2;x\nmarzo 2026;tre;x\n"
                    "aprile 2026;0;\xE8\naprile 2026;1;x\n");
    env_->dialogs().openPaths << QStringList{path};
    env_->onNextWindow<importacsv>([&](importacsv& d) {
      QCOMPARE(d.cosa(), csvexchange::Target(ArchiveKind::Rain));
      QCOMPARE(d.formato(), csv::Dialect::Semicolon);
      QCOMPARE(d.rifiutati->toPlainText(),
               "riga 3: «-2» è sotto zero, e non può esserlo (colonna «Accumulo tot mensile»)\n"
               "riga 4: «tre» non è un numero con la virgola decimale (colonna «Accumulo tot "
               "mensile»)\nColonne ignorate, che «Precipitazioni mensili» non ha: Media");
      QCOMPARE(d.tabella().entries.size(), 3);
      QCOMPARE(d.tabella().entries[2].warnings, QStringList{"stesso mese della riga 5 del file"});
      d.sostituisci->setChecked(replace);
      QCOMPARE(d.righe->model()->index(0, 3).data().toString(),
               replace ? "Già presente, diverso: sarà sostituito"
                       : "Già presente, diverso: resta com'è");
      d.escludi->setChecked(true);
      QCOMPARE(d.righe->model()->index(2, 3).data().toString(), "Lasciato fuori");
      d.okbutton->click();
    });
    trigger("importacsv");
    QCOMPARE(rain().recordCount(), 2);
    QCOMPARE(rain().values(0), QStringList({"Gennaio  2026", "1 evento/i", january, "mia"}));
    QCOMPARE(rain().values(1), QStringList({"Aprile  2026", "", "0 mm", ""}));
    trigger("annulla");
    QCOMPARE(rain().recordCount(), 1);
    QCOMPARE(rain().values(0)[2], "5 mm");
  }

  // The file's texts show as they are: markup in a cell is never taken for
  // HTML, and a huge value shows in its cell only in part.
  void plainAndBoundedCells() {
    const QString markup = "<b><font size=7 color=red>grande</font></b>";
    env_->writeFile("f.csv", ("Mese e anno;Accumulo tot mensile;Osservazioni\nMarzo 2026;1;" +
                              markup + "\nAprile 2026;2;" + QString(500000, u'n') + "\n")
                                 .toUtf8());
    env_->dialogs().openPaths << QStringList{env_->path("f.csv")};
    env_->onNextWindow<importacsv>([&](importacsv& d) {
      const QAbstractItemModel* m = d.righe->model();
      QCOMPARE(shownTooltip(m->index(0, 3).data(Qt::ToolTipRole).toString()), markup);
      QCOMPARE(m->index(0, 3).data().toString(), markup);
      QVERIFY(m->index(1, 3).data().toString().size() <= 501);
    });
    trigger("importacsv");
  }

  // Export of a span of the history, then import into an empty history.
  void historyRoundTrip() {
    DailyHistory& h = *env_->ctx().history();
    const QVector<DayRecord> days = {{QDate(2026, 2, 27), "-1,5", "4", "0", "gelo \"forte\""},
                                     {QDate(2026, 2, 28), "", "n.d.", "12,25", "a\r\nb"},
                                     {QDate(2026, 3, 1), "1", "2", "", ""}};
    QVERIFY(h.write(days, "prova"));
    const QString path = env_->path("giorni.csv");
    env_->dialogs().savePaths << path;
    env_->onNextWindow<esportacsv>([&](esportacsv& d) {
      d.Combo1->setCurrentIndex(4);
      d.al->setDate(QDate(2026, 2, 28));
      QCOMPARE(d.Label4->text(), "Giorni da esportare: 2.");
      d.Option2->setChecked(true);
      d.okbutton->click();
    });
    trigger("esportacsv");
    QVERIFY(h.write({{days[0].date, {}, {}, {}, {}}, {days[1].date, {}, {}, {}, {}}}, "via"));
    env_->dialogs().openPaths << QStringList{path};
    env_->onNextWindow<importacsv>([&](importacsv& d) {
      QCOMPARE(d.cosa(), csvexchange::Target::history());
      QCOMPARE(d.formato(), csv::Dialect::Comma);
      d.okbutton->click();
    });
    trigger("importacsv");
    QCOMPARE(h.span(QDate(2026, 2, 1), QDate(2026, 3, 31)), days);
  }

  // The message after an import counts in good Italian, and only the days
  // written: none after the day of the import (2 March 2026).
  void importMessage_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");
    QTest::newRow("one day") << QByteArray("Data;Minima\r\n01/03/2026;1\r\n")
                             << "Importazione completata: 1 giorno scritto nello storico";
    QTest::newRow("two days") << QByteArray("Data;Minima\r\n01/03/2026;1\r\n02/03/2026;2\r\n")
                              << "Importazione completata: 2 giorni scritti nello storico";
    QTest::newRow("one record") << QByteArray(
                                       "Mese e anno;Accumulo tot mensile\r\nMarzo 2026;1\r\n")
                                << "Importazione completata: 1 dato aggiunto, 0 sostituiti.";
    QTest::newRow("days to come") << QByteArray(
                                         "Data;Precipitazione\r\n01/03/2026;1\r\n"
                                         "03/03/2026;0\r\n31/03/2026;0\r\n")
                                  << "Importazione completata: 1 giorno scritto nello storico";
  }
  void importMessage() {
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    env_->writeFile("f.csv", file);
    env_->ctx().platform().now = [] { return QDateTime(QDate(2026, 3, 2), QTime(23, 59)); };
    env_->dialogs().openPaths << QStringList{env_->path("f.csv")};
    env_->onNextWindow<importacsv>([](importacsv& d) { d.okbutton->click(); });
    trigger("importacsv");
    QVERIFY2(env_->dialogs().lastMessage().startsWith(message),
             qPrintable(env_->dialogs().lastMessage()));
  }

  void readOnlyArchive() {
    QVERIFY(
        rain().connect(env_->path("datipluviometrici.mdb"), nullptr, Recordset::Access::ReadOnly));
    QVERIFY(rain().open());
    env_->writeFile("f.csv", "Mese e anno;Accumulo tot mensile\r\nMarzo 2026;1\r\n");
    env_->dialogs().openPaths << QStringList{env_->path("f.csv")};
    env_->onNextWindow<importacsv>([](importacsv& d) { d.okbutton->click(); });
    trigger("importacsv");
    QVERIFY(env_->dialogs().lastMessage().endsWith("nulla è stato scritto."));
    QCOMPARE(rain().recordCount(), 0);
  }

  void unreadableFile() {
    env_->dialogs().openPaths << QStringList{env_->path("manca.csv")};
    trigger("importacsv");
    QVERIFY(env_->dialogs().lastMessage().startsWith("Impossibile importare "));
    QVERIFY(env_->dialogs().windowsRun.isEmpty());
  }
};

QTEST_MAIN(tst_csvwindows)
#include "tst_csvwindows.moc"
