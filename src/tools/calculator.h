#pragma once
// "Calcolatrice": a four-function desk calculator with a percent key, worked
// with the mouse on a display and a keypad.

#include <array>

#include "common/toolwindow.h"
#include "rules/calcengine.h"

class AppContext;
class QLabel;
class QPushButton;

class Calculator : public ToolWindow<QWidget> {
  Q_OBJECT
 public:
  explicit Calculator(AppContext& ctx);

  void Number_Click(int index);
  void Operator_Click(int index);
  void Decimal_Click();
  void CancelEntry_Click();
  void Percent_Click();

  const CalcEngine& engine() const { return engine_; }

  QLabel* Readout = nullptr;
  std::array<QPushButton*, 10> Number{};
  std::array<QPushButton*, 5> Operator{};  // "/", "+", "X", "-", "="
  QPushButton* CancelEntry = nullptr;
  QPushButton* Decimal = nullptr;
  QPushButton* Percent = nullptr;

 protected:
  // Its check mark in the main window's menu goes.
  void closing() override;

 private:
  void aggiorna();

  CalcEngine engine_;
};
