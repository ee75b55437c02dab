// The four archive entry dialogs: what they show, when they let a record be
// inserted, how their fields take keys, the year spinners and the remembered
// years, and what happens when the record cannot be written.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "archive/dialog3.h"
#include "archive/dialog4.h"
#include "archive/estr.h"
#include "archive/insneve.h"
#include "archivefile.h"
#include "testenv.h"

namespace {

std::unique_ptr<EntryDialog> openDialog(const QString& which, AppContext& ctx) {
  if (which == u"Dialog3") return std::make_unique<Dialog3>(ctx);
  if (which == u"Dialog4") return std::make_unique<Dialog4>(ctx);
  if (which == u"insneve") return std::make_unique<insneve>(ctx);
  if (which == u"estr") return std::make_unique<estr>(ctx);
  qFatal("unknown dialog");
}

ArchiveKind kindOf(const QString& which) {
  if (which == u"Dialog3") return ArchiveKind::Rain;
  if (which == u"Dialog4") return ArchiveKind::Temperature;
  if (which == u"insneve") return ArchiveKind::Snow;
  return ArchiveKind::OtherEvents;
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

QPushButton* okButton(QDialog* d) { return d->findChild<QPushButton*>(QStringLiteral("okbutton")); }

// Field name and text, as shown.
using Texts = QList<QPair<QString, QString>>;

QMap<QString, QString> textsOf(QDialog* d, const QStringList& names) {
  QMap<QString, QString> m;
  for (const QString& n : names) m[n] = textOf(control(d, n));
  return m;
}

}  // namespace

class tst_entrydialogs : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { pinItalianLocale(); }

  void firstOpening_data();
  void firstOpening();
  void requiredFields_data();
  void requiredFields();
  void backspace_data();
  void backspace();
  void decimalPoint_data();
  void decimalPoint();
  void maxLength_data();
  void maxLength();
  void noteLineEndsCountTwo();
  void textSetByCallerKeptWhole();
  void spinner_data();
  void spinner();
  void snowSeason_data();
  void snowSeason();
  void yearCannotBeTyped_data();
  void yearCannotBeTyped();
  void rememberedYears_data();
  void rememberedYears();
  void failedWrite_data();
  void failedWrite();
};

void tst_entrydialogs::firstOpening_data() {
  QTest::addColumn<QString>("dialog");
  QTest::addColumn<QString>("title");
  QTest::addColumn<int>("interval");
  QTest::addColumn<Texts>("texts");
  const QString note = QStringLiteral("Nessuna nota\r\n");
  QTest::newRow("rain") << "Dialog3"
                        << "Inserimento pioggia mensile" << 300
                        << Texts{{"Combo1", "Gennaio"},
                                 {"anno", "2005"},
                                 {"eventi", "0"},
                                 {"totalepioggia", "0"},
                                 {"note", note}};
  QTest::newRow("temperature") << "Dialog4"
                               << "Inserimento temperature medie mensili" << 300
                               << Texts{{"Combo1", "Gennaio"},
                                        {"anno", "2005"},
                                        {"minn", "0"},
                                        {"mass", "0"},
                                        {"note", note}};
  QTest::newRow("snow") << "insneve"
                        << "Inserimento evento nevoso" << 200
                        << Texts{{"Text1", "2005"},
                                 {"Text2", "2006"},
                                 {"giorno", "1"},
                                 {"mese", "Gennaio"},
                                 {"Combo1", "Non rilevato"},
                                 {"Text3", "0"},
                                 {"Text4", "0"},
                                 {"Text5", "0"},
                                 {"Text6", "0"},
                                 {"note", note}};
  QTest::newRow("other events") << "estr"
                                << "Inserimento di altri eventi" << 200
                                << Texts{{"giorno", "1"},
                                         {"mese", "Gennaio"},
                                         {"anno", "2005"},
                                         {"estremieventi", "Grandine"},
                                         {"dati1", "Caratteristiche\r\n"},
                                         {"dati2", "Nessuna osservazione\r\n"}};
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
  QCOMPARE(d->parentWidget(),
           static_cast<QWidget*>(main));  // centred on the main window, no taskbar entry
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
  d->Timer1_Timer();  // a tick that finds nothing changed leaves the button as it is
  QCOMPARE(ok->isEnabled(), !required);
  setTextOf(f, QStringLiteral("1"));
  d->Timer1_Timer();
  QVERIFY(ok->isEnabled());
}

void tst_entrydialogs::backspace_data() {
  QTest::addColumn<QString>("dialog");
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("before");
  QTest::addColumn<QString>("after");
  QTest::addColumn<bool>("enabledAfter");
  const QString multi = QStringLiteral("riga uno\r\nriga due");
  QTest::newRow("rain note") << "Dialog3"
                             << "note" << multi << "" << false;
  QTest::newRow("temperature note") << "Dialog4"
                                    << "note" << multi << "" << false;
  QTest::newRow("snow note") << "insneve"
                             << "note" << multi << "" << false;
  QTest::newRow("characteristics") << "estr"
                                   << "dati1" << multi << "" << false;
  QTest::newRow("observations") << "estr"
                                << "dati2" << multi << "" << false;
  // Other fields lose one character, as usual.
  QTest::newRow("rain total") << "Dialog3"
                              << "totalepioggia"
                              << "12,5"
                              << "12," << true;
  QTest::newRow("snow temperature") << "insneve"
                                    << "Text6"
                                    << "-3"
                                    << "-" << true;
}

void tst_entrydialogs::backspace() {
  QFETCH(QString, dialog);
  QFETCH(QString, field);
  QFETCH(QString, before);
  QFETCH(QString, after);
  QFETCH(bool, enabledAfter);
  TestEnv env;
  auto d = openDialog(dialog, env.ctx());
  d->show();
  QWidget* f = control(d.get(), field);
  setTextOf(f, before);
  f->setFocus();
  QTest::keyClick(f, Qt::Key_Backspace);
  QCOMPARE(textOf(f), after);
  QCOMPARE(okButton(d.get())->isEnabled(), enabledAfter);
  d->Timer1_Timer();
  QCOMPARE(okButton(d.get())->isEnabled(), enabledAfter);
  // Typing again brings the button back at once.
  QTest::keyClicks(f, QStringLiteral("x"));
  QCOMPARE(textOf(f), after + QStringLiteral("x"));
  QVERIFY(okButton(d.get())->isEnabled());
}

void tst_entrydialogs::decimalPoint_data() {
  QTest::addColumn<QString>("dialog");
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("shown");
  QTest::newRow("rain total") << "Dialog3"
                              << "totalepioggia"
                              << "12.5"
                              << "12,5";
  QTest::newRow("rain events") << "Dialog3"
                               << "eventi"
                               << "1.2"
                               << "1.2";
  QTest::newRow("rain note") << "Dialog3"
                             << "note"
                             << "a.b"
                             << "a.b";
  QTest::newRow("minimum") << "Dialog4"
                           << "minn"
                           << "-1.5"
                           << "-1,5";
  QTest::newRow("maximum") << "Dialog4"
                           << "mass"
                           << "12.35"
                           << "12,35";
  QTest::newRow("temperature note") << "Dialog4"
                                    << "note"
                                    << "a.b"
                                    << "a.b";
  QTest::newRow("depth") << "insneve"
                         << "Text3"
                         << "1.5"
                         << "1,5";
  QTest::newRow("melted water") << "insneve"
                                << "Text4"
                                << "12.5"
                                << "12,5";
  QTest::newRow("first extreme") << "insneve"
                                 << "Text5"
                                 << "-2.5"
                                 << "-2,5";
  QTest::newRow("second extreme") << "insneve"
                                  << "Text6"
                                  << "1..0"
                                  << "1,,0";
  QTest::newRow("snow note") << "insneve"
                             << "note"
                             << "a.b"
                             << "a.b";
  QTest::newRow("characteristics") << "estr"
                                   << "dati1"
                                   << "a.b"
                                   << "a.b";
  QTest::newRow("observations") << "estr"
                                << "dati2"
                                << "a.b"
                                << "a.b";
}

void tst_entrydialogs::decimalPoint() {
  QFETCH(QString, dialog);
  QFETCH(QString, field);
  QFETCH(QString, typed);
  QFETCH(QString, shown);
  TestEnv env;
  auto d = openDialog(dialog, env.ctx());
  d->show();
  QWidget* f = control(d.get(), field);
  setTextOf(f, QString());
  f->setFocus();
  QTest::keyClicks(f, typed);
  QCOMPARE(textOf(f), shown);
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

void tst_entrydialogs::textSetByCallerKeptWhole() {
  // The sheets hand over their figures as computed; a field's limit is for typing.
  TestEnv env;
  Dialog4 t(env.ctx());
  t.minn->setText(QStringLiteral("-12,35"));
  t.mass->setText(QStringLiteral("-10,05"));
  QCOMPARE(t.minn->text(), QStringLiteral("-12,35"));
  QCOMPARE(t.mass->text(), QStringLiteral("-10,05"));
  Dialog3 r(env.ctx());
  r.totalepioggia->setText(QStringLiteral("1.234,56"));
  QCOMPARE(r.totalepioggia->text(), QStringLiteral("1.234,56"));
  r.totalepioggia->setText(QStringLiteral("12.345,60"));
  QCOMPARE(r.totalepioggia->text(), QStringLiteral("12.345,60"));
}

void tst_entrydialogs::spinner_data() {
  QTest::addColumn<QString>("dialog");
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("start");
  QTest::addColumn<int>("ups");
  QTest::addColumn<int>("downs");
  QTest::addColumn<QString>("shown");
  QTest::newRow("rain up") << "Dialog3"
                           << "anno"
                           << "2005" << 1 << 0 << "2006";
  QTest::newRow("rain down") << "Dialog3"
                             << "anno"
                             << "2005" << 0 << 3 << "2002";
  QTest::newRow("rain top") << "Dialog3"
                            << "anno"
                            << "2098" << 3 << 0 << "2099";
  QTest::newRow("rain bottom") << "Dialog3"
                               << "anno"
                               << "2001" << 0 << 2 << "2000";
  QTest::newRow("temperature top") << "Dialog4"
                                   << "anno"
                                   << "2099" << 1 << 0 << "2099";
  QTest::newRow("temperature bottom") << "Dialog4"
                                      << "anno"
                                      << "2000" << 0 << 1 << "2000";
  QTest::newRow("temperature back") << "Dialog4"
                                    << "anno"
                                    << "2099" << 1 << 1 << "2098";
  QTest::newRow("snow top") << "insneve"
                            << "Text2"
                            << "2099" << 2 << 0 << "2100";
  QTest::newRow("snow bottom") << "insneve"
                               << "Text2"
                               << "2001" << 0 << 2 << "2000";
  QTest::newRow("events top") << "estr"
                              << "anno"
                              << "2099" << 2 << 0 << "2100";
  QTest::newRow("events bottom") << "estr"
                                 << "anno"
                                 << "2000" << 0 << 1 << "2000";
  QTest::newRow("year out of range") << "estr"
                                     << "anno"
                                     << "2150" << 0 << 1 << "2100";
  QTest::newRow("not a year") << "Dialog3"
                              << "anno"
                              << "abcd" << 1 << 0 << "2000";
}

void tst_entrydialogs::spinner() {
  QFETCH(QString, dialog);
  QFETCH(QString, field);
  QFETCH(QString, start);
  QFETCH(int, ups);
  QFETCH(int, downs);
  QFETCH(QString, shown);
  TestEnv env;
  auto d = openDialog(dialog, env.ctx());
  d->show();
  auto* year = qobject_cast<QLineEdit*>(control(d.get(), field));
  year->setText(start);
  auto* spinner = d->findChild<UpDown*>(QStringLiteral("UpDown1"));
  for (int i = 0; i < ups; ++i) QTest::mouseClick(spinner->upButton(), Qt::LeftButton);
  for (int i = 0; i < downs; ++i) QTest::mouseClick(spinner->downButton(), Qt::LeftButton);
  QCOMPARE(year->text(), shown);
}

void tst_entrydialogs::snowSeason_data() {
  QTest::addColumn<QString>("first");
  QTest::addColumn<QString>("second");
  QTest::addColumn<int>("delta");
  QTest::addColumn<QString>("firstAfter");
  QTest::addColumn<QString>("secondAfter");
  QTest::newRow("up") << "2005"
                      << "2006" << +1 << "2006"
                      << "2007";
  QTest::newRow("down") << "2010"
                        << "2011" << -1 << "2009"
                        << "2010";
  QTest::newRow("pair out of step") << "1999"
                                    << "2003" << +1 << "2003"
                                    << "2004";
  QTest::newRow("top") << "2099"
                       << "2100" << +1 << "2099"
                       << "2100";
  QTest::newRow("bottom") << "1999"
                          << "2000" << -1 << "1999"
                          << "2000";
}

void tst_entrydialogs::snowSeason() {
  QFETCH(QString, first);
  QFETCH(QString, second);
  QFETCH(int, delta);
  QFETCH(QString, firstAfter);
  QFETCH(QString, secondAfter);
  TestEnv env;
  env.ctx().settings().setValue(QStringLiteral("neve"), QStringLiteral("anno1"), first);
  env.ctx().settings().setValue(QStringLiteral("neve"), QStringLiteral("anno2"), second);
  insneve d(env.ctx());
  d.show();
  QCOMPARE(d.Text1->text(), first);
  QCOMPARE(d.Text2->text(), second);
  QTest::mouseClick(delta > 0 ? d.UpDown1->upButton() : d.UpDown1->downButton(), Qt::LeftButton);
  QCOMPARE(d.Text1->text(), firstAfter);
  QCOMPARE(d.Text2->text(), secondAfter);
}

void tst_entrydialogs::yearCannotBeTyped_data() {
  QTest::addColumn<QString>("dialog");
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("afterUpKey");
  QTest::newRow("rain") << "Dialog3"
                        << "anno"
                        << "2006";
  QTest::newRow("temperature") << "Dialog4"
                               << "anno"
                               << "2006";
  QTest::newRow("snow first") << "insneve"
                              << "Text1"
                              << "2005";
  QTest::newRow("snow second") << "insneve"
                               << "Text2"
                               << "2007";
  QTest::newRow("other events") << "estr"
                                << "anno"
                                << "2006";
}

void tst_entrydialogs::yearCannotBeTyped() {
  QFETCH(QString, dialog);
  QFETCH(QString, field);
  QFETCH(QString, afterUpKey);
  TestEnv env;
  auto d = openDialog(dialog, env.ctx());
  d->show();
  auto* year = qobject_cast<QLineEdit*>(control(d.get(), field));
  const QString before = year->text();
  year->setFocus();
  QTest::keyClicks(year, QStringLiteral("19"));
  QTest::keyClick(year, Qt::Key_Backspace);
  QTest::keyClick(year, Qt::Key_Delete);
  QCOMPARE(year->text(), before);
  // From the keyboard the arrow keys work the spinner.
  QTest::keyClick(year, Qt::Key_Up);
  QCOMPARE(year->text(), afterUpKey);
}

void tst_entrydialogs::rememberedYears_data() {
  QTest::addColumn<QString>("dialog");
  QTest::addColumn<QString>("section");
  QTest::addColumn<QStringList>("keys");
  QTest::addColumn<QStringList>("fields");
  QTest::addColumn<QStringList>("stored");
  QTest::addColumn<QStringList>("shown");
  QTest::addColumn<QStringList>("afterUp");
  QTest::newRow("rain") << "Dialog3"
                        << "pioggia" << QStringList{"anno"} << QStringList{"anno"}
                        << QStringList{"2007"} << QStringList{"2007"} << QStringList{"2008"};
  QTest::newRow("rain empty") << "Dialog3"
                              << "pioggia" << QStringList{"anno"} << QStringList{"anno"}
                              << QStringList{""} << QStringList{"2005"} << QStringList{"2006"};
  QTest::newRow("temperature") << "Dialog4"
                               << "temperature" << QStringList{"anno"} << QStringList{"anno"}
                               << QStringList{"2011"} << QStringList{"2011"} << QStringList{"2012"};
  QTest::newRow("snow") << "insneve"
                        << "neve" << QStringList{"anno1", "anno2"} << QStringList{"Text1", "Text2"}
                        << QStringList{"2010", "2011"} << QStringList{"2010", "2011"}
                        << QStringList{"2011", "2012"};
  QTest::newRow("snow one missing")
      << "insneve"
      << "neve" << QStringList{"anno1", "anno2"} << QStringList{"Text1", "Text2"}
      << QStringList{"2010", ""} << QStringList{"2010", "2006"} << QStringList{"2006", "2007"};
  QTest::newRow("other events") << "estr"
                                << "estremi" << QStringList{"anno"} << QStringList{"anno"}
                                << QStringList{"2020"} << QStringList{"2020"}
                                << QStringList{"2021"};
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
  auto storedNow = [&] {
    QStringList s;
    for (const QString& k : keys) s << settings.value(section, k);
    return s;
  };

  {  // Cancelled: nothing remembered.
    auto d = openDialog(dialog, env.ctx());
    for (int i = 0; i < fields.size(); ++i) QCOMPARE(textOf(control(d.get(), fields[i])), shown[i]);
    d->findChild<UpDown*>(QStringLiteral("UpDown1"))->step(+1);
    d->cancelbutton_Click();
    QCOMPARE(d->result(), int(QDialog::Rejected));
    QCOMPARE(storedNow(), stored);
  }
  {  // Inserted: the years shown are remembered and offered next time.
    auto d = openDialog(dialog, env.ctx());
    d->findChild<UpDown*>(QStringLiteral("UpDown1"))->step(+1);
    d->okbutton_Click();
    QCOMPARE(d->result(), int(QDialog::Accepted));
    QCOMPARE(storedNow(), afterUp);
  }
  auto again = openDialog(dialog, env.ctx());
  for (int i = 0; i < fields.size(); ++i)
    QCOMPARE(textOf(control(again.get(), fields[i])), afterUp[i]);
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
    // An archive whose table lacks "Osservazioni" (the other events have one too).
    ArchiveFile a(file);
    QCOMPARE(a.exec(QStringLiteral("ALTER TABLE tab DROP COLUMN \"Osservazioni\"")), QString());
  }
  Form1* main = how == u"archive not open" ? nullptr : env.loadMainWindow();
  if (how == u"write refused") QCOMPARE(ArchiveFile(file).blockInserts(), QString());

  auto d = openDialog(dialog, env.ctx());
  d->show();
  for (const auto& [name, text] : typed) setTextOf(control(d.get(), name), text);
  const QStringList names = [&] {
    QStringList n;
    for (auto* w : d->findChildren<QWidget*>())
      if (qobject_cast<QLineEdit*>(w) || qobject_cast<NoteEdit*>(w) || qobject_cast<QComboBox*>(w))
        n << w->objectName();
    return n;
  }();
  const QMap<QString, QString> before = textsOf(d.get(), names);

  d->okbutton_Click();
  QCOMPARE(env.dialogs().messages.size(), 1);
  const auto& m = env.dialogs().messages.first();
  QCOMPARE(m.text, EntryDialog::kNotSaved);
  QCOMPARE(m.icon, MsgIcon::Critical);
  QCOMPARE(m.buttons, MsgButtons::Ok);
  QCOMPARE(m.title, QStringLiteral("Nubilario"));
  QVERIFY(d->isVisible());
  QCOMPARE(d->result(), int(QDialog::Rejected));
  QCOMPARE(textsOf(d.get(), names), before);
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

QTEST_MAIN(tst_entrydialogs)
#include "tst_entrydialogs.moc"
