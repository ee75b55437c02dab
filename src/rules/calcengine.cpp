#include "rules/calcengine.h"

#include <cmath>
#include <limits>
#include <optional>

#include "rules/numbers.h"

namespace {

const QString kSeparator = QStringLiteral(",");

std::optional<double> valueOf(const CalcOperand& operand) {
  if (std::holds_alternative<std::monostate>(operand)) return 0.0;
  if (const double* number = std::get_if<double>(&operand)) return *number;
  return num::readCalculatorText(std::get<QString>(operand));
}

QString textOf(const CalcOperand& operand) {
  if (std::holds_alternative<std::monostate>(operand)) return QStringLiteral("0");
  if (const double* number = std::get_if<double>(&operand)) return num::calculatorText(*number);
  return std::get<QString>(operand);
}

}  // namespace

CalcEngine::CalcEngine(CalcOperands& operands) : operands_(operands) {}

void CalcEngine::digit(int d) {
  if (d < 0 || d > 9) return;
  if (lastInput_ != Input::Number) {
    display_ = kSeparator;
    decimalFlag_ = false;
  }
  const QChar key = QChar(u'0' + d);
  if (decimalFlag_) {
    display_ += key;
  } else {
    // Digits go in before the trailing separator.
    display_ = display_.left(display_.indexOf(kSeparator)) + key + kSeparator;
  }
  if (lastInput_ == Input::Negative) display_.prepend(u'-');
  lastInput_ = Input::Number;
}

void CalcEngine::decimal() {
  if (lastInput_ == Input::Negative)
    display_ = QStringLiteral("-0,");
  else if (lastInput_ != Input::Number)
    display_ = QStringLiteral("0,");
  decimalFlag_ = true;
  lastInput_ = Input::Number;
}

void CalcEngine::cancelEntry() {
  display_ = QStringLiteral("0,");
  decimalFlag_ = false;
  lastInput_ = Input::ClearEntry;
}

void CalcEngine::percent() {
  const auto value = num::readCalculatorText(display_);
  if (!value) return fail();
  const double result = *value / 100;
  if (!std::isfinite(result)) return fail();
  display_ = num::calculatorText(result);
  lastInput_ = Input::Operator;
  pending_ = QStringLiteral("%");
  decimalFlag_ = true;
  countOperand();
}

CalcEngine::Outcome CalcEngine::op(const QString& key) {
  divisionByZero_ = false;
  failed_ = false;
  displayCopy_ = display_;
  if (lastInput_ == Input::Number) countOperand();
  switch (count_) {
    case 0:
      if (key == u"-" && lastInput_ != Input::Negative) {
        // After an error the display holds no number to put the sign on.
        display_ = num::readCalculatorText(display_) ? QStringLiteral("-") + display_
                                                     : QStringLiteral("-0,");
        lastInput_ = Input::Negative;
      }
      break;
    case 1:
      operands_.first = display_;
      if (key == u"-" && lastInput_ != Input::Number && pending_ != u"=") {
        // A minus right after an operator is the sign of the next number.
        display_ = QStringLiteral("-");
        lastInput_ = Input::Negative;
      }
      break;
    case 2:
      operands_.second = displayCopy_;
      compute();
      if (failed_) return Outcome::Done;
      display_ = textOf(operands_.first);
      count_ = 1;
      break;
    default:
      break;
  }
  if (lastInput_ != Input::Negative) {
    lastInput_ = Input::Operator;
    pending_ = key;
  }
  return divisionByZero_ ? Outcome::DivisionByZero : Outcome::Done;
}

void CalcEngine::countOperand() {
  // The count only matters up to 2; stop before the 16-bit counter overflows.
  if (count_ < std::numeric_limits<qint16>::max()) ++count_;
}

void CalcEngine::compute() {
  const auto second = valueOf(operands_.second);
  if (!second) return fail();
  if (pending_ == u"=") {
    operands_.first = *second;
    return;
  }
  if (pending_ == u"/" && *second == 0) {
    divisionByZero_ = true;
    return;
  }
  double result = 0;
  if (pending_ == u"+" || pending_ == u"-" || pending_ == u"X" || pending_ == u"/" ||
      pending_ == u"%") {
    const auto first = valueOf(operands_.first);
    if (!first) return fail();
    if (pending_ == u"+")
      result = *first + *second;
    else if (pending_ == u"-")
      result = *first - *second;
    else if (pending_ == u"/")
      result = *first / *second;
    else
      result = *first * *second;  // "X" and "%"
  } else {
    return;  // no operator pending: the first operand stays
  }
  if (!std::isfinite(result)) return fail();
  operands_.first = result;
}

void CalcEngine::fail() {
  // Start afresh from an error display: the next digits begin a new number.
  failed_ = true;
  display_ = kError;
  decimalFlag_ = false;
  count_ = 0;
  pending_ = QStringLiteral(" ");
  lastInput_ = Input::ClearEntry;
  operands_.first = std::monostate{};
  operands_.second = std::monostate{};
}
