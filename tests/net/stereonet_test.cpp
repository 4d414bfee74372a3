#include "stereonet.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvane {
namespace {

constexpr double kTol = 1e-12;
const double kDeg = 3.141592653589793 / 180;

TEST(Stereonet, ProjectionOfDirections) {
  for (auto p : {NetProjection::EqualArea, NetProjection::EqualAngle}) {
    const NetPoint centre = ProjectDirection(123, 90, p);
    EXPECT_NEAR(centre.x, 0, kTol);
    EXPECT_NEAR(centre.y, 0, kTol);
    const struct {
      double trend, x, y;
    } horizontal[] = {{0, 0, 1}, {90, 1, 0}, {180, 0, -1}, {270, -1, 0}};
    for (const auto& h : horizontal) {
      const NetPoint q = ProjectDirection(h.trend, 0, p);
      EXPECT_NEAR(q.x, h.x, 1e-9) << h.trend;
      EXPECT_NEAR(q.y, h.y, 1e-9) << h.trend;
    }
  }
  for (double plunge : {10.0, 30.0, 45.0, 60.0, 85.0}) {
    const NetPoint a = ProjectDirection(30, plunge, NetProjection::EqualArea);
    const NetPoint w = ProjectDirection(30, plunge, NetProjection::EqualAngle);
    EXPECT_NEAR(std::hypot(a.x, a.y), std::sqrt(2.0) * std::sin((90 - plunge) / 2 * kDeg), 1e-12);
    EXPECT_NEAR(std::hypot(w.x, w.y), std::tan((90 - plunge) / 2 * kDeg), 1e-12);
    EXPECT_NEAR(std::atan2(a.x, a.y) / kDeg, 30, 1e-9);  // azimuth clockwise from north
  }
  // An upward direction is drawn as its opposite.
  const NetPoint up = ProjectDirection(30, -40, NetProjection::EqualArea);
  const NetPoint down = ProjectDirection(210, 40, NetProjection::EqualArea);
  EXPECT_NEAR(up.x, down.x, 1e-12);
  EXPECT_NEAR(up.y, down.y, 1e-12);
  // Angles too large for their radians to be finite land on the centre, not on NaN.
  for (const double huge : {1e308, -1e308}) {
    const NetPoint q = ProjectDirection(huge, 30, NetProjection::EqualArea);
    EXPECT_EQ(q.x, 0);
    EXPECT_EQ(q.y, 0);
  }
}

TEST(Stereonet, GreatCirclePassesThroughDipLineAndStrikeEnds) {
  const auto circle = GreatCircle(120, 40, NetProjection::EqualArea, 90);
  ASSERT_EQ(circle.size(), 91u);
  const NetPoint dipPoint = ProjectDirection(120, 40, NetProjection::EqualArea);
  EXPECT_NEAR(circle[45].x, dipPoint.x, 1e-12);
  EXPECT_NEAR(circle[45].y, dipPoint.y, 1e-12);
  EXPECT_NEAR(std::hypot(circle.front().x, circle.front().y), 1, 1e-9);
  EXPECT_NEAR(std::hypot(circle.back().x, circle.back().y), 1, 1e-9);
  // A vertical plane is a straight diameter along its strike.
  for (const NetPoint& q : GreatCircle(90, 90, NetProjection::EqualAngle, 10)) {
    EXPECT_NEAR(q.x, 0, 1e-9);
  }
}

TEST(Stereonet, ParsesConvertedLines) {
  const auto f = ParseConvertedLine(" 120 30  45 20 N # site 3");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->dipDirection, 120);
  EXPECT_EQ(f->dip, 30);
  EXPECT_TRUE(f->hasLineation);
  EXPECT_EQ(f->trend, 45);
  EXPECT_EQ(f->plunge, 20);
  EXPECT_EQ(f->sense, 'N');
  const auto g = ParseConvertedLine(" 45.4 7.3 ");
  ASSERT_TRUE(g);
  EXPECT_FALSE(g->hasLineation);
  EXPECT_EQ(g->sense, 0);
  for (const char* no : {"", "  ", "# comment", "# error in character data [1 2 3 4]", " 120 30 45",
                         " 120 30 N 45 20", " a b", " 1 2 3 4 5"}) {
    EXPECT_FALSE(ParseConvertedLine(no)) << no;
  }
}

TEST(Stereonet, SlipArrowsFollowTheHangingWall) {
  const struct {
    const char* line;
    double dx, dy;
  } cases[] = {
      {" 90 60  90 60 N ", 1, 0},   // normal: away from the centre
      {" 90 60  90 60 R ", -1, 0},  // reverse: toward the centre
      {" 90 80   0  0 D ", 0, -1},  // east-dipping, north-trending striae: d = -90
      {" 90 80 180  0 D ", 0, -1},  // d = 90: along the trend, south
      {" 90 80 180  0 S ", 0, 1},  {" 90 80   0  0 S ", 0, 1},
  };
  for (const auto& c : cases) {
    const auto fault = ParseConvertedLine(c.line);
    ASSERT_TRUE(fault) << c.line;
    const auto arrow = SlipArrow(*fault);
    ASSERT_TRUE(arrow) << c.line;
    EXPECT_NEAR(arrow->x, c.dx, 1e-9) << c.line;
    EXPECT_NEAR(arrow->y, c.dy, 1e-9) << c.line;
  }
  EXPECT_FALSE(SlipArrow(*ParseConvertedLine(" 90 60 ")));
  EXPECT_FALSE(SlipArrow(*ParseConvertedLine(" 90 60  90 90 N ")));    // vertical slip
  EXPECT_FALSE(SlipArrow(*ParseConvertedLine(" 90 60 1e308 30 N ")));  // no finite direction
}

}  // namespace
}  // namespace orvane
