#pragma once
// Lays out a working data folder: empty archives, a default configuration and
// the three sheet files in their initial state. Used by the build (and by the
// tests to make their own folders); the program itself never creates an
// archive. A file that already exists is never touched.

#include <QString>
#include <QStringList>

#include "rules/records.h"

namespace datafolder {

// Creates an empty archive of this kind (table "tab" with its text columns).
// Fails when the file already exists.
bool createArchive(const QString& path, ArchiveKind kind, QString* error = nullptr);

// Creates every missing file of the data file set in the folder.
bool layOut(const QString& folder, QString* error = nullptr);

// The names of the data file set.
const QStringList& fileNames();

// Removes the temporary copies ("prpanno.txt.Ab3xYz") that a write killed
// halfway left in the folder; their names.
QStringList removeLeftovers(const QString& folder);

}  // namespace datafolder
