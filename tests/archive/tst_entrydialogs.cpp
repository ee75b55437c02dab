// The four archive entry dialogs: what they show, when they let a record be
// inserted, how their fields take keys, the year spinners and the remembered
// years, the values they point out, and what happens when the record cannot
// be written.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "archive/archivewindows.h"
#include "archive/dialog3.h"
#include "archive/dialog4.h"
#include "archive/estr.h"
#include "archive/insneve.h"
#include "archivefile.h"
#include "common/fieldwarning.h"
#include "testenv.h"

namespace {

ArchiveKind kindOf(const QString& which) {
  for (ArchiveKind kind : kArchiveKinds)
    if (archiveDescriptor(kind).entryWindow == which) return kind;
  qFatal("no archive has the entry dialog %s", qPrintable(which));
}

std::unique_ptr<EntryDialog> openDialog(const QString& which, AppContext& ctx) {
  return archivewindows::newEntryDialog(kindOf(which), ctx, nullptr);
}

QWidget* control(QDialog* d, const QString& name) {
  auto* w = d->findChild<QWidget*>(name);
  if (!w) qFatal("no control %s", qPrintable(name));
  return w;
}

QString textOf(QWidget* w) {
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
  if (auto* n = qobject_cast<NoteEdit*>(w)) return n->text();
  if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
  return {};
}

void setTextOf(QWidget* w, const QString& text) {
  if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(text);
  if (auto* n = qobject_cast<NoteEdit*>(w)) n->setText(text);
}

// Every text the dialog shows, by control name.
QMap<QString, QString> allTexts(QDialog* d) {
  QMap<QString, QString> m;
  for (QWidget* w : d->findChildren<QWidget*>())
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<NoteEdit*>(w) || qobject_cast<QComboBox*>(w))
      m[w->objectName()] = textOf(w);
  return m;
}

QPushButton* okButton(QDialog* d) { return d->findChild<QPushButton*>(QStringLiteral("okbutton")); }
UpDown* spinnerOf(QDialog* d) { return d->findChild<UpDown*>(QStringLiteral("UpDown1")); }

// Field name and text.
using Texts = QList<QPair<QString, QString>>;

}  // namespace

class tst_entrydialogs : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { pinItalianLocale(); }

  // Every kind of archive has all its parts, and no two kinds share a name.
  void everyKindComplete();

  void firstOpening_data();
  void firstOpening();
  void requiredFields_data();
  void requiredFields();
  void typing_data();
  void typing();
  void maxLength_data();
  void maxLength();
  void noteLineEndsCountTwo();
  void spinner_data();
  void spinner();
  void yearOnlyFromSpinner();
  void rememberedYears_data();
  void rememberedYears();
  void failedWrite_data();
  void failedWrite();
  void warnings_data();
  void warnings();
};

void tst_entrydialogs::everyKindComplete() {
  TestEnv env;
  QSet<QString> names;
  for (ArchiveKind kind : kArchiveKinds) {
    const ArchiveDescriptor& d = archiveDescriptor(kind);
    QCOMPARE(d.kind, kind);
    const auto dialog = archivewindows::newEntryDialog(kind, env.ctx(), nullptr);
    QVERIFY(dialog);
    QCOMPARE(dialog->objectName(), d.entryWindow);
    QVERIFY(!archivewindows::picture(kind).isNull());
    QVERIFY(!d.columns.isEmpty());
    for (const QString& c : d.keyColumns + QStringList{d.minimumColumn, d.maximumColumn})
      QVERIFY2(c.isEmpty() || d.columnNames.contains(c), qPrintable(c));
    QVERIFY(!d.keyColumns.isEmpty());
    for (const QString& name :
         QStringList{d.fileName, d.title, d.csvName, d.csvFileName, d.printOption.caption,
                     QLatin1String(d.panel.grid), QLatin1String(d.menuItem.name),
                     QLatin1String(d.printOption.name), QLatin1String(d.navigation.label)}) {
      QVERIFY2(!name.isEmpty() && !names.contains(name), qPrintable(name));
      names << name;
    }
  }
}

void tst_entrydialogs::firstOpening_data() {
  QTest::addColumn<QString>("dialog");
  QTest::addColumn<QString>("title");
  QTest::addColumn<int>("interval");
  QTest::addColumn<Texts>("texts");
  const QString note = QStringLiteral("Nessuna nota\r\n");
  // clang-format off
  QTest::newRow("rain") << "Dialog3" << "Inserimento pioggia mensile" << 300 << Texts{
      {"Combo1", "Gennaio"}, {"anno", "2005"}, {"eventi", "0"}, {"totalepioggia", "0"},
      {"note", note}};
  QTest::newRow("temperature") << "Dialog4" << "Inserimento temperature medie mensili" << 300
      << Texts{{"Combo1", "Gennaio"}, {"anno", "2005"}, {"minn", "0"}, {"mass", "0"},
               {"note", note}};
  QTest::newRow("snow") << "insneve" << "Inserimento evento nevoso" << 200 << Texts{
      {"Text1", "2005"}, {"Text2", "2006"}, {"giorno", "1"}, {"mese", "Gennaio"},
      {"Combo1", "Non rilevato"}, {"Text3", "0"}, {"Text4", "0"}, {"Text5", "0"},
      {"Text6", "0"}, {"note", note}};
  QTest::newRow("other events") << "estr" << "Inserimento di altri eventi" << 200 << Texts{
      {"giorno", "1"}, {"mese", "Gennaio"}, {"anno", "2005"}, {"estremieventi", "Grandine"},
      {"dati1", "Caratteristiche\r\n"}, {"dati2", "Nessuna osservazione\r\n"}};
  // clang-format on
}

void tst_entrydialogs::firstOpening() {
  QFETCH(QString, dialog);
  QFETCH(QString, title);
  QFETCH(int, interval);
  QFETCH(Texts, texts);
  TestEnv env;
  Form1* main = env.loadMainWindow();
  auto d = openDialog(dialog, env.ctx());
  QCOMPARE(d->windowTitle(), title);
  QVERIFY(d->isModal());
  QCOMPARE(d->parentWidget(), static_cast<QWidget*>(main));  // centred on it, no taskbar entry
  for (const auto& [name, text] : texts) QCOMPARE(textOf(control(d.get(), name)), text);
  auto* timer = d->findChild<QTimer*>(QStringLiteral("Timer1"));
  QVERIFY(timer && timer->isActive());
  QCOMPARE(timer->interval(), interval);
  d->Timer1_Timer();
  QVERIFY(okButton(d.get())->isEnabled());
  QVERIFY(okButton(d.get())->isDefault());
}

void tst_entrydialogs::requiredFields_data() {
  QTest::addColumn<QString>("dialog");
  QTest::addColumn<QString>("field");
  QTest::addColumn<bool>("required");
  const QList<std::tuple<const char*, const char*, bool>> rows = {
      {"Dialog3", "note", true},   {"Dialog3", "totalepioggia", true},
      {"Dialog3", "eventi", true}, {"Dialog3", "anno", false},
      {"Dialog4", "mass", true},   {"Dialog4", "minn", true},
      {"Dialog4", "note", true},   {"Dialog4", "anno", false},
      {"insneve", "Text3", true},  {"insneve", "Text4", true},
      {"insneve", "Text5", true},  {"insneve", "Text6", true},
      {"insneve", "note", true},   {"insneve", "Text1", false},
      {"insneve", "Text2", false}, {"estr", "dati1", true},
      {"estr", "dati2", true},     {"estr", "anno", false},
  };
  for (const auto& [dialog, field, required] : rows)
    QTest::addRow("%s %s", dialog, field) << dialog << field << required;
}

void tst_entrydialogs::requiredFields() {
  QFETCH(QString, dialog);
  QFETCH(QString, field);
  QFETCH(bool, required);
  TestEnv env;
  auto d = openDialog(dialog, env.ctx());
  QWidget* f = control(d.get(), field);
  QPushButton* ok = okButton(d.get());
  setTextOf(f, QString());
  d->Timer1_Timer();
  QCOMPARE(ok->isEnabled(), !required);
  d->Timer1_Timer();
  QCOMPARE(ok->isEnabled(), !required);
  setTextOf(f, QStringLiteral("1"));
  d->Timer1_Timer();
  QVERIFY(ok->isEnabled());
}

void tst_entrydialogs::typing_data() {
  // Keys typed into a field holding `before`; "\b" is Backspace.
  QTest::addColumn<QString>("dialog");
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("before");
  QTest::addColumn<QString>("keys");
  QTest::addColumn<QString>("after");
  QTest::addColumn<bool>("enabled");  // the insert button, before the next tick
  const QString two = QStringLiteral("riga uno\r\nriga due");
  // clang-format off
  // Backspace empties a note at once; typing brings the button back.
  QTest::newRow("rain note") << "Dialog3" << "note" << two << "\b" << "" << false;
  QTest::newRow("rain note again") << "Dialog3" << "note" << two << "\bx" << "x" << true;
  QTest::newRow("temperature note") << "Dialog4" << "note" << two << "\b" << "" << false;
  QTest::newRow("snow note") << "insneve" << "note" << two << "\b" << "" << false;
  QTest::newRow("characteristics") << "estr" << "dati1" << two << "\b" << "" << false;
  QTest::newRow("observations") << "estr" << "dati2" << two << "\b.x" << ".x" << true;
  // Elsewhere Backspace takes one character.
  QTest::newRow("rain total back") << "Dialog3" << "totalepioggia" << "12,5" << "\b" << "12," << true;
  QTest::newRow("snow temperature back") << "insneve" << "Text6" << "-3" << "\b" << "-" << true;
  // The decimal point becomes a comma in the number fields only.
  QTest::newRow("rain total") << "Dialog3" << "totalepioggia" << "" << "12.5" << "12,5" << true;
  QTest::newRow("rain events") << "Dialog3" << "eventi" << "" << "1.2" << "1.2" << true;
  QTest::newRow("minimum") << "Dialog4" << "minn" << "" << "-1.5" << "-1,5" << true;
  QTest::newRow("maximum") << "Dialog4" << "mass" << "" << "12.35" << "12,35" << true;
  QTest::newRow("temperature note") << "Dialog4" << "note" << "" << "a.b" << "a.b" << true;
  QTest::newRow("depth") << "insneve" << "Text3" << "" << "1.5" << "1,5" << true;
  QTest::newRow("melted water") << "insneve" << "Text4" << "" << "12.5" << "12,5" << true;
  QTest::newRow("first extreme") << "insneve" << "Text5" << "" << "-2.5" << "-2,5" << true;
  QTest::newRow("second extreme") << "insneve" << "Text6" << "" << "1..0" << "1,,0" << true;
  QTest::newRow("snow note point") << "insneve" << "note" << "" << "a.b" << "a.b" << true;
  QTest::newRow("characteristics point") << "estr" << "dati1" << "" << "a.b" << "a.b" << true;
  // clang-format on
}

void tst_entrydialogs::typing() {
  QFETCH(QString, dialog);
  QFETCH(QString, field);
  QFETCH(QString, before);
  QFETCH(QString, keys);
  QFETCH(QString, after);
  QFETCH(bool, enabled);
  TestEnv env;
  auto d = openDialog(dialog, env.ctx());
  d->show();
  QWidget* f = control(d.get(), field);
  setTextOf(f, before);
  f->setFocus();
  for (QChar k : keys) {
    if (k == u'\b')
      QTest::keyClick(f, Qt::Key_Backspace);
    else
      QTest::keyClicks(f, QString(k));
  }
  QCOMPARE(textOf(f), after);
  QCOMPARE(okButton(d.get())->isEnabled(), enabled);
}

void tst_entrydialogs::maxLength_data() {
  QTest::addColumn<QString>("dialog");
  QTest::addColumn<QString>("field");
  QTest::addColumn<int>("max");
  const QList<std::tuple<const char*, const char*, int>> rows = {
      {"Dialog3", "eventi", 4}, {"Dialog3", "totalepioggia", 8}, {"Dialog3", "note", 57},
      {"Dialog4", "minn", 5},   {"Dialog4", "mass", 5},          {"Dialog4", "note", 75},
      {"insneve", "Text3", 4},  {"insneve", "Text4", 8},         {"insneve", "Text5", 5},
      {"insneve", "Text6", 50}, {"insneve", "note", 57},         {"estr", "dati1", 78},
      {"estr", "dati2", 78},
  };
  for (const auto& [dialog, field, max] : rows)
    QTest::addRow("%s %s", dialog, field) << dialog << field << max;
}

void tst_entrydialogs::maxLength() {
  QFETCH(QString, dialog);
  QFETCH(QString, field);
  QFETCH(int, max);
  TestEnv env;
  auto d = openDialog(dialog, env.ctx());
  d->show();
  QWidget* f = control(d.get(), field);
  setTextOf(f, QString());
  f->setFocus();
  QTest::keyClicks(f, QString(max + 3, QLatin1Char('7')));
  QCOMPARE(textOf(f), QString(max, QLatin1Char('7')));
  // Text put in at once: a note keeps what fits, a one-line field refuses it.
  setTextOf(f, QString(max - 2, QLatin1Char('1')));
  if (auto* e = qobject_cast<QLineEdit*>(f)) {
    e->end(false);
    e->insert(QStringLiteral("234"));
    e->insert(QStringLiteral("23"));
  } else {
    auto* n = qobject_cast<NoteEdit*>(f);
    n->moveCursor(QTextCursor::End);
    n->insertPlainText(QStringLiteral("2345"));
  }
  QCOMPARE(textOf(f), QString(max - 2, QLatin1Char('1')) + QStringLiteral("23"));
  // A text handed over by a sheet is not cut to the typing limit.
  const QString longer(max + 2, QLatin1Char('9'));
  if (auto* e = qobject_cast<QLineEdit*>(f)) {
    e->setText(longer);
    QCOMPARE(e->text(), longer);
  }
}

void tst_entrydialogs::noteLineEndsCountTwo() {
  // The stored note has CR LF line ends, and the limit counts them as stored.
  TestEnv env;
  Dialog3 d(env.ctx());
  d.show();
  d.note->setText(QString());
  d.note->setFocus();
  QTest::keyClicks(d.note, QString(54, QLatin1Char('a')));
  QTest::keyClick(d.note, Qt::Key_Return);
  QTest::keyClicks(d.note, QStringLiteral("bc"));
  QCOMPARE(d.note->text(), QString(54, QLatin1Char('a')) + QStringLiteral("\r\nb"));
  QCOMPARE(d.note->length(), 57);
  QTest::keyClick(d.note, Qt::Key_Return);
  QCOMPARE(d.note->text(), QString(54, QLatin1Char('a')) + QStringLiteral("\r\nb"));
}

void tst_entrydialogs::spinner_data() {
  QTest::addColumn<QString>("dialog");
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("start");
  QTest::addColumn<int>("clicks");  // positive: up arrow, negative: down arrow
  QTest::addColumn<QString>("shown");
  QTest::addColumn<QString>("firstYear");  // the snow dialog's Text1 afterwards
  // clang-format off
  QTest::newRow("rain up") << "Dialog3" << "anno" << "2005" << 1 << "2006" << "";
  QTest::newRow("rain down") << "Dialog3" << "anno" << "2005" << -3 << "2002" << "";
  QTest::newRow("rain top") << "Dialog3" << "anno" << "2098" << 3 << "2099" << "";
  QTest::newRow("rain bottom") << "Dialog3" << "anno" << "2001" << -2 << "2000" << "";
  QTest::newRow("temperature top") << "Dialog4" << "anno" << "2099" << 1 << "2099" << "";
  QTest::newRow("temperature bottom") << "Dialog4" << "anno" << "2000" << -1 << "2000" << "";
  QTest::newRow("snow up") << "insneve" << "Text2" << "2006" << 1 << "2007" << "2006";
  QTest::newRow("snow down") << "insneve" << "Text2" << "2011" << -1 << "2010" << "2009";
  QTest::newRow("snow top") << "insneve" << "Text2" << "2099" << 2 << "2100" << "2099";
  QTest::newRow("snow bottom") << "insneve" << "Text2" << "2001" << -2 << "2000" << "1999";
  QTest::newRow("events top") << "estr" << "anno" << "2099" << 2 << "2100" << "";
  QTest::newRow("events bottom") << "estr" << "anno" << "2000" << -1 << "2000" << "";
  QTest::newRow("year out of range") << "estr" << "anno" << "2150" << -1 << "2100" << "";
  QTest::newRow("not a year") << "Dialog3" << "anno" << "abcd" << 1 << "2000" << "";
  // clang-format on
}

void tst_entrydialogs::spinner() {
  QFETCH(QString, dialog);
  QFETCH(QString, field);
  QFETCH(QString, start);
  QFETCH(int, clicks);
  QFETCH(QString, shown);
  QFETCH(QString, firstYear);
  TestEnv env;
  auto d = openDialog(dialog, env.ctx());
  d->show();
  auto* year = qobject_cast<QLineEdit*>(control(d.get(), field));
  year->setText(start);
  QToolButton* arrow =
      clicks > 0 ? spinnerOf(d.get())->upButton() : spinnerOf(d.get())->downButton();
  for (int i = 0; i < qAbs(clicks); ++i) QTest::mouseClick(arrow, Qt::LeftButton);
  QCOMPARE(year->text(), shown);
  if (!firstYear.isEmpty()) QCOMPARE(textOf(control(d.get(), QStringLiteral("Text1"))), firstYear);
}

void tst_entrydialogs::yearOnlyFromSpinner() {
  TestEnv env;
  for (const QString which : {"Dialog3", "Dialog4", "insneve", "estr"}) {
    auto d = openDialog(which, env.ctx());
    d->show();
    // The read-only fields are the years; typing leaves them as they are.
    int years = 0;
    for (auto* year : d->findChildren<QLineEdit*>()) {
      if (!year->isReadOnly()) continue;
      ++years;
      const QString before = year->text();
      year->setFocus();
      QTest::keyClicks(year, QStringLiteral("19"));
      QTest::keyClick(year, Qt::Key_Backspace);
      QTest::keyClick(year, Qt::Key_Delete);
      QCOMPARE(year->text(), before);
    }
    QCOMPARE(years, which == u"insneve" ? 2 : 1);
    // From the keyboard, the arrow keys in the year field work the spinner.
    const QString field = which == u"insneve" ? QStringLiteral("Text2") : QStringLiteral("anno");
    auto* year = qobject_cast<QLineEdit*>(control(d.get(), field));
    const int before = year->text().toInt();
    QTest::keyClick(year, Qt::Key_Up);
    QCOMPARE(year->text().toInt(), before + 1);
  }
}

void tst_entrydialogs::rememberedYears_data() {
  QTest::addColumn<QString>("dialog");
  QTest::addColumn<QString>("section");
  QTest::addColumn<QStringList>("keys");
  QTest::addColumn<QStringList>("fields");
  QTest::addColumn<QStringList>("stored");
  QTest::addColumn<QStringList>("shown");
  QTest::addColumn<QStringList>("afterUp");
  const QStringList anno{"anno"};
  // clang-format off
  QTest::newRow("rain") << "Dialog3" << "pioggia" << anno << anno
      << QStringList{"2007"} << QStringList{"2007"} << QStringList{"2008"};
  QTest::newRow("rain empty") << "Dialog3" << "pioggia" << anno << anno
      << QStringList{""} << QStringList{"2005"} << QStringList{"2006"};
  QTest::newRow("temperature") << "Dialog4" << "temperature" << anno << anno
      << QStringList{"2011"} << QStringList{"2011"} << QStringList{"2012"};
  QTest::newRow("snow") << "insneve" << "neve" << QStringList{"anno1", "anno2"}
      << QStringList{"Text1", "Text2"} << QStringList{"2010", "2011"}
      << QStringList{"2010", "2011"} << QStringList{"2011", "2012"};
  QTest::newRow("snow one missing") << "insneve" << "neve" << QStringList{"anno1", "anno2"}
      << QStringList{"Text1", "Text2"} << QStringList{"2010", ""}
      << QStringList{"2010", "2006"} << QStringList{"2006", "2007"};
  QTest::newRow("other events") << "estr" << "estremi" << anno << anno
      << QStringList{"2020"} << QStringList{"2020"} << QStringList{"2021"};
  // clang-format on
}

void tst_entrydialogs::rememberedYears() {
  QFETCH(QString, dialog);
  QFETCH(QString, section);
  QFETCH(QStringList, keys);
  QFETCH(QStringList, fields);
  QFETCH(QStringList, stored);
  QFETCH(QStringList, shown);
  QFETCH(QStringList, afterUp);
  TestEnv env;
  env.loadMainWindow();
  SettingsStore& settings = env.ctx().settings();
  for (int i = 0; i < keys.size(); ++i) settings.setValue(section, keys[i], stored[i]);
  auto remembered = [&] {
    QStringList s;
    for (const QString& k : keys) s << settings.value(section, k);
    return s;
  };
  auto shownBy = [&](QDialog* d) {
    QStringList s;
    for (const QString& f : fields) s << textOf(control(d, f));
    return s;
  };

  auto cancelled = openDialog(dialog, env.ctx());
  QCOMPARE(shownBy(cancelled.get()), shown);
  spinnerOf(cancelled.get())->step(+1);
  cancelled->cancelbutton_Click();
  QCOMPARE(cancelled->result(), int(QDialog::Rejected));
  QCOMPARE(remembered(), stored);

  auto inserted = openDialog(dialog, env.ctx());
  spinnerOf(inserted.get())->step(+1);
  inserted->okbutton_Click();
  QCOMPARE(inserted->result(), int(QDialog::Accepted));
  QCOMPARE(remembered(), afterUp);
  QCOMPARE(shownBy(openDialog(dialog, env.ctx()).get()), afterUp);
}

void tst_entrydialogs::failedWrite_data() {
  QTest::addColumn<QString>("dialog");
  QTest::addColumn<QString>("how");
  QTest::addColumn<Texts>("typed");
  const Texts rain{{"eventi", "7"}, {"totalepioggia", "85,4"}, {"note", "Temporale\r\nforte"}};
  const Texts temperature{{"mass", "12,35"}, {"minn", "-3,1"}, {"note", "Mite"}};
  const Texts snow{{"Text3", "15"}, {"Text4", "12,5"}, {"Text5", "-2"}, {"Text6", "1"}};
  const Texts events{{"dati1", "Chicchi da 2 cm"}, {"dati2", "Danni\r\n"}};
  for (const QString how : {"write refused", "archive not open", "field missing"}) {
    QTest::addRow("rain, %s", qPrintable(how)) << "Dialog3" << how << rain;
    QTest::addRow("temperature, %s", qPrintable(how)) << "Dialog4" << how << temperature;
    QTest::addRow("snow, %s", qPrintable(how)) << "insneve" << how << snow;
    QTest::addRow("other events, %s", qPrintable(how)) << "estr" << how << events;
  }
}

void tst_entrydialogs::failedWrite() {
  QFETCH(QString, dialog);
  QFETCH(QString, how);
  QFETCH(Texts, typed);
  TestEnv env;
  const QString file = env.path(archiveFileName(kindOf(dialog)));
  if (how == u"field missing") {
    // A damaged archive whose table lacks "Osservazioni".
    QCOMPARE(ArchiveFile(file).exec(QStringLiteral("ALTER TABLE tab DROP COLUMN Osservazioni")),
             QString());
  }
  Form1* main = how == u"archive not open" ? nullptr : env.loadMainWindow();
  if (how == u"write refused") QCOMPARE(ArchiveFile(file).blockInserts(), QString());

  auto d = openDialog(dialog, env.ctx());
  d->show();
  for (const auto& [name, text] : typed) setTextOf(control(d.get(), name), text);
  const QMap<QString, QString> before = allTexts(d.get());

  d->okbutton_Click();
  QCOMPARE(env.dialogs().messages.size(), 1);
  const auto& m = env.dialogs().messages.first();
  QCOMPARE(m.text, EntryDialog::kNotSaved);
  QCOMPARE(m.icon, MsgIcon::Critical);
  QCOMPARE(m.buttons, MsgButtons::Ok);
  QCOMPARE(m.title, QStringLiteral("Nubilario"));
  QVERIFY(d->isVisible());
  QCOMPARE(d->result(), int(QDialog::Rejected));
  QCOMPARE(allTexts(d.get()), before);
  QCOMPARE(ArchiveFile(file).count(), 0);
  if (main) QCOMPARE(main->recordset(kindOf(dialog)).recordCount(), 0);

  if (how == u"write refused") {
    // Once the archive can be written again, the same texts go in, once.
    QCOMPARE(ArchiveFile(file).allowInserts(), QString());
    d->okbutton_Click();
    QCOMPARE(env.dialogs().messages.size(), 1);
    QCOMPARE(d->result(), int(QDialog::Accepted));
    QVERIFY(!d->isVisible());
    QCOMPARE(ArchiveFile(file).count(), 1);
    QCOMPARE(main->recordset(kindOf(dialog)).recordCount(), 1);
  }
}

void tst_entrydialogs::warnings_data() {
  // The archive's months ("Marzo  2006"), the record being corrected (-1: a
  // new one), what the keeper types or picks in order, and every field marked
  // afterwards with its reasons.
  QTest::addColumn<QString>("dialog");
  QTest::addColumn<QStringList>("months");
  QTest::addColumn<int>("editing");
  QTest::addColumn<Texts>("input");
  QTest::addColumn<QStringList>("marked");
  const QString range =
      QStringLiteral("Temperatura fuori dall'intervallo plausibile (da -60 a +60 °C)");
  const QString march = QStringLiteral("L'archivio ha già un dato per Marzo 2006");
  const QString january = QStringLiteral("L'archivio ha già un dato per Gennaio 2005");
  const QStringList none;
  const QStringList marchTwice{"Marzo  2006", "Marzo  2006"};
  const Texts inMarch{{"Combo1", "Marzo"}, {"anno", "2006"}};
  // clang-format off
  QTest::newRow("maximum too high") << "Dialog4" << none << -1 << Texts{{"mass", "61"}}
      << QStringList{"mass: " + range};
  QTest::newRow("mended") << "Dialog4" << none << -1 << Texts{{"mass", "61"}, {"mass", "6"}}
      << none;
  QTest::newRow("both out of range and crossed") << "Dialog4" << none << -1
      << Texts{{"minn", "-61"}, {"mass", "-70"}}
      << QStringList{"mass: " + range + "|La minima (-61,00 °C) supera la massima (-70,00 °C)",
                     "minn: " + range + "|La minima (-61,00 °C) supera la massima (-70,00 °C)"};
  QTest::newRow("temperature, month already there") << "Dialog4" << QStringList{"Marzo  2006"}
      << -1 << inMarch << QStringList{"Combo1: " + march, "anno: " + march};
  QTest::newRow("correcting the only March") << "Dialog4" << QStringList{"Marzo  2006"} << 0
      << Texts{} << none;
  QTest::newRow("correcting one of two Marches") << "Dialog4" << marchTwice << 1 << Texts{}
      << QStringList{"Combo1: " + march, "anno: " + march};
  QTest::newRow("letters in a mean") << "Dialog4" << none << -1 << Texts{{"mass", "abc"}}
      << QStringList{"mass: Non è un numero: escluso dai calcoli"};
  QTest::newRow("letter after a total") << "Dialog3" << none << -1
      << Texts{{"totalepioggia", "12x"}}
      << QStringList{"totalepioggia: Non è un numero: escluso dai calcoli"};
  QTest::newRow("negative total") << "Dialog3" << none << -1 << Texts{{"totalepioggia", "-1"}}
      << QStringList{"totalepioggia: Precipitazione negativa"};
  QTest::newRow("rain, opened on a month already there") << "Dialog3"
      << QStringList{"Gennaio  2005"} << -1 << Texts{}
      << QStringList{"Combo1: " + january, "anno: " + january};
  QTest::newRow("rain, year moved onto it") << "Dialog3" << marchTwice << -1
      << Texts{{"Combo1", "Marzo"}, {"anno", "2005"}, {"anno", "2006"}}
      << QStringList{"Combo1: " + march, "anno: " + march};
  QTest::newRow("snow, every value unlikely") << "insneve" << none << -1
      << Texts{{"Text3", "-1"}, {"Text4", "-0,5"}, {"Text5", "-61"}, {"Text6", "61"}}
      << QStringList{"Text3: Valore negativo", "Text4: Valore negativo", "Text5: " + range,
                     "Text6: " + range};
  // clang-format on
}

void tst_entrydialogs::warnings() {
  QFETCH(QString, dialog);
  QFETCH(QStringList, months);
  QFETCH(int, editing);
  QFETCH(Texts, input);
  QFETCH(QStringList, marked);
  TestEnv env;
  Form1* main = env.loadMainWindow();
  Recordset& rs = main->recordset(kindOf(dialog));
  const bool rain = dialog == u"Dialog3";
  for (const QString& month : months) {
    rs.addNew();
    rs.setField(QStringLiteral("Mese e anno"), month);
    rs.setField(rain ? "N° eventi con prp" : "T Media MAX", rain ? "1 evento/i" : "1 °C");
    rs.setField(rain ? "Accumulo tot mensile" : "T Media MIN", rain ? "2 mm" : "0 °C");
    rs.setField(QStringLiteral("Osservazioni"), QStringLiteral("n"));
    QVERIFY(rs.update());
  }
  auto d = openDialog(dialog, env.ctx());
  if (editing >= 0) QVERIFY(d->editRecord(editing));
  d->show();
  for (const auto& [name, text] : input) {
    QWidget* f = control(d.get(), name);
    if (auto* c = qobject_cast<QComboBox*>(f)) {
      c->setCurrentIndex(c->findText(text));
    } else if (auto* e = qobject_cast<QLineEdit*>(f); e && e->isReadOnly()) {
      e->setText(text);  // as its spinner does
    } else {
      setTextOf(f, QString());
      f->setFocus();
      QTest::keyClicks(f, text);
    }
  }
  QStringList seen;
  for (QWidget* w : d->findChildren<QWidget*>())
    if (fieldwarning::marked(w))
      seen << w->objectName() + QStringLiteral(": ") + fieldwarning::reasons(w).join('|');
  seen.sort();
  QCOMPARE(seen, marked);
  // The marks only warn: the insert button follows its own rules.
  d->Timer1_Timer();
  QVERIFY(okButton(d.get())->isEnabled());
}

QTEST_MAIN(tst_entrydialogs)
#include "tst_entrydialogs.moc"
