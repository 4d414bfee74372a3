#include "numbers_portable.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

namespace orvane::portable {

namespace {

// Unsigned big integer in 32-bit limbs, least significant first, of fixed capacity.
// FromChars keeps at most kKeptDigits significant digits and stops at exponents whose
// values are out of range before it builds one, so its numbers stay below about 2^2700.
class BigBinary {
 public:
  static constexpr int kCapacity = 100;  // limbs: 3200 bits

  void Set(std::uint64_t v) {
    size_ = 0;
    while (v != 0) {
      limb_[size_++] = static_cast<std::uint32_t>(v);
      v >>= 32;
    }
  }
  bool IsZero() const { return size_ == 0; }
  int BitLength() const {
    if (size_ == 0) return 0;
    return 32 * (size_ - 1) + (32 - __builtin_clz(limb_[size_ - 1]));
  }
  void MultiplyAdd(std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (int i = 0; i < size_; ++i) {
      const std::uint64_t p = std::uint64_t{limb_[i]} * factor + carry;
      limb_[i] = static_cast<std::uint32_t>(p);
      carry = p >> 32;
    }
    if (carry != 0) Push(static_cast<std::uint32_t>(carry));
  }
  void MultiplyByPowerOf5(int n) {
    constexpr std::uint32_t k5To13 = 1220703125;
    for (; n >= 13; n -= 13) MultiplyAdd(k5To13, 0);
    std::uint32_t rest = 1;
    for (; n > 0; --n) rest *= 5;
    MultiplyAdd(rest, 0);
  }
  void ShiftLeft(int bits) {
    if (size_ == 0 || bits == 0) return;
    const int limbs = bits / 32;
    const int shift = bits % 32;
    if (size_ + limbs + 1 > kCapacity) {
      overflow_ = true;
      return;
    }
    limb_[size_ + limbs] = 0;
    for (int i = size_ - 1; i >= 0; --i) {
      const std::uint64_t v = std::uint64_t{limb_[i]} << shift;
      limb_[i + limbs + 1] |= static_cast<std::uint32_t>(v >> 32);
      limb_[i + limbs] = static_cast<std::uint32_t>(v);
    }
    for (int i = 0; i < limbs; ++i) limb_[i] = 0;
    size_ += limbs + 1;
    Normalize();
  }
  void ShiftRightOne() {
    for (int i = 0; i < size_; ++i) {
      limb_[i] = (limb_[i] >> 1) | (i + 1 < size_ ? limb_[i + 1] << 31 : 0);
    }
    Normalize();
  }
  // -1, 0 or 1 as a is below, equal to or above b.
  static int Compare(const BigBinary& a, const BigBinary& b) {
    if (a.size_ != b.size_) return a.size_ < b.size_ ? -1 : 1;
    for (int i = a.size_ - 1; i >= 0; --i) {
      if (a.limb_[i] != b.limb_[i]) return a.limb_[i] < b.limb_[i] ? -1 : 1;
    }
    return 0;
  }
  // this -= b, for b <= this.
  void Subtract(const BigBinary& b) {
    std::int64_t borrow = 0;
    for (int i = 0; i < size_; ++i) {
      std::int64_t d = std::int64_t{limb_[i]} - (i < b.size_ ? b.limb_[i] : 0) - borrow;
      borrow = d < 0 ? 1 : 0;
      if (d < 0) d += std::int64_t{1} << 32;
      limb_[i] = static_cast<std::uint32_t>(d);
    }
    Normalize();
  }
  // True when a limb was needed beyond the capacity (the value is then wrong).
  bool Overflowed() const { return overflow_; }

 private:
  void Push(std::uint32_t v) {
    if (size_ == kCapacity) {
      overflow_ = true;
      return;
    }
    limb_[size_++] = v;
  }
  void Normalize() {
    while (size_ > 0 && limb_[size_ - 1] == 0) --size_;
  }

  std::uint32_t limb_[kCapacity];
  int size_ = 0;
  bool overflow_ = false;
};

// Significant digits kept when reading. An exact midpoint between two doubles has at
// most 767 significant digits, so digits beyond 780 can only matter as "some non-zero
// digit follows", which one extra digit 1 stands for.
constexpr int kKeptDigits = 780;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The double nearest to digits * 10^exp10 (ties to even): `digits` are 1 to
// kKeptDigits + 1 decimal digits without leading zeros. False when out of range.
bool NearestDouble(const char* digits, int count, int exp10, double& result) {
  // digits * 10^exp10 lies in [10^(count - 1 + exp10), 10^(count + exp10)).
  if (count - 1 + exp10 > 308) return false;  // 1e309 and above: beyond the largest double
  if (count + exp10 < -324) return false;     // below 1e-324: under half the smallest subnormal

  // value = num / den * 2^exp2 with num = digits * 5^exp10 or den = 5^-exp10.
  BigBinary num, den;
  num.Set(0);
  for (int i = 0; i < count;) {
    std::uint32_t chunk = 0;
    std::uint32_t scale = 1;
    for (int k = 0; k < 9 && i < count; ++k, ++i) {
      chunk = chunk * 10 + static_cast<std::uint32_t>(digits[i] - '0');
      scale *= 10;
    }
    num.MultiplyAdd(scale, chunk);
  }
  den.Set(1);
  if (exp10 >= 0) {
    num.MultiplyByPowerOf5(exp10);
  } else {
    den.MultiplyByPowerOf5(-exp10);
  }
  const int exp2 = exp10;

  // value lies in (2^(estimate - 1), 2^(estimate + 1)). The quotient is taken in units
  // of 2^t, two bits below the last bit a double of that size keeps (or the smallest
  // subnormal's), so that it has 54 or 55 bits and no more.
  const int estimate = num.BitLength() - den.BitLength() + exp2;
  const int t = (estimate - 52 > -1074 ? estimate - 52 : -1074) - 2;
  const int shift = exp2 - t;
  if (shift >= 0) {
    num.ShiftLeft(shift);
  } else {
    den.ShiftLeft(-shift);
  }

  // quotient = floor(num / den) bit by bit; value / 2^t < 2^55.
  constexpr int kQuotientBits = 56;
  BigBinary divisor = den;
  divisor.ShiftLeft(kQuotientBits - 1);
  std::uint64_t quotient = 0;
  for (int bit = kQuotientBits - 1; bit >= 0; --bit) {
    if (BigBinary::Compare(num, divisor) >= 0) {
      num.Subtract(divisor);
      quotient |= std::uint64_t{1} << bit;
    }
    divisor.ShiftRightOne();
  }
  if (num.Overflowed() || den.Overflowed() || divisor.Overflowed()) return false;  // not reached
  const bool sticky = !num.IsZero();

  if (quotient == 0) return false;  // below 2^-1076: rounds to zero
  const int exponent = 63 - __builtin_clzll(quotient) + t;
  const int lastBit = exponent - 52 > -1074 ? exponent - 52 : -1074;
  const int dropped = lastBit - t;  // 1 or 2
  std::uint64_t mantissa = quotient >> dropped;
  const std::uint64_t rest = quotient & ((std::uint64_t{1} << dropped) - 1);
  const std::uint64_t half = std::uint64_t{1} << (dropped - 1);
  if (rest > half || (rest == half && (sticky || (mantissa & 1) != 0))) ++mantissa;
  if (mantissa == 0) return false;
  result = std::ldexp(static_cast<double>(mantissa), lastBit);  // exact: mantissa <= 2^53
  return std::isfinite(result);
}

// Unsigned big integer in base 10^9 limbs, least significant first: the exact decimal
// digits of a double (at most 767 significant digits).
class BigDecimal {
 public:
  static constexpr int kCapacity = 90;  // limbs: 810 digits
  static constexpr std::uint32_t kBase = 1000000000;

  explicit BigDecimal(std::uint64_t v) {
    while (v != 0) {
      limb_[size_++] = static_cast<std::uint32_t>(v % kBase);
      v /= kBase;
    }
  }
  void Multiply(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (int i = 0; i < size_; ++i) {
      const std::uint64_t p = std::uint64_t{limb_[i]} * factor + carry;
      limb_[i] = static_cast<std::uint32_t>(p % kBase);
      carry = p / kBase;
    }
    while (carry != 0 && size_ < kCapacity) {
      limb_[size_++] = static_cast<std::uint32_t>(carry % kBase);
      carry /= kBase;
    }
  }
  // Writes the digits without leading zeros into `out` (room for 9 * kCapacity); returns
  // their count, 0 for zero.
  int Digits(char* out) const {
    int n = 0;
    for (int i = size_ - 1; i >= 0; --i) {
      char chunk[9];
      std::uint32_t v = limb_[i];
      for (int k = 8; k >= 0; --k) {
        chunk[k] = static_cast<char>('0' + v % 10);
        v /= 10;
      }
      int k = 0;
      if (n == 0) {
        while (k < 8 && chunk[k] == '0') ++k;
      }
      for (; k < 9; ++k) out[n++] = chunk[k];
    }
    return n;
  }

 private:
  std::uint32_t limb_[kCapacity];
  int size_ = 0;
};

// The exact decimal form of a finite |value|: digits (no leading zeros; none for zero)
// and the power of ten of the last one: |value| = digits * 10^exp10.
struct ExactDecimal {
  char digits[9 * BigDecimal::kCapacity];
  int count = 0;
  int exp10 = 0;
};

void ToExactDecimal(double value, ExactDecimal& out) {
  int exp2 = 0;
  const double fraction = std::frexp(std::fabs(value), &exp2);  // [0.5, 1) * 2^exp2
  // A 53-bit whole mantissa and its power of two; exact for subnormals too.
  auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  exp2 -= 53;
  if (mantissa == 0) {
    out.count = 0;
    out.exp10 = 0;
    return;
  }
  while ((mantissa & 1) == 0) {
    mantissa >>= 1;
    ++exp2;
  }
  BigDecimal n(mantissa);
  if (exp2 >= 0) {
    // mantissa * 2^exp2, 29 bits at a time (a limb times 2^29 stays below 2^64).
    for (int e = exp2; e > 0; e -= 29) n.Multiply(std::uint32_t{1} << (e < 29 ? e : 29));
    out.exp10 = 0;
  } else {
    // mantissa * 2^exp2 = mantissa * 5^-exp2 * 10^exp2.
    int e = -exp2;
    for (; e >= 13; e -= 13) n.Multiply(1220703125);  // 5^13
    std::uint32_t rest = 1;
    for (; e > 0; --e) rest *= 5;
    n.Multiply(rest);
    out.exp10 = exp2;
  }
  out.count = n.Digits(out.digits);
}

// Rounds `d` to its first `keep` digits (0 <= keep), ties to even, and drops the rest;
// true when a carry ran out of the first digit (all digits became zero and a 1 must
// stand before them).
bool RoundDigits(ExactDecimal& d, int keep) {
  if (keep >= d.count) return false;
  bool up;
  const char first = d.digits[keep];
  if (first != '5') {
    up = first > '5';
  } else {
    bool moreAfter = false;
    for (int i = keep + 1; i < d.count && !moreAfter; ++i) moreAfter = d.digits[i] != '0';
    const bool odd = keep > 0 && ((d.digits[keep - 1] - '0') & 1) != 0;
    up = moreAfter || odd;
  }
  d.exp10 += d.count - keep;
  d.count = keep;
  if (!up) return false;
  for (int i = keep - 1; i >= 0; --i) {
    if (d.digits[i] != '9') {
      ++d.digits[i];
      return false;
    }
    d.digits[i] = '0';
  }
  return true;
}

// Appends text to a bounded buffer; remembers when it did not fit.
struct Writer {
  char* p;
  char* end;
  bool full = false;
  void Put(char c) {
    if (p == end) {
      full = true;
      return;
    }
    *p++ = c;
  }
  void Put(const char* s) {
    while (*s != '\0') Put(*s++);
  }
  std::to_chars_result Result(char* last) const {
    if (full) return {last, std::errc::value_too_large};
    return {p, std::errc()};
  }
};

// "inf", "-inf", "nan", "-nan", as <charconv> writes them; false for finite values.
bool PutNonFinite(Writer& w, double value) {
  if (std::isfinite(value)) return false;
  if (std::signbit(value)) w.Put('-');
  w.Put(std::isnan(value) ? "nan" : "inf");
  return true;
}

}  // namespace

std::from_chars_result FromChars(const char* first, const char* last, double& value) {
  const char* p = first;
  const bool negative = p != last && *p == '-';
  if (negative) ++p;

  char digits[kKeptDigits + 1];
  int count = 0;
  bool nonZeroDropped = false;
  // The power of ten of the last kept digit, relative to the decimal point.
  long long exp10 = 0;
  bool anyDigit = false;
  bool afterPoint = false;
  for (; p != last; ++p) {
    const char c = *p;
    if (c == '.' && !afterPoint) {
      afterPoint = true;
      continue;
    }
    if (!IsDigit(c)) break;
    anyDigit = true;
    if (count == 0 && c == '0') {
      if (afterPoint) --exp10;
    } else if (count < kKeptDigits) {
      digits[count++] = c;
      if (afterPoint) --exp10;
    } else {
      nonZeroDropped = nonZeroDropped || c != '0';
      if (!afterPoint) ++exp10;
    }
  }
  if (!anyDigit) return {first, std::errc::invalid_argument};

  // An exponent counts only with at least one digit; it is held within +-10^9.
  if (p != last && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    bool expNegative = false;
    if (q != last && (*q == '+' || *q == '-')) expNegative = *q++ == '-';
    if (q != last && IsDigit(*q)) {
      long long e = 0;
      for (; q != last && IsDigit(*q); ++q) {
        if (e < 1000000000) e = e * 10 + (*q - '0');
      }
      exp10 += expNegative ? -e : e;
      p = q;
    }
  }

  if (count == 0) {
    value = negative ? -0.0 : 0.0;
    return {p, std::errc()};
  }
  if (nonZeroDropped) {
    digits[count++] = '1';
    --exp10;
  }
  // Far beyond the range either way; keeps the arithmetic below in int.
  if (exp10 > 100000 || exp10 < -100000) return {p, std::errc::result_out_of_range};
  double result = 0;
  if (!NearestDouble(digits, count, static_cast<int>(exp10), result)) {
    return {p, std::errc::result_out_of_range};
  }
  value = negative ? -result : result;
  return {p, std::errc()};
}

std::to_chars_result ToCharsFixed0(char* first, char* last, double value) {
  Writer w{first, last};
  if (PutNonFinite(w, value)) return w.Result(last);
  if (std::signbit(value)) w.Put('-');
  ExactDecimal d;
  ToExactDecimal(value, d);
  if (d.count > 0 && d.exp10 < 0) {
    const int keep = d.count + d.exp10;  // the digits before the decimal point
    if (keep < 0) {
      d.count = 0;  // below 0.1: rounds to 0
    } else if (RoundDigits(d, keep)) {
      d.digits[0] = '1';
      d.count = 1;
      d.exp10 = keep;
    }
  }
  // The value is now digits * 10^exp10 with exp10 >= 0; trailing zeros may be missing.
  int i = 0;
  while (i < d.count && d.digits[i] == '0') ++i;  // a rounded-away fraction leaves "0"s
  if (i == d.count) {
    w.Put('0');
  } else {
    for (; i < d.count; ++i) w.Put(d.digits[i]);
    for (int z = 0; z < d.exp10; ++z) w.Put('0');
  }
  return w.Result(last);
}

std::to_chars_result ToCharsGeneral(char* first, char* last, double value, int precision) {
  Writer w{first, last};
  if (PutNonFinite(w, value)) return w.Result(last);
  if (std::signbit(value)) w.Put('-');
  if (precision < 0) precision = 6;
  if (precision == 0) precision = 1;
  ExactDecimal d;
  ToExactDecimal(value, d);
  if (d.count == 0) {
    w.Put('0');
    return w.Result(last);
  }
  const int keep = precision < d.count ? precision : d.count;  // more would only be zeros
  if (RoundDigits(d, keep)) {
    d.digits[0] = '1';
    d.count = 1;
    d.exp10 += keep;
  }
  // Trailing zeros go, as with %g.
  while (d.count > 1 && d.digits[d.count - 1] == '0') {
    --d.count;
    ++d.exp10;
  }
  const int x = d.count - 1 + d.exp10;  // the power of ten of the first digit, after rounding
  if (x >= -4 && x < precision) {
    // Plain form: digits, the point where it falls, zeros as needed.
    if (x < 0) {
      w.Put("0.");
      for (int z = -1; z > x; --z) w.Put('0');
      for (int i = 0; i < d.count; ++i) w.Put(d.digits[i]);
    } else {
      for (int i = 0; i <= x; ++i) w.Put(i < d.count ? d.digits[i] : '0');
      if (d.count > x + 1) {
        w.Put('.');
        for (int i = x + 1; i < d.count; ++i) w.Put(d.digits[i]);
      }
    }
  } else {
    w.Put(d.digits[0]);
    if (d.count > 1) {
      w.Put('.');
      for (int i = 1; i < d.count; ++i) w.Put(d.digits[i]);
    }
    w.Put('e');
    w.Put(x < 0 ? '-' : '+');
    const int ax = x < 0 ? -x : x;
    char buf[4];
    int n = 0;
    for (int v = ax; v > 0 || n < 2; v /= 10) buf[n++] = static_cast<char>('0' + v % 10);
    while (n > 0) w.Put(buf[--n]);
  }
  return w.Result(last);
}

std::to_chars_result ToCharsShortestFixed(char* first, char* last, double value) {
  Writer w{first, last};
  if (PutNonFinite(w, value)) return w.Result(last);
  if (std::signbit(value)) w.Put('-');
  if (value == 0) {
    w.Put('0');
    return w.Result(last);
  }
  // From 2^53 on every double is whole, and std::to_chars writes its exact digits.
  if (std::fabs(value) >= 9007199254740992.0) return ToCharsFixed0(first, last, value);
  // The shortest general form that reads back, then its digits laid out in full.
  char general[48];
  const char* end = general;
  for (int precision = 1; precision <= 17; ++precision) {
    end = ToCharsGeneral(general, general + sizeof general, std::fabs(value), precision).ptr;
    double back = 0;
    FromChars(general, end, back);
    if (back == std::fabs(value)) break;
  }
  // general = digits [. digits] [e sign digits]: value = 0.DIGITS * 10^point.
  std::string digits;
  int point = 0;
  bool seenPoint = false;
  const char* p = general;
  for (; p != end && *p != 'e'; ++p) {
    if (*p == '.') {
      seenPoint = true;
    } else {
      digits.push_back(*p);
      if (!seenPoint) ++point;
    }
  }
  if (p != end) {  // the exponent: 'e', a sign, digits (the text has no terminating zero)
    const bool negative = *++p == '-';
    int exponent = 0;
    for (++p; p != end; ++p) exponent = exponent * 10 + (*p - '0');
    point += negative ? -exponent : exponent;
  }
  const std::size_t lead = digits.find_first_not_of('0');
  point -= static_cast<int>(lead);
  digits.erase(0, lead);
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  const int count = static_cast<int>(digits.size());
  if (point <= 0) {
    w.Put("0.");
    for (int i = 0; i < -point; ++i) w.Put('0');
    for (const char c : digits) w.Put(c);
  } else {
    for (int i = 0; i < point; ++i) w.Put(i < count ? digits[static_cast<std::size_t>(i)] : '0');
    if (count > point) {
      w.Put('.');
      for (int i = point; i < count; ++i) w.Put(digits[static_cast<std::size_t>(i)]);
    }
  }
  return w.Result(last);
}

}  // namespace orvane::portable
