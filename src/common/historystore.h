#pragma once
// Stores the days of a daily sheet in the history for the month the keeper
// has just named (the archive dialog of the hand-over, the question before a
// monthly reset). A failure is told in a message and leaves the sheet as it is.

#include <QStringList>

#include "rules/history.h"

class AppContext;
class QWidget;

namespace historystore {

bool store(AppContext& ctx, QWidget* owner, history::Sheet sheet, int year, int month,
           const QStringList& first, const QStringList& second = {});

// What the message of a history that cannot be written says first
// (Dialogs::failure adds the detail).
inline const QString kWriteFailure =
    QStringLiteral("Impossibile scrivere nello storico giornaliero (giornaliero.mdb).");

}  // namespace historystore
