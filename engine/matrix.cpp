#include "matrix.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "angles.h"

namespace orvane {

namespace {

// Shapes are fixed by the callers; a wrong one is a programming error.
[[noreturn]] void ShapeError(const char* message) {
  std::fputs(message, stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
  std::abort();
}

}  // namespace

MatrixC::MatrixC(int rows, int columns) : rows_(rows), columns_(columns) {
  if (rows * columns > kInline) heap_.assign(static_cast<std::size_t>(rows * columns), 0.0);
}

MatrixC& MatrixC::Assign(const MatrixC& source) {
  if (rows_ != source.rows_ || columns_ != source.columns_) ShapeError("not same number of r, c");
  for (int i = 1; i <= rows_; ++i) {
    for (int j = 1; j <= columns_; ++j) Set(i, j, source.At(i, j));
  }
  return *this;
}

MatrixC Multiply(const MatrixC& a, const MatrixC& b) {
  if (a.Columns() != b.Rows()) ShapeError("cn and rn are not much !");
  MatrixC c(a.Rows(), b.Columns());
  for (int i = 1; i <= a.Rows(); ++i) {
    for (int j = 1; j <= b.Columns(); ++j) {
      double sum = 0.0;
      for (int k = 1; k <= a.Columns(); ++k) sum = a.At(i, k) * b.At(k, j) + sum;
      c.Set(i, j, sum);
    }
  }
  return c;
}

void SetAxisRotation(MatrixC& target, double angleDegrees, int axis) {
  const double theta = DegToRad(angleDegrees);
  const int k = axis;
  const int a = k % 3 + 1;  // the next axis in cyclic order
  const int b = a % 3 + 1;
  target.Set(k, k, 1);
  target.Set(k, a, 0);
  target.Set(k, b, 0);
  target.Set(a, k, 0);
  target.Set(b, k, 0);
  target.Set(a, a, std::cos(theta));
  target.Set(a, b, -std::sin(theta));
  target.Set(b, a, std::sin(theta));
  target.Set(b, b, std::cos(theta));
}

double Length(const MatrixC& m) {
  if (m.Rows() > 1 && m.Columns() > 1) return -1.0;
  double sum = 0.0;
  if (m.Rows() > 1) {
    for (int i = 1; i <= m.Rows(); ++i) sum = m.At(i, 1) * m.At(i, 1) + sum;
  } else {
    for (int j = 1; j <= m.Columns(); ++j) sum = m.At(1, j) * m.At(1, j) + sum;
  }
  return std::sqrt(sum);
}

MatrixC Normalized(const MatrixC& m) {
  const double length = Length(m);
  MatrixC result(m.Rows(), m.Columns());
  for (int i = 1; i <= m.Rows(); ++i) {
    for (int j = 1; j <= m.Columns(); ++j) {
      result.Set(i, j, length == -1.0 ? m.At(i, j) : m.At(i, j) / length);
    }
  }
  return result;
}

MatrixC ProjectOntoPlane(const MatrixC& v, const MatrixC& n) {
  MatrixC unitNormal(3, 1);
  unitNormal.Assign(Normalized(n));
  MatrixC p(3, 3);
  for (int i = 1; i <= 3; ++i) {
    for (int j = 1; j <= 3; ++j) p.Set(i, j, -(unitNormal.At(i, 1) * unitNormal.At(j, 1)));
  }
  for (int i = 1; i <= 3; ++i) p.Set(i, i, 1.0 + p.At(i, i));
  MatrixC r(3, 1);
  r.Assign(Multiply(p, v));
  return Normalized(r);
}

MatrixC RotateAboutAxis(const MatrixC& v, double angle, double axisAzimuth, double axisPlunge) {
  // R1 and R2 carry the axis onto axis 3 (down), R3 turns about it, R4 and R5 carry
  // it back.
  MatrixC r1(3, 3), r2(3, 3), r3(3, 3), r4(3, 3), r5(3, 3);
  SetAxisRotation(r1, -axisAzimuth, 3);
  SetAxisRotation(r2, axisPlunge - 90, 2);
  SetAxisRotation(r3, angle, 3);
  SetAxisRotation(r4, 90 - axisPlunge, 2);
  SetAxisRotation(r5, axisAzimuth, 3);
  const MatrixC t1 = Multiply(r1, v);
  const MatrixC t2 = Multiply(r2, t1);
  const MatrixC t3 = Multiply(r3, t2);
  const MatrixC t4 = Multiply(r4, t3);
  return Multiply(r5, t4);
}

MatrixC DirectionVector(double azimuth, double plunge) {
  const double a = DegToRad(azimuth);
  const double p = DegToRad(plunge);
  MatrixC v(3, 1);
  v.Set(1, 1, std::cos(p) * std::cos(a));
  v.Set(2, 1, std::cos(p) * std::sin(a));
  v.Set(3, 1, std::sin(p));
  return v;
}

double AzimuthOf(const MatrixC& v) {
  return RadToDeg(std::atan2(v.At(2, 1), v.At(1, 1)));
}

double PlungeOf(const MatrixC& v) {
  const double d = v.At(3, 1);
  return RadToDeg(std::asin(d < -1 ? -1 : (d > 1 ? 1 : d)));
}

}  // namespace orvane
