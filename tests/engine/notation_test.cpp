// Compact plane and lineation notations, each a table of field-book tokens.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "batch_run.h"
#include "zelmdatac.h"

namespace orvane {
namespace {

constexpr double kTol = 0.005;  // the tables give two decimals

struct PlaneCase {
  const char* token;
  double dipDirection, dip;
};

TEST(PlaneNotation, AcceptedTokens) {
  const PlaneCase cases[] = {
      {"N30E40S", 120, 40},       {"NS60W", 270, 60},   {"EW45N", 0, 45},
      {"NS30E", 90, 30},          {"EW45S", 180, 45},   {"120/35", 120, 35},
      {"-30/95", 150, 85},        {"400/20", 40, 20},   {"N30W45N", 60, 45},
      {"N5E30S", 95, 30},         {"N90W30N", 0, 30},  // 360 from the reader
      {"120/45.5", 120, 45.5},    {"120/+45", 120, 45}, {"120/4.5e1", 120, 45},
      {"-1000000000/45", 80, 45},  // -1e9 is 2777777 turns and 280 degrees below 0: wrapped to 80
  };
  for (const auto& c : cases) {
    ZelmDataC d;
    ASSERT_TRUE(d.ReadPlaneNotation(c.token)) << c.token;
    EXPECT_NEAR(d.DipDirection, c.dipDirection, 1e-9) << c.token;
    EXPECT_NEAR(d.Dip, c.dip, 1e-9) << c.token;
  }
}

TEST(PlaneNotation, RejectedTokensLeaveThePlane) {
  for (const char* token :
       {"S30W40E", "n30e40s", "30EW", "12a/40", "/40", "1.2.3/40", "-/40", "120/", "120/4x", "NS",
        "N91E30S", "N30E45.5S", "x",
        // Angles beyond a billion degrees describe no direction.
        "210/1e308", "1000000001/40", "120/-1.000000001e9", "N30E1000000001S"}) {
    ZelmDataC d;
    d.SetDipDirection(11);
    d.SetDip(22);
    EXPECT_FALSE(d.ReadPlaneNotation(token)) << token;
    EXPECT_EQ(d.DipDirection, 11) << token;
    EXPECT_EQ(d.Dip, 22) << token;
  }
}

TEST(PlaneNotation, SlashAfterLeadingNGoesToQuadrantReader) {
  // "N30E/40": strike letter "E", dip text "/4" (no integer), so no plane.
  ZelmDataC d;
  EXPECT_FALSE(d.ReadPlaneNotation("N30E/40"));
  ZelmDataC e;
  EXPECT_TRUE(e.ReadPlaneNotation("N30/45"));  // strike letter "/", dip 4, letter "5"
  EXPECT_EQ(e.DipDirection, 300);
  EXPECT_EQ(e.Dip, 4);
}

struct LineationCase {
  const char* token;
  double dipDirection, dip;  // the plane already held
  double trend, plunge;
};

TEST(LineationNotation, AcceptedTokens) {
  const LineationCase cases[] = {
      // Rake in the plane.
      {"R30N", 120, 40, 53.86, 18.75},
      {"R30S", 120, 40, 186.14, 18.75},
      {"R90E", 120, 40, 120, 40},
      {"R30N", 0, 0, 300, 0},
      // Plunge in the plane.
      {"P20S", 120, 40, 184.29, 20},
      {"P20N", 120, 40, 55.71, 20},
      {"P40E", 120, 40, 120, 40},
      // Quadrant trend with plunge.
      {"N30E20S", 0, 0, 210, 20},
      {"N30E20N", 0, 0, 30, 20},
      {"N5W10N", 0, 0, 355, 10},
      {"N30W20S", 0, 0, 150, 20},
      {"N30E20W", 0, 0, 210, 20},
      {"N30E20X", 0, 0, 30, 20},
      {"N30E20", 0, 0, 30, 2},
      {"N30/20", 0, 0, 30, 2},
      // Quadrant azimuth, plunge given or the plane's apparent dip.
      {"AN80E", 120, 40, 80, 32.73},
      {"AN30W", 120, 40, 330, 36.01},
      {"AS30W25", 120, 40, 210, 25},
      {"AS30E12", 120, 40, 150, 12},
      {"AN30E", 120, 40, 30, 0},
      {"AS30W", 120, 40, 210, 0},
      {"AS60E", 120, 40, 120, 40},
      {"AN45E", 0, 0, 45, 0},
      // Trend and plunge with a slash; plunges are never folded here.
      {"200/30", 0, 0, 200, 30},
      {"-20/15", 0, 0, 340, 15},
      {"200/-30", 0, 0, 200, -30},
      {"200/120", 0, 0, 200, 120},
  };
  for (const auto& c : cases) {
    ZelmDataC d;
    d.SetDipDirection(c.dipDirection);
    d.SetDip(c.dip);
    ASSERT_TRUE(d.ReadLineationNotation(c.token)) << c.token;
    EXPECT_NEAR(std::remainder(d.Trend - c.trend, 360), 0, kTol) << c.token;
    EXPECT_NEAR(d.Plunge, c.plunge, kTol) << c.token;
    EXPECT_EQ(d.DipDirection, c.dipDirection) << c.token;  // the plane is only read
  }
}

TEST(LineationNotation, RakeBeyond180PlungesUpward) {
  ZelmDataC d;
  d.SetDipDirection(120);
  d.SetDip(40);
  ASSERT_TRUE(d.ReadLineationNotation("R200N"));
  EXPECT_LT(d.Plunge, 0);
}

TEST(LineationNotation, SectorBoundsOfRakeAndPlungeDiffer) {
  // On a plane dipping east (strike ends north and south) "E" names the south end
  // in the rake notation and the north end in the plunge notation.
  ZelmDataC d;
  d.SetDipDirection(90);
  d.SetDip(60);
  ASSERT_TRUE(d.ReadLineationNotation("R0E"));
  EXPECT_NEAR(d.Trend, 180, kTol);
  ASSERT_TRUE(d.ReadLineationNotation("P0E"));
  EXPECT_NEAR(d.Trend, 0, kTol);
  ASSERT_TRUE(d.ReadLineationNotation("R0W"));
  EXPECT_NEAR(std::remainder(d.Trend, 360), 0, kTol);
  ASSERT_TRUE(d.ReadLineationNotation("P0W"));
  EXPECT_NEAR(d.Trend, 180, kTol);
}

TEST(LineationNotation, RejectedTokens) {
  const struct {
    const char* token;
    double dip;
  } cases[] = {
      {"r30n", 40},
      {"R30", 40},
      {"RN", 40},
      {"R3x0N", 40},
      {"P20", 40},
      {"P20N", 0},
      {"P50N", 40},  // steeper than the plane, or a horizontal plane
      {"N30E", 40},
      {"N3xE20N", 40},
      {"N30E2y0S", 40},
      {"AX30E", 40},
      {"AN30", 40},
      {"ANE", 40},
      {"AN30E1.2.3", 40},
      {"AN30Ex", 40},
      {"/30", 40},
      {"200/", 40},
      {"1.2.3/30", 40},
      {"20a/30", 40},
      {"x", 40},
      {"200/+30", 40},
      {"200/3e1", 40},
      // Angles beyond a billion degrees describe no direction.
      {"R1e308N", 40},
      {"R-1000000001N", 40},
      {"P1e308N", 40},
      {"N40W1e308N", 40},
      {"N4E1000000001N", 40},
      {"AN1e308E", 40},
      {"AN30E1000000001", 40},
      {"1000000001/30", 40},
      {"200/-1000000001", 40},
  };
  for (const auto& c : cases) {
    ZelmDataC d;
    d.SetDipDirection(120);
    d.SetDip(c.dip);
    EXPECT_FALSE(d.ReadLineationNotation(c.token)) << c.token;
    EXPECT_FALSE(std::isnan(d.Trend)) << c.token;
    EXPECT_FALSE(std::isnan(d.Plunge)) << c.token;
  }
}

TEST(Notations, WholeLinesInMixedNotations) {
  ConversionOptions o;
  o.ProjectionToSurface = false;
  const struct {
    const char* line;
    const char* out;
  } cases[] = {
      {"N30E40S R30N N", " 120 40  54 19 N "},
      {"120/40 P20S N", " 120 40 184 20 N "},
      {"NS60W 270/60 N", " 270 60 270 60 N "},
      {"120/40 AN80E N", " 120 40  80 33 N "},
      {"x30 30 45 20 N", "# error in surface data [x30 30 45 20 N]"},
      {"120/4x 45 20 N", "# error in surface data [120/4x 45 20 N]"},
      {"120 40 N30E N", "# error in liniation data [120 40 N30E N]"},
      {"120 40 RN N", "# error in liniation data [120 40 RN N]"},
      {"120 0 P20N N", "# error in liniation data [120 0 P20N N]"},
  };
  for (const auto& c : cases) {
    BatchRun run(o, nullptr);
    std::string out;
    run.ConvertInputLine(c.line, out);
    EXPECT_EQ(out, c.out) << c.line;
  }
}

}  // namespace
}  // namespace orvane
