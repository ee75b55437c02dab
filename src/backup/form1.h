#pragma once

#include "pagina.h"

class QPushButton;

// The start page: choose between making a backup and restoring one.
class Form1 : public Pagina {
  Q_OBJECT

 public:
  explicit Form1(Procedura& procedura);

  void Command11_Click();
  void Command13_Click();
  void Command1_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
};
