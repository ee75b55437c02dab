#include "rules/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace num {

namespace {

// The pieces of a number as written, before any conversion, so that the same
// text can become a double or an exact fixed-point value.
struct Lexed {
  bool negative = false;
  std::string intDigits;   // ASCII digits, group separators removed
  std::string fracDigits;  // ASCII digits after the decimal separator
  long exponent = 0;       // clamped to +-kExponentLimit
};

// Beyond this no exponent changes the outcome (zero or out of range), and
// the clamp keeps the arithmetic below far from overflowing.
constexpr long kExponentLimit = 100000;

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

struct Syntax {
  QString decimal;
  QString group;            // empty: no grouping
  bool spaceGroup = false;  // the locale groups with a blank: any blank will do
  QString minus;
  QString plus;
};

Syntax syntaxOf(const QLocale& locale) {
  Syntax s;
  s.decimal = locale.decimalPoint();
  s.group = locale.groupSeparator();
  s.spaceGroup = s.group.size() == 1 && s.group.at(0).isSpace();
  s.minus = locale.negativeSign();
  s.plus = locale.positiveSign();
  return s;
}

bool startsAt(const QString& text, qsizetype pos, const QString& what) {
  return !what.isEmpty() && QStringView(text).mid(pos).startsWith(what);
}

// Reads an exponent ("e", optional sign, at least one digit) at pos. On
// success advances pos and stores the clamped value.
bool lexExponent(const QString& text, qsizetype& pos, long& exponent, const Syntax* syntax) {
  qsizetype p = pos;
  if (p >= text.size() || (text.at(p) != u'e' && text.at(p) != u'E')) return false;
  ++p;
  bool negative = false;
  if (p < text.size() && (text.at(p) == u'+' || text.at(p) == u'-')) {
    negative = text.at(p) == u'-';
    ++p;
  } else if (syntax && startsAt(text, p, syntax->minus)) {
    negative = true;
    p += syntax->minus.size();
  } else if (syntax && startsAt(text, p, syntax->plus)) {
    p += syntax->plus.size();
  }
  if (p >= text.size() || !isAsciiDigit(text.at(p))) return false;
  long value = 0;
  while (p < text.size() && isAsciiDigit(text.at(p))) {
    value = std::min(kExponentLimit, value * 10 + (text.at(p).unicode() - u'0'));
    ++p;
  }
  exponent = negative ? -value : value;
  pos = p;
  return true;
}

// The whole text, blanks around it allowed, as a number of the given syntax.
std::optional<Lexed> lexWhole(const QString& raw, const Syntax& syntax) {
  const QString text = raw.trimmed();
  Lexed lexed;
  qsizetype pos = 0;
  if (startsAt(text, pos, QStringLiteral("-"))) {
    lexed.negative = true;
    ++pos;
  } else if (startsAt(text, pos, syntax.minus)) {
    lexed.negative = true;
    pos += syntax.minus.size();
  } else if (startsAt(text, pos, QStringLiteral("+"))) {
    ++pos;
  } else if (startsAt(text, pos, syntax.plus)) {
    pos += syntax.plus.size();
  }
  auto atGroup = [&](qsizetype p) -> qsizetype {
    if (p >= text.size()) return 0;
    if (syntax.spaceGroup) {
      const QChar c = text.at(p);
      return (c == u' ' || c == QChar(0x00A0) || c == QChar(0x202F)) ? 1 : 0;
    }
    return startsAt(text, p, syntax.group) ? syntax.group.size() : 0;
  };
  // Integer part: a group separator only after a digit, never two in a row.
  bool lastWasGroup = false;
  while (pos < text.size()) {
    if (isAsciiDigit(text.at(pos))) {
      lexed.intDigits.push_back(char(text.at(pos).unicode()));
      ++pos;
      lastWasGroup = false;
    } else if (!lexed.intDigits.empty() && !lastWasGroup && atGroup(pos) > 0 &&
               !startsAt(text, pos, syntax.decimal)) {
      pos += atGroup(pos);
      lastWasGroup = true;
    } else {
      break;
    }
  }
  if (startsAt(text, pos, syntax.decimal)) {
    if (lastWasGroup) return std::nullopt;  // "1.,5"
    pos += syntax.decimal.size();
    while (pos < text.size() && isAsciiDigit(text.at(pos))) {
      lexed.fracDigits.push_back(char(text.at(pos).unicode()));
      ++pos;
    }
  }
  if (lexed.intDigits.empty() && lexed.fracDigits.empty()) return std::nullopt;
  if (pos < text.size() && !lexExponent(text, pos, lexed.exponent, &syntax)) return std::nullopt;
  if (pos != text.size()) return std::nullopt;
  return lexed;
}

// Converts lexed pieces to the nearest double; nullopt when the magnitude is
// beyond the double range. An underflow gives zero of the right sign.
std::optional<double> toDoubleValue(const Lexed& lexed) {
  std::string digits = lexed.intDigits + lexed.fracDigits;
  const auto firstNonZero = digits.find_first_not_of('0');
  if (firstNonZero == std::string::npos) return lexed.negative ? -0.0 : 0.0;
  // Scientific form d.ddd e X with X the decimal exponent of the first digit.
  const long leadExponent = long(lexed.intDigits.size()) - long(firstNonZero) - 1 + lexed.exponent;
  if (leadExponent > 400) return std::nullopt;
  if (leadExponent < -400) return lexed.negative ? -0.0 : 0.0;
  std::string normal;
  if (lexed.negative) normal.push_back('-');
  normal.push_back(digits[firstNonZero]);
  normal.push_back('.');
  normal.append(digits, firstNonZero + 1);
  normal.push_back('e');
  normal.append(std::to_string(leadExponent));
  double value = 0;
  const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    if (leadExponent > 0) return std::nullopt;
    return lexed.negative ? -0.0 : 0.0;
  }
  if (result.ec != std::errc() || !std::isfinite(value)) return std::nullopt;
  return value;
}

using u128 = unsigned __int128;
constexpr u128 kMaxPositiveUnits = u128(std::numeric_limits<qint64>::max());
constexpr u128 kMaxNegativeUnits = kMaxPositiveUnits + 1;

std::optional<Fixed4> unitsFromMagnitude(bool negative, u128 magnitude) {
  if (magnitude > (negative ? kMaxNegativeUnits : kMaxPositiveUnits)) return std::nullopt;
  if (negative) return Fixed4{qint64(-static_cast<__int128>(magnitude))};
  return Fixed4{qint64(magnitude)};
}

// Exact decimal to ten-thousandths, halves away from zero.
std::optional<Fixed4> toFixedValue(const Lexed& lexed) {
  std::string digits = lexed.intDigits + lexed.fracDigits;
  const auto firstNonZero = digits.find_first_not_of('0');
  if (firstNonZero == std::string::npos) return Fixed4{0};
  digits.erase(0, firstNonZero);
  // value = digits * 10^scale ten-thousandths
  const long scale = lexed.exponent + 4 - long(lexed.fracDigits.size());
  const long kept = long(digits.size()) + scale;  // digits left of the units' point
  if (kept > 20) return std::nullopt;
  u128 magnitude = 0;
  if (scale >= 0) {
    for (char c : digits) magnitude = magnitude * 10 + u128(c - '0');
    for (long i = 0; i < scale; ++i) magnitude *= 10;
  } else {
    for (long i = 0; i < kept; ++i) magnitude = magnitude * 10 + u128(digits[size_t(i)] - '0');
    if (kept >= 0 && digits[size_t(kept)] >= '5') ++magnitude;
  }
  return unitsFromMagnitude(lexed.negative, magnitude);
}

// Shortest text of at most 15 significant digits in the form of C's "%.15G":
// fixed notation for decimal exponents -4 to 14, else d.dddE+XX.
std::string generalText(double value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  std::string text(buffer, result.ptr);
  for (char& c : text)
    if (c == 'e') c = 'E';
  if (text == "-0") text = "0";
  return text;
}

QString groupDigits(const QString& digits, const QString& separator) {
  QString out;
  for (qsizetype i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
    out += digits.at(i);
  }
  return out;
}

// Writes the pattern from a non-negative count of hundredths.
QString patternFromHundredths(bool negative, const QString& hundredths, const QLocale& locale) {
  QString digits = hundredths;
  while (digits.size() > 1 && digits.startsWith(u'0')) digits.remove(0, 1);
  while (digits.size() < 3) digits.prepend(u'0');
  const bool zero = digits.count(u'0') == digits.size();
  QString text = groupDigits(digits.left(digits.size() - 2), locale.groupSeparator()) +
                 locale.decimalPoint() + digits.right(2);
  if (negative && !zero) text.prepend(locale.negativeSign());
  return text;
}

}  // namespace

QLocale localeOrItalian(const QLocale& system) {
  if (system.language() == QLocale::C || system.name() == u"C" || system.name() == u"POSIX")
    return QLocale(QLocale::Italian, QLocale::Italy);
  return system;
}

QLocale systemOrItalian() { return localeOrItalian(QLocale::system()); }

QLocale programLocale() { return QLocale(); }

std::optional<double> readLocale(const QString& text, const QLocale& locale) {
  const auto lexed = lexWhole(text, syntaxOf(locale));
  if (!lexed) return std::nullopt;
  return toDoubleValue(*lexed);
}

std::optional<Fixed4> readFixed4(const QString& text, const QLocale& locale) {
  const auto lexed = lexWhole(text, syntaxOf(locale));
  if (!lexed) return std::nullopt;
  return toFixedValue(*lexed);
}

std::optional<Fixed4> toFixed4(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  if (value == 0) return Fixed4{0};
  // value = mantissa * 2^exponent exactly, mantissa a 53-bit integer; the
  // product with 10000 fits 67 bits, so the rounding below is exact.
  int exponent = 0;
  const double fraction = std::frexp(std::fabs(value), &exponent);
  const u128 mantissa = u128(std::ldexp(fraction, 53));
  exponent -= 53;
  u128 scaled = mantissa * 10000;
  u128 magnitude = 0;
  if (exponent >= 0) {
    if (exponent > 64) return std::nullopt;
    magnitude = scaled << exponent;
    if ((magnitude >> exponent) != scaled) return std::nullopt;
  } else {
    const int shift = -exponent;
    if (shift >= 100) {
      magnitude = 0;  // far below half a ten-thousandth
    } else {
      magnitude = scaled >> shift;
      const u128 remainder = scaled - (magnitude << shift);
      const u128 half = u128(1) << (shift - 1);
      if (remainder > half || (remainder == half && (magnitude & 1) != 0)) ++magnitude;
    }
  }
  return unitsFromMagnitude(value < 0, magnitude);
}

std::optional<Fixed4> add(Fixed4 a, Fixed4 b) {
  qint64 sum = 0;
  if (__builtin_add_overflow(a.units, b.units, &sum)) return std::nullopt;
  return Fixed4{sum};
}

std::optional<Fixed4> subtract(Fixed4 a, Fixed4 b) {
  qint64 difference = 0;
  if (__builtin_sub_overflow(a.units, b.units, &difference)) return std::nullopt;
  return Fixed4{difference};
}

double toDouble(Fixed4 value) { return double(value.units) / 10000.0; }

QString formatPattern(double value, const QLocale& locale) {
  if (!std::isfinite(value)) return QString();
  // 15 significant digits as d.dddddddddddddde±X, then rounded to hundredths.
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, 14);
  const std::string text(buffer, result.ptr);
  const auto e = text.find('e');
  std::string digits = text.substr(0, 1) + text.substr(2, e - 2);  // 15 digits
  const int exponent = std::stoi(text.substr(e + 1));
  // digits * 10^(exponent - 14) = value; want hundredths: shift by exponent - 12.
  const int shift = exponent - 12;
  std::string hundredths;
  if (shift >= 0) {
    hundredths = digits + std::string(size_t(shift), '0');
  } else {
    const int kept = int(digits.size()) + shift;
    if (kept < 0) {
      hundredths = "0";
    } else {
      hundredths = kept == 0 ? std::string("0") : digits.substr(0, size_t(kept));
      if (digits[size_t(kept)] >= '5') {
        // Add one to the decimal string.
        int i = int(hundredths.size()) - 1;
        while (i >= 0 && hundredths[size_t(i)] == '9') hundredths[size_t(i--)] = '0';
        if (i < 0)
          hundredths.insert(hundredths.begin(), '1');
        else
          ++hundredths[size_t(i)];
      }
    }
  }
  return patternFromHundredths(std::signbit(value), QString::fromStdString(hundredths), locale);
}

QString formatPattern(Fixed4 value, const QLocale& locale) {
  const bool negative = value.units < 0;
  const u128 magnitude = negative ? u128(-static_cast<__int128>(value.units)) : u128(value.units);
  u128 hundredths = magnitude / 100;
  if (magnitude % 100 >= 50) ++hundredths;
  std::string digits;
  do {
    digits.insert(digits.begin(), char('0' + int(hundredths % 10)));
    hundredths /= 10;
  } while (hundredths != 0);
  return patternFromHundredths(negative, QString::fromStdString(digits), locale);
}

double leadingNumber(const QString& text) {
  qsizetype pos = 0;
  while (pos < text.size() && text.at(pos).isSpace()) ++pos;
  Lexed lexed;
  if (pos < text.size() && (text.at(pos) == u'+' || text.at(pos) == u'-')) {
    lexed.negative = text.at(pos) == u'-';
    ++pos;
  }
  while (pos < text.size() && isAsciiDigit(text.at(pos)))
    lexed.intDigits.push_back(char(text.at(pos++).unicode()));
  if (pos < text.size() && text.at(pos) == u'.') {
    ++pos;
    while (pos < text.size() && isAsciiDigit(text.at(pos)))
      lexed.fracDigits.push_back(char(text.at(pos++).unicode()));
  }
  if (lexed.intDigits.empty() && lexed.fracDigits.empty()) return 0.0;
  lexExponent(text, pos, lexed.exponent, nullptr);  // "1e" and "1e+" keep the 1
  const auto value = toDoubleValue(lexed);
  if (!value) {
    return lexed.negative ? -std::numeric_limits<double>::infinity()
                          : std::numeric_limits<double>::infinity();
  }
  return *value;
}

QString plainNumberText(double value) {
  if (!std::isfinite(value)) return QString();
  std::string text = generalText(value);
  const bool negative = text.front() == '-';
  if (negative) text.erase(0, 1);
  if (text.size() > 1 && text[0] == '0' && text[1] == '.') text.erase(0, 1);
  return QString::fromLatin1(negative ? "-" : " ") + QString::fromStdString(text);
}

QString calculatorText(double value) {
  if (!std::isfinite(value)) return QString();
  QString text = QString::fromStdString(generalText(value));
  text.replace(u'.', u',');
  return text;
}

std::optional<double> readCalculatorText(const QString& text) {
  Syntax syntax;
  syntax.decimal = QStringLiteral(",");
  const auto lexed = lexWhole(text, syntax);
  if (!lexed) return std::nullopt;
  return toDoubleValue(*lexed);
}

}  // namespace num
