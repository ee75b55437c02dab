#include "common/historystore.h"

#include "common/appcontext.h"

namespace historystore {

QString leftOutText(const QStringList& sheets, const QVector<QVector<int>>& days, int year,
                    int month, const QDate& today, const QString& after) {
  const QDate start(year, month, 1);
  QStringList lines;
  bool notYet = false, pastEnd = false;
  for (qsizetype i = 0; i < sheets.size() && i < days.size(); ++i) {
    if (days[i].isEmpty()) continue;
    lines << QStringLiteral("- %1: %2 %3")
                 .arg(sheets[i],
                      days[i].size() == 1 ? QStringLiteral("giorno") : QStringLiteral("giorni"),
                      history::dayRuns(days[i]));
    for (int d : days[i]) (d > start.daysInMonth() ? pastEnd : notYet) = true;
  }
  if (lines.isEmpty()) return {};
  const QString monthName = QLocale(QLocale::Italian).toString(start, QStringLiteral("MMMM yyyy"));
  const QString notObserved =
      QStringLiteral("dopo oggi (%1), non ancora osservati").arg(history::dayName(today));
  const QString why = notYet && pastEnd ? notObserved + QStringLiteral(", o oltre la fine del mese")
                      : notYet          ? notObserved
                                        : QStringLiteral("oltre la fine del mese");
  return QStringLiteral(
             "Questi valori non si possono memorizzare come giorni di %1: sono di "
             "giorni %2.\r\n\r\n")
             .arg(monthName, why) +
         lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n\r\n") + after;
}

bool store(AppContext& ctx, QWidget* owner, history::Way way, history::Sheet sheet, int year,
           int month, const QStringList& first, const QStringList& second) {
  const QDate today = ctx.platform().now().date();
  QString error;
  DailyHistory* h = ctx.history(&error);
  if (!h || !h->storeSheet(sheet, year, month, first, second, today, way, &error)) {
    ctx.dialogs().failure(owner,
                          QStringLiteral("Impossibile memorizzare i giorni nello storico "
                                         "giornaliero (giornaliero.mdb). I giorni restano "
                                         "nel foglio."),
                          error);
    return false;
  }
  const QString leftOut = leftOutText(
      {sheet == history::Sheet::Temperature ? QStringLiteral("Temperature giornaliere")
                                            : QStringLiteral("Precipitazioni giornaliere")},
      {history::daysLeftOut(sheet, year, month, first, second, today)}, year, month, today,
      QStringLiteral("Gli altri giorni sono stati memorizzati nello storico giornaliero; "
                     "quelli restano nel foglio."));
  if (leftOut.isEmpty()) return true;
  ctx.dialogs().message(owner, leftOut, MsgIcon::Exclamation, MsgButtons::Ok, kTitle);
  return false;
}

}  // namespace historystore
