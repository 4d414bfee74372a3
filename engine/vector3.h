// Directions as plain 3-vectors (north, east, down): unit vectors from azimuth and
// plunge and back, lengths and the projection onto a plane.
//
// Every function evaluates its products and sums in the order of the plain matrix
// formulation (3x1 columns, products summed from 0.0 in column order; the tests keep
// that model), so both give the same bits: results are rounded for output, and
// another order would move values that sit on a rounding boundary.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>

#include "angles.h"
#include "elementary.h"

namespace orvane {

using Vector3 = std::array<double, 3>;

// The unit vector (cos p cos a, cos p sin a, sin p) of azimuth a and plunge p (degrees).
inline Vector3 DirectionOf(double azimuth, double plunge) {
  double sa, ca, sp, cp;
  SinCosDegrees(azimuth, sa, ca);
  SinCosDegrees(plunge, sp, cp);
  return {cp * ca, cp * sa, sp};
}

// Euclidean length, the squares summed from the first component on.
inline double LengthOf(const Vector3& v) {
  double sum = 0.0;
  sum = v[0] * v[0] + sum;
  sum = v[1] * v[1] + sum;
  sum = v[2] * v[2] + sum;
  return std::sqrt(sum);
}

// v divided by its length.
inline Vector3 UnitOf(const Vector3& v) {
  const double length = LengthOf(v);
  return {v[0] / length, v[1] / length, v[2] / length};
}

// The unit vector along the part of v perpendicular to n: (I - N N^T) v normalized,
// N the unit n, each row of the product summed from 0.0 in column order.
inline Vector3 ProjectedOntoPlane(const Vector3& v, const Vector3& n) {
  const Vector3 u = UnitOf(n);
  Vector3 r;
  for (std::size_t i = 0; i < 3; ++i) {
    double p[3] = {-(u[i] * u[0]), -(u[i] * u[1]), -(u[i] * u[2])};
    p[i] = 1.0 + p[i];
    double sum = 0.0;
    sum = p[0] * v[0] + sum;
    sum = p[1] * v[1] + sum;
    sum = p[2] * v[2] + sum;
    r[i] = sum;
  }
  return UnitOf(r);
}

// Azimuth Atan2(E, N) in (-180, 180] and plunge Asin(D) in [-90, 90] (the argument
// clamped into [-1, 1] against rounding), in degrees.
inline double AzimuthOf(const Vector3& v) {
  return RadToDeg(Atan2(v[1], v[0]));
}
inline double PlungeOf(const Vector3& v) {
  const double d = v[2];
  return RadToDeg(Asin(d < -1 ? -1 : (d > 1 ? 1 : d)));
}

}  // namespace orvane
