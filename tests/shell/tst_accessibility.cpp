// What a screen reader and the eye find: every window announced as a window
// with its title, the archive grids named by what they hold, the long cells
// readable in full, and texts that stand out from what is behind them.

#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QHelpEvent>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolTip>
#include <QWindow>
#include <cmath>
#include <functional>
#include <memory>

#include "climate/clima.h"
#include "history/storico.h"
#include "sheets/archiviopioggia.h"
#include "sheets/medietemperature.h"
#include "sheets/pioggiaanno.h"
#include "shell/cal.h"
#include "shell/celltips.h"
#include "shell/dialog1.h"
#include "shell/splash.h"
#include "summary/mese.h"
#include "testenv.h"
#include "tools/calculator.h"
#include "tools/dewpointt.h"

namespace {

// The contrast ratio of two colours, as the accessibility guidelines count it.
double contrast(const QColor& a, const QColor& b) {
  auto luminance = [](const QColor& c) {
    auto channel = [](int v) {
      const double s = v / 255.0;
      return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

class tst_accessibility : public QObject {
  Q_OBJECT

  std::unique_ptr<TestEnv> env;
  Form1* form = nullptr;

 private Q_SLOTS:
  void initTestCase() { pinItalianLocale(); }
  void init() {
    env = std::make_unique<TestEnv>();
    form = env->loadMainWindow();
  }
  void cleanup() {
    QToolTip::hideText();
    form = nullptr;
    env.reset();
  }

  void windows_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("role");
    for (const char* w : {"Form1", "medietemperature", "archiviopioggia", "pioggiaanno", "mese",
                          "cal", "dewpointt", "Calculator", "storico", "clima"})
      QTest::newRow(w) << w << int(QAccessible::Window);
    QTest::newRow("Dialog1") << "Dialog1" << int(QAccessible::Dialog);
  }

  void windows() {
    QFETCH(QString, window);
    QFETCH(int, role);
    AppContext& ctx = env->ctx();
    QAccessible::Role seen = QAccessible::NoRole;
    QString name, title;
    auto look = [&](QWidget* w) {
      QVERIFY(w);
      QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
      QVERIFY(iface);
      seen = iface->role();
      name = iface->text(QAccessible::Name);
      title = w->windowTitle();
    };
    const std::map<QString, std::function<QWidget*()>> open = {
        {"Form1", [&] { return form; }},
        {"medietemperature",
         [&] { return form->apriMedietemperature(), ctx.existing<medietemperature>(); }},
        {"archiviopioggia",
         [&] { return form->apriArchiviopioggia(), ctx.existing<archiviopioggia>(); }},
        {"pioggiaanno", [&] { return form->apriPioggiaanno(), ctx.existing<pioggiaanno>(); }},
        {"mese", [&] { return form->apriMese(), ctx.existing<mese>(); }},
        {"cal", [&] { return form->risorse_Click(), ctx.existing<cal>(); }},
        {"dewpointt", [&] { return form->apriDewpointt(), ctx.existing<dewpointt>(); }},
        {"Calculator", [&] { return form->calco_Click(), ctx.existing<Calculator>(); }},
        {"storico", [&] { return form->apriStorico(), ctx.existing<storico>(); }},
        {"clima", [&] { return form->clima_Click(), ctx.existing<clima>(); }},
    };
    if (window == QLatin1String("Dialog1")) {
      env->onNextWindow<Dialog1>([&](Dialog1& d) { look(&d); });
      form->opt_Click();
    } else {
      QWidget* w = open.at(window)();
      QVERIFY(w);
      QCOMPARE(w->objectName(), window);
      look(w);
      // Owned by the main window (a dialog to the window manager, which only
      // then keeps it above its owner and out of the task bar).
      if (w != form) {
        QCOMPARE(w->windowType(), Qt::Dialog);
        QVERIFY(w->windowHandle());

        QCOMPARE(w->windowHandle()->transientParent(), form->windowHandle());
      }
    }
    QCOMPARE(int(seen), role);
    QVERIFY(!title.isEmpty());
    QCOMPARE(name, title);
  }

  void gridNames_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QString>("name");
    QTest::newRow("temperature") << int(ArchiveKind::Temperature) << "DataGrid1"
                                 << "Archivio temperature medie mensili";
    QTest::newRow("rain") << int(ArchiveKind::Rain) << "DataGrid2"
                          << "Archivio dati pluviometrici";
    QTest::newRow("snow") << int(ArchiveKind::Snow) << "DataGrid3"
                          << "Archivio eventi nevosi";
    QTest::newRow("other events") << int(ArchiveKind::OtherEvents) << "DataGrid4"
                                  << "Archivio altri eventi meteorologici";
  }

  void gridNames() {
    QFETCH(int, kind);
    QFETCH(QString, grid);
    QFETCH(QString, name);
    QTableView* view = form->grid(ArchiveKind(kind));
    QCOMPARE(view->objectName(), grid);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(view);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Table);
    QCOMPARE(iface->text(QAccessible::Name), name);
  }

  // Parts a screen reader would otherwise announce by their kind alone.
  void partNames_data() {
    QTest::addColumn<QString>("part");
    QTest::addColumn<QString>("name");
    QTest::newRow("calendar's days") << "cal"
                                     << "Giorni del mese";
    QTest::newRow("meteo calculator's pages") << "dewpointt"
                                              << "Calcoli";
    QTest::newRow("climate's pages") << "clima"
                                     << "Resoconto e grafici";
    QTest::newRow("splash") << "splash"
                            << "Nubilario";
  }

  void partNames() {
    QFETCH(QString, part);
    QFETCH(QString, name);
    AppContext& ctx = env->ctx();
    std::unique_ptr<splash> screen;
    QWidget* w = nullptr;
    auto tabsOf = [](QWidget* window) { return window->findChild<QTabWidget*>(); };
    if (part == u"cal") {
      form->risorse_Click();
      w = ctx.existing<cal>()->cale->findChild<QTableView*>();
    } else if (part == u"dewpointt") {
      form->apriDewpointt();
      w = tabsOf(ctx.existing<dewpointt>());
    } else if (part == u"clima") {
      form->apriClima(2024, 3);
      w = tabsOf(ctx.existing<clima>());
    } else {
      screen = std::make_unique<splash>(ctx);
      screen->Timer1.stop();
      w = screen.get();
    }
    QVERIFY(w);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QVERIFY(iface->role() != QAccessible::Client);  // "filler"
  }

  // A marked field still says first which day (or month) it is, in its
  // tooltip and in what a screen reader says of it; a text that is not a
  // number is marked too, and what it means there said.
  void marks_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("tip");
    const QString skipped = QStringLiteral("Attenzione: Non è un numero: escluso dai calcoli");
    const QString stops =
        QStringLiteral("Attenzione: Non è un numero: il totale non si può calcolare");
    QTest::newRow("letter in a minimum") << "medietemperature" << 1 << "a"
                                         << "1° Giorno - " + skipped;
    QTest::newRow("letters in a maximum") << "medietemperature" << 61 << "abc"
                                          << "30° Giorno - " + skipped;
    QTest::newRow("maximum out of range") << "medietemperature" << 61 << "70"
                                          << "30° Giorno - Attenzione: Temperatura fuori "
                                             "dall'intervallo plausibile (da -60 a +60 °C)";
    QTest::newRow("a number") << "medietemperature" << 1 << "-2,5"
                              << "1° Giorno";
    QTest::newRow("letter in a rain day") << "archiviopioggia" << 30 << "x"
                                          << "30° Giorno - " + stops;
    QTest::newRow("rain below zero") << "archiviopioggia" << 30 << "-1"
                                     << "30° Giorno - Attenzione: Precipitazione negativa";
    QTest::newRow("letters in a month") << "pioggiaanno" << 3 << "12x"
                                        << "Marzo - " + stops;
  }

  void marks() {
    QFETCH(QString, window);
    QFETCH(int, cell);
    QFETCH(QString, typed);
    QFETCH(QString, tip);
    AppContext& ctx = env->ctx();
    QLineEdit* field = nullptr;
    if (window == u"medietemperature") {
      form->apriMedietemperature();
      field = ctx.existing<medietemperature>()->Text1[size_t(cell)];
    } else if (window == u"archiviopioggia") {
      form->apriArchiviopioggia();
      field = ctx.existing<archiviopioggia>()->Text1[size_t(cell)];
    } else {
      form->apriPioggiaanno();
      field = ctx.existing<pioggiaanno>()->monthCell(cell);
    }
    field->setText(typed);
    QCOMPARE(field->toolTip(), tip);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(field);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Description), tip);
    // Mended, the field says its day alone again.
    field->setText(QStringLiteral("1"));
    QCOMPARE(field->toolTip(), tip.section(QStringLiteral(" - "), 0, 0));
  }

  // A cell that shows all of its text has no tooltip; one cut shows it whole.
  void cellTips_data() {
    QTest::addColumn<QString>("note");
    QTest::addColumn<bool>("tip");
    QTest::newRow("fits") << "Grandine" << false;
    QTest::newRow("fits, final line break") << "Nessuna nota\r\n" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("wider than the column")
        << "Grandinata violenta con chicchi fino a tre centimetri, danni alle colture e ai tetti"
        << true;
    QTest::newRow("second line") << "Gelo\r\nbrina" << true;
    QTest::newRow("one long word") << "Precipitazioni-nevose-miste-a-pioggia-congelantesi" << true;
    QTest::newRow("markup stays text") << "<b>Tromba d'aria</b> vista a nord-ovest del paese "
                                          "alle 15, durata dieci minuti"
                                       << true;
  }

  void cellTips() {
    QFETCH(QString, note);
    QFETCH(bool, tip);
    Recordset& rs = form->recordset(ArchiveKind::OtherEvents);
    rs.addNew();
    rs.setField(QStringLiteral("Osservazioni"), note);
    QVERIFY(rs.update());
    form->showPanel(ArchiveKind::OtherEvents, true);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QTableView* view = form->grid(ArchiveKind::OtherEvents);
    const int column = rs.fieldNames().indexOf(QStringLiteral("Osservazioni"));
    QVERIFY(column >= 0);
    // A column of 170 points and a row of one line.
    view->setColumnWidth(column, 170);
    view->setRowHeight(0, view->fontMetrics().height() + 4);
    const QModelIndex cell = rs.index(0, column);
    view->scrollTo(cell);
    const QPoint at = view->visualRect(cell).center();
    QHelpEvent hover(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &hover);
    if (tip) {
      QTRY_VERIFY(QToolTip::isVisible());
      QCOMPARE(QToolTip::text(), CellTips::tipText(note));
      QVERIFY(!QToolTip::text().contains(QLatin1String("<b>")));
    } else {
      QTRY_VERIFY(!QToolTip::isVisible());
    }
  }

  // Texts against what stands behind them: at least 4.5 to 1.
  void contrastOfTexts_data() {
    QTest::addColumn<QString>("where");
    QTest::newRow("day numbers of the temperature sheet") << "days";
    QTest::newRow("credit lines of the splash") << "splash";
  }

  void contrastOfTexts() {
    QFETCH(QString, where);
    double worst = 100;
    if (where == QLatin1String("days")) {
      form->apriMedietemperature();
      auto* sheet = env->ctx().existing<medietemperature>();
      QVERIFY(sheet);
      int days = 0;
      for (QLabel* l : sheet->findChildren<QLabel*>()) {
        bool number = false;
        const int day = l->text().toInt(&number);
        if (!number || day < 1 || day > 31 || !l->buddy()) continue;
        ++days;
        const QPalette p = l->palette();
        const auto group = l->isEnabled() ? QPalette::Active : QPalette::Disabled;
        worst = std::min(worst, contrast(p.color(group, l->foregroundRole()),
                                         p.color(group, l->backgroundRole())));
      }
      QCOMPARE(days, 62);
    } else {
      auto* screen = new splash(env->ctx());
      screen->Timer1.stop();
      const QImage sky = screen->findChild<QLabel*>(QStringLiteral("Picture1"))->pixmap().toImage();
      const QPoint skyTop = screen->findChild<QLabel*>(QStringLiteral("Picture1"))->pos();
      for (const char* name : {"Label4", "Label5"}) {
        auto* l = screen->findChild<QLabel*>(QLatin1String(name));
        QVERIFY(l);
        l->ensurePolished();
        const QColor ink = l->palette().color(QPalette::WindowText);
        // Every point of the picture behind the line's text.
        const QRect behind = l->geometry().translated(-skyTop).intersected(sky.rect());
        QVERIFY(!behind.isEmpty());
        for (int y = behind.top(); y <= behind.bottom(); ++y)
          for (int x = behind.left(); x <= behind.right(); ++x)
            worst = std::min(worst, contrast(ink, sky.pixelColor(x, y)));
      }
      delete screen;
    }
    QVERIFY2(worst >= 4.5, qPrintable(QString::number(worst)));
  }
};

QTEST_MAIN(tst_accessibility)
#include "tst_accessibility.moc"
