#include "zelmdatac.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "angles.h"

namespace orvane {
namespace {

TEST(ZelmDataC, NewDatumHasDefaults) {
  const ZelmDataC d;
  EXPECT_EQ(d.DipDirection, 0);
  EXPECT_EQ(d.Dip, 0);
  EXPECT_EQ(d.Trend, 0);
  EXPECT_EQ(d.Plunge, 0);
  EXPECT_EQ(d.Sense, "NULL");
}

TEST(ZelmDataC, AzimuthSettersWrapIntoOneTurn) {
  const struct {
    double in, out;
  } cases[] = {
      {360, 0},       {-360, 0}, {-0.5, 359.5}, {725, 5},
      {359.9, 359.9}, {0, 0},    {-1e-20, 360}};  // adding 360 rounds to 360, which is kept
  for (const auto& c : cases) {
    ZelmDataC d;
    d.SetTrend(c.in);
    EXPECT_EQ(d.Trend, c.out) << c.in;
    d.SetDipDirection(c.in);
    EXPECT_EQ(d.DipDirection, c.out) << c.in;
  }
}

TEST(ZelmDataC, WrapsTerminateForHugeValues) {
  ZelmDataC d;
  d.SetTrend(1e300);
  EXPECT_GE(d.Trend, 0);
  EXPECT_LT(d.Trend, 360);
  d.SetDipDirection(-5e18);
  EXPECT_GE(d.DipDirection, 0);
  EXPECT_LE(d.DipDirection, 360);
  EXPECT_EQ(WrapToRange(-180, 180, 1e300), WrapToRange(-180, 180, 1e300));
  const double w = WrapToRange(-180, 180, -7e25);
  EXPECT_GE(w, -180);
  EXPECT_LE(w, 180);
}

TEST(ZelmDataC, WrapToRangeKeepsBothEnds) {
  EXPECT_EQ(WrapToRange(-180, 180, 190), -170);
  EXPECT_EQ(WrapToRange(-180, 180, -180), -180);
  EXPECT_EQ(WrapToRange(-180, 180, 180), 180);
  EXPECT_EQ(WrapToRange(-180, 180, 540), 180);
  EXPECT_EQ(WrapToRange(-180, 180, -540), -180);
  EXPECT_EQ(WrapToRange(-180, 180, 12345.5), 12345.5 - 34 * 360);
}

TEST(ZelmDataC, WrapShortPathsGiveTheLoopsBits) {
  const auto same = [](double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; };
  std::vector<double> values = {-0.0, 0.0,  -1e-20, 1e-20, 360, -360,     359.99999999999994, -180,
                                180,  -540, 540,    720,   NAN, INFINITY, -INFINITY};
  for (double x = -1100; x <= 1100; x += 0.25) values.push_back(x);
  for (const double x : values) {
    EXPECT_TRUE(same(WrapAzimuth(x), WrapAzimuthSlow(x))) << x;
    EXPECT_TRUE(same(WrapToRange(-180, 180, x), WrapToRangeSlow(-180, 180, x))) << x;
    EXPECT_TRUE(same(WrapToRange(0, 90, x), WrapToRangeSlow(0, 90, x))) << x;
  }
}

TEST(ZelmDataC, SetDipFoldsOnce) {
  const struct {
    double direction, dip, wantDirection, wantDip;
  } cases[] = {
      {10, 95, 190, 85},    {350, -30, 170, 30}, {10, 90, 10, 90},     {10, 0, 10, 0},
      {0, 90.5, 180, 89.5}, {10, 200, 190, -20}, {10, -100, 190, 100},
  };
  for (const auto& c : cases) {
    ZelmDataC d;
    d.SetDipDirection(c.direction);
    d.SetDip(c.dip);
    EXPECT_EQ(d.DipDirection, c.wantDirection) << c.dip;
    EXPECT_EQ(d.Dip, c.wantDip) << c.dip;
  }
}

TEST(ZelmDataC, TwoFieldReaders) {
  ZelmDataC d;
  EXPECT_TRUE(d.ReadPlaneFields("120", "35"));
  EXPECT_EQ(d.DipDirection, 120);
  EXPECT_EQ(d.Dip, 35);
  EXPECT_FALSE(d.ReadPlaneFields("130", ""));
  EXPECT_EQ(d.DipDirection, 130);  // the first field is taken before the second is looked at
  EXPECT_FALSE(d.ReadPlaneFields("120", "3x"));
  EXPECT_FALSE(d.ReadPlaneFields("120", "1.2.3"));
  EXPECT_FALSE(d.ReadPlaneFields("1.2.3", "30"));

  EXPECT_TRUE(d.ReadLineationFields("40", "-10"));
  EXPECT_EQ(d.Trend, 40);
  EXPECT_EQ(d.Plunge, -10);  // stored unfolded
  EXPECT_TRUE(d.ReadLineationFields("400", "100"));
  EXPECT_EQ(d.Trend, 40);
  EXPECT_EQ(d.Plunge, 100);
  EXPECT_FALSE(d.ReadLineationFields("-", "10"));
}

}  // namespace
}  // namespace orvane
