#include "rules/records.h"

#include <QRegularExpression>

#include "rules/months.h"

QString archiveFileName(ArchiveKind kind) {
  switch (kind) {
    case ArchiveKind::Temperature:
      return QStringLiteral("temperature.mdb");
    case ArchiveKind::Rain:
      return QStringLiteral("datipluviometrici.mdb");
    case ArchiveKind::Snow:
      return QStringLiteral("neve.mdb");
    case ArchiveKind::OtherEvents:
      return QStringLiteral("altrieventi.mdb");
  }
  return {};
}

namespace records {

namespace {

const QString kNote = QStringLiteral("Osservazioni");
const QString kMonthYear = QStringLiteral("Mese e anno");

QString monthAndYear(const QString& month, const QString& year) {
  return month + QStringLiteral("  ") + year;
}

}  // namespace

const QStringList& columns(ArchiveKind kind) {
  static const QStringList lists[] = {
      {kMonthYear, QStringLiteral("T Media MAX"), QStringLiteral("T Media MIN"), kNote},
      {kMonthYear, QStringLiteral("N° eventi con prp"), QStringLiteral("Accumulo tot mensile"),
       kNote},
      {QStringLiteral("Inverno"), QStringLiteral("Tipo di neve"),
       QStringLiteral("Accumulo (in cm)"), QStringLiteral("Accumulo equivalente (in mm)"),
       QStringLiteral("Temperatura (estremi)"), kNote},
      {QStringLiteral("Data"), QStringLiteral("evento"),
       QStringLiteral("Caratteristiche/eventuali dati"), kNote},
  };
  return lists[int(kind)];
}

QString createTable(ArchiveKind kind) {
  // Column names hold blanks, "°" and "/": always quoted.
  QStringList defs;
  for (const QString& c : columns(kind)) defs << QLatin1Char('"') + c + QStringLiteral("\" TEXT");
  return QStringLiteral("CREATE TABLE \"tab\" (") + defs.join(QStringLiteral(", ")) +
         QLatin1Char(')');
}

namespace {

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

const QString kDegrees = QStringLiteral(" °C");

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
