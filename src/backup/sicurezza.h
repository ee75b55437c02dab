#pragma once

#include <QDateTime>
#include <QString>
#include <QVector>

#include "rules/safetycopy.h"

// The safety copies that Nubilario keeps in its own folder (the main
// program's rules make, rotate and describe them): the wizard makes one
// before it restores over the data file set and offers them as backups to
// restore.

// The complete copies of the data folder that hold every file a restore
// needs, newest first.
QVector<safetycopy::Copy> copieSicurezza(const QString& cartellaDati);

// A safety copy of the files of the data file set that are in the folder,
// made before a restore from `origine`, which the rotation that follows
// keeps should it be one of the copies. A folder with none of the files holds
// nothing to keep: no copy, and true. On failure `errore` says why.
bool faiCopiaSicurezza(const QString& cartellaDati, const QDateTime& ora, const QString& origine,
                       QString* errore);
