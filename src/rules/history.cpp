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
  return sqlitefile::create(path, {kCreate, kCreateStamps}, error);
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
  // Read-only, a history from before the stamps simply has none.
  if (!q.exec(kCreateStamps) && !readOnly) {
    if (error) *error = q.lastError().text();
    db.close();
    return false;
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

bool DailyHistory::apply(const QVector<DayRecord>& days, QString* error, const QString& stamp) {
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
                              const QStringList& second, QString* error) {
  if (!open_) {
    if (error) *error = QStringLiteral("lo storico giornaliero non è aperto");
    return false;
  }
  const QVector<DayRecord> days = history::fromSheet(*this, sheet, year, month, first, second);
  QVector<DayRecord> changes, before;
  for (const DayRecord& d : days) {
    const DayRecord stored = day(d.date);
    if (stored == d) continue;
    changes << d;
    before << stored;
  }
  const QString stamp = stampOf(sheet, first, second) + u' ' +
                        QDate(year, month, 1).toString(QStringLiteral("yyyy-MM"));
  if (!apply(changes, error, stamp)) return false;
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

}  // namespace

QVector<DayRecord> fromSheet(const DailyHistory& h, Sheet sheet, int year, int month,
                             const QStringList& first, const QStringList& second) {
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
  for (int d = 1; d <= start.daysInMonth(); ++d) {
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
                                 const QStringList& second) {
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
        const QVector<DayRecord> wanted = fromSheet(h, sheet, m.year(), m.month(), first, second);
        for (const DayRecord& w : wanted)
          if (!(h.day(w.date) == w)) same = false;
        // Values typed beyond the month's last day are not in the history.
        for (int extra = m.daysInMonth() + 1; extra <= 31 && same; ++extra)
          if (temperature ? !cell(first, extra).isEmpty() || !cell(second, extra).isEmpty()
                          : !isStartingZero(cell(first, extra)))
            same = false;
        if (same) return QDate(m.year(), m.month(), 1);
      }
      return std::nullopt;
    }
  }
  return std::nullopt;
}

QString dayName(const QDate& date) {
  return QLocale(QLocale::Italian).toString(date, QStringLiteral("d MMMM yyyy"));
}

}  // namespace history
