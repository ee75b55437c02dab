// The Options dialog: what it shows, what OK writes to config.cfg and to the
// main window, and what happens when config.cfg cannot be written.

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "rules/textfile.h"
#include "shell/dialog1.h"
#include "testenv.h"

namespace {

QByteArray cfg(const QList<QByteArray>& lines) {
  QByteArray out;
  for (const QByteArray& l : lines) out += l + "\r\n";
  return out;
}

}  // namespace

class tst_options : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestEnv> env;
  Form1* form = nullptr;

  // A fresh folder whose config.cfg holds these bytes (none when null), loaded.
  void start(const QByteArray& config) {
    env = std::make_unique<TestEnv>();
    if (config.isNull())
      QFile::remove(env->path("config.cfg"));
    else
      env->writeFile("config.cfg", config);
    form = env->loadMainWindow();
    env->dialogs().messages.clear();  // the load's own message when config.cfg is missing
  }

  QByteArray folderLine() const { return env->folder().toUtf8(); }

  // "&Opzioni..." from the main window; `step` is what the keeper does in the dialog.
  void options(const std::function<void(Dialog1&)>& step) {
    env->onNextWindow<Dialog1>(step);
    form->opt_Click();
  }

 private Q_SLOTS:
  void initTestCase() { pinItalianLocale(); }
  void cleanup() {
    form = nullptr;
    env.reset();
  }

  void opening_data() {
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("standard");
    QTest::newRow("shown, standard")
        << cfg({"Monte", "si", "(a norma)", "/n", "/r"}) << true << true;
    QTest::newRow("hidden") << cfg({"Monte", "no", "(a norma)", "/n", "/r"}) << false << true;
    QTest::newRow("NO shows") << cfg({"Monte", "NO", "(a norma)", "/n", "/r"}) << true << true;
    QTest::newRow("not standard") << cfg({"Monte", "si", "(non a norma)", "/n", "/r"}) << true
                                  << false;
    QTest::newRow("other case") << cfg({"Monte", "si", "(A norma)", "/n", "/r"}) << true << false;
    QTest::newRow("blank after") << cfg({"Monte", "si", "(a norma) ", "/n", "/r"}) << true << false;
    QTest::newRow("empty line 3") << cfg({"Monte", "si", "", "/n", "/r"}) << true << false;
  }

  void opening() {
    QFETCH(QByteArray, config);
    QFETCH(bool, shown);
    QFETCH(bool, standard);
    start(config);
    options([&](Dialog1& d) {
      QCOMPARE(d.windowTitle(), QStringLiteral("Opzioni"));
      QCOMPARE(d.nome->text(), QStringLiteral("Monte"));
      QCOMPARE(d.Text1->text(), QStringLiteral("/n"));
      QCOMPARE(d.config().riepiloghiMensili, QStringLiteral("/r"));
      QVERIFY(!d.findChild<QLineEdit*>("Text2"));  // never shown
      QCOMPARE(d.caratteristiche->isChecked(), shown);
      QCOMPARE(d.anorma->isChecked(), standard);
      // The name and the standard box follow the "show" box.
      QCOMPARE(d.nome->isEnabled(), shown);
      QCOMPARE(d.anorma->isEnabled(), shown);
      d.caratteristiche->click();
      QCOMPARE(d.nome->isEnabled(), !shown);
      QCOMPARE(d.anorma->isEnabled(), !shown);
    });
    QCOMPARE(env->dialogs().windowsRun, QStringList{"Dialog1"});
  }

  // OK rewrites all five lines; empty folders become the data folder.
  void okWrites_data() {
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QList<QByteArray>>("written");
    const QByteArray base = cfg({"Monte Bar", "si", "(a norma)", "/note", "/riepiloghi"});
    QTest::newRow("unchanged") << base << ""
                               << QList<QByteArray>{"Monte Bar", "si", "(a norma)", "/note",
                                                    "/riepiloghi"};
    QTest::newRow("untick show") << base << "caratteristiche"
                                 << QList<QByteArray>{"Monte Bar", "no", "(a norma)", "/note",
                                                      "/riepiloghi"};
    QTest::newRow("untick standard")
        << base << "anorma"
        << QList<QByteArray>{"Monte Bar", "si", "(non a norma)", "/note", "/riepiloghi"};
    QTest::newRow("notes folder emptied")
        << base << "clear Text1"
        << QList<QByteArray>{"Monte Bar", "si", "(a norma)", "FOLDER", "/riepiloghi"};
    QTest::newRow("default folders")
        << base << "Command4"
        << QList<QByteArray>{"Monte Bar", "si", "(a norma)", "FOLDER", "FOLDER"};
    QTest::newRow("empty folders")
        << cfg({"Monte Bar", "si", "(a norma)", "", ""}) << ""
        << QList<QByteArray>{"Monte Bar", "si", "(a norma)", "FOLDER", "FOLDER"};
    QTest::newRow("empty name") << base << "clear nome"
                                << QList<QByteArray>{"", "si", "(a norma)", "/note", "/riepiloghi"};
    QTest::newRow("accented name, code page")
        << base << "type Ca' Bianca è"
        << QList<QByteArray>{"Ca' Bianca \xe8", "si", "(a norma)", "/note", "/riepiloghi"};
    QTest::newRow("no config.cfg")
        << QByteArray() << ""
        << QList<QByteArray>{"nome della stazione", "si", "(a norma)", "app.path", "app.path"};
    QTest::newRow("short config.cfg")
        << cfg({"Monte Bar", "no"}) << ""
        << QList<QByteArray>{"Monte Bar", "si", "(a norma)", "app.path", "app.path"};
  }

  void okWrites() {
    QFETCH(QByteArray, config);
    QFETCH(QString, action);
    QFETCH(QList<QByteArray>, written);
    start(config);
    int result = -1;
    options([&](Dialog1& d) {
      if (action == "caratteristiche")
        d.caratteristiche->click();
      else if (action == "anorma")
        d.anorma->click();
      else if (action == "clear Text1")
        d.Text1->clear();
      else if (action == "clear nome")
        d.nome->clear();
      else if (action == "Command4")
        d.Command4->click();
      else if (action.startsWith("type ")) {
        d.nome->clear();
        d.nome->insert(action.mid(5));
      }
      d.okbutton->click();
      result = d.result();
    });
    QCOMPARE(result, int(QDialog::Accepted));

    for (QByteArray& line : written)
      if (line == "FOLDER") line = folderLine();
    QCOMPARE(env->readFile("config.cfg"), cfg(written));
    QVERIFY(env->dialogs().messages.isEmpty());

    // The main window takes the same values at once.
    const StationConfig& now = env->ctx().config();
    QCOMPARE(form->nome->text(), textfile::decode(written[0]));
    QCOMPARE(now.mostraInfo, QString::fromLatin1(written[1]));
    QCOMPARE(form->anormaa->text(), QString::fromLatin1(written[2]));
    QCOMPARE(now.percorsoAppunti, QString::fromUtf8(written[3]));
    QCOMPARE(now.riepiloghiMensili, QString::fromUtf8(written[4]));
    const bool shown = written[1] == "si";
    QCOMPARE(form->infostazione->isHidden(), !shown);
    QCOMPARE(form->allfin->isChecked(), shown);
  }

  // Whatever was changed, "Annulla" and the close box keep file and window.
  void cancelKeepsEverything_data() {
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("Annulla") << false;
    QTest::newRow("close box") << true;
  }

  void cancelKeepsEverything() {
    QFETCH(bool, closeBox);
    const QByteArray before = cfg({"Monte Bar", "si", "(a norma)", "/note", "/riepiloghi"});
    start(before);
    int result = -1;
    options([&](Dialog1& d) {
      d.Command4->click();
      d.caratteristiche->click();
      d.anorma->click();
      d.nome->setText(QStringLiteral("Altro"));
      if (closeBox)
        d.close();
      else
        d.cancelbutton->click();
      result = d.result();
    });
    QCOMPARE(result, int(QDialog::Rejected));
    QCOMPARE(env->readFile("config.cfg"), before);
    QCOMPARE(form->nome->text(), QStringLiteral("Monte Bar"));
    QCOMPARE(env->ctx().config().percorsoAppunti, QStringLiteral("/note"));
    QCOMPARE(form->anormaa->text(), QStringLiteral("(a norma)"));
    QVERIFY(!form->infostazione->isHidden());
  }

  void nameLength() {
    start(cfg({"", "si", "(a norma)", "/n", "/r"}));
    options([](Dialog1& d) {
      QTest::keyClicks(d.nome, QStringLiteral("1234567890123456789012X"));
      QCOMPARE(d.nome->text(), QStringLiteral("1234567890123456789012"));
      d.okbutton->click();
    });
    QCOMPARE(form->nome->text(), QStringLiteral("1234567890123456789012"));
  }

  // A longer name put into config.cfg by hand is not cut by opening the dialog.
  void longNameKeptWhole() {
    const QByteArray name = "Osservatorio meteorologico di Monte Bar";
    start(cfg({name, "si", "(a norma)", "/n", "/r"}));
    options([&](Dialog1& d) {
      QCOMPARE(d.nome->text(), QString::fromLatin1(name));
      d.okbutton->click();
    });
    QCOMPARE(env->readFile("config.cfg").split('\r').first(), name);
  }

  void browse_data() {
    QTest::addColumn<std::optional<QString>>("chosen");
    QTest::addColumn<QString>("field");
    QTest::newRow("chosen") << std::optional<QString>("/home/oss/appunti") << "/home/oss/appunti";
    QTest::newRow("cut at NUL") << std::optional<QString>(QString("/dati") + QChar(0) + "junk")
                                << "/dati";
    QTest::newRow("cancelled") << std::optional<QString>() << "/n";
  }

  void browse() {
    QFETCH(std::optional<QString>, chosen);
    QFETCH(QString, field);
    start(cfg({"Monte", "si", "(a norma)", "/n", "/r"}));
    env->dialogs().folders << chosen;
    options([&](Dialog1& d) {
      d.Command1->click();
      QCOMPARE(env->dialogs().browseTitles, QStringList{"Seleziona il percorso:"});
      QCOMPARE(d.Text1->text(), field);
      QCOMPARE(d.config().riepiloghiMensili, QStringLiteral("/r"));  // no browse for it
    });
  }

  void updatePage() {
    start(cfg({"Monte", "si", "(a norma)", "/n", "/r"}));
    options([&](Dialog1& d) {
      d.Command3->click();
      QCOMPARE(env->scripted().shell->pagesOpened,
               QStringList{webpages::address(webpages::Page::W14)});
      QVERIFY(d.isVisible());
    });
  }

  // config.cfg cannot be written: the keeper is told, and the old file stays whole.
  void cannotWrite_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("data folder gone") << "folder";
    QTest::newRow("config.cfg is a folder") << "directory";
  }

  void cannotWrite() {
    QFETCH(QString, how);
    const QByteArray before = cfg({"Monte Bar", "si", "(a norma)", "/note", "/riepiloghi"});
    start(before);
    const QString folder = env->folder();
    const QString away = folder + QStringLiteral(".away");
    if (how == "folder") {
      QVERIFY(QDir().rename(folder, away));
    } else {
      QVERIFY(QFile::remove(env->path("config.cfg")));
      QVERIFY(QDir().mkdir(env->path("config.cfg")));
    }
    options([](Dialog1& d) {
      d.nome->setText(QStringLiteral("Nuovo nome"));
      d.okbutton->click();
    });
    if (how == "folder") QVERIFY(QDir().rename(away, folder));

    const auto& messages = env->dialogs().messages;
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].icon, MsgIcon::Critical);
    QCOMPARE(messages[0].buttons, MsgButtons::Ok);
    QCOMPARE(messages[0].title, QStringLiteral("Nubilario"));
    QVERIFY(messages[0].text.startsWith(QStringLiteral("Impossibile salvare le opzioni")));
    if (how == "folder")
      QCOMPARE(env->readFile("config.cfg"), before);
    else
      QVERIFY(QFileInfo(env->path("config.cfg")).isDir());
    // For this run the main window has the new name.
    QCOMPARE(form->nome->text(), QStringLiteral("Nuovo nome"));
  }

  // "&Opzioni..." then "&Informazioni sulla stazione": the menu toggle and the
  // dialog agree on the frame and the check mark.
  void menuToggleThenDialog() {
    start(cfg({"Monte", "si", "(a norma)", "/n", "/r"}));
    form->allfin->trigger();  // hides the frame
    options([](Dialog1& d) {
      QVERIFY(!d.caratteristiche->isChecked());
      QVERIFY(!d.nome->isEnabled());
      d.caratteristiche->click();
      d.okbutton->click();
    });
    QVERIFY(!form->infostazione->isHidden());
    QVERIFY(form->allfin->isChecked());
    QCOMPARE(env->readFile("config.cfg").split('\n').value(1), QByteArray("si\r"));
  }
};

QTEST_MAIN(tst_options)
#include "tst_options.moc"
