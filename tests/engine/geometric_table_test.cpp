// Whole lines through reading and the geometric stage: one table of input lines, their
// switches and their output lines, behaviour around the table, and properties over
// many pseudo-random lines.
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "batch_run.h"
#include "line_conversion.h"
#include "run_stopped.h"
#include "vector3.h"

namespace orvane {
namespace {

struct Switches {
  const char* untilting = "0";
  bool projection = true;
  bool decimal = false;
  bool lineation = true;
  bool sense = true;
  bool surface = true;
};

ConversionOptions Options(const Switches& s) {
  ConversionOptions o;
  o.UntiltingText = s.untilting;
  o.ProjectionToSurface = s.projection;
  o.OneDecimal = s.decimal;
  o.LineationData = s.lineation;
  o.SenseData = s.sense;
  o.SurfaceData = s.surface;
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
// The reading rows: one decimal, lineations as read.
constexpr Switches kRead{"0", false, true};
Switches Untilt(const char* r, bool decimal = false) {
  return Switches{r, true, decimal};
}

TEST(GeometricTable, OutputLines) {
  const LineRow rows[] = {
      // Untilting: bedding 90/30 by 100 and 50 percent; the overturned plane.
      {"90 60 90 60 N 90/30", Untilt("100"), "  90 30  90 30 N "},
      {"90 60 90 60 N 90/30", Untilt("50"), "  90 45  90 45 N "},
      {"90 60 90 60 N N0E30S", Untilt("100"), "  90 30  90 30 N "},
      {"90 60 90 60 N N0E30E", Untilt("100"), "  90 30  90 30 N "},
      {"270 40 270 40 N 90/60", Untilt("100"), "  90 80  90 80 R "},
      // Percentages beyond the range, negative, the difference form, 101.
      {"90 60 90 60 N 90/30", Untilt("150"), "  90 15  90 15 N "},
      {"90 60 90 60 N 90/30", Untilt("-5", true), " 90 61.5 90 61.5 N "},
      {"90 60 90 60 N 90/30", Untilt("30-10"), "  90 54  90 54 N "},
      {"120 30 45 20 N", Switches{"10-10", false}, " 120 30  45 20 N "},  // 0: no bedding
      {"90 60 90 60 N 90/30", Untilt("101", true), " 90 29.7 90 29.7 N "},
      // The sense is derived afresh from the untilted geometry.
      {"120 40 150 20 D 60/25", Untilt("100", true), " 153.3 33.9 139.1 33.1 N "},
      {"120 40 150 20 S 60/25", Untilt("100", true), " 153.3 33.9 139.1 33.1 R "},
      {"300 70 10 30 R 200/50", Untilt("80", true), " 310.4 81 10.2 72.5 S "},
      {"300 70 10 30 N 200/50", Untilt("80", true), " 310.4 81 10.2 72.5 D "},
      {"45 80 100 10 D 330/45", Switches{"100", false, true}, " 56.5 72.4 83.3 34.8 N "},
      // The lineation lies on the rotation axis and stays exactly horizontal: it keeps
      // its trend, which lies to the right of the dip direction (d = 90).
      {"0 0 0 0 N 90/30", Switches{"100", false, true}, " 270 30 0 0 D "},
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
      // Around the perpendicular limit (a part in the plane of 1e-6 of the lineation,
      // about 0.00006 degrees): below it, just above it, and clearly above it.
      {"90 60 270 30.00005 N", kDefault,
       "# liniation data is perpendicular to surface data [90 60 270 30.00005 N]"},
      {"90 60 270 30.0001 N", kDefault, "  90 60  90 60 N "},
      {"90 60 270 30.0002 N", kDefault, "  90 60  90 60 N "},
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
      // With the lineation off, the default lineation 0/0 takes part in the derivation,
      // oriented by the sense letter first.
      {"90 60 N 90/30", Switches{"100", true, false, false, true}, "  90 30 S "},
      {"90 60 R 90/30", Switches{"100", true, false, false, true}, "  90 30 D "},
      // Angles beyond a billion degrees describe no direction: their field is unreadable,
      // and every converted line carries finite numbers.
      {"N28E32S R1e308N N", kDefault, "# error in liniation data [N28E32S R1e308N N]"},
      {"N28E32S N40W1e308N N", kDefault, "# error in liniation data [N28E32S N40W1e308N N]"},
      {"210/1e308 215/60 R", kDefault, "# error in surface data [210/1e308 215/60 R]"},
      {"120 1000000001 45 20 N", kDefault,
       "# error in surface data with 'ddd dd' format [120 1000000001 45 20 N]"},
      {"120 30 45 -1000000001 N", kDefault,
       "# error in liniation data with 'ddd dd' format [120 30 45 -1000000001 N]"},
      {"90 60 90 60 N N30E1000000001S", Untilt("100"),
       "# error in bedding dip data [90 60 90 60 N N30E1000000001S]"},
      {"120 1000000000 45 20 N", kNoProjection, " 300  -999999820  45 20 N "},  // folded once

      // Reading: separators, and tokens after the last field.
      {"120 30 45 20 N", kRead, " 120 30 45 20 N "},
      {"120,30,45,20,N", kRead, " 120 30 45 20 N "},
      {"120\t30\t45\t20\tN", kRead, " 120 30 45 20 N "},
      {"  120   30 45 20 N  ", kRead, " 120 30 45 20 N "},
      {"120 30 45 20 N 7 x y", kRead, " 120 30 45 20 N "},
      // Reading: the message of the first unreadable field.
      {"120", kRead, "# there are only 2 data fields in this line [120]"},
      {"120 , 30 45 20 N", kRead, "# there are only 2 data fields in this line [120 , 30 45 20 N]"},
      {"120 x 45 20 N", kRead, "# error in surface data with 'ddd dd' format [120 x 45 20 N]"},
      {"120 30", kRead, "# more data are expected [120 30]"},
      {"120 30 45 x N", kRead, "# error in liniation data with 'ddd dd' format [120 30 45 x N]"},
      {"120 30 45 20", kRead, "# error in character data [120 30 45 20]"},
      {"120 30 45 20 n", kRead, "# error in character data [120 30 45 20 n]"},
      {"120 30 45 20 NR", kRead, "# error in character data [120 30 45 20 NR]"},
      {"120 30 45 20 X", kRead, "# error in character data [120 30 45 20 X]"},
      {"x30 30 45 20 N", kRead, "# error in surface data [x30 30 45 20 N]"},
      {"120 30 x45 20 N", kRead, "# error in liniation data [120 30 x45 20 N]"},
      // Texts that look numeric but are no numbers end only their own line.
      {"120 1.2.3 45 20 N", kRead,
       "# error in surface data with 'ddd dd' format [120 1.2.3 45 20 N]"},
      {"1.2.3 30 45 20 N", kRead,
       "# error in surface data with 'ddd dd' format [1.2.3 30 45 20 N]"},
      {"- 30 45 20 N", kRead, "# error in surface data with 'ddd dd' format [- 30 45 20 N]"},
      {"120 30 . 20 N", kRead, "# error in liniation data with 'ddd dd' format [120 30 . 20 N]"},
      {"120 30 45 -- N", kRead, "# error in liniation data with 'ddd dd' format [120 30 45 -- N]"},
      {", 30 45 20 N", kRead, "# error in surface data with 'ddd dd' format [, 30 45 20 N]"},
      // Reading: a switched-off field is not looked for; its values stay the defaults.
      {"45 20 N", Switches{"0", false, true, true, true, false}, " 0 0 45 20 N "},
      {"120 30 R", Switches{"0", false, true, false, true}, " 120 30 R "},
      {"120 30 45 20", Switches{"0", false, true, true, false}, " 120 30 45 20 "},
      {"whatever", Switches{"0", false, true, false, false, false}, " 0 0 "},
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

TEST(GeometricTable, PlaneParallelToBeddingBecomesHorizontal) {
  // Its normal comes out vertical up to rounding, which must not end the run; the
  // dip direction of a horizontal plane is then whatever rounding leaves.
  const Converted c = Convert("90 30 90 30 N 90/30", Switches{"100", false});
  int dd = -1, dip = -1, trend = -1, plunge = -1;
  ASSERT_EQ(std::sscanf(c.line.c_str(), "%d %d %d %d", &dd, &dip, &trend, &plunge), 4) << c.line;
  EXPECT_EQ(dip, 0);
  EXPECT_EQ(trend, 90);
  EXPECT_EQ(plunge, 0);
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
  static double Dot(const Vector3& a, const Vector3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
  }
};

TEST_F(GeometricTableProperties, BeddingUntiltedByFullDipBecomesHorizontal) {
  // The plane is the bedding itself: untilted by 100 percent it must come out with dip
  // 0, and rounding just beyond -1 in its normal must not stop the run; with the
  // lineation projected onto the plane or not.
  for (int i = 0; i < 3000; ++i) {
    const std::string dd = Num(Uniform(0, 360));
    const std::string dip = Num(Uniform(0, 90));
    const std::string line = dd + " " + dip + " 0 0 N " + dd + "/" + dip;
    LineContext ctx(Options(Switches{"100", i % 2 == 0}), nullptr);
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
    const double cosBefore =
        std::fabs(Dot(DirectionOf(a.DipDirection, a.Dip - 90), DirectionOf(a.Trend, a.Plunge)));
    const double cosAfter =
        std::fabs(Dot(DirectionOf(b.DipDirection, b.Dip - 90), DirectionOf(b.Trend, b.Plunge)));
    ASSERT_NEAR(cosAfter, cosBefore, 1e-9) << line << " by " << percentage;
    ASSERT_GE(b.Plunge, 0) << line;
    ASSERT_LE(b.Plunge, 90) << line;
  }
}

TEST_F(GeometricTableProperties, ProjectedLineationStaysInItsPlaneThroughUntilting) {
  // Every sense letter, untilting either way and beyond the full dip: plane and
  // lineation turn together, so the lineation stays in the plane.
  const char* senses[] = {"N", "R", "D", "S"};
  int untilted = 0;
  for (int i = 0; i < 3000; ++i) {
    const std::string line = Num(Uniform(0, 360)) + " " + Num(Uniform(0, 90)) + " " +
                             Num(Uniform(0, 360)) + " " + Num(Uniform(-90, 90)) + " " +
                             senses[i % 4] + " " + Num(Uniform(0, 360)) + "/" + Num(Uniform(0, 90));
    const std::string percentage = std::to_string(static_cast<int>(Uniform(-150, 150)) | 1);
    LineContext ctx(Options(Switches{percentage.c_str()}), nullptr);
    ZelmDataC d;
    if (!ConvertLine(d, line, ctx)) {
      ASSERT_EQ(ctx.LineError(), "liniation data is perpendicular to surface data") << line;
      continue;
    }
    ++untilted;
    const double cosine =
        Dot(DirectionOf(d.DipDirection, d.Dip - 90), DirectionOf(d.Trend, d.Plunge));
    ASSERT_NEAR(cosine, 0, 1e-9) << line << " by " << percentage;
  }
  EXPECT_GT(untilted, 2900);
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
        Dot(DirectionOf(d.DipDirection, d.Dip - 90), DirectionOf(d.Trend, d.Plunge));
    ASSERT_NEAR(cosine, 0, 1e-9) << line;
  }
  EXPECT_GT(projected, 2900);
}

}  // namespace
}  // namespace orvane
