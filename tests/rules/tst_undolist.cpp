// The run's undo list: the last step first, each written at once, and a
// correction undone on its own record even when that was put back elsewhere.

#include <QTemporaryDir>
#include <QTest>

#include "rules/datafolder.h"
#include "rules/undolist.h"

class tst_undolist : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void lastFirst() {
    QTemporaryDir dir;
    const QString path = dir.filePath("altrieventi.mdb");
    QVERIFY(datafolder::createArchive(path, ArchiveKind::OtherEvents));
    Recordset rs;
    QVERIFY(rs.connect(path));
    QVERIFY(rs.open());
    auto add = [&rs](const QString& v) {
      rs.addNew();
      rs.setField("Data", v);
      QVERIFY(rs.update());
    };
    auto onDisk = [&path] {
      Recordset again;
      QString seen;
      if (again.connect(path) && again.open())
        for (int r = 0; r < again.recordCount(); ++r) seen += again.value(r, 0);
      return seen;
    };
    for (const char* v : {"a", "b", "c"}) add(v);
    UndoList undo;
    // "c" corrected to "C", then deleted; "d" takes its key.
    const QStringList before = rs.values(2);
    QStringList after = before;
    after[0] = "C";
    QVERIFY(rs.updateRecord(2, after));
    undo.corrected(rs, rs.key(2), before);
    rs.setPosition(2);
    undo.deleted(rs, rs.key(2), rs.values(2));
    QVERIFY(rs.deleteCurrent());
    add("d");
    QCOMPARE(onDisk(), QStringLiteral("abd"));

    auto step = undo.undo();
    QVERIFY(step);
    QCOMPARE(step->row, 3);
    QCOMPARE(onDisk(), QStringLiteral("abdC"));
    step = undo.undo();
    QVERIFY(step);
    QCOMPARE(step->recordset, &rs);
    QCOMPARE(rs.position(), 3);
    QCOMPARE(onDisk(), QStringLiteral("abdc"));
    QVERIFY(undo.isEmpty());
    QVERIFY(!undo.undo());
  }
};

QTEST_GUILESS_MAIN(tst_undolist)
#include "tst_undolist.moc"
