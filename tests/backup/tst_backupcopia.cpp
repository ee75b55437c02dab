#include "copia.h"
#include "files.h"
#include "rules/datafolder.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray contenuto(int byte, char seme) {
  QByteArray dati(byte, Qt::Uninitialized);
  for (int i = 0; i < byte; ++i) dati[i] = char(seme + i * 7 % 251);
  return dati;
}

void scrivi(const QString& percorso, const QByteArray& dati) {
  QFile f(percorso);
  QVERIFY(f.open(QIODevice::WriteOnly));
  QCOMPARE(f.write(dati), dati.size());
}

QStringList voci(const QString& cartella) {
  return QDir(cartella).entryList(
      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Runs SQL on an archive through a connection of its own; the count of
// records in "tab" afterwards, -1 when the archive cannot be read.
int archivio(const QString& percorso, const QStringList& istruzioni = {}) {
  int righe = -1;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("prova"));
    db.setDatabaseName(percorso);
    if (db.open()) {
      QSqlQuery q(db);
      for (const QString& i : istruzioni) q.exec(i);
      if (q.exec(QStringLiteral("SELECT count(*) FROM tab")) && q.next())
        righe = q.value(0).toInt();
      q.finish();
      db.close();
    }
  }
  QSqlDatabase::removeDatabase(QStringLiteral("prova"));
  return righe;
}

// An archive of `righe` records, then a program killed in the middle of
// adding 3,000 more: the file holds half-written pages and its hot journal
// the pages as they were.
void archivioInterrotto(const QString& percorso, int righe) {
  QStringList crea{QStringLiteral("CREATE TABLE tab (testo TEXT)"), QStringLiteral("BEGIN")};
  for (int i = 0; i < righe; ++i)
    crea << QStringLiteral("INSERT INTO tab VALUES ('vecchio %1')").arg(i);
  crea << QStringLiteral("COMMIT");
  QCOMPARE(archivio(percorso, crea), righe);
  const pid_t figlio = fork();
  if (figlio == 0) {
    QStringList scrittura{QStringLiteral("PRAGMA cache_size=2"), QStringLiteral("BEGIN")};
    for (int i = 0; i < 3000; ++i)
      scrittura << QStringLiteral("INSERT INTO tab VALUES ('%1')").arg(QString(200, u'n'));
    scrittura << QStringLiteral("SELECT raise_killed_here");  // stands for the kill
    QSqlDatabase db =
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("figlio"));
    db.setDatabaseName(percorso);
    db.open();
    QSqlQuery q(db);
    for (const QString& i : scrittura) q.exec(i);
    ::kill(::getpid(), SIGKILL);
  }
  int stato = 0;
  QCOMPARE(waitpid(figlio, &stato, 0), figlio);
  QVERIFY(WIFSIGNALED(stato));
  QVERIFY(QFileInfo(percorso + "-journal").size() > 0);
}

}  // namespace

class tst_backupcopia : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void copia_data();
  void copia();
  void fallimento_data();
  void fallimento();
  void giornaleCaldo_data();
  void giornaleCaldo();
  void copieInterrotte();
  void cartellaDati_data();
  void cartellaDati();
  void passiDelleRegole();
};

void tst_backupcopia::copia_data() {
  QTest::addColumn<QByteArray>("sorgente");
  QTest::addColumn<QByteArray>("vecchio");  // null: no file at the destination
  QTest::addColumn<bool>("stessoFile");

  QTest::newRow("file nuovo") << contenuto(1000, 'a') << QByteArray() << false;
  QTest::newRow("file vuoto") << QByteArray("") << QByteArray() << false;
  QTest::newRow("più grande del buffer")
      << contenuto(3 * 256 * 1024 + 17, 'b') << QByteArray() << false;
  QTest::newRow("sostituisce un file più lungo")
      << contenuto(10, 'c') << contenuto(5000, 'd') << false;
  QTest::newRow("sostituisce un file vuoto") << contenuto(10, 'e') << QByteArray("") << false;
  QTest::newRow("su se stesso") << contenuto(70000, 'f') << QByteArray() << true;
}

void tst_backupcopia::copia() {
  QFETCH(QByteArray, sorgente);
  QFETCH(QByteArray, vecchio);
  QFETCH(bool, stessoFile);

  QTemporaryDir da, a;
  const QString origine = da.filePath("neve.mdb");
  const QString destinazione = stessoFile ? origine : a.filePath("neve.mdb");
  scrivi(origine, sorgente);
  if (!vecchio.isNull()) scrivi(destinazione, vecchio);
  const QDateTime quando = QDateTime::currentDateTime().addDays(-3);
  {
    QFile f(origine);
    QVERIFY(f.open(QIODevice::Append));
    QVERIFY(f.setFileTime(quando, QFileDevice::FileModificationTime));
  }

  QVERIFY(copiaFile(origine, destinazione));

  QCOMPARE(bytesOf(destinazione), sorgente);
  QCOMPARE(bytesOf(origine), sorgente);
  QCOMPARE(voci(QFileInfo(destinazione).path()), QStringList{"neve.mdb"});
  QCOMPARE(QFileInfo(destinazione).lastModified().toSecsSinceEpoch(), quando.toSecsSinceEpoch());
}

namespace {
enum Guasto {
  SorgenteMancante,
  SorgenteCartella,
  CartellaMancante,
  CartellaFile,
  DestinazioneCartella,
  NomeTroppoLungo,
  DiscoPienoAMeta,
};
}

void tst_backupcopia::fallimento_data() {
  QTest::addColumn<int>("guasto");
  QTest::newRow("sorgente mancante") << int(SorgenteMancante);
  QTest::newRow("sorgente che è una cartella") << int(SorgenteCartella);
  QTest::newRow("cartella di destinazione inesistente") << int(CartellaMancante);
  QTest::newRow("cartella di destinazione che è un file") << int(CartellaFile);
  QTest::newRow("destinazione che è una cartella") << int(DestinazioneCartella);
  QTest::newRow("nome troppo lungo") << int(NomeTroppoLungo);
  QTest::newRow("disco pieno a metà copia") << int(DiscoPienoAMeta);
}

void tst_backupcopia::fallimento() {
  QFETCH(int, guasto);

  QTemporaryDir da, a;
  QString origine = da.filePath("temperature.mdb");
  QString cartella = a.path();
  const QByteArray nuovo = contenuto(guasto == DiscoPienoAMeta ? 600 * 1024 : 2000, 'n');
  const QByteArray vecchio = contenuto(300, 'v');
  scrivi(origine, nuovo);
  // What the destination folder held before: an older copy, never damaged.
  scrivi(a.filePath("temperature.mdb"), vecchio);
  scrivi(a.filePath("neve.mdb"), vecchio);

  switch (guasto) {
    case SorgenteMancante:
      origine = da.filePath("manca.mdb");
      break;
    case SorgenteCartella:
      origine = da.path();
      break;
    case CartellaMancante:
      cartella = a.filePath("manca");
      break;
    case CartellaFile:
      cartella = a.filePath("neve.mdb");
      break;
    case DestinazioneCartella:
      QVERIFY(QDir(cartella).mkdir("altrieventi.mdb"));
      break;
    case NomeTroppoLungo:
      cartella = a.filePath(QString(300, QLatin1Char('x')));
      break;
  }
  const QString destinazione =
      cartella + (guasto == DestinazioneCartella ? "/altrieventi.mdb" : "/temperature.mdb");
  const QStringList prima = voci(a.path());

  bool riuscita = true;
  if (guasto == DiscoPienoAMeta) {
    FileSizeLimit limite(256 * 1024);
    QVERIFY(limite.ok());
    riuscita = copiaFile(origine, destinazione);
  } else {
    riuscita = copiaFile(origine, destinazione);
  }

  QVERIFY(!riuscita);
  QCOMPARE(voci(a.path()), prima);  // no temporary file left behind
  QCOMPARE(bytesOf(a.filePath("temperature.mdb")), vecchio);
  QCOMPARE(bytesOf(a.filePath("neve.mdb")), vecchio);
  QVERIFY(QFileInfo(a.filePath("altrieventi.mdb")).isDir() == (guasto == DestinazioneCartella));
}

// A program killed during an insert leaves a hot journal beside its archive.
// A restore over it, and a backup of it, both give the archive as committed;
// no journal is left beside the copy.
void tst_backupcopia::giornaleCaldo_data() {
  QTest::addColumn<bool>("ripristino");
  QTest::newRow("ripristino sopra l'archivio interrotto") << true;
  QTest::newRow("backup dell'archivio interrotto") << false;
}

void tst_backupcopia::giornaleCaldo() {
  QFETCH(bool, ripristino);
  QTemporaryDir dati, copie;
  const QString nelleCartelleDati = dati.filePath("neve.mdb");
  const QString nelBackup = copie.filePath("neve.mdb");
  archivioInterrotto(nelleCartelleDati, 40);
  if (ripristino) {
    QCOMPARE(archivio(nelBackup, {QStringLiteral("CREATE TABLE tab (testo TEXT)"),
                                  QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL "
                                                 "SELECT i + 1 FROM n WHERE i < 2000) "
                                                 "INSERT INTO tab SELECT 'copia' FROM n")}),
             2000);
    QVERIFY(copiaFile(nelBackup, nelleCartelleDati));
    QVERIFY(!QFileInfo::exists(nelleCartelleDati + "-journal"));
    QCOMPARE(archivio(nelleCartelleDati), 2000);
  } else {
    QVERIFY(copiaFile(nelleCartelleDati, nelBackup));
    QVERIFY(!QFileInfo::exists(nelleCartelleDati + "-journal"));  // rolled back
    QVERIFY(!QFileInfo::exists(nelBackup + "-journal"));
    QCOMPARE(archivio(nelBackup), 40);
    QCOMPARE(archivio(nelleCartelleDati), 40);
  }
}

// Temporary copies that a killed write left behind go; every other file stays.
void tst_backupcopia::copieInterrotte() {
  QTemporaryDir cartella;
  const QStringList avanzi{"prpanno.txt.Ab3xYz", "neve.mdb.q1W2e3", "config.cfg.ZZZZZZ"};
  const QStringList restano{"prpanno.txt", "neve.mdb", "prpanno.txt.bak", "note.txt.Ab3xYz",
                            "neve.mdb.Ab3xY"};
  for (const QString& n : avanzi + restano) scrivi(cartella.filePath(n), "x");
  QStringList rimossi = datafolder::removeLeftovers(cartella.path());
  rimossi.sort();
  QStringList attesi = avanzi;
  attesi.sort();
  QCOMPARE(rimossi, attesi);
  QStringList atteseRestano = restano;
  atteseRestano.sort();
  QCOMPARE(voci(cartella.path()), atteseRestano);
}

void tst_backupcopia::cartellaDati_data() {
  QTest::addColumn<QString>("disposizione");
  QTest::addColumn<bool>("utente");  // the user's folder is the one
  QTest::addColumn<bool>("errore");
  QTest::newRow("beside the main program") << "accanto" << false << false;
  QTest::newRow("no shipped files") << "nuda" << false << false;
  QTest::newRow("installed") << "installata" << true << false;
  QTest::newRow("installed, no folder can be made") << "bloccata" << true << true;
}

void tst_backupcopia::cartellaDati() {
  QFETCH(QString, disposizione);
  QFETCH(bool, utente);
  QFETCH(bool, errore);
  QTemporaryDir radice;
  const QString programma = radice.filePath("usr/lib/nubilario");
  const QString modelli = radice.filePath("usr/share/nubilario");
  const QString cartellaUtente = radice.filePath("casa/dati/nubilario");
  QVERIFY(QDir().mkpath(programma));
  if (disposizione != "nuda") {
    QVERIFY(QDir().mkpath(modelli));
    scrivi(modelli + "/config.cfg", "Stazione meteo\r\n");
  }
  if (disposizione == "accanto") scrivi(programma + "/neve.mdb", "archivio");
  // Under a plain file no folder can be made, not even by root.
  if (disposizione == "bloccata") scrivi(radice.filePath("casa"), "un file");

  const datafolder::Location c =
      datafolder::locate(programma, cartellaUtente, datafolder::Program::Backup);
  QCOMPARE(c.dataFolder, utente ? cartellaUtente : programma);
  QCOMPARE(!c.error.isEmpty(), errore);
  if (errore) QVERIFY(c.error.contains(cartellaUtente));
  QCOMPARE(QFileInfo(cartellaUtente).isDir(), utente && !errore);
}

// The steps copy the data file set as the main program's rules name it: a
// file added there is backed up and restored too.
void tst_backupcopia::passiDelleRegole() {
  QStringList nomi;
  for (const Passo& p : passi()) nomi << p.nome.mid(1);
  nomi.sort();
  QStringList attesi = datafolder::fileNames();
  attesi.sort();
  QCOMPARE(nomi, attesi);
}

QTEST_GUILESS_MAIN(tst_backupcopia)
#include "tst_backupcopia.moc"
