#pragma once

#include "pagina.h"

class QLineEdit;
class QPushButton;

// Backup, first step: the destination folder.
class due : public Pagina {
  Q_OBJECT

 public:
  explicit due(Procedura& procedura);

  void Text1_Change();
  void Command2_Click();
  void Command4_Click();
  void Command3_Click();
  void Command1_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QLineEdit* Text1_;
  QPushButton* Command3_;
};
