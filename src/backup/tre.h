#pragma once

#include "paginacorsa.h"

// Backup, second step: copies the data file set into the chosen folder.
class tre : public PaginaCorsa {
  Q_OBJECT

 public:
  explicit tre(Procedura& procedura);

  // The destination folder, handed over by page `due`.
  void impostaPercorso(const QString& cartella);

  void Command3_Click() override;

 private:
  void fallita();

  QLabel* percorso_;
};
