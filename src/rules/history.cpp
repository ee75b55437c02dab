#include "rules/history.h"

#include <QHash>

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <QUuid>

#include "rules/numbers.h"
#include "rules/sqlitefile.h"

const QString DailyHistory::kFileName = QStringLiteral("giornaliero.mdb");

namespace {

constexpr int kUndoLimit = 200;

const QString kCreate = QStringLiteral(
    "CREATE TABLE \"tab\" ("
    "\"data\" TEXT PRIMARY KEY NOT NULL, "
    "\"minima\" TEXT NOT NULL DEFAULT '', "
    "\"massima\" TEXT NOT NULL DEFAULT '', "
    "\"precipitazione\" TEXT NOT NULL DEFAULT '', "
    "\"nota\" TEXT NOT NULL DEFAULT '', "
    "\"minima_num\" REAL, "
    "\"massima_num\" REAL, "
    "\"precipitazione_num\" INTEGER)");
const QString kColumns =
    QStringLiteral("\"data\", \"minima\", \"massima\", \"precipitazione\", \"nota\"");

const QString kCreateStamps = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS \"fogli\" (\"impronta\" TEXT PRIMARY KEY NOT NULL, "
    "\"mese\" TEXT NOT NULL)");
// What the history remembers besides the days, by key.
const QString kCreateState = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS \"stato\" (\"chiave\" TEXT PRIMARY KEY NOT NULL, "
    "\"valore\" TEXT NOT NULL)");
const QString kHandOverKey = QStringLiteral("ultima archiviazione dei fogli");

QString isoDate(const QDate& d) { return d.toString(Qt::ISODate); }

// What identifies a sheet's content: its kind and every cell.
QString stampOf(history::Sheet sheet, const QStringList& first, const QStringList& second) {
  QByteArray bytes = sheet == history::Sheet::Temperature ? "T" : "P";
  for (const QStringList* l : {&first, &second}) {
    bytes += '\n';
    for (const QString& t : *l) bytes += t.toUtf8() + '\x1f';
  }
  return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QVariant temperatureNumber(const QString& text) {
  const auto v = num::readLocale(text);
  return v ? QVariant(*v) : QVariant(QMetaType::fromType<double>());
}

QVariant rainNumber(const QString& text) {
  const auto v = num::readFixed4(text);
  return v ? QVariant(v->units) : QVariant(QMetaType::fromType<qlonglong>());
}

// Opens a connection on an existing file, for reading and writing or reading only.
bool openExisting(QSqlDatabase& db, const QString& path, bool readOnly, QString* error) {
  QUrl uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
  db.setDatabaseName(uri.toString(QUrl::FullyEncoded) +
                     (readOnly ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw")));
  db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
  if (!db.open()) {
    if (error) *error = db.lastError().text();
    return false;
  }
  return true;
}

}  // namespace

const QStringList& DailyHistory::columns() {
  static const QStringList names = {
      QStringLiteral("data"),        QStringLiteral("minima"),
      QStringLiteral("massima"),     QStringLiteral("precipitazione"),
      QStringLiteral("nota"),        QStringLiteral("minima_num"),
      QStringLiteral("massima_num"), QStringLiteral("precipitazione_num")};
  return names;
}

DailyHistory::DailyHistory(QObject* parent)
    : QObject(parent),
      connectionName_(QStringLiteral("history-") + QUuid::createUuid().toString(QUuid::Id128)) {}

DailyHistory::~DailyHistory() {
  close();
  if (QSqlDatabase::contains(connectionName_)) QSqlDatabase::removeDatabase(connectionName_);
}

bool DailyHistory::create(const QString& path, QString* error) {
  if (QFileInfo::exists(path)) {
    if (error) *error = QStringLiteral("il file esiste già: ") + path;
    return false;
  }
  return sqlitefile::create(path, {kCreate, kCreateStamps, kCreateState}, error);
}

bool DailyHistory::open(const QString& path, QString* error, Access access) {
  close();
  const bool readOnly = access == Access::ReadOnly;
  if (!QFileInfo::exists(path) && (readOnly || !create(path, error))) {
    if (readOnly && error) *error = QStringLiteral("il file non esiste: ") + path;
    return false;
  }
  QSqlDatabase db = QSqlDatabase::contains(connectionName_)
                        ? QSqlDatabase::database(connectionName_, false)
                        : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
  if (!openExisting(db, path, readOnly, error)) return false;
  // Every column must be there: SQLite would take an unknown quoted name for
  // a text, so the table's own record is asked.
  const QSqlRecord record = db.record(QStringLiteral("tab"));
  for (const QString& column : columns()) {
    if (!record.contains(column)) {
      if (error) *error = QStringLiteral("non è uno storico giornaliero: ") + path;
      db.close();
      return false;
    }
  }
  QSqlQuery q(db);
  q.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
  q.exec(QStringLiteral("PRAGMA synchronous=FULL"));
  // Read-only, a history from before the stamps (or the state) simply has none.
  for (const QString& table : {kCreateStamps, kCreateState}) {
    if (!q.exec(table) && !readOnly) {
      if (error) *error = q.lastError().text();
      db.close();
      return false;
    }
  }
  path_ = path;
  open_ = true;
  return true;
}

void DailyHistory::close() {
  if (QSqlDatabase::contains(connectionName_))
    QSqlDatabase::database(connectionName_, false).close();
  open_ = false;
  undo_.clear();
}

QVector<DayRecord> DailyHistory::select(const QString& where, const QVariantList& values) const {
  QVector<DayRecord> days;
  if (!open_) return days;
  QSqlQuery q(QSqlDatabase::database(connectionName_, false));
  q.setForwardOnly(true);
  q.prepare(QStringLiteral("SELECT %1 FROM \"tab\" %2 ORDER BY \"data\"").arg(kColumns, where));
  for (const QVariant& v : values) q.addBindValue(v);
  if (!q.exec()) return days;
  while (q.next()) {
    days.append({QDate::fromString(q.value(0).toString(), Qt::ISODate), q.value(1).toString(),
                 q.value(2).toString(), q.value(3).toString(), q.value(4).toString()});
  }
  return days;
}

QVector<DayNumbers> DailyHistory::numbers() const {
  QVector<DayNumbers> days;
  if (!open_) return days;
  QSqlQuery q(QSqlDatabase::database(connectionName_, false));
  q.setForwardOnly(true);
  if (!q.exec(QStringLiteral("SELECT \"data\", \"minima_num\", \"massima_num\", "
                             "\"precipitazione_num\" FROM \"tab\" ORDER BY \"data\"")))
    return days;
  auto real = [&](int i) {
    const QVariant v = q.value(i);
    return v.isNull() ? std::optional<double>() : std::optional<double>(v.toDouble());
  };
  while (q.next()) {
    const QVariant rain = q.value(3);
    days.append(
        {QDate::fromString(q.value(0).toString(), Qt::ISODate), real(1), real(2),
         rain.isNull() ? std::optional<qint64>() : std::optional<qint64>(rain.toLongLong())});
  }
  return days;
}

QVector<DayRecord> DailyHistory::month(int year, int month) const {
  const QDate first(year, month, 1);
  if (!first.isValid()) return {};
  return span(first, first.addMonths(1).addDays(-1));
}

QVector<DayRecord> DailyHistory::span(const QDate& first, const QDate& last) const {
  return select(QStringLiteral("WHERE \"data\" BETWEEN ? AND ?"), {isoDate(first), isoDate(last)});
}

QVector<DayRecord> DailyHistory::all() const { return select(QString(), {}); }

DayRecord DailyHistory::day(const QDate& date) const {
  const QVector<DayRecord> found = select(QStringLiteral("WHERE \"data\" = ?"), {isoDate(date)});
  if (!found.isEmpty()) return found.first();
  DayRecord empty;
  empty.date = date;
  return empty;
}

bool DailyHistory::apply(const QVector<DayRecord>& days, QString* error, const QString& stamp,
                         const QString& handOver) {
  QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
  auto fail = [&](const QSqlError& e) {
    if (error) *error = e.text();
    db.rollback();
    return false;
  };
  if (!db.transaction()) return fail(db.lastError());
  QSqlQuery remove(db), store(db);
  remove.prepare(QStringLiteral("DELETE FROM \"tab\" WHERE \"data\" = ?"));
  store.prepare(QStringLiteral("INSERT OR REPLACE INTO \"tab\" (%1, \"minima_num\", "
                               "\"massima_num\", \"precipitazione_num\") "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?)")
                    .arg(kColumns));
  for (const DayRecord& d : days) {
    if (d.isEmpty()) {
      remove.addBindValue(isoDate(d.date));
      if (!remove.exec()) return fail(remove.lastError());
      continue;
    }
    for (const QVariant& v : {QVariant(isoDate(d.date)), QVariant(d.minimum), QVariant(d.maximum),
                              QVariant(d.rain), QVariant(d.note), temperatureNumber(d.minimum),
                              temperatureNumber(d.maximum), rainNumber(d.rain)})
      store.addBindValue(v);
    if (!store.exec()) return fail(store.lastError());
  }
  if (!stamp.isEmpty()) {
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO \"fogli\" VALUES (?, ?)"));
    q.addBindValue(stamp.section(u' ', 0, 0));
    q.addBindValue(stamp.section(u' ', 1, 1));
    if (!q.exec()) return fail(q.lastError());
  }
  if (!handOver.isEmpty()) {
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO \"stato\" VALUES (?, ?)"));
    q.addBindValue(kHandOverKey);
    q.addBindValue(handOver);
    if (!q.exec()) return fail(q.lastError());
  }
  if (!db.commit()) return fail(db.lastError());
  return true;
}

bool DailyHistory::write(const QVector<DayRecord>& days, const QString& what, QString* error) {
  if (!open_) {
    if (error) *error = QStringLiteral("lo storico giornaliero non è aperto");
    return false;
  }
  // Many days (an import): what is stored of their span is read at once.
  QHash<QDate, DayRecord> stored;
  const bool many = days.size() > 62;
  if (many) {
    QDate lo, hi;
    for (const DayRecord& d : days) {
      if (!d.date.isValid()) continue;
      if (!lo.isValid() || d.date < lo) lo = d.date;
      if (!hi.isValid() || d.date > hi) hi = d.date;
    }
    if (lo.isValid())
      for (const DayRecord& d : span(lo, hi)) stored.insert(d.date, d);
  }
  QVector<DayRecord> changes, before;
  for (const DayRecord& d : days) {
    if (!d.date.isValid()) continue;
    const DayRecord was =
        many ? stored.value(d.date, DayRecord{d.date, {}, {}, {}, {}}) : day(d.date);
    if (was == d) continue;
    changes << d;
    before << was;
  }
  if (changes.isEmpty()) return true;
  if (!apply(changes, error)) return false;
  undo_.append({what, before});
  if (undo_.size() > kUndoLimit) undo_.removeFirst();
  auto [lo, hi] = std::minmax_element(changes.begin(), changes.end(),
                                      [](auto& a, auto& b) { return a.date < b.date; });
  Q_EMIT changed(lo->date, hi->date);
  return true;
}

bool DailyHistory::storeSheet(history::Sheet sheet, int year, int month, const QStringList& first,
                              const QStringList& second, const QDate& today, history::Way way,
                              QString* error) {
  if (!open_) {
    if (error) *error = QStringLiteral("lo storico giornaliero non è aperto");
    return false;
  }
  const QVector<DayRecord> days =
      history::fromSheet(*this, sheet, year, month, first, second, today);
  QVector<DayRecord> changes, before;
  for (const DayRecord& d : days) {
    const DayRecord stored = day(d.date);
    if (stored == d) continue;
    changes << d;
    before << stored;
  }
  const QString monthText = QDate(year, month, 1).toString(QStringLiteral("yyyy-MM"));
  // A sheet with values left out is not stored as a whole: a reset still
  // offers it.
  const QString stamp = history::daysLeftOut(sheet, year, month, first, second, today).isEmpty()
                            ? stampOf(sheet, first, second) + u' ' + monthText
                            : QString();
  if (!apply(changes, error, stamp, way == history::Way::HandOver ? monthText : QString()))
    return false;
  if (changes.isEmpty()) return true;
  const QString what =
      (sheet == history::Sheet::Temperature ? QStringLiteral("Temperature di ")
                                            : QStringLiteral("Precipitazioni di ")) +
      QLocale(QLocale::Italian).toString(QDate(year, month, 1), QStringLiteral("MMMM yyyy"));
  undo_.append({what, before});
  if (undo_.size() > kUndoLimit) undo_.removeFirst();
  Q_EMIT changed(changes.first().date, changes.last().date);
  return true;
}

bool DailyHistory::wasStored(history::Sheet sheet, const QStringList& first,
                             const QStringList& second) const {
  if (!open_) return false;
  QSqlQuery q(QSqlDatabase::database(connectionName_, false));
  q.prepare(QStringLiteral("SELECT 1 FROM \"fogli\" WHERE \"impronta\" = ?"));
  q.addBindValue(stampOf(sheet, first, second));
  return q.exec() && q.next();
}

std::optional<QDate> DailyHistory::lastHandOver() const {
  if (!open_) return std::nullopt;
  QSqlQuery q(QSqlDatabase::database(connectionName_, false));
  q.prepare(QStringLiteral("SELECT \"valore\" FROM \"stato\" WHERE \"chiave\" = ?"));
  q.addBindValue(kHandOverKey);
  if (!q.exec() || !q.next()) return std::nullopt;
  const QDate month = QDate::fromString(q.value(0).toString(), QStringLiteral("yyyy-MM"));
  return month.isValid() ? std::optional<QDate>(month) : std::nullopt;
}

bool DailyHistory::forgetHandOver(QString* error) {
  if (!open_) {
    if (error) *error = QStringLiteral("lo storico giornaliero non è aperto");
    return false;
  }
  QSqlQuery q(QSqlDatabase::database(connectionName_, false));
  q.prepare(QStringLiteral("DELETE FROM \"stato\" WHERE \"chiave\" = ?"));
  q.addBindValue(kHandOverKey);
  if (q.exec()) return true;
  if (error) *error = q.lastError().text();
  return false;
}

bool DailyHistory::undo(QString* error) {
  if (undo_.isEmpty()) return false;
  const Step step = undo_.last();
  if (!apply(step.before, error)) return false;
  undo_.removeLast();
  auto [lo, hi] = std::minmax_element(step.before.begin(), step.before.end(),
                                      [](auto& a, auto& b) { return a.date < b.date; });
  Q_EMIT changed(lo->date, hi->date);
  return true;
}

namespace history {

namespace {

// The sheet's texts of day d (1-based), or empty.
QString cell(const QStringList& texts, int d) {
  return d <= texts.size() ? texts[d - 1] : QString();
}

bool isStartingZero(const QString& text) { return text.isEmpty() || text == QStringLiteral("0"); }

// Whether the sheet holds a value for day d.
bool holdsValue(Sheet sheet, const QStringList& first, const QStringList& second, int d) {
  if (sheet == Sheet::Temperature) return !cell(first, d).isEmpty() || !cell(second, d).isEmpty();
  return !isStartingZero(cell(first, d));
}

// The last day of the month a store for it may write: `today` at the latest.
int lastStorable(const QDate& start, const QDate& today) {
  if (start > today) return 0;
  if (start.year() == today.year() && start.month() == today.month()) return today.day();
  return start.daysInMonth();
}

}  // namespace

QVector<DayRecord> fromSheet(const DailyHistory& h, Sheet sheet, int year, int month,
                             const QStringList& first, const QStringList& second,
                             const QDate& today) {
  QVector<DayRecord> days;
  const QDate start(year, month, 1);
  if (!start.isValid()) return days;
  QVector<DayRecord> stored = h.month(year, month);
  auto storedDay = [&](const QDate& date) {
    for (const DayRecord& d : stored)
      if (d.date == date) return d;
    DayRecord empty;
    empty.date = date;
    return empty;
  };
  for (int d = 1; d <= lastStorable(start, today); ++d) {
    DayRecord day = storedDay(QDate(year, month, d));
    if (sheet == Sheet::Temperature) {
      if (!cell(first, d).isEmpty()) day.minimum = cell(first, d);
      if (!cell(second, d).isEmpty()) day.maximum = cell(second, d);
    } else if (!cell(first, d).isEmpty()) {
      day.rain = cell(first, d);
    }
    days << day;
  }
  return days;
}

QVector<int> daysLeftOut(Sheet sheet, int year, int month, const QStringList& first,
                         const QStringList& second, const QDate& today) {
  const QDate start(year, month, 1);
  const int last = start.isValid() ? lastStorable(start, today) : 0;
  QVector<int> out;
  for (int d = last + 1; d <= 31; ++d)
    if (holdsValue(sheet, first, second, d)) out << d;
  return out;
}

bool sheetHasData(Sheet sheet, const QStringList& first, const QStringList& second) {
  if (sheet == Sheet::Temperature) {
    for (const QStringList* l : {&first, &second})
      for (const QString& t : *l)
        if (!t.isEmpty()) return true;
    return false;
  }
  for (const QString& t : first)
    if (!isStartingZero(t)) return true;
  return false;
}

std::optional<QDate> storedMonth(const DailyHistory& h, Sheet sheet, const QStringList& first,
                                 const QStringList& second, const QDate& today) {
  // A month that holds the sheet's first value on the same day of the month
  // is a candidate; it holds the sheet when storing it would change nothing.
  const bool temperature = sheet == Sheet::Temperature;
  for (int d = 1; d <= 31; ++d) {
    for (int which = 0; which < (temperature ? 2 : 1); ++which) {
      const QString text = cell(which == 0 ? first : second, d);
      if (text.isEmpty()) continue;
      const QString column = !temperature ? QStringLiteral("precipitazione")
                             : which == 0 ? QStringLiteral("minima")
                                          : QStringLiteral("massima");
      const QVector<DayRecord> candidates =
          h.select(QStringLiteral("WHERE substr(\"data\", 9, 2) = ? AND \"%1\" = ?").arg(column),
                   {QStringLiteral("%1").arg(d, 2, 10, QLatin1Char('0')), text});
      for (auto c = candidates.crbegin(); c != candidates.crend(); ++c) {
        const QDate m = c->date;
        bool same = true;
        const QVector<DayRecord> wanted =
            fromSheet(h, sheet, m.year(), m.month(), first, second, today);
        for (const DayRecord& w : wanted)
          if (!(h.day(w.date) == w)) same = false;
        // Values of days a store leaves out are not in the history.
        if (!daysLeftOut(sheet, m.year(), m.month(), first, second, today).isEmpty()) same = false;
        if (same) return QDate(m.year(), m.month(), 1);
      }
      return std::nullopt;
    }
  }
  return std::nullopt;
}

MonthProposal proposeMonth(const QDate& today, const std::optional<QDate>& lastHandOver) {
  const QDate thisMonth(today.year(), today.month(), 1);
  const QDate monthBefore = thisMonth.addMonths(-1);
  if (lastHandOver) {
    const QDate handed(lastHandOver->year(), lastHandOver->month(), 1);
    if (handed == thisMonth || handed == monthBefore)
      return {handed, MonthProposal::From::HandOver};
  }
  if (today.day() <= 10) return {monthBefore, MonthProposal::From::MonthBefore};
  return {thisMonth, MonthProposal::From::ThisMonth};
}

QString dayRuns(const QVector<int>& days) {
  QStringList runs;
  for (qsizetype i = 0; i < days.size();) {
    qsizetype j = i;
    while (j + 1 < days.size() && days[j + 1] == days[j] + 1) ++j;
    runs << (j == i ? QString::number(days[i]) : QStringLiteral("%1-%2").arg(days[i]).arg(days[j]));
    i = j + 1;
  }
  return runs.join(QStringLiteral(", "));
}

QString dayName(const QDate& date) {
  return QLocale(QLocale::Italian).toString(date, QStringLiteral("d MMMM yyyy"));
}

}  // namespace history
