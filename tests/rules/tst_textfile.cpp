#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "files.h"
#include "rules/textfile.h"

class tst_textfile : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void encode_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("degree") << QStringLiteral("12,5 °C")
                            << QByteArray(
                                   "12,5 \xB0"
                                   "C");
    QTest::newRow("accents") << QStringLiteral("sarà è") << QByteArray("sar\xE0 \xE8");
    QTest::newRow("foehn") << QStringLiteral("Föhn") << QByteArray("F\xF6hn");
    QTest::newRow("euro") << QStringLiteral("€") << QByteArray("\x80");
    QTest::newRow("outside code page") << QStringLiteral("a\u4e2db") << QByteArray("a?b");
    QTest::newRow("emoji") << QStringLiteral("x\U0001F600y") << QByteArray("x?y");
    QTest::newRow("empty") << QString() << QByteArray();
  }
  void encode() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(textfile::encode(text), bytes);
  }

  void decode_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ansi degree") << QByteArray(
                                        "5 \xB0"
                                        "C")
                                 << QStringLiteral("5 °C");
    QTest::newRow("utf8 degree") << QByteArray(
                                        "5 \xC2\xB0"
                                        "C")
                                 << QStringLiteral("5 °C");
    QTest::newRow("utf8 bom") << QByteArray("\xEF\xBB\xBFsi") << QStringLiteral("si");
    QTest::newRow("ansi accent") << QByteArray("citt\xE0") << QStringLiteral("città");
  }
  void decode() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(textfile::decode(bytes), text);
  }

  // The file's lines; a bounded reading (maxLines, maxBytes; -1: the whole
  // file) takes only the lines and bytes asked for, whatever the file's size.
  void readLines_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("maxLines");
    QTest::addColumn<int>("maxBytes");
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"} << -1 << -1;
    QTest::newRow("lf") << QByteArray("a\nb\n") << QStringList{"a", "b"} << -1 << -1;
    QTest::newRow("cr") << QByteArray("a\rb\r") << QStringList{"a", "b"} << -1 << -1;
    QTest::newRow("no final end") << QByteArray("a\r\nb") << QStringList{"a", "b"} << -1 << -1;
    QTest::newRow("empty lines kept")
        << QByteArray("\r\n\r\nc\r\n") << QStringList{"", "", "c"} << -1 << -1;
    QTest::newRow("blanks kept") << QByteArray(" a \r\n") << QStringList{" a "} << -1 << -1;
    QTest::newRow("empty file") << QByteArray() << QStringList{} << -1 << -1;
    QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"} << -1
                           << -1;
    QTest::newRow("within bounds") << QByteArray("a\r\nb") << QStringList{"a", "b"} << 5 << 100;
    QTest::newRow("lines beyond") << QByteArray("1\r\n2\n3\r4\r\n5\r\n6\r\n")
                                  << QStringList{"1", "2"} << 2 << 100;
    QTest::newRow("CR LF split by the byte limit")
        << QByteArray("ab\r\ncd") << QStringList{"ab"} << 5 << 3;
    QTest::newRow("a huge first line, cut") << QByteArray(8 << 20, 'x') + "\r\nsi\r\n"
                                            << QStringList{QString(1000, u'x')} << 5 << 1000;
    QTest::newRow("a huge file of lines")
        << QByteArray("riga\n").repeated(2 << 20) << QStringList{"riga"} << 1 << (4 << 20);
  }
  void readLines() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(int, maxLines);
    QFETCH(int, maxBytes);
    QTemporaryDir dir;
    const QString path = dir.filePath("f.txt");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    const auto read =
        maxLines < 0 ? textfile::readLines(path) : textfile::readLines(path, maxLines, maxBytes);
    QVERIFY(read.has_value());
    QCOMPARE(*read, lines);
  }

  void missingFileReadsNothing() {
    QTemporaryDir dir;
    QVERIFY(!textfile::read(dir.filePath("nope.txt")).has_value());
    QVERIFY(!textfile::readLines(dir.filePath("nope.txt")).has_value());
  }

  void writeLinesUsesCrLfAndAnsi() {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    QVERIFY(
        textfile::writeLines(path, {QStringLiteral("3 °C"), QString(), QStringLiteral("fine")}));
    QCOMPARE(bytesOf(path), QByteArray("3 \xB0"
                                       "C\r\n\r\nfine\r\n"));
    QVERIFY(textfile::write(path, QStringLiteral("x")));
    QCOMPARE(bytesOf(path), QByteArray("x"));  // replaced whole, not appended
  }

  // A write that cannot complete leaves the previous file exactly as it was.
  void failedWriteKeepsOldFile_data() {
    QTest::addColumn<int>("nameLength");
    // The temporary file beside a 250-character name exceeds the file system's
    // name limit, so the replacement fails before the old file is touched.
    QTest::newRow("temporary name too long") << 250;
  }
  void failedWriteKeepsOldFile() {
    QFETCH(int, nameLength);
    QTemporaryDir dir;
    const QString path = dir.filePath(QString(nameLength, QLatin1Char('n')));
    {
      QFile old(path);
      QVERIFY(old.open(QIODevice::WriteOnly));
      old.write("vecchio contenuto\r\n");
    }
    QString error;
    QVERIFY(!textfile::write(path, QStringLiteral("nuovo"), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(bytesOf(path), QByteArray("vecchio contenuto\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);  // no leftovers
  }

  // What the code page cannot hold is named, each character once, and such a
  // text is never written: the old file stays as it was.
  void unencodable_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lost");
    QTest::newRow("code page only") << QStringLiteral("Föhn € 12,5 °C") << QStringList();
    QTest::newRow("greek, repeated") << QStringLiteral("αβα") << QStringList{"α", "β"};
    QTest::newRow("chinese and emoji") << QStringLiteral("a中b😀c中") << QStringList{"中", "😀"};
  }
  void unencodable() {
    QFETCH(QString, text);
    QFETCH(QStringList, lost);
    QCOMPARE(textfile::unencodable(text), lost);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("note.txt"));
    QVERIFY(textfile::write(path, QStringLiteral("vecchio")));
    QString error;
    QCOMPARE(textfile::write(path, text, &error), lost.isEmpty());
    QCOMPARE(bytesOf(path), lost.isEmpty() ? textfile::encode(text) : QByteArray("vecchio"));
    QCOMPARE(error.isEmpty(), lost.isEmpty());
  }

  // The disk fills up while the new text is written (a file size limit stands
  // in for a full disk; it stops root as well): the old file stays whole and
  // the failure is reported, for small and large texts alike.
  void fullDiskKeepsOldFile_data() {
    QTest::addColumn<int>("size");
    QTest::newRow("small text, one buffered write") << 400;
    QTest::newRow("large text") << 100000;
  }
  void fullDiskKeepsOldFile() {
    QFETCH(int, size);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tempmedie.txt"));
    {
      QFile old(path);
      QVERIFY(old.open(QIODevice::WriteOnly));
      old.write("vecchio|\r\n");
    }
    QString error;
    bool wrote = false;
    {
      FileSizeLimit limit(100);
      QVERIFY(limit.ok());
      wrote = textfile::write(path, QString(size, QLatin1Char('x')), &error);
    }
    QVERIFY(!wrote);
    QVERIFY(!error.isEmpty());
    QCOMPARE(bytesOf(path), QByteArray("vecchio|\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);  // no leftovers
  }

  void writeIntoMissingFolderFails() {
    QTemporaryDir dir;
    QVERIFY(!textfile::write(dir.filePath("manca/f.txt"), QStringLiteral("x")));
    QVERIFY(!QFile::exists(dir.filePath("manca/f.txt")));
  }
};

QTEST_GUILESS_MAIN(tst_textfile)
#include "tst_textfile.moc"
