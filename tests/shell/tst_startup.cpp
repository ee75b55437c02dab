#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "shell/form1.h"
#include "shell/navigationpane.h"
#include "shell/splash.h"
#include "testenv.h"

namespace {
const QString kLoadError = QStringLiteral(
    "Errore durante il caricamento. L'applicazione non è installata correttamente e potrebbe "
    "pertanto risultare instabile o non funzionare correttamente. Si consiglia caldamente la "
    "reinstallazione");
const QString kDbError = QStringLiteral("Errore durante l'accesso ai database!");
const QStringList kDesign = {"nome della stazione", "si", "(a norma)", "app.path", "app.path"};

// The configuration as the main window holds it: the two values it shows,
// the other three as the context keeps them.
QStringList labels(Form1* w) {
  const StationConfig& c = w->context().config();
  return {w->nome->text(), c.mostraInfo, w->anormaa->text(), c.percorsoAppunti,
          c.riepiloghiMensili};
}
QStringList texts(const ScriptedDialogs& d) {
  QStringList out;
  for (const auto& m : d.messages) out << m.text;
  return out;
}
}  // namespace

class tst_startup : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void completeDataFolder() {
    TestEnv env;
    env.writeFile("config.cfg", "Monte Cimone\r\nsi\r\n(non a norma)\r\n/note\r\n/riep\r\n");
    Form1* w = env.loadMainWindow();
    QVERIFY(env.dialogs().messages.isEmpty());
    QCOMPARE(w->windowTitle(), QStringLiteral("Nubilario 3.0 Pro"));
    QCOMPARE(labels(w), (QStringList{"Monte Cimone", "si", "(non a norma)", "/note", "/riep"}));
    QVERIFY(!w->infostazione->isHidden());
    QCOMPARE(w->visiblePanel(), ArchiveKind::Temperature);
    for (int k = 0; k < 4; ++k) {
      QVERIFY(w->recordset(ArchiveKind(k)).isOpen());
      QCOMPARE(w->markerVisible(ArchiveKind(k)), k == 0);
      QCOMPARE(w->grid(ArchiveKind(k))->model(), &w->recordset(ArchiveKind(k)));
    }
  }

  // Configuration files of every shape: the labels they give, whether the
  // station frame shows, and whether the load reports a failure.
  void configurationFile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("frameShown");
    QTest::addColumn<bool>("loadMessage");
    QTest::newRow("no hides") << QByteArray("S\r\nno\r\n(a norma)\r\nA\r\nB\r\n")
                              << QStringList{"S", "no", "(a norma)", "A", "B"} << false << false;
    QTest::newRow("NO shows") << QByteArray("S\r\nNO\r\n(a norma)\r\nA\r\nB\r\n")
                              << QStringList{"S", "NO", "(a norma)", "A", "B"} << true << false;
    QTest::newRow("empty line shows") << QByteArray("S\r\n\r\nx\r\nA\r\nB\r\n")
                                      << QStringList{"S", "", "x", "A", "B"} << true << false;
    QTest::newRow("no with blank shows") << QByteArray("S\r\nno \r\nx\r\nA\r\nB\r\n")
                                         << QStringList{"S", "no ", "x", "A", "B"} << true << false;
    QTest::newRow("extra lines ignored")
        << QByteArray("S\r\nno\r\nx\r\nA\r\nB\r\nsesta\r\nsettima\r\n")
        << QStringList{"S", "no", "x", "A", "B"} << false << false;
    QTest::newRow("lf only") << QByteArray("S\nno\nx\nA\nB\n")
                             << QStringList{"S", "no", "x", "A", "B"} << false << false;
    QTest::newRow("no final line end") << QByteArray("S\r\nno\r\nx\r\nA\r\nB")
                                       << QStringList{"S", "no", "x", "A", "B"} << false << false;
    QTest::newRow("blanks kept") << QByteArray("  S  \r\nsi\r\nx\r\nA\r\nB\r\n")
                                 << QStringList{"  S  ", "si", "x", "A", "B"} << true << false;
    QTest::newRow("short keeps design and frame")
        << QByteArray("S\r\nno\r\nx\r\n") << QStringList{"S", "no", "x", "app.path", "app.path"}
        << true << true;
    QTest::newRow("empty") << QByteArray() << kDesign << true << true;
    QTest::newRow("overlong line")
        << QByteArray(100000, 'x') + "\r\nno\r\nx\r\nA\r\nB\r\n"
        << QStringList{QString(100000, 'x'), "no", "x", "A", "B"} << false << false;
    QByteArray binary;
    for (int i = 0; i < 256; ++i) binary.append(char(i));
    QTest::newRow("binary") << binary << QStringList() << true << true;
  }
  void configurationFile() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    QFETCH(bool, frameShown);
    QFETCH(bool, loadMessage);
    TestEnv env;
    env.writeFile("config.cfg", bytes);
    Form1* w = env.loadMainWindow();
    if (!expected.isEmpty()) QCOMPARE(labels(w), expected);
    QCOMPARE(!w->infostazione->isHidden(), frameShown);
    QCOMPARE(texts(env.dialogs()), loadMessage ? QStringList{kLoadError} : QStringList{});
    for (int k = 0; k < 4; ++k) QVERIFY(w->recordset(ArchiveKind(k)).isOpen());
  }

  void missingConfiguration() {
    TestEnv env;
    QFile::remove(env.path("config.cfg"));
    Form1* w = env.loadMainWindow();
    QCOMPARE(texts(env.dialogs()), QStringList{kLoadError});
    QCOMPARE(env.dialogs().messages[0].icon, MsgIcon::Critical);
    QCOMPARE(env.dialogs().messages[0].title, QStringLiteral("Nubilario"));
    QCOMPARE(labels(w), kDesign);
    QVERIFY(!w->infostazione->isHidden());
    for (int k = 0; k < 4; ++k) QVERIFY(w->recordset(ArchiveKind(k)).isOpen());
  }

  // The station's texts show as they are written, never read as HTML.
  void stationTextsArePlain() {
    TestEnv env;
    env.writeFile("config.cfg",
                  "<b>gras</b>\r\nsi\r\n<font color=red>(a norma)</font>\r\n/n\r\n/r\r\n");
    Form1* w = env.loadMainWindow();
    QCOMPARE(w->nome->text(), QStringLiteral("<b>gras</b>"));
    QCOMPARE(w->anormaa->text(), QStringLiteral("<font color=red>(a norma)</font>"));
    QCOMPARE(w->nome->textFormat(), Qt::PlainText);
    QCOMPARE(w->anormaa->textFormat(), Qt::PlainText);
  }

  // The temporary copies that a write killed halfway left in the data folder
  // are gone after the load; the data files and anything else stay.
  void killedWritesLeaveNothing() {
    TestEnv env;
    const QStringList leftovers{"prpanno.txt.Ab3xYz", "temperature.mdb.q1W2e3"};
    for (const QString& n : leftovers + QStringList{"prpanno.txt.bak"}) env.writeFile(n, "x");
    const QByteArray sheet = env.readFile("prpanno.txt");
    env.loadMainWindow();
    for (const QString& n : leftovers) QVERIFY2(!QFile::exists(env.path(n)), qPrintable(n));
    QVERIFY(QFile::exists(env.path("prpanno.txt.bak")));
    QCOMPARE(env.readFile("prpanno.txt"), sheet);
    QVERIFY(env.dialogs().messages.isEmpty());
  }

  // A missing or unusable archive: its message, the load message, and the
  // archives after it stay closed; the configuration is not read. What is
  // wrong with a file that is there is told first.
  void unusableArchive_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");  // empty: the file is missing
    QTest::addColumn<int>("openArchives");
    QTest::addColumn<QString>("told");  // how the first message starts; empty: none
    QTest::newRow("temperature missing") << "temperature.mdb" << QByteArray() << 0 << "";
    QTest::newRow("rain garbage")
        << "datipluviometrici.mdb" << QByteArray("spazzatura").repeated(500) << 1
        << "Il file datipluviometrici.mdb non è un archivio di Nubilario: non è un database "
           "SQLite.";
    QTest::newRow("snow missing") << "neve.mdb" << QByteArray() << 2 << "";
    QTest::newRow("snow truncated") << "neve.mdb" << QByteArray("SQLite format 3\0\x10\0", 19) << 2
                                    << "Il file neve.mdb è danneggiato.\r\n\r\nDettaglio: ";
  }
  void unusableArchive() {
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(int, openArchives);
    QFETCH(QString, told);
    TestEnv env;
    env.writeFile("config.cfg", "Stazione\r\nno\r\nx\r\nA\r\nB\r\n");
    QFile::remove(env.path(file));
    if (!bytes.isEmpty()) env.writeFile(file, bytes);
    Form1* w = env.loadMainWindow();
    const QStringList shown = texts(env.dialogs());
    QCOMPARE(shown.mid(told.isEmpty() ? 0 : 1), (QStringList{kDbError, kLoadError}));
    if (!told.isEmpty()) QVERIFY2(shown[0].startsWith(told), qPrintable(shown[0]));
    for (int k = 0; k < 4; ++k) QCOMPARE(w->recordset(ArchiveKind(k)).isOpen(), k < openArchives);
    QCOMPARE(w->nome->text(), QStringLiteral("nome della stazione"));
    QVERIFY(!w->infostazione->isHidden());
    QVERIFY(!env.scripted().shell->endedWith.has_value());
    if (!bytes.isEmpty())
      QCOMPARE(env.readFile(file), bytes);  // never repaired or replaced
    else
      QVERIFY(!QFile::exists(env.path(file)));  // never created
  }

  void missingOtherEventsEndsTheProgram() {
    TestEnv env;
    QFile::remove(env.path("altrieventi.mdb"));
    Form1* w = env.mainWindow();
    QVERIFY(!w->Form1_Load());
    QCOMPARE(texts(env.dialogs()),
             QStringList{"Errore durante l'accesso ai database! Nubilario non sarà avviato!"});
    QVERIFY(env.scripted().shell->endedWith.has_value());
  }

  void navigationSwitchesPanelsAndMarkers() {
    TestEnv env;
    Form1* w = env.loadMainWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    auto click = [&](const char* label) {
      auto* l = w->findChild<QLabel*>(label);
      QVERIFY(l);
      QTest::mouseClick(l, Qt::LeftButton, {}, QPoint(l->width() - 20, l->height() / 2));
    };
    const struct {
      const char* label;
      ArchiveKind kind;
    } steps[] = {{"Label3", ArchiveKind::Rain},
                 {"Label1", ArchiveKind::Temperature},
                 {"Label4", ArchiveKind::Snow},
                 {"Label2", ArchiveKind::OtherEvents}};
    for (const auto& s : steps) {
      click(s.label);
      QCOMPARE(w->visiblePanel(), s.kind);
      for (int k = 0; k < 4; ++k) {
        QCOMPARE(w->markerVisible(ArchiveKind(k)), ArchiveKind(k) == s.kind);
        QCOMPARE(w->panel(ArchiveKind(k))->isVisible(), ArchiveKind(k) == s.kind);
      }
    }
    // The sheets switch panels without moving the marker.
    w->showPanel(ArchiveKind::Rain, false);
    QCOMPARE(w->visiblePanel(), ArchiveKind::Rain);
    QVERIFY(w->markerVisible(ArchiveKind::OtherEvents));
    QVERIFY(!w->markerVisible(ArchiveKind::Rain));
  }

  void paneTextsAndFeedback() {
    TestEnv env;
    Form1* w = env.loadMainWindow();
    auto* pane = w->findChild<NavigationPane*>("Picture1");
    QVERIFY(pane);
    QCOMPARE(pane->entryLabel(ArchiveKind::Temperature)->text(), QString(20, ' ') + "Temp.");
    QCOMPARE(pane->entryLabel(ArchiveKind::Snow)->text(), QString(21, ' ') + "Neve   ");
    QCOMPARE(pane->entryLabel(ArchiveKind::OtherEvents)->toolTip(),
             QStringLiteral("Archivia altri eventi meteorologici"));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QLabel* snow = pane->entryLabel(ArchiveKind::Snow);
    QLabel* rain = pane->entryLabel(ArchiveKind::Rain);
    QTest::mouseMove(snow, QPoint(5, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), snow->mapToGlobal(QPointF(5, 5)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(snow, &move);
    QVERIFY(pane->hoverVisible(ArchiveKind::Snow));
    QTest::mousePress(snow, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mousePress(rain, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(pane->pressedVisible(ArchiveKind::Snow));
    QVERIFY(pane->pressedVisible(ArchiveKind::Rain));
    pane->pointerOverBackground();
    QVERIFY(!pane->hoverVisible(ArchiveKind::Snow));
    QVERIFY(!pane->pressedVisible(ArchiveKind::Rain));
    QVERIFY(pane->pressedVisible(ArchiveKind::Snow));  // only its own release hides it
    QTest::mouseRelease(snow, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!pane->pressedVisible(ArchiveKind::Snow));
  }

  void gridSelectionIsCurrentRecord() {
    TestEnv env;
    Form1* w = env.loadMainWindow();
    Recordset& rs = w->recordset(ArchiveKind::Rain);
    for (const char* m : {"Gennaio  2024", "Febbraio  2024", "Marzo  2024"}) {
      rs.addNew();
      rs.setField("Mese e anno", m);
      QVERIFY(rs.update());
    }
    QCOMPARE(w->grid(ArchiveKind::Rain)->currentIndex().row(), 2);  // the new record shows
    w->grid(ArchiveKind::Rain)->selectRow(0);
    QCOMPARE(rs.position(), 0);
    QCOMPARE(rs.field("Mese e anno"), QStringLiteral("Gennaio  2024"));
    rs.moveLast();
    QCOMPARE(w->grid(ArchiveKind::Rain)->currentIndex().row(), 2);
  }

  void closingClosesArchivesInOrder() {
    TestEnv env;
    Form1* w = env.loadMainWindow();
    QStringList order;
    const char* names[] = {"temperature", "rain", "snow", "other"};
    for (int k = 0; k < 4; ++k)
      connect(&w->recordset(ArchiveKind(k)), &Recordset::closed,
              [&order, &names, k] { order << names[k]; });
    w->show();
    w->close();  // deletes itself
    QTRY_VERIFY(env.ctx().existingMainWindow() == nullptr);
    QCOMPARE(order, (QStringList{"temperature", "rain", "snow", "other"}));
  }

  void splashEndsOnceByClick() {
    TestEnv env;
    auto* s = new splash(env.ctx());
    QCOMPARE(s->Timer1.interval(), 2000);
    QVERIFY(s->Timer1.isActive());
    s->show();
    QVERIFY(QTest::qWaitForWindowExposed(s));
    QPointer<splash> alive(s);
    // A click on the picture outside the texts does nothing.
    auto* picture = s->findChild<QWidget*>("Picture1");
    QTest::mouseClick(picture, Qt::LeftButton, {},
                      QPoint(picture->width() - 5, picture->height() - 5));
    QVERIFY(!s->finished());
    QTest::mouseClick(s->findChild<QWidget*>("Label1"), Qt::LeftButton);
    QVERIFY(env.ctx().existingMainWindow());
    QVERIFY(env.ctx().existingMainWindow()->isVisible());
    QTRY_VERIFY(alive.isNull());                    // unloaded
    QCOMPARE(texts(env.dialogs()), QStringList{});  // loaded exactly once
  }

  void splashTimerOpensMainWindow() {
    TestEnv env;
    QPointer<splash> s = new splash(env.ctx());
    s->show();
    s->Timer1_Timer();
    s->Timer1_Timer();  // a second tick cannot load twice
    auto* w = static_cast<Form1*>(env.ctx().existingMainWindow());
    QVERIFY(w && w->isVisible());
    QTRY_VERIFY(s.isNull());
    QVERIFY(w->recordset(ArchiveKind::OtherEvents).isOpen());
  }
};

QTEST_MAIN(tst_startup)
#include "tst_startup.moc"
