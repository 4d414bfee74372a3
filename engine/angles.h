// Angle helpers: degree-radian conversion and the wraps into azimuth ranges.
#pragma once

#include <cmath>

#include "elementary.h"

namespace orvane {

inline constexpr double kPi = 3.141592653589793;

// Degrees to radians as x * pi * (1/180), radians to degrees as x * 180 * (1/pi).
// The order of the products is part of the results: keep it.
inline double DegToRad(double x) {
  return x * kPi * (1.0 / 180.0);
}
inline double RadToDeg(double x) {
  return x * 180.0 * (1.0 / kPi);
}

namespace detail {
// Whole degrees up to two turns either way come from tables.
inline constexpr int kWholeDegreeLimit = 720;

void SinCosDegreesComputed(double degrees, double& sine, double& cosine);

// sin and cos of DegToRad(k) for whole k in [-kLimit, kLimit], at index k + kLimit,
// filled by SinCosDegreesComputed.
struct SinCosTable {
  static constexpr int kLimit = kWholeDegreeLimit;
  SinCosTable();
  double sine[2 * kLimit + 1];
  double cosine[2 * kLimit + 1];
};
// Filled on first use, so that it is ready for every caller, static initialisers of
// other files included.
inline const SinCosTable& WholeDegreeSinCos() {
  static const SinCosTable table;
  return table;
}

// The index of a whole number of degrees in [-720, 720] in the tables here; -1 for
// other values and for -0, whose sine and tangent are -0, not the tables' +0.
inline int WholeDegreeIndex(double degrees) {
  if (!(degrees >= -kWholeDegreeLimit && degrees <= kWholeDegreeLimit)) return -1;
  const int k = static_cast<int>(degrees);
  if (k != degrees || (k == 0 && std::signbit(degrees))) return -1;
  return k + kWholeDegreeLimit;
}
}  // namespace detail

// Sin and Cos (elementary.h) of DegToRad(degrees). Whole degrees, the usual case for
// field data, come from a table filled with the very same functions, so the results
// are the bits that Sin and Cos give.
inline void SinCosDegrees(double degrees, double& sine, double& cosine) {
  const int i = detail::WholeDegreeIndex(degrees);
  if (i >= 0) {
    const detail::SinCosTable& table = detail::WholeDegreeSinCos();
    sine = table.sine[i];
    cosine = table.cosine[i];
    return;
  }
  detail::SinCosDegreesComputed(degrees, sine, cosine);
}

namespace detail {
// Sin, Cos and Tan of k * (pi / 180) for whole k in [-kLimit, kLimit], at index
// k + kLimit.
struct NotationTrigTable {
  static constexpr int kLimit = kWholeDegreeLimit;
  NotationTrigTable();
  double sine[2 * kLimit + 1];
  double cosine[2 * kLimit + 1];
  double tangent[2 * kLimit + 1];
};
// Filled on first use, like WholeDegreeSinCos.
inline const NotationTrigTable& WholeDegreeNotationTrig() {
  static const NotationTrigTable table;
  return table;
}

}  // namespace detail

// Sin, Cos and Tan of degrees * (pi / 180), converted with that single factor as the
// compact notations do (not DegToRad). Whole degrees come from a table filled with
// the same functions, so the results are the bits the functions give.
inline double NotationSin(double degrees) {
  const int i = detail::WholeDegreeIndex(degrees);
  return i >= 0 ? detail::WholeDegreeNotationTrig().sine[i] : Sin(degrees * (kPi / 180));
}
inline double NotationCos(double degrees) {
  const int i = detail::WholeDegreeIndex(degrees);
  return i >= 0 ? detail::WholeDegreeNotationTrig().cosine[i] : Cos(degrees * (kPi / 180));
}
inline double NotationTan(double degrees) {
  const int i = detail::WholeDegreeIndex(degrees);
  return i >= 0 ? detail::WholeDegreeNotationTrig().tangent[i] : Tan(degrees * (kPi / 180));
}

// A lineation's plunge computed from a vector (projection, rake and azimuth notations,
// untilting) smaller than this many degrees is stored as exactly 0. On a lineation
// that is exactly horizontal (striae along strike, a rake of 0 or 180) rounding leaves
// a plunge of about 1e-14 degrees either way, and its sign would decide which way the
// sense rules and the final folding turn the lineation. No measured plunge is that
// small; the rule that a horizontal lineation keeps its trend needs an exact 0.
inline constexpr double kHorizontalPlungeLimit = 1e-9;
inline double HorizontalIfNoise(double plunge) {
  return std::fabs(plunge) < kHorizontalPlungeLimit ? 0.0 : plunge;
}

// Wraps into [0, 360) by whole turns: 360 -> 0, 725 -> 5, -0.5 -> 359.5. A negative
// value so small that adding 360 rounds to 360 gives 360. Terminates for every
// finite value; NaN is returned unchanged.
double WrapAzimuthSlow(double x);
inline double WrapAzimuth(double x) {
  // At most one turn up or down, as the loops take it: atan2 gives values below 0
  // all the time, and turning a trend round by 180 values from 360 on. Anything
  // else, and a sum that rounds to 360, takes the loops.
  const double up = x + 360;
  const double down = x - 360;
  const double r = x < 0 ? up : (x >= 360 ? down : x);
  if (r >= 0 && r < 360) return r;
  return WrapAzimuthSlow(x);
}

// Shifts a value by whole periods (high - low) into [low, high]: first up while below
// low, then down while above high. With (-180, 180): 190 -> -170, -180 stays,
// 540 -> 180, -540 -> -180; with (0, 360): 360 stays, 720 -> 360. Terminates for
// every finite value; NaN and infinities are returned unchanged. The one wrap of the
// engine: WrapAzimuth and the plane attitude's azimuth are built on it.
double WrapToRangeSlow(double low, double high, double value);
inline double WrapToRange(double low, double high, double value) {
  // Inside, or one period out: the loops would take at most one step, taken here
  // directly. Whatever does not land inside takes the loops.
  const double period = high - low;
  const double up = value + period;
  const double down = value - period;
  const double r = value < low ? up : (value > high ? down : value);
  if (r >= low && r <= high) return r;
  return WrapToRangeSlow(low, high, value);
}

}  // namespace orvane
