#pragma once
// Number reading and writing rules shared by every window. Values stay texts
// everywhere; these functions convert them only for a computation and write
// results back as text.

#include <QLocale>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace num {

// The locale the program reads and writes numbers in: the user's locale, or
// Italian where the system names none (C or POSIX). Installed as QLocale's
// default at start-up; tests pin Italian.
QLocale systemOrItalian();
// The locale every conversion below uses: QLocale() (the default set above).
QLocale programLocale();

// The locale's numeric test and conversion: the whole text (surrounding blanks
// allowed) is a number in the locale, with its decimal separator and optional
// group separators, an optional sign and exponent. Empty or other text: nullopt.
std::optional<double> readLocale(const QString& text, const QLocale& locale = programLocale());
inline bool isNumeric(const QString& text, const QLocale& locale = programLocale()) {
  return readLocale(text, locale).has_value();
}

// Fixed point with four decimal places: a signed 64-bit count of ten-thousandths.
struct Fixed4 {
  qint64 units = 0;  // value * 10000
  friend bool operator==(Fixed4, Fixed4) = default;
};
// Reads a locale number and rounds it to the nearest ten-thousandth (halves
// away from zero, as the conversion of typed text does). Out of range: nullopt.
std::optional<Fixed4> readFixed4(const QString& text, const QLocale& locale = programLocale());
// Converts a double, rounding to the nearest ten-thousandth with halves to even.
// Not finite or out of range: nullopt.
std::optional<Fixed4> toFixed4(double value);
// Exact sums; an overflow is a failure (nullopt), never a wrap.
std::optional<Fixed4> add(Fixed4 a, Fixed4 b);
std::optional<Fixed4> subtract(Fixed4 a, Fixed4 b);
double toDouble(Fixed4 value);

// The "#,##0.00" pattern: digit grouping, exactly two decimals, the locale's
// separators; halves rounded away from zero; negative zero shows as 0,00.
QString formatPattern(double value, const QLocale& locale = programLocale());
QString formatPattern(Fixed4 value, const QLocale& locale = programLocale());

// The leading-number reading: blanks skipped, then the longest leading part
// that forms a number (sign, digits, one "." as decimal point, exponent).
// Empty text or text that does not begin with a number reads as 0. The comma
// is not a decimal separator here ("12,5" reads as 12).
double leadingNumber(const QString& text);

// Plain number text: 15 significant digits, no trailing zeros, "." as decimal
// point, one leading blank when not negative, no zero before the point for
// values between -1 and 1 (" .5", "-.25"); exponent form "1E+16" for very
// large or small magnitudes.
QString plainNumberText(double value);

// The desk calculator's display text: the shortest text with at most 15
// significant digits, the locale's decimal separator, no grouping.
QString calculatorText(double value, const QLocale& locale = programLocale());

}  // namespace num
