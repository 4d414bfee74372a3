#include "numbers.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace orvane {
namespace {

TEST(Numbers, StrToFloatAcceptsDecimalSyntax) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"120", 120},  {" 45.5 ", 45.5}, {"-10", -10},   {"+3", 3},    {".5", 0.5},        {"5.", 5},
      {"1e3", 1000}, {"2.5E-1", 0.25}, {"-0.0", -0.0}, {"\t7\r", 7}, {"1e-300", 1e-300},
  };
  for (const auto& c : cases) {
    const auto got = StrToFloat(c.text);
    ASSERT_TRUE(got.has_value()) << c.text;
    EXPECT_EQ(*got, c.value) << c.text;
  }
}

TEST(Numbers, StrToFloatRejectsEverythingElse) {
  for (const char* text :
       {"",      " ",  "1.2.3", "-",   ".",   "--5", "+-5", "inf",   "nan",    "infinity",
        "0x1p3", "1e", "1e5x",  "12a", "1,5", "1 2", "e5",  "1e400", "-1e400", "nan(1)"}) {
    EXPECT_FALSE(StrToFloat(text).has_value()) << text;
  }
}

TEST(Numbers, StrToFloatReadsTinyNumbersAsTheNearestDouble) {
  const double minNormal = std::numeric_limits<double>::min();
  const double minSubnormal = std::numeric_limits<double>::denorm_min();
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"2.2250738585072014e-308", minNormal},
      {"1e-310", 1e-310},
      {"4.9e-324", minSubnormal},
      {"2.4703282292062328e-324", minSubnormal},  // just above half the smallest: rounds up
      {"2.4703282292062327e-324", 0},             // just below: rounds to zero
      {"1e-400", 0},
      {"0.00000000001e-320", 0},
      {"-1e-400", -0.0},
      {"1e-99999999999999999999", 0},
      {"1.7976931348623157e308", std::numeric_limits<double>::max()},
  };
  for (const auto& c : cases) {
    const auto got = StrToFloat(c.text);
    ASSERT_TRUE(got.has_value()) << c.text;
    EXPECT_EQ(*got, c.value) << c.text;
    EXPECT_EQ(std::signbit(*got), c.text[0] == '-') << c.text;
  }
  // Beyond the largest double, however the digits are written.
  for (const char* text : {"1.8e308", "1000e306", "0.0001e313", "-1e99999999999999999999"}) {
    EXPECT_FALSE(StrToFloat(text).has_value()) << text;
  }
}

TEST(Numbers, StrToFloatShortPathAgreesWithFullConversion) {
  // Short decimals take a quick path; it must give the very same doubles.
  std::mt19937_64 rng(5);
  for (int i = 0; i < 200000; ++i) {
    std::string text = (rng() % 3 == 0) ? "-" : "";
    const int digits = 1 + static_cast<int>(rng() % 15);
    const int point = static_cast<int>(rng() % (digits + 1));
    for (int d = 0; d < digits; ++d) {
      if (d == point && d > 0) text += '.';
      text += static_cast<char>('0' + rng() % 10);
    }
    double expected = 0;
    std::from_chars(text.data(), text.data() + text.size(), expected);
    const auto got = StrToFloat(text);
    ASSERT_TRUE(got.has_value()) << text;
    ASSERT_EQ(std::memcmp(&*got, &expected, sizeof expected), 0) << text;
  }
}

TEST(Numbers, StrToFloatIgnoresTheLocale) {
  // A comma locale must not change what is read; skip quietly where none is installed.
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr &&
      std::setlocale(LC_ALL, "fr_FR.UTF-8") == nullptr) {
    GTEST_SKIP() << "no comma-decimal locale on this machine";
  }
  EXPECT_EQ(StrToFloat("45.5"), 45.5);
  EXPECT_FALSE(StrToFloat("45,5").has_value());
  std::string out;
  AppendGeneral(out, 7.3);
  EXPECT_EQ(out, "7.3");
  std::setlocale(LC_ALL, "C");
}

TEST(Numbers, StrToInt) {
  EXPECT_EQ(StrToInt("30"), 30);
  EXPECT_EQ(StrToInt("  -5"), -5);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt("0x1E"), 30);
  EXPECT_EQ(StrToInt("$1f"), 31);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
  for (const char* text :
       {"", "-", "12.5", "30 ", "3x", "2147483648", "0x", "1e3", "99999999999999999999"}) {
    EXPECT_FALSE(StrToInt(text).has_value()) << text;
  }
  EXPECT_EQ(StrToIntDef("E3", 91), 91);
  EXPECT_EQ(StrToIntDef("91", 0), 91);
}

TEST(Numbers, RoundingIsHalfAwayFromZero) {
  EXPECT_EQ(RoundToInt(2.5), 3);
  EXPECT_EQ(RoundToInt(-2.5), -3);
  EXPECT_EQ(RoundToInt(359.5), 360);
  EXPECT_EQ(RoundToInt(2.49), 2);
  EXPECT_EQ(RoundToInt(-0.3), 0);
  EXPECT_FALSE(std::signbit(RoundToInt(-0.3)));
  EXPECT_EQ(RoundToInt(1e30), 1e30);  // beyond 32 bits, still exact
  EXPECT_EQ(RoundToInt(INFINITY), INFINITY);
  EXPECT_TRUE(std::isnan(RoundToInt(NAN)));
  // Half away from zero is std::round, except that no negative zero comes out.
  const double awkward[] = {0.49999999999999994, -0.49999999999999994, 0.5,  -0.5,
                            4503599627370495.5,  -4503599627370495.5,  -0.0, 1e-310};
  for (double x : awkward) EXPECT_EQ(RoundToInt(x), std::round(x) + 0.0) << x;
  for (double x = -1000; x <= 1000; x += 0.125) {
    EXPECT_EQ(RoundToInt(x), std::round(x) + 0.0) << x;
    if (RoundToInt(x) == 0) {
      EXPECT_FALSE(std::signbit(RoundToInt(x))) << x;
    }
  }
  EXPECT_EQ(RoundTo(12.25, 1), 12.3);
  EXPECT_EQ(RoundTo(359.96, 1), 360);
  EXPECT_EQ(RoundTo(7.25, 1), 7.3);
  EXPECT_EQ(RoundTo(1e300, 1), 1e300);  // scaling would overflow
}

TEST(Numbers, TextForms) {
  const auto integer = [](double v) {
    std::string s;
    AppendInteger(s, v);
    return s;
  };
  const auto general = [](double v) {
    std::string s;
    AppendGeneral(s, v);
    return s;
  };
  EXPECT_EQ(integer(0), "0");
  EXPECT_EQ(integer(-3), "-3");
  EXPECT_EQ(integer(4294967296.0), "4294967296");
  EXPECT_EQ(integer(-1e30), "-1000000000000000019884624838656");
  EXPECT_EQ(general(45), "45");
  EXPECT_EQ(general(45.4), "45.4");
  EXPECT_EQ(general(-0.0), "0");
  EXPECT_EQ(general(123456789012345.6), "123456789012346");
  EXPECT_EQ(general(1e30), "1e+30");
}

}  // namespace
}  // namespace orvane
