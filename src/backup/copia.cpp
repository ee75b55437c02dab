#include "copia.h"

#include <QFile>
#include <QFileInfo>

#include "rules/archivecheck.h"
#include "rules/datafolder.h"
#include "rules/history.h"
#include "rules/records.h"
#include "rules/sheetfile.h"
#include "rules/stationconfig.h"

namespace {

QString giornale(const QString& archivio) { return archivio + QStringLiteral("-journal"); }

QString conSeparatore(const QString& nome) { return QStringLiteral("/") + nome; }

}  // namespace

const std::vector<Passo>& passi() {
  static const std::vector<Passo> elenco{
      {conSeparatore(archiveFileName(ArchiveKind::Snow)), "primo"},
      {conSeparatore(archiveFileName(ArchiveKind::Temperature)), ""},
      {conSeparatore(archiveFileName(ArchiveKind::OtherEvents)), "secondo"},
      {conSeparatore(archiveFileName(ArchiveKind::Rain)), "terzo"},
      {conSeparatore(DailyHistory::kFileName), "", true},
      {conSeparatore(StationConfig::kFileName), "quarto"},
      {conSeparatore(sheetfile::kTemperatures), ""},
      {conSeparatore(sheetfile::kYearRain), "quinto"},
      {conSeparatore(sheetfile::kDailyRain), "sesto"},
  };
  return elenco;
}

bool copiaFile(const QString& sorgente, const QString& destinazione) {
  const bool archivio = sorgente.endsWith(QStringLiteral(".mdb"));
  // An archive whose write was cut short is copied only once SQLite has
  // rolled it back; the old archive at the destination is settled too, so
  // that it stays whole should the copy fail.
  if (archivio) {
    if (!archivecheck::settleJournal(sorgente)) return false;
    if (destinazione != sorgente) archivecheck::settleJournal(destinazione);
  }
  // A journal left at the destination belongs to the file being replaced:
  // beside the new one SQLite would play it back into it.
  const auto senzaGiornale = [&] {
    return !archivio || !QFileInfo::exists(giornale(destinazione)) ||
           QFile::remove(giornale(destinazione));
  };
  if (!datafolder::copyWhole(sorgente, destinazione, nullptr, senzaGiornale)) return false;
  datafolder::syncFolder(QFileInfo(destinazione).absolutePath());
  return true;
}

bool copiaPasso(const Passo& passo, const QString& origine, const QString& destinazione) {
  if (passo.facoltativo && !QFileInfo::exists(origine + passo.nome)) return true;
  return copiaFile(origine + passo.nome, destinazione + passo.nome);
}
