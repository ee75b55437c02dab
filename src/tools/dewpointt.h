#pragma once
// "Calcolatore meteo": four small calculators on the tabs of one window (dew
// point, pressure at altitude, cloud-base height, night-frost verdict). It
// keeps no data; each click computes from the fields as they are.

#include "common/toolwindow.h"

class AppContext;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

class dewpointt : public ToolWindow<QWidget> {
  Q_OBJECT
 public:
  explicit dewpointt(AppContext& ctx);

  void Command1_Click();  // dew point
  void Command2_Click();
  void Command5_Click();  // pressure at altitude
  void Command6_Click();
  void Command3_Click();  // cloud-base height
  void Command4_Click();
  void Command7_Click();  // night-frost verdict
  void Command8_Click();
  void Cancelbutton_Click();

  QTabWidget* SSTab1 = nullptr;
  QLabel* Label28 = nullptr;
  QPushButton* Cancelbutton = nullptr;
  // Dew point
  QLineEdit* t = nullptr;
  QLineEdit* ur = nullptr;
  QLabel* tot = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  // Pressure at altitude
  QLineEdit* Text1 = nullptr;
  QLabel* Label16 = nullptr;
  QPushButton* Command5 = nullptr;
  QPushButton* Command6 = nullptr;
  // Cloud-base height
  QLineEdit* a = nullptr;
  QLineEdit* b = nullptr;
  QLabel* risa = nullptr;
  QLabel* risb = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command4 = nullptr;
  // Night frost
  QLineEdit* Text2 = nullptr;
  QLineEdit* Text3 = nullptr;
  QLabel* Label19 = nullptr;
  QLabel* Label20 = nullptr;
  QCheckBox* Check1 = nullptr;
  QLabel* Label11 = nullptr;
  QPushButton* Command7 = nullptr;
  QPushButton* Command8 = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* buildDewPointTab();
  QWidget* buildPressureTab();
  QWidget* buildCloudBaseTab();
  QWidget* buildFrostTab();
  QLineEdit* numberField(const QString& name);
};
