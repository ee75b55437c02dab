#include "rules/csvexchange.h"

#include <QHash>
#include <QMap>
#include <QRegularExpression>

#include "rules/entrychecks.h"
#include "rules/months.h"
#include "rules/textfile.h"

namespace csvexchange {

namespace {

const QString kDate = QStringLiteral("Data");
const QString kApostrophe = QStringLiteral("'");

enum class Kind { Text, Number, MonthYear, Date };
struct Rule {
  Kind kind = Kind::Text;
  QString unit;           // what the archive writes after a number
  bool negative = false;  // a number below zero can be read (a temperature)
};

bool same(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

Rule rule(Target t, const QString& column) {
  const auto kind = t.archive();
  if (!kind) {
    if (same(column, kDate)) return {Kind::Date, {}};
    for (const char* n : {"Minima", "Massima"})
      if (same(column, QLatin1String(n))) return {Kind::Number, {}, true};
    if (same(column, QStringLiteral("Precipitazione"))) return {Kind::Number, {}};
    return {};
  }
  for (const ArchiveColumn& c : archiveDescriptor(*kind).columns) {
    if (!same(c.name, column)) continue;
    switch (c.form) {
      case ArchiveColumn::Form::Text:
        return {};
      case ArchiveColumn::Form::Number:
        // Only a temperature can be below zero.
        return {Kind::Number, c.unit, c.check == ArchiveColumn::Check::Temperature};
      case ArchiveColumn::Form::MonthYear:
        return {Kind::MonthYear, {}};
    }
  }
  return {};
}

// "-12,5" in the dialect's decimal form: digits, at most one decimal mark
// with digits on both sides, a sign in front.
bool isNumber(QStringView s, QChar point) {
  qsizetype i = 0;
  if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) ++i;
  qsizetype digits = 0, after = -1;
  for (; i < s.size(); ++i) {
    const QChar c = s[i];
    if (c >= u'0' && c <= u'9') {
      ++digits;
      if (after >= 0) ++after;
    } else if (c == point && after < 0 && digits > 0) {
      after = 0;
    } else {
      return false;
    }
  }
  return digits > 0 && after != 0;
}

QString withPoint(QString s, QChar point) { return s.replace(u',', point); }

QString decimalName(csv::Dialect d) {
  return d == csv::Dialect::Semicolon ? QStringLiteral("con la virgola decimale")
                                      : QStringLiteral("con il punto decimale");
}

std::optional<QDate> readDate(const QString& cell) {
  static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
  static const QRegularExpression dmy(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})$"));
  const QString s = cell.trimmed();
  QRegularExpressionMatch m = iso.match(s);
  QDate date;
  if (m.hasMatch())
    date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
  m = dmy.match(s);
  if (m.hasMatch())
    date = QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
  if (!date.isValid()) return std::nullopt;
  return date;
}

// The key by which a record of the archive repeats one already there: its
// key columns' texts; none when the first of them is empty.
QString recordKey(Target t, const QStringList& columns, const QStringList& values) {
  const auto kind = t.archive();
  if (!kind) return {};
  auto at = [&](const QString& name) {
    for (int i = 0; i < columns.size(); ++i)
      if (same(columns[i], name)) return values.value(i);
    return QString();
  };
  QStringList key;
  for (const QString& column : archiveDescriptor(*kind).keyColumns) key << at(column);
  if (key.isEmpty() || key.first().isEmpty()) return {};
  return key.join(QChar(0x1f));
}

QString keyName(Target t) {
  if (const auto kind = t.archive()) return archiveDescriptor(*kind).sameKey;
  return QStringLiteral("stesso giorno");
}

// The checks at entry, each reason with the field it is about; a field the
// file leaves out is not checked.
QStringList checks(Target t, const QStringList& columns, const QStringList& values,
                   const DayRecord& day) {
  QStringList out;
  auto add = [&out](const QString& field, const QStringList& reasons) {
    for (const QString& r : reasons) out << field + QStringLiteral(": ") + r;
  };
  // A field's number as typed, without the unit the archive adds.
  auto bare = [&](const QString& column) {
    for (int i = 0; i < columns.size(); ++i)
      if (same(columns[i], column)) {
        const QString unit = rule(t, column).unit;
        const QString v = values.value(i);
        return v.endsWith(unit) ? v.chopped(unit.size()) : v;
      }
    return QString();
  };
  const auto kind = t.archive();
  if (!kind) {
    add(QStringLiteral("Minima"), entrychecks::temperature(day.minimum));
    add(QStringLiteral("Massima"), entrychecks::temperature(day.maximum));
    out << entrychecks::minimumAboveMaximum(day.minimum, day.maximum);
    add(QStringLiteral("Precipitazione"), entrychecks::dailyRain(day.rain));
    return out;
  }
  const ArchiveDescriptor& archive = archiveDescriptor(*kind);
  for (const ArchiveColumn& c : archive.columns) {
    if (c.check == ArchiveColumn::Check::None) continue;
    const QString value = bare(c.name);
    switch (c.check) {
      case ArchiveColumn::Check::None:
        break;
      case ArchiveColumn::Check::Temperature:
        add(c.name, entrychecks::temperature(value));
        break;
      case ArchiveColumn::Check::MonthlyRain:
        add(c.name, entrychecks::monthlyRain(value));
        break;
      case ArchiveColumn::Check::Amount:
        add(c.name, entrychecks::amount(value));
        break;
      case ArchiveColumn::Check::TemperaturePair: {
        // "-2 °C / 1 °C": each extreme as the entry dialog took it.
        const QString between = QStringLiteral(" °C / ");
        const qsizetype cut = value.indexOf(between);
        if (cut < 0 || !value.endsWith(QStringLiteral(" °C"))) break;
        add(c.name, entrychecks::temperature(value.left(cut)) +
                        entrychecks::temperature(value.mid(cut + between.size()).chopped(3)));
        break;
      }
    }
  }
  if (!archive.minimumColumn.isEmpty())
    out << entrychecks::minimumAboveMaximum(bare(archive.minimumColumn),
                                            bare(archive.maximumColumn));
  return out;
}

}  // namespace

const QVector<Target>& targets() {
  static const QVector<Target> all = [] {
    QVector<Target> list(std::cbegin(kArchiveKinds), std::cend(kArchiveKinds));
    list << Target::history();
    return list;
  }();
  return all;
}

QString targetName(Target t) {
  if (const auto kind = t.archive()) return archiveDescriptor(*kind).csvName;
  return QStringLiteral("Storico giornaliero");
}

QString fileName(Target t) {
  if (const auto kind = t.archive()) return archiveDescriptor(*kind).csvFileName;
  return QStringLiteral("giornaliero.csv");
}

const QStringList& historyHeadings() {
  static const QStringList names = {kDate, QStringLiteral("Minima"), QStringLiteral("Massima"),
                                    QStringLiteral("Precipitazione"), QStringLiteral("Note")};
  return names;
}

QString exportCell(Target t, const QString& column, const QString& stored, csv::Dialect d) {
  const Rule r = rule(t, column);
  if (r.kind == Kind::Number && !stored.isEmpty() && stored.endsWith(r.unit)) {
    const QString bare = stored.chopped(r.unit.size());
    if (isNumber(bare, u',')) {
      const QString cell = withPoint(bare, csv::decimalPoint(d));
      if (importCell(t, column, cell, d) == stored) return cell;
    }
  }
  if (importCell(t, column, stored, d) == stored) return stored;
  return kApostrophe + stored;
}

std::optional<QString> importCell(Target t, const QString& column, const QString& cell,
                                  csv::Dialect d, QString* why) {
  if (cell.startsWith(kApostrophe)) return cell.mid(1);
  const Rule r = rule(t, column);
  auto refuse = [why](const QString& reason) -> std::optional<QString> {
    if (why) *why = reason;
    return std::nullopt;
  };
  switch (r.kind) {
    case Kind::Text:
      return cell;
    case Kind::Number: {
      if (cell.isEmpty()) return cell;
      const QChar point = csv::decimalPoint(d);
      QStringView number(cell);
      if (!r.unit.isEmpty() && cell.endsWith(r.unit)) number.chop(r.unit.size());
      if (!isNumber(number, point))
        return refuse(
            QStringLiteral("%1 non è un numero %2").arg(textfile::quote(cell), decimalName(d)));
      // Unlikely values only get a warning; an amount or a count below zero
      // cannot be true.
      const bool belowZero =
          number.startsWith(u'-') &&
          std::any_of(number.begin(), number.end(), [](QChar c) { return c >= u'1' && c <= u'9'; });
      if (belowZero && !r.negative)
        return refuse(
            QStringLiteral("%1 è sotto zero, e non può esserlo").arg(textfile::quote(cell)));
      return number.toString().replace(point, u',') + r.unit;
    }
    case Kind::MonthYear: {
      if (cell.isEmpty()) return cell;
      static const QRegularExpression form(QStringLiteral("^\\s*(\\S+)\\s+(\\d{1,4})\\s*$"));
      const QRegularExpressionMatch m = form.match(cell);
      if (m.hasMatch()) {
        for (const QString& name : months::names())
          if (same(name, m.captured(1))) return name + QStringLiteral("  ") + m.captured(2);
      }
      return refuse(QStringLiteral("%1 non è un mese e un anno (per esempio «Marzo  2026»)")
                        .arg(textfile::quote(cell)));
    }
    case Kind::Date: {
      const auto date = readDate(cell);
      if (!date) return refuse(QStringLiteral("%1 non è una data").arg(textfile::quote(cell)));
      return date->toString(Qt::ISODate);
    }
  }
  return cell;
}

QVector<QStringList> archiveTable(Target t, const QStringList& columns,
                                  const QVector<QStringList>& records, csv::Dialect d) {
  QVector<QStringList> table;
  table.reserve(records.size() + 1);
  table << columns;
  for (const QStringList& values : records) {
    QStringList cells;
    cells.reserve(columns.size());
    for (int i = 0; i < columns.size(); ++i) cells << exportCell(t, columns[i], values.value(i), d);
    // A record of blank texts would read as a spreadsheet's empty row.
    if (!cells.isEmpty() && std::all_of(cells.cbegin(), cells.cend(),
                                        [](const QString& c) { return c.trimmed().isEmpty(); }))
      cells[0] = kApostrophe + values.value(0);
    table << cells;
  }
  return table;
}

QVector<QStringList> historyTable(const QVector<DayRecord>& days, csv::Dialect d) {
  const QStringList& h = historyHeadings();
  const QString dateForm =
      d == csv::Dialect::Semicolon ? QStringLiteral("dd/MM/yyyy") : QStringLiteral("yyyy-MM-dd");
  QVector<QStringList> table;
  table.reserve(days.size() + 1);
  table << h;
  for (const DayRecord& day : days)
    table << QStringList{day.date.toString(dateForm),
                         exportCell(Target::history(), h[1], day.minimum, d),
                         exportCell(Target::history(), h[2], day.maximum, d),
                         exportCell(Target::history(), h[3], day.rain, d),
                         exportCell(Target::history(), h[4], day.note, d)};
  return table;
}

std::optional<Target> guessTarget(const QStringList& headings) {
  std::optional<Target> best;
  int bestCount = 0;
  for (Target t : targets()) {
    const auto kind = t.archive();
    const QStringList& names = kind ? records::columns(*kind) : historyHeadings();
    int count = 0;
    for (const QString& h : headings)
      for (const QString& n : names)
        if (same(h.trimmed(), n)) ++count;
    if (count > bestCount) {
      best = t;
      bestCount = count;
    }
  }
  return best;
}

Table read(const QString& text, Target t, const QStringList& columns, csv::Dialect d) {
  Table table;
  table.target = t;
  table.dialect = d;
  auto refuseFile = [&table](const QString& reason) {
    table.readable = false;
    table.refused = {{0, reason}};
    table.entries.clear();
    return table;
  };
  const QVector<csv::Row> rows = csv::parse(text, d);
  if (rows.isEmpty()) return refuseFile(QStringLiteral("il file è vuoto"));
  const csv::Row& heading = rows.first();
  if (!heading.error.isEmpty())
    return refuseFile(
        QStringLiteral("riga %1, intestazione: %2").arg(heading.line).arg(heading.error));

  // Each heading to its column of the archive (-1: a column the archive has not).
  const bool history = t.isHistory();
  QVector<int> place;
  QStringList named;
  for (const QString& raw : heading.fields) {
    const QString h = raw.trimmed();
    int at = -1;
    for (int i = 0; i < columns.size(); ++i)
      if (same(columns[i], h) || (history && i == 4 && same(h, QStringLiteral("Nota")))) at = i;
    if (at >= 0 && place.contains(at))
      return refuseFile(QStringLiteral("la colonna «%1» compare due volte").arg(columns[at]));
    if (at < 0 && !h.isEmpty()) table.ignored << textfile::excerpt(h);
    if (at >= 0) {
      named << columns[at];
      table.given << at;
    }
    place << at;
  }
  if (named.isEmpty() && heading.fields.size() == 1 && heading.fields[0].contains(u'\t'))
    return refuseFile(QStringLiteral(
        "i campi sono separati da tabulazioni; si leggono i file con i campi separati da punto e "
        "virgola (e la virgola decimale) o da virgola (e il punto decimale)"));
  if (named.isEmpty())
    return refuseFile(
        QStringLiteral("le intestazioni non nominano nessuna colonna di «%1»").arg(targetName(t)));
  const QString keyColumn = history ? kDate : archiveDescriptor(*t.archive()).keyColumns.first();
  if (!std::any_of(named.cbegin(), named.cend(),
                   [&](const QString& n) { return same(n, keyColumn); }))
    return refuseFile(QStringLiteral("manca la colonna «%1»").arg(keyColumn));
  table.readable = true;

  QHash<QString, int> firstLine;  // key -> line of its first record in the file
  for (qsizetype r = 1; r < rows.size(); ++r) {
    const csv::Row& row = rows[r];
    if (!row.error.isEmpty()) {
      table.refused << Refusal{row.line, row.error};
      continue;
    }
    if (std::all_of(row.fields.cbegin(), row.fields.cend(),
                    [](const QString& f) { return f.trimmed().isEmpty(); }))
      continue;  // an empty row of a spreadsheet
    if (row.fields.size() != heading.fields.size()) {
      table.refused << Refusal{row.line, QStringLiteral("%1 campi invece di %2")
                                             .arg(row.fields.size())
                                             .arg(heading.fields.size())};
      continue;
    }
    Entry e;
    e.line = row.line;
    e.values = QVector<QString>(columns.size()).toList();
    QString why;
    bool ok = true;
    for (int c = 0; c < row.fields.size() && ok; ++c) {
      if (place[c] < 0) continue;
      const auto value = importCell(t, columns[place[c]], row.fields[c], d, &why);
      if (!value) {
        table.refused << Refusal{row.line,
                                 why + QStringLiteral(" (colonna «%1»)").arg(columns[place[c]])};
        ok = false;
        break;
      }
      e.values[place[c]] = *value;
    }
    if (!ok) continue;
    QString key;
    if (history) {
      e.day = {QDate::fromString(e.values[0], Qt::ISODate), e.values[1], e.values[2], e.values[3],
               e.values[4]};
      key = e.values[0];
      if (!e.day.date.isValid()) {
        table.refused << Refusal{row.line, QStringLiteral("manca la data")};
        continue;
      }
    } else {
      key = recordKey(t, columns, e.values);
    }
    e.warnings = checks(t, columns, e.values, e.day);
    if (!key.isEmpty()) {
      const auto seen = firstLine.constFind(key);
      if (seen != firstLine.cend())
        e.warnings << QStringLiteral("%1 della riga %2 del file").arg(keyName(t)).arg(*seen);
      else
        firstLine.insert(key, row.line);
    }
    table.entries << e;
  }
  return table;
}

namespace {
const QString kNew = QStringLiteral("Nuovo");
const QString kSame = QStringLiteral("Già presente, uguale");
const QString kReplaced = QStringLiteral("Già presente, diverso: sarà sostituito");
const QString kKept = QStringLiteral("Già presente, diverso: resta com'è");
const QString kCompleted = QStringLiteral("Già presente: completato");
const QString kCompletedKept =
    QStringLiteral("Già presente, diverso: completato, i valori diversi restano com'erano");
const QString kNothing = QStringLiteral("Nessun valore: nulla da scrivere");
const QString kNotYet = QStringLiteral("Dopo oggi: non scritto");
}  // namespace

ArchivePlan planArchive(const Table& table, const QStringList& columns,
                        const QVector<QStringList>& existing, bool replace) {
  ArchivePlan plan;
  QHash<QString, int> rowOf;
  for (int r = 0; r < existing.size(); ++r) {
    const QString key = recordKey(table.target, columns, existing[r]);
    if (!key.isEmpty() && !rowOf.contains(key)) rowOf.insert(key, r);
  }
  QMap<int, int> replacedAt;  // archive row -> its index in plan.replaced
  for (const Entry& e : table.entries) {
    const QString key = recordKey(table.target, columns, e.values);
    const auto found = key.isEmpty() ? rowOf.cend() : rowOf.constFind(key);
    if (found == rowOf.cend()) {
      plan.added << e.values;
      plan.status << kNew;
      continue;
    }
    const int row = *found;
    const QStringList now =
        replacedAt.contains(row) ? plan.replaced[replacedAt[row]].second : existing[row];
    // The fields the file does not give stay as they are.
    QStringList values = now;
    for (int c : table.given) values[c] = e.values[c];
    if (now == values) {
      ++plan.unchanged;
      plan.status << kSame;
    } else if (!replace) {
      ++plan.kept;
      plan.status << kKept;
    } else {
      if (replacedAt.contains(row)) {
        plan.replaced[replacedAt[row]].second = values;
      } else {
        replacedAt.insert(row, int(plan.replaced.size()));
        plan.replaced << qMakePair(row, values);
      }
      plan.status << kReplaced;
    }
  }
  return plan;
}

HistoryPlan planHistory(const Table& table, const DailyHistory& history, bool replace,
                        const QDate& today) {
  HistoryPlan plan;
  QMap<QDate, DayRecord> stored, merged;
  // The stored days of the file's span, read at once.
  QDate first, last;
  for (const Entry& e : table.entries) {
    if (!first.isValid() || e.day.date < first) first = e.day.date;
    if (!last.isValid() || e.day.date > last) last = e.day.date;
  }
  QHash<QDate, DayRecord> before;
  if (first.isValid())
    for (const DayRecord& d : history.span(first, last)) before.insert(d.date, d);
  for (const Entry& e : table.entries) {
    const QDate date = e.day.date;
    // A day not yet come has not been observed: it is never written.
    if (date > today) {
      ++plan.notYet;
      plan.status << kNotYet;
      continue;
    }
    if (!stored.contains(date)) {
      const DayRecord now = before.value(date, DayRecord{date, {}, {}, {}, {}});
      stored.insert(date, now);
      merged.insert(date, now);
    }
    DayRecord& day = merged[date];
    const bool wasEmpty = day.isEmpty();
    int conflicts = 0;
    bool changed = false;
    auto take = [&](QString& field, const QString& value) {
      if (value.isEmpty() || field == value) return;
      if (!field.isEmpty()) {
        ++conflicts;
        if (!replace) return;
      }
      field = value;
      changed = true;
    };
    take(day.minimum, e.day.minimum);
    take(day.maximum, e.day.maximum);
    take(day.rain, e.day.rain);
    take(day.note, e.day.note);
    if (e.day.minimum.isEmpty() && e.day.maximum.isEmpty() && e.day.rain.isEmpty() &&
        e.day.note.isEmpty()) {
      ++plan.empty;
      plan.status << kNothing;
    } else if (wasEmpty) {
      plan.status << kNew;
    } else if (conflicts > 0) {
      // Its empty fields filled in, the others kept: say both.
      plan.status << (replace ? kReplaced : changed ? kCompletedKept : kKept);
      if (!replace) ++plan.kept;
    } else if (changed) {
      plan.status << kCompleted;
    } else {
      ++plan.unchanged;
      plan.status << kSame;
    }
  }
  for (auto it = merged.cbegin(); it != merged.cend(); ++it)
    if (!(stored[it.key()] == it.value())) plan.days << it.value();
  return plan;
}

}  // namespace csvexchange
