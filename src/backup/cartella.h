#pragma once

#include <QString>

// The folder the wizard copies from and restores to by default. Beside the
// main program, when both lie in the data folder; installed, the user's own
// data folder, the one the main program fills at its first start.
struct CartellaDati {
  QString percorso;
  QString errore;  // why the folder could not be made (Italian); empty when it is ready
};

// cartellaEseguibile: the folder of this program; cartellaUtente: the user's
// data folder. Installed means that the folder holds no file of the data file
// set and the shipped copies lie in `<cartellaEseguibile>/../../share/nubilario`.
CartellaDati cartellaDati(const QString& cartellaEseguibile, const QString& cartellaUtente);
