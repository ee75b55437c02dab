#pragma once
// The monthly and annual reset ("Azzeramento &mensile", "Azzeramento &annuale"):
// after asking (and offering to store the days the history lacks), and once
// the data file set is in a safety copy, each shows the working sheets of the
// new period and clears them on screen. Nothing is saved: every sheet keeps
// its file until the user saves it with its own "&Aggiorna", and closing a
// sheet unsaved brings the old data back.

class AppContext;

namespace azzeramento {

// The daily temperature and daily precipitation sheets.
void mensile(AppContext& ctx);
// The two daily sheets and the current-year precipitation sheet.
void annuale(AppContext& ctx);

}  // namespace azzeramento
