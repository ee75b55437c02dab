#include "common/historystore.h"

#include "common/appcontext.h"

namespace historystore {

bool store(AppContext& ctx, QWidget* owner, history::Sheet sheet, int year, int month,
           const QStringList& first, const QStringList& second) {
  QString error;
  DailyHistory* h = ctx.history(&error);
  if (h && h->storeSheet(sheet, year, month, first, second, &error)) return true;
  ctx.dialogs().failure(owner,
                        QStringLiteral("Impossibile memorizzare i giorni nello storico "
                                       "giornaliero (giornaliero.mdb). I giorni restano "
                                       "nel foglio."),
                        error);
  return false;
}

}  // namespace historystore
