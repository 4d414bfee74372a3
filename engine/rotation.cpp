#include "rotation.h"

#include <cmath>

#include "angles.h"

namespace orvane {

namespace {

// c = a * b for a 3x3 and b 3x1, each row summed from 0.0 in column order.
inline void Multiply3(const double* a, const double* b, double* c) {
  for (int i = 0; i < 3; ++i) {
    double sum = 0.0;
    sum = a[3 * i] * b[0] + sum;
    sum = a[3 * i + 1] * b[1] + sum;
    sum = a[3 * i + 2] * b[2] + sum;
    c[i] = sum;
  }
}

// The elementary rotation about axis 1, 2 or 3 (north, east, down) from its cosine c
// and sine s: the axis row and column of the identity, and (c, -s; s, c) on the
// following two axes in cyclic order.
void FillAxisRotation(double* m, int axis, double c, double s) {
  const int k = axis - 1;
  const int a = (k + 1) % 3;
  const int b = (a + 1) % 3;
  m[3 * k + k] = 1;
  m[3 * k + a] = 0;
  m[3 * k + b] = 0;
  m[3 * a + k] = 0;
  m[3 * b + k] = 0;
  m[3 * a + a] = c;
  m[3 * a + b] = -s;
  m[3 * b + a] = s;
  m[3 * b + b] = c;
}

// The elementary rotations of FillAxisRotation about axis 3 and axis 2, from their
// cosine c and sine s, applied to (x, y, z). Each row is summed from 0.0 in column
// order like Multiply3, leaving out the terms whose matrix entry is the literal 0:
// for finite values such a term is a zero, and adding a zero to a partial sum never
// changes it (a sum begun at 0.0 is never -0), so the bits are those of the full
// product. The entry -s is the negated sine, exactly as the matrix holds it.
inline void TurnAboutAxis3(double c, double s, double& x, double& y, double& z) {
  const double nx = (c * x + 0.0) + (-s) * y;
  const double ny = (s * x + 0.0) + c * y;
  z = z + 0.0;
  x = nx;
  y = ny;
}
inline void TurnAboutAxis2(double c, double s, double& x, double& y, double& z) {
  const double nx = (c * x + 0.0) + s * z;
  const double nz = ((-s) * x + 0.0) + c * z;
  y = y + 0.0;
  x = nx;
  z = nz;
}

// Beyond this magnitude five rotations could overflow, and an infinity times a
// left-out zero would have been NaN: such vectors take the full products.
constexpr double kSparseLimit = 1e300;

}  // namespace

AxisRotation::AxisRotation(double angle, double axisAzimuth, double axisPlunge) {
  // R1 and R2 carry the axis onto axis 3 (down), R3 turns about it, R4 and R5 carry
  // it back. R1 and R5, R2 and R4 turn by opposite angles; the degree conversion and
  // sine are odd and the cosine even, bit for bit, so each pair needs one sin/cos.
  double cAz, sAz, cPl, sPl, cTh, sTh;
  SinCosDegrees(axisAzimuth, sAz, cAz);
  SinCosDegrees(axisPlunge - 90, sPl, cPl);
  SinCosDegrees(angle, sTh, cTh);
  const double cosines[5] = {cAz, cPl, cTh, cPl, cAz};
  const double sines[5] = {-sAz, sPl, sTh, -sPl, sAz};
  for (int i = 0; i < 5; ++i) {
    c_[i] = cosines[i];
    s_[i] = sines[i];
  }
  finite_ = std::isfinite(cAz) && std::isfinite(sAz) && std::isfinite(cPl) && std::isfinite(sPl) &&
            std::isfinite(cTh) && std::isfinite(sTh);
}

Vector3 AxisRotation::Apply(const Vector3& v) const {
  if (finite_ && std::fabs(v[0]) <= kSparseLimit && std::fabs(v[1]) <= kSparseLimit &&
      std::fabs(v[2]) <= kSparseLimit) {
    double x = v[0], y = v[1], z = v[2];
    TurnAboutAxis3(c_[0], s_[0], x, y, z);
    TurnAboutAxis2(c_[1], s_[1], x, y, z);
    TurnAboutAxis3(c_[2], s_[2], x, y, z);
    TurnAboutAxis2(c_[3], s_[3], x, y, z);
    TurnAboutAxis3(c_[4], s_[4], x, y, z);
    return {x, y, z};
  }
  double x[3] = {v[0], v[1], v[2]};
  double y[3];
  for (int i = 0; i < 5; ++i) {
    double m[9];
    FillAxisRotation(m, i % 2 == 0 ? 3 : 2, c_[i], s_[i]);
    Multiply3(m, x, y);
    x[0] = y[0];
    x[1] = y[1];
    x[2] = y[2];
  }
  return {x[0], x[1], x[2]};
}

}  // namespace orvane
