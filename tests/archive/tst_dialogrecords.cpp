// The records the entry dialogs add: read back from the archive file byte for
// byte, shown as the last row of the main window's grid, and which row is
// current afterwards; the records they correct in place, and the plain editor
// of the records they cannot show.

#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "archive/dialog3.h"
#include "archive/dialog4.h"
#include "archive/estr.h"
#include "archive/insneve.h"
#include "archive/modificadato.h"
#include "archivefile.h"
#include "testenv.h"

namespace {

struct Archive {
  ArchiveKind kind;
  QStringList columns;  // in the order the table defines them
};

Archive archiveOf(const QString& dialog) {
  if (dialog == u"Dialog3")
    return {ArchiveKind::Rain,
            {"Mese e anno", "N° eventi con prp", "Accumulo tot mensile", "Osservazioni"}};
  if (dialog == u"Dialog4")
    return {ArchiveKind::Temperature,
            {"Mese e anno", "T Media MAX", "T Media MIN", "Osservazioni"}};
  if (dialog == u"insneve")
    return {ArchiveKind::Snow,
            {"Inverno", "Tipo di neve", "Accumulo (in cm)", "Accumulo equivalente (in mm)",
             "Temperatura (estremi)", "Osservazioni"}};
  return {ArchiveKind::OtherEvents,
          {"Data", "evento", "Caratteristiche/eventuali dati", "Osservazioni"}};
}

std::unique_ptr<EntryDialog> openDialog(const QString& which, AppContext& ctx) {
  if (which == u"Dialog3") return std::make_unique<Dialog3>(ctx);
  if (which == u"Dialog4") return std::make_unique<Dialog4>(ctx);
  if (which == u"insneve") return std::make_unique<insneve>(ctx);
  return std::make_unique<estr>(ctx);
}

// Control name and what the user does with it: a list entry picked, or text
// typed from the keyboard into the emptied field ("\n" is the Enter key).
using Input = QList<QPair<QString, QString>>;

void enter(QDialog* d, const QString& name, const QString& value) {
  QWidget* w = d->findChild<QWidget*>(name);
  QVERIFY2(w, qPrintable(name));
  if (auto* c = qobject_cast<QComboBox*>(w)) {
    const int i = c->findText(value);
    QVERIFY2(i >= 0, qPrintable(value));
    c->setCurrentIndex(i);
    return;
  }
  if (auto* e = qobject_cast<QLineEdit*>(w)) e->clear();
  if (auto* n = qobject_cast<NoteEdit*>(w)) n->clear();
  w->setFocus();
  const QStringList lines = value.split(QLatin1Char('\n'));
  for (int i = 0; i < lines.size(); ++i) {
    if (i > 0) QTest::keyClick(w, Qt::Key_Return);
    QTest::keyClicks(w, lines[i]);
  }
}

void addRecords(Recordset& rs, int count) {
  for (int i = 0; i < count; ++i) {
    rs.addNew();
    rs.setField(rs.fieldNames().first(), QStringLiteral("esistente %1").arg(i + 1));
    QVERIFY(rs.update());
  }
}

// Three records, the middle one with these texts by column ("<null>": never
// written), and the middle one current.
void storeThree(Recordset& rs, const QStringList& columns, const QStringList& texts) {
  addRecords(rs, 1);
  rs.addNew();
  for (int c = 0; c < columns.size(); ++c)
    if (texts.value(c) != u"<null>") rs.setField(columns[c], texts.value(c));
  QVERIFY(rs.update());
  addRecords(rs, 1);
  rs.setPosition(1);
}

QList<QByteArray> utf8(const QStringList& texts) {
  QList<QByteArray> bytes;
  for (const QString& t : texts) bytes << (t == u"<null>" ? QByteArray() : t.toUtf8());
  return bytes;
}

}  // namespace

class tst_dialogrecords : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { pinItalianLocale(); }
  void storedRecord_data();
  void storedRecord();
  void currentRecord_data();
  void currentRecord();
  void fromTheToolbar_data();
  void fromTheToolbar();
  void correctRecord_data();
  void correctRecord();
  void plainEditor_data();
  void plainEditor();
  void failedCorrection();
};

void tst_dialogrecords::storedRecord_data() {
  QTest::addColumn<QString>("dialog");
  QTest::addColumn<QStringList>("years");  // remembered before opening: section, key, value...
  QTest::addColumn<int>("spins");          // clicks on the spinner's up arrow
  QTest::addColumn<Input>("input");
  QTest::addColumn<Input>("handedOver");  // set by a sheet before showing
  QTest::addColumn<QList<QByteArray>>("stored");

  using Bytes = QList<QByteArray>;
  // The degree sign and the o with umlaut as UTF-8, the archive's text encoding.
#define DEG "\xC2\xB0"
  // clang-format off
  QTest::newRow("rain, March 2006") << "Dialog3" << QStringList{"pioggia", "anno", "2006"} << 0
      << Input{{"Combo1", "Marzo"}, {"eventi", "7"}, {"totalepioggia", "85.4"},
               {"note", "Temporali\ngrandine il 12"}} << Input{}
      << Bytes{"Marzo  2006", "7 evento/i", "85,4 mm", "Temporali\r\ngrandine il 12"};
  QTest::newRow("rain, as opened") << "Dialog3" << QStringList{} << 1 << Input{} << Input{}
      << Bytes{"Gennaio  2006", "0 evento/i", "0 mm", "Nessuna nota\r\n"};
  QTest::newRow("rain, from the daily sheet") << "Dialog3" << QStringList{} << 0
      << Input{{"Combo1", "Dicembre"}, {"eventi", "12"}} << Input{{"totalepioggia", "1.234,56"}}
      << Bytes{"Dicembre  2005", "12 evento/i", "1.234,56 mm", "Nessuna nota\r\n"};
  QTest::newRow("temperature") << "Dialog4" << QStringList{"temperature", "anno", "2010"} << 0
      << Input{{"Combo1", "Luglio"}, {"mass", "31.4"}, {"minn", "-1.5"}, {"note", "Afa\n"}}
      << Input{} << Bytes{"Luglio  2010", "31,4 " DEG "C", "-1,5 " DEG "C", "Afa\r\n"};
  QTest::newRow("temperature, from the daily sheet") << "Dialog4" << QStringList{} << 0
      << Input{{"Combo1", "Febbraio"}} << Input{{"mass", "12,35"}, {"minn", "-12,35"}}
      << Bytes{"Febbraio  2005", "12,35 " DEG "C", "-12,35 " DEG "C", "Nessuna nota\r\n"};
  QTest::newRow("snow, 12 January") << "insneve" << QStringList{} << 0
      << Input{{"giorno", "12"}, {"mese", "Gennaio"}, {"Combo1", "Farinosa"}, {"Text3", "15"},
               {"Text4", "12.5"}, {"Text5", "-2"}, {"Text6", "1"}, {"note", "Gelo"}} << Input{}
      << Bytes{"Inverno 2005/2006 (12 Gennaio)", "Farinosa", "15 cm", "12,5 mm",
               "-2 " DEG "C / 1 " DEG "C", "Gelo"};
  QTest::newRow("snow, next winter, day not in month") << "insneve"
      << QStringList{"neve", "anno1", "2009", "neve", "anno2", "2010"} << 1
      << Input{{"giorno", "31"}, {"mese", "Febbraio"}, {"Text6", "-0.5 (notte)"}} << Input{}
      << Bytes{"Inverno 2010/2011 (31 Febbraio)", "Non rilevato", "0 cm", "0 mm",
               "0 " DEG "C / -0,5 (notte) " DEG "C", "Nessuna nota\r\n"};
  QTest::newRow("other events, foehn") << "estr" << QStringList{"estremi", "anno", "2006"} << 0
      << Input{{"giorno", "3"}, {"mese", "Marzo"}, {"estremieventi", "Föhn"},
               {"dati1", "Raffiche 80 km/h"}, {"dati2", "Cielo terso.\nSecco"}} << Input{}
      << Bytes{"3 Marzo 2006", "F\xC3\xB6hn", "Raffiche 80 km/h", "Cielo terso.\r\nSecco"};
  QTest::newRow("other events, default texts") << "estr" << QStringList{} << 0 << Input{}
      << Input{}
      << Bytes{"1 Gennaio 2005", "Grandine", "Caratteristiche\r\n", "Nessuna osservazione\r\n"};
  // clang-format on
#undef DEG
}

void tst_dialogrecords::storedRecord() {
  QFETCH(QString, dialog);
  QFETCH(QStringList, years);
  QFETCH(int, spins);
  QFETCH(Input, input);
  QFETCH(Input, handedOver);
  QFETCH(QList<QByteArray>, stored);
  TestEnv env;
  Form1* main = env.loadMainWindow();
  for (int i = 0; i + 2 < years.size(); i += 3)
    env.ctx().settings().setValue(years[i], years[i + 1], years[i + 2]);
  const Archive archive = archiveOf(dialog);
  Recordset& rs = main->recordset(archive.kind);
  addRecords(rs, 2);

  auto d = openDialog(dialog, env.ctx());
  for (const auto& [name, text] : handedOver) d->findChild<QLineEdit*>(name)->setText(text);
  d->show();
  for (const auto& [name, value] : input) enter(d.get(), name, value);
  auto* spinner = d->findChild<UpDown*>(QStringLiteral("UpDown1"));
  for (int i = 0; i < spins; ++i) QTest::mouseClick(spinner->upButton(), Qt::LeftButton);
  d->Timer1_Timer();
  QVERIFY(d->findChild<QPushButton*>(QStringLiteral("okbutton"))->isEnabled());
  QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("okbutton")), Qt::LeftButton);

  QCOMPARE(d->result(), int(QDialog::Accepted));
  QVERIFY(!d->isVisible());
  QVERIFY(env.dialogs().messages.isEmpty());
  ArchiveFile file(env.path(archiveFileName(archive.kind)));
  QCOMPARE(file.count(), 3);
  QCOMPARE(file.row(2, archive.columns), stored);
  // The grid shows it at once as its last row.
  QAbstractItemModel* model = main->grid(archive.kind)->model();
  QCOMPARE(model->rowCount(), 3);
  for (int c = 0; c < archive.columns.size(); ++c) {
    const int column = rs.fieldIndex(archive.columns[c]);
    QCOMPARE(model->index(2, column).data().toString(), QString::fromUtf8(stored[c]));
  }
}

void tst_dialogrecords::currentRecord_data() {
  QTest::addColumn<QString>("dialog");
  QTest::addColumn<int>("records");
  QTest::addColumn<int>("current");  // -1: none
  QTest::addColumn<int>("after");
  // Rain leaves the current row where it was; the others select the new record.
  QTest::newRow("rain, first current") << "Dialog3" << 2 << 0 << 0;
  QTest::newRow("rain, none current") << "Dialog3" << 2 << -1 << -1;
  QTest::newRow("rain, empty archive") << "Dialog3" << 0 << -1 << -1;
  QTest::newRow("temperature") << "Dialog4" << 2 << 0 << 2;
  QTest::newRow("temperature, empty archive") << "Dialog4" << 0 << -1 << 0;
  QTest::newRow("snow") << "insneve" << 3 << 1 << 3;
  QTest::newRow("other events") << "estr" << 1 << -1 << 1;
}

void tst_dialogrecords::currentRecord() {
  QFETCH(QString, dialog);
  QFETCH(int, records);
  QFETCH(int, current);
  QFETCH(int, after);
  TestEnv env;
  Form1* main = env.loadMainWindow();
  const ArchiveKind kind = archiveOf(dialog).kind;
  Recordset& rs = main->recordset(kind);
  addRecords(rs, records);
  rs.setPosition(current);
  QCOMPARE(rs.position(), current);

  auto d = openDialog(dialog, env.ctx());
  d->okbutton_Click();
  QCOMPARE(d->result(), int(QDialog::Accepted));
  QCOMPARE(rs.recordCount(), records + 1);
  QCOMPARE(rs.position(), after);
  const QModelIndexList selected = main->grid(kind)->selectionModel()->selectedRows();
  if (after < 0) {
    QVERIFY(selected.isEmpty());
  } else {
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first().row(), after);
  }
}

void tst_dialogrecords::fromTheToolbar_data() {
  QTest::addColumn<QString>("dialog");
  QTest::addColumn<QByteArray>("firstField");
  QTest::newRow("temperature") << "Dialog4" << QByteArray("Gennaio  2005");
  QTest::newRow("rain") << "Dialog3" << QByteArray("Gennaio  2005");
  QTest::newRow("snow") << "insneve" << QByteArray("Inverno 2005/2006 (1 Gennaio)");
  QTest::newRow("other events") << "estr" << QByteArray("1 Gennaio 2005");
}

void tst_dialogrecords::fromTheToolbar() {
  // The panel's "Inserisci" opens its dialog modal; inserting shows the record
  // at once as the last row of the panel's grid.
  QFETCH(QString, dialog);
  QFETCH(QByteArray, firstField);
  TestEnv env;
  Form1* main = env.loadMainWindow();
  const Archive archive = archiveOf(dialog);
  addRecords(main->recordset(archive.kind), 1);
  main->show();
  QString opened;
  env.onNextWindow<EntryDialog>([&opened](EntryDialog& d) {
    opened = d.objectName();
    d.okbutton_Click();
  });
  Form1::toolbarButton(main->panelToolbar(archive.kind), QStringLiteral("ins"))->trigger();
  QCOMPARE(opened, dialog);
  QVERIFY(!QApplication::activeModalWidget());
  QCOMPARE(ArchiveFile(env.path(archiveFileName(archive.kind))).row(1, {archive.columns.first()}),
           QList<QByteArray>{firstField});
  QAbstractItemModel* model = main->grid(archive.kind)->model();
  QCOMPARE(model->rowCount(), 2);
  QCOMPARE(model->index(1, main->recordset(archive.kind).fieldIndex(archive.columns.first()))
               .data()
               .toString(),
           QString::fromUtf8(firstField));
}

void tst_dialogrecords::correctRecord_data() {
  QTest::addColumn<QString>("dialog");
  QTest::addColumn<QStringList>("texts");
  QTest::addColumn<int>("spins");
  QTest::addColumn<Input>("input");
  QTest::addColumn<QStringList>("stored");
  // clang-format off
  QTest::newRow("temperature") << "Dialog4"
      << QStringList{"Marzo  2006", "12,35 °C", "-3,1 °C", "Mite"} << 0 << Input{{"mass", "13.1"}}
      << QStringList{"Marzo  2006", "13,1 °C", "-3,1 °C", "Mite"};
  QTest::newRow("temperature, year before the spinner's range") << "Dialog4"
      << QStringList{"Dicembre  1987", "1 °C", "-1 °C", "n"} << 1 << Input{{"Combo1", "Novembre"}}
      << QStringList{"Novembre  1988", "1 °C", "-1 °C", "n"};
  QTest::newRow("rain, a note with bare line feeds left alone") << "Dialog3"
      << QStringList{"Luglio  2010", "12 evento/i", "1.234,56 mm", "a\nb"} << 0
      << Input{{"eventi", "13"}} << QStringList{"Luglio  2010", "13 evento/i", "1.234,56 mm", "a\nb"};
  QTest::newRow("snow, an extreme longer than its field") << "insneve"
      << QStringList{"Inverno 2005/2006 (12 Gennaio)", "Farinosa", "15 cm", "12,5 mm",
                     "-12,35 °C / 1 °C", "Gelo"} << 0 << Input{{"Combo1", "Bagnata"}}
      << QStringList{"Inverno 2005/2006 (12 Gennaio)", "Bagnata", "15 cm", "12,5 mm",
                     "-12,35 °C / 1 °C", "Gelo"};
  QTest::newRow("other events") << "estr" << QStringList{"3 Marzo 2006", "Föhn", "c", "n\r\n"}
      << 0 << Input{{"giorno", "4"}, {"dati2", "Umido"}}
      << QStringList{"4 Marzo 2006", "Föhn", "c", "Umido"};
  // clang-format on
}

void tst_dialogrecords::correctRecord() {
  // The record changes in place: same row, still current, nothing added, and
  // the years remembered for new records stay as they were.
  QFETCH(QString, dialog);
  QFETCH(QStringList, texts);
  QFETCH(int, spins);
  QFETCH(Input, input);
  QFETCH(QStringList, stored);
  TestEnv env;
  Form1* main = env.loadMainWindow();
  const Archive archive = archiveOf(dialog);
  Recordset& rs = main->recordset(archive.kind);
  storeThree(rs, archive.columns, texts);

  auto d = openDialog(dialog, env.ctx());
  QVERIFY(d->editRecord(1));
  QCOMPARE(d->findChild<QPushButton*>("okbutton")->text(), QStringLiteral("&Salva modifiche"));
  d->show();
  for (const auto& [name, value] : input) enter(d.get(), name, value);
  auto* spinner = d->findChild<UpDown*>(QStringLiteral("UpDown1"));
  for (int i = 0; i < spins; ++i) QTest::mouseClick(spinner->upButton(), Qt::LeftButton);
  d->okbutton_Click();

  QCOMPARE(d->result(), int(QDialog::Accepted));
  ArchiveFile file(env.path(archiveFileName(archive.kind)));
  QCOMPARE(file.count(), 3);
  QCOMPARE(file.row(1, archive.columns), utf8(stored));
  QCOMPARE(rs.position(), 1);
  QCOMPARE(main->grid(archive.kind)->model()->index(1, 0).data().toString(), stored[0]);
  QVERIFY(env.scripted().settings->values.isEmpty());
}

void tst_dialogrecords::plainEditor_data() {
  // Texts the entry dialog cannot show go to the plain editor, one field per
  // column; saved, only the field changed differs, to the byte.
  QTest::addColumn<QString>("dialog");
  QTest::addColumn<bool>("noteColumn");  // false: the table has lost "Osservazioni"
  QTest::addColumn<QStringList>("texts");
  QTest::addColumn<int>("field");  // the field changed, -1: none
  QTest::addColumn<QStringList>("stored");
  // clang-format off
  QTest::newRow("one blank before the year") << "Dialog4" << true
      << QStringList{"Marzo 2006", "1 °C", "0 °C", "a\rb"} << 1
      << QStringList{"Marzo 2006", "nuovo", "0 °C", "a\rb"};
  QTest::newRow("a required field empty") << "Dialog3" << true
      << QStringList{"Marzo  2006", "1 evento/i", "2 mm", ""} << 3
      << QStringList{"Marzo  2006", "1 evento/i", "2 mm", "nuovo"};
  QTest::newRow("fields never written") << "insneve" << true
      << QStringList{"<null>", "<null>", "<null>", "<null>", "<null>", "<null>"} << -1
      << QStringList{"<null>", "<null>", "<null>", "<null>", "<null>", "<null>"};
  QTest::newRow("a column lost") << "Dialog4" << false
      << QStringList{"Marzo  2006", "1 °C", "0 °C"} << 2
      << QStringList{"Marzo  2006", "1 °C", "nuovo"};
  // clang-format on
}

void tst_dialogrecords::plainEditor() {
  QFETCH(QString, dialog);
  QFETCH(bool, noteColumn);
  QFETCH(QStringList, texts);
  QFETCH(int, field);
  QFETCH(QStringList, stored);
  TestEnv env;
  Archive archive = archiveOf(dialog);
  const QString path = env.path(archiveFileName(archive.kind));
  if (!noteColumn) {
    QCOMPARE(ArchiveFile(path).exec(QStringLiteral("ALTER TABLE tab DROP COLUMN Osservazioni")),
             QString());
    archive.columns.removeLast();
  }
  Form1* main = env.loadMainWindow();
  storeThree(main->recordset(archive.kind), archive.columns, texts);
  QVERIFY(!openDialog(dialog, env.ctx())->editRecord(1));

  modificadato editor(env.ctx(), archive.kind);
  QVERIFY(editor.editRecord(1));
  QCOMPARE(editor.campo.size(), archive.columns.size());
  editor.show();
  if (field >= 0) enter(&editor, QStringLiteral("campo_%1").arg(field), QStringLiteral("nuovo"));
  editor.okbutton_Click();
  QCOMPARE(editor.result(), int(QDialog::Accepted));
  QCOMPARE(ArchiveFile(path).row(1, archive.columns), utf8(stored));
}

void tst_dialogrecords::failedCorrection() {
  // A correction that cannot be written says so, keeps the dialog open with
  // what was typed and leaves the record as it was.
  TestEnv env;
  Form1* main = env.loadMainWindow();
  const Archive archive = archiveOf("estr");
  const QStringList texts{"3 Marzo 2006", "Brina", "c", "n"};
  storeThree(main->recordset(archive.kind), archive.columns, texts);
  const QString path = env.path(archiveFileName(archive.kind));
  QCOMPARE(ArchiveFile(path).blockUpdates(), QString());
  estr d(env.ctx());
  QVERIFY(d.editRecord(1));
  d.show();
  enter(&d, "dati1", QStringLiteral("d"));
  d.okbutton_Click();
  QCOMPARE(env.dialogs().messages.size(), 1);
  QCOMPARE(env.dialogs().messages[0].text,
           QStringLiteral("Impossibile scrivere nell'archivio: la modifica non è stata salvata. "
                          "Verificare che l'archivio non sia protetto da scrittura o in uso da un "
                          "altro programma, quindi riprovare."));
  QCOMPARE(env.dialogs().messages[0].icon, MsgIcon::Critical);
  QVERIFY(d.isVisible());
  QCOMPARE(d.dati1->text(), QStringLiteral("d"));
  QCOMPARE(ArchiveFile(path).row(1, archive.columns), utf8(texts));
  QCOMPARE(main->recordset(archive.kind).values(1), texts);
}

QTEST_MAIN(tst_dialogrecords)
#include "tst_dialogrecords.moc"
