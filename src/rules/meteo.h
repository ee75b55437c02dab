#pragma once
// The four computations of the meteorological calculator, from field texts to
// the exact caption texts, so that the window only moves texts around.

#include <QString>
#include <optional>

#include "rules/numbers.h"

namespace meteo {

// Shown instead of a number when a result (or a value read from a field)
// lies beyond the double range on the tabs that have no message box.
inline const QString kOutOfRange = QStringLiteral("Fuori scala");

// The dew point of temperature t (°C) and relative humidity u (%), worked in
// four-decimal fixed point step by step: every floating-point intermediate is
// rounded to the nearest ten-thousandth, halves to even, and the sums are
// exact. nullopt when a step leaves the fixed-point range (or t or u is not a
// finite number).
std::optional<num::Fixed4> dewPoint(double t, double u);
// The dew point from the two field texts read in the user's locale, as the
// caption of the result ("9,28 °C"). nullopt for an empty or non-numeric
// field or an overflow: the window then shows "Errore di digitazione!".
std::optional<QString> dewPointCaption(const QString& t, const QString& ur);

// The standard atmosphere's pressure in hPa at altitude h metres.
double pressureAt(double h);
// The caption of the pressure tab's result: " 895.297042997079 hPa".
QString pressureCaption(const QString& h);

struct CloudBaseCaptions {
  QString metres;  // " 625 metri slm"
  QString feet;    // " 2062.5 piedi"
};
// Height of the cloud base from the temperature at the ground and the dew point.
CloudBaseCaptions cloudBaseCaptions(const QString& ground, const QString& dew);

inline const QString kFrostWarning = QStringLiteral(
    "Attenzione! La temperatura di rugiada non può essere superiore a quella effettiva!");
inline const QString kFrostPossible = QStringLiteral("Possibili brinate notturne");
inline const QString kFrostUnlikely =
    QStringLiteral("Condizioni sfavorevoli alla formazione di brinate notturne");
inline const QString kFrostOutOfRange =
    QStringLiteral("Valori fuori scala: impossibile valutare il rischio di brinate notturne");

struct FrostVerdict {
  QString verdict;  // the text of the verdict label
  // The two temperatures in °F ("-4°F"); absent when the labels keep their text.
  std::optional<QString> temperatureF;
  std::optional<QString> dewPointF;
};
// The night-frost verdict from the temperature and dew point at 14 h (°C) and
// whether the wind is calm and the sky almost clear.
FrostVerdict frostVerdict(const QString& temperature, const QString& dewPoint, bool calmAndClear);

}  // namespace meteo
