#pragma once
// The four archives' records: which file holds each archive, the columns of
// its table "tab" (the one list that the schemas, the entry dialogs and the
// printouts share) and the texts a record stores, composed from what the
// keeper typed into the entry dialog.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

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

}  // namespace records
