#pragma once
// Marks a field whose value looks wrong: a red frame drawn over it and the
// reasons added after its tooltip and accessible description ("30° Giorno -
// Attenzione: ..."). The mark only
// warns; the field keeps its value, its own colours and its own tooltip, which
// comes back when the mark goes.

#include <QStringList>

class QWidget;

namespace fieldwarning {

// Marks the field with these reasons, or unmarks it when there are none. A
// call that changes nothing repaints nothing, so timers may call it freely.
void set(QWidget* field, const QStringList& reasons);
// The reasons the field is marked with (none when unmarked).
QStringList reasons(const QWidget* field);
inline bool marked(const QWidget* field) { return !reasons(field).isEmpty(); }

}  // namespace fieldwarning
