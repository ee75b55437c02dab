#pragma once

#include "pagina.h"

#include <QColor>
#include <array>

class QGroupBox;
class QLabel;
class QPushButton;

// The message of every failed backup or restore: one for all causes.
inline constexpr char kTitoloErrore[] = "Nubilario 3 - Utility di Backup";
inline constexpr char kTestoErrore[] =
    "Attenzione, si è verificato un errore. Possibili cause: uno o più file di cui effettuare il "
    "backup non esistono nel percorso di origine, oppure la periferica è stata disattivata o non "
    "è attiva o lo spazio su disco è esaurito.";

// The texts that tell a backup page from a restore page.
struct TestiCorsa {
  const char* titolo;
  const char* descrizione;
  const char* pronto;       // Label5
  const char* inCorso;      // Label2
  const char* completata;   // Label6
  const char* errore;       // erroreee
  const char* file;         // Label8
  const char* nonRiuscita;  // Label7 in the error frame
  const char* avvio;        // Command3
  QColor colore;            // the progress blocks
};

// A page that runs the copy of the data file set: the layout and the buttons
// it shares between backup (`tre`) and restore (`cinque`). The page has no
// close box; while a run is going nothing but the run can end it.
class PaginaCorsa : public Pagina {
  Q_OBJECT

 public:
  PaginaCorsa(Procedura& procedura, const char* nome, const TestiCorsa& testi);

  bool inCorso() const { return inCorso_; }

  virtual void Command3_Click() = 0;
  void Command2_Click();
  void Command1_Click();
  void Command4termina_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;

  QLabel* blocco(const char* nome) const;

  QLabel* Label5_;
  QLabel* Label2_;
  QLabel* Label6_;
  QLabel* erroreee_;
  QLabel* Label8_;
  QGroupBox* Frame2_;
  std::array<QLabel*, 6> blocchi_;
  QPushButton* Command2_;
  QPushButton* Command3_;
  QPushButton* Command1_;
  QPushButton* Command4termina_;
  bool inCorso_ = false;
};
