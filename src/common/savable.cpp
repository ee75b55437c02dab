#include "common/savable.h"

#include "common/appcontext.h"
#include "rules/textfile.h"

bool savable(AppContext& ctx, QWidget* owner, const QString& text) {
  const QStringList lost = textfile::unencodable(text);
  if (lost.isEmpty()) return true;
  QStringList quoted;
  for (const QString& c : lost) quoted << QStringLiteral("«") + c + QStringLiteral("»");
  const QString which = lost.size() == 1
                            ? QStringLiteral("il carattere %1 non può essere scritto")
                            : QStringLiteral("i caratteri %1 non possono essere scritti");
  ctx.dialogs().message(owner,
                        QStringLiteral("Impossibile salvare: ") +
                            which.arg(quoted.join(QLatin1Char(' '))) +
                            QStringLiteral(" nel file, che usa la codifica Windows-1252. Nulla è "
                                           "stato salvato: sostituire o togliere questi "
                                           "caratteri e riprovare."),
                        MsgIcon::Critical, MsgButtons::Ok, kTitle);
  return false;
}
