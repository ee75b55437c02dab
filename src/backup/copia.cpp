#include "copia.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <vector>

bool copiaFile(const QString& sorgente, const QString& destinazione) {
  QFile da(sorgente);
  if (!da.open(QIODevice::ReadOnly)) return false;

  // QSaveFile writes beside the target and renames over it on commit; it
  // discards its temporary file when it is destroyed without a commit.
  QSaveFile a(destinazione);
  if (!a.open(QIODevice::WriteOnly)) return false;

  std::vector<char> buffer(256 * 1024);
  for (;;) {
    const qint64 letti = da.read(buffer.data(), qint64(buffer.size()));
    if (letti < 0) return false;
    if (letti == 0) break;
    if (a.write(buffer.data(), letti) != letti) return false;
  }

  // Keep the source's modification time, as a copy made by the system does;
  // written after the last byte is flushed so that the commit cannot move it.
  if (!a.flush()) return false;
  a.setFileTime(QFileInfo(da).lastModified(), QFileDevice::FileModificationTime);
  return a.commit();
}
