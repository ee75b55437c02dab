#pragma once

#include "pagina.h"

class QLineEdit;
class QPushButton;
class QTimer;

// Restore, first step: the backup folder and the program's folder.
class quattro : public Pagina {
  Q_OBJECT

 public:
  explicit quattro(Procedura& procedura);

  // "Avanti >" needs both folders; the tick catches the backup folder, which
  // has no change handler of its own.
  void Timer1_Timer();
  void Text1_Change();
  void Command3_Click();
  void Command6_Click();
  void Command4_Click();
  void Command2_Click();
  void Command5_Click();
  void Command1_Click();
  // A safety copy of the program's folder, picked from a list, becomes the
  // backup folder; the button is enabled only while the folder has some.
  void copie_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void aggiornaCopie();

  QLineEdit* Text2_;
  QLineEdit* Text1_;
  QPushButton* Command5_;
  QPushButton* copie_;
  QTimer* Timer1_;
};
