#pragma once
// The four archives' records: which file holds each archive, the columns of
// its table "tab" (the one list that the schemas, the entry dialogs and the
// printouts share) and the texts a record stores, composed from what the
// keeper typed into the entry dialog, and read back into those values when a
// record is corrected.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

enum class ArchiveKind { Temperature, Rain, Snow, OtherEvents };

// The four kinds in the order the archives are opened and closed.
inline constexpr ArchiveKind kArchiveKinds[] = {ArchiveKind::Temperature, ArchiveKind::Rain,
                                                ArchiveKind::Snow, ArchiveKind::OtherEvents};

// "temperature.mdb", "datipluviometrici.mdb", "neve.mdb", "altrieventi.mdb".
QString archiveFileName(ArchiveKind kind);

namespace records {

// The columns of the archive's table, in their order.
const QStringList& columns(ArchiveKind kind);
// The statement that creates the archive's empty table.
QString createTable(ArchiveKind kind);

// A record as stored: each column with its text, in the table's order.
using Record = QList<QPair<QString, QString>>;

// "Inserimento temperature medie mensili".
struct Temperature {
  QString month;  // "Gennaio" ... "Dicembre"
  QString year;
  QString max, min;  // the means as typed, without unit
  QString note;      // CR LF line ends
};
Record compose(const Temperature& r);

// "Inserimento pioggia mensile".
struct Rain {
  QString month, year;
  QString events;  // number of events, as typed
  QString total;   // millimetres, as typed
  QString note;
};
Record compose(const Rain& r);

// "Inserimento evento nevoso".
struct Snow {
  QString firstYear, secondYear;  // the winter
  QString day, month;
  QString kind;                // "Farinosa" ... "Non rilevato"
  QString depth;               // cm
  QString water;               // mm of melted snow
  QString extreme1, extreme2;  // °C
  QString note;
};
Record compose(const Snow& r);

// "Inserimento di altri eventi".
struct OtherEvent {
  QString day, month, year;
  QString event;     // "Grandine" ... "Tornado"
  QString features;  // "Caratteristiche/eventuali dati"
  QString remarks;   // "Osservazioni"
};
Record compose(const OtherEvent& r);

// The kinds of snow the entry dialog offers, "Farinosa" ... "Non rilevato".
const QStringList& snowKinds();
// The kinds of event the entry dialog offers, "Grandine" ... "Tornado".
const QStringList& eventKinds();

// The inverses of compose(): the values an entry dialog composes these texts
// from, given one text per column in the table's order. Nothing when the texts
// are not of that form or would not fit the dialog: a unit or separator
// missing, a month, day, kind of snow or event not in its lists, a year that is
// not one to four digits, a line break in a one-line field, a column missing.
// Composing the result always gives back exactly the same texts.
std::optional<Temperature> parseTemperature(const QStringList& values);
std::optional<Rain> parseRain(const QStringList& values);
std::optional<Snow> parseSnow(const QStringList& values);
std::optional<OtherEvent> parseOtherEvent(const QStringList& values);

}  // namespace records
