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

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QLineEdit* Text2_;
  QLineEdit* Text1_;
  QPushButton* Command5_;
  QTimer* Timer1_;
};
