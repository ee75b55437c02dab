#pragma once

#include <QString>
#include <QStringList>

#include <array>

// One step of a backup or restore: the name appended to both folders and the
// progress block shown once the file is copied (empty when there is none). An
// optional file that is not in the source folder is skipped: the daily
// history is missing from data folders and backups made before it existed,
// and such a backup still restores the other eight files; the history already
// in the destination then stays as it is.
struct Passo {
  const char* nome;
  const char* blocco;
  bool facoltativo = false;
};

// The data file set in the order it is copied. The names carry their leading
// separator: they are appended to the folders exactly as typed, so a folder
// that already ends in a separator gives a doubled one, which the system
// accepts as the same path.
inline constexpr std::array<Passo, 9> kPassi{{
    {"/neve.mdb", "primo"},
    {"/temperature.mdb", ""},
    {"/altrieventi.mdb", "secondo"},
    {"/datipluviometrici.mdb", "terzo"},
    {"/giornaliero.mdb", "", true},
    {"/config.cfg", "quarto"},
    {"/tempmedie.txt", ""},
    {"/prpanno.txt", "quinto"},
    {"/prpgiornaliera.txt", "sesto"},
}};

// Copies the whole of sorgente over destinazione. The bytes go to a temporary
// file in the destination folder that replaces destinazione only once it is
// complete and on disk; on any failure the temporary file is removed and
// destinazione keeps its old contents. Returns false on failure.
// An archive (".mdb") with a journal beside it is first settled with
// sistemaGiornale(); no journal is ever left beside the archive copied.
bool copiaFile(const QString& sorgente, const QString& destinazione);
// One step: copiaFile, or nothing for an optional file the source lacks.
bool copiaPasso(const Passo& passo, const QString& origine, const QString& destinazione);

// An archive killed in the middle of a write leaves "<archive>-journal"
// beside it: SQLite plays it back at the next opening. Opens and reads the
// archive once so that SQLite rolls it back now. True when there is no
// journal or it was settled; false when the archive cannot be opened.
bool sistemaGiornale(const QString& archivio);

// Removes from the folder the temporary copies of the data files that a
// write killed halfway left behind ("prpanno.txt.Ab3xYz"); their names.
QStringList rimuoviCopieInterrotte(const QString& cartella);
