// Reading the fields of a data line: which tokens are taken, and which message an
// unreadable field gives.
#include <gtest/gtest.h>

#include <string>

#include "batch_run.h"

namespace orvane {
namespace {

ConversionOptions Unprojected() {
  ConversionOptions o;
  o.ProjectionToSurface = false;
  o.OneDecimal = true;
  return o;
}

std::string Convert(const std::string& line, const ConversionOptions& options = Unprojected()) {
  BatchRun run(options, nullptr);
  std::string out;
  run.ConvertInputLine(line, out);
  return out;
}

TEST(Reading, SeparatorsAndExtraTokens) {
  for (const char* line : {"120 30 45 20 N", "120,30,45,20,N", "120\t30\t45\t20\tN",
                           "  120   30 45 20 N  ", "120 30 45 20 N 7 x y"}) {
    EXPECT_EQ(Convert(line), " 120 30 45 20 N ") << line;
  }
}

TEST(Reading, ErrorMessagesOfEachField) {
  const struct {
    const char* line;
    const char* message;
  } cases[] = {
      {"120", "there are only 2 data fields in this line"},
      {"120 , 30 45 20 N", "there are only 2 data fields in this line"},
      {"120 x 45 20 N", "error in surface data with 'ddd dd' format"},
      {"120 30", "more data are expected"},
      {"120 30 45 x N", "error in liniation data with 'ddd dd' format"},
      {"120 30 45 20", "error in character data"},
      {"120 30 45 20 n", "error in character data"},
      {"120 30 45 20 NR", "error in character data"},
      {"120 30 45 20 X", "error in character data"},
      {"x30 30 45 20 N", "error in surface data"},
      {"120 30 x45 20 N", "error in liniation data"},
      // Texts that look numeric but are no numbers end only their own line.
      {"120 1.2.3 45 20 N", "error in surface data with 'ddd dd' format"},
      {"1.2.3 30 45 20 N", "error in surface data with 'ddd dd' format"},
      {"- 30 45 20 N", "error in surface data with 'ddd dd' format"},
      {"120 30 . 20 N", "error in liniation data with 'ddd dd' format"},
      {"120 30 45 -- N", "error in liniation data with 'ddd dd' format"},
      {", 30 45 20 N", "error in surface data with 'ddd dd' format"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Convert(c.line), std::string("# ") + c.message + " [" + c.line + "]") << c.line;
  }
}

TEST(Reading, SwitchedOffFieldsAreNotLookedFor) {
  ConversionOptions o = Unprojected();
  o.SurfaceData = false;
  EXPECT_EQ(Convert("45 20 N", o), " 0 0 45 20 N ");

  o = Unprojected();
  o.LineationData = false;
  EXPECT_EQ(Convert("120 30 R", o), " 120 30 R ");

  o = Unprojected();
  o.SenseData = false;
  EXPECT_EQ(Convert("120 30 45 20", o), " 120 30 45 20 ");

  o = Unprojected();
  o.SurfaceData = o.LineationData = o.SenseData = false;
  EXPECT_EQ(Convert("whatever", o), " 0 0 ");
}

TEST(Reading, SenseRulesOrientHorizontalLineations) {
  // Without untilting the flips are folded back, except for a horizontal lineation.
  EXPECT_EQ(Convert("90 60 270 40 R"), " 90 60 270 40 R ");
  EXPECT_EQ(Convert("90 60 0 0 R"), " 90 60 180 0 R ");
  EXPECT_EQ(Convert("90 60 60 0 D"), " 90 60 240 0 D ");  // trend - dip direction = -30
  EXPECT_EQ(Convert("90 60 60 0 S"), " 90 60 60 0 S ");
  EXPECT_EQ(Convert("90 60 90 0 D"), " 90 60 90 0 D ");   // d = 0: never flipped
  EXPECT_EQ(Convert("90 60 270 0 S"), " 90 60 90 0 S ");  // d = 180: only S flips
  EXPECT_EQ(Convert("90 60 270 0 D"), " 90 60 270 0 D ");
}

TEST(Reading, FinalFoldingTurnsPlungesDownward) {
  EXPECT_EQ(Convert("120 30 40 100 N"), " 120 30 220 80 N ");
  EXPECT_EQ(Convert("120 30 40 -10 N"), " 120 30 220 10 N ");
}

}  // namespace
}  // namespace orvane
