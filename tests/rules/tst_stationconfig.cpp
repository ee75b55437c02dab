// The station configuration file: what a reading takes from files of every
// length and line end, and the exact bytes a write leaves.

#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <optional>

#include "files.h"
#include "rules/stationconfig.h"

namespace {

// Runs `step` as a user without privileges (root ignores a read-only folder);
// its result, or nullopt when the privileges cannot be dropped here.
std::optional<bool> unprivileged(const std::function<bool()>& step) {
  if (::geteuid() != 0) return step();
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
    ::_exit(step() ? 0 : 1);
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 2)
    return std::nullopt;
  return WEXITSTATUS(status) == 0;
}

}  // namespace

class tst_stationconfig : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString path() const { return dir_.filePath(StationConfig::kFileName); }
  void put(const QByteArray& bytes) {
    QFile f(path());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
  }

 private Q_SLOTS:
  void read_data() {
    QTest::addColumn<QByteArray>("bytes");  // "<none>": no file
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QStringList>("config");
    const QStringList design{"nome della stazione", "si", "(a norma)", "app.path", "app.path"};
    QTest::newRow("no file") << QByteArray("<none>") << false << 0 << design;
    QTest::newRow("empty file") << QByteArray() << true << 0 << design;
    QTest::newRow("two lines") << QByteArray("Monte\r\nno\r\n") << true << 2
                               << QStringList{"Monte", "no", "(a norma)", "app.path", "app.path"};
    QTest::newRow("five, CR LF") << QByteArray("Monte\r\nsi\r\n(non a norma)\r\n/n\r\n/r\r\n")
                                 << true << 5
                                 << QStringList{"Monte", "si", "(non a norma)", "/n", "/r"};
    QTest::newRow("seven, LF, no final end")
        << QByteArray("A\nno\nx\n/n\n/r\nsesta\nsettima") << true << 5
        << QStringList{"A", "no", "x", "/n", "/r"};
    QTest::newRow("empty lines kept, blanks kept")
        << QByteArray("\r\n\r\n (a norma)\r\n\r\n\r\n") << true << 5
        << QStringList{"", "", " (a norma)", "", ""};
    // A huge file is read no further than five sensible lines could reach.
    QTest::newRow("a 64 MB first line") << QByteArray(64 << 20, 'x') + "\r\nno\r\n"
                                        << true << 1
                                        << QStringList{QString(StationConfig::kMaxBytes, u'x'),
                                                       "si", "(a norma)", "app.path", "app.path"};
    QTest::newRow("code page") << QByteArray("Cim\xe0 \xb0\r\n") << true << 1
                               << QStringList{"Cimà °", "si", "(a norma)", "app.path", "app.path"};
  }
  void read() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, found);
    QFETCH(int, lines);
    QFETCH(QStringList, config);
    QFile::remove(path());
    if (bytes != "<none>") put(bytes);
    const auto r = StationConfig::read(path());
    QCOMPARE(r.found, found);
    QCOMPARE(r.lines, lines);
    QCOMPARE(r.complete(), lines == 5);
    QCOMPARE(r.config.lines(), config);
  }

  // Only an exact "no" hides the frame; only an exact "(a norma)" is to standard.
  void meaningByExactText() {
    StationConfig c;
    for (const char* shown : {"si", "NO", "", " no"}) {
      c.mostraInfo = QString::fromLatin1(shown);
      QVERIFY(c.infoShown());
    }
    c.mostraInfo = QStringLiteral("no");
    QVERIFY(!c.infoShown());
    c.anorma = QStringLiteral("(A norma)");
    QVERIFY(!c.aNorma());
    c.anorma = StationConfig::kStandard;
    QVERIFY(c.aNorma());
  }

  void writeReplacesWithFiveLines() {
    put("old\r\nold\r\nold\r\nold\r\nold\r\nold\r\n");
    StationConfig c;
    c.nome = QStringLiteral("Ca' è");
    c.mostraInfo = QStringLiteral("no");
    c.percorsoAppunti.clear();
    c.fillEmptyFolders(QStringLiteral("/dati"));
    QVERIFY(c.write(path()));
    QCOMPARE(bytesOf(path()), QByteArray("Ca' \xe8\r\nno\r\n(a norma)\r\n/dati\r\napp.path\r\n"));
    QCOMPARE(StationConfig::read(path()).config, c);
  }

  // A writable config.cfg in a folder that takes no new file (the atomic
  // replace needs one) is rewritten in place.
  void readOnlyFolderWritesInPlace() {
    QTemporaryDir folder;
    const QString file = folder.filePath(StationConfig::kFileName);
    put(QByteArray());
    QVERIFY(QFile::copy(path(), file));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther |
                                    QFile::WriteOther | QFile::ReadGroup | QFile::WriteGroup);
    const auto readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                          QFile::ReadOther | QFile::ExeOther;
    QVERIFY(QFile::setPermissions(folder.path(), readOnly));
    StationConfig c;
    c.nome = QStringLiteral("Monte");
    const auto written = unprivileged([&] { return c.write(file); });
    QFile::setPermissions(folder.path(), readOnly | QFile::WriteOwner);
    if (!written) QSKIP("cannot run as a user without privileges here");
    QVERIFY(*written);
    QCOMPARE(StationConfig::read(file).config, c);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{StationConfig::kFileName});
  }

  void failedWriteLeavesNothing() {
    const QString missing = dir_.filePath(QStringLiteral("manca/config.cfg"));
    QString error;
    QVERIFY(!StationConfig().write(missing, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(missing));
  }
};

QTEST_GUILESS_MAIN(tst_stationconfig)
#include "tst_stationconfig.moc"
