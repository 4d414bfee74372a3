// Text-to-number and number-to-text conversions of the engine.
//
// A small layer of our own: the accepted syntax is fixed by the field-book rules and
// must not follow the locale, so it is checked here and handed to from_chars/to_chars.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// String-to-float. Skips leading and trailing blanks; accepts an optional sign,
// digits with "." as decimal separator (at least one digit, "5." and ".5" are fine)
// and an optional exponent ("e" or "E", optional sign, digits), and gives the double
// nearest to the number. Numbers too small for a double's normal range read as that
// nearest double, subnormal or zero: "1e-310" and "4.9e-324" are subnormal, "1e-400"
// is 0 and "-1e-400" is -0. Everything else is rejected: the empty text, "1.2.3",
// "-", ".", "inf", "nan", "0x1p3", "1e", and magnitudes beyond the largest double
// ("1e400", "-1e400"). A leading "+" is accepted.
inline std::optional<double> StrToFloat(std::string_view text);

// The largest magnitude, in degrees, of an angle read from a field (dip direction,
// dip, trend, plunge, rake, quadrant angle, bedding). Beyond it a number no longer
// describes a direction: its conversion to radians alone moves it by more than 1e-6
// degrees (about |x| * 4e-16), and from about 5.7e307 on that conversion overflows
// and sines are undefined. Field books write a turn or two at most ("400/20").
inline constexpr double kMaxFieldAngle = 1e9;

// True for a magnitude of at most kMaxFieldAngle (NaN fails).
inline bool IsFieldAngle(double degrees) {
  return degrees >= -kMaxFieldAngle && degrees <= kMaxFieldAngle;
}

// StrToFloat for an angle in degrees read from a field: also rejects magnitudes above
// kMaxFieldAngle ("1e308", "-2e9"), so that every angle of a line stays finite
// through the geometry. "400" -> 400, "-1e9" -> -1e9.
inline std::optional<double> StrToAngle(std::string_view text);

// String-to-integer (32-bit). Skips leading blanks; accepts an optional sign and
// decimal digits, or hexadecimal digits behind "0x", "0X" or "$". Out-of-range
// values and any other text, the empty text included, are rejected.
inline std::optional<std::int32_t> StrToInt(std::string_view text);

// StrToInt with a default for text that does not convert.
std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback);

// Rounds half away from zero to a whole number: 2.5 -> 3, -2.5 -> -3, 359.5 -> 360.
// Returns a double so that values beyond the 32-bit range stay exact.
// Without branches: the fractions of field values are random, and a mispredicted
// branch costs more than the arithmetic.
inline double RoundToInt(double x) {
  const double t = __builtin_trunc(x);
  const double f = x - t;  // NaN for infinities, which then stay as they are
  const double up = f >= 0.5 ? 1.0 : 0.0;
  const double down = f <= -0.5 ? 1.0 : 0.0;
  return ((t + up) - down) + 0.0;  // + 0.0: never a negative zero
}

// Rounds to n decimal places by RoundToInt(x * 10^n) / 10^n: RoundTo(12.25, 1) = 12.3.
double RoundTo(double x, int n);

// Appends a whole-valued double in plain decimal digits, in full ("-3",
// "1000000000000000019884624838656").
void AppendInteger(std::string& out, double wholeValue);

// Appends the shortest general form with at most 15 significant digits, "." as
// separator (what printf("%.15g") prints): 45 -> "45", 7.3 -> "7.3", 1e30 -> "1e+30".
void AppendGeneral(std::string& out, double value);

// Appends the fewest digits that read back as `value`, without an exponent, "." as
// separator: 65.5 -> "65.5", 1e-4 -> "0.0001", 120 -> "120", -0.0 -> "-0".
void AppendShortestFixed(std::string& out, double value);

namespace detail {

// The usual field number, a short plain decimal ("120", "-45.5", "+.5"), without
// blanks: with at most 15 digits the digits form an exact integer and its power of
// ten is exact too, so one division gives the correctly rounded value, the double
// that the full conversion gives. False for anything else.
inline bool ShortDecimal(std::string_view s, double& value) {
  static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  std::size_t i = 0;
  const bool negative = !s.empty() && s[0] == '-';
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) ++i;
  std::uint64_t mantissa = 0;
  int digits = 0;
  int fraction = -1;  // digits after the point, once there is one
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      if (++digits > 15) return false;
      mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
      if (fraction >= 0) ++fraction;
    } else if (c == '.' && fraction < 0) {
      fraction = 0;
    } else {
      return false;
    }
  }
  if (digits == 0) return false;
  value = static_cast<double>(mantissa);
  if (fraction > 0) value /= kPowersOfTen[fraction];
  if (negative) value = -value;
  return true;
}

// Everything the short path leaves: blanks, exponents, long digit strings, errors.
std::optional<double> StrToFloatFull(std::string_view text);

// The full integer conversion: blanks, signs, hexadecimal, range checks.
std::optional<std::int32_t> StrToIntFull(std::string_view text);

}  // namespace detail

// One to nine plain decimal digits, the usual integer in a field token, cannot
// overflow; everything else takes the full conversion.
inline std::optional<std::int32_t> StrToInt(std::string_view text) {
  if (!text.empty() && text.size() <= 9) {
    std::int32_t value = 0;
    for (const char c : text) {
      if (c < '0' || c > '9') return detail::StrToIntFull(text);
      value = value * 10 + (c - '0');
    }
    return value;
  }
  return detail::StrToIntFull(text);
}

inline std::optional<double> StrToFloat(std::string_view text) {
  double value;
  if (detail::ShortDecimal(text, value)) return value;
  return detail::StrToFloatFull(text);
}

inline std::optional<double> StrToAngle(std::string_view text) {
  double value;
  if (!detail::ShortDecimal(text, value)) {
    const auto full = detail::StrToFloatFull(text);
    if (!full) return std::nullopt;
    value = *full;
  }
  if (!IsFieldAngle(value)) return std::nullopt;
  return value;
}

}  // namespace orvane
