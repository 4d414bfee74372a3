#include "stereonet.h"

#include <cmath>

#include "angles.h"
#include "numbers.h"
#include "sense_rules.h"
#include "text.h"
#include "vector3.h"

namespace orvane {

namespace {

NetPoint ProjectVector(Vector3 v, NetProjection projection) {
  if (v[2] < 0) v = {-v[0], -v[1], -v[2]};  // lower hemisphere
  const double len = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (!(len > 0)) return {};  // also a vector of angles too large to be finite
  const double horizontal = std::hypot(v[0], v[1]) / len;
  // Angle from the vertical: 0 at the centre, 90 degrees on the primitive circle.
  const double fromVertical = std::atan2(horizontal, v[2] / len);
  const double r = projection == NetProjection::EqualArea
                       ? std::sqrt(2.0) * std::sin(fromVertical / 2)
                       : std::tan(fromVertical / 2);
  const double h = std::hypot(v[0], v[1]);
  if (h == 0) return {};
  return {r * v[1] / h, r * v[0] / h};
}

}  // namespace

NetPoint ProjectDirection(double trend, double plunge, NetProjection projection) {
  return ProjectVector(DirectionOf(trend, plunge), projection);
}

std::vector<NetPoint> GreatCircle(double dipDirection, double dip, NetProjection projection,
                                  int segments) {
  if (segments < 1) segments = 1;
  // Lines in the plane, turned from the strike (dip direction - 90) through the dip
  // line to the other strike end.
  const Vector3 strike = DirectionOf(dipDirection - 90, 0);
  const Vector3 dipLine = DirectionOf(dipDirection, dip);
  std::vector<NetPoint> points;
  points.reserve(static_cast<std::size_t>(segments) + 1);
  for (int i = 0; i <= segments; ++i) {
    const double a = kPi * i / segments;
    const double c = std::cos(a), s = std::sin(a);
    points.push_back(ProjectVector({c * strike[0] + s * dipLine[0], c * strike[1] + s * dipLine[1],
                                    c * strike[2] + s * dipLine[2]},
                                   projection));
  }
  return points;
}

std::optional<NetFault> ParseConvertedLine(std::string_view line) {
  const std::string_view data = Trim(line.substr(0, line.find('#')));
  if (data.empty() || line.starts_with("#")) return std::nullopt;
  double numbers[4];
  int count = 0;
  char sense = 0;
  std::size_t i = 0;
  while (i < data.size()) {
    while (i < data.size() && data[i] == ' ') ++i;
    std::size_t end = i;
    while (end < data.size() && data[end] != ' ') ++end;
    const std::string_view token = data.substr(i, end - i);
    i = end;
    if (token.empty()) continue;
    if (token.size() == 1 &&
        (token[0] == 'N' || token[0] == 'R' || token[0] == 'D' || token[0] == 'S')) {
      if (sense != 0 || i < data.size()) return std::nullopt;  // the letter comes last
      sense = token[0];
      continue;
    }
    const auto value = StrToFloat(token);
    if (!value || count == 4 || sense != 0) return std::nullopt;
    numbers[count++] = *value;
  }
  if (count != 2 && count != 4) return std::nullopt;
  NetFault fault;
  fault.dipDirection = numbers[0];
  fault.dip = numbers[1];
  fault.hasLineation = count == 4;
  if (fault.hasLineation) {
    fault.trend = numbers[2];
    fault.plunge = numbers[3];
  }
  fault.sense = sense;
  return fault;
}

std::optional<NetPoint> SlipArrow(const NetFault& fault) {
  if (!fault.hasLineation || fault.sense == 0) return std::nullopt;
  // The converted lineation plunges downward; the sense letter says whether the
  // hanging wall moves along it or against it, by the rules that oriented it.
  const bool along = !SenseReversesLineation(fault.sense, fault.trend, fault.dipDirection);
  Vector3 slip = DirectionOf(fault.trend, fault.plunge);
  if (!along) slip = {-slip[0], -slip[1], -slip[2]};
  const double h = std::hypot(slip[0], slip[1]);
  if (!(h >= 1e-9)) return std::nullopt;  // vertical, or not finite
  return NetPoint{slip[1] / h, slip[0] / h};
}

}  // namespace orvane
