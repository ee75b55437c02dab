#pragma once
// The Options dialog: edits the station configuration held by the main
// window's labels and rewrites config.cfg on OK.

#include <QDialog>

class AppContext;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class Dialog1 : public QDialog {
  Q_OBJECT
 public:
  Dialog1(AppContext& ctx, QWidget* owner);

  QLabel* Label7 = nullptr;  // installed version
  QPushButton* Command3 = nullptr;
  QLineEdit* nome = nullptr;
  QCheckBox* anorma = nullptr;
  QCheckBox* caratteristiche = nullptr;
  QLineEdit* Text1 = nullptr;  // notes folder
  QPushButton* Command1 = nullptr;
  QPushButton* Command4 = nullptr;
  QLineEdit* Text2 = nullptr;  // summaries folder, never shown
  QPushButton* okbutton = nullptr;
  QPushButton* cancelbutton = nullptr;

  void caratteristiche_Click();
  void Command1_Click();
  void Command3_Click();
  void Command4_Click();
  void okbutton_Click();

 private:
  void Form_Load();

  AppContext& ctx_;
};
