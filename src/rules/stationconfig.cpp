#include "rules/stationconfig.h"

#include <QDir>

#include "rules/textfile.h"

const QString StationConfig::kFileName = QStringLiteral("config.cfg");
const QString StationConfig::kStandard = QStringLiteral("(a norma)");
const QString StationConfig::kNotStandard = QStringLiteral("(non a norma)");

QStringList StationConfig::lines() const {
  QStringList out;
  for (QString StationConfig::*value : kLines) out << this->*value;
  return out;
}

StationConfig::Reading StationConfig::read(const QString& path) {
  Reading r;
  // Its lines, of a sensible length, are all the file can hold: a huge file
  // is not read beyond them.
  const auto lines = textfile::readLines(path, kLineCount, kMaxBytes);
  if (!lines) return r;
  r.found = true;
  for (QString StationConfig::*value : kLines) {
    if (r.lines >= lines->size()) break;
    r.config.*value = lines->at(r.lines++);
  }
  return r;
}

bool StationConfig::write(const QString& path, QString* error) const {
  // Replaced atomically; in a folder that takes no new file (but holds a
  // writable config.cfg) rewritten in place rather than not at all.
  return textfile::writeLines(path, lines(), textfile::InPlace::WhenFolderIsReadOnly, error);
}

void StationConfig::fillEmptyFolders(const QString& dataFolder) {
  if (percorsoAppunti.isEmpty()) percorsoAppunti = dataFolder;
  if (riepiloghiMensili.isEmpty()) riepiloghiMensili = dataFolder;
}

StationConfig StationConfig::initial() {
  StationConfig c;
  c.nome = QStringLiteral("Stazione meteo");
  // Empty folders mean the data folder wherever it lies, so a data folder
  // that is moved or copied, or seeded for a user, keeps its notes inside it.
  c.percorsoAppunti = c.riepiloghiMensili = QString();
  return c;
}
