#include "direction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace orvane {
namespace {

TEST(Direction, NormalizeAzimuthKeepsTheClosedRange) {
  const struct {
    double in, out;
  } cases[] = {{-30, 330}, {-360, 0}, {360, 360}, {400, 40}, {720, 360}, {0, 0}, {359.5, 359.5}};
  for (const auto& c : cases) EXPECT_EQ(DirectionC(c.in).Azimuth, c.out) << c.in;
  for (double huge : {1e300, -1e300, 5e18, -4.7e18}) {
    const double a = DirectionC(huge).Azimuth;
    EXPECT_GE(a, 0) << huge;
    EXPECT_LE(a, 360) << huge;
  }
  EXPECT_TRUE(std::isnan(DirectionC(NAN).Azimuth));
  // Beyond the loops' reach the remainder still gives what they would.
  EXPECT_EQ(DirectionC(360.0 * 1e6).Azimuth, 360);
  EXPECT_FALSE(std::signbit(DirectionC(-360.0 * 1e6).Azimuth));
  EXPECT_EQ(DirectionC(INFINITY).Azimuth, INFINITY);  // unchanged, and no endless loop
  DirectionC d(10);
  d.SetAttitude(-30, 45);
  EXPECT_EQ(d.Azimuth, 330);
  EXPECT_EQ(d.Plunge, -45);
}

TEST(Direction, AcceptedAttitudes) {
  const struct {
    std::string text;
    double azimuth, plunge;
  } cases[] = {
      {"N30E45S", 120, -45},
      {"N30E45E", 120, -45},
      {"N30E45N", 300, -45},
      {"N30E45W", 300, -45},
      {"N30W45S", 240, -45},
      {"N30W45W", 240, -45},
      {"N30W45N", 60, -45},
      {"N30W45E", 60, -45},
      {"N5E30S", 95, -60},
      {"N5W30N", 85, -60},
      {"N0E10W", 270, -80},
      {"N90W30N", 360, -60},
      {"N30E5S", 120, -85},
      {"N30E120S", 120, 30},
      {"N30E45", 300, -86},
      {"N30/45", 300, -86},
      {"N-5E30S", 85, -60},
      {"120/45", 120, -45},
      {"120/45.5", 120, -44.5},
      {"-30/45", 330, -45},
      {"400/45", 40, -45},
      {"360/45", 360, -45},
      {"720/45", 360, -45},
      {"N30E1000000000S", 120, 1e9 - 90},  // the largest angle a field may hold
      // Only 99 characters after the slash are read: the "x" is beyond them.
      {"120/45." + std::string(96, '0') + "x", 120, -45},
  };
  for (const auto& c : cases) {
    DirectionC d(0);
    ASSERT_TRUE(ReadQuadrantAttitude(d, c.text)) << c.text;
    EXPECT_EQ(d.Azimuth, c.azimuth) << c.text;
    EXPECT_EQ(d.Plunge, c.plunge) << c.text;
  }
}

TEST(Direction, RejectedAttitudesLeaveThePair) {
  for (const char* text : {"S30W45E", "n30e45s", "", "N91E30S", "NE30S", "N", "N5e30S", "12a/45",
                           "S30/45", "N30E", "N0E", "N30E45.5S", "N130E45S", "120/", "120/45/10",
                           "120/45S", "/45", "1.2.3/45", "-/45", "120/1e400",
                           // Angles beyond a billion degrees describe no direction.
                           "90/1e308", "1000000001/45", "N30E1000000001S", "N30E2147483647S"}) {
    DirectionC d(0);
    d.SetAttitude(12, 34);
    EXPECT_FALSE(ReadQuadrantAttitude(d, text)) << text;
    EXPECT_EQ(d.Azimuth, 12) << text;
    EXPECT_EQ(d.Plunge, 34 - 90) << text;
  }
}

}  // namespace
}  // namespace orvane
