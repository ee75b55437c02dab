#include "sicurezza.h"

#include "copia.h"

#include <QFileInfo>

#include <algorithm>

QVector<safetycopy::Copy> copieSicurezza(const QString& cartellaDati) {
  QVector<safetycopy::Copy> utili;
  for (const safetycopy::Copy& c : safetycopy::list(cartellaDati)) {
    const bool intera = std::all_of(passi().cbegin(), passi().cend(), [&c](const Passo& p) {
      return p.facoltativo || QFileInfo::exists(c.path + p.nome);
    });
    if (intera) utili.append(c);
  }
  return utili;
}

bool faiCopiaSicurezza(const QString& cartellaDati, const QDateTime& ora, const QString& origine,
                       QString* errore) {
  using Passo = safetycopy::Failure::Step;
  safetycopy::Failure guasto;
  if (safetycopy::make(cartellaDati, ora, origine, nullptr, &guasto)) return true;
  QString perche;
  switch (guasto.step) {
    case Passo::NothingToCopy:
      return true;
    case Passo::Folder:
      perche = QStringLiteral("impossibile creare ") + guasto.path +
               (guasto.reason.isEmpty() ? QString() : QStringLiteral(": ") + guasto.reason);
      break;
    case Passo::File:
      perche = QStringLiteral("impossibile copiare il file ") + QFileInfo(guasto.path).fileName();
      break;
    case Passo::Complete:
      perche = QStringLiteral("impossibile completare ") + guasto.path;
      break;
  }
  if (errore) *errore = perche;
  return false;
}
