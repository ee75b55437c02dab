#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// The safety copies that Nubilario keeps in its own folder, in
// "copie di sicurezza/2026-12-09 10.15.02": the wizard makes one before it
// restores over the data file set and offers them as backups to restore. A
// copy is built under a name ending in ".incompleta" and takes its own name
// only once every file is on disk; the newest ten are kept.
inline constexpr char kCartellaCopie[] = "copie di sicurezza";
inline constexpr int kCopieTenute = 10;

struct CopiaSicurezza {
  QString percorso;
  QDateTime quando;
  int progressivo = 1;  // a second copy in the same second: 2, 3, ...
};

// The complete copies of the data folder that hold every file a restore
// needs, newest first.
QList<CopiaSicurezza> copieSicurezza(const QString& cartellaDati);

// Copies the files of the data file set that are in the folder into a new
// safety copy, then removes the copies beyond the newest ten, save for
// `daTenere` (the copy about to be restored). A folder with none of the files
// holds nothing to keep: no copy, and true. On failure `errore` says why.
bool faiCopiaSicurezza(const QString& cartellaDati, const QDateTime& ora, const QString& daTenere,
                       QString* errore);

// "9 dicembre 2026 alle 10:15:02".
QString descriviCopia(const CopiaSicurezza& copia);
