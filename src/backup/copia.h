#pragma once

#include <QString>

#include <vector>

// One step of a backup or restore: the name appended to both folders and the
// progress block shown once the file is copied (empty when there is none). An
// optional file that is not in the source folder is skipped: the daily
// history is missing from data folders and backups made before it existed,
// and such a backup still restores the other eight files; the history already
// in the destination then stays as it is.
struct Passo {
  QString nome;
  const char* blocco;
  bool facoltativo = false;
};

// The data file set (named by the main program's rules) in the order it is
// copied. The names carry their leading separator: they are appended to the
// folders exactly as typed, so a folder that already ends in a separator gives
// a doubled one, which the system accepts as the same path.
const std::vector<Passo>& passi();

// Copies the whole of sorgente over destinazione. The bytes go to a temporary
// file in the destination folder that replaces destinazione only once it is
// complete and on disk; on any failure the temporary file is removed and
// destinazione keeps its old contents. Returns false on failure.
// An archive (".mdb") with a journal beside it is first settled; no journal
// is ever left beside the archive copied.
bool copiaFile(const QString& sorgente, const QString& destinazione);
// One step: copiaFile, or nothing for an optional file the source lacks.
bool copiaPasso(const Passo& passo, const QString& origine, const QString& destinazione);
