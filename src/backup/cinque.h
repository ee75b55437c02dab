#pragma once

#include "paginacorsa.h"

// Restore, second step: copies a backup over the data file set.
class cinque : public PaginaCorsa {
  Q_OBJECT

 public:
  explicit cinque(Procedura& procedura);

  // The backup folder and the program's folder, handed over by `quattro`.
  void impostaPercorsi(const QString& sorgente, const QString& destinazione);

  void Command3_Click() override;

 private:
  void fallito();

  QLabel* SORGENTE_;
  QLabel* DESTINAZIONE_;
};
