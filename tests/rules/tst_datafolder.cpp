// Where the program keeps its data: beside the executable when run from its
// own folder, in the user's folder when installed, seeded from the shipped
// files without ever replacing one of the keeper's.

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "files.h"
#include "rules/datafolder.h"
#include "rules/stationconfig.h"

namespace {

void put(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
    qFatal("cannot write %s", qPrintable(path));
}

}  // namespace

class tst_datafolder : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void locate_data();
  void locate();
  void shippedConfigurationNamesNoFolder();
};

void tst_datafolder::locate_data() {
  QTest::addColumn<QString>("layout");
  QTest::addColumn<bool>("installed");
  QTest::addColumn<QString>("error");
  QTest::newRow("portable, the data beside the program") << "portable" << false << "";
  QTest::newRow("portable, no shipped files anywhere") << "bare" << false << "";
  QTest::newRow("installed, first start") << "first" << true << "";
  QTest::newRow("installed, the keeper's data already there") << "second" << true << "";
  QTest::newRow("installed, the user folder cannot be made")
      << "unwritable" << true << "Impossibile creare la cartella dei dati ";
}

void tst_datafolder::locate() {
  QFETCH(QString, layout);
  QFETCH(bool, installed);
  QFETCH(QString, error);
  QTemporaryDir root;
  const QString bin = root.filePath("usr/bin");
  const QString shipped = root.filePath("usr/share/nubilario");
  const QString user = root.filePath("home/custode/.local/share/nubilario");
  QDir().mkpath(bin);
  if (layout != "bare") {
    QVERIFY(datafolder::layOut(shipped));
    for (const QString& page : datafolder::helpPages()) put(shipped + "/" + page, "pagina nuova");
  }
  if (layout == "portable") QVERIFY(datafolder::layOut(bin));
  // The keeper's own files, and a help page of an older release.
  const QByteArray config = "Monte Bar\r\nsi\r\n(a norma)\r\n/home/custode/note\r\n\r\n";
  if (layout == "second") {
    put(user + "/config.cfg", config);
    put(user + "/temperature.mdb", "archivio del custode");
    put(user + "/guida.htm", "pagina vecchia");
    put(user + "/neve.mdb", "");
  }
  // Under a plain file no folder can be made, not even by root.
  if (layout == "unwritable") put(root.filePath("home/custode/.local/share"), "un file");

  const datafolder::Location where = datafolder::locate(bin, user);
  QCOMPARE(where.installed, installed);
  QCOMPARE(where.error.left(error.size()), error);
  if (!error.isEmpty()) {
    QVERIFY(where.error.contains(QDir::toNativeSeparators(user)));
    return;
  }
  if (!installed) {
    QCOMPARE(where.dataFolder, bin);
    QCOMPARE(where.programFolder, bin);
    QVERIFY(!QFileInfo::exists(user));
    return;
  }
  QCOMPARE(where.dataFolder, user);
  QCOMPARE(where.programFolder, root.filePath("usr/lib/nubilario"));
  for (const QStringList* names : {&datafolder::fileNames(), &datafolder::helpPages()})
    for (const QString& name : *names) {
      QByteArray expected = bytesOf(shipped + "/" + name);
      if (layout == "second" && name == "config.cfg") expected = config;
      if (layout == "second" && name == "temperature.mdb") expected = "archivio del custode";
      QCOMPARE(bytesOf(user + "/" + name), expected);
    }
  // Nothing else is left in the folder, no half-written copy either.
  QCOMPARE(QDir(user).entryList(QDir::Files | QDir::Hidden).size(),
           datafolder::fileNames().size() + datafolder::helpPages().size());
  // The next start finds everything in place and changes nothing.
  const QDateTime seeded = QFileInfo(user + "/prpanno.txt").lastModified();
  QCOMPARE(datafolder::locate(bin, user).error, QString());
  QCOMPARE(QFileInfo(user + "/prpanno.txt").lastModified(), seeded);
}

void tst_datafolder::shippedConfigurationNamesNoFolder() {
  // Moved, copied or seeded for a user, the folder keeps its notes inside it.
  QTemporaryDir dir;
  QVERIFY(datafolder::layOut(dir.path()));
  QCOMPARE(bytesOf(dir.filePath(StationConfig::kFileName)),
           QByteArray("Stazione meteo\r\nsi\r\n(a norma)\r\n\r\n\r\n"));
}

QTEST_GUILESS_MAIN(tst_datafolder)
#include "tst_datafolder.moc"
