// Reading a stored record back into its entry dialog's values: the exact
// inverse of records::compose, refusing what the dialog could not show.

#include <QtTest>

#include "rules/records.h"

namespace {

// The values parsed, in the order of the record's struct, and the texts they
// compose again; nothing when refused.
std::optional<std::pair<QStringList, records::Record>> parsed(int kind, const QStringList& t) {
  using namespace records;
  if (auto r = kind == 0 ? parseTemperature(t) : std::nullopt)
    return {{{r->month, r->year, r->max, r->min, r->note}, compose(*r)}};
  if (auto r = kind == 1 ? parseRain(t) : std::nullopt)
    return {{{r->month, r->year, r->events, r->total, r->note}, compose(*r)}};
  if (auto r = kind == 2 ? parseSnow(t) : std::nullopt)
    return {{{r->firstYear, r->secondYear, r->day, r->month, r->kind, r->depth, r->water,
              r->extreme1, r->extreme2, r->note},
             compose(*r)}};
  if (auto r = kind == 3 ? parseOtherEvent(t) : std::nullopt)
    return {{{r->day, r->month, r->year, r->event, r->features, r->remarks}, compose(*r)}};
  return std::nullopt;
}

}  // namespace

class tst_records : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Stored texts and the values read from them; no values: refused.
  void parse_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("values");
    const QStringList refused;
    // clang-format off
    QTest::newRow("temperature") << 0 << QStringList{"Marzo  2006", "12,35 °C", "-3,1 °C", "n\r\n"}
        << QStringList{"Marzo", "2006", "12,35", "-3,1", "n\r\n"};
    QTest::newRow("old year, words, empty") << 0 << QStringList{"Dicembre  1987", "abc °C", " °C", ""}
        << QStringList{"Dicembre", "1987", "abc", "", ""};
    QTest::newRow("one blank before the year") << 0 << QStringList{"Marzo 2006", "1 °C", "0 °C", ""}
        << refused;
    QTest::newRow("line break in a mean") << 0 << QStringList{"Marzo  2006", "1\n °C", "0 °C", ""}
        << refused;
    QTest::newRow("a column missing") << 0 << QStringList{"Marzo  2006", "1 °C", "0 °C"} << refused;
    QTest::newRow("rain") << 1 << QStringList{"Luglio  2010", "12 evento/i", "1.234,56 mm", "a\nb"}
        << QStringList{"Luglio", "2010", "12", "1.234,56", "a\nb"};
    QTest::newRow("snow") << 2 << QStringList{"Inverno 2005/2006 (12 Gennaio)", "Farinosa",
        "15 cm", "12,5 mm", "-2 °C / 1 °C", "Gelo"} << QStringList{"2005", "2006", "12",
        "Gennaio", "Farinosa", "15", "12,5", "-2", "1", "Gelo"};
    QTest::newRow("snow, the first separator ends the first extreme") << 2 << QStringList{
        "Inverno 2010/2011 (31 Febbraio)", "Non rilevato", "0 cm", "0 mm",
        "0 °C / -0,5 (notte) °C / 2 °C", ""} << QStringList{"2010", "2011", "31", "Febbraio",
        "Non rilevato", "0", "0", "0", "-0,5 (notte) °C / 2", ""};
    QTest::newRow("snow, unknown kind") << 2 << QStringList{"Inverno 2005/2006 (1 Gennaio)",
        "Ghiacciata", "1 cm", "1 mm", "0 °C / 1 °C", ""} << refused;
    QTest::newRow("snow, one extreme") << 2 << QStringList{"Inverno 2005/2006 (1 Gennaio)",
        "Farinosa", "1 cm", "1 mm", "0 °C", ""} << refused;
    QTest::newRow("other event") << 3 << QStringList{"3 Marzo 2006", "Föhn", "80 km/h", "a\r\nb"}
        << QStringList{"3", "Marzo", "2006", "Föhn", "80 km/h", "a\r\nb"};
    QTest::newRow("event not in the list") << 3 << QStringList{"3 Marzo 2006", "Pioggia", "", ""}
        << refused;
    QTest::newRow("empty record") << 3 << QStringList{"", "", "", ""} << refused;
    // clang-format on
  }
  void parse() {
    QFETCH(int, kind);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, values);
    const auto read = parsed(kind, texts);
    QCOMPARE(read.has_value(), !values.isEmpty());
    if (!read) return;
    QCOMPARE(read->first, values);
    QStringList again;
    for (const auto& field : read->second) again << field.second;
    QCOMPARE(again, texts);
  }
};

QTEST_GUILESS_MAIN(tst_records)
#include "tst_records.moc"
