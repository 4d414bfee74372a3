#include "stereonet.h"

#include <cmath>

#include "angles.h"
#include "numbers.h"
#include "sense_rules.h"
#include "text.h"

namespace orvane {

namespace {

struct Vec3 {
  double n, e, d;
};

Vec3 FromTrendPlunge(double trend, double plunge) {
  const double t = DegToRad(trend), p = DegToRad(plunge);
  return {std::cos(p) * std::cos(t), std::cos(p) * std::sin(t), std::sin(p)};
}

NetPoint ProjectVector(Vec3 v, NetProjection projection) {
  if (v.d < 0) v = {-v.n, -v.e, -v.d};  // lower hemisphere
  const double len = std::sqrt(v.n * v.n + v.e * v.e + v.d * v.d);
  if (len == 0) return {};
  const double horizontal = std::hypot(v.n, v.e) / len;
  // Angle from the vertical: 0 at the centre, 90 degrees on the primitive circle.
  const double fromVertical = std::atan2(horizontal, v.d / len);
  const double r = projection == NetProjection::EqualArea
                       ? std::sqrt(2.0) * std::sin(fromVertical / 2)
                       : std::tan(fromVertical / 2);
  const double h = std::hypot(v.n, v.e);
  if (h == 0) return {};
  return {r * v.e / h, r * v.n / h};
}

}  // namespace

NetPoint ProjectDirection(double trend, double plunge, NetProjection projection) {
  return ProjectVector(FromTrendPlunge(trend, plunge), projection);
}

std::vector<NetPoint> GreatCircle(double dipDirection, double dip, NetProjection projection,
                                  int segments) {
  if (segments < 1) segments = 1;
  // Lines in the plane, turned from the strike (dip direction - 90) through the dip
  // line to the other strike end.
  const Vec3 strike = FromTrendPlunge(dipDirection - 90, 0);
  const Vec3 dipLine = FromTrendPlunge(dipDirection, dip);
  std::vector<NetPoint> points;
  points.reserve(static_cast<std::size_t>(segments) + 1);
  for (int i = 0; i <= segments; ++i) {
    const double a = kPi * i / segments;
    const double c = std::cos(a), s = std::sin(a);
    points.push_back(ProjectVector(
        {c * strike.n + s * dipLine.n, c * strike.e + s * dipLine.e, c * strike.d + s * dipLine.d},
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
  Vec3 slip = FromTrendPlunge(fault.trend, fault.plunge);
  if (!along) slip = {-slip.n, -slip.e, -slip.d};
  const double h = std::hypot(slip.n, slip.e);
  if (h < 1e-9) return std::nullopt;
  return NetPoint{slip.e / h, slip.n / h};
}

}  // namespace orvane
