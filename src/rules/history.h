#pragma once
// The daily history: every day the keeper has kept, year after year, in its
// own archive "giornaliero.mdb" beside the other four. One row per day with
// the minimum, the maximum, the precipitation and a note as typed, and beside
// the texts their numbers (the minimum and maximum as read by the temperature
// sheet, the precipitation in ten-thousandths of a millimetre as read by the
// precipitation sheets), so that figures can be computed without reading the
// texts again. A day with nothing in it has no row.
//
// Every change is one transaction and one step of the run's undo list.

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

struct DayRecord {
  QDate date;
  QString minimum, maximum;  // °C, as typed
  QString rain;              // mm, as typed
  QString note;
  bool isEmpty() const {
    return minimum.isEmpty() && maximum.isEmpty() && rain.isEmpty() && note.isEmpty();
  }
  friend bool operator==(const DayRecord&, const DayRecord&) = default;
};

// A day's numbers as stored beside its texts: the minimum and maximum as the
// temperature sheet reads them, the precipitation in ten-thousandths of a
// millimetre; absent when the text is empty or not a number.
struct DayNumbers {
  QDate date;
  std::optional<double> minimum, maximum;
  std::optional<qint64> rain;
};

class DailyHistory;
namespace history {
enum class Sheet { Temperature, Rain };
// How a sheet's days reach the history: handed over with the month's figures
// ("Archivia"), or kept just before a reset clears the sheets.
enum class Way { HandOver, BeforeReset };
std::optional<QDate> storedMonth(const DailyHistory& h, Sheet sheet, const QStringList& first,
                                 const QStringList& second, const QDate& today);
}  // namespace history

class DailyHistory : public QObject {
  Q_OBJECT
 public:
  static const QString kFileName;  // "giornaliero.mdb"
  // The columns of its table "tab".
  static const QStringList& columns();

  explicit DailyHistory(QObject* parent = nullptr);
  ~DailyHistory() override;

  // Creates an empty history at `path`; fails when the file exists.
  static bool create(const QString& path, QString* error = nullptr);

  // Opens the history for reading and writing, creating it when it is not
  // there yet (a data folder from before the history). A file that is not a
  // history is refused, never changed. Read-only (a damaged history the
  // keeper chose to keep): never created, and every write fails.
  enum class Access { ReadWrite, ReadOnly };
  bool open(const QString& path, QString* error = nullptr, Access access = Access::ReadWrite);
  bool isOpen() const { return open_; }
  QString path() const { return path_; }
  void close();

  // The stored days of a month, of a span (both ends included) and of all
  // time, by date. Empty when not open.
  QVector<DayRecord> month(int year, int month) const;
  QVector<DayRecord> span(const QDate& first, const QDate& last) const;
  QVector<DayRecord> all() const;
  // The numbers of every stored day, by date, in one query.
  QVector<DayNumbers> numbers() const;
  // One day: its record, empty texts when not stored.
  DayRecord day(const QDate& date) const;

  // Writes the days in one transaction: each replaces the stored day of its
  // date; an empty one removes it. `what` names the change in the undo list
  // ("Correzione del 3 marzo 2026"). Days equal to what is stored are left out;
  // with nothing left nothing is written and no undo step is added. On
  // failure nothing changes and `error` says why.
  bool write(const QVector<DayRecord>& days, const QString& what, QString* error = nullptr);

  // Stores a sheet's days for the month the keeper named (history::fromSheet),
  // none after `today`. When every value of the sheet went in, it remembers
  // that this sheet, as it stands, has been stored, so that later corrections
  // made in the history are not taken for unstored days. A hand-over also
  // remembers its month (lastHandOver), in the same transaction.
  bool storeSheet(history::Sheet sheet, int year, int month, const QStringList& first,
                  const QStringList& second, const QDate& today, history::Way way,
                  QString* error = nullptr);
  // Whether this very sheet content was stored before (by storeSheet).
  bool wasStored(history::Sheet sheet, const QStringList& first, const QStringList& second) const;

  // The month (its first day) of the sheets' last hand-over since the last
  // reset. Kept in the file beside the days it stored, so that it outlives the
  // run and goes wherever the history goes (a backup, another computer).
  std::optional<QDate> lastHandOver() const;
  // The sheets were cleared by a reset: their last hand-over no longer tells
  // the month of what they hold.
  bool forgetHandOver(QString* error = nullptr);

  // The run's undo list, last change first.
  bool canUndo() const { return !undo_.isEmpty(); }
  QString undoText() const { return undo_.isEmpty() ? QString() : undo_.last().what; }
  // Puts back the days as they were before the last change.
  bool undo(QString* error = nullptr);

 Q_SIGNALS:
  // After every write or undo, with the first and last date it touched.
  void changed(const QDate& first, const QDate& last);

 private:
  struct Step {
    QString what;
    QVector<DayRecord> before;  // each day as it was (empty: not stored)
  };
  bool apply(const QVector<DayRecord>& days, QString* error, const QString& stamp = {},
             const QString& handOver = {});
  QVector<DayRecord> select(const QString& where, const QVariantList& values) const;
  friend std::optional<QDate> history::storedMonth(const DailyHistory&, history::Sheet,
                                                   const QStringList&, const QStringList&,
                                                   const QDate&);

  QString connectionName_;
  QString path_;
  bool open_ = false;
  QVector<Step> undo_;
};

namespace history {

// The days a sheet hands to the history for one month: day d takes the
// sheet's texts of day d (minima and maxima, or precipitation) for every day
// of the month up to `today`; a day not yet come is never stored, whatever
// its cell holds. A cell left empty keeps what is stored, the other fields of
// the day (and its note) stay as they are. `first` and `second`: the minima
// and maxima of the temperature sheet, or the precipitation and nothing.
QVector<DayRecord> fromSheet(const DailyHistory& h, Sheet sheet, int year, int month,
                             const QStringList& first, const QStringList& second,
                             const QDate& today);

// The days whose cells hold a value (for the rain sheet, anything but the zero
// it starts from) that storing the sheet for that month leaves out: after
// `today`, or past the month's last day. Ascending.
QVector<int> daysLeftOut(Sheet sheet, int year, int month, const QStringList& first,
                         const QStringList& second, const QDate& today);

// Whether the sheet holds anything worth storing: a temperature typed, or a
// precipitation that is not the zero the sheet starts from.
bool sheetHasData(Sheet sheet, const QStringList& first, const QStringList& second = {});

// The month under which every value of the sheet up to `today` is already
// stored, if any: the sheet was handed to the history and not changed since.
std::optional<QDate> storedMonth(const DailyHistory& h, Sheet sheet, const QStringList& first,
                                 const QStringList& second, const QDate& today);

// The month a reset offers for the sheets' days not yet stored: the month of
// their last hand-over when it is this month or the one before (an older one
// was handed over before the sheets were typed again); without one, the month
// before in the first ten days of a month, when the days are most likely the
// month just ended, and this month later on.
struct MonthProposal {
  enum class From { HandOver, MonthBefore, ThisMonth };
  QDate month;  // its first day
  From from = From::ThisMonth;
  friend bool operator==(const MonthProposal&, const MonthProposal&) = default;
};
MonthProposal proposeMonth(const QDate& today, const std::optional<QDate>& lastHandOver);

// "10-12, 15": day numbers, runs joined.
QString dayRuns(const QVector<int>& days);

// "3 marzo 2026".
QString dayName(const QDate& date);

}  // namespace history
