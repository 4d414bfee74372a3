// Net geometry for drawing converted faults on a lower-hemisphere stereonet.
//
// The net is the unit disc with north up (+y) and east right (+x). Directions are
// trend/plunge in degrees, plunge positive downward.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace orvane {

enum class NetProjection {
  EqualArea,   // Schmidt: r = sqrt(2) sin((90 - plunge) / 2)
  EqualAngle,  // Wulff:   r = tan((90 - plunge) / 2)
};

struct NetPoint {
  double x = 0;  // east
  double y = 0;  // north
};

// The point of a direction on the lower hemisphere; an upward direction is plotted
// as its opposite. A vertical line is the centre, a horizontal one lies on the
// circle at its azimuth.
NetPoint ProjectDirection(double trend, double plunge, NetProjection projection);

// The great circle of a plane as a polyline from one strike end to the other,
// `segments` + 1 points.
std::vector<NetPoint> GreatCircle(double dipDirection, double dip, NetProjection projection,
                                  int segments = 90);

// One converted fault, as read back from an output line.
struct NetFault {
  double dipDirection = 0;
  double dip = 0;
  bool hasLineation = false;
  double trend = 0;
  double plunge = 0;
  char sense = 0;  // 'N', 'R', 'D', 'S', or 0 when the line carries none
};

// Reads a data line of the converted output (" 120 30  45 20 N # c"). Nothing for
// blank, comment and error lines, or for text that is no converted line.
std::optional<NetFault> ParseConvertedLine(std::string_view line);

// The direction in which the hanging wall slips, as an arrow on the net at the
// lineation's point: a unit vector (dx east, dy north) along the horizontal part of
// the slip. Normal faults point away from the centre, reverse faults toward it, and
// strike-slip faults along the circle in the direction of the hanging wall's motion.
// Nothing when the fault has no lineation or sense, or the slip is vertical.
std::optional<NetPoint> SlipArrow(const NetFault& fault);

}  // namespace orvane
