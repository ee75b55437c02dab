#include "rules/climatereport.h"

#include "rules/history.h"
#include "rules/months.h"

#include <algorithm>

namespace climatereport {

using namespace climate;

namespace {

const QString kAbsent = QStringLiteral("-");
const QString kRule = QString(72, u'-');

QString right(const QString& t, int width) { return t.rightJustified(width); }
QString number(const QString& t) { return t.isEmpty() ? kAbsent : t; }
QString temperature(const std::optional<double>& v) { return number(temperatureText(v)); }
QString rain(const std::optional<Tenths4>& v) { return number(rainText(v)); }

QString signedText(const QString& t) {
  if (t.isEmpty()) return kAbsent;
  return t.startsWith(u'-') || t == QStringLiteral("0,0") || t == QStringLiteral("0.0")
             ? t
             : QStringLiteral("+") + t;
}

// "Giorni di gelo (minima sotto 0 °C):" padded to the column of the values.
QString caption(const QString& text) { return text.leftJustified(42); }

QString when(const Extreme& e, const QString& unit) {
  if (!e.value) return kAbsent;
  return temperatureText(e.value) + unit + QStringLiteral(" il ") + history::dayName(e.date);
}
QString when(const RainExtreme& e, const QString& prefix) {
  if (!e.value) return kAbsent;
  return rainText(e.value) + QStringLiteral(" mm ") + prefix + history::dayName(e.date);
}
QString spell(const Spell& s) {
  if (s.length == 0) return kAbsent;
  return QStringLiteral("%1 %2, dal %3 al %4")
      .arg(s.length)
      .arg(s.length == 1 ? QStringLiteral("giorno") : QStringLiteral("giorni"),
           history::dayName(s.first), history::dayName(s.last));
}

QString period(const Normals& n) {
  return n.firstYear == n.lastYear ? QString::number(n.firstYear)
                                   : QStringLiteral("%1-%2").arg(n.firstYear).arg(n.lastYear);
}

// The foot shared by both reports: counted days, extremes, spells, missing days.
QStringList foot(const Figures& f) {
  QStringList l;
  auto row = [&](const QString& c, const QString& v) { l << caption(c) + v; };
  row(QStringLiteral("Giorni di gelo (minima sotto 0 °C):"), QString::number(f.frostDays));
  row(QStringLiteral("Giorni di ghiaccio (massima sotto 0 °C):"), QString::number(f.iceDays));
  row(QStringLiteral("Giorni estivi (massima sopra 25 °C):"), QString::number(f.summerDays));
  row(QStringLiteral("Notti tropicali (minima sopra 20 °C):"), QString::number(f.tropicalNights));
  row(QStringLiteral("Giorni con almeno 1 mm di precipitazione:"), QString::number(f.rain1));
  row(QStringLiteral("Giorni con almeno 10 mm:"), QString::number(f.rain10));
  row(QStringLiteral("Giorni con almeno 20 mm:"), QString::number(f.rain20));
  l << QString();
  row(QStringLiteral("Massima più alta:"), when(f.highestMax, QStringLiteral(" °C")));
  row(QStringLiteral("Massima più bassa:"), when(f.lowestMax, QStringLiteral(" °C")));
  row(QStringLiteral("Minima più alta:"), when(f.highestMin, QStringLiteral(" °C")));
  row(QStringLiteral("Minima più bassa:"), when(f.lowestMin, QStringLiteral(" °C")));
  row(QStringLiteral("Giorno più piovoso:"), when(f.wettestDay, QStringLiteral("il ")));
  row(QStringLiteral("Cinque giorni più piovosi:"),
      when(f.wettestFive, QStringLiteral("fino al ")));
  row(QStringLiteral("Periodo secco più lungo (sotto 1 mm):"), spell(f.dry));
  row(QStringLiteral("Periodo piovoso più lungo (almeno 1 mm):"), spell(f.wet));
  l << QString();
  row(QStringLiteral("Giorni mancanti:"),
      QStringLiteral("minima %1, massima %2, precipitazione %3 su %4")
          .arg(f.missingMin)
          .arg(f.missingMax)
          .arg(f.missingRain)
          .arg(f.days));
  return l;
}

QStringList heading(const QString& title, const QString& station, const QString& when) {
  return {title, QStringLiteral("Stazione: ") + station, when, QString()};
}

}  // namespace

QStringList month(const QString& station, const Station& s, int year, int month,
                  const Normals& normals) {
  QStringList l =
      heading(QStringLiteral("RESOCONTO CLIMATOLOGICO MENSILE"), station,
              QStringLiteral("Mese: ") + months::name(month) + u' ' + QString::number(year));
  const QDate first(year, month, 1);
  const QDate last = first.addMonths(1).addDays(-1);
  const Figures f = s.span(first, last);
  l << QStringLiteral("Giorno") + right(QStringLiteral("Minima"), 10) +
           right(QStringLiteral("Massima"), 10) + right(QStringLiteral("Media"), 10) +
           right(QStringLiteral("Precipitazione"), 16);
  l << kRule;
  const QVector<Day> days = s.daysOf(first, last);
  auto it = days.begin();
  for (QDate d = first; d <= last; d = d.addDays(1)) {
    const Day* day = (it != days.end() && it->date == d) ? &*it++ : nullptr;
    std::optional<double> mean;
    if (day && day->minimum && day->maximum) mean = (*day->minimum + *day->maximum) / 2;
    l << right(QString::number(d.day()), 6) +
             right(temperature(day ? day->minimum : std::nullopt), 10) +
             right(temperature(day ? day->maximum : std::nullopt), 10) +
             right(temperature(mean), 10) + right(rain(day ? day->rain : std::nullopt), 16);
  }
  l << kRule;
  l << QStringLiteral("Media ") + right(temperature(f.meanMin), 10) +
           right(temperature(f.meanMax), 10) + right(temperature(f.meanTemperature), 10) +
           right(rain(f.totalRain), 16) + QStringLiteral(" (totale)");
  const Normal& n = normals.months[month - 1];
  if (n.meanTemperature || n.total) {
    const Departure dep = departure(s.monthValues(year, month), n);
    l << QStringLiteral("Normale") + right(temperature(n.meanMin), 9) +
             right(temperature(n.meanMax), 10) + right(temperature(n.meanTemperature), 10) +
             right(rain(n.total), 16) + QStringLiteral(" (") + period(normals) + u')';
    QString percent;
    if (dep.totalPercent)
      percent = QStringLiteral(" (%1 %)").arg(temperatureText(dep.totalPercent, 0));
    l << QStringLiteral("Scarto") + right(signedText(temperatureText(dep.meanMin)), 10) +
             right(signedText(temperatureText(dep.meanMax)), 10) +
             right(signedText(temperatureText(dep.meanTemperature)), 10) +
             right(signedText(rainText(dep.total)), 16) + percent;
  }
  l << QString();
  l << foot(f);
  QStringList incomplete;
  const QStringList names = {QStringLiteral("minima"), QStringLiteral("massima"),
                             QStringLiteral("precipitazione")};
  const Element elements[] = {Element::Minimum, Element::Maximum, Element::Rain};
  for (int i = 0; i < 3; ++i)
    if (!s.completeness(year, month, elements[i]).complete) incomplete << names[i];
  if (!incomplete.isEmpty())
    l << QStringLiteral("Mese incompleto per ") + incomplete.join(QStringLiteral(", ")) +
             QStringLiteral(" (più di 10 giorni mancanti o più di 4 di seguito):")
      << QStringLiteral("escluso dalle normali.");
  return l;
}

QStringList year(const QString& station, const Station& s, int year, const Normals& normals) {
  QStringList l = heading(QStringLiteral("RESOCONTO CLIMATOLOGICO ANNUALE"), station,
                          QStringLiteral("Anno: ") + QString::number(year));
  l << QStringLiteral("Mese       ") + right(QStringLiteral("Minima"), 8) +
           right(QStringLiteral("Massima"), 9) + right(QStringLiteral("Media"), 8) +
           right(QStringLiteral("Prec. mm"), 10) + right(QStringLiteral("Gg>=1"), 7) +
           right(QStringLiteral("Scarto T"), 10) + right(QStringLiteral("Scarto P"), 10) +
           QStringLiteral("  Fonte");
  l << kRule;
  for (int m = 1; m <= 12; ++m) {
    const MonthValues v = s.monthValues(year, m);
    const Departure dep = departure(v, normals.months[m - 1]);
    const Figures f = s.month(year, m);
    QString source;
    if (v.temperatureSource == MonthValues::Source::Archive ||
        v.rainSource == MonthValues::Source::Archive)
      source = QStringLiteral("archivio");
    else if (v.temperatureSource == MonthValues::Source::History ||
             v.rainSource == MonthValues::Source::History)
      source = QStringLiteral("storico");
    // Days in the history that do not make a complete month: said, and not counted.
    const bool someDays = f.missingMin < f.days || f.missingMax < f.days || f.missingRain < f.days;
    if (someDays && (v.temperatureSource != MonthValues::Source::History ||
                     v.rainSource != MonthValues::Source::History))
      source += (source.isEmpty() ? QString() : QStringLiteral(", ")) +
                QStringLiteral("storico incompleto");
    l << months::name(m).leftJustified(11) + right(temperature(v.meanMin), 8) +
             right(temperature(v.meanMax), 9) + right(temperature(v.meanTemperature()), 8) +
             right(rain(v.total), 10) +
             right(
                 v.rainSource == MonthValues::Source::History ? QString::number(f.rain1) : kAbsent,
                 7) +
             right(signedText(temperatureText(dep.meanTemperature)), 10) +
             right(signedText(rainText(dep.total)), 10) +
             (source.isEmpty() ? QString() : QStringLiteral("  ") + source);
  }
  l << kRule;
  // The year from its months: the mean of twelve means, the sum of twelve totals.
  std::optional<double> sumMin = 0.0, sumMax = 0.0;
  std::optional<Tenths4> total = 0;
  for (int m = 1; m <= 12; ++m) {
    const MonthValues v = s.monthValues(year, m);
    if (sumMin && v.meanMin && v.meanMax) {
      *sumMin += *v.meanMin;
      *sumMax += *v.meanMax;
    } else {
      sumMin = sumMax = std::nullopt;
    }
    if (total && v.total)
      *total += *v.total;
    else
      total = std::nullopt;
  }
  std::optional<double> meanMin, meanMax, mean;
  if (sumMin) meanMin = *sumMin / 12, meanMax = *sumMax / 12, mean = (*meanMin + *meanMax) / 2;
  l << QStringLiteral("Anno       ") + right(temperature(meanMin), 8) +
           right(temperature(meanMax), 9) + right(temperature(mean), 8) + right(rain(total), 10);
  if (normals.year.meanTemperature || normals.year.total) {
    const Normal& n = normals.year;
    l << QStringLiteral("Normale    ") + right(temperature(n.meanMin), 8) +
             right(temperature(n.meanMax), 9) + right(temperature(n.meanTemperature), 8) +
             right(rain(n.total), 10) + QStringLiteral(" (") + period(normals) + u')';
    std::optional<double> dMean;
    if (mean && n.meanTemperature) dMean = *mean - *n.meanTemperature;
    std::optional<Tenths4> dTotal;
    if (total && n.total) dTotal = *total - *n.total;
    l << QStringLiteral("Scarto     ") + right(QString(), 8) + right(QString(), 9) +
             right(signedText(temperatureText(dMean)), 8) + right(signedText(rainText(dTotal)), 10);
  }
  l << QString() << QStringLiteral("Dai giorni dello storico:") << QString();
  l << foot(s.year(year));
  return l;
}

QStringList years(const QString& station, const Station& s, int firstYear, int lastYear) {
  QStringList l = heading(QStringLiteral("RESOCONTO CLIMATOLOGICO PLURIENNALE"), station,
                          QStringLiteral("Anni: %1-%2").arg(firstYear).arg(lastYear));
  l << QStringLiteral("Anno ") + right(QStringLiteral("Minima"), 8) +
           right(QStringLiteral("Massima"), 9) + right(QStringLiteral("Prec. mm"), 10) +
           right(QStringLiteral("Gg>=1"), 7) + right(QStringLiteral("Gelo"), 6) +
           right(QStringLiteral("Estivi"), 8) + right(QStringLiteral("Mancanti"), 10);
  l << kRule;
  for (int y = firstYear; y <= lastYear; ++y) {
    const Figures f = s.year(y);
    l << QString::number(y).leftJustified(5) + right(temperature(f.meanMin), 8) +
             right(temperature(f.meanMax), 9) + right(rain(f.totalRain), 10) +
             right(QString::number(f.rain1), 7) + right(QString::number(f.frostDays), 6) +
             right(QString::number(f.summerDays), 8) +
             right(QString::number(std::max({f.missingMin, f.missingMax, f.missingRain})), 10);
  }
  l << kRule;
  const Figures all = s.span(QDate(firstYear, 1, 1), QDate(lastYear, 12, 31));
  l << QStringLiteral("Media") + right(temperature(all.meanMin), 8) +
           right(temperature(all.meanMax), 9);
  l << QString();
  l << foot(all);
  return l;
}

QStringList normals(const QString& station, const Normals& n) {
  QStringList l = heading(QStringLiteral("NORMALI CLIMATOLOGICHE"), station,
                          QStringLiteral("Periodo di riferimento: ") + period(n));
  l << QStringLiteral("Mese       ") + right(QStringLiteral("Minima"), 8) +
           right(QStringLiteral("Massima"), 9) + right(QStringLiteral("Media"), 8) +
           right(QStringLiteral("Prec. mm"), 10) + right(QStringLiteral("Anni T"), 8) +
           right(QStringLiteral("Anni P"), 8);
  l << kRule;
  auto row = [&](const QString& name, const Normal& m, bool counts) {
    l << name.leftJustified(11) + right(temperature(m.meanMin), 8) +
             right(temperature(m.meanMax), 9) + right(temperature(m.meanTemperature), 8) +
             right(rain(m.total), 10) +
             (counts ? right(QString::number(m.temperatureYears), 8) +
                           right(QString::number(m.rainYears), 8)
                     : QString());
  };
  for (int m = 1; m <= 12; ++m) row(months::name(m), n.months[m - 1], true);
  l << kRule;
  row(QStringLiteral("Anno"), n.year, false);
  l << QString() << QStringLiteral("Ogni normale è la media dei mesi noti del periodo;")
    << QStringLiteral("un mese incompleto nello storico (più di 10 giorni mancanti o più di 4")
    << QStringLiteral("di seguito) vale solo se l'archivio mensile ne ha il dato.");
  return l;
}

QStringList records(const QString& station, const Station& s) {
  QStringList l = heading(
      QStringLiteral("RECORD DELLA STAZIONE"), station,
      s.firstYear() ? QStringLiteral("Dati dal %1 al %2").arg(s.firstYear()).arg(s.lastYear())
                    : QStringLiteral("Nessun dato"));
  const StationRecords r = climate::records(s);
  auto block = [&](const QString& title, const Records& x) {
    l << title << QString(title.size(), u'-');
    auto row = [&](const QString& c, const QString& v) { l << caption(c) + v; };
    row(QStringLiteral("Massima più alta:"), when(x.highestMax, QStringLiteral(" °C")));
    row(QStringLiteral("Minima più bassa:"), when(x.lowestMin, QStringLiteral(" °C")));
    row(QStringLiteral("Massima più bassa:"), when(x.lowestMax, QStringLiteral(" °C")));
    row(QStringLiteral("Minima più alta:"), when(x.highestMin, QStringLiteral(" °C")));
    row(QStringLiteral("Giorno più piovoso:"), when(x.wettestDay, QStringLiteral("il ")));
    row(QStringLiteral("Cinque giorni più piovosi:"),
        when(x.wettestFive, QStringLiteral("fino al ")));
    auto monthOf = [](const RainExtreme& e) {
      if (!e.value) return kAbsent;
      return rainText(e.value) + QStringLiteral(" mm in ") +
             months::name(e.date.month()).toLower() + u' ' + QString::number(e.date.year());
    };
    row(QStringLiteral("Mese più piovoso:"), monthOf(x.wettestMonth));
    row(QStringLiteral("Mese più secco:"), monthOf(x.driestMonth));
    l << QString();
  };
  block(QStringLiteral("Di tutti i tempi"), r.allTime);
  for (int m = 1; m <= 12; ++m) block(months::name(m), r.months[m - 1]);
  return l;
}

QString text(const QStringList& lines) {
  return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

}  // namespace climatereport
