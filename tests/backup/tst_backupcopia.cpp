#include "copia.h"
#include "files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

}  // namespace

class tst_backupcopia : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void copia_data();
  void copia();
  void fallimento_data();
  void fallimento();
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

QTEST_GUILESS_MAIN(tst_backupcopia)
#include "tst_backupcopia.moc"
