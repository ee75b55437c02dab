#pragma once
// The printouts: each composes its lines from literal texts, blanks and the
// values it is given and sends them to the text printer, then ends the
// document. Every one throws PrintFailure when it cannot print; the caller
// shows the message and drops the document.

#include <QString>
#include <QStringList>

#include "rules/records.h"
#include "rules/recordset.h"
#include "rules/textprinter.h"

namespace printouts {

// An archive from its shared recordset, which is left past its last record:
// one line per record, the archive's columns in their order.
// An empty archive or a missing field fails before anything is printed.
void archivio(TextPrinter& printer, Recordset& archive, ArchiveKind kind, const QString& station);

// The fields of the daily precipitation sheet.
struct PioggiaGiornaliera {
  QStringList days;  // 31 texts, day 1 first
  QString totale;
  int month = 1;  // of the daily temperature sheet's month picker
  int year = 0;
};
void pioggiaGiornaliera(TextPrinter& printer, const QString& station,
                        const PioggiaGiornaliera& sheet);

// The fields of the current-year precipitation sheet.
struct PioggiaAnno {
  QStringList months;  // 12 texts, January first
  QString totale, primosem, secondosem, media;
  int year = 0;
};
void pioggiaAnno(TextPrinter& printer, const QString& station, const PioggiaAnno& sheet);

// The fields of the daily temperature sheet.
struct TemperatureGiornaliere {
  QStringList minima;  // 31 texts, day 1 first
  QStringList maxima;  // 31 texts, day 1 first
  int month = 1;
  int year = 0;
};
void temperatureGiornaliere(TextPrinter& printer, const QString& station,
                            const TemperatureGiornaliere& sheet);

// The notes as they stand in the notes window.
void appunti(TextPrinter& printer, const QString& station, const QString& notes);

// Line labels: "      1° Giorno   " (18 characters), "      1° Giorno     " (20),
// "      Gennaio   " (16).
QString giornoPioggia(int day);
QString giornoTemperatura(int day);
QString mese(int month);

}  // namespace printouts
