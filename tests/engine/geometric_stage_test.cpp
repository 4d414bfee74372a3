// Projection, sense rules and untilting, through whole input lines.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "batch_run.h"
#include "vector3.h"

namespace orvane {
namespace {

std::string Convert(const std::string& line, const std::string& untilting, bool projection = false,
                    bool oneDecimal = false) {
  ConversionOptions o;
  o.UntiltingText = untilting;
  o.ProjectionToSurface = projection;
  o.OneDecimal = oneDecimal;
  BatchRun run(o, nullptr);
  std::string out;
  run.ConvertInputLine(line, out);
  return out;
}

TEST(GeometricStage, UntiltingExamples) {
  const struct {
    const char* line;
    const char* untilting;
    const char* out;
  } cases[] = {
      {"90 60 90 60 N 90/30", "100", "  90 30  90 30 N "},
      {"90 60 90 60 N 90/30", "50", "  90 45  90 45 N "},
      {"90 60 90 60 N 90/30", "30-10", "  90 54  90 54 N "},  // 20 percent of 30
      {"90 60 90 60 N N0E30E", "100", "  90 30  90 30 N "},   // the same bedding, quadrant form
      {"270 40 270 40 N 90/60", "100", "  90 80  90 80 R "},  // overturned: the sense turns
      {"120 30 45 20 N", "0", " 120 30  45 20 N "},           // no untilting, no bedding
      {"120 30 45 20 N", "", " 120 30  45 20 N "},
      {"120 30 45 20 N", "10-10", " 120 30  45 20 N "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Convert(c.line, c.untilting), c.out) << c.line << " / " << c.untilting;
  }
}

TEST(GeometricStage, PlaneParallelToBeddingBecomesHorizontal) {
  // Its normal comes out vertical up to rounding, which must not end the run; the
  // dip direction of a horizontal plane is then whatever rounding leaves.
  int dd = -1, dip = -1, trend = -1, plunge = -1;
  const std::string out = Convert("90 30 90 30 N 90/30", "100");
  ASSERT_EQ(std::sscanf(out.c_str(), "%d %d %d %d", &dd, &dip, &trend, &plunge), 4) << out;
  EXPECT_EQ(dip, 0);
  EXPECT_EQ(trend, 90);
  EXPECT_EQ(plunge, 0);
}

TEST(GeometricStage, PercentagesBeyondTheRangeAreNumbersToo) {
  // 150 rotates past horizontal; 101 is 101 percent, not a mark; -5 turns the other way.
  EXPECT_EQ(Convert("90 60 90 60 N 90/30", "150"), "  90 15  90 15 N ");
  EXPECT_EQ(Convert("90 60 90 60 N 90/30", "101", false, true), " 90 29.7 90 29.7 N ");
  EXPECT_EQ(Convert("90 60 90 60 N 90/30", "-5", false, true), " 90 61.5 90 61.5 N ");
}

TEST(GeometricStage, BeddingErrors) {
  for (const char* line : {"90 60 90 60 N", "90 60 90 60 N N30E45.5S", "90 60 90 60 N 120/",
                           "90 60 90 60 N 120/45S", "90 60 90 60 N S30W45E"}) {
    EXPECT_EQ(Convert(line, "50"), std::string("# error in bedding dip data [") + line + "]");
  }
  // With the sense field off, the token after the lineation is the bedding.
  ConversionOptions o;
  o.SenseData = false;
  o.UntiltingText = "50";
  BatchRun run(o, nullptr);
  std::string out;
  EXPECT_EQ(run.ConvertInputLine("120 30 45 20 N", out), LineOutcome::Error);
  EXPECT_EQ(out, "# error in bedding dip data [120 30 45 20 N]");
}

TEST(GeometricStage, Projection) {
  EXPECT_EQ(Convert("90 60 120 10 N", "0", true), "  90 60 150 41 N ");
  EXPECT_EQ(Convert("90 60 120 10 N", "0", true, true), " 90 60 149.6 41.2 N ");
  // Perpendicular to the plane: nothing to project onto it.
  EXPECT_EQ(Convert("90 60 270 30 N", "0", true),
            "# liniation data is perpendicular to surface data [90 60 270 30 N]");
  EXPECT_EQ(Convert("90 60 90 -30 N", "0", true),
            "# liniation data is perpendicular to surface data [90 60 90 -30 N]");
  EXPECT_EQ(Convert("90 60 270 30 N", "0", false), "  90 60 270 30 N ");
  // Around the limit (a part in the plane of 1e-6 of the lineation, about 0.00006
  // degrees): below it, just above it, and clearly above it.
  EXPECT_EQ(Convert("90 60 270 30.00005 N", "0", true),
            "# liniation data is perpendicular to surface data [90 60 270 30.00005 N]");
  EXPECT_EQ(Convert("90 60 270 30.0001 N", "0", true), "  90 60  90 60 N ");
  EXPECT_EQ(Convert("90 60 270 30.0002 N", "0", true), "  90 60  90 60 N ");
}

TEST(GeometricStage, WithoutLineationTheDefaultIsUntiltedAndSensed) {
  ConversionOptions o;
  o.LineationData = false;
  o.UntiltingText = "100";
  BatchRun run(o, nullptr);
  std::string out;
  ASSERT_EQ(run.ConvertInputLine("90 60 R 90/30", out), LineOutcome::Converted);
  EXPECT_EQ(out.substr(0, 7), "  90 30");
  EXPECT_EQ(out.size(), 10u);  // "  90 30 X "
}

// Plane normal and lineation of a converted line, from its one-decimal output.
struct Fault {
  double dd, dip, trend, plunge;
};

Fault Parse(const std::string& out) {
  Fault f{};
  std::sscanf(out.c_str(), "%lf %lf %lf %lf", &f.dd, &f.dip, &f.trend, &f.plunge);
  return f;
}

double Dot(const Vector3& a, const Vector3& b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

TEST(GeometricStage, PropertiesOverRandomData) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> az(0, 359), dip(1, 89), pct(-150, 150);
  const char* senses[] = {"N", "R", "D", "S"};
  ConversionOptions o;
  o.OneDecimal = true;
  for (int i = 0; i < 300; ++i) {
    const int dd = az(rng), dp = dip(rng), bd = az(rng), bdip = dip(rng);
    const std::string bedding = std::to_string(bd) + "/" + std::to_string(bdip);
    // The bedding itself, untilted by 100 percent, is horizontal.
    o.UntiltingText = "100";
    o.ProjectionToSurface = true;
    std::string out;
    BatchRun run(o, nullptr);
    const std::string self =
        bedding.substr(0, bedding.find('/')) + " " + std::to_string(bdip) + " 0 0 N " + bedding;
    ASSERT_EQ(run.ConvertInputLine(self, out), LineOutcome::Converted) << self;
    EXPECT_NEAR(Parse(out).dip, 0, 0.05) << self << " -> " << out;

    // A projected lineation lies in its plane, before and after any untilting.
    o.UntiltingText = std::to_string(pct(rng));
    BatchRun run2(o, nullptr);
    const std::string line = std::to_string(dd) + " " + std::to_string(dp) + " " +
                             std::to_string(az(rng)) + " " + std::to_string(dip(rng)) + " " +
                             senses[i % 4] + " " + bedding;
    if (run2.ConvertInputLine(line, out) != LineOutcome::Converted) continue;  // perpendicular
    const Fault f = Parse(out);
    const Vector3 normal = DirectionOf(f.dd, f.dip - 90);
    const Vector3 lineation = DirectionOf(f.trend, f.plunge);
    // One decimal of rounding in four angles leaves a little slack.
    EXPECT_NEAR(Dot(normal, lineation), 0, 0.004) << line << " -> " << out;
  }
}

}  // namespace
}  // namespace orvane
