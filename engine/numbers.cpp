#include "numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "numbers_portable.h"
#include "text.h"

namespace orvane {

namespace {

// Where the C++ library has no floating-point <charconv> (the WebAssembly build's),
// numbers_portable gives the same results.
#if defined(__cpp_lib_to_chars)
std::from_chars_result DoubleFromChars(const char* first, const char* last, double& value) {
  return std::from_chars(first, last, value, std::chars_format::general);
}
std::to_chars_result DoubleToCharsFixed0(char* first, char* last, double value) {
  return std::to_chars(first, last, value, std::chars_format::fixed, 0);
}
std::to_chars_result DoubleToCharsGeneral(char* first, char* last, double value, int precision) {
  return std::to_chars(first, last, value, std::chars_format::general, precision);
}
std::to_chars_result DoubleToCharsShortestFixed(char* first, char* last, double value) {
  return std::to_chars(first, last, value, std::chars_format::fixed);
}
#else
std::from_chars_result DoubleFromChars(const char* first, const char* last, double& value) {
  return portable::FromChars(first, last, value);
}
std::to_chars_result DoubleToCharsFixed0(char* first, char* last, double value) {
  return portable::ToCharsFixed0(first, last, value);
}
std::to_chars_result DoubleToCharsGeneral(char* first, char* last, double value, int precision) {
  return portable::ToCharsGeneral(first, last, value, precision);
}
std::to_chars_result DoubleToCharsShortestFixed(char* first, char* last, double value) {
  return portable::ToCharsShortestFixed(first, last, value);
}
#endif

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// True when `s` is [sign] (digits [. digits] | . digits) [(e|E) [sign] digits].
bool IsDecimalFloat(std::string_view s) {
  std::size_t i = 0;
  const std::size_t n = s.size();
  if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < n && IsDigit(s[i])) ++i, ++digits;
  if (i < n && s[i] == '.') {
    ++i;
    while (i < n && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < n && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t expDigits = 0;
    while (i < n && IsDigit(s[i])) ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  return i == n;
}

// True when the magnitude of a number in that grammar is below 1: its first non-zero
// digit stands after the decimal point, counting the exponent in. Tells the two kinds
// of out-of-range apart, which lie hundreds of decimal places away from 1.
bool MagnitudeBelowOne(std::string_view s) {
  std::size_t i = 0;
  const std::size_t n = s.size();
  if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
  // Decimal exponent of the first non-zero digit, from the digits alone.
  long long lead = 0;
  bool found = false;
  for (; i < n && IsDigit(s[i]); ++i) {
    if (found) {
      ++lead;
    } else if (s[i] != '0') {
      found = true;
    }
  }
  if (i < n && s[i] == '.') {
    for (++i; i < n && IsDigit(s[i]); ++i) {
      if (!found) {
        --lead;
        found = s[i] != '0';
      }
    }
  }
  if (!found) return true;  // zero
  long long exponent = 0;
  if (i < n && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    const bool negative = i < n && s[i] == '-';
    if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
    constexpr long long kSaturated = 1'000'000'000;  // far beyond any double, no overflow
    for (; i < n && IsDigit(s[i]); ++i) {
      if (exponent < kSaturated) exponent = exponent * 10 + (s[i] - '0');
    }
    if (negative) exponent = -exponent;
  }
  return lead + exponent < 0;
}

}  // namespace

std::optional<double> detail::StrToFloatFull(std::string_view text) {
  const std::string_view s = Trim(text);
  double quick;
  if (detail::ShortDecimal(s, quick)) return quick;
  if (!IsDecimalFloat(s)) return std::nullopt;
  // from_chars takes no "+"; the grammar check above has ruled out "+-".
  const std::string_view body = (s.front() == '+') ? s.substr(1) : s;
  double value = 0;
  const auto [end, ec] = DoubleFromChars(body.data(), body.data() + body.size(), value);
  if (end != body.data() + body.size()) return std::nullopt;
  if (ec == std::errc::result_out_of_range && MagnitudeBelowOne(body)) {
    // Too small for a double: the nearest double is zero, with the text's sign.
    return body.front() == '-' ? -0.0 : 0.0;
  }
  if (ec != std::errc()) return std::nullopt;
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<std::int32_t> detail::StrToIntFull(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && IsBlankOrControl(text[i])) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = (text[i++] == '-');
  int base = 10;
  if (i < n && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == n) return std::nullopt;
  std::int64_t value = 0;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  for (; i < n; ++i) {
    const int d = (base == 16) ? HexValue(text[i]) : (IsDigit(text[i]) ? text[i] - '0' : -1);
    if (d < 0) return std::nullopt;
    value = value * base + d;
    if (value > kLimit) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback) {
  return StrToInt(text).value_or(fallback);
}

double RoundTo(double x, int n) {
  const double scale = std::pow(10.0, n);
  const double scaled = x * scale;
  // Beyond 2^53 every double is whole already; scaling further would only overflow.
  if (!std::isfinite(scaled) || std::fabs(x) >= 9007199254740992.0) return x;
  return RoundToInt(scaled) / scale;
}

void AppendInteger(std::string& out, double wholeValue) {
  char buf[400];
  std::to_chars_result res;
  if (std::fabs(wholeValue) < 9.0e18) {
    res = std::to_chars(buf, buf + sizeof buf, static_cast<std::int64_t>(wholeValue));
  } else {
    res = DoubleToCharsFixed0(buf, buf + sizeof buf, wholeValue);
  }
  out.append(buf, res.ptr);
}

void AppendGeneral(std::string& out, double value) {
  if (value == 0) value = 0;  // "-0" is not a number a user writes
  char buf[64];
  const auto res = DoubleToCharsGeneral(buf, buf + sizeof buf, value, 15);
  out.append(buf, res.ptr);
}

void AppendShortestFixed(std::string& out, double value) {
  char buf[400];  // the longest fixed form of a double is 309 digits, a sign and a point
  const auto res = DoubleToCharsShortestFixed(buf, buf + sizeof buf, value);
  out.append(buf, res.ptr);
}

}  // namespace orvane
