// Compact notations of a slip lineation: rake (R), plunge in the plane (P), quadrant
// trend (N), quadrant azimuth (A) and slash.
#include <cmath>
#include <optional>

#include "angles.h"
#include "elementary.h"
#include "numbers.h"
#include "rotation.h"
#include "slash_notation.h"
#include "text.h"
#include "zelmdatac.h"

namespace orvane {

namespace {

// These notations convert with pi/180 (NotationSin and its kin) and 180/pi as
// single factors, unlike the matrix frame; results near rounding boundaries depend
// on it.
constexpr double kToDeg = 180 / kPi;

constexpr std::size_t kMaxAzimuthPlungeTail = 999;

bool IsStrikeEndLetter(char c) {
  return c == 'N' || c == 'S' || c == 'E' || c == 'W';
}

double ClampedAsin(double x) {
  return Asin(x < -1 ? -1 : (x > 1 ? 1 : x));
}

// The number between the notation letter and the strike-end letter: "R30N" -> 30.
std::optional<double> InnerNumber(std::string_view token) {
  return StrToAngle(token.substr(1, token.size() - 2));
}

}  // namespace

bool ZelmDataC::ReadLineationNotation(std::string_view token) {
  if (token.empty()) return false;
  const double alpha = DipDirection;
  const double delta = Dip;
  const char first = token[0];
  const char last = token.back();

  if (first == 'R') {
    // Rake r measured in the plane from the strike end that the last letter names.
    if (token.size() < 2 || !IsStrikeEndLetter(last)) return false;
    const auto rake = InnerNumber(token);
    if (!rake) return false;
    double theta = 90 - *rake;
    const bool turn = (alpha <= 90)    ? (last == 'S' || last == 'E')
                      : (alpha <= 180) ? (last == 'S' || last == 'W')
                      : (alpha <= 270) ? (last == 'N' || last == 'W')
                                       : (last == 'N' || last == 'E');
    if (turn) theta = 360 - theta;
    const Vector3 dipLine = {NotationCos(delta) * NotationCos(alpha),
                             NotationCos(delta) * NotationSin(alpha), NotationSin(delta)};
    const Vector3 u = AxisRotation(theta, alpha, delta - 90).Apply(dipLine);
    Plunge = HorizontalIfNoise(ClampedAsin(u[2]) * kToDeg);
    SetTrend(Atan2(u[1], u[0]) * kToDeg);
    return true;
  }

  if (first == 'P') {
    // Plunge of a line lying in the plane, toward the strike end the last letter names.
    if (token.size() < 2 || !IsStrikeEndLetter(last)) return false;
    const auto plunge = InnerNumber(token);
    if (!plunge) return false;
    Plunge = *plunge;
    // A line in the plane cannot plunge more steeply than the plane dips: beyond
    // that (or on a horizontal plane) it has no trend.
    const double ratio = NotationTan(Plunge) / NotationTan(delta);
    if (!std::isfinite(ratio) || std::fabs(ratio) > 1) return false;
    const double beta = Asin(ratio) * kToDeg;
    const bool towardLeftEnd = (alpha >= 0 && alpha < 90)      ? (last == 'W' || last == 'N')
                               : (alpha >= 90 && alpha < 180)  ? (last == 'N' || last == 'E')
                               : (alpha >= 180 && alpha < 270) ? (last == 'S' || last == 'E')
                                                               : (last == 'S' || last == 'W');
    SetTrend(towardLeftEnd ? alpha - 90 + beta : alpha + 90 - beta);
    return true;
  }

  if (first == 'N') {
    // "N30E20S": trend from north with its east-west letter, plunge, plunging end.
    const std::string_view head = token.substr(0, 4);
    const std::size_t e = FindChar(head, 'E');
    const std::size_t w = FindChar(head, 'W');
    const std::size_t k = (e == 2 || w == 2) ? 3 : 4;  // 1-based position of the trend letter
    const auto trend = StrToAngle(token.substr(1, k - 2));
    if (!trend) return false;
    const char trendLetter = token.size() >= k ? token[k - 1] : '\0';
    const std::string_view remainder = token.size() > k ? token.substr(k) : std::string_view();
    const char endLetter = remainder.empty() ? '\0' : remainder.back();
    const std::string_view plungeText =
        remainder.empty() ? remainder : remainder.substr(0, remainder.size() - 1);
    const auto plunge = StrToAngle(plungeText);
    if (!plunge) return false;
    SetTrend(*trend);
    if (trendLetter == 'E' && (endLetter == 'S' || endLetter == 'W')) {
      SetTrend(Trend + 180);
    } else if (trendLetter == 'W' && (endLetter == 'N' || endLetter == 'W')) {
      SetTrend(360 - Trend);
    } else if (trendLetter == 'W' && (endLetter == 'S' || endLetter == 'E')) {
      SetTrend(360 - Trend + 180);
    }
    Plunge = *plunge;
    return true;
  }

  if (first == 'A') {
    // "AN80E", "AS30W25": quadrant azimuth, plunge given or the plane's apparent dip.
    if (token.size() < 2 || (token[1] != 'N' && token[1] != 'S')) return false;
    std::size_t q = FindChar(token, 'E');
    if (q == std::string_view::npos) q = FindChar(token, 'W');
    if (q == std::string_view::npos) return false;
    const auto angle = StrToAngle(token.substr(2, q - 2));
    if (!angle) return false;
    const bool north = token[1] == 'N';
    const bool east = token[q] == 'E';
    SetTrend(north ? (east ? *angle : 360 - *angle) : (east ? 180 - *angle : 180 + *angle));
    if (token.size() > q + 1) {
      const std::string_view plungeText = token.substr(q + 1, kMaxAzimuthPlungeTail);
      if (!IsNumber(plungeText)) return false;
      const auto plunge = StrToAngle(plungeText);
      if (!plunge) return false;
      Plunge = *plunge;
    } else {
      double x = std::fabs(alpha + 90 - Trend);
      if (x > 90) x = std::fabs(alpha - 90 - Trend);
      Plunge = HorizontalIfNoise(std::fabs(Atan(NotationSin(x) * NotationTan(delta)) * kToDeg));
    }
    return true;
  }

  const auto slash = ReadSlashPair(token, SlashSides::BothNumeric);
  if (!slash) return false;
  Plunge = slash->second;
  SetTrend(slash->first);
  return true;
}

}  // namespace orvane
