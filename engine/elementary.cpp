#include "elementary.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "elementary_constants.h"

// Every operation must round to double as written: no wider intermediates (x87), no
// reordering or contraction that fast-math would allow.
static_assert(FLT_EVAL_METHOD == 0, "double arithmetic must not be evaluated wider");
#ifdef __FAST_MATH__
#error "the elementary functions need IEEE arithmetic: build without -ffast-math"
#endif

// How the functions reach their accuracy with plain double arithmetic:
// - A result is a large part plus small corrections, and the corrections are computed
//   with relative errors of a few units, so that they reach the result only scaled down
//   by their own smallness. Where a correction is not small (the r^3/6 of a sine near
//   pi/4, the z/2 of a cosine), it is made exact with error-free transformations: the
//   rounding error of a sum (TwoSum) or of a product (TwoProduct, Dekker's splitting
//   into halves of 26 and 27 bits, which needs no fused multiply-add).
// - Arguments of sin, cos and tan are reduced to r = x - n pi/2, |r| <= pi/4, kept as
//   hi + lo: below 2^25 with pi/2 in 28-bit parts whose products with n are exact, above
//   with 1280 bits of 2/pi in integer arithmetic. The worst cases cancel about 61 bits
//   (a double within 2^-60.9 of a multiple of pi/2); both paths carry enough beyond.
// - atan splits its argument at k/128 and turns the rest into a small t with the
//   subtraction formula for arc tangents; asin beyond 1/2 uses asin x = pi/2 - 2 asin s,
//   s = sqrt((1 - x) / 2).

namespace orvane {

namespace {

using namespace elementary_data;

// Below this magnitude sin x, tan x, asin x and atan x round to x and cos x to 1.
constexpr double kTiny = 0x1p-27;

// An unevaluated sum hi + lo, |lo| at most about an ulp of hi.
struct Pair {
  double hi;
  double lo;
};

// a + b exactly, for any a and b.
inline Pair TwoSum(double a, double b) {
  const double s = a + b;
  const double bv = s - a;
  const double av = s - bv;
  return {s, (a - av) + (b - bv)};
}

// a + b exactly, for |a| >= |b| (or a == 0).
inline Pair FastTwoSum(double a, double b) {
  const double s = a + b;
  return {s, b - (s - a)};
}

// a as a 26-bit head and a 27-bit tail (|a| < 2^995): products of halves are exact.
inline Pair Split(double a) {
  const double c = 134217729.0 * a;  // 2^27 + 1
  const double hi = c - (c - a);
  return {hi, a - hi};
}

// a * b exactly (Dekker), for products far from overflow and underflow.
inline Pair TwoProduct(double a, const Pair& as, double b, const Pair& bs) {
  const double p = a * b;
  const double e = (((as.hi * bs.hi - p) + as.hi * bs.lo) + as.lo * bs.hi) + as.lo * bs.lo;
  return {p, e};
}
inline Pair TwoProduct(double a, double b) {
  return TwoProduct(a, Split(a), b, Split(b));
}

// a * a exactly.
inline Pair TwoSquare(double a, const Pair& as) {
  const double p = a * a;
  const double e = ((as.hi * as.hi - p) + 2.0 * as.hi * as.lo) + as.lo * as.lo;
  return {p, e};
}

// a * b exactly, for b with at most 26 significant bits.
inline Pair TwoProductShort(double a, double b) {
  const Pair as = Split(a);
  const double p = a * b;
  return {p, (as.hi * b - p) + as.lo * b};
}

// A double's bits and back (std::bit_cast is missing from the WebAssembly build's library).
inline std::uint64_t BitsOf(double x) {
  std::uint64_t b;
  std::memcpy(&b, &x, sizeof b);
  return b;
}
inline double FromBits(std::uint64_t b) {
  double x;
  std::memcpy(&x, &b, sizeof x);
  return x;
}

// 2^e for e in [-1022, 1023], from its bits: exact everywhere.
inline double PowerOfTwo(int e) {
  return FromBits(static_cast<std::uint64_t>(e + 1023) << 52);
}

// ------------------------------------------------------------ argument reduction

// |x| (ax) in (pi/4, 2^25): r = ax - n pi/2, returns n mod 4. n * part is exact for every
// part (n < 2^25, parts of 28 bits); the first difference is exact as well (both are
// multiples of the ulp of ax and the difference is smaller than ax), the following ones
// are summed with their rounding errors kept.
int ReduceMedium(double ax, Pair& r) {
  const auto whole = static_cast<std::int64_t>(ax * kTwoOverPi + 0.5);
  const double n = static_cast<double>(whole);
  const double t = ax - n * kPiOver2Parts[0];
  const Pair s1 = TwoSum(t, -(n * kPiOver2Parts[1]));
  const Pair s2 = TwoSum(s1.hi, -(n * kPiOver2Parts[2]));
  const Pair s3 = TwoSum(s2.hi, -(n * kPiOver2Parts[3]));
  double lo = s1.lo + s2.lo;
  lo = lo + s3.lo;
  lo = lo - n * kPiOver2Parts[4];
  r = TwoSum(s3.hi, lo);
  return static_cast<int>(whole & 3);
}

// Bits [pos - 63, pos] of a little-endian number of 32-bit limbs (bits below 0 are 0).
std::uint64_t BitsBelow(const std::uint32_t* limbs, int pos) {
  std::uint64_t v = 0;
  for (int i = 0; i < 64; ++i) {
    const int b = pos - i;
    const std::uint64_t bit = b >= 0 ? (limbs[b / 32] >> (b % 32)) & 1u : 0u;
    v = (v << 1) | bit;
  }
  return v;
}

// |x| (ax) finite and at least 2^25 (Payne and Hanek's method): ax = m 2^e with a 53-bit
// integer m, and ax 2/pi mod 4 is m times a window of 224 bits of 2/pi: the bits before
// the window add multiples of 4, those after it less than 2^-137 (relative to the
// reduced argument, whose smallest value for any double is about 2^-61, 2^-76).
int ReduceLarge(double ax, Pair& r) {
  const std::uint64_t bits = BitsOf(ax);
  const int e = static_cast<int>(bits >> 52) - 1075;
  const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);

  constexpr int kWindow = 7;  // words
  const int first = e >= 2 ? (e - 2) / 32 : 0;
  const int s = 32 * (first + kWindow) - e;  // bits of the product below the binary point

  // product = m * window, little-endian 32-bit limbs
  std::uint32_t product[kWindow + 3] = {};
  const std::uint32_t mLimbs[2] = {static_cast<std::uint32_t>(m & 0xFFFFFFFFu),
                                   static_cast<std::uint32_t>(m >> 32)};
  for (int j = 0; j < kWindow; ++j) {
    const std::uint64_t w = kTwoOverPiBits[first + kWindow - 1 - j];
    std::uint64_t carry = 0;
    for (int i = 0; i < 2; ++i) {
      const std::uint64_t t = w * mLimbs[i] + product[i + j] + carry;
      product[i + j] = static_cast<std::uint32_t>(t & 0xFFFFFFFFu);
      carry = t >> 32;
    }
    for (int k = j + 2; carry != 0; ++k) {
      const std::uint64_t t = std::uint64_t{product[k]} + carry;
      product[k] = static_cast<std::uint32_t>(t & 0xFFFFFFFFu);
      carry = t >> 32;
    }
  }

  // n = the two bits above the point, then the fraction; round to the nearest n.
  auto bit = [&](int b) { return (product[b / 32] >> (b % 32)) & 1u; };
  int n = static_cast<int>(bit(s) | (bit(s + 1) << 1));
  const bool upper = bit(s - 1) != 0;  // fraction >= 1/2: n + 1 and a negative rest
  std::uint32_t fraction[kWindow + 3] = {};
  for (int b = 0; b < s; b += 32) {
    const int limb = b / 32;
    const int keep = s - b >= 32 ? 32 : s - b;
    fraction[limb] = keep == 32 ? product[limb] : product[limb] & ((1u << keep) - 1u);
  }
  if (upper) {
    n = (n + 1) & 3;
    // 2^s - fraction
    std::uint64_t borrow = 0;
    for (int limb = 0; limb * 32 < s; ++limb) {
      const std::uint64_t t = std::uint64_t{0} - fraction[limb] - borrow;
      fraction[limb] = static_cast<std::uint32_t>(t & 0xFFFFFFFFu);
      borrow = (t >> 32) != 0 ? 1 : 0;
    }
    const int top = s % 32;
    if (top != 0) fraction[s / 32] &= (1u << top) - 1u;
  }

  int high = -1;  // highest set bit of the fraction
  for (int limb = (s - 1) / 32; limb >= 0 && high < 0; --limb) {
    if (fraction[limb] != 0) high = 32 * limb + 31 - std::countl_zero(fraction[limb]);
  }
  if (high < 0) {
    r = {0.0, 0.0};
    return n;
  }
  const std::uint64_t a = BitsBelow(fraction, high);
  const std::uint64_t b = BitsBelow(fraction, high - 64);
  const auto head = static_cast<double>(a >> 11);                           // 53 bits
  const auto next = static_cast<double>(((a & 0x7FFu) << 42) | (b >> 22));  // 53 bits
  // fraction * 2^-s = head 2^(high - 52 - s) + next 2^(high - 105 - s), both exact
  const double fh = head * PowerOfTwo(high - 52 - s);
  const double fl = next * PowerOfTwo(high - 105 - s);
  // r = (fh + fl) pi/2
  const Pair p = TwoProduct(fh, kPiOver2Hi);
  const double lo = p.lo + (fh * kPiOver2Lo + fl * kPiOver2Hi);
  r = FastTwoSum(p.hi, lo);
  if (upper) r = {-r.hi, -r.lo};
  return n;
}

// n mod 4 and r for a finite |x| beyond kTiny.
inline int Reduce(double ax, Pair& r) {
  if (ax <= kPiOver4) {
    r = {ax, 0.0};
    return 0;
  }
  if (ax < 0x1p25) return ReduceMedium(ax, r);
  return ReduceLarge(ax, r);
}

// --------------------------------------------------------------------- kernels

// The reduced argument r = x + lo with the exact square of x, shared by both kernels.
struct Reduced {
  explicit Reduced(const Pair& r) : x(r.hi), lo(r.lo), xs(Split(r.hi)) {
    const Pair z = TwoSquare(x, xs);
    zh = z.hi;
    zl = z.lo;
  }
  double x, lo;
  Pair xs;
  double zh, zl;  // x^2 = zh + zl exactly
};

// x + x^3 (head + tail) + x^5 q + extra as hi + lo, for odd series whose leading
// coefficient head + tail is not small (-1/6 for sin, 1/6 for asin; head with 26 bits):
// x^3 and x^3 head are exact pairs, the rest is below 1/100 of the value.
Pair OddSeries(double x, const Pair& xs, double zh, double zl, double head, double tail, double q,
               double extra) {
  const Pair cube = TwoProduct(x, xs, zh, Split(zh));  // x^3, but for x zl
  const double cubeLo = cube.lo + x * zl;
  const Pair lead = TwoProductShort(cube.hi, head);
  const double leadLo = lead.lo + (cubeLo * head + cube.hi * tail);
  const double rest = cube.hi * (zh * q);
  const Pair h = FastTwoSum(x, lead.hi);
  return FastTwoSum(h.hi, h.lo + (leadLo + (rest + extra)));
}

// sin(x + lo) = x + x^3 P(x^2) + lo cos x as hi + lo, with an error of about 2^-58 of the
// value.
Pair SinKernel(const Reduced& a) {
  const double zh = a.zh;
  double q = kSinPoly[5];
  q = kSinPoly[4] + zh * q;
  q = kSinPoly[3] + zh * q;
  q = kSinPoly[2] + zh * q;
  q = kSinPoly[1] + zh * q;
  q = kSinPoly[0] + zh * q;
  const double fromLo = a.lo * (1.0 - 0.5 * zh);  // lo cos x
  return OddSeries(a.x, a.xs, zh, a.zl, kSinHead, kSinTail, q, fromLo);
}

// cos(x + lo) = 1 - x^2/2 + x^4 P(x^2) - lo sin x as hi + lo: 1 - x^2/2 is exact as a
// pair (the square is, and so is the rounding error of the difference); the rest is
// below 1/40 of the value.
Pair CosKernel(const Reduced& a) {
  const double zh = a.zh;
  const double half = 0.5 * zh;
  const double w = 1.0 - half;
  const double e = (1.0 - w) - half;
  double q = kCosPoly[6];
  q = kCosPoly[5] + zh * q;
  q = kCosPoly[4] + zh * q;
  q = kCosPoly[3] + zh * q;
  q = kCosPoly[2] + zh * q;
  q = kCosPoly[1] + zh * q;
  q = kCosPoly[0] + zh * q;
  const double tail = (zh * zh) * q;
  const double fromLo = (a.x * a.lo) * (1.0 - zh * (1.0 / 6.0));  // lo sin x
  const double lo = e + ((tail - 0.5 * a.zl) - fromLo);
  return FastTwoSum(w, lo);
}

// (a.hi + a.lo) / (b.hi + b.lo), rounded once more than the exact quotient.
double Divide(const Pair& a, const Pair& b) {
  const double q = a.hi / b.hi;
  const Pair p = TwoProduct(q, b.hi);
  const double rest = (((a.hi - p.hi) - p.lo) + a.lo) - q * b.lo;
  return q + rest / b.hi;
}

}  // namespace

// ------------------------------------------------------------------ sin cos tan

double Sin(double x) {
  if (!std::isfinite(x)) return x - x;
  const double ax = std::fabs(x);
  if (ax < kTiny) return x;
  Pair r;
  const int n = Reduce(ax, r);
  const Reduced a(r);
  const Pair v = (n & 1) != 0 ? CosKernel(a) : SinKernel(a);
  double s = v.hi + v.lo;
  if ((n & 2) != 0) s = -s;
  return std::signbit(x) ? -s : s;
}

double Cos(double x) {
  if (!std::isfinite(x)) return x - x;
  const double ax = std::fabs(x);
  if (ax < kTiny) return 1.0;
  Pair r;
  const int n = Reduce(ax, r);
  const Reduced a(r);
  const Pair v = (n & 1) != 0 ? SinKernel(a) : CosKernel(a);
  const double c = v.hi + v.lo;
  return (n == 1 || n == 2) ? -c : c;
}

void SinCos(double x, double& sine, double& cosine) {
  if (!std::isfinite(x)) {
    sine = x - x;
    cosine = x - x;
    return;
  }
  const double ax = std::fabs(x);
  if (ax < kTiny) {
    sine = x;
    cosine = 1.0;
    return;
  }
  Pair r;
  const int n = Reduce(ax, r);
  const Reduced a(r);
  const Pair sp = SinKernel(a);
  const Pair cp = CosKernel(a);
  const double sv = sp.hi + sp.lo;
  const double cv = cp.hi + cp.lo;
  double s = (n & 1) != 0 ? cv : sv;
  double c = (n & 1) != 0 ? sv : cv;
  if ((n & 2) != 0) s = -s;
  if (n == 1 || n == 2) c = -c;
  sine = std::signbit(x) ? -s : s;
  cosine = c;
}

double Tan(double x) {
  if (!std::isfinite(x)) return x - x;
  const double ax = std::fabs(x);
  if (ax < kTiny) return x;
  Pair r;
  const int n = Reduce(ax, r);
  const Reduced a(r);
  const Pair sp = SinKernel(a);
  const Pair cp = CosKernel(a);
  // tan(r + n pi/2) is tan r for even n and -1/tan r for odd n
  const double t = (n & 1) != 0 ? -Divide(cp, sp) : Divide(sp, cp);
  return std::signbit(x) ? -t : t;
}

// ------------------------------------------------------------------------ asin

namespace {

// asin v = v + v^3 (kAsinHead + kAsinTail + z Q(z)), z = v^2 <= 1/4: Q(z).
double AsinPoly(double z) {
  double q = kAsinPoly[11];
  for (int i = 10; i >= 0; --i) q = kAsinPoly[i] + z * q;
  return q;
}

}  // namespace

double Asin(double x) {
  if (std::isnan(x)) return x + x;
  const double ax = std::fabs(x);
  if (ax > 1.0) return std::numeric_limits<double>::quiet_NaN();
  if (ax < kTiny) return x;
  double v;
  if (ax <= 0.5) {
    const Pair as = Split(ax);
    const Pair z = TwoSquare(ax, as);
    const Pair p = OddSeries(ax, as, z.hi, z.lo, kAsinHead, kAsinTail, AsinPoly(z.hi), 0.0);
    v = p.hi + p.lo;
  } else {
    // asin x = pi/2 - 2 asin s, s = sqrt(w), w = (1 - x) / 2 exactly; s as s + sl, and
    // asin s as s + lead + small with s^3 = s w and s^3 kAsinHead exact pairs.
    const double w = (1.0 - ax) * 0.5;
    if (w == 0.0) {
      v = kPiOver2Hi + kPiOver2Lo;
    } else {
      const double s = std::sqrt(w);
      const Pair ss = Split(s);
      const Pair sq = TwoSquare(s, ss);
      const double sl = ((w - sq.hi) - sq.lo) / (s + s);
      const Pair cube = TwoProduct(s, ss, w, Split(w));
      const Pair lead = TwoProductShort(cube.hi, kAsinHead);
      const double leadLo = lead.lo + (cube.lo * kAsinHead + cube.hi * kAsinTail);
      // sl / sqrt(1 - w), the derivative's part, as sl (1 + w/2)
      const double small = (sl + sl * (0.5 * w)) + (leadLo + cube.hi * (w * AsinPoly(w)));
      const Pair h1 = TwoSum(kPiOver2Hi, -(s + s));
      const Pair h2 = TwoSum(h1.hi, -(lead.hi + lead.hi));
      v = h2.hi + ((h1.lo + h2.lo) + (kPiOver2Lo - (small + small)));
    }
  }
  return std::signbit(x) ? -v : v;
}

// ------------------------------------------------------------------- atan atan2

namespace {

// atan t = t + t^3 P(t^2), |t| <= 1/256.
inline double AtanSmallTail(double t) {
  const double z = t * t;
  double q = kAtanSmallPoly[2];
  q = kAtanSmallPoly[1] + z * q;
  q = kAtanSmallPoly[0] + z * q;
  return (t * z) * q;
}

// atan q = q + q^3 P(q^2), q <= 1/8.
inline double AtanTail(double q, double z) {
  double p = kAtanPoly[6];
  p = kAtanPoly[5] + z * p;
  p = kAtanPoly[4] + z * p;
  p = kAtanPoly[3] + z * p;
  p = kAtanPoly[2] + z * p;
  p = kAtanPoly[1] + z * p;
  p = kAtanPoly[0] + z * p;
  return (q * z) * p;
}

}  // namespace

double Atan2(double y, double x) {
  if (std::isnan(x) || std::isnan(y)) return x + y;
  const bool negativeX = std::signbit(x);
  const double ay = std::fabs(y);
  const double ax = std::fabs(x);
  double v;
  if (ay == 0.0) {
    v = negativeX ? kPiHi : 0.0;
  } else if (std::isinf(ay) && std::isinf(ax)) {
    v = negativeX ? kThreePiOver4 : kPiOver4;
  } else {
    // The angle is c + sign * atan(num / den), num <= den: c is 0, pi/2 or pi.
    const bool swap = ay > ax;
    double num = swap ? ax : ay;
    double den = swap ? ay : ax;
    const double sign = (swap != negativeX) ? -1.0 : 1.0;
    const double cHi = swap ? kPiOver2Hi : (negativeX ? kPiHi : 0.0);
    const double cLo = swap ? kPiOver2Lo : (negativeX ? kPiLo : 0.0);
    const bool plain = cHi == 0.0;  // the result is atan(num / den) itself
    const double q = num / den;
    if (q < 0x1p-30) {
      // atan q = q (1 - q^2/3) rounds to q's own rounding of num / den, but for 1/170 of
      // an ulp (also when q underflows, as y / x would)
      v = plain ? q : cHi + (cLo + sign * q);
    } else {
      // Exact products below need magnitudes far from overflow and underflow; the
      // quotient is the same after scaling both by a power of two.
      if (den > 0x1p896) {
        num *= 0x1p-960;
        den *= 0x1p-960;
      } else if (den < 0x1p-896) {
        num *= 0x1p960;
        den *= 0x1p960;
      }
      double head, small;
      if (q < 0.125) {
        const double z = q * q;
        const double tail = AtanTail(q, z);
        head = q;
        if (plain) {
          // q's rounding error counts in full here: q + ql = num / den to twice the bits
          const Pair p = TwoProduct(q, den);
          const double ql = ((num - p.hi) - p.lo) / den;
          small = (ql - ql * z) + tail;  // atan(q + ql) = atan q + ql / (1 + q^2)
        } else {
          small = tail;
        }
      } else {
        // atan(num / den) = atan b + atan t, b = k / 128, t = (num - b den) / (den + b num);
        // num - b den is exact (b den as an exact pair; num and b den are close).
        const int k = static_cast<int>(q * 128.0 + 0.5);
        const double b = static_cast<double>(k) * 0x1p-7;
        const Pair bd = TwoProductShort(den, b);
        const double t = ((num - bd.hi) - bd.lo) / (den + b * num);
        head = kAtanHi[k];
        small = t + (kAtanLo[k] + AtanSmallTail(t));
      }
      if (plain) {
        v = head + small;
      } else {
        const Pair h = TwoSum(cHi, sign * head);
        v = h.hi + (h.lo + (cLo + sign * small));
      }
    }
  }
  return std::signbit(y) ? -v : v;
}

double Atan(double x) {
  return Atan2(x, 1.0);
}

}  // namespace orvane
