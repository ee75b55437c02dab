#include "rules/summarytext.h"

namespace summary {

QString composeText(int month, int year, const QStringList& fields) {
  const auto f = [&fields](int i) { return i < fields.size() ? fields.at(i) : QString(); };
  const QString nl = QStringLiteral("\r\n");
  const QString degrees = QStringLiteral(" °C");
  const QString mm = QStringLiteral(" mm");

  QString t;
  t += QStringLiteral("Riepilogo mensile del ") + QString::number(month) + QLatin1Char('/') +
       QString::number(year) + nl + nl;
  t += QStringLiteral("TEMPERATURE") + nl + nl;
  t += QStringLiteral("Temperatura media minima: ") + f(0) + degrees + nl;
  t += QStringLiteral("Temperatura media massima: ") + f(1) + degrees + nl;
  // The minimum decades come first, although on screen they stand beside the maxima.
  t += QStringLiteral("Temperatura media minima 1° decade: ") + f(2) + degrees + nl;
  t += QStringLiteral("Temperatura media minima 2° decade: ") + f(4) + degrees + nl;
  t += QStringLiteral("Temperatura media minima 3° decade: ") + f(6) + degrees + nl;
  t += QStringLiteral("Temperatura media massima 1° decade: ") + f(3) + degrees + nl;
  t += QStringLiteral("Temperatura media massima 2° decade: ") + f(5) + degrees + nl;
  t += QStringLiteral("Temperatura media massima 3° decade: ") + f(7) + degrees + nl;
  t += QStringLiteral("Temperatura minima mensile: ") + f(8) + degrees + nl;
  t += QStringLiteral("Temperatura massima mensile: ") + f(9) + degrees + nl + nl;
  t += QStringLiteral("STATO DEL CIELO") + nl + nl;
  t += QStringLiteral("Giorni con cielo SERENO: ") + f(15) + nl;
  t += QStringLiteral("Giorni con cielo NUVOLOSO: ") + f(16) + nl;
  t += QStringLiteral("Giorni con cielo COPERTO: ") + f(17) + nl + nl;
  t += QStringLiteral("PRECIPITAZIONI") + nl + nl;
  t += QStringLiteral("Totale precipitativo mensile: ") + f(10) + mm + nl;
  t += QStringLiteral("N° di eventi: ") + f(11) + nl;
  t += QStringLiteral("Accumulo maggiore mensile: ") + f(12) + QStringLiteral(" mm il ") + f(13) +
       nl;
  t += QStringLiteral("Totale precipitativo annuo attuale: ") + f(14) + mm + nl;
  t += QStringLiteral("----Riepilogo creato con Nubilario 3.0 Pro----");
  return t;
}

}  // namespace summary
