#include "copia.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

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
  static const std::vector<Passo> elenco = [] {
    // The wizard's own order, each step with the progress block it lights;
    // any other file of the data file set follows, with none.
    std::vector<Passo> passi{
        {conSeparatore(archiveFileName(ArchiveKind::Snow)), "primo"},
        {conSeparatore(archiveFileName(ArchiveKind::Temperature)), ""},
        {conSeparatore(archiveFileName(ArchiveKind::OtherEvents)), "secondo"},
        {conSeparatore(archiveFileName(ArchiveKind::Rain)), "terzo"},
        {conSeparatore(DailyHistory::kFileName), "", true},
        {conSeparatore(StationConfig::kFileName), "quarto"},
        {conSeparatore(QLatin1String(sheetfile::kTemperatures.fileName)), ""},
        {conSeparatore(QLatin1String(sheetfile::kYearRain.fileName)), "quinto"},
        {conSeparatore(QLatin1String(sheetfile::kDailyRain.fileName)), "sesto"},
    };
    for (const QString& nome : datafolder::fileNames()) {
      const QString passo = conSeparatore(nome);
      if (std::none_of(passi.cbegin(), passi.cend(),
                       [&](const Passo& p) { return p.nome == passo; }))
        passi.push_back({passo, "", true});
    }
    return passi;
  }();
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
