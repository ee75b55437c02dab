// The main window's commands driven offscreen: menus, keys, toolbars, panel
// buttons, deleting records, the toggles, the pages and starting backup.

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QDir>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>
#include <QWindow>
#include <memory>

#include "archive/dialog3.h"
#include "archive/estr.h"
#include "archivefile.h"
#include "rules/undolist.h"
#include "shell/cal.h"
#include "testenv.h"
#include "tools/dialog.h"

namespace {

// "Caption" or "Caption\tKey", "-" for a separator, ">Caption" for a submenu.
QStringList describe(QMenu* menu) {
  QStringList out;
  for (QAction* a : menu->actions()) {
    if (a->isSeparator())
      out << QStringLiteral("-");
    else if (a->menu())
      out << QLatin1Char('>') + a->text();
    else if (!a->shortcut().isEmpty())
      out << a->text() + QLatin1Char('\t') + a->shortcut().toString();
    else
      out << a->text();
  }
  return out;
}

void addRecords(Recordset& rs, int count) {
  for (int i = 0; i < count; ++i) {
    rs.addNew();
    rs.setField(QStringLiteral("Osservazioni"), QStringLiteral("r%1").arg(i + 1));
    QVERIFY(rs.update());
  }
}

}  // namespace

class tst_commands : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestEnv> env;
  Form1* form = nullptr;

  // Triggers a command and returns the objectName of the modal window it
  // opened (closed again at once), or an empty text.
  QString modalOpenedBy(const std::function<void()>& command) {
    const QStringList& run = env->dialogs().windowsRun;
    const qsizetype before = run.size();
    command();
    return run.size() > before ? run.last() : QString();
  }

  QAction* item(const char* name) {
    QAction* a = form->menuItem(QLatin1String(name));
    if (!a) qWarning("no menu item %s", name);
    return a;
  }

 private Q_SLOTS:
  void initTestCase() { pinItalianLocale(); }

  void init() {
    env = std::make_unique<TestEnv>();
    form = env->loadMainWindow();
    QVERIFY(env->dialogs().messages.isEmpty());
  }

  void cleanup() {
    form = nullptr;
    env.reset();
  }

  void menuBar_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("items");
    const QString dash = QStringLiteral("-");
    QTest::newRow("File") << "fi"
                          << "&File"
                          << QStringList{"&Backup dei dati...",
                                         dash,
                                         "&Stampa...\tCtrl+S",
                                         dash,
                                         "&Opzioni...",
                                         dash,
                                         "Inserimento &giornaliero facilitato\tF11",
                                         dash,
                                         "Azzeramento &mensile",
                                         "Azzeramento &annuale",
                                         dash,
                                         "&Esci\tCtrl+E"};
    QTest::newRow("Visualizza") << "visu"
                                << "&Visualizza"
                                << QStringList{"&Calendario", "&Informazioni sulla stazione", dash,
                                               "Finestra a&ppunti\tCtrl+A", "C&alcolatrice "};
    QTest::newRow("Archivio") << "evmeteo"
                              << "&Archivio dati"
                              << QStringList{"&Temperature\tF5",
                                             "&Precipitazioni\tF6",
                                             "&Neve\tF7",
                                             "&Altri eventi\tF8",
                                             dash,
                                             "Inserisci un nuovo &dato...\tIns",
                                             "&Modifica dato selezionato...",
                                             "&Cancella dato selezionato\tDel",
                                             "Annulla &ultima modifica\tCtrl+Z",
                                             dash,

                                             "&Storico giornaliero...\tCtrl+G",
                                             dash,
                                             "&Esporta in CSV...",
                                             "&Importa da CSV..."};
    QTest::newRow("Strumenti") << "stru"
                               << "&Strumenti meteo"
                               << QStringList{"Precipitazioni &giornaliere...\tF2",
                                              "P&recipitazioni anno corrente...\tF4",
                                              dash,
                                              "&Temperature giornaliere e media mensile...\tF3",
                                              dash,
                                              "&Riepilogo Mensile...\tF9",
                                              dash,
                                              "&Calcolatore meteo...",
                                              "C&lima della stazione...\tCtrl+L"};
    QTest::newRow("Risorse") << "riso"
                             << "&Risorse on-line"
                             << QStringList{"Sito del &CML",
                                            "&Meteoforum",
                                            dash,
                                            ">Carte &GFS",
                                            ">Carte &ENS",
                                            "&Altre carte meteo",
                                            "Altre carte meteo (&LAM)",
                                            dash,
                                            "S&paghi",
                                            "&Immagine Meteosat (Europa)",
                                            dash,
                                            "&Sito di Nubilario"};
    QTest::newRow("GFS") << "cartee"
                         << "Carte &GFS"
                         << QStringList{"Geopotenziale e temperatura a 500 HPa",
                                        "Geopotenziale e temperatura a 850 HPa", "Precipitazioni"};
    QTest::newRow("ENS") << "ENS"
                         << "Carte &ENS"
                         << QStringList{"Geopotenziale a 500 mb", "Temperatura a 850 mb"};
    QTest::newRow("?")
        << "boh"
        << "&?"
        << QStringList{
               "&Caratteristiche della nuova versione", "&Guida\tF1", "&Forum di Nubilario",   dash,
               "&Aggiornamenti del software",           dash,         "&Sito web dell'autore", dash,
               "&Informazioni su Nubilario..."};
  }

  void menuBar() {
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(QStringList, items);
    QAction* a = form->menuItem(menu);
    QVERIFY(a && a->menu());
    QCOMPARE(a->text(), caption);
    QCOMPARE(describe(a->menu()), items);
  }

  void menuBarOrder() {
    QStringList top;
    for (QAction* a : form->menuBar()->actions()) top << a->text();
    QCOMPARE(top, (QStringList{"&File", "&Visualizza", "&Archivio dati", "&Strumenti meteo",
                               "&Risorse on-line", "&?"}));
  }

  // Every key reaches its menu item, even with the focus in a grid.
  void keys_data() {
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QString>("item");
    QTest::newRow("Ctrl+S") << QKeySequence(Qt::CTRL | Qt::Key_S) << "printt";
    QTest::newRow("Ctrl+G") << QKeySequence(Qt::CTRL | Qt::Key_G) << "storicogiorni";
    QTest::newRow("Ctrl+E") << QKeySequence(Qt::CTRL | Qt::Key_E) << "esci";
    QTest::newRow("Ctrl+A") << QKeySequence(Qt::CTRL | Qt::Key_A) << "finapp";
    QTest::newRow("F1") << QKeySequence(Qt::Key_F1) << "GUIDAHTML";
    QTest::newRow("F2") << QKeySequence(Qt::Key_F2) << "precmens";
    QTest::newRow("F3") << QKeySequence(Qt::Key_F3) << "medietemp";
    QTest::newRow("F4") << QKeySequence(Qt::Key_F4) << "prpanno";
    QTest::newRow("F5") << QKeySequence(Qt::Key_F5) << "TEMPE";
    QTest::newRow("F6") << QKeySequence(Qt::Key_F6) << "rainn";
    QTest::newRow("F7") << QKeySequence(Qt::Key_F7) << "neve";
    QTest::newRow("F8") << QKeySequence(Qt::Key_F8) << "altriev";
    QTest::newRow("F9") << QKeySequence(Qt::Key_F9) << "riepilogo";
    QTest::newRow("F11") << QKeySequence(Qt::Key_F11) << "insfac";
    QTest::newRow("Ctrl+L") << QKeySequence(Qt::CTRL | Qt::Key_L) << "clima";
    QTest::newRow("Ins") << QKeySequence(Qt::Key_Insert) << "inserisci";
  }

  void keys() {
    QFETCH(QKeySequence, key);
    QFETCH(QString, item);
    form->show();
    QApplication::setActiveWindow(form);
    QVERIFY(QTest::qWaitForWindowActive(form));
    form->grid(ArchiveKind::Temperature)->setFocus();
    QSignalSpy spy(form->menuItem(item), &QAction::triggered);
    // A modal window the command opens is closed again at once.
    QWidget* grid = form->grid(ArchiveKind::Temperature);
    modalOpenedBy([grid, key] { QTest::keySequence(grid, key); });
    QCOMPARE(spy.count(), 1);
  }

  void panelKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("panel");
    QTest::newRow("F6 rain") << int(Qt::Key_F6) << int(ArchiveKind::Rain);
    QTest::newRow("F7 snow") << int(Qt::Key_F7) << int(ArchiveKind::Snow);
    QTest::newRow("F8 other") << int(Qt::Key_F8) << int(ArchiveKind::OtherEvents);
  }

  void panelKeys() {
    QFETCH(int, key);
    QFETCH(int, panel);
    form->show();
    QApplication::setActiveWindow(form);
    QVERIFY(QTest::qWaitForWindowActive(form));
    QTest::keyClick(form, Qt::Key(key));
    QCOMPARE(form->visiblePanel(), ArchiveKind(panel));
    for (int k = 0; k < 4; ++k) QCOMPARE(form->markerVisible(ArchiveKind(k)), k == panel);
    QTest::keyClick(form, Qt::Key_F5);
    QCOMPARE(form->visiblePanel(), ArchiveKind::Temperature);
    QVERIFY(form->markerVisible(ArchiveKind::Temperature));
    QVERIFY(!form->markerVisible(ArchiveKind(panel)));
  }

  void esciEndsAtOnce() {
    item("esci")->trigger();
    QCOMPARE(env->scripted().shell->endedWith, std::optional<int>(0));
    // Nothing is closed: the archives are still open.
    QVERIFY(form->recordset(ArchiveKind::Temperature).isOpen());
  }

  // Every web page: the fixed path after a host of our choice.
  void webPages_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("path");
    QTest::newRow("W1") << "CML"
                        << "/";
    QTest::newRow("W2") << "mf"
                        << "/";
    QTest::newRow("W3") << "geopot500"
                        << "/carte/Avn/500mb.htm";
    QTest::newRow("W4") << "temp850"
                        << "/carte/GFS/850mb.htm";
    QTest::newRow("W5") << "precgfs"
                        << "/carte/GFS/precipitazioni.htm";
    QTest::newRow("W6") << "GEOPOTENS"
                        << "/carte/Ens/ens500mB.htm";
    QTest::newRow("W7") << "TEMPENS"
                        << "/carte/Ens/ens850mB.htm";
    QTest::newRow("W8") << "altrecarte"
                        << "/modelli.asp";
    QTest::newRow("W9") << "carte"
                        << "/";
    QTest::newRow("W10") << "spaghi"
                         << "/mappe/index.php#spaghetti";
    QTest::newRow("W11") << "imgsat"
                         << "/pics/D2u.jpg";
    QTest::newRow("W12") << "mm"
                         << "/nubilario";
    QTest::newRow("W13") << "forummm"
                         << "/forum/viewforum.php";
    QTest::newRow("W14") << "agg"
                         << "/nubilario/versione3_0.htm";
    QTest::newRow("W15") << "miositomenu"
                         << "/";
  }

  void webPages() {
    QFETCH(QString, item);
    QFETCH(QString, path);
    form->menuItem(item)->trigger();
    const QStringList& opened = env->scripted().shell->pagesOpened;
    QCOMPARE(opened.size(), 1);
    const QUrl url(opened.first());
    QVERIFY2(url.isValid() && url.scheme().startsWith(QLatin1String("http")),
             qPrintable(opened.first()));
    QVERIFY(!url.host().isEmpty());
    QCOMPARE(url.path() + (url.hasFragment() ? QLatin1Char('#') + url.fragment() : QString()),
             path);
    QVERIFY(env->dialogs().messages.isEmpty());
  }

  void webPageHosts() {
    using webpages::Page;
    auto host = [](Page p) { return QUrl(webpages::address(p)).host(); };
    // The model maps are on the weather centre's site; the author's page on the product's host.
    for (Page p : {Page::W3, Page::W4, Page::W5, Page::W6, Page::W7, Page::W8})
      QCOMPARE(host(p), host(Page::W1));
    QCOMPARE(host(Page::W15), host(Page::W12));
    const QUrlQuery forum(QUrl(webpages::address(Page::W13)));
    QCOMPARE(forum.queryItemValue(QStringLiteral("f")), QStringLiteral("6"));
    QVERIFY(forum.hasQueryItem(QStringLiteral("sid")));
  }

  // "%1" in a message stands for the page's full path.
  void localPages_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("present");
    QTest::addColumn<bool>("opens");  // whether a program opens the page
    QTest::addColumn<QString>("message");
    const QString missing = QStringLiteral(
        "Impossibile trovare la pagina di presentazione di Nubilario. "
        "Assicurarsi che sia stata installata correttamente.");
    const QString notOpened = QStringLiteral(
        "Nessun programma ha potuto aprire la pagina:\n%1\nAprirla a mano con un browser.");
    QTest::newRow("guide") << "GUIDAHTML"
                           << "guida.htm" << true << true << QString();
    QTest::newRow("guide missing") << "GUIDAHTML"
                                   << "guida.htm" << false << true << QString();
    QTest::newRow("guide, no browser") << "GUIDAHTML"
                                       << "guida.htm" << true << false << notOpened;
    QTest::newRow("presentation") << "guidaa"
                                  << "presentazione.htm" << true << true << QString();
    QTest::newRow("presentation missing") << "guidaa"
                                          << "presentazione.htm" << false << true << missing;
    QTest::newRow("presentation, no browser") << "guidaa"
                                              << "presentazione.htm" << true << false << notOpened;
  }

  void localPages() {
    QFETCH(QString, item);
    QFETCH(QString, file);
    QFETCH(bool, present);
    QFETCH(bool, opens);
    QFETCH(QString, message);
    if (present)
      env->writeFile(file, "<html></html>");
    else
      QFile::remove(env->path(file));
    env->scripted().shell->openSucceeds = opens;
    form->menuItem(item)->trigger();
    const QStringList expected = present ? QStringList{env->path(file)} : QStringList{};
    QCOMPARE(env->scripted().shell->pagesOpened, expected);
    auto& messages = env->dialogs().messages;
    QCOMPARE(messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
      if (message.contains(QLatin1String("%1")))
        message = message.arg(QDir::toNativeSeparators(env->path(file)));
      QCOMPARE(messages[0].text, message);
      QCOMPARE(messages[0].icon, MsgIcon::Critical);
      QCOMPARE(messages[0].buttons, MsgButtons::Ok);
      QCOMPARE(messages[0].title, QStringLiteral("Nubilario"));
    }
  }

  void toolbar1() {
    QStringList seen;
    for (QAction* a : form->Toolbar1->actions())
      seen << (a->isSeparator() ? QStringLiteral("-")
                                : a->data().toString() + '|' + a->text() + '|' + a->toolTip());
    QCOMPARE(seen, (QStringList{"calcolatoremeteo|Calcolatore meteo|Apri Calcolatore meteo", "-",
                                "appunti|Appunti/note|Visualizza/nascondi Finestra appunti", "-",
                                "calco|Riepilogo mese|Apri Riepilogo Mensile", "-",
                                "stampa|Stampa...|Stampa i dati", "-",
                                "risorse|Aggiornamenti|Cerca aggiornamenti di Nubilario"}));
    QVERIFY(form->appunti->isCheckable());
    QCOMPARE(form->appunti, Form1::toolbarButton(form->Toolbar1, QStringLiteral("appunti")));
  }

  // The three ways to the update page open the same address.
  void updatePage() {
    form->menuItem(QStringLiteral("agg"))->trigger();
    Form1::toolbarButton(form->Toolbar1, QStringLiteral("risorse"))->trigger();
    const QStringList& opened = env->scripted().shell->pagesOpened;
    QCOMPARE(opened.size(), 2);
    QCOMPARE(opened[0], webpages::address(webpages::Page::W14));
    QCOMPARE(opened[1], opened[0]);
  }

  void panelToolbars_data() {
    QTest::addColumn<int>("panel");
    QTest::addColumn<QStringList>("buttons");
    const QString ins = QStringLiteral("ins|Inserisci|Inserisci un nuovo dato");
    const QString cance = QStringLiteral("cance|Cancella |Rimuovi un dato");
    QTest::newRow("Toolbar2") << int(ArchiveKind::Temperature)
                              << QStringList{
                                     ins, cance, "-",
                                     "medie|Medie mensili|Inserisci le temperature giornaliere"};
    QTest::newRow("Toolbar3") << int(ArchiveKind::Rain)
                              << QStringList{ins, cance, "-",
                                             "medie|Pioggia |Inserisci pioggia odierna"};
    QTest::newRow("Toolbar4") << int(ArchiveKind::Snow) << QStringList{ins, cance};
    QTest::newRow("Toolbar5") << int(ArchiveKind::OtherEvents) << QStringList{ins, cance};
  }

  void panelToolbars() {
    QFETCH(int, panel);
    QFETCH(QStringList, buttons);
    QStringList seen;
    for (QAction* a : form->panelToolbar(ArchiveKind(panel))->actions())
      seen << (a->isSeparator() ? QStringLiteral("-")
                                : a->data().toString() + '|' + a->text() + '|' + a->toolTip());
    QCOMPARE(seen, buttons);
  }

  void panelButtons_data() {
    QTest::addColumn<int>("panel");
    QTest::addColumn<QStringList>("buttons");
    const QString summary = QStringLiteral("Creare il riepilogo mensile");
    const QString calc = QStringLiteral("Aprire il calcolatore meteo");
    QTest::newRow("temper") << int(ArchiveKind::Temperature)
                            << QStringList{
                                   "Command9|Aprire la finestra \"Temperature giornaliere\"",
                                   "Command5|" + summary, "Command8|" + calc};
    QTest::newRow("pioggia") << int(ArchiveKind::Rain)
                             << QStringList{
                                    "Command10|Aprire la finestra \"Precipitazioni giornaliere\"",
                                    "Command4|" + summary, "Command3|" + calc};
    QTest::newRow("nevedati") << int(ArchiveKind::Snow)
                              << QStringList{"Command6|" + summary, "Command7|" + calc};
    QTest::newRow("altrieventi") << int(ArchiveKind::OtherEvents)
                                 << QStringList{"Command1|" + summary, "Command2|" + calc};
  }

  void panelButtons() {
    QFETCH(int, panel);
    QFETCH(QStringList, buttons);
    QStringList seen;
    for (QPushButton* b : form->panelFrame(ArchiveKind(panel))->findChildren<QPushButton*>())
      seen << b->objectName() + '|' + b->text();
    QCOMPARE(seen, buttons);
  }

  // "Cancella ": delete the selected record; every panel but rain then selects
  // the last record when the deleted one was the last.
  void deleteRecord_data() {
    QTest::addColumn<int>("panel");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<int>("current");
    const int T = int(ArchiveKind::Temperature), R = int(ArchiveKind::Rain),
              S = int(ArchiveKind::Snow), O = int(ArchiveKind::OtherEvents);
    QTest::newRow("temperature last") << T << 3 << 2 << QStringList{"r1", "r2"} << 1;
    QTest::newRow("temperature first") << T << 3 << 0 << QStringList{"r2", "r3"} << 0;
    QTest::newRow("temperature middle") << T << 3 << 1 << QStringList{"r1", "r3"} << 1;
    QTest::newRow("temperature only one") << T << 1 << 0 << QStringList{} << -1;
    QTest::newRow("rain last") << R << 3 << 2 << QStringList{"r1", "r2"} << -1;
    QTest::newRow("rain middle") << R << 3 << 1 << QStringList{"r1", "r3"} << 1;
    QTest::newRow("snow last") << S << 2 << 1 << QStringList{"r1"} << 0;
    QTest::newRow("other events last") << O << 2 << 1 << QStringList{"r1"} << 0;
    QTest::newRow("other events first") << O << 2 << 0 << QStringList{"r2"} << 0;
  }

  void deleteRecord() {
    QFETCH(int, panel);
    QFETCH(int, records);
    QFETCH(int, selected);
    QFETCH(QStringList, left);
    QFETCH(int, current);
    const ArchiveKind kind = ArchiveKind(panel);
    Recordset& rs = form->recordset(kind);
    addRecords(rs, records);
    form->grid(kind)->selectRow(selected);
    QCOMPARE(rs.position(), selected);

    Form1::toolbarButton(form->panelToolbar(kind), QStringLiteral("cance"))->trigger();

    QStringList remaining;
    for (int r = 0; r < rs.recordCount(); ++r)
      remaining << rs.value(r, rs.fieldIndex(QStringLiteral("Osservazioni")));
    QCOMPARE(remaining, left);
    QCOMPARE(rs.position(), current);
    QCOMPARE(form->grid(kind)->selectionModel()->selectedRows().size(), current < 0 ? 0 : 1);
    if (current >= 0) QCOMPARE(form->grid(kind)->currentIndex().row(), current);
    QCOMPARE(env->dialogs().messages.size(), 1);  // the question, answered yes

    // The deletion is on disk: a fresh recordset on the file agrees.
    Recordset check;
    QVERIFY(check.connect(env->path(archiveFileName(kind))));
    QVERIFY(check.open());
    QCOMPARE(check.recordCount(), left.size());
  }

  void deleteOnEmptyArchive_data() {
    QTest::addColumn<int>("panel");
    for (int k = 0; k < 4; ++k) QTest::addRow("panel %d", k) << k;
  }

  void deleteOnEmptyArchive() {
    QFETCH(int, panel);
    const ArchiveKind kind = ArchiveKind(panel);
    QSignalSpy spy(&form->recordset(kind), &Recordset::currentChanged);
    Form1::toolbarButton(form->panelToolbar(kind), QStringLiteral("cance"))->trigger();
    QCOMPARE(form->recordset(kind).recordCount(), 0);
    QCOMPARE(form->recordset(kind).position(), -1);
    QCOMPARE(spy.count(), 0);
    QVERIFY(env->dialogs().messages.isEmpty());
  }

  // The row the keeper clicks is the current record, and "Cancella " removes
  // exactly it, also when the grid showed no selection before the click.
  void clickedRowIsDeleted_data() {
    QTest::addColumn<int>("panel");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("clicked");
    QTest::addColumn<QStringList>("left");
    const int R = int(ArchiveKind::Rain), S = int(ArchiveKind::Snow);
    QTest::newRow("rain, first record inserted") << R << "insert" << 0 << QStringList{};
    QTest::newRow("rain, last row deleted") << R << "delete last" << 1 << QStringList{"r1"};
    QTest::newRow("snow, last row deleted") << S << "delete last" << 0 << QStringList{"r2"};
  }
  void clickedRowIsDeleted() {
    QFETCH(int, panel);
    QFETCH(QString, before);
    QFETCH(int, clicked);
    QFETCH(QStringList, left);
    const ArchiveKind kind = ArchiveKind(panel);
    Recordset& rs = form->recordset(kind);
    QAction* cance = Form1::toolbarButton(form->panelToolbar(kind), QStringLiteral("cance"));
    form->showPanel(kind, true);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    if (before == "insert") {
      Dialog3 entry(env->ctx(), form);
      entry.okbutton_Click();  // a rain insert leaves the current record where it was
      QCOMPARE(rs.recordCount(), 1);
    } else {
      addRecords(rs, 3);
      form->grid(kind)->selectRow(2);
      cance->trigger();
    }
    QTableView* grid = form->grid(kind);
    const QRect cell = grid->visualRect(grid->model()->index(clicked, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(rs.position(), clicked);
    cance->trigger();
    QStringList remaining;
    for (int r = 0; r < rs.recordCount(); ++r)
      remaining << rs.value(r, rs.fieldIndex(QStringLiteral("Osservazioni")));
    QCOMPARE(remaining, left);
  }

  // A right click on the main window's toolbar area offers no menu, so
  // nothing there can hide the toolbar.
  void toolbarCannotBeHidden() {
    std::unique_ptr<QMenu> menu(form->createPopupMenu());
    QVERIFY(!menu);
  }

  // After the last rain record went, a second delete finds no current record.
  void deleteRainAtEndDoesNothing() {
    Recordset& rs = form->recordset(ArchiveKind::Rain);
    addRecords(rs, 2);
    rs.moveLast();
    QAction* cance = Form1::toolbarButton(form->panelToolbar(ArchiveKind::Rain), "cance");
    cance->trigger();
    cance->trigger();
    QCOMPARE(rs.recordCount(), 1);
    QCOMPARE(env->dialogs().messages.size(), 1);  // the second time nothing is asked
  }

  // "Cancella " asks first, naming the record by its first column, and
  // deletes only on yes.
  void deleteAsksFirst_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("left");
    const QString ask = QStringLiteral("Cancellare il dato selezionato?");
    QTest::newRow("yes") << "Marzo  2006" << MsgAnswer::Yes << ask + "\n\nMarzo 2006" << 1;
    QTest::newRow("no") << "Marzo  2006" << MsgAnswer::No << ask + "\n\nMarzo 2006" << 2;
    QTest::newRow("first column empty") << "" << MsgAnswer::Yes << ask << 1;
  }
  void deleteAsksFirst() {
    QFETCH(QString, first);
    QFETCH(MsgAnswer, answer);
    QFETCH(QString, question);
    QFETCH(int, left);
    Recordset& rs = form->recordset(ArchiveKind::Temperature);
    addRecords(rs, 2);
    QStringList values = rs.values(1);
    values[0] = first;
    QVERIFY(rs.updateRecord(1, values));
    rs.setPosition(1);
    env->dialogs().answers << answer;
    Form1::toolbarButton(form->panelToolbar(ArchiveKind::Temperature), "cance")->trigger();
    QCOMPARE(env->dialogs().messages.size(), 1);
    const auto& m = env->dialogs().messages.first();
    QCOMPARE(m.text, question);
    QCOMPARE(m.icon, MsgIcon::None);
    QCOMPARE(m.buttons, MsgButtons::YesNo);
    QCOMPARE(m.title, QStringLiteral("Nubilario"));
    QCOMPARE(rs.recordCount(), left);
    QCOMPARE(form->undoList().size(), 2 - left);
    if (left == 2) QCOMPARE(rs.position(), 1);
  }

  // The ways to correct the current record: each opens the panel's entry
  // dialog in edit mode on it; with no current record nothing opens and the
  // menu item is disabled.
  void editOpensDialog_data() {
    QTest::addColumn<int>("panel");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("window");
    QTest::newRow("menu, temperature") << int(ArchiveKind::Temperature) << "menu"
                                       << "Dialog4";
    QTest::newRow("double click, rain") << int(ArchiveKind::Rain) << "double click"
                                        << "Dialog3";
    QTest::newRow("Enter, other events") << int(ArchiveKind::OtherEvents) << "Enter"
                                         << "estr";
    QTest::newRow("texts the dialog cannot show") << int(ArchiveKind::Snow) << "menu"
                                                  << "modificadato";
    QTest::newRow("no current record") << int(ArchiveKind::Rain) << "none"
                                       << "";
  }
  void editOpensDialog() {
    QFETCH(int, panel);
    QFETCH(QString, how);
    QFETCH(QString, window);
    const ArchiveKind kind = ArchiveKind(panel);
    Recordset& rs = form->recordset(kind);
    const QStringList stored[] = {{"Marzo  2006", "1 °C", "0 °C", "n"},
                                  {"Marzo  2006", "1 evento/i", "2 mm", "n"},
                                  {"Inverno", "", "", "", "", ""},
                                  {"3 Marzo 2006", "Brina", "c", "n"}};
    addRecords(rs, 3);
    QVERIFY(rs.updateRecord(1, stored[panel]));
    form->showPanel(kind, true);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QTableView* grid = form->grid(kind);
    grid->selectRow(how == "none" ? 0 : 1);
    if (how == "none") rs.setPosition(-1);
    QCOMPARE(form->modifica->isEnabled(), how != "none");

    int edited = -1;
    env->onNextWindow<EntryDialog>([&](EntryDialog& d) {
      if (d.isEditing()) edited = rs.position();
    });
    const QString opened = modalOpenedBy([&] {
      if (how == "double click") {
        // What a real double click brings: a press, then the double click.
        const QPoint cell = grid->visualRect(rs.index(1, 0)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
      } else if (how == "Enter") {
        QTest::keyClick(grid, Qt::Key_Return);
      } else {
        form->modifica->trigger();
      }
    });
    QCOMPARE(opened, window);
    QCOMPARE(edited, window.isEmpty() ? -1 : 1);
    QVERIFY(form->undoList().isEmpty());  // closed without saving: nothing to undo
  }

  // Deletions and corrections undone last first, each on disk at once; the
  // item is disabled when nothing is left, and the panel concerned comes forward.
  void undoLastFirst() {
    Recordset& temperature = form->recordset(ArchiveKind::Temperature);
    Recordset& events = form->recordset(ArchiveKind::OtherEvents);
    addRecords(temperature, 3);
    addRecords(events, 1);
    QVERIFY(events.updateRecord(0, {"3 Marzo 2006", "Brina", "c", "n"}));
    QVERIFY(!form->annulla->isEnabled());
    temperature.setPosition(1);
    form->cancella(ArchiveKind::Temperature);
    events.setPosition(0);
    env->onNextWindow<estr>([](estr& d) {
      d.dati1->setText("corretto");
      d.okbutton_Click();
    });
    form->modificaDato(ArchiveKind::OtherEvents);
    QCOMPARE(form->undoList().size(), 2);
    QVERIFY(form->annulla->isEnabled());

    form->annulla->trigger();
    QCOMPARE(form->visiblePanel(), ArchiveKind::OtherEvents);
    const QString eventsFile = env->path(archiveFileName(ArchiveKind::OtherEvents));
    QCOMPARE(ArchiveFile(eventsFile).row(0, {"Caratteristiche/eventuali dati"}),
             QList<QByteArray>{"c"});
    form->showPanel(ArchiveKind::Rain, true);
    form->annulla->trigger();
    QCOMPARE(form->visiblePanel(), ArchiveKind::Temperature);
    QCOMPARE(temperature.position(), 1);
    QCOMPARE(
        ArchiveFile(env->path(archiveFileName(ArchiveKind::Temperature))).row(1, {"Osservazioni"}),
        QList<QByteArray>{"r2"});
    QVERIFY(!form->annulla->isEnabled());
    QCOMPARE(env->dialogs().messages.size(), 1);  // only the question of the deletion
  }

  // An undo that cannot be written says so and stays to be tried again.
  void undoFailureIsReported() {
    Recordset& rs = form->recordset(ArchiveKind::Snow);
    addRecords(rs, 2);
    form->cancella(ArchiveKind::Snow);
    const QString file = env->path(archiveFileName(ArchiveKind::Snow));
    QCOMPARE(ArchiveFile(file).blockInserts(), QString());
    form->show();
    QApplication::setActiveWindow(form);
    QVERIFY(QTest::qWaitForWindowActive(form));
    QTest::keySequence(form, QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(env->dialogs().lastMessage(),
             QStringLiteral("Impossibile scrivere nell'archivio: l'ultima modifica non è stata "
                            "annullata. Verificare che l'archivio non sia protetto da scrittura o "
                            "in uso da un altro programma, quindi riprovare."));
    QCOMPARE(env->dialogs().messages.last().icon, MsgIcon::Critical);
    QCOMPARE(ArchiveFile(file).allowInserts(), QString());
    QTest::keySequence(form, QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(ArchiveFile(file).count(), 2);
    QCOMPARE(env->dialogs().messages.size(), 2);
  }

  void stationToggle() {
    QAction* allfin = form->allfin;
    QVERIFY(!form->infostazione->isHidden());
    allfin->trigger();
    QVERIFY(form->infostazione->isHidden());
    QVERIFY(!allfin->isChecked());
    QCOMPARE(env->ctx().config().mostraInfo, QStringLiteral("no"));
    QCOMPARE(env->scripted().settings->value("stazione", "stazionesino", {}), QStringLiteral("no"));
    allfin->trigger();
    QVERIFY(!form->infostazione->isHidden());
    QVERIFY(allfin->isChecked());
    QCOMPARE(env->ctx().config().mostraInfo, QStringLiteral("si"));
    QCOMPARE(env->scripted().settings->value("stazione", "stazionesino", {}), QStringLiteral("si"));
    // config.cfg is not touched.
    QCOMPARE(env->readFile("config.cfg").split('\n').value(1), QByteArray("si\r"));
  }

  // Opening "&Visualizza" sets the check from line 2 as held, whatever it was before.
  void viewMenuRefreshesCheck_data() {
    QTest::addColumn<QString>("mostrainfo");
    QTest::addColumn<bool>("checked");
    QTest::newRow("si") << "si" << true;
    QTest::newRow("no") << "no" << false;
    QTest::newRow("NO") << "NO" << true;
    QTest::newRow("empty") << "" << true;
  }

  void viewMenuRefreshesCheck() {
    QFETCH(QString, mostrainfo);
    QFETCH(bool, checked);
    StationConfig config = env->ctx().config();
    config.mostraInfo = mostrainfo;
    env->ctx().setConfig(config);
    form->allfin->setChecked(!checked);
    QMenu* visu = form->menuItem(QStringLiteral("visu"))->menu();
    Q_EMIT visu->aboutToShow();
    QCOMPARE(form->allfin->isChecked(), checked);
  }

  void calendarToggle() {
    QAction* risorse = form->risorse;
    QVERIFY(!env->ctx().existing<cal>());
    risorse->trigger();
    cal* c = env->ctx().existing<cal>();
    QVERIFY(c && c->isVisible());
    QVERIFY(risorse->isChecked());
    QCOMPARE(c->windowTitle(), QStringLiteral("Calendario"));
    QCOMPARE(c->cale->selectedDate(), QDate::currentDate());
    QCOMPARE(c->parentWidget(), form);

    // The command hides it and keeps it loaded.
    c->cale->setSelectedDate(QDate::currentDate().addDays(3));
    risorse->trigger();
    QCOMPARE(env->ctx().existing<cal>(), c);
    QVERIFY(!c->isVisible());
    QVERIFY(!risorse->isChecked());
    risorse->trigger();
    QVERIFY(c->isVisible());
    QCOMPARE(c->cale->selectedDate(), QDate::currentDate().addDays(3));

    // Its close box unloads it and leaves the check mark alone.
    QPointer<cal> gone(c);
    c->close();
    QTRY_VERIFY(!gone);
    QVERIFY(risorse->isChecked());
    risorse->trigger();
    c = env->ctx().existing<cal>();
    QVERIFY(c && c->isVisible());
    QCOMPARE(c->cale->selectedDate(), QDate::currentDate());
    QVERIFY(risorse->isChecked());
  }

  void backup_data() {
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<bool>("starts");
    QTest::addColumn<QStringList>("started");
    QTest::addColumn<bool>("ended");
    QTest::addColumn<bool>("reported");
    const QStringList none;
    QTest::newRow("yes") << MsgAnswer::Yes << true << QStringList{"backup"} << true << false;
    QTest::newRow("no") << MsgAnswer::No << true << none << false << false;
    QTest::newRow("missing") << MsgAnswer::Yes << false << QStringList{"backup"} << false << true;
  }

  void backup() {
    QFETCH(MsgAnswer, answer);
    QFETCH(bool, starts);
    QFETCH(QStringList, started);
    QFETCH(bool, ended);
    QFETCH(bool, reported);
    env->dialogs().answers << answer;
    env->scripted().shell->startSucceeds = starts;
    item("back")->trigger();

    auto& messages = env->dialogs().messages;
    QVERIFY(!messages.isEmpty());
    QCOMPARE(messages[0].title, QStringLiteral("Nubilario - Avvio procedura di Backup"));
    QCOMPARE(messages[0].text,
             QStringLiteral("Per poter utilizzare questa utilità è necessario chiudere Nubilario. "
                            "Chiudere adesso il programma?"));
    QCOMPARE(messages[0].icon, MsgIcon::None);
    QCOMPARE(messages[0].buttons, MsgButtons::YesNo);

    QStringList expected;
    for (const QString& name : started) expected << env->path(name);
    QCOMPARE(env->scripted().shell->programsStarted, expected);
    QCOMPARE(env->scripted().shell->endedWith.has_value(), ended);
    QCOMPARE(messages.size(), reported ? 2 : 1);
    if (reported) {
      QCOMPARE(messages[1].text, QStringLiteral("Imposssibile aprire l'utilità di backup. "
                                                "Assicurarsi che sia stata correttamente "
                                                "installata sul computer"));
      QCOMPARE(messages[1].icon, MsgIcon::Critical);
      QCOMPARE(messages[1].title, QStringLiteral("Nubilario"));
    }
  }

  void modalWindows_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("window");
    QTest::newRow("Opzioni") << "opt"
                             << "Dialog1";
    QTest::newRow("Informazioni") << "abouttt"
                                  << "frmAbout";
    QTest::newRow("Stampa...") << "printt"
                               << "stampa";
    QTest::newRow("Stampa... button") << "Toolbar1:stampa"
                                      << "stampa";
  }

  void modalWindows() {
    QFETCH(QString, item);
    QFETCH(QString, window);
    QAction* a = item.startsWith("Toolbar1:")
                     ? Form1::toolbarButton(form->Toolbar1, item.section(':', 1))
                     : form->menuItem(item);
    QVERIFY(a);
    QCOMPARE(modalOpenedBy([a] { a->trigger(); }), window);
    QVERIFY(!QApplication::activeModalWidget());
  }

  void insertOpensEntryDialog_data() {
    QTest::addColumn<int>("panel");
    QTest::addColumn<QString>("window");
    QTest::newRow("Toolbar2") << int(ArchiveKind::Temperature) << "Dialog4";
    QTest::newRow("Toolbar3") << int(ArchiveKind::Rain) << "Dialog3";
    QTest::newRow("Toolbar4") << int(ArchiveKind::Snow) << "insneve";
    QTest::newRow("Toolbar5") << int(ArchiveKind::OtherEvents) << "estr";
  }

  void insertOpensEntryDialog() {
    QFETCH(int, panel);
    QFETCH(QString, window);
    QAction* ins = Form1::toolbarButton(form->panelToolbar(ArchiveKind(panel)), "ins");
    QCOMPARE(modalOpenedBy([ins] { ins->trigger(); }), window);
    // Closed without inserting: the archive is unchanged.
    QCOMPARE(form->recordset(ArchiveKind(panel)).recordCount(), 0);
  }

  // Commands that open owned windows: which windows are showing afterwards.
  void ownedWindows_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("windows");
    const QStringList temp{"medietemperature"}, rain{"archiviopioggia"}, year{"pioggiaanno"},
        summary{"mese"};
    QTest::newRow("F2") << "menu:precmens" << rain;
    QTest::newRow("F3") << "menu:medietemp" << temp;
    QTest::newRow("F4") << "menu:prpanno" << year;
    QTest::newRow("F9") << "menu:riepilogo" << summary;
    QTest::newRow("F11") << "menu:insfac" << QStringList{"archiviopioggia", "medietemperature"};
    QTest::newRow("Riepilogo mese") << "Toolbar1:calco" << summary;
    QTest::newRow("Medie mensili") << "Toolbar2:medie" << temp;
    QTest::newRow("Pioggia ") << "Toolbar3:medie" << rain;
    QTest::newRow("Command9") << "button:Command9" << temp;
    QTest::newRow("Command5") << "button:Command5" << summary;
    QTest::newRow("Command8 current year") << "button:Command8" << year;
    QTest::newRow("Command10") << "button:Command10" << rain;
    QTest::newRow("Command4") << "button:Command4" << summary;
    QTest::newRow("Command6") << "button:Command6" << summary;
    QTest::newRow("Command1") << "button:Command1" << summary;
    const QStringList meteo{"dewpointt"};
    QTest::newRow("Calcolatore meteo...") << "menu:dewpoint" << meteo;
    QTest::newRow("Calcolatore meteo") << "Toolbar1:calcolatoremeteo" << meteo;
    QTest::newRow("Command3") << "button:Command3" << meteo;
    QTest::newRow("Command7") << "button:Command7" << meteo;
    QTest::newRow("Command2") << "button:Command2" << meteo;
  }

  void ownedWindows() {
    QFETCH(QString, command);
    QFETCH(QStringList, windows);
    auto run = [&] {
      const QString kind = command.section(':', 0, 0), name = command.section(':', 1);
      if (kind == "menu")
        form->menuItem(name)->trigger();
      else if (kind == "button")
        form->panelButton(name)->click();
      else
        Form1::toolbarButton(form->findChild<QToolBar*>(kind), name)->trigger();
    };
    auto showing = [] {
      QStringList names;
      for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->objectName() != "Form1") names << w->objectName();
      names.sort();
      return names;
    };
    run();
    QCOMPARE(showing(), windows);
    QList<QWidget*> first;
    for (const QString& name : windows) {
      QWidget* w = form->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
      QVERIFY2(w && w->isWindow(), qPrintable(name));  // owned by the main window
      first << w;
    }
    // A second time: the same windows, brought forward.
    run();
    QCOMPARE(showing(), windows);
    for (int i = 0; i < windows.size(); ++i)
      QCOMPARE(form->findChild<QWidget*>(windows[i], Qt::FindDirectChildrenOnly), first[i]);
    QVERIFY(env->dialogs().messages.isEmpty());
  }

  // A window opened from a sheet is owned by the sheet, and outlives it.
  void ownedByTheSheet_data() {
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("mainActive");
    QTest::newRow("summary from the daily temperatures") << "medietemperature"
                                                         << "Command6"
                                                         << "mese" << false;
    QTest::newRow("summary from the daily rain") << "archiviopioggia"
                                                 << "Command8"
                                                 << "mese" << false;
    QTest::newRow("year from the daily rain") << "archiviopioggia"
                                              << "Command4"
                                              << "pioggiaanno" << false;
    // Its own rule: the focus goes to the main window, the summary stays over the sheet.
    QTest::newRow("summary from the year") << "pioggiaanno"
                                           << "Command8"
                                           << "mese" << true;
  }
  void ownedByTheSheet() {
    QFETCH(QString, sheet);
    QFETCH(QString, button);
    QFETCH(QString, window);
    if (sheet == "medietemperature") form->apriMedietemperature();
    if (sheet == "archiviopioggia") form->apriArchiviopioggia();
    if (sheet == "pioggiaanno") form->apriPioggiaanno();
    QWidget* opener = form->findChild<QWidget*>(sheet, Qt::FindDirectChildrenOnly);
    QVERIFY(opener);
    opener->findChild<QPushButton*>(button)->click();
    QWidget* owned = opener->findChild<QWidget*>(window, Qt::FindDirectChildrenOnly);
    QVERIFY(owned && owned->isVisible());
    QCOMPARE(owned->windowHandle()->transientParent(), opener->windowHandle());
    // Typing in it survives the sheet's closing: the main window owns it then.
    QLineEdit* field = nullptr;
    for (auto* e : owned->findChildren<QLineEdit*>())
      if (!field && !qobject_cast<QAbstractSpinBox*>(e->parentWidget())) field = e;

    field->setText(QStringLiteral("12"));
    env->dialogs().answers << MsgAnswer::No;  // the sheet's own question, if any
    QVERIFY(opener->close());
    QCOMPARE(owned->parentWidget(), form);
    QVERIFY(owned->isVisible());
    QCOMPARE(field->text(), QStringLiteral("12"));
  }

  // The notes window: the menu item checks itself, the toolbar button stays
  // pressed while the window is open, whichever of the two opened it.
  void notesToggle_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("menu, menu") << "menu"
                                << "menu";
    QTest::newRow("button, button") << "button"
                                    << "button";
    QTest::newRow("menu, button") << "menu"
                                  << "button";
    QTest::newRow("button, menu") << "button"
                                  << "menu";
    QTest::newRow("menu, close box") << "menu"
                                     << "close";
  }

  void notesToggle() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    auto use = [this](const QString& how) {
      if (how == "menu")
        form->finapp->trigger();
      else if (how == "button")
        form->appunti->trigger();
      else
        env->ctx().existing<Dialog>()->close();
    };
    use(first);
    Dialog* notes = env->ctx().existing<Dialog>();
    QVERIFY(notes && notes->isVisible());
    QVERIFY(!notes->isModal());
    QVERIFY(form->appunti->isChecked());
    QVERIFY(form->finapp->isChecked());
    QPointer<Dialog> gone(notes);
    use(second);
    QTRY_VERIFY(!gone);  // unloaded
    QVERIFY(!form->appunti->isChecked());
    QVERIFY(!form->finapp->isChecked());
    // And open again.
    use(first == "button" ? "button" : "menu");
    QVERIFY(env->ctx().existing<Dialog>() && env->ctx().existing<Dialog>()->isVisible());
    QVERIFY(form->appunti->isChecked());
  }
};

QTEST_MAIN(tst_commands)
#include "tst_commands.moc"
