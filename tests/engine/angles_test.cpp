#include "angles.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "direction.h"
#include "elementary.h"

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
  EXPECT_EQ(kEarlyValues[0], Sin(DegToRad(30)));
  EXPECT_EQ(kEarlyValues[1], Cos(DegToRad(30)));
  EXPECT_EQ(kEarlyValues[2], Sin(30 * (kPi / 180)));
  EXPECT_EQ(kEarlyValues[3], Cos(60 * (kPi / 180)));
  EXPECT_EQ(kEarlyValues[4], Tan(45 * (kPi / 180)));
}

TEST(Angles, SinCosTableGivesTheFunctionsBits) {
  for (double d = -800; d <= 800; d += 0.5) {
    double s, c;
    SinCosDegrees(d, s, c);
    const double theta = DegToRad(d);
    EXPECT_EQ(s, Sin(theta)) << d;
    EXPECT_EQ(c, Cos(theta)) << d;
  }
  double s, c;
  SinCosDegrees(-0.0, s, c);
  EXPECT_TRUE(std::signbit(s));  // sin(-0) is -0
}

TEST(Angles, NotationTrigTableGivesTheFunctionsBits) {
  for (double d = -800; d <= 800; d += 0.5) {
    const double x = d * (kPi / 180);
    EXPECT_EQ(NotationSin(d), Sin(x)) << d;
    EXPECT_EQ(NotationCos(d), Cos(x)) << d;
    EXPECT_EQ(NotationTan(d), Tan(x)) << d;
  }
  EXPECT_TRUE(std::signbit(NotationSin(-0.0)));
  EXPECT_TRUE(std::signbit(NotationTan(-0.0)));
}

// The wraps as the field-book rules state them, step by step.
double LoopsToRange(double low, double high, double value) {
  while (value < low) value += high - low;
  while (value > high) value -= high - low;
  return value;
}
double LoopsToAzimuth(double x) {
  while (x >= 360) x -= 360;
  while (x < 0) x += 360;
  return x;
}
double LoopsToClosedAzimuth(double x) {
  while (!(x >= 0)) x += 360;
  while (x > 360) x -= 360;
  return x;
}

bool SameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(Angles, WrapsGiveTheLoopsBits) {
  std::vector<double> values = {-0.0,
                                0.0,
                                -1e-20,
                                1e-20,
                                360,
                                -360,
                                359.99999999999994,
                                -180,
                                180,
                                -540,
                                540,
                                720,
                                -720,
                                360.0 * 63 + 0.5,
                                -360.0 * 70 - 0.25,
                                360.0 * 80,
                                -360.0 * 80};
  for (double x = -1100; x <= 1100; x += 0.25) values.push_back(x);
  for (const double x : values) {
    EXPECT_TRUE(SameBits(WrapAzimuth(x), LoopsToAzimuth(x))) << x;
    EXPECT_TRUE(SameBits(WrapAzimuthSlow(x), LoopsToAzimuth(x))) << x;
    EXPECT_TRUE(SameBits(DirectionC(x).Azimuth, LoopsToClosedAzimuth(x))) << x;
    EXPECT_TRUE(SameBits(WrapToRange(-180, 180, x), LoopsToRange(-180, 180, x))) << x;
    EXPECT_TRUE(SameBits(WrapToRangeSlow(-180, 180, x), LoopsToRange(-180, 180, x))) << x;
    EXPECT_TRUE(SameBits(WrapToRange(0, 90, x), LoopsToRange(0, 90, x))) << x;
  }
  for (const double x : {NAN, INFINITY, -INFINITY}) {
    EXPECT_TRUE(SameBits(WrapAzimuth(x), x)) << x;
    EXPECT_TRUE(SameBits(WrapToRange(-180, 180, x), x)) << x;
  }
}

TEST(Angles, WrapToRangeKeepsBothEnds) {
  EXPECT_EQ(WrapToRange(-180, 180, 190), -170);
  EXPECT_EQ(WrapToRange(-180, 180, -180), -180);
  EXPECT_EQ(WrapToRange(-180, 180, 180), 180);
  EXPECT_EQ(WrapToRange(-180, 180, 540), 180);
  EXPECT_EQ(WrapToRange(-180, 180, -540), -180);
  EXPECT_EQ(WrapToRange(-180, 180, 12345.5), 12345.5 - 34 * 360);
}

TEST(Angles, WrapsFarOutLandWhereTheLoopsWould) {
  // Beyond a few dozen turns a remainder replaces the loops (which would never end
  // past about 5e18); where the loops' result is known exactly it must be the same.
  const double turns = 360.0 * 1e6;
  const struct {
    double x, azimuth, closed, halfTurn;  // [0, 360), [0, 360], [-180, 180]
  } cases[] = {
      {turns + 90, 90, 90, 90},
      {turns, 0, 360, 0},
      {-turns, 0, 0, 0},
      {turns + 180, 180, 180, 180},
      {-turns - 180, 180, 180, -180},
      {-turns - 90, 270, 270, -90},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WrapAzimuth(c.x), c.azimuth) << c.x;
    EXPECT_EQ(DirectionC(c.x).Azimuth, c.closed) << c.x;
    EXPECT_EQ(WrapToRange(-180, 180, c.x), c.halfTurn) << c.x;
  }
  for (const double huge : {1e300, -1e300, 5e18, -4.7e18, -7e25}) {
    EXPECT_GE(WrapAzimuth(huge), 0) << huge;
    EXPECT_LT(WrapAzimuth(huge), 360) << huge;
    EXPECT_GE(WrapToRange(-180, 180, huge), -180) << huge;
    EXPECT_LE(WrapToRange(-180, 180, huge), 180) << huge;
  }
}

}  // namespace
}  // namespace orvane
