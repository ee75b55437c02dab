#pragma once
// The climate charts, drawn from the station's figures with Qt Charts: Italian
// labels and the decimal comma. Each is saved as PNG, SVG or PDF.

#include <QString>

#include "rules/climate.h"

class QChart;
class QWidget;

namespace grafici {

enum class Tipo {
  Giornaliero,  // the month's daily minima and maxima with their means
  Pioggia,      // the year's monthly precipitation against the normal
  Climogramma,  // monthly normal temperature and precipitation
  Confronto,    // one year against another
};

// The captions the chart choice lists, in the order of Tipo.
const QStringList& nomi();

struct Scelta {
  Tipo tipo = Tipo::Giornaliero;
  int anno = 0, mese = 1;  // the month (Giornaliero) or the year
  int altroAnno = 0;       // Confronto: the year compared
};

// A new chart; the caller owns it.
QChart* crea(const Scelta& scelta, const climate::Station& s, const climate::Normals& normali,
             const QString& stazione);

// Writes the chart as drawn in `view` at its size; the format is the file's
// suffix (png, svg, pdf). False with `error` when it cannot be written.
bool salva(QWidget* view, const QString& path, QString* error);

}  // namespace grafici
