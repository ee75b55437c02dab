#pragma once
// Number reading and writing rules shared by every window. Values stay texts
// everywhere; these functions convert them only for a computation and write
// results back as text. Everything here is pure and independent of the C
// library's locale (Qt sets it from the environment at start-up).

#include <QLocale>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace num {

// The locale the program reads and writes numbers in: the user's locale, or
// Italian where the system names none (C or POSIX). Installed as QLocale's
// default at start-up; tests pin Italian.
QLocale systemOrItalian();
// The same choice for a given system locale (testable without a new process).
QLocale localeOrItalian(const QLocale& system);
// The locale every conversion below uses: QLocale() (the default set above).
QLocale programLocale();

// The locale's numeric test and conversion: the whole text (surrounding blanks
// allowed) is a number in the locale: an optional sign, digits with optional
// group separators, the decimal separator and decimals, an optional exponent
// ("1,5e3"). Group separators are accepted between any two digits of the
// integer part and at its end, whatever the group size: on an Italian system
// "1.234,5", "1.5" (fifteen) and "0." (zero, the result captions' initial
// text) are numbers. Empty or other text, or a magnitude beyond the
// double range: nullopt. Negative zero stays -0.0.
std::optional<double> readLocale(const QString& text, const QLocale& locale = programLocale());
inline bool isNumeric(const QString& text, const QLocale& locale = programLocale()) {
  return readLocale(text, locale).has_value();
}

// Fixed point with four decimal places: a signed 64-bit count of ten-thousandths,
// the whole qint64 range (-922337203685477.5808 to 922337203685477.5807).
struct Fixed4 {
  qint64 units = 0;  // value * 10000
  friend bool operator==(Fixed4, Fixed4) = default;
};
// Reads a locale number (the syntax of readLocale) straight from its decimal
// digits, without passing through a double, and rounds it to the nearest
// ten-thousandth, halves away from zero. Not a number or out of range: nullopt.
std::optional<Fixed4> readFixed4(const QString& text, const QLocale& locale = programLocale());
// Converts a double exactly to the nearest ten-thousandth, halves to even
// (the dew-point computation's rule). Not finite or out of range: nullopt.
std::optional<Fixed4> toFixed4(double value);
// Exact sums; an overflow is a failure (nullopt), never a wrap.
std::optional<Fixed4> add(Fixed4 a, Fixed4 b);
std::optional<Fixed4> subtract(Fixed4 a, Fixed4 b);
double toDouble(Fixed4 value);

// The "#,##0.00" pattern: groups of three digits, exactly two decimals, the
// locale's separators and minus sign; halves rounded away from zero. A double
// is taken at 15 significant digits first, so 2.345 shows as 2,35 as typed.
// A result that rounds to zero shows as 0,00, never -0,00. A double that is
// not finite gives an empty text: the caller treats it as a failed computation.
QString formatPattern(double value, const QLocale& locale = programLocale());
QString formatPattern(Fixed4 value, const QLocale& locale = programLocale());

// The leading-number reading: leading blanks skipped, then the longest leading
// part that forms a number (optional sign, digits, one "." as decimal point,
// optional exponent "e" or "E" with optional sign and at least one digit).
// Empty text or text that does not begin with a number reads as 0. The comma
// is not a decimal separator here ("12,5" reads as 12). A magnitude beyond the
// double range reads as an infinity of its sign; callers check std::isfinite.
double leadingNumber(const QString& text);

// Plain number text: rounded to 15 significant digits, no trailing zeros, "."
// as decimal point, one leading blank when not negative (negative zero
// included), no zero before the point for values between -1 and 1 (" .5",
// "-.25"); exponent form (" 1E+15", " 1E-05", "-1.5E+20") when the decimal
// exponent is below -4 or above 14. Not finite: empty text.
QString plainNumberText(double value);

// The desk calculator's display text: the shortest text with at most 15
// significant digits and the comma as decimal separator whatever the locale
// (the calculator's keys build their texts around the comma), no grouping,
// no leading blank, the zero before the comma kept ("0,02"), the exponent form
// of plainNumberText ("1,5E-07"). Negative zero shows as 0. Not finite: empty.
QString calculatorText(double value);
// The display text taken as a number: optional "-", digits, an optional comma
// and decimals, an optional exponent ("12,", "-0,", "0,5", "1,5E-07").
// A lone "-", an empty display or a value beyond the double range: nullopt.
std::optional<double> readCalculatorText(const QString& text);

}  // namespace num
