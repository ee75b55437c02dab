#pragma once

class QLineEdit;
class QWidget;
class Servizi;

// The prompt of every browse button of the wizard.
inline constexpr char kRichiestaCartella[] =
    "Seleziona il percorso o l'unità dove di destinazione per i file di backup di Nubilario 3:";

// Lets the user pick a folder; the choice replaces the text of campo, and
// cancelling leaves it as it was.
void sfogliaCartella(Servizi& servizi, QWidget* pagina, QLineEdit* campo);
