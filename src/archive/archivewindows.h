#pragma once
// What the windows add to each kind of archive described in the rules: its
// entry dialog and the picture of its navigation entry. A kind left out here
// does not compile (the switches have no default).

#include <QPixmap>
#include <memory>

#include "archive/entrydialog.h"
#include "rules/records.h"

class AppContext;

namespace archivewindows {

// A new entry dialog of the archive, owned by `owner` (else the main window).
std::unique_ptr<EntryDialog> newEntryDialog(ArchiveKind kind, AppContext& ctx, QWidget* owner);

// The small drawn picture of the archive's navigation entry (32 x 32).
QPixmap picture(ArchiveKind kind);

}  // namespace archivewindows
