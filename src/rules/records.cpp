#include "rules/records.h"

#include <QRegularExpression>
#include <Qt>

#include "rules/months.h"

namespace {

using Form = ArchiveColumn::Form;
using Check = ArchiveColumn::Check;

const QString kDegrees = QStringLiteral(" °C");

QString blanks(int n) { return QString(n, QLatin1Char(' ')); }

ArchiveColumn text(const QString& name, Check check = Check::None) {
  return {name, Form::Text, {}, check};
}
ArchiveColumn number(const QString& name, const QString& unit, Check check = Check::None) {
  return {name, Form::Number, unit, check};
}

ArchiveDescriptor described(ArchiveDescriptor d) {
  for (const ArchiveColumn& c : d.columns) d.columnNames << c.name;
  return d;
}

}  // namespace

const ArchiveDescriptor& archiveDescriptor(ArchiveKind kind) {
  // Made on first use, whatever asks for it first.
  const QString note = QStringLiteral("Osservazioni");
  const QString monthYear = QStringLiteral("Mese e anno");
  const QString degrees = QStringLiteral(" °C");
  const QString mm = QStringLiteral(" mm");
  // clang-format off
  static const ArchiveDescriptor kDescriptors[] = {
    described({ArchiveKind::Temperature, QStringLiteral("temperature.mdb"),
        {{monthYear, Form::MonthYear, {}, Check::None},
         number(QStringLiteral("T Media MAX"), degrees, Check::Temperature),
         number(QStringLiteral("T Media MIN"), degrees, Check::Temperature),
         text(note)},
        {}, {monthYear}, QStringLiteral("stesso mese"),
        QStringLiteral("T Media MIN"), QStringLiteral("T Media MAX"),
        QStringLiteral("Archivio temperature medie mensili"),
        QStringLiteral(" - Temperature medie mensili"),
        QStringLiteral("Temperature medie mensili"), QStringLiteral("temperature.csv"),
        QStringLiteral("Dialog4"), false,
        {"temper", "DataGrid1", "Toolbar2", "Frame1"},
        {"TEMPE", QStringLiteral("&Temperature"), Qt::Key_F5},
        {"Label1", blanks(20) + QStringLiteral("Temp."),
         QStringLiteral("Archivia le medie delle temperature massime e minime mensili registrate"),
         "Image1", "this1", {"Line1", "Line2", "Line3", "Line4"},
         {"Line5", "Line6", "Line7", "Line8"}, false},
        {"Option2", QStringLiteral("...&temperature")}}),
    described({ArchiveKind::Rain, QStringLiteral("datipluviometrici.mdb"),
        {{monthYear, Form::MonthYear, {}, Check::None},
         number(QStringLiteral("N° eventi con prp"), QStringLiteral(" evento/i")),
         number(QStringLiteral("Accumulo tot mensile"), mm, Check::MonthlyRain),
         text(note)},
        {}, {monthYear}, QStringLiteral("stesso mese"), {}, {},
        QStringLiteral("Archivio dati pluviometrici"),
        QStringLiteral(" - Dati pluviometrici"),
        QStringLiteral("Precipitazioni mensili"), QStringLiteral("datipluviometrici.csv"),
        QStringLiteral("Dialog3"), true,
        {"pioggia", "DataGrid2", "Toolbar3", "Frame2"},
        {"rainn", QStringLiteral("&Precipitazioni"), Qt::Key_F6},
        {"Label3", blanks(18) + QStringLiteral("Pioggia"),
         QStringLiteral("Archivia i dati pluviometrici"),
         "Image2", "this2", {"Line14", "Line15", "Line16", "Line17"},
         {"Line10", "Line11", "Line12", "Line13"}, false},
        {"Option3", QStringLiteral("...&pioggia")}}),
    described({ArchiveKind::Snow, QStringLiteral("neve.mdb"),
        {text(QStringLiteral("Inverno")),
         text(QStringLiteral("Tipo di neve")),
         number(QStringLiteral("Accumulo (in cm)"), QStringLiteral(" cm"), Check::Amount),
         number(QStringLiteral("Accumulo equivalente (in mm)"), mm, Check::Amount),
         text(QStringLiteral("Temperatura (estremi)"), Check::TemperaturePair),
         text(note)},
        {}, {QStringLiteral("Inverno")}, QStringLiteral("stesso inverno e giorno"), {}, {},
        QStringLiteral("Archivio eventi nevosi"),
        QStringLiteral(" - Dati nivometrici stagionali"),
        QStringLiteral("Eventi nevosi"), QStringLiteral("neve.csv"),
        QStringLiteral("insneve"), false,
        {"nevedati", "DataGrid3", "Toolbar4", "Frame3"},
        {"neve", QStringLiteral("&Neve"), Qt::Key_F7},
        {"Label4", blanks(21) + QStringLiteral("Neve") + blanks(3),
         QStringLiteral("Archivia gli eventi nevosi"),
         "Image3", "this3", {"Line19", "Line23", "Line24", "Line25"},
         {"Line18", "Line20", "Line21", "Line22"}, true},
        {"Option4", QStringLiteral("...&neve")}}),
    described({ArchiveKind::OtherEvents, QStringLiteral("altrieventi.mdb"),
        {text(QStringLiteral("Data")),
         text(QStringLiteral("evento")),
         text(QStringLiteral("Caratteristiche/eventuali dati")),
         text(note)},
        {}, {QStringLiteral("Data"), QStringLiteral("evento")},
        QStringLiteral("stessa data ed evento"), {}, {},
        QStringLiteral("Archivio altri eventi meteorologici"),
        QStringLiteral(" - Altri eventi meteorologici"),
        QStringLiteral("Altri eventi"), QStringLiteral("altrieventi.csv"),
        QStringLiteral("estr"), false,
        {"altrieventi", "DataGrid4", "Toolbar5", "Frame4"},
        {"altriev", QStringLiteral("&Altri eventi"), Qt::Key_F8},
        {"Label2", blanks(14) + QStringLiteral("Altri eventi"),
         QStringLiteral("Archivia altri eventi meteorologici"),
         "Image4", "this4", {"Line9", "Line31", "Line35", "Line37"},
         {"Line27", "Line28", "Line32", "Line36"}, false},
        {"Option5", QStringLiteral("...&altri eventi")}}),
};
  // clang-format on
  static_assert(std::size(kDescriptors) == std::size(kArchiveKinds),
                "one descriptor for each kind of archive");
  const ArchiveDescriptor& d = kDescriptors[int(kind)];
  Q_ASSERT(d.kind == kind);
  return d;
}

namespace records {

QString createTable(ArchiveKind kind) {
  // Column names hold blanks, "°" and "/": always quoted.
  QStringList defs;
  for (const QString& c : columns(kind)) defs << QLatin1Char('"') + c + QStringLiteral("\" TEXT");
  return QStringLiteral("CREATE TABLE \"tab\" (") + defs.join(QStringLiteral(", ")) +
         QLatin1Char(')');
}

namespace {

QString monthAndYear(const QString& month, const QString& year) {
  return month + QStringLiteral("  ") + year;
}

Record zip(ArchiveKind kind, const QStringList& values) {
  Record r;
  const QStringList& names = columns(kind);
  for (int i = 0; i < names.size(); ++i) r.append({names.at(i), values.value(i)});
  return r;
}

}  // namespace

Record compose(const Temperature& r) {
  return zip(ArchiveKind::Temperature,
             {monthAndYear(r.month, r.year), r.max + QStringLiteral(" °C"),
              r.min + QStringLiteral(" °C"), r.note});
}

Record compose(const Rain& r) {
  return zip(ArchiveKind::Rain,
             {monthAndYear(r.month, r.year), r.events + QStringLiteral(" evento/i"),
              r.total + QStringLiteral(" mm"), r.note});
}

Record compose(const Snow& r) {
  const QString winter = QStringLiteral("Inverno ") + r.firstYear + QLatin1Char('/') +
                         r.secondYear + QStringLiteral(" (") + r.day + QLatin1Char(' ') + r.month +
                         QLatin1Char(')');
  return zip(ArchiveKind::Snow,
             {winter, r.kind, r.depth + QStringLiteral(" cm"), r.water + QStringLiteral(" mm"),
              r.extreme1 + QStringLiteral(" °C / ") + r.extreme2 + QStringLiteral(" °C"), r.note});
}

Record compose(const OtherEvent& r) {
  return zip(ArchiveKind::OtherEvents,
             {r.day + QLatin1Char(' ') + r.month + QLatin1Char(' ') + r.year, r.event, r.features,
              r.remarks});
}

const QStringList& snowKinds() {
  static const QStringList list = {QStringLiteral("Farinosa"), QStringLiteral("Bagnata"),
                                   QStringLiteral("Granulosa"), QStringLiteral("Non bianca"),
                                   QStringLiteral("Non rilevato")};
  return list;
}

const QStringList& eventKinds() {
  static const QStringList list = {QStringLiteral("Grandine"),      QStringLiteral("Nebbia fitta"),
                                   QStringLiteral("Brina"),         QStringLiteral("Galaverna"),
                                   QStringLiteral("Gelicidio"),     QStringLiteral("Föhn"),
                                   QStringLiteral("Tromba d'aria"), QStringLiteral("Tornado")};
  return list;
}

namespace {

// The year fields hold what their spinner can step.
bool isYear(const QString& s) {
  static const QRegularExpression year(QStringLiteral("^[0-9]{1,4}$"));
  return year.match(s).hasMatch();
}
bool isDay(const QString& s) {
  bool ok = false;
  const int d = s.toInt(&ok);
  return ok && d >= 1 && d <= 31 && s == QString::number(d);
}
bool isMonth(const QString& s) { return months::names().contains(s); }
// A one-line field cannot show a line break.
bool oneLine(const QString& s) {
  return !s.contains(QLatin1Char('\n')) && !s.contains(QLatin1Char('\r'));
}

// The text before `unit`, when it ends with it and fits a one-line field.
std::optional<QString> withUnit(const QString& text, const QString& unit) {
  if (!text.endsWith(unit) || !oneLine(text)) return std::nullopt;
  return text.chopped(unit.size());
}

bool splitMonthYear(const QString& text, QString* month, QString* year) {
  const qsizetype blanks = text.indexOf(QStringLiteral("  "));
  if (blanks < 0) return false;
  *month = text.left(blanks);
  *year = text.mid(blanks + 2);
  return isMonth(*month) && isYear(*year);
}

// The guard of every parse: nothing the keeper did not type differently may
// change on the way back.
template <class R>
std::optional<R> exact(const R& r, const QStringList& values) {
  QStringList again;
  for (const auto& field : compose(r)) again << field.second;
  if (again != values) return std::nullopt;
  return r;
}

}  // namespace

std::optional<Temperature> parseTemperature(const QStringList& values) {
  if (values.size() != columns(ArchiveKind::Temperature).size()) return std::nullopt;
  Temperature r;
  if (!splitMonthYear(values[0], &r.month, &r.year)) return std::nullopt;
  const auto max = withUnit(values[1], kDegrees);
  const auto min = withUnit(values[2], kDegrees);
  if (!max || !min) return std::nullopt;
  r.max = *max;
  r.min = *min;
  r.note = values[3];
  return exact(r, values);
}

std::optional<Rain> parseRain(const QStringList& values) {
  if (values.size() != columns(ArchiveKind::Rain).size()) return std::nullopt;
  Rain r;
  if (!splitMonthYear(values[0], &r.month, &r.year)) return std::nullopt;
  const auto events = withUnit(values[1], QStringLiteral(" evento/i"));
  const auto total = withUnit(values[2], QStringLiteral(" mm"));
  if (!events || !total) return std::nullopt;
  r.events = *events;
  r.total = *total;
  r.note = values[3];
  return exact(r, values);
}

std::optional<Snow> parseSnow(const QStringList& values) {
  if (values.size() != columns(ArchiveKind::Snow).size()) return std::nullopt;
  static const QRegularExpression winter(
      QStringLiteral("^Inverno ([0-9]{1,4})/([0-9]{1,4}) \\(([0-9]{1,2}) ([^ ]+)\\)$"));
  const QRegularExpressionMatch m = winter.match(values[0]);
  if (!m.hasMatch()) return std::nullopt;
  Snow r;
  r.firstYear = m.captured(1);
  r.secondYear = m.captured(2);
  r.day = m.captured(3);
  r.month = m.captured(4);
  if (!isDay(r.day) || !isMonth(r.month)) return std::nullopt;
  r.kind = values[1];
  if (!snowKinds().contains(r.kind)) return std::nullopt;
  const auto depth = withUnit(values[2], QStringLiteral(" cm"));
  const auto water = withUnit(values[3], QStringLiteral(" mm"));
  const auto extremes = withUnit(values[4], kDegrees);
  if (!depth || !water || !extremes) return std::nullopt;
  // "-2 °C / 1 °C": the first " °C / " ends the first extreme.
  const QString between = kDegrees + QStringLiteral(" / ");
  const qsizetype cut = extremes->indexOf(between);
  if (cut < 0) return std::nullopt;
  r.depth = *depth;
  r.water = *water;
  r.extreme1 = extremes->left(cut);
  r.extreme2 = extremes->mid(cut + between.size());
  r.note = values[5];
  return exact(r, values);
}

std::optional<OtherEvent> parseOtherEvent(const QStringList& values) {
  if (values.size() != columns(ArchiveKind::OtherEvents).size()) return std::nullopt;
  const QStringList date = values[0].split(QLatin1Char(' '));
  if (date.size() != 3) return std::nullopt;
  OtherEvent r{date[0], date[1], date[2], values[1], values[2], values[3]};
  if (!isDay(r.day) || !isMonth(r.month) || !isYear(r.year) || !eventKinds().contains(r.event))
    return std::nullopt;
  return exact(r, values);
}

}  // namespace records
