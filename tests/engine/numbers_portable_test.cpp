// The portable conversions against <charconv>, which this build has: they must give
// the same bits and the same characters.
#include "numbers_portable.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace orvane {
namespace {

// One parse through both; the result code, the characters used and the bits must agree.
::testing::AssertionResult ParsesAlike(const std::string& text) {
  double expected = 12345;
  double got = 12345;
  const char* first = text.data();
  const char* last = first + text.size();
  const auto want = std::from_chars(first, last, expected, std::chars_format::general);
  const auto have = portable::FromChars(first, last, got);
  if (want.ec == have.ec && want.ptr == have.ptr && std::memcmp(&expected, &got, sizeof got) == 0) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "\"" << text.substr(0, 100) << "\": std ec " << static_cast<int>(want.ec) << " used "
         << (want.ptr - first) << " value " << expected << "; portable ec "
         << static_cast<int>(have.ec) << " used " << (have.ptr - first) << " value " << got;
}

std::string StdGeneral(double x, int precision) {
  char buf[1200];
  const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, precision);
  return std::string(buf, r.ptr);
}
std::string PortableGeneral(double x, int precision) {
  char buf[1200];
  const auto r = portable::ToCharsGeneral(buf, buf + sizeof buf, x, precision);
  EXPECT_EQ(r.ec, std::errc());
  return std::string(buf, r.ptr);
}
std::string StdFixed0(double x) {
  char buf[1200];
  const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, 0);
  return std::string(buf, r.ptr);
}
std::string PortableFixed0(double x) {
  char buf[1200];
  const auto r = portable::ToCharsFixed0(buf, buf + sizeof buf, x);
  EXPECT_EQ(r.ec, std::errc());
  return std::string(buf, r.ptr);
}

double FromBits(std::uint64_t bits) {
  double x;
  std::memcpy(&x, &bits, sizeof x);
  return x;
}

TEST(PortableNumbers, ReadsEdgesAsCharconvDoes) {
  // Range ends, subnormals, the midpoint below the smallest subnormal, prefixes that
  // stop early, zeros with absurd exponents, digit strings beyond what is kept.
  const std::string cases[] = {"0",
                               "-0",
                               "0.0",
                               ".5",
                               "5.",
                               "-.5e3",
                               "1e3",
                               "1E+3",
                               "2.5e-1",
                               "000123.4500",
                               "1e-310",
                               "2.2250738585072011e-308",
                               "2.2250738585072012e-308",
                               "4.9e-324",
                               "2e-324",
                               "3e-324",
                               "2.4703282292062327e-324",
                               "2.4703282292062328e-324",
                               "1e-400",
                               "1.7976931348623157e308",
                               "1.7976931348623158e308",
                               "1.7976931348623159e308",
                               "1e309",
                               "0e-999",
                               "0e99999999999999999999",
                               "1e99999999999999999999",
                               "1e-99999999999999999999",
                               "9007199254740993",
                               "9007199254740993.0000000000000000000000000000000000001",
                               "9007199254740992.5",
                               "1e",
                               "1e+",
                               "1e5x",
                               "12a",
                               "1.2.3",
                               "--5",
                               "-",
                               ".",
                               ".e5",
                               "x",
                               "",
                               "e5",
                               std::string(800, '9'),
                               "0." + std::string(400, '0') + "1e100",
                               std::string(1000, '1') + "e-1000",
                               std::string(790, '0') + "7"};
  for (const auto& text : cases) EXPECT_TRUE(ParsesAlike(text));

  double v = 0;
  const std::string text = "1e5x";
  const auto r = portable::FromChars(text.data(), text.data() + text.size(), v);
  EXPECT_EQ(r.ptr - text.data(), 3);
  EXPECT_EQ(v, 1e5);
  const std::string tiny = "1e-310";
  EXPECT_EQ(portable::FromChars(tiny.data(), tiny.data() + tiny.size(), v).ec, std::errc());
  EXPECT_EQ(v, 1e-310);
  v = 7;
  const std::string huge = "1e400";
  EXPECT_EQ(portable::FromChars(huge.data(), huge.data() + huge.size(), v).ec,
            std::errc::result_out_of_range);
  EXPECT_EQ(v, 7);  // untouched
}

TEST(PortableNumbers, ReadsRandomNumbersAsCharconvDoes) {
  std::mt19937_64 rng(11);
  for (int i = 0; i < 60000; ++i) {
    const double x = FromBits(rng());
    if (!std::isfinite(x)) continue;
    char buf[64];
    const int precision = static_cast<int>(rng() % 20);
    const auto r =
        std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, precision);
    ASSERT_TRUE(ParsesAlike(std::string(buf, r.ptr)));
  }
  for (int i = 0; i < 3000; ++i) {
    std::string text;
    const int digits = 1 + static_cast<int>(rng() % 900);
    for (int d = 0; d < digits; ++d) text += static_cast<char>('0' + rng() % 10);
    if (rng() % 2 != 0) text.insert(rng() % text.size(), ".");
    text += "e" + std::to_string(static_cast<int>(rng() % 800) - 400);
    ASSERT_TRUE(ParsesAlike(text));
  }
}

TEST(PortableNumbers, ReadsMidpointsBetweenDoublesAsCharconvDoes) {
  // (2m + 1) * 2^e lies exactly halfway between two neighbouring doubles; a long double
  // holds it exactly, so its full decimal form can be written. Ties go to the even
  // neighbour; a digit beyond the midpoint, however far out, goes up, one short of it down.
  if (std::numeric_limits<long double>::digits < 64) GTEST_SKIP() << "long double too short";
  std::mt19937_64 rng(12);
  for (int i = 0; i < 4000; ++i) {
    const std::uint64_t m = rng() >> 11;
    const int e = static_cast<int>(rng() % 2200) - 1130;
    const long double mid = std::ldexp(static_cast<long double>(2 * m + 1), e);
    char buf[1000];
    const auto r = std::to_chars(buf, buf + sizeof buf, mid, std::chars_format::scientific, 800);
    std::string text(buf, r.ptr);
    const auto ePos = text.find('e');
    std::string digits = text.substr(0, ePos);
    const std::string exponent = text.substr(ePos);
    while (digits.back() == '0') digits.pop_back();
    ASSERT_TRUE(ParsesAlike(digits + exponent));
    ASSERT_TRUE(ParsesAlike(digits + "00000000000000000001" + exponent));
    ASSERT_TRUE(ParsesAlike(digits + std::string(900, '0') + "1" + exponent));
    std::string below = digits;
    std::size_t k = below.size() - 1;
    while (below[k] == '0' || below[k] == '.') {
      if (below[k] == '0') below[k] = '9';
      --k;
    }
    --below[k];
    ASSERT_TRUE(ParsesAlike(below + "9999" + exponent));
  }
}

TEST(PortableNumbers, WritesAsCharconvDoes) {
  const double cases[] = {0.0,
                          -0.0,
                          45,
                          45.4,
                          7.3,
                          359.96,
                          0.0001,
                          0.00001,
                          1e15,
                          1e14,
                          123456789012345.6,
                          1234567890123455.0,  // ties at the 16th digit go to even
                          1234567890123465.0,
                          100000000000000.5,
                          999999999999999.5,
                          9.9999999999999995e-5,
                          5e-324,
                          2.2250738585072014e-308,
                          1.7976931348623157e308,
                          1e30,
                          -1e30,
                          0.5,
                          1.5,
                          2.5,
                          -2.5,
                          0.49999999999999994,
                          9e18,
                          18446744073709551616.0,
                          std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity(),
                          std::numeric_limits<double>::quiet_NaN(),
                          -std::numeric_limits<double>::quiet_NaN()};
  for (const double x : cases) {
    for (const int precision : {15, 1, 6, 17, 0, 30}) {
      EXPECT_EQ(PortableGeneral(x, precision), StdGeneral(x, precision))
          << x << " precision " << precision;
    }
    EXPECT_EQ(PortableFixed0(x), StdFixed0(x)) << x;
  }
  EXPECT_EQ(PortableGeneral(1e30, 15), "1e+30");
  EXPECT_EQ(PortableGeneral(1e-5, 15), "1e-05");
  EXPECT_EQ(PortableFixed0(-1e30), "-1000000000000000019884624838656");

  char small[4];
  EXPECT_EQ(portable::ToCharsGeneral(small, small + sizeof small, 12345.0, 15).ec,
            std::errc::value_too_large);
  EXPECT_EQ(portable::ToCharsFixed0(small, small + sizeof small, 12345.0).ec,
            std::errc::value_too_large);
}

TEST(PortableNumbers, WritesRandomNumbersAsCharconvDoes) {
  std::mt19937_64 rng(13);
  for (int i = 0; i < 100000; ++i) {
    // Any bits; one-decimal values as the output writes them; whole values of every size.
    const double any = FromBits(rng());
    const double tenth =
        static_cast<double>(static_cast<std::int64_t>(rng() % 40000000) - 20000000) / 10.0;
    const double whole =
        std::ldexp(static_cast<double>(rng() >> 11), static_cast<int>(rng() % 1000));
    for (const double x : {any, tenth, tenth / 100, whole}) {
      ASSERT_EQ(PortableGeneral(x, 15), StdGeneral(x, 15)) << x;
    }
    ASSERT_EQ(PortableFixed0(whole), StdFixed0(whole)) << whole;
    ASSERT_EQ(PortableFixed0(any), StdFixed0(any)) << any;
  }
}

std::string PortableShortestFixed(double x) {
  char buf[400];
  const auto res = portable::ToCharsShortestFixed(buf, buf + sizeof buf, x);
  return std::string(buf, res.ptr);
}
std::string StdShortestFixed(double x) {
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed);
  return std::string(buf, res.ptr);
}

TEST(PortableNumbers, WritesShortestFixedAsCharconvDoes) {
  for (const double x : {0.0, -0.0, 65.5, 120.0, 0.0001, 1e-7, 5e-324, 359.99999999999994, 0.1,
                         1e15, 123456.789, -45.25, 1e30}) {
    EXPECT_EQ(PortableShortestFixed(x), StdShortestFixed(x)) << x;
  }
  EXPECT_EQ(PortableShortestFixed(65.5), "65.5");
  EXPECT_EQ(PortableShortestFixed(1e-4), "0.0001");
  std::mt19937_64 rng(17);
  for (int i = 0; i < 100000; ++i) {
    // Angles as readers compute them, one-decimal cells, and any value below 2^53.
    const double angle = std::ldexp(static_cast<double>(rng() >> 11), -44);
    const double tenth = static_cast<double>(static_cast<std::int64_t>(rng() % 7200) - 3600) / 10;
    const double any =
        std::ldexp(static_cast<double>(rng() >> 11), static_cast<int>(rng() % 80) - 60);
    for (const double x : {angle, tenth, any}) {
      ASSERT_EQ(PortableShortestFixed(x), StdShortestFixed(x)) << x;
    }
  }
}

}  // namespace
}  // namespace orvane
