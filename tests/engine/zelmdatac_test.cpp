#include "zelmdatac.h"

#include <gtest/gtest.h>

#include <string>

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

TEST(ZelmDataC, SettersTerminateForHugeValues) {
  ZelmDataC d;
  d.SetTrend(1e300);
  EXPECT_GE(d.Trend, 0);
  EXPECT_LT(d.Trend, 360);
  d.SetDipDirection(-5e18);
  EXPECT_GE(d.DipDirection, 0);
  EXPECT_LE(d.DipDirection, 360);
  d.SetTrend(360.0 * 1e6 + 90);  // far beyond the stepwise loops, still exact
  EXPECT_EQ(d.Trend, 90);
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

  // Angles beyond a billion degrees describe no direction.
  EXPECT_TRUE(d.ReadPlaneFields("120", "1000000000"));
  EXPECT_EQ(d.Dip, 180 - 1e9);  // folded once, as any dip beyond 180
  EXPECT_FALSE(d.ReadPlaneFields("120", "1000000001"));
  EXPECT_FALSE(d.ReadPlaneFields("-1000000001", "30"));
  EXPECT_FALSE(d.ReadLineationFields("40", "-1000000001"));
  EXPECT_FALSE(d.ReadLineationFields("1" + std::string(308, '0'), "10"));
}

}  // namespace
}  // namespace orvane
