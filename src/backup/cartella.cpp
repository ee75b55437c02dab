#include "cartella.h"

#include "copia.h"

#include <QDir>
#include <QFileInfo>

CartellaDati cartellaDati(const QString& cartellaEseguibile, const QString& cartellaUtente) {
  CartellaDati cartella{cartellaEseguibile, QString()};
  for (const Passo& passo : kPassi)
    if (QFileInfo::exists(cartellaEseguibile + QString::fromLatin1(passo.nome))) return cartella;
  const QString modelli =
      QDir::cleanPath(cartellaEseguibile + QStringLiteral("/../../share/nubilario"));
  if (!QFileInfo::exists(modelli + QStringLiteral("/config.cfg"))) return cartella;

  // A restore before the main program was ever started needs the folder too.
  cartella.percorso = cartellaUtente;
  if (!QDir().mkpath(cartellaUtente))
    cartella.errore = QStringLiteral("Impossibile creare la cartella dei dati %1.")
                          .arg(QDir::toNativeSeparators(cartellaUtente));
  return cartella;
}
