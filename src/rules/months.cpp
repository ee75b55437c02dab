#include "rules/months.h"

namespace months {

const QStringList& names() {
  static const QStringList list = {
      QStringLiteral("Gennaio"), QStringLiteral("Febbraio"), QStringLiteral("Marzo"),
      QStringLiteral("Aprile"),  QStringLiteral("Maggio"),   QStringLiteral("Giugno"),
      QStringLiteral("Luglio"),  QStringLiteral("Agosto"),   QStringLiteral("Settembre"),
      QStringLiteral("Ottobre"), QStringLiteral("Novembre"), QStringLiteral("Dicembre")};
  return list;
}

QString name(int month) { return month >= 1 && month <= 12 ? names().at(month - 1) : QString(); }

}  // namespace months
