// The pieces the readers build their lines from: numbers the engine reads back
// exactly, compass letters, sense words, and rake tokens whose strike-end letter the
// engine reads as the end that was meant.
#include "book_lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "format_readers.h"
#include "numbers.h"
#include "reader_test_support.h"

namespace orvane {
namespace {

TEST(FieldNumber, PlainDecimalsThatReadBackBitForBit) {
  const auto text = [](double v) {
    std::string s;
    AppendFieldNumber(s, v);
    return s;
  };
  EXPECT_EQ(text(120), "120");
  EXPECT_EQ(text(45.5), "45.5");
  EXPECT_EQ(text(-0.0), "0");
  EXPECT_EQ(text(1e-7), "0.0000001");
  EXPECT_EQ(text(1e20), "100000000000000000000");
  for (const double v : {0.1, 1.0 / 3, 359.99999999999994, 2.5e-12, 123456.789e3}) {
    const std::string s = text(v);
    EXPECT_TRUE(IsNumber(s)) << s;
    EXPECT_EQ(StrToFloat(s), v) << s;
  }
}

TEST(CompassAzimuth, SixteenPointsAnyCase) {
  EXPECT_EQ(CompassAzimuth("N"), 0);
  EXPECT_EQ(CompassAzimuth("nne"), 22.5);
  EXPECT_EQ(CompassAzimuth("SE"), 135);
  EXPECT_EQ(CompassAzimuth("wsw"), 247.5);
  EXPECT_EQ(CompassAzimuth("NNW"), 337.5);
  EXPECT_EQ(CompassAzimuth("NEE"), std::nullopt);
  EXPECT_EQ(CompassAzimuth(""), std::nullopt);
  EXPECT_EQ(CompassAzimuth("30"), std::nullopt);
}

TEST(SenseOfWord, LettersAndWords) {
  struct Case {
    const char* word;
    char letter;
  };
  for (const Case c : {Case{"N", 'N'},
                       {"normal", 'N'},
                       {"Low_Angle_Normal", 'N'},
                       {"r", 'R'},
                       {"REVERSE", 'R'},
                       {"thrust", 'R'},
                       {"inverse", 'R'},
                       {"D", 'D'},
                       {"dextral", 'D'},
                       {"right_lateral", 'D'},
                       {"Right-Lateral", 'D'},
                       {"s", 'S'},
                       {"Sinistral", 'S'},
                       {"left lateral", 'S'},
                       {"dextral_normal", 'o'},
                       {"sinistral_reverse", 'o'},
                       {"", 0},
                       {"strike_slip", 0},
                       {"X", 0},
                       {"1", 0}}) {
    EXPECT_EQ(SenseOfWord(c.word), c.letter) << c.word;
  }
  EXPECT_EQ(ObliqueSense("dextral_normal", 30), 'D');
  EXPECT_EQ(ObliqueSense("dextral_normal", 45), 'N');
  EXPECT_EQ(ObliqueSense("sinistral_reverse", 10), 'S');
  EXPECT_EQ(ObliqueSense("sinistral_reverse", 80), 'R');
  EXPECT_EQ(ObliqueSense("normal", 80), 0);
}

TEST(RakeFromStrike, AngleInThePlane) {
  // Plane 120/40: the strike line, the dip line, and a line of rake 30.
  EXPECT_NEAR(*RakeFromStrike(120, 40, 30, 0), 0, 1e-9);
  EXPECT_NEAR(*RakeFromStrike(120, 40, 210, 0), 0, 1e-9);
  EXPECT_NEAR(*RakeFromStrike(120, 40, 120, 40), 90, 1e-9);
  double trend, plunge;
  testing::RakeDirection(120, 40, 30, 30, trend, plunge);
  EXPECT_NEAR(*RakeFromStrike(120, 40, trend, plunge), 30, 1e-9);
  testing::RakeDirection(120, 40, 150, 30, trend, plunge);  // 30 from the other end
  EXPECT_NEAR(*RakeFromStrike(120, 40, trend, plunge), 30, 1e-9);
  EXPECT_EQ(RakeFromStrike(120, 0, 45, 0), std::nullopt);     // horizontal plane
  EXPECT_EQ(RakeFromStrike(120, 40, 300, 50), std::nullopt);  // the plane's normal
}

// The letter of a rake token makes the engine measure from the end that was meant,
// on every side of the compass and on the bounds of the engine's sectors.
TEST(RakeToken, EngineMeasuresFromTheIntendedEnd) {
  for (const double dd : {0.0, 30.0, 90.0, 120.0, 180.0, 200.0, 270.0, 300.0, 359.0}) {
    for (const double dip : {10.0, 40.0, 90.0}) {
      for (const double rake : {0.0, 30.0, 90.0, 135.0}) {
        for (const double side : {-90.0, 90.0}) {
          const double end = WrapDegrees(dd + side);
          std::string line;
          AppendFieldNumber(line, dd);
          line += " ";
          AppendFieldNumber(line, dip);
          line += " " + RakeToken(dd, dip, rake, end) + " N";
          const auto c = testing::Convert(line);
          ASSERT_TRUE(c.ok) << line << ": " << c.error;
          double trend, plunge;
          testing::RakeDirection(dd, dip, rake, end, trend, plunge);
          // The engine folds an upward line down at the end; these rakes point down.
          EXPECT_NEAR(c.plunge, plunge, 1e-9) << line;
          // A horizontal line is an axis: the engine may give either of its ends.
          const double gap = testing::AzimuthGap(c.trend, trend);
          if (std::cos(plunge * std::acos(-1.0) / 180) > 1e-9) {
            EXPECT_NEAR(std::fabs(plunge) < 1e-9 ? std::fmod(gap, 180) : gap, 0, 1e-9) << line;
          }
        }
      }
    }
  }
  // Named as closely as a letter can: plane 120/40 from its north-east end.
  EXPECT_EQ(RakeToken(120, 40, 30, 30), "R30N");
  EXPECT_EQ(RakeToken(120, 40, 30, 210), "R30S");
}

TEST(BookLine, FieldsCommentAndUnreadableRecords) {
  ReaderOptions all;
  BookLine line;
  line.Plane(120, 30);
  line.Lineation(45, 20.5);
  line.Sense('N');
  EXPECT_EQ(line.Text(all, "site 1", "raw"), "120 30 45 20.5 N # site 1");
  EXPECT_EQ(line.Text(all, "", "raw"), "120 30 45 20.5 N");
  EXPECT_EQ(line.Text(all, "a\tb\nc", "raw"), "120 30 45 20.5 N # a b c");

  line.Sense(0);  // no sense known: no letter, the engine reports the line
  EXPECT_EQ(line.Text(all, "x", "raw"), "120 30 45 20.5 # x");
  EXPECT_EQ(testing::Convert(line.Text(all, "x", "raw")).error, "error in character data");

  line.LineationUnreadable();
  EXPECT_EQ(line.Text(all, "x", "120;30;;\n"), "120 30 ? # 120;30;;");
  EXPECT_EQ(testing::Convert("120 30 ? N").error, "error in liniation data");
  EXPECT_EQ(testing::Convert("? 45 20 N").error, "error in surface data");
  EXPECT_EQ(testing::Convert("120 30 45 20 ?").error, "error in character data");

  ReaderOptions planeOnly;
  planeOnly.lineation = false;
  planeOnly.sense = false;
  EXPECT_EQ(line.Text(planeOnly, "x", "raw"), "120 30 # x");  // unread fields don't matter

  // A rake on a line without a plane: the trend and plunge it stands for.
  BookLine rake;
  rake.Plane(120, 40);
  rake.LineationFromRake(120, 40, 90, 30);
  EXPECT_EQ(rake.Text(all, "", ""), "120 40 R90N");
  ReaderOptions noPlane;
  noPlane.surface = false;
  noPlane.sense = false;
  const std::string text = rake.Text(noPlane, "", "");
  double trend = 0, plunge = 0;
  ASSERT_EQ(std::sscanf(text.c_str(), "%lf %lf", &trend, &plunge), 2) << text;
  EXPECT_NEAR(trend, 120, 1e-9);
  EXPECT_NEAR(plunge, 40, 1e-9);
}

}  // namespace
}  // namespace orvane
