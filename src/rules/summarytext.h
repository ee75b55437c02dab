#pragma once
// The monthly summary as text: a pure function of the month, the year and the
// eighteen figures the user typed, each taken exactly as it stands.

#include <QString>
#include <QStringList>

namespace summary {

// Number of figures of the summary (the fields Text1_0 to Text1_17).
inline constexpr int kFieldCount = 18;

// Lines end in CR LF; the closing line has no line end. `fields` holds the
// texts of the elements 0 to 17 in index order; missing ones count as empty.
QString composeText(int month, int year, const QStringList& fields);

}  // namespace summary
