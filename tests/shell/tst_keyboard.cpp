// A month's work on the four archives with the keyboard alone: each record
// added, corrected and deleted with keys only, and Tab reaching the buttons of
// every panel's toolbar.

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "testenv.h"

namespace {

// The keys of a step: "@Alt+I" is a key (or a combination), "@wait" waits for
// the dialog's insert button to come on, any other text is typed.
using Keys = QStringList;

QWidget* focused(QWidget* window) {
  QWidget* f = QApplication::focusWidget();
  return f ? f : window;
}

void press(QWidget* window, const Keys& keys) {
  for (const QString& k : keys) {
    if (k == QLatin1String("@wait")) {
      auto* ok = window->findChild<QPushButton*>(QStringLiteral("okbutton"));
      QVERIFY(ok);
      QTRY_VERIFY(ok->isEnabled());
    } else if (k.startsWith(u'@')) {
      QTest::keySequence(focused(window), QKeySequence::fromString(k.mid(1)));
    } else {
      QTest::keyClicks(focused(window), k);
    }
  }
}

}  // namespace

class tst_keyboard : public QObject {
  Q_OBJECT

  std::unique_ptr<TestEnv> env;
  Form1* form = nullptr;

  // The keys typed into the next entry dialog, once it is the active window.
  void inNextDialog(const Keys& keys) {
    env->dialogs().onNextWindow([keys](QDialog& d) {
      QApplication::setActiveWindow(&d);
      QVERIFY(QTest::qWaitForWindowActive(&d));
      press(&d, keys);
      // A button's letter presses it as a click does, in a moment.
      QTRY_VERIFY(!d.isVisible());
    });
  }

  // The main window active again once a dialog closed, as the desktop makes it.
  void backToMain() {
    QApplication::setActiveWindow(form);
    QTRY_COMPARE(QApplication::activeWindow(), form);
  }

 private Q_SLOTS:
  void initTestCase() { pinItalianLocale(); }
  void init() {
    env = std::make_unique<TestEnv>();
    form = env->loadMainWindow();
    form->show();
    QApplication::setActiveWindow(form);
    QVERIFY(QTest::qWaitForWindowActive(form));
  }
  void cleanup() {
    form = nullptr;
    env.reset();
  }

  void recordByKeys_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("panelKey");
    QTest::addColumn<Keys>("add");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("added");
    QTest::addColumn<Keys>("correct");
    QTest::addColumn<QString>("corrected");
    const Keys note = {"@Backspace", "Nota corretta", "@wait", "@Alt+S"};
    QTest::newRow("temperature") << int(ArchiveKind::Temperature) << "F5"
                                 << Keys{"@Alt+I",     "3.1",  "@Alt+X", "12,4",  "@Alt+N",
                                         "@Backspace", "Mite", "@wait",  "@Alt+S"}
                                 << "T Media MAX"
                                 << "12,4 °C" << (Keys{"@Alt+N"} + note) << "Nota corretta";
    QTest::newRow("rain") << int(ArchiveKind::Rain) << "F6"
                          << Keys{"@Alt+N",     "7",         "@Alt+A", "85,4",  "@Alt+O",
                                  "@Backspace", "Temporali", "@wait",  "@Alt+I"}
                          << "Accumulo tot mensile"
                          << "85,4 mm" << (Keys{"@Alt+O"} + note) << "Nota corretta";
    QTest::newRow("snow") << int(ArchiveKind::Snow) << "F7"
                          << Keys{"@Alt+A",   "15",    "@Alt+C", "12,5",   "@Alt+E",
                                  "-2",       "@Tab",  "1",      "@Alt+N", "@Backspace",
                                  "Farinosa", "@wait", "@Alt+S"}
                          << "Temperatura (estremi)"
                          << "-2 °C / 1 °C" << (Keys{"@Alt+N"} + note) << "Nota corretta";
    QTest::newRow("other events") << int(ArchiveKind::OtherEvents) << "F8"
                                  << Keys{"@Alt+C",     "@Backspace", "Chicchi di 2 cm", "@Alt+O",
                                          "@Backspace", "Danni",      "@wait",           "@Alt+I"}
                                  << "Caratteristiche/eventuali dati"
                                  << "Chicchi di 2 cm" << (Keys{"@Alt+O"} + note)
                                  << "Nota corretta";
  }

  // The panel's key, Ins and the dialog; Ctrl+Home, Enter and the dialog; Canc and yes.
  void recordByKeys() {
    QFETCH(int, kind);
    QFETCH(QString, panelKey);
    QFETCH(Keys, add);
    QFETCH(QString, field);
    QFETCH(QString, added);
    QFETCH(Keys, correct);
    QFETCH(QString, corrected);
    const ArchiveKind archive = ArchiveKind(kind);
    Recordset& rs = form->recordset(archive);
    const int column = rs.fieldNames().indexOf(field);
    const int notes = rs.fieldNames().indexOf(QStringLiteral("Osservazioni"));
    QVERIFY(column >= 0 && notes >= 0);

    press(form, {QLatin1Char('@') + panelKey});
    QCOMPARE(form->visiblePanel(), archive);
    QCOMPARE(QApplication::focusWidget(), form->grid(archive));

    inNextDialog(add);
    press(form, {"@Ins"});
    backToMain();
    QCOMPARE(rs.recordCount(), 1);
    QCOMPARE(rs.value(0, column), added);
    QCOMPARE(QApplication::focusWidget(), form->grid(archive));

    inNextDialog(correct);
    press(form, {"@Ctrl+Home", "@Return"});
    backToMain();
    QCOMPARE(rs.recordCount(), 1);
    QCOMPARE(rs.value(0, notes), corrected);

    const qsizetype asked = env->dialogs().messages.size();
    press(form, {"@Ctrl+Home", "@Del"});
    QCOMPARE(env->dialogs().messages.size(), asked + 1);
    QVERIFY(env->dialogs().lastMessage().startsWith(QLatin1String("Cancellare il dato")));
    QCOMPARE(rs.recordCount(), 0);
  }

  // Shift+Tab from the grid reaches the toolbar's "Inserisci", and Space presses it.
  void toolbarInTabChain_data() {
    QTest::addColumn<QString>("panelKey");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("temperature") << "F5"
                                 << "Dialog4";
    QTest::newRow("rain") << "F6"
                          << "Dialog3";
    QTest::newRow("snow") << "F7"
                          << "insneve";
    QTest::newRow("other events") << "F8"
                                  << "estr";
  }

  void toolbarInTabChain() {
    QFETCH(QString, panelKey);
    QFETCH(QString, dialog);
    press(form, {QLatin1Char('@') + panelKey});
    QStringList passed;
    for (int i = 0; i < 4; ++i) {
      press(form, {"@Shift+Tab"});
      auto* b = qobject_cast<QToolButton*>(QApplication::focusWidget());
      if (!b || !b->defaultAction()) break;
      passed << b->defaultAction()->data().toString();
      if (passed.last() == QLatin1String("ins")) break;
    }
    QVERIFY2(passed.size() >= 2 && passed.mid(passed.size() - 2) == QStringList({"cance", "ins"}),
             qPrintable(passed.join(u',')));
    press(form, {"@Space"});
    QCOMPARE(env->dialogs().windowsRun, QStringList{dialog});
  }
};

QTEST_MAIN(tst_keyboard)
#include "tst_keyboard.moc"
