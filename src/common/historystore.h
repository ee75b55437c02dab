#pragma once
// Stores the days of a daily sheet in the history for the month the keeper
// has just named (the archive dialog of the hand-over, the question before a
// monthly reset). A day after the day of the store is never stored: it has
// not been observed yet. A failure is told in a message and leaves the sheet
// as it is.

#include <QStringList>

#include "rules/history.h"

class AppContext;
class QWidget;

namespace historystore {

// False, with a message, when the history could not be written or when values
// of the sheet were left out (days not yet come, or past the month's end);
// the days that could be stored are stored all the same.
bool store(AppContext& ctx, QWidget* owner, history::Way way, history::Sheet sheet, int year,
           int month, const QStringList& first, const QStringList& second = {});

// What is said of the values a store for that month leaves out, by sheet
// name: nothing when none is. `after`: what happened to the others.
QString leftOutText(const QStringList& sheets, const QVector<QVector<int>>& days, int year,
                    int month, const QDate& today, const QString& after);

// What the message of a history that cannot be written says first
// (Dialogs::failure adds the detail).
inline const QString kWriteFailure =
    QStringLiteral("Impossibile scrivere nello storico giornaliero (giornaliero.mdb).");

}  // namespace historystore
