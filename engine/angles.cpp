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
  SinCos(DegToRad(degrees), sine, cosine);
}

SinCosTable::SinCosTable() {
  for (int k = -kLimit; k <= kLimit; ++k) {
    SinCosDegreesComputed(static_cast<double>(k), sine[k + kLimit], cosine[k + kLimit]);
  }
}

NotationTrigTable::NotationTrigTable() {
  for (int k = -kLimit; k <= kLimit; ++k) {
    const double x = static_cast<double>(k) * (kPi / 180);
    sine[k + kLimit] = Sin(x);
    cosine[k + kLimit] = Cos(x);
    tangent[k + kLimit] = Tan(x);
  }
}

}  // namespace detail

double WrapToRangeSlow(double low, double high, double value) {
  const double period = high - low;
  if (!std::isfinite(value) || !(period > 0)) return value;
  if (std::fabs(value - low) > kMaxLoopTurns * period ||
      std::fabs(value - high) > kMaxLoopTurns * period) {
    // The loops would take too long here, or forever once a step no longer changes
    // the value. A remainder (exact when low is 0) lands where they would; a whole
    // number of periods above the range ends on high, as the downward loop does.
    const double r = std::fmod(value - low, period);
    value = (r == 0 && value > high) ? high : low + r;
  }
  while (value < low) value += period;
  while (value > high) value -= period;
  return value;
}

double WrapAzimuthSlow(double x) {
  // The loops of [0, 360) differ from those of [0, 360] only where a value comes
  // down onto 360 from above: they take one more step, to 0.
  const double r = WrapToRangeSlow(0, 360, x);
  return (r == 360 && x >= 360) ? 0 : r;
}

}  // namespace orvane
