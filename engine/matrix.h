// Small dense matrices of doubles, the north-east-down frame, and rotations.
//
// The engine uses 3x1 columns (directions) and 3x3 rotations. Indices are 1-based.
// The arithmetic is evaluated in a fixed order (each product accumulated from
// k = 1 up, each rotation as five elementary products): results are rounded for
// output, and another order would move results that sit on a rounding boundary.
#pragma once

#include <array>
#include <vector>

#include "vector3.h"

namespace orvane {

class MatrixC {
 public:
  // A zero matrix of rows x columns (both at least 1). Up to 3x3 needs no heap.
  MatrixC(int rows, int columns);
  MatrixC(const MatrixC& other);
  MatrixC& operator=(const MatrixC& other);

  int Rows() const { return rows_; }
  int Columns() const { return columns_; }

  // Indices are not checked: callers stay within the shape.
  void Set(int row, int column, double value) { data_[Index(row, column)] = value; }
  double At(int row, int column) const { return data_[Index(row, column)]; }

  // Row-major elements, for the fast paths of the operations below.
  const double* Elements() const { return data_; }
  double* Elements() { return data_; }

  // Copies every element of `source`. Shapes must be equal: otherwise prints
  // "not same number of r, c" to standard output and aborts.
  MatrixC& Assign(const MatrixC& source);

 private:
  static constexpr int kInline = 9;
  int Index(int row, int column) const { return (row - 1) * columns_ + (column - 1); }

  int rows_;
  int columns_;
  std::array<double, kInline> inline_{};
  std::vector<double> heap_;
  double* data_;  // inline_ or heap_
};

// A * B. The inner sizes must agree: otherwise prints "cn and rn are not much !" to
// standard output and aborts.
MatrixC Multiply(const MatrixC& a, const MatrixC& b);

// Sets the 3x3 `target` to the right-handed rotation by `angleDegrees` about axis
// 1 (north), 2 (east) or 3 (down). A positive angle about axis 3 adds to azimuths.
void SetAxisRotation(MatrixC& target, double angleDegrees, int axis);

// Euclidean length of a row or column vector; -1 for a matrix with more than one
// row and more than one column.
double Length(const MatrixC& m);

// The matrix divided by its Length; a copy when the Length is -1.
MatrixC Normalized(const MatrixC& m);

// The unit vector along the part of v (3x1) perpendicular to n (3x1): (I - N N^T) v,
// normalized, with N the unit n. The caller makes sure that part is not zero.
MatrixC ProjectOntoPlane(const MatrixC& v, const MatrixC& n);

// v (3 rows) turned by `angle` degrees about the axis of azimuth `axisAzimuth` and
// plunge `axisPlunge`, right-handed about the axis direction.
MatrixC RotateAboutAxis(const MatrixC& v, double angle, double axisAzimuth, double axisPlunge);

// The five elementary rotations of RotateAboutAxis, made once and applied to several
// vectors: Apply(v) gives exactly RotateAboutAxis(v, angle, axisAzimuth, axisPlunge).
class AxisRotation {
 public:
  AxisRotation(double angle, double axisAzimuth, double axisPlunge);
  MatrixC Apply(const MatrixC& v) const;
  Vector3 Apply(const Vector3& v) const;

 private:
  // Cosine and sine of R1 (axis 3, -azimuth), R2 (axis 2, plunge - 90), R3 (axis 3,
  // angle), R4 (axis 2, 90 - plunge) and R5 (axis 3, azimuth).
  double c_[5];
  double s_[5];
  bool finite_;  // every sine and cosine finite
};

// The 3x1 column of a vector.
MatrixC ToColumn(const Vector3& v);

// The unit 3x1 vector (cos p cos a, cos p sin a, sin p) of azimuth a and plunge p.
MatrixC DirectionVector(double azimuth, double plunge);

// Back from a vector: azimuth atan2(E, N) in (-180, 180], plunge asin(D) in
// [-90, 90] (the argument clamped into [-1, 1] against rounding), both in degrees.
double AzimuthOf(const MatrixC& v);
double PlungeOf(const MatrixC& v);

}  // namespace orvane
