#include "shell/reset.h"

#include <optional>

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
const QString kTemperatures = QStringLiteral("Temperature giornaliere");
const QString kRain = QStringLiteral("Precipitazioni giornaliere");

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

// What the keeper chose to store before the sheets are cleared.
struct Storing {
  bool temperatures = false, rain = false;
  int year = 0, month = 0;
};

// The last question before clearing: the days the daily sheets hold that the
// history does not have yet are offered for storing, under the month the
// keeper names. Nothing when the keeper stops the reset (or the month named
// would leave values out): nothing is written and nothing cleared.
std::optional<Storing> askAboutUnstoredDays(AppContext& ctx) {
  auto* temperatures = ctx.window<medietemperature>();
  auto* rain = ctx.window<archiviopioggia>();
  const QStringList minima = temperatures->minima(), maxima = temperatures->maxima();
  const QStringList days = rain->days();
  const bool anyData = history::sheetHasData(history::Sheet::Temperature, minima, maxima) ||
                       history::sheetHasData(history::Sheet::Rain, days);
  if (!anyData) return Storing{};
  QString error;
  DailyHistory* h = ctx.history(&error);
  if (!h) {
    if (ctx.dialogs().failure(ctx.mainWindow(), historystore::kWriteFailure, error,
                              QStringLiteral("\r\n\r\nAzzerare comunque i fogli?"),
                              MsgIcon::Exclamation, MsgButtons::YesNo) == MsgAnswer::Yes)
      return Storing{};
    return std::nullopt;
  }
  const QDate today = ctx.platform().now().date();
  auto unstored = [&](history::Sheet sheet, const QStringList& first, const QStringList& second) {
    return history::sheetHasData(sheet, first, second) && !h->wasStored(sheet, first, second) &&
           !history::storedMonth(*h, sheet, first, second, today);
  };
  Storing storing;
  storing.temperatures = unstored(history::Sheet::Temperature, minima, maxima);
  storing.rain = unstored(history::Sheet::Rain, days, {});
  if (!storing.temperatures && !storing.rain) return Storing{};
  QStringList names;
  if (storing.temperatures) names << kTemperatures;
  if (storing.rain) names << kRain;
  memorizza question(ctx.mainWindow(), names, history::proposeMonth(today, h->lastHandOver()));
  const int answer = ctx.dialogs().runModal(question);
  if (answer == memorizza::NonMemorizzare) return Storing{};
  if (answer != memorizza::Memorizza) return std::nullopt;
  storing.year = question.year();
  storing.month = question.month();
  // Values the month named would leave out stay in the sheets: the reset stops
  // so that the keeper can name the right month.
  QVector<QVector<int>> leftOut;
  leftOut << (storing.temperatures ? history::daysLeftOut(history::Sheet::Temperature, storing.year,
                                                          storing.month, minima, maxima, today)
                                   : QVector<int>());
  leftOut << (storing.rain ? history::daysLeftOut(history::Sheet::Rain, storing.year, storing.month,
                                                  days, {}, today)
                           : QVector<int>());
  const QString refusal =
      historystore::leftOutText({kTemperatures, kRain}, leftOut, storing.year, storing.month, today,
                                QStringLiteral("Nulla è stato memorizzato e i fogli non "
                                               "sono stati azzerati."));
  if (refusal.isEmpty()) return storing;
  ctx.dialogs().message(ctx.mainWindow(), refusal, MsgIcon::Exclamation, MsgButtons::Ok, kTitle);
  return std::nullopt;
}

// Stores what the keeper chose; false when a store failed (and was told).
bool store(AppContext& ctx, const Storing& storing) {
  auto* temperatures = ctx.window<medietemperature>();
  auto* rain = ctx.window<archiviopioggia>();
  const auto way = history::Way::BeforeReset;
  if (storing.temperatures &&
      !historystore::store(ctx, ctx.mainWindow(), way, history::Sheet::Temperature, storing.year,
                           storing.month, temperatures->minima(), temperatures->maxima()))
    return false;
  if (storing.rain && !historystore::store(ctx, ctx.mainWindow(), way, history::Sheet::Rain,
                                           storing.year, storing.month, rain->days()))
    return false;
  return true;
}

// Just before anything is cleared (and once nothing more is asked, so that a
// reset stopped by a question takes no place among the copies kept) the data
// file set goes to a safety copy; when the copy cannot be made the keeper
// decides whether to reset all the same.
bool safetyCopy(AppContext& ctx) {
  QString error;
  if (safetycopy::make(ctx.dataFolder(), ctx.platform().now(), nullptr, &error)) return true;
  return ctx.dialogs().failure(
             ctx.mainWindow(),
             QStringLiteral(
                 "Impossibile fare la copia di sicurezza dei dati prima dell'azzeramento."),
             error, kNl + kNl + QStringLiteral("Procedere comunque con l'azzeramento?"),
             MsgIcon::Exclamation, MsgButtons::YesNo) == MsgAnswer::Yes;
}

// Everything asked and answered: the safety copy, the days the keeper chose
// to store, then the daily sheets cleared. The sheets' last hand-over is
// forgotten with them, so that it is not offered for the days typed next.
bool storeAndClear(AppContext& ctx, const Storing& storing) {
  if (!safetyCopy(ctx) || !store(ctx, storing)) return false;
  clearDailySheets(ctx);
  // Not being able to forget it only leaves a month that the next question
  // names, and that the keeper can change.
  if (DailyHistory* h = ctx.history()) h->forgetHandOver();
  return true;
}

bool confirmed(AppContext& ctx, const QString& question) {
  return ctx.dialogs().message(ctx.mainWindow(), question, MsgIcon::None, MsgButtons::YesNo,
                               kQuestionTitle) == MsgAnswer::Yes;
}

}  // namespace

namespace azzeramento {

void mensile(AppContext& ctx) {
  if (!confirmed(ctx, monthlyQuestion())) return;
  const std::optional<Storing> storing = askAboutUnstoredDays(ctx);
  if (!storing || !storeAndClear(ctx, *storing)) return;
  ctx.dialogs().message(ctx.mainWindow(), kMonthlyDone, MsgIcon::Information, MsgButtons::Ok,
                        kTitle);
}

void annuale(AppContext& ctx) {
  if (!confirmed(ctx, annualQuestion())) return;
  const std::optional<Storing> storing = askAboutUnstoredDays(ctx);
  if (!storing || !storeAndClear(ctx, *storing)) return;
  showSheet<pioggiaanno>(ctx)->svuota();

  ctx.dialogs().message(ctx.mainWindow(), kAnnualDone, MsgIcon::Information, MsgButtons::Ok,
                        kTitle);
}

}  // namespace azzeramento
