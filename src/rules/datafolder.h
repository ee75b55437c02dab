#pragma once
// Lays out a working data folder: empty archives, a default configuration and
// the three sheet files in their initial state. Used by the build (and by the
// tests to make their own folders). A file that already exists is never
// touched. Also decides where an installed program keeps its data: the
// program's own folder is then read-only, so each user gets a data folder of
// their own, seeded from the files the package ships.

#include <QString>
#include <QStringList>
#include <functional>

#include "rules/records.h"

namespace datafolder {

// Creates an empty archive of this kind (table "tab" with its text columns).
// Fails when the file already exists.
bool createArchive(const QString& path, ArchiveKind kind, QString* error = nullptr);

// Creates every missing file of the data file set in the folder.
bool layOut(const QString& folder, QString* error = nullptr);

// The names of the data file set.
const QStringList& fileNames();

// The help pages shipped beside the data file set.
const QStringList& helpPages();

// Where a program finds its data file set.
struct Location {
  QString dataFolder;     // the folder of the data file set and the help pages
  QString programFolder;  // the folder that holds the backup program
  bool installed = false;
  QString error;  // why the data folder could not be made ready (Italian); empty when it is
};

// The shipped copies of an installed program: `<exeDir>/../share/nubilario`.
QString templatesFor(const QString& exeDir);

// Decides the data folder of the program whose executable lies in exeDir.
// Portable (the executable's folder holds a file of the data file set, or no
// shipped copies are found beside it): that folder, as it stands. Installed:
// userFolder. The main program (in `<prefix>/bin`) creates it when missing and
// gives it every shipped file it lacks; the backup program then lies in
// `<exeDir>/../lib/nubilario`. The backup program (in `<prefix>/lib/nubilario`)
// only creates the folder, so that a restore can fill it.
enum class Program { Main, Backup };
Location locate(const QString& exeDir, const QString& userFolder, Program program = Program::Main);

// Copies into `folder` every file of the data file set that it lacks from
// `templates`; a file already there is never replaced, save an empty archive,
// which holds nothing of the keeper's. The help pages are the program's, not
// the keeper's: they are replaced when they differ. False (with a reason,
// naming the folder) when the folder cannot be created or written.
bool seed(const QString& templates, const QString& folder, QString* error = nullptr);

// Removes the temporary copies ("prpanno.txt.Ab3xYz") that a write killed
// halfway left in the folder; their names.
QStringList removeLeftovers(const QString& folder);
// Whether a name is that of such a temporary copy: a file's name and six
// letters or digits.
bool isLeftover(const QString& name);

// Copies the whole of `from` over `to`: the bytes go to a temporary file that
// takes the name only once it is complete and on disk, with the source's
// modification time; on failure `to` is as it was and `error` says, in
// Italian, which file and why ("neve.mdb: impossibile scrivere la copia:
// spazio esaurito sul dispositivo").
// `beforeTakingName`, when given, runs once the bytes are on disk, just
// before they take the name; false from it stops the copy.
bool copyWhole(const QString& from, const QString& to, QString* error = nullptr,
               const std::function<bool()>& beforeTakingName = {});

// Makes the entries of a folder (a rename, a new file) survive a power cut.
void syncFolder(const QString& folder);

}  // namespace datafolder
