#include "elementary.h"

#include <gtest/gtest.h>

#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "elementary_cases.h"

namespace orvane {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kTiniest = std::numeric_limits<double>::denorm_min();
// The doubles nearest to pi, pi/2, pi/4, 3pi/4 and pi/6.
constexpr double kPi = 0x1.921fb54442d18p+1;
constexpr double kHalfPi = 0x1.921fb54442d18p+0;
constexpr double kQuarterPi = 0x1.921fb54442d18p-1;
constexpr double kThreeQuarterPi = 0x1.2d97c7f3321d2p+1;
constexpr double kSixthPi = 0x1.0c152382d7366p-1;

std::string Show(double x) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17g (%016" PRIx64 ")", x, std::bit_cast<std::uint64_t>(x));
  return buf;
}

// The same double, sign of zero included, or both NaN.
::testing::AssertionResult Same(double got, double want) {
  if ((std::isnan(got) && std::isnan(want)) ||
      std::bit_cast<std::uint64_t>(got) == std::bit_cast<std::uint64_t>(want)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "got " << Show(got) << ", want " << Show(want);
}

TEST(Elementary, SpecialValuesOfOneArgument) {
  const struct {
    const char* name;
    double (*f)(double);
    double x;
    double want;
  } cases[] = {
      {"Sin", Sin, 0.0, 0.0},
      {"Sin", Sin, -0.0, -0.0},
      {"Sin", Sin, kTiniest, kTiniest},
      {"Sin", Sin, -1e-300, -1e-300},
      {"Sin", Sin, 0x1p-28, 0x1p-28},
      {"Sin", Sin, kInf, kNaN},
      {"Sin", Sin, -kInf, kNaN},
      {"Sin", Sin, kNaN, kNaN},
      {"Cos", Cos, 0.0, 1.0},
      {"Cos", Cos, -0.0, 1.0},
      {"Cos", Cos, -1e-300, 1.0},
      {"Cos", Cos, kInf, kNaN},
      {"Cos", Cos, kNaN, kNaN},
      {"Tan", Tan, 0.0, 0.0},
      {"Tan", Tan, -0.0, -0.0},
      {"Tan", Tan, -kTiniest, -kTiniest},
      {"Tan", Tan, kQuarterPi, 0.99999999999999989},  // pi/4 rounded down
      {"Tan", Tan, -kInf, kNaN},
      {"Tan", Tan, kNaN, kNaN},
      {"Asin", Asin, 0.0, 0.0},
      {"Asin", Asin, -0.0, -0.0},
      {"Asin", Asin, 1e-300, 1e-300},
      {"Asin", Asin, 0.5, kSixthPi},
      {"Asin", Asin, 1.0, kHalfPi},
      {"Asin", Asin, -1.0, -kHalfPi},
      {"Asin", Asin, 1.0000000000000002, kNaN},
      {"Asin", Asin, -2.0, kNaN},
      {"Asin", Asin, kInf, kNaN},
      {"Asin", Asin, kNaN, kNaN},
      {"Atan", Atan, 0.0, 0.0},
      {"Atan", Atan, -0.0, -0.0},
      {"Atan", Atan, kTiniest, kTiniest},
      {"Atan", Atan, 1.0, kQuarterPi},
      {"Atan", Atan, -1.0, -kQuarterPi},
      {"Atan", Atan, 1e300, kHalfPi},
      {"Atan", Atan, kInf, kHalfPi},
      {"Atan", Atan, -kInf, -kHalfPi},
      {"Atan", Atan, kNaN, kNaN},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(Same(c.f(c.x), c.want)) << c.name << "(" << Show(c.x) << ")";
  }
}

TEST(Elementary, Atan2QuadrantsZerosAndInfinities) {
  const struct {
    double y, x, want;
  } cases[] = {
      // the axes, signed zeros on both
      {0.0, 0.0, 0.0},
      {-0.0, 0.0, -0.0},
      {0.0, -0.0, kPi},
      {-0.0, -0.0, -kPi},
      {0.0, 2.0, 0.0},
      {-0.0, 2.0, -0.0},
      {0.0, -2.0, kPi},
      {-0.0, -2.0, -kPi},
      {3.0, 0.0, kHalfPi},
      {3.0, -0.0, kHalfPi},
      {-3.0, 0.0, -kHalfPi},
      {-3.0, -0.0, -kHalfPi},
      // the diagonals of the four quadrants
      {1.0, 1.0, kQuarterPi},
      {1.0, -1.0, kThreeQuarterPi},
      {-1.0, -1.0, -kThreeQuarterPi},
      {-1.0, 1.0, -kQuarterPi},
      {1e-300, -1e-300, kThreeQuarterPi},
      // infinities
      {1.0, kInf, 0.0},
      {-1.0, kInf, -0.0},
      {1.0, -kInf, kPi},
      {-1.0, -kInf, -kPi},
      {kInf, 1.0, kHalfPi},
      {kInf, -1.0, kHalfPi},
      {-kInf, 0.0, -kHalfPi},
      {kInf, kInf, kQuarterPi},
      {-kInf, kInf, -kQuarterPi},
      {kInf, -kInf, kThreeQuarterPi},
      {-kInf, -kInf, -kThreeQuarterPi},
      // quotients beyond the range of doubles
      {1e-300, 1e300, 0.0},
      {-1e-300, -1e300, -kPi},
      {1e300, 1e-300, kHalfPi},
      {kTiniest, 1.0, kTiniest},
      {kTiniest, -1.0, kPi},
      // NaN
      {kNaN, 1.0, kNaN},
      {1.0, kNaN, kNaN},
      {kNaN, kNaN, kNaN},
      {kInf, kNaN, kNaN},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(Same(Atan2(c.y, c.x), c.want)) << "Atan2(" << Show(c.y) << ", " << Show(c.x) << ")";
  }
}

// Random doubles of every magnitude from 2^lo to 2^hi, either sign.
double Spread(std::mt19937_64& rng, int lo, int hi) {
  std::uniform_real_distribution<double> exponent(lo, hi);
  const double x = std::exp2(exponent(rng));
  return (rng() & 1) != 0 ? -x : x;
}

TEST(Elementary, SymmetriesAndSharedPathsGiveTheSameBits) {
  std::mt19937_64 rng(41);
  for (int i = 0; i < 20000; ++i) {
    const double x = Spread(rng, -40, i % 10 == 0 ? 1000 : 30);
    EXPECT_TRUE(Same(Sin(-x), -Sin(x))) << Show(x);
    EXPECT_TRUE(Same(Cos(-x), Cos(x))) << Show(x);
    EXPECT_TRUE(Same(Tan(-x), -Tan(x))) << Show(x);
    EXPECT_TRUE(Same(Atan(-x), -Atan(x))) << Show(x);
    EXPECT_TRUE(Same(Atan(x), Atan2(x, 1.0))) << Show(x);
    double s, c;
    SinCos(x, s, c);
    EXPECT_TRUE(Same(s, Sin(x))) << Show(x);
    EXPECT_TRUE(Same(c, Cos(x))) << Show(x);
    for (const int shift : {1, 2, 5}) {  // into [1/2, 1), [1/4, 1/2), [1/32, 1/16)
      const double a = std::ldexp(x, -std::ilogb(x) - shift);
      EXPECT_TRUE(Same(Asin(-a), -Asin(a))) << Show(a);
      EXPECT_LE(std::fabs(Asin(a)), kHalfPi);
    }
    EXPECT_LE(std::fabs(s), 1.0);
    EXPECT_LE(std::fabs(c), 1.0);
  }
  // Atan2 depends on the quotient only: scaling both by a power of two changes nothing,
  // also where the arithmetic inside has to rescale them.
  std::uniform_real_distribution<double> unit(0.25, 4.0);
  for (int i = 0; i < 20000; ++i) {
    const double y = (i & 1) != 0 ? unit(rng) : -unit(rng);
    const double x = (i & 2) != 0 ? unit(rng) : -unit(rng);
    const double v = Atan2(y, x);
    EXPECT_TRUE(Same(Atan2(-y, x), -v)) << Show(y) << " " << Show(x);
    EXPECT_LE(std::fabs(v), kPi);
    for (const int k : {-1000, -900, -600, 500, 900, 1000}) {
      EXPECT_TRUE(Same(Atan2(std::ldexp(y, k), std::ldexp(x, k)), v))
          << Show(y) << " " << Show(x) << " 2^" << k;
    }
  }
}

// |got - want| in units in the last place of want (the ulp of doubles at its magnitude).
double UlpsOff(double got, long double want) {
  if (std::isnan(want)) return std::isnan(got) ? 0.0 : kInf;
  int e = 0;
  std::frexp(want, &e);  // |want| in [2^(e-1), 2^e)
  const int ulpExponent = e - 53 < -1074 ? -1074 : e - 53;
  return static_cast<double>(std::fabs(static_cast<long double>(got) - want) /
                             std::ldexp(1.0L, ulpExponent));
}

// The same for a reference hi + lo given to 106 bits.
double UlpsOff(double got, double hi, double lo) {
  int e = std::ilogb(hi);
  // a power of two less a little lies in the binade below
  if (std::ldexp(1.0, e) == std::fabs(hi) && lo != 0 && std::signbit(lo) != std::signbit(hi)) --e;
  return std::fabs((got - hi) - lo) / std::ldexp(1.0, e - 52);
}

struct Worst {
  double ulps = 0;
  std::string where;
  void Add(double e, const char* name, double x, double y = kNaN) {
    if (e <= ulps) return;
    ulps = e;
    where = std::string(name) + "(" + Show(x) + (std::isnan(y) ? "" : ", " + Show(y)) + ")";
  }
};

// Every function's error stays below 0.6 ulp; the header promises less than 1.
constexpr double kBound = 0.6;

TEST(Elementary, HardArgumentsOfSinCosAndTan) {
  Worst worst;
  for (const auto& c : elementary_cases::kTrigCases) {
    for (const double x : {c.x, -c.x}) {
      const double sign = x < 0 ? -1.0 : 1.0;
      worst.Add(UlpsOff(Sin(x), sign * c.sinHi, sign * c.sinLo), "Sin", x);
      worst.Add(UlpsOff(Cos(x), c.cosHi, c.cosLo), "Cos", x);
      worst.Add(UlpsOff(Tan(x), sign * c.tanHi, sign * c.tanLo), "Tan", x);
    }
  }
  EXPECT_LT(worst.ulps, kBound) << worst.where;
}

TEST(Elementary, ErrorsAgainstLongDouble) {
  if (std::numeric_limits<long double>::digits < 64) {
    GTEST_SKIP() << "long double has too few bits here to serve as the reference";
  }
  std::mt19937_64 rng(2026);
  Worst sin, cos, tan, asin, atan, atan2;
  auto trig = [&](double x) {
    sin.Add(UlpsOff(Sin(x), sinl(x)), "Sin", x);
    cos.Add(UlpsOff(Cos(x), cosl(x)), "Cos", x);
    tan.Add(UlpsOff(Tan(x), tanl(x)), "Tan", x);
  };
  std::uniform_real_distribution<double> turn(-2 * kPi, 2 * kPi);
  for (int i = 0; i < 100000; ++i) trig(turn(rng));
  std::uniform_real_distribution<double> field(-1.8e7, 1.8e7);  // up to 1e9 degrees
  for (int i = 0; i < 30000; ++i) trig(field(rng));
  for (int i = 0; i < 20000; ++i) trig(Spread(rng, 25, 1023));  // the far reduction
  for (int k = 1; k <= 3000; ++k) {                             // next to multiples of pi/2
    const double m = k * kHalfPi;
    for (int j = -2; j <= 2; ++j) trig(m + j * std::ldexp(1.0, std::ilogb(m) - 52));
  }

  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  auto arcsine = [&](double x) { asin.Add(UlpsOff(Asin(x), asinl(x)), "Asin", x); };
  for (int i = 0; i < 100000; ++i) arcsine(unit(rng));
  for (int i = 0; i < 20000; ++i) arcsine(1.0 - std::fabs(Spread(rng, -53, -2)));  // near 1
  for (int i = 0; i < 10000; ++i) arcsine(Spread(rng, -40, -1));

  for (int i = 0; i < 100000; ++i) {
    const double x = Spread(rng, -40, 60);
    atan.Add(UlpsOff(Atan(x), atanl(x)), "Atan", x);
  }
  auto arctangent2 = [&](double y, double x) {
    atan2.Add(UlpsOff(Atan2(y, x), atan2l(y, x)), "Atan2", y, x);
  };
  std::uniform_real_distribution<double> angle(-kPi, kPi);
  for (int i = 0; i < 100000; ++i) {  // unit vectors, as the engine hands them over
    const double a = angle(rng);
    arctangent2(std::sin(a), std::cos(a));
  }
  for (int i = 0; i < 50000; ++i) arctangent2(Spread(rng, -40, 40), Spread(rng, -40, 40));
  for (int i = 0; i < 10000; ++i) arctangent2(Spread(rng, -1000, 1000), Spread(rng, -1000, 1000));

  for (const Worst* w : {&sin, &cos, &tan, &asin, &atan, &atan2}) {
    EXPECT_LT(w->ulps, kBound) << w->where;
  }
}

}  // namespace
}  // namespace orvane
