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

Vector3 ToVector(const MatrixC& column) {
  return {column.At(1, 1), column.At(2, 1), column.At(3, 1)};
}

}  // namespace

MatrixC ToColumn(const Vector3& v) {
  MatrixC m(3, 1);
  m.Set(1, 1, v[0]);
  m.Set(2, 1, v[1]);
  m.Set(3, 1, v[2]);
  return m;
}

MatrixC::MatrixC(int rows, int columns) : rows_(rows), columns_(columns), data_(inline_.data()) {
  if (rows * columns > kInline) {
    heap_.assign(static_cast<std::size_t>(rows * columns), 0.0);
    data_ = heap_.data();
  }
}

MatrixC::MatrixC(const MatrixC& other)
    : rows_(other.rows_), columns_(other.columns_), inline_(other.inline_), heap_(other.heap_) {
  data_ = heap_.empty() ? inline_.data() : heap_.data();
}

MatrixC& MatrixC::operator=(const MatrixC& other) {
  if (this != &other) {
    rows_ = other.rows_;
    columns_ = other.columns_;
    inline_ = other.inline_;
    heap_ = other.heap_;
    data_ = heap_.empty() ? inline_.data() : heap_.data();
  }
  return *this;
}

MatrixC& MatrixC::Assign(const MatrixC& source) {
  if (rows_ != source.rows_ || columns_ != source.columns_) ShapeError("not same number of r, c");
  for (int i = 1; i <= rows_; ++i) {
    for (int j = 1; j <= columns_; ++j) Set(i, j, source.At(i, j));
  }
  return *this;
}

namespace {

// c = a * b for a 3x3 and b 3x1, accumulated as in Multiply: from 0.0, k = 1, 2, 3.
inline void Multiply3(const double* a, const double* b, double* c) {
  for (int i = 0; i < 3; ++i) {
    double sum = 0.0;
    sum = a[3 * i] * b[0] + sum;
    sum = a[3 * i + 1] * b[1] + sum;
    sum = a[3 * i + 2] * b[2] + sum;
    c[i] = sum;
  }
}

// The elementary rotation of SetAxisRotation from its cosine and sine.
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

}  // namespace

MatrixC Multiply(const MatrixC& a, const MatrixC& b) {
  if (a.Columns() != b.Rows()) ShapeError("cn and rn are not much !");
  MatrixC c(a.Rows(), b.Columns());
  if (a.Rows() == 3 && a.Columns() == 3 && b.Columns() == 1) {
    Multiply3(a.Elements(), b.Elements(), c.Elements());
    return c;
  }
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
  FillAxisRotation(target.Elements(), axis, std::cos(theta), std::sin(theta));
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
  if (n.Rows() != 3 || n.Columns() != 1) ShapeError("not same number of r, c");
  if (v.Rows() != 3) ShapeError("cn and rn are not much !");
  if (v.Columns() == 1) return ToColumn(ProjectedOntoPlane(ToVector(v), ToVector(n)));
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

namespace {

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

MatrixC AxisRotation::Apply(const MatrixC& v) const {
  if (v.Rows() != 3) ShapeError("cn and rn are not much !");
  MatrixC result(3, v.Columns());
  const int columns = v.Columns();
  const double* in = v.Elements();
  double* out = result.Elements();
  for (int j = 0; j < columns; ++j) {
    const Vector3 y = Apply(Vector3{in[j], in[columns + j], in[2 * columns + j]});
    out[j] = y[0];
    out[columns + j] = y[1];
    out[2 * columns + j] = y[2];
  }
  return result;
}

MatrixC RotateAboutAxis(const MatrixC& v, double angle, double axisAzimuth, double axisPlunge) {
  return AxisRotation(angle, axisAzimuth, axisPlunge).Apply(v);
}

MatrixC DirectionVector(double azimuth, double plunge) {
  return ToColumn(DirectionOf(azimuth, plunge));
}

double AzimuthOf(const MatrixC& v) {
  return AzimuthOf(ToVector(v));
}

double PlungeOf(const MatrixC& v) {
  return PlungeOf(ToVector(v));
}

}  // namespace orvane
