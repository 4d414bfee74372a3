#include "angles.h"

#include <cmath>

namespace orvane {

namespace {
// Below this many whole turns the stepwise loops run as written, so ordinary values
// get exactly the loops' sums; beyond it a remainder takes their place.
constexpr double kMaxLoopTurns = 64;
}  // namespace

namespace {

constexpr int kTableLimit = 720;

struct SinCosTable {
  double sine[2 * kTableLimit + 1];
  double cosine[2 * kTableLimit + 1];
  SinCosTable() {
    for (int k = -kTableLimit; k <= kTableLimit; ++k) {
      const double theta = DegToRad(static_cast<double>(k));
      sine[k + kTableLimit] = std::sin(theta);
      cosine[k + kTableLimit] = std::cos(theta);
    }
  }
};

// Filled once at start-up, so that lookups need no first-use check.
const SinCosTable kTable;

}  // namespace

void SinCosDegrees(double degrees, double& sine, double& cosine) {
  if (degrees >= -kTableLimit && degrees <= kTableLimit) {
    const int k = static_cast<int>(degrees);
    if (k == degrees && !(degrees == 0 && std::signbit(degrees))) {
      sine = kTable.sine[k + kTableLimit];
      cosine = kTable.cosine[k + kTableLimit];
      return;
    }
  }
  const double theta = DegToRad(degrees);
  sine = std::sin(theta);
  cosine = std::cos(theta);
}

double WrapAzimuthSlow(double x) {
  if (!std::isfinite(x)) return x;
  if (std::fabs(x) > kMaxLoopTurns * 360.0) x = std::fmod(x, 360.0) + 0.0;  // no negative zero
  while (x >= 360) x -= 360;
  while (x < 0) x += 360;
  return x;
}

double WrapToRange(double low, double high, double value) {
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
