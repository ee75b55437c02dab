#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "files.h"
#include "rules/sheetfile.h"

class tst_sheetfile : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;

  QString withBytes(const QByteArray& bytes) {
    const QString path = dir_.filePath("sheet.txt");
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
    return path;
  }
 private Q_SLOTS:
  void read_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    const QStringList four = {"a", "b", "c", "d"};
    QTest::newRow("exact") << QByteArray("1|2|3|4|\r\n") << four << QStringList{"1", "2", "3", "4"};
    // The trailing "|" of a short line empties the field after the last value.
    QTest::newRow("short") << QByteArray("10|20|\r\n") << four << QStringList{"10", "20", "", "d"};
    QTest::newRow("longer ignored")
        << QByteArray("1|2|3|4|5|6|\r\n") << four << QStringList{"1", "2", "3", "4"};
    QTest::newRow("empty values") << QByteArray("||x||\r\n") << four
                                  << QStringList{"", "", "x", ""};
    QTest::newRow("empty file") << QByteArray() << four << four;
    QTest::newRow("only line end") << QByteArray("\r\n") << four << four;
    QTest::newRow("second line ignored")
        << QByteArray("1|\r\n9|9|9|9|\r\n") << four << QStringList{"1", "", "c", "d"};
    QTest::newRow("lf line end") << QByteArray("1|2|3|4|\n") << four
                                 << QStringList{"1", "2", "3", "4"};
    QTest::newRow("ansi text") << QByteArray("12,5|-3|\xB0|x|\r\n") << four
                               << QStringList{"12,5", "-3", "°", "x"};
    QTest::newRow("blanks kept on read")
        << QByteArray(" 7 |2|3|4|\r\n") << four << QStringList{" 7 ", "2", "3", "4"};
  }
  void read() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    QStringList fields = before;
    sheetfile::read(withBytes(bytes), fields);
    QCOMPARE(fields, after);
  }

  void missingFileChangesNothing() {
    QStringList fields = {"0", "0"};
    sheetfile::read(dir_.filePath("manca.txt"), fields);
    QCOMPARE(fields, (QStringList{"0", "0"}));
  }

  void prpannoShortLine() {
    // December first: "10|20|30|" fills December, January, February and empties March.
    QStringList fields(13, QStringLiteral("0"));
    sheetfile::read(withBytes("10|20|30|\r\n"), fields);
    QCOMPARE(fields.mid(0, 4), (QStringList{"10", "20", "30", ""}));
    QCOMPARE(fields.mid(4), QStringList(9, QStringLiteral("0")));
  }

  void write_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QByteArray>("bytes");
    QStringList temp(63);
    temp[1] = "5";
    temp[32] = "12";
    QTest::newRow("temperature day 1")
        << temp << QByteArray("|5|") + QByteArray(30, '|') + "12|" + QByteArray(30, '|') + "\r\n";
    QTest::newRow("blanks trimmed") << QStringList{" 7 ", "  ", "a b"} << QByteArray("7||a b|\r\n");
    QTest::newRow("tabs are text") << QStringList{"\t7"} << QByteArray("\t7|\r\n");
    QTest::newRow("degree ansi") << QStringList{"°"} << QByteArray("\xB0|\r\n");
  }
  void write() {
    QFETCH(QStringList, fields);
    QFETCH(QByteArray, bytes);
    const QString path = dir_.filePath("w.txt");
    QVERIFY(sheetfile::write(path, fields));
    QCOMPARE(bytesOf(path), bytes);
    QCOMPARE(bytes.count('|'), fields.size());
  }

  // A huge sheet file is read no further than its first line could reach.
  void hugeFileReadsOneBoundedLine() {
    const QString path = dir_.filePath("enorme.txt");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(64 << 20, '7'));
    f.write("|8|\r\n");
    f.close();
    QStringList fields{"a", "b"};
    sheetfile::read(path, fields);
    QCOMPARE(fields[0].size(), sheetfile::kMaxBytes);
    QCOMPARE(fields[1], QStringLiteral("b"));
  }

  void roundTrip() {
    const QString path = dir_.filePath("rt.txt");
    const QStringList typed = {"", "12,5", "-3", " 4 ", "1.234,5", ""};
    QVERIFY(sheetfile::write(path, typed));
    QStringList back(typed.size(), QStringLiteral("x"));
    sheetfile::read(path, back);
    QCOMPARE(back, (QStringList{"", "12,5", "-3", "4", "1.234,5", ""}));
  }

  void failedWriteKeepsOldFile() {
    const QString path = dir_.filePath(QString(250, QLatin1Char('p')));
    {
      QFile f(path);
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write("1|2|\r\n");
    }
    QVERIFY(!sheetfile::write(path, {"9", "9"}));
    QCOMPARE(bytesOf(path), QByteArray("1|2|\r\n"));
  }
};

QTEST_GUILESS_MAIN(tst_sheetfile)
#include "tst_sheetfile.moc"
