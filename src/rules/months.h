#pragma once
// The twelve month names as the program writes them everywhere: lists of the
// entry dialogs, captions of the year sheet, reports and printouts.

#include <QString>
#include <QStringList>

namespace months {

// "Gennaio" to "Dicembre", January first.
const QStringList& names();
// The name of month 1 to 12; empty outside that range.
QString name(int month);

}  // namespace months
