#include "rules/records.h"

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

}  // namespace records
