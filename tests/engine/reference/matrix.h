// The reference model of the engine's geometry: small dense matrices of doubles in the
// north-east-down frame, with rotations as five full matrix products and the
// projection as (I - N N^T) v, written the plain way. The fast 3-vector code of the
// engine (vector3.h, rotation.h) must give the same bits; tests and benchmarks check
// it against this model.
//
// Indices are 1-based. Each product is accumulated from 0.0 with k = 1 upward.
#pragma once

#include <vector>

#include "vector3.h"

namespace orvane::reference {

class MatrixC {
 public:
  // A zero matrix of rows x columns (both at least 1).
  MatrixC(int rows, int columns);

  int Rows() const { return rows_; }
  int Columns() const { return columns_; }

  // Indices are not checked: callers stay within the shape.
  void Set(int row, int column, double value) { data_[Index(row, column)] = value; }
  double At(int row, int column) const { return data_[Index(row, column)]; }

  // Copies every element of `source`. Shapes must be equal: otherwise prints
  // "not same number of r, c" to standard output and aborts.
  MatrixC& Assign(const MatrixC& source);

 private:
  std::size_t Index(int row, int column) const {
    return static_cast<std::size_t>((row - 1) * columns_ + (column - 1));
  }

  int rows_;
  int columns_;
  std::vector<double> data_;
};

// A * B. The inner sizes must agree: otherwise prints "cn and rn are not much !" to
// standard output and aborts.
MatrixC Multiply(const MatrixC& a, const MatrixC& b);

// Sets the 3x3 `target` to the right-handed rotation by `angleDegrees` about axis
// 1 (north), 2 (east) or 3 (down), with Cos and Sin of DegToRad(angle).
void SetAxisRotation(MatrixC& target, double angleDegrees, int axis);

// Euclidean length of a row or column vector; -1 for a matrix with more than one
// row and more than one column.
double Length(const MatrixC& m);

// The matrix divided by its Length; a copy when the Length is -1.
MatrixC Normalized(const MatrixC& m);

// The unit vector along the part of v (3x1) perpendicular to n (3x1): (I - N N^T) v,
// normalized, with N the unit n.
MatrixC ProjectOntoPlane(const MatrixC& v, const MatrixC& n);

// v (3 rows, each column a vector) turned by `angle` degrees about the axis of
// azimuth `axisAzimuth` and plunge `axisPlunge`: R5 R4 R3 R2 R1 v with R1 about axis 3
// by -azimuth, R2 about axis 2 by plunge - 90, R3 about axis 3 by the angle, R4 about
// axis 2 by 90 - plunge, R5 about axis 3 by azimuth.
MatrixC RotateAboutAxis(const MatrixC& v, double angle, double axisAzimuth, double axisPlunge);

// The unit 3x1 vector (cos p cos a, cos p sin a, sin p) of azimuth a and plunge p,
// with Cos and Sin of DegToRad.
MatrixC DirectionVector(double azimuth, double plunge);

// Azimuth atan2(E, N) and plunge asin(D) of a 3x1 vector in degrees (the argument of
// asin clamped into [-1, 1] against rounding).
double AzimuthOf(const MatrixC& v);
double PlungeOf(const MatrixC& v);

// Between the 3x1 column and the engine's vector.
MatrixC ToColumn(const Vector3& v);
Vector3 ToVector(const MatrixC& column);

}  // namespace orvane::reference
