// Rotation of directions about an inclined axis, on plain 3-vectors (north, east, down).
#pragma once

#include "vector3.h"

namespace orvane {

// Turns vectors by `angle` degrees about the axis of azimuth `axisAzimuth` and plunge
// `axisPlunge` (degrees), right-handed about the axis direction: a positive angle
// about a downward axis adds to azimuths. Made once, applied to several vectors.
//
// The rotation is R5 R4 R3 R2 R1 v: R1 (about down, -azimuth) and R2 (about east,
// plunge - 90) carry the axis onto the down axis, R3 (about down, angle) turns about
// it, R4 and R5 carry it back. Each elementary rotation is a 3x3 by 3x1 product summed
// from 0.0 in column order, so the results are the bits of those five matrix products.
class AxisRotation {
 public:
  AxisRotation(double angle, double axisAzimuth, double axisPlunge);
  Vector3 Apply(const Vector3& v) const;

 private:
  // Cosine and sine of R1 (axis 3, -azimuth), R2 (axis 2, plunge - 90), R3 (axis 3,
  // angle), R4 (axis 2, 90 - plunge) and R5 (axis 3, azimuth).
  double c_[5];
  double s_[5];
  bool finite_;  // every sine and cosine finite
};

}  // namespace orvane
