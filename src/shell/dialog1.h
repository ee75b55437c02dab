#pragma once
// The Options dialog: edits a copy of the station configuration. On OK the
// main window takes config() back, shows it and rewrites config.cfg.

#include <QDialog>

#include "rules/stationconfig.h"

class AppContext;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class Dialog1 : public QDialog {
  Q_OBJECT
 public:
  // `infoShown`: whether the main window shows the station information now.
  Dialog1(AppContext& ctx, QWidget* owner, const StationConfig& config, bool infoShown);

  // The configuration as the dialog holds it; after OK, with empty folders
  // replaced by the data folder.
  StationConfig config() const;

  QLabel* Label7 = nullptr;  // installed version
  QPushButton* Command3 = nullptr;
  QLineEdit* nome = nullptr;
  QCheckBox* anorma = nullptr;
  QCheckBox* caratteristiche = nullptr;
  QLineEdit* Text1 = nullptr;  // notes folder
  QPushButton* Command1 = nullptr;
  QPushButton* Command4 = nullptr;

  QPushButton* okbutton = nullptr;
  QPushButton* cancelbutton = nullptr;

  void caratteristiche_Click();
  void Command1_Click();
  void Command3_Click();
  void Command4_Click();
  void okbutton_Click();

 private:
  void Form_Load(bool infoShown);

  AppContext& ctx_;
  StationConfig config_;
  // The summaries' folder: kept and written back, never shown, never browsed.
  QString riepiloghi_;
};
