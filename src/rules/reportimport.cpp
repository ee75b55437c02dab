#include "rules/reportimport.h"

#include <QDate>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include "rules/numbers.h"
#include "rules/tempreport.h"
#include "rules/textfile.h"

namespace reportimport {

namespace {

const QString kPrefix = QStringLiteral("Stazione meteorologica ");
const QString kTemperatureMarker = QStringLiteral(" - Temperature mese: ");
const QString kRainMarker = QStringLiteral(" - Pioggia giornaliera mese: ");
const QString kDegrees = QStringLiteral(" °C");
const QString kMillimetres = QStringLiteral(" mm");

const QString kNotAReport = QStringLiteral(
    "Non è un resoconto di Nubilario delle temperature o delle precipitazioni giornaliere.");

Report refusedWhole(Report r, int line, const QString& reason) {
  r.readable = false;
  r.days.clear();
  r.refused = {Refusal{line, reason}};
  return r;
}

// The lines without their ends and without the blanks after their last text.
QStringList linesOf(const QString& text) {
  QStringList lines = text.split(u'\n');
  for (QString& line : lines) {
    if (line.endsWith(u'\r')) line.chop(1);
    while (line.endsWith(u' ') || line.endsWith(u'\t')) line.chop(1);
  }
  return lines;
}

// Reads the first line into r; the refusal when it is not a report's heading.
std::optional<Refusal> readHeading(const QString& line, Report& r) {
  // The station comes first and may itself hold either marker: the heading's
  // marker is the last one.
  const qsizetype temperature = line.lastIndexOf(kTemperatureMarker);
  const qsizetype rain = line.lastIndexOf(kRainMarker);
  const qsizetype at = qMax(temperature, rain);
  if (!line.startsWith(kPrefix) || at < kPrefix.size()) return Refusal{0, kNotAReport};
  r.kind = rain > temperature ? Kind::Rain : Kind::Temperature;
  r.station = line.mid(kPrefix.size(), at - kPrefix.size());
  const QString date =
      line.mid(at + (r.kind == Kind::Rain ? kRainMarker : kTemperatureMarker).size());
  static const QRegularExpression monthYear(QStringLiteral("^([0-9]{1,2})/([0-9]{4})$"));
  const auto match = monthYear.match(date);
  const int month = match.hasMatch() ? match.captured(1).toInt() : 0;
  const int year = match.hasMatch() ? match.captured(2).toInt() : 0;
  if (!QDate(year, month, 1).isValid())
    return Refusal{1, QStringLiteral("L'intestazione non indica un mese da 1 a 12 e un anno di "
                                     "quattro cifre: %1.")
                          .arg(textfile::quote(date, u'"', u'"'))};
  r.month = month;
  r.year = year;
  return std::nullopt;
}

// A day line as the layout has it: its value texts, or why it is not the
// line of that day.
struct DayLine {
  QStringList values;  // minimum and maximum, or the precipitation
  QString broken;      // the layout cannot be trusted from here on
  bool ambiguous = false;
};

DayLine notTheDay(const QString& line, int day, const QString& word) {
  static const QRegularExpression anyDay(QStringLiteral("^([0-9]{1,2})° (Giorno|giorno):"));
  const auto match = anyDay.match(line);
  const QString expected = QString::number(day);
  if (match.hasMatch() && match.captured(2) == word && match.captured(1) != expected)
    return {{},
            QStringLiteral("Si attendeva la riga del giorno %1 e si trova quella del giorno %2.")
                .arg(expected, match.captured(1))};
  return {
      {},
      QStringLiteral("Si attendeva la riga del giorno %1 come la scrive Nubilario.").arg(expected)};
}

DayLine missingUnit(int day, const QString& unit) {
  return {{},
          QStringLiteral("Nella riga del giorno %1 manca l'unità \"%2\" alla fine.")
              .arg(QString::number(day), unit.trimmed())};
}

DayLine temperatureLine(const QString& line, int day) {
  const QString label = tempreport::dayLabel(day);
  if (!line.startsWith(label)) return notTheDay(line, day, QStringLiteral("Giorno"));
  if (line.size() < label.size() + kDegrees.size() || !line.endsWith(kDegrees))
    return missingUnit(day, kDegrees);
  const QString middle = line.mid(label.size(), line.size() - label.size() - kDegrees.size());
  const QString between = kDegrees + tempreport::separator(day);
  const qsizetype at = middle.indexOf(between);
  if (at < 0)
    return {{},
            QStringLiteral("Nella riga del giorno %1 manca la barra tra la minima e la massima, "
                           "con gli spazi che Nubilario mette intorno.")
                .arg(day)};
  // A value holding the separator itself: the line splits in more than one way.
  if (middle.lastIndexOf(between) != at) return {{}, {}, true};
  return {{middle.left(at), middle.mid(at + between.size())}, {}};
}

DayLine rainLine(const QString& line, int day) {
  const QString label = QString::number(day) + QStringLiteral("° giorno: ");
  if (!line.startsWith(label)) return notTheDay(line, day, QStringLiteral("giorno"));
  if (line.size() < label.size() + kMillimetres.size() || !line.endsWith(kMillimetres))
    return missingUnit(day, kMillimetres);
  return {{line.mid(label.size(), line.size() - label.size() - kMillimetres.size())}, {}};
}

// Why a value is refused; nullopt when it is kept or goes silently (*kept says which).
std::optional<QString> judge(Kind kind, const QString& text, int day, int daysInMonth,
                             const QString& what, bool* kept) {
  *kept = false;
  if (text.isEmpty()) return std::nullopt;
  const QString dayText = QString::number(day);
  if (day > daysInMonth) {
    // The precipitation sheet holds "0" in every cell it was not given.
    if (kind == Kind::Rain && num::readFixed4(text) == num::Fixed4{0}) return std::nullopt;
    return QStringLiteral("giorno %1: %2 %3 è oltre la fine del mese, che ha %4 giorni")
        .arg(dayText, what, textfile::quote(text, u'"', u'"'), QString::number(daysInMonth));
  }
  const bool number =
      kind == Kind::Rain ? num::readFixed4(text).has_value() : num::readLocale(text).has_value();
  if (!number)
    return QStringLiteral("giorno %1: %2 %3 non è un numero")
        .arg(dayText, what, textfile::quote(text, u'"', u'"'));
  // Unlikely values are the keeper's to judge; rain below zero cannot be.
  if (kind == Kind::Rain && num::readFixed4(text)->units < 0)
    return QStringLiteral("giorno %1: %2 %3 è sotto zero")
        .arg(dayText, what, textfile::quote(text, u'"', u'"'));
  *kept = true;
  return std::nullopt;
}

}  // namespace

Report read(const QByteArray& bytes) {
  Report r;
  if (bytes.isEmpty()) return refusedWhole(r, 0, QStringLiteral("Il file è vuoto."));
  const QStringList lines = linesOf(textfile::decode(bytes));
  if (const auto why = readHeading(lines.first(), r))
    return refusedWhole(r, why->line, why->reason);

  const int daysInMonth = QDate(r.year, r.month, 1).daysInMonth();
  const QStringList what =
      r.kind == Kind::Rain ? QStringList{QStringLiteral("la pioggia")}
                           : QStringList{QStringLiteral("la minima"), QStringLiteral("la massima")};
  qsizetype i = 1;
  for (int day = 1; day <= 31; ++day) {
    while (i < lines.size() && lines.at(i).isEmpty()) ++i;
    if (i == lines.size())
      return refusedWhole(
          r, 0, QStringLiteral("Il file finisce prima della riga del giorno %1.").arg(day));
    const int lineNumber = int(i) + 1;
    const DayLine d =
        r.kind == Kind::Rain ? rainLine(lines.at(i), day) : temperatureLine(lines.at(i), day);
    ++i;
    if (!d.broken.isEmpty()) return refusedWhole(r, lineNumber, d.broken);
    if (d.ambiguous) {
      r.refused.append({lineNumber, QStringLiteral("giorno %1: la riga contiene più volte il "
                                                   "separatore, minima e massima non si "
                                                   "distinguono")
                                        .arg(day)});
      continue;
    }
    Day values{day, {}, {}, {}};
    QString* const fields[] = {r.kind == Kind::Rain ? &values.rain : &values.minimum,
                               &values.maximum};
    bool any = false;
    for (qsizetype v = 0; v < d.values.size(); ++v) {
      bool kept = false;
      if (const auto why = judge(r.kind, d.values.at(v), day, daysInMonth, what.at(v), &kept))
        r.refused.append({lineNumber, *why});
      if (kept) *fields[v] = d.values.at(v);
      any = any || kept;
    }
    if (any) r.days.append(values);
  }
  r.readable = true;
  return r;
}

Report readFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return refusedWhole({}, 0, QStringLiteral("Impossibile aprire il file."));
  // One byte past the limit tells a file too large from one just within it.
  const QByteArray bytes = file.read(kMaxFileSize + 1);
  if (file.error() != QFileDevice::NoError)
    return refusedWhole({}, 0, QStringLiteral("Impossibile leggere il file."));
  if (bytes.size() > kMaxFileSize)
    return refusedWhole({}, 0,
                        QStringLiteral("Il file supera 1 MiB: un resoconto di Nubilario è di "
                                       "pochi kilobyte."));
  return read(bytes);
}

}  // namespace reportimport
