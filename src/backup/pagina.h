#pragma once

#include <QWidget>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Procedura;

// What the five pages of the wizard share: the title, the fixed client size,
// the icon, the window buttons, and the placing of controls in twips (1440 to
// the inch, at the screen's logical resolution).
class Pagina : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kLarghezza = 6105;  // client area, twips
  static constexpr int kAltezza = 5025;

  // chiudibile: whether the page has the close box and system menu.
  Pagina(Procedura& procedura, const char* nome, bool chiudibile);

  // Twips to pixels on this page's screen.
  int px(int twips) const;
  QRect px(int sinistra, int alto, int larghezza, int altezza) const;

 protected:
  QLabel* etichetta(QWidget* dentro, const char* nome, const QString& testo, int sinistra, int alto,
                    int larghezza, int altezza);
  QPushButton* pulsante(QWidget* dentro, const char* nome, const QString& testo, int sinistra,
                        int alto, int larghezza, int altezza);
  QLineEdit* campo(const char* nome, int sinistra, int alto, int larghezza, int altezza);
  QGroupBox* cornice(const char* nome, const QString& titolo, int sinistra, int alto, int larghezza,
                     int altezza);
  // A plain coloured rectangle (bands, progress blocks).
  QLabel* rettangolo(const char* nome, const QColor& colore, int sinistra, int alto, int larghezza,
                     int altezza);
  // The white band at the top with the page's title and description.
  void intestazione(const QString& titolo, const QString& descrizione);
  // A sunken line above the row of buttons.
  void lineaPulsanti();

  static void grassetto(QLabel* etichetta);

  Procedura& procedura_;
};
