#pragma once
// The desk calculator's state machine over the text of its display. The keys
// are plain calls; the window only shows the display and the division message.

#include <QString>
#include <QtGlobal>
#include <variant>

// An operand as the calculator holds it: nothing yet (reads as 0), the text
// of the display as it was taken, or a computed number.
using CalcOperand = std::variant<std::monostate, QString, double>;

// The two operands outlive the window: reopening the calculator during the
// same run starts with the operands of the earlier calculation.
struct CalcOperands {
  CalcOperand first;
  CalcOperand second;
};

class CalcEngine {
 public:
  // The last key's kind, as the machine needs to tell them apart.
  enum class Input { None, Number, Operator, Negative, ClearEntry };
  enum class Outcome { Done, DivisionByZero };

  // Shown when a result is beyond the double range or an operand is not a
  // number (a lone "-"); the calculation then starts afresh.
  static inline const QString kError = QStringLiteral("E");

  // A fresh opening: display "0,", no pending operator; the operands are kept.
  explicit CalcEngine(CalcOperands& operands);

  void digit(int d);  // 0 to 9
  void decimal();
  void cancelEntry();
  void percent();
  // An operator key: "+", "-", "X", "/" or "=". DivisionByZero tells the
  // window to show its message; the first operand is then left unchanged.
  Outcome op(const QString& key);

  const QString& display() const { return display_; }
  Input lastInput() const { return lastInput_; }
  const QString& pendingOperator() const { return pending_; }
  int operandCount() const { return count_; }
  bool decimalFlag() const { return decimalFlag_; }
  const CalcOperands& operands() const { return operands_; }

 private:
  void countOperand();
  void compute();
  void fail();

  CalcOperands& operands_;
  QString display_ = QStringLiteral("0,");
  QString displayCopy_;
  QString pending_ = QStringLiteral(" ");
  Input lastInput_ = Input::None;
  qint16 count_ = 0;
  bool decimalFlag_ = false;
  bool divisionByZero_ = false;
  bool failed_ = false;
};
