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
// and an optional exponent ("e" or "E", optional sign, digits). Everything else is
// rejected: the empty text, "1.2.3", "-", ".", "inf", "nan", "0x1p3", "1e", and
// values beyond the range of a double ("1e400") or below its smallest normal
// magnitude ("1e-400"). A leading "+" is accepted.
std::optional<double> StrToFloat(std::string_view text);

// String-to-integer (32-bit). Skips leading blanks; accepts an optional sign and
// decimal digits, or hexadecimal digits behind "0x", "0X" or "$". Out-of-range
// values and any other text, the empty text included, are rejected.
std::optional<std::int32_t> StrToInt(std::string_view text);

// StrToInt with a default for text that does not convert.
std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback);

// Rounds half away from zero to a whole number: 2.5 -> 3, -2.5 -> -3, 359.5 -> 360.
// Returns a double so that values beyond the 32-bit range stay exact.
inline double RoundToInt(double x) {
  const double t = __builtin_trunc(x);
  const double f = x - t;
  double r = t;
  if (!(__builtin_fabs(f) < 0.5)) r = (f > 0) ? t + 1 : (f < 0 ? t - 1 : t);
  return r == 0 ? 0.0 : r;  // never a negative zero
}

// Rounds to n decimal places by RoundToInt(x * 10^n) / 10^n: RoundTo(12.25, 1) = 12.3.
double RoundTo(double x, int n);

// Appends a whole-valued double in plain decimal digits, in full ("-3",
// "1000000000000000019884624838656").
void AppendInteger(std::string& out, double wholeValue);

// Appends the shortest general form with at most 15 significant digits, "." as
// separator (what printf("%.15g") prints): 45 -> "45", 7.3 -> "7.3", 1e30 -> "1e+30".
void AppendGeneral(std::string& out, double value);

}  // namespace orvane
