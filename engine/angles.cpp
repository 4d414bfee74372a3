#include "angles.h"

#include <cmath>

namespace orvane {

namespace {
// Below this many whole turns the stepwise loops run as written, so ordinary values
// get exactly the loops' sums; beyond it a remainder takes their place.
constexpr double kMaxLoopTurns = 64;
}  // namespace

namespace detail {

void SinCosDegreesComputed(double degrees, double& sine, double& cosine) {
  const double theta = DegToRad(degrees);
  sine = std::sin(theta);
  cosine = std::cos(theta);
}

SinCosTable::SinCosTable() {
  for (int k = -kLimit; k <= kLimit; ++k) {
    SinCosDegreesComputed(static_cast<double>(k), sine[k + kLimit], cosine[k + kLimit]);
  }
}

NotationTrigTable::NotationTrigTable() {
  for (int k = -kLimit; k <= kLimit; ++k) {
    const double x = static_cast<double>(k) * (kPi / 180);
    sine[k + kLimit] = std::sin(x);
    cosine[k + kLimit] = std::cos(x);
    tangent[k + kLimit] = std::tan(x);
  }
}

}  // namespace detail

double WrapAzimuthSlow(double x) {
  if (!std::isfinite(x)) return x;
  if (std::fabs(x) > kMaxLoopTurns * 360.0) x = std::fmod(x, 360.0) + 0.0;  // no negative zero
  while (x >= 360) x -= 360;
  while (x < 0) x += 360;
  return x;
}

double WrapToRangeSlow(double low, double high, double value) {
  const double period = high - low;
  if (!std::isfinite(value) || !(period > 0)) return value;
  if (std::fabs(value - low) > kMaxLoopTurns * period ||
      std::fabs(value - high) > kMaxLoopTurns * period) {
    value = low + std::fmod(value - low, period);
  }
  while (value < low) value += period;
  while (value > high) value -= period;
  return value;
}

}  // namespace orvane
