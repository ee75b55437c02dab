#pragma once
// The archives: one descriptor per kind (its file, the columns of its table
// "tab", its captions, printout heading and CSV names, the names of its
// widgets), which every other place iterates; and the texts a record stores,
// composed from what the keeper typed into the entry dialog, and read back
// into those values when a record is corrected.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <iterator>
#include <optional>

enum class ArchiveKind { Temperature, Rain, Snow, OtherEvents };

// The kinds in the order the archives are opened and closed, and the panels
// and entries of the main window are laid out.
inline constexpr ArchiveKind kArchiveKinds[] = {ArchiveKind::Temperature, ArchiveKind::Rain,
                                                ArchiveKind::Snow, ArchiveKind::OtherEvents};
inline constexpr int kArchiveCount = int(std::size(kArchiveKinds));
// A kind's place in kArchiveKinds is its value, which indexes anything kept per kind.
static_assert([] {
  for (int i = 0; i < kArchiveCount; ++i)
    if (int(kArchiveKinds[i]) != i) return false;
  return true;
}());

// One column of an archive's table "tab": what its texts hold, so that a CSV
// cell goes out bare and comes back as the entry dialog writes it, and the
// check at entry that its value gets.
struct ArchiveColumn {
  enum class Form { Text, Number, MonthYear };
  enum class Check { None, Temperature, MonthlyRain, Amount, TemperaturePair };
  QString name;
  Form form = Form::Text;
  QString unit;  // what follows a number: " °C", " mm", ...
  Check check = Check::None;
};

// Everything the program knows of one kind of archive, in one place: every
// place that deals with the archives goes through these, kind by kind.
struct ArchiveDescriptor {
  ArchiveKind kind;
  QString fileName;                // "temperature.mdb"
  QVector<ArchiveColumn> columns;  // the table's, in their order
  QStringList columnNames;         // the same names
  // The columns that make a record a repeat of another (CSV import), and
  // what the preview calls that.
  QStringList keyColumns;
  QString sameKey;  // "stesso mese"
  // The mean's minimum and maximum columns checked against each other.
  QString minimumColumn, maximumColumn;
  QString title;  // "Archivio temperature medie mensili": the grid, as a screen reader names it
  QString printoutTitle;  // " - Temperature medie mensili", after the station's name
  QString csvName;        // "Temperature medie mensili", in the CSV windows' lists
  QString csvFileName;    // "temperature.csv", offered by the export
  QString entryWindow;    // the class (and object) name of its entry dialog, "Dialog4"
  // Deleting the last record leaves no current record (else the new last one).
  bool endAfterLastDeleted = false;

  // The main window's widgets for this archive.
  struct Panel {
    const char* panel;    // "temper"
    const char* grid;     // "DataGrid1"
    const char* toolbar;  // "Toolbar2"
    const char* frame;    // "Frame1"
  } panel;
  struct MenuItem {
    const char* name;  // "TEMPE"
    QString caption;   // "&Temperature"
    int key;           // Qt::Key_F5
  } menuItem;
  // Its entry in the navigation pane.
  struct Navigation {
    const char* label;  // "Label1"
    QString caption;    // the label's text, blanks in front for the picture
    QString tooltip;
    const char* icon;                    // "Image1"
    const char* marker;                  // "this1"
    std::array<const char*, 4> hover;    // top, bottom, left, right
    std::array<const char*, 4> pressed;  // top, bottom, left, right
    bool pressedStays = false;           // only its own release hides its pressed frame
  } navigation;
  // Its option in the print dialog.
  struct PrintOption {
    const char* name;  // "Option2"
    QString caption;   // "...&temperature"
  } printOption;
};

const ArchiveDescriptor& archiveDescriptor(ArchiveKind kind);

// "temperature.mdb", "datipluviometrici.mdb", "neve.mdb", "altrieventi.mdb".
inline QString archiveFileName(ArchiveKind kind) { return archiveDescriptor(kind).fileName; }

namespace records {

// The columns of the archive's table, in their order.
inline const QStringList& columns(ArchiveKind kind) { return archiveDescriptor(kind).columnNames; }
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
