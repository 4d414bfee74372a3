// Whole lines through the geometric stage, from a table cross-checked against an independent
// model of the rotations, and properties over many pseudo-random lines.
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "batch_run.h"
#include "line_conversion.h"
#include "matrix.h"
#include "run_stopped.h"

namespace orvane {
namespace {

struct Switches {
  const char* untilting = "0";
  bool projection = true;
  bool decimal = false;
  bool lineation = true;
  bool sense = true;
};

ConversionOptions Options(const Switches& s) {
  ConversionOptions o;
  o.UntiltingText = s.untilting;
  o.ProjectionToSurface = s.projection;
  o.OneDecimal = s.decimal;
  o.LineationData = s.lineation;
  o.SenseData = s.sense;
  return o;
}

struct Converted {
  std::string line;
  std::vector<std::string> messages;
  bool stopped = false;
};

Converted Convert(const std::string& input, const Switches& s) {
  Converted c;
  BatchRun run(Options(s), [&](const std::string& m) { c.messages.push_back(m); });
  try {
    run.ConvertInputLine(input, c.line);
  } catch (const RunStopped&) {
    c.stopped = true;
  }
  return c;
}

struct LineRow {
  const char* input;
  Switches switches;
  const char* output;
};

constexpr Switches kDefault{};
constexpr Switches kNoProjection{"0", false};
constexpr Switches kDecimal{"0", true, true};
Switches Untilt(const char* r, bool decimal = false) {
  return Switches{r, true, decimal};
}

TEST(GeometricTable, OutputLines) {
  const LineRow rows[] = {
      // Untilting: bedding 90/30 by 100 and 50 percent; the overturned plane.
      {"90 60 90 60 N 90/30", Untilt("100"), "  90 30  90 30 N "},
      {"90 60 90 60 N 90/30", Untilt("50"), "  90 45  90 45 N "},
      {"90 60 90 60 N N0E30S", Untilt("100"), "  90 30  90 30 N "},
      {"270 40 270 40 N 90/60", Untilt("100"), "  90 80  90 80 R "},
      // Percentages beyond the range, negative, the difference form, 101.
      {"90 60 90 60 N 90/30", Untilt("150"), "  90 15  90 15 N "},
      {"90 60 90 60 N 90/30", Untilt("-5", true), " 90 61.5 90 61.5 N "},
      {"90 60 90 60 N 90/30", Untilt("30-10"), "  90 54  90 54 N "},
      {"90 60 90 60 N 90/30", Untilt("101", true), " 90 29.7 90 29.7 N "},
      // The sense is derived afresh from the untilted geometry.
      {"120 40 150 20 D 60/25", Untilt("100", true), " 153.3 33.9 139.1 33.1 N "},
      {"120 40 150 20 S 60/25", Untilt("100", true), " 153.3 33.9 139.1 33.1 R "},
      {"300 70 10 30 R 200/50", Untilt("80", true), " 310.4 81 10.2 72.5 S "},
      {"300 70 10 30 N 200/50", Untilt("80", true), " 310.4 81 10.2 72.5 D "},
      {"45 80 100 10 D 330/45", Switches{"100", false, true}, " 56.5 72.4 83.3 34.8 N "},
      {"0 0 0 0 N 90/30", Switches{"100", false, true}, " 270 30 180 0 D "},
      // A vertical plane turned over: the product of the down components is 0 and the
      // dip direction turns by 180, so the lineation is flipped.
      {"90 90 180 60 N 90/30", Untilt("-100", true), " 270 60 220.9 48.6 D "},
      // r = 0: no bedding field is needed, and the sense letter stays as read.
      {"120 30 45 20 N", kNoProjection, " 120 30  45 20 N "},
      {"120 30 45 20 R", kNoProjection, " 120 30  45 20 R "},
      {"120 30 45 20 D", kNoProjection, " 120 30  45 20 D "},
      {"120 30 45 20 S", kNoProjection, " 120 30  45 20 S "},
      // Sense rules: the flips are undone by the folding unless the plunge is 0.
      {"90 60 270 40 R", kNoProjection, "  90 60 270 40 R "},
      {"90 60 0 0 R", kNoProjection, "  90 60 180  0 R "},
      {"90 60 60 0 D", kNoProjection, "  90 60 240  0 D "},
      {"90 60 60 0 S", kNoProjection, "  90 60  60  0 S "},
      {"90 60 90 0 D", kNoProjection, "  90 60  90  0 D "},  // d = 0
      {"90 60 90 0 S", kNoProjection, "  90 60  90  0 S "},
      {"90 60 270 0 D", kNoProjection, "  90 60 270  0 D "},  // d = 180
      {"90 60 270 0 S", kNoProjection, "  90 60  90  0 S "},
      {"180 60 0 0 D", kNoProjection, " 180 60 180  0 D "},  // d = -180
      {"180 60 0 0 S", kNoProjection, " 180 60   0  0 S "},
      // Final folding.
      {"120 30 40 100 N", kNoProjection, " 120 30 220 80 N "},
      {"120 30 40 -10 N", kNoProjection, " 120 30 220 10 N "},
      {"120 30 40 -0 N", kNoProjection, " 120 30  40  0 N "},
      // Projection onto the plane.
      {"90 60 120 10 N", kDefault, "  90 60 150 41 N "},
      {"90 60 120 10 N", kDecimal, " 90 60 149.6 41.2 N "},
      {"90 30 90 10 N", kDefault, "  90 30  90 30 N "},
      {"90 60 270 30 N", kDefault,
       "# liniation data is perpendicular to surface data [90 60 270 30 N]"},
      {"90 60 90 -30 N", kDefault,
       "# liniation data is perpendicular to surface data [90 60 90 -30 N]"},
      {"90 60 270 30 N", kNoProjection, "  90 60 270 30 N "},
      // The bedding field.
      {"90 60 90 60 N N30E45.5S", Untilt("100"),
       "# error in bedding dip data [90 60 90 60 N N30E45.5S]"},
      {"90 60 90 60 N 120/", Untilt("100"), "# error in bedding dip data [90 60 90 60 N 120/]"},
      {"90 60 90 60 N 120/45S", Untilt("100"),
       "# error in bedding dip data [90 60 90 60 N 120/45S]"},
      {"90 60 90 60 N", Untilt("100"), "# error in bedding dip data [90 60 90 60 N]"},
      {"90 60 90 60 N S30W45E", Untilt("100"),
       "# error in bedding dip data [90 60 90 60 N S30W45E]"},
      {"90 60 90 60 N 90/1e308", Untilt("100"),
       "# error in bedding dip data [90 60 90 60 N 90/1e308]"},
      // With the sense off, the token after the lineation is the bedding field.
      {"120 30 45 20 N", Switches{"50", true, false, true, false},
       "# error in bedding dip data [120 30 45 20 N]"},
      // With the lineation off, the default lineation 0/0 takes part in the derivation.
      {"90 60 N 90/30", Switches{"100", true, false, false, true}, "  90 30 S "},
  };
  for (const LineRow& row : rows) {
    const Converted c = Convert(row.input, row.switches);
    EXPECT_FALSE(c.stopped) << row.input;
    EXPECT_EQ(c.line, row.output) << row.input << " untilting " << row.switches.untilting;
    EXPECT_TRUE(c.messages.empty()) << row.input;
  }
}

TEST(GeometricTable, UnreadableUntiltingTextStopsTheRunWithOneMessage) {
  for (const char* text : {"abc", "-", "-x", "30-x", "12.5"}) {
    const Converted c = Convert("90 60 90 60 N 90/30", Untilt(text));
    EXPECT_TRUE(c.stopped) << text;
    ASSERT_EQ(c.messages.size(), 1u) << text;
    EXPECT_EQ(c.messages[0], "input [0-100]");
  }
  const Converted empty = Convert("90 60 90 60 N", Untilt(""));
  EXPECT_FALSE(empty.stopped);
  EXPECT_EQ(empty.line, "  90 60  90 60 N ");
  EXPECT_TRUE(empty.messages.empty());
}

TEST(GeometricTable, UnreadableUntiltingTextIsNotReachedByAnEarlierError) {
  const Converted c = Convert("120 x 45 20 N", Untilt("abc"));
  EXPECT_FALSE(c.stopped);
  EXPECT_TRUE(c.messages.empty());
}

// Datum values with a tolerance, for the worked examples.
TEST(GeometricTable, WorkedExamplesAsValues) {
  const struct {
    const char* input;
    Switches switches;
    double dipDirection, dip, trend, plunge;
  } rows[] = {
      {"90 60 120 10 N", kDefault, 90, 60, 149.64, 41.20},
      {"90 30 45 0 N", kDefault, 90, 30, 36.87, 19.11},
      {"120 40 120 40 N 90/30", Untilt("100"), 162.87, 19.65, 113.15, 13.00},
      {"90 60 90 60 N 90/30", Untilt("100"), 90, 30, 90, 30},
      {"270 40 270 40 N 90/60", Untilt("100"), 90, 80, 90, 80},
  };
  for (const auto& r : rows) {
    LineContext ctx(Options(r.switches), nullptr);
    ZelmDataC d;
    ASSERT_TRUE(ConvertLine(d, r.input, ctx)) << r.input;
    EXPECT_NEAR(d.DipDirection, r.dipDirection, 0.005) << r.input;
    EXPECT_NEAR(d.Dip, r.dip, 0.005) << r.input;
    EXPECT_NEAR(d.Trend, r.trend, 0.005) << r.input;
    EXPECT_NEAR(d.Plunge, r.plunge, 0.005) << r.input;
  }
}

// Properties over many pseudo-random lines (fixed seed).
class GeometricTableProperties : public ::testing::Test {
 protected:
  std::mt19937_64 rng{918273};
  double Uniform(double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng);
  }
  static std::string Num(double x) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6f", x);
    return buf;
  }
  static double Dot(const MatrixC& a, const MatrixC& b) {
    return a.At(1, 1) * b.At(1, 1) + a.At(2, 1) * b.At(2, 1) + a.At(3, 1) * b.At(3, 1);
  }
};

TEST_F(GeometricTableProperties, BeddingUntiltedByFullDipBecomesHorizontal) {
  // The plane is the bedding itself: untilted by 100 percent it must come out with dip
  // 0, and rounding just beyond -1 in its normal must not stop the run.
  for (int i = 0; i < 3000; ++i) {
    const std::string dd = Num(Uniform(0, 360));
    const std::string dip = Num(Uniform(0, 90));
    const std::string line = dd + " " + dip + " 0 0 N " + dd + "/" + dip;
    LineContext ctx(Options(Switches{"100", false}), nullptr);
    ZelmDataC d;
    ASSERT_TRUE(ConvertLine(d, line, ctx)) << line;
    ASSERT_TRUE(std::isfinite(d.DipDirection) && std::isfinite(d.Trend)) << line;
    ASSERT_NEAR(d.Dip, 0, 1e-5) << line;  // asin near -1 magnifies rounding to ~1e-6
  }
}

TEST_F(GeometricTableProperties, UntiltingKeepsTheAngleBetweenPlaneAndLineation) {
  for (int i = 0; i < 3000; ++i) {
    const double dd = Uniform(0, 360), dip = Uniform(0, 90);
    const double trend = Uniform(0, 360), plunge = Uniform(0, 90);
    const std::string line = Num(dd) + " " + Num(dip) + " " + Num(trend) + " " + Num(plunge) +
                             " N " + Num(Uniform(0, 360)) + "/" + Num(Uniform(0, 90));
    const std::string percentage = std::to_string(static_cast<int>(Uniform(-150, 150)) | 1);
    LineContext before(Options(Switches{"0", false}), nullptr);
    LineContext after(Options(Switches{percentage.c_str(), false}), nullptr);
    ZelmDataC a, b;
    ASSERT_TRUE(ConvertLine(a, line, before)) << line;
    ASSERT_TRUE(ConvertLine(b, line, after)) << line;
    // The folded lineation is a line, not a vector: compare the absolute cosine.
    const double cosBefore = std::fabs(
        Dot(DirectionVector(a.DipDirection, a.Dip - 90), DirectionVector(a.Trend, a.Plunge)));
    const double cosAfter = std::fabs(
        Dot(DirectionVector(b.DipDirection, b.Dip - 90), DirectionVector(b.Trend, b.Plunge)));
    ASSERT_NEAR(cosAfter, cosBefore, 1e-9) << line << " by " << percentage;
    ASSERT_GE(b.Plunge, 0) << line;
    ASSERT_LE(b.Plunge, 90) << line;
  }
}

TEST_F(GeometricTableProperties, ProjectedLineationLiesInItsPlane) {
  int projected = 0;
  for (int i = 0; i < 3000; ++i) {
    const std::string line = Num(Uniform(0, 360)) + " " + Num(Uniform(0, 90)) + " " +
                             Num(Uniform(0, 360)) + " " + Num(Uniform(-90, 90)) + " N";
    LineContext ctx(Options(kDefault), nullptr);
    ZelmDataC d;
    if (!ConvertLine(d, line, ctx)) {
      ASSERT_EQ(ctx.LineError(), "liniation data is perpendicular to surface data") << line;
      continue;
    }
    ++projected;
    const double cosine =
        Dot(DirectionVector(d.DipDirection, d.Dip - 90), DirectionVector(d.Trend, d.Plunge));
    ASSERT_NEAR(cosine, 0, 1e-9) << line;
  }
  EXPECT_GT(projected, 2900);
}

}  // namespace
}  // namespace orvane
