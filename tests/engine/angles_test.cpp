#include "angles.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace orvane {
namespace {

// Taken by a namespace-scope initialiser, which runs before those of the engine
// library (this file is linked first): the tables must be ready before any use.
const std::array<double, 5> kEarlyValues = [] {
  double s, c;
  SinCosDegrees(30, s, c);
  return std::array<double, 5>{s, c, NotationSin(30), NotationCos(60), NotationTan(45)};
}();

TEST(Angles, TablesAreReadyForStaticInitialisers) {
  EXPECT_EQ(kEarlyValues[0], std::sin(DegToRad(30)));
  EXPECT_EQ(kEarlyValues[1], std::cos(DegToRad(30)));
  EXPECT_EQ(kEarlyValues[2], std::sin(30 * (kPi / 180)));
  EXPECT_EQ(kEarlyValues[3], std::cos(60 * (kPi / 180)));
  EXPECT_EQ(kEarlyValues[4], std::tan(45 * (kPi / 180)));
}

TEST(Angles, SinCosTableGivesTheFunctionsBits) {
  for (double d = -800; d <= 800; d += 0.5) {
    double s, c;
    SinCosDegrees(d, s, c);
    const double theta = DegToRad(d);
    EXPECT_EQ(s, std::sin(theta)) << d;
    EXPECT_EQ(c, std::cos(theta)) << d;
  }
  double s, c;
  SinCosDegrees(-0.0, s, c);
  EXPECT_TRUE(std::signbit(s));  // sin(-0) is -0
}

TEST(Angles, NotationTrigTableGivesTheFunctionsBits) {
  for (double d = -800; d <= 800; d += 0.5) {
    const double x = d * (kPi / 180);
    EXPECT_EQ(NotationSin(d), std::sin(x)) << d;
    EXPECT_EQ(NotationCos(d), std::cos(x)) << d;
    EXPECT_EQ(NotationTan(d), std::tan(x)) << d;
  }
  EXPECT_TRUE(std::signbit(NotationSin(-0.0)));
  EXPECT_TRUE(std::signbit(NotationTan(-0.0)));
}

}  // namespace
}  // namespace orvane
