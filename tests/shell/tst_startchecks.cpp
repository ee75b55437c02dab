// The load's checks: the day's first start copies the data file set, and each
// archive is checked before it is opened (not an archive, or damaged: then
// restored from a safety copy or opened read-only).

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include "archivefile.h"
#include "common/historystore.h"
#include "rules/safetycopy.h"
#include "testenv.h"

namespace {

const QString kDbError = QStringLiteral("Errore durante l'accesso ai database!");
const QString kLoadError = QStringLiteral(
    "Errore durante il caricamento. L'applicazione non è installata correttamente e potrebbe "
    "pertanto risultare instabile o non funzionare correttamente. Si consiglia caldamente la "
    "reinstallazione");
const QString kReadOnly =
    QStringLiteral("l'archivio viene aperto in sola lettura, per consultarlo senza modificarlo.");
const QDateTime kNow(QDate(2026, 12, 9), QTime(10, 15, 2));

QStringList texts(const ScriptedDialogs& d) {
  QStringList out;
  for (const auto& m : d.messages) out << m.text;
  return out;
}

int copies(const TestEnv& env) { return int(safetycopy::list(env.folder()).size()); }

}  // namespace

class tst_startchecks : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // The first start of each day copies the data file set, a second start the
  // same day does not; a copy that cannot be made is told, and the start goes on.
  void dailyCopy() {
    TestEnv env;
    QDateTime now = kNow;
    env.ctx().platform().now = [&now] { return now; };
    env.loadMainWindow();
    QCOMPARE(QFileInfo(safetycopy::list(env.folder()).value(0).path).fileName(),
             "2026-12-09 10.15.02");
    delete env.mainWindow();
    now = now.addSecs(3600);
    env.loadMainWindow();
    QCOMPARE(copies(env), 1);
    QCOMPARE(texts(env.dialogs()), QStringList());

    delete env.mainWindow();
    now = now.addDays(1);
    QVERIFY(QDir(safetycopy::folder(env.folder())).removeRecursively());
    env.writeFile(safetycopy::kFolderName, "non una cartella");
    Form1* w = env.loadMainWindow();
    QCOMPARE(texts(env.dialogs()),
             QStringList{"Impossibile fare la copia di sicurezza giornaliera dei dati.\r\n\r\n"
                         "Dettaglio: impossibile creare la cartella " +
                         env.path(safetycopy::kFolderName) +
                         "\r\n\r\nNubilario si avvia comunque; la copia sarà ritentata al "
                         "prossimo avvio."});
    QVERIFY(w->recordset(ArchiveKind::OtherEvents).isOpen());
  }

  // A file that is not an archive is named, then goes the way of a missing
  // one, never changed; no copy of the day is made with it.
  void notAnArchive_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("after");  // the messages that follow
    QTest::newRow("temperature") << "temperature.mdb" << QStringList{kDbError, kLoadError};
    QTest::newRow("other events")
        << "altrieventi.mdb"
        << QStringList{"Errore durante l'accesso ai database! Nubilario non sarà avviato!"};
    QTest::newRow("history") << "giornaliero.mdb" << QStringList();
  }
  void notAnArchive() {
    QFETCH(QString, file);
    QFETCH(QStringList, after);
    TestEnv env;
    env.writeFile(file, "Data;evento\r\n12 Gennaio 2005;Grandine\r\n");
    env.loadMainWindow();
    QCOMPARE(texts(env.dialogs()),
             QStringList{"Il file " + file +
                         " non è un archivio di Nubilario: non è un database SQLite."} +
                 after);
    QCOMPARE(env.scripted().shell->endedWith.has_value(), file == "altrieventi.mdb");
    QCOMPARE(env.readFile(file), "Data;evento\r\n12 Gennaio 2005;Grandine\r\n");
    QCOMPARE(copies(env), 0);
  }

  // A damaged archive: restored from the newest sound safety copy when the
  // keeper says yes, the damaged file kept beside it; else opened read-only.
  void damaged_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("safetyCopy");
    QTest::addColumn<bool>("restore");  // the keeper's answer
    QTest::newRow("no safety copy") << "temperature.mdb" << false << false;
    QTest::newRow("restored") << "temperature.mdb" << true << true;
    QTest::newRow("read-only") << "temperature.mdb" << true << false;
    QTest::newRow("history, read-only") << "giornaliero.mdb" << true << false;
  }
  void damaged() {
    QFETCH(QString, file);
    QFETCH(bool, safetyCopy);
    QFETCH(bool, restore);
    TestEnv env;
    env.ctx().platform().now = [] { return kNow; };
    const bool history = file == "giornaliero.mdb";
    QCOMPARE(ArchiveFile(env.path(file))
                 .fill(400, history ? "data" : "Mese e anno", history ? "nota" : "Osservazioni"),
             QString());
    if (safetyCopy) QVERIFY(safetycopy::make(env.folder(), kNow.addDays(-2)));
    const QByteArray sound = env.readFile(file);
    QVERIFY(ArchiveFile::damage(env.path(file)));
    const QByteArray damaged = env.readFile(file);
    env.dialogs().answers << (restore ? MsgAnswer::Yes : MsgAnswer::No);

    Form1* w = env.loadMainWindow();
    const QStringList told = texts(env.dialogs());
    QCOMPARE(told.size(), restore ? 2 : 1);
    QVERIFY(told[0].startsWith("Il file " + file + " è danneggiato.\r\n\r\nDettaglio: "));
    // Said in Italian; SQLite's own words only in the box's details.
    const QString details = env.dialogs().messages[0].details;
    QVERIFY2(details.startsWith("*** in database main ***"), qPrintable(details));
    QVERIFY(!told[0].contains("***") && !told[0].contains("Page "));
    QVERIFY(told[0].endsWith(
        safetyCopy
            ? "\r\n\r\nRipristinarlo dalla copia di sicurezza del 7 dicembre 2026 alle "
              "10:15:02?\r\n\r\nSì: il file danneggiato viene conservato con un altro "
              "nome e al suo posto va l'archivio della copia (ciò che è stato inserito "
              "dopo la copia resta solo nel file danneggiato).\r\nNo: " +
                  kReadOnly
            : "\r\n\r\nNessuna copia di sicurezza ne contiene una versione integra: " + kReadOnly));
    const QString kept = file + ".danneggiato-2026-12-09";
    if (restore) {
      QCOMPARE(told[1], "L'archivio " + file +
                            " è stato ripristinato dalla copia di sicurezza del 7 dicembre 2026 "
                            "alle 10:15:02.\r\n\r\nIl file danneggiato è conservato nella "
                            "cartella dei dati con il nome " +
                            kept + ".");
      QCOMPARE(env.readFile(file), sound);
      QCOMPARE(env.readFile(kept), damaged);
    }
    // Copies of an archive left damaged would push the sound ones out.
    QCOMPARE(copies(env), int(safetyCopy) + int(restore));
    // Read-only it still reads, a write fails and the file stays as it was.
    bool written = false;
    if (history) {
      DailyHistory* h = env.ctx().history();
      QVERIFY(h && !h->all().isEmpty());  // damaged pages may hide some days, never all
      written = h->write({{kNow.date(), "1", "2", "3", {}}}, "prova");
    } else {
      Recordset& rs = w->recordset(ArchiveKind::Temperature);
      QCOMPARE(rs.recordCount(), 400);
      rs.addNew();
      rs.setField("Mese e anno", "Gennaio  2027");
      written = rs.update();
    }
    QCOMPARE(written, restore);
    if (!restore) QCOMPARE(env.readFile(file), damaged);
    if (history) {
      // The refused write told in Italian, SQLite's words in the details.
      QVERIFY(!historystore::store(env.ctx(), w, history::Way::HandOver, history::Sheet::Rain, 2026,
                                   11, QStringList(31, "1")));

      const ScriptedDialogs::Message& m = env.dialogs().messages.last();
      QVERIFY2(m.text.endsWith("\r\n\r\nDettaglio: il file si può solo leggere, non modificare"),
               qPrintable(m.text));
      QVERIFY2(m.details.startsWith("attempt to write a readonly database"), qPrintable(m.details));
    }
  }

  // Another program holding an archive locked: the start waits a moment,
  // then says the file is in use and offers to try again; nothing is called
  // damaged and nothing restored. Once the file is free the start goes on.
  void lockedArchive() {
    TestEnv env;
    env.ctx().platform().now = [] { return kNow; };
    const QString file = "datipluviometrici.mdb";
    QCOMPARE(ArchiveFile(env.path(file)).fill(8, "Mese e anno", "Osservazioni"), QString());
    QVERIFY(safetycopy::make(env.folder(), kNow.addDays(-1)));
    const QByteArray before = env.readFile(file);
    {
      QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "altro programma");
      other.setDatabaseName(env.path(file));
      QVERIFY(other.open());
      QSqlQuery lock(other);
      QVERIFY(lock.exec("BEGIN EXCLUSIVE"));
      env.dialogs().answers << MsgAnswer::Retry << MsgAnswer::Cancel;
      env.loadMainWindow();
      const QString inUse =
          "Il file " + file +
          " è in uso da un altro programma, che lo tiene bloccato.\r\n\r\nChiudere l'altro "
          "programma e premere «Riprova»; con «Annulla» l'archivio non viene aperto.";
      QCOMPARE(texts(env.dialogs()), (QStringList{inUse, inUse, kDbError, kLoadError}));
      QCOMPARE(env.dialogs().messages[0].buttons, MsgButtons::RetryCancel);
      QVERIFY(env.dialogs().messages[0].details.contains("database is locked"));
      QVERIFY(lock.exec("COMMIT"));
    }
    QSqlDatabase::removeDatabase("altro programma");
    QCOMPARE(env.readFile(file), before);
    QCOMPARE(QDir(env.folder()).entryList({"*danneggiato*"}), QStringList());
    QCOMPARE(copies(env), 1);  // no copy of the day with an archive left unopened

    delete env.mainWindow();
    env.dialogs().messages.clear();
    Form1* w = env.loadMainWindow();
    QCOMPARE(texts(env.dialogs()), QStringList());
    QCOMPARE(w->recordset(ArchiveKind::Rain).recordCount(), 8);
  }

  // A safety copy cut short goes at the next start, even on a day that
  // already has its copy; what a copy does not hold stays and is named once.
  void leftoversAndStrangers() {
    TestEnv env;
    QDateTime now = kNow;
    env.ctx().platform().now = [&now] { return now; };
    env.loadMainWindow();
    const QString root = safetycopy::folder(env.folder());
    QVERIFY(QDir().mkpath(root + "/2026-12-09 11.00.00.incompleta"));
    QVERIFY(QFile::copy(env.path("neve.mdb"), root + "/2026-12-09 11.00.00.incompleta/neve.mdb"));
    env.writeFile(safetycopy::kFolderName + "/appunti.txt", "miei");
    delete env.mainWindow();
    env.loadMainWindow();
    QVERIFY(!QFileInfo::exists(root + "/2026-12-09 11.00.00.incompleta"));
    QCOMPARE(texts(env.dialogs()), QStringList());  // the day's copy was made before

    const QString told =
        "Nella cartella delle copie di sicurezza " + root +
        " ci sono elementi che non sono copie di Nubilario:\r\n\r\nappunti.txt\r\n\r\n"
        "Nubilario li lascia come sono e non li elimina mai; questo avviso non sarà ripetuto.";
    for (int day = 1; day <= 2; ++day) {
      delete env.mainWindow();
      now = kNow.addDays(day);
      env.loadMainWindow();
      QCOMPARE(texts(env.dialogs()), QStringList{told});
    }
    QCOMPARE(env.readFile(safetycopy::kFolderName + "/appunti.txt"), "miei");
  }
};

QTEST_MAIN(tst_startchecks)
#include "tst_startchecks.moc"
