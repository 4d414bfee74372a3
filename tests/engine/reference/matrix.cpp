#include "matrix.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "angles.h"
#include "elementary.h"

namespace orvane::reference {

namespace {

// Shapes are fixed by the callers; a wrong one is a programming error.
[[noreturn]] void ShapeError(const char* message) {
  std::fputs(message, stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
  std::abort();
}

}  // namespace

MatrixC::MatrixC(int rows, int columns)
    : rows_(rows), columns_(columns), data_(static_cast<std::size_t>(rows * columns), 0.0) {}

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
  const double c = Cos(theta), s = Sin(theta);
  const int a = axis % 3 + 1;  // the axes after `axis` in cyclic order
  const int b = a % 3 + 1;
  target.Set(axis, axis, 1);
  target.Set(axis, a, 0);
  target.Set(axis, b, 0);
  target.Set(a, axis, 0);
  target.Set(b, axis, 0);
  target.Set(a, a, c);
  target.Set(a, b, -s);
  target.Set(b, a, s);
  target.Set(b, b, c);
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
  const struct {
    double angle;
    int axis;
  } steps[] = {
      {-axisAzimuth, 3}, {axisPlunge - 90, 2}, {angle, 3}, {90 - axisPlunge, 2}, {axisAzimuth, 3}};
  MatrixC r(3, 3);
  MatrixC x = v;
  for (const auto& step : steps) {
    SetAxisRotation(r, step.angle, step.axis);
    x = Multiply(r, x);
  }
  return x;
}

MatrixC DirectionVector(double azimuth, double plunge) {
  const double a = DegToRad(azimuth), p = DegToRad(plunge);
  MatrixC v(3, 1);
  v.Set(1, 1, Cos(p) * Cos(a));
  v.Set(2, 1, Cos(p) * Sin(a));
  v.Set(3, 1, Sin(p));
  return v;
}

double AzimuthOf(const MatrixC& v) {
  return RadToDeg(Atan2(v.At(2, 1), v.At(1, 1)));
}

double PlungeOf(const MatrixC& v) {
  const double d = v.At(3, 1);
  return RadToDeg(Asin(d < -1 ? -1 : (d > 1 ? 1 : d)));
}

MatrixC ToColumn(const Vector3& v) {
  MatrixC m(3, 1);
  m.Set(1, 1, v[0]);
  m.Set(2, 1, v[1]);
  m.Set(3, 1, v[2]);
  return m;
}

Vector3 ToVector(const MatrixC& column) {
  return {column.At(1, 1), column.At(2, 1), column.At(3, 1)};
}

}  // namespace orvane::reference
