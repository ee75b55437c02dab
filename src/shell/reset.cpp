#include "shell/reset.h"

#include "common/appcontext.h"
#include "common/historystore.h"
#include "rules/safetycopy.h"
#include "sheets/archiviopioggia.h"
#include "sheets/medietemperature.h"
#include "sheets/pioggiaanno.h"
#include "shell/memorizza.h"

namespace {

// Both questions carry the monthly title.
const QString kQuestionTitle = QStringLiteral("Nubilario - Azzeramento mensile");
const QString kNl = QStringLiteral("\r\n");

QString monthlyQuestion() {
  return QStringLiteral(
             "Si stanno per cancellare tutti i seguenti dati per l'azzeramento mensile: ") +
         kNl + kNl + QStringLiteral("Precipitazioni giornaliere;") + kNl +
         QStringLiteral("Temperature giornaliere.") + kNl + kNl + QStringLiteral("Procedere?");
}

QString annualQuestion() {
  return QStringLiteral(
             "Si stanno per cancellare tutti i seguenti dati per l'azzeramento annuale: ") +
         kNl + kNl + QStringLiteral("Precipitazioni giornaliere;") + kNl +
         QStringLiteral("Precipitazioni anno corrente;") + kNl +
         QStringLiteral("Temperature giornaliere.") + kNl + kNl + QStringLiteral("Procedere?");
}

const QString kMonthlyDone = QStringLiteral(
    "Operazione eseguita correttamente. Salvare le modifiche alle due finestre prima di "
    "chiuderle. ");
const QString kAnnualDone = QStringLiteral(
    "Operazione eseguita correttamente. Salvare le modifiche alle tre finestre prima di "
    "chiuderle ");

// Shows a sheet owned by the main window: an open sheet comes forward as it
// is, a closed one loads from its file first.
template <class W>
W* showSheet(AppContext& ctx) {
  W* sheet = ctx.window<W>();
  sheet->mostra(ctx.mainWindow());
  return sheet;
}

// Each sheet is cleared by its own "S&vuota campi": every text field takes the
// sheet's empty value, the computed labels return to "0." and the buttons that
// would archive, export or print a total are disabled, so a total from before
// the reset cannot be handed on by mistake.
void clearDailySheets(AppContext& ctx) {
  showSheet<medietemperature>(ctx)->svuota();
  showSheet<archiviopioggia>(ctx)->svuota();
}

// Before the daily sheets are cleared, the days they hold that the history
// does not have yet are offered for storing, under the month the keeper names.
// False when the keeper stops the reset (or a store failed): nothing is cleared.
bool storeUnsavedDays(AppContext& ctx) {
  auto* temperatures = ctx.window<medietemperature>();
  auto* rain = ctx.window<archiviopioggia>();
  const QStringList minima = temperatures->minima(), maxima = temperatures->maxima();
  const QStringList days = rain->days();
  const bool anyData = history::sheetHasData(history::Sheet::Temperature, minima, maxima) ||
                       history::sheetHasData(history::Sheet::Rain, days);
  if (!anyData) return true;
  QString error;
  DailyHistory* h = ctx.history(&error);
  if (!h) {
    return ctx.dialogs().failure(ctx.mainWindow(), historystore::kWriteFailure, error,
                                 QStringLiteral("\r\n\r\nAzzerare comunque i fogli?"),
                                 MsgIcon::Exclamation, MsgButtons::YesNo) == MsgAnswer::Yes;
  }
  auto unstored = [&](history::Sheet sheet, const QStringList& first, const QStringList& second) {
    return history::sheetHasData(sheet, first, second) && !h->wasStored(sheet, first, second) &&
           !history::storedMonth(*h, sheet, first, second);
  };
  const bool t = unstored(history::Sheet::Temperature, minima, maxima);
  const bool r = unstored(history::Sheet::Rain, days, {});
  if (!t && !r) return true;
  QStringList names;
  if (t) names << QStringLiteral("Temperature giornaliere");
  if (r) names << QStringLiteral("Precipitazioni giornaliere");
  memorizza question(ctx.mainWindow(), names,
                     QDate(temperatures->year(), temperatures->month(), 1));
  const int answer = ctx.dialogs().runModal(question);
  if (answer == memorizza::NonMemorizzare) return true;
  if (answer != memorizza::Memorizza) return false;
  if (t && !historystore::store(ctx, ctx.mainWindow(), history::Sheet::Temperature, question.year(),
                                question.month(), minima, maxima))
    return false;
  if (r && !historystore::store(ctx, ctx.mainWindow(), history::Sheet::Rain, question.year(),
                                question.month(), days))
    return false;
  return true;
}

// Before anything is cleared the data file set goes to a safety copy; when
// the copy cannot be made the keeper decides whether to reset all the same.
bool safetyCopyFirst(AppContext& ctx) {
  QString error;
  if (safetycopy::make(ctx.dataFolder(), ctx.platform().now(), nullptr, &error)) return true;
  return ctx.dialogs().failure(
             ctx.mainWindow(),
             QStringLiteral(
                 "Impossibile fare la copia di sicurezza dei dati prima dell'azzeramento."),
             error, kNl + kNl + QStringLiteral("Procedere comunque con l'azzeramento?"),
             MsgIcon::Exclamation, MsgButtons::YesNo) == MsgAnswer::Yes;
}

bool confirmed(AppContext& ctx, const QString& question) {
  return ctx.dialogs().message(ctx.mainWindow(), question, MsgIcon::None, MsgButtons::YesNo,
                               kQuestionTitle) == MsgAnswer::Yes;
}

}  // namespace

namespace azzeramento {

void mensile(AppContext& ctx) {
  if (!confirmed(ctx, monthlyQuestion())) return;
  if (!safetyCopyFirst(ctx)) return;
  if (!storeUnsavedDays(ctx)) return;
  clearDailySheets(ctx);
  ctx.dialogs().message(ctx.mainWindow(), kMonthlyDone, MsgIcon::Information, MsgButtons::Ok,
                        kTitle);
}

void annuale(AppContext& ctx) {
  if (!confirmed(ctx, annualQuestion())) return;
  if (!safetyCopyFirst(ctx)) return;
  if (!storeUnsavedDays(ctx)) return;
  clearDailySheets(ctx);
  showSheet<pioggiaanno>(ctx)->svuota();

  ctx.dialogs().message(ctx.mainWindow(), kAnnualDone, MsgIcon::Information, MsgButtons::Ok,
                        kTitle);
}

}  // namespace azzeramento
