// Lineations that are exactly horizontal and planes that become exactly vertical:
// rounding leaves a tiny value of either sign there, and it must not decide which
// way a lineation points. Tables over every whole-degree dip direction.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "line_conversion.h"

namespace orvane {
namespace {

struct Result {
  bool converted = false;
  double trend = 0, plunge = 0;
  std::string sense;
};

Result Convert(const std::string& line, bool projection, const char* untilting = "0") {
  ConversionOptions o;
  o.ProjectionToSurface = projection;
  o.UntiltingText = untilting;
  LineContext ctx(o, nullptr);
  ZelmDataC d;
  Result r;
  r.converted = ConvertLine(d, line, ctx);
  r.trend = d.Trend;
  r.plunge = d.Plunge;
  r.sense = d.Sense;
  return r;
}

// Full precision, so that a plunge of 1e-15 shows.
std::string Text(double x) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.17g", x);
  return buf;
}

int Wrapped(int azimuth) {
  return ((azimuth % 360) + 360) % 360;
}

bool SameAzimuth(double a, double b) {
  return std::fabs(std::remainder(a - b, 360)) < 1e-9;
}

// The failing lines, a few of them in the message.
std::string Sample(const std::vector<std::string>& failures) {
  std::string s;
  for (std::size_t i = 0; i < failures.size() && i < 5; ++i) s += "\n  " + failures[i];
  return s;
}

// The strike end that a letter names: the one whose azimuth has a positive component
// toward that letter's quadrant. 0 when the letter names neither end (it points along
// the dip direction or against it).
int NamedStrikeEnd(int dipDirection, char letter) {
  for (const int end : {Wrapped(dipDirection - 90), Wrapped(dipDirection + 90)}) {
    const double a = end * 3.141592653589793 / 180;
    const double toward = letter == 'N'   ? std::cos(a)
                          : letter == 'S' ? -std::cos(a)
                          : letter == 'E' ? std::sin(a)
                                          : -std::sin(a);
    if (toward > 1e-9) return end == 0 ? 360 : end;
  }
  return 0;
}

TEST(RoundingNoise, RakeAlongStrikeGivesTheNamedStrikeEnd) {
  std::vector<std::string> failures;
  int checked = 0;
  for (const int dip : {10, 30, 60, 90}) {
    for (int dd = 0; dd < 360; ++dd) {
      for (const char letter : {'N', 'S', 'E', 'W'}) {
        const int end = NamedStrikeEnd(dd, letter);
        if (end == 0) continue;
        for (const int rake : {0, 180}) {
          for (const bool projection : {true, false}) {
            const std::string line = std::to_string(dd) + "/" + std::to_string(dip) + " R" +
                                     std::to_string(rake) + letter + " N";
            const Result r = Convert(line, projection);
            ++checked;
            if (!r.converted || r.plunge != 0 || !SameAzimuth(r.trend, end + rake)) {
              failures.push_back(line + (projection ? "" : " (no projection)") + " -> " +
                                 Text(r.trend) + "/" + Text(r.plunge));
            }
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 4 * 360 * 3 * 2 * 2);  // two or three letters name an end on each plane
  EXPECT_TRUE(failures.empty()) << failures.size() << " lines" << Sample(failures);
}

// "AN30E" and its kin: the quadrant azimuth of a trend.
std::string AzimuthNotation(int trend) {
  if (trend <= 90) return "AN" + std::to_string(trend) + "E";
  if (trend <= 180) return "AS" + std::to_string(180 - trend) + "E";
  if (trend <= 270) return "AS" + std::to_string(trend - 180) + "W";
  return "AN" + std::to_string(360 - trend) + "W";
}

TEST(RoundingNoise, StrikeSlipStriaeGiveTheHangingWallsSlip) {
  // Dextral: the hanging wall slips toward the strike end to the right of the dip
  // direction (dip direction + 90), sinistral toward the other one. Horizontal striae
  // along strike, written either way round, in three notations; with the projection
  // on and off, and untilted about a horizontal bedding, which changes nothing.
  std::vector<std::string> failures;
  for (int dd = 0; dd < 360; ++dd) {
    for (const int along : {Wrapped(dd + 90), Wrapped(dd - 90)}) {
      const std::string lineations[] = {std::to_string(along) + " 0", std::to_string(along) + "/0",
                                        AzimuthNotation(along)};
      for (const std::string& lineation : lineations) {
        for (const char* sense : {"D", "S"}) {
          const int slip = Wrapped(sense[0] == 'D' ? dd + 90 : dd - 90);
          for (const bool projection : {true, false}) {
            for (const char* untilting : {"0", "100"}) {
              const std::string line =
                  std::to_string(dd) + " 50 " + lineation + " " + sense + " 0/0";
              const Result r = Convert(line, projection, untilting);
              if (!r.converted || r.plunge != 0 || !SameAzimuth(r.trend, slip) ||
                  r.sense != sense) {
                failures.push_back(line + (projection ? "" : " (no projection)") + " untilting " +
                                   untilting + " -> " + Text(r.trend) + "/" + Text(r.plunge) + " " +
                                   r.sense);
              }
            }
          }
        }
      }
    }
  }
  EXPECT_TRUE(failures.empty()) << failures.size() << " lines" << Sample(failures);
}

TEST(RoundingNoise, PlaneUntiltedToVerticalKeepsTheSenseOfNearlyVertical) {
  // A plane dipping 50 and a bedding dipping 40 the other way: untilting makes the
  // plane vertical, and its sense comes out as for a bedding just short of 40.
  std::vector<std::string> failures;
  for (int dd = 0; dd < 360; ++dd) {
    for (const char* lineation : {"R0N", "R30N", "R60S", "R120N", "R150E", "R180W"}) {
      for (const char* sense : {"N", "R", "D", "S"}) {
        const std::string head = std::to_string(dd) + " 50 " + lineation + " " + sense + " " +
                                 std::to_string(Wrapped(dd + 180)) + "/";
        const Result vertical = Convert(head + "40", true, "100");
        const Result nearly = Convert(head + "39.99", true, "100");
        if (!vertical.converted || vertical.sense != nearly.sense) {
          failures.push_back(head + "40 -> " + vertical.sense + ", " + nearly.sense +
                             " just short of vertical");
        }
      }
    }
  }
  EXPECT_TRUE(failures.empty()) << failures.size() << " lines" << Sample(failures);
}

}  // namespace
}  // namespace orvane
