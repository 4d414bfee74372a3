// The engine's fast geometry (vector3.h, rotation.h) against the plain matrix model,
// and the model itself.
#include "reference/matrix.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <random>

#include "angles.h"
#include "rotation.h"
#include "vector3.h"

namespace orvane {
namespace {

using reference::MatrixC;

MatrixC Column(double a, double b, double c) {
  return reference::ToColumn({a, b, c});
}

double Dot(const Vector3& a, const Vector3& b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Equal bits, or NaN in both: which NaN comes out depends on the order in which the
// compiler hands the operands of a product or sum to the processor.
bool SameBits(const Vector3& a, const Vector3& b) {
  for (int i = 0; i < 3; ++i) {
    if (std::isnan(a[i]) && std::isnan(b[i])) continue;
    if (std::memcmp(&a[i], &b[i], sizeof a[i]) != 0) return false;
  }
  return true;
}

TEST(Matrix, NewMatricesAreZero) {
  const MatrixC m(3, 3);
  for (int i = 1; i <= 3; ++i) {
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(m.At(i, j), 0.0);
  }
  const MatrixC big(4, 4);
  EXPECT_EQ(big.At(4, 4), 0.0);
}

TEST(Matrix, AxisRotations) {
  for (int axis = 1; axis <= 3; ++axis) {
    MatrixC r(3, 3);
    reference::SetAxisRotation(r, 0, axis);
    for (int i = 1; i <= 3; ++i) {
      for (int j = 1; j <= 3; ++j) EXPECT_EQ(r.At(i, j), i == j ? 1.0 : 0.0) << axis;
    }
  }
  MatrixC r(3, 3);
  reference::SetAxisRotation(r, 90, 3);
  const MatrixC east = reference::Multiply(r, Column(1, 0, 0));
  EXPECT_NEAR(east.At(1, 1), 0, 1e-15);
  EXPECT_NEAR(east.At(2, 1), 1, 1e-15);
  EXPECT_NEAR(east.At(3, 1), 0, 1e-15);
  reference::SetAxisRotation(r, 90, 1);  // about north: east goes down
  const MatrixC down = reference::Multiply(r, Column(0, 1, 0));
  EXPECT_NEAR(down.At(3, 1), 1, 1e-15);
}

TEST(Matrix, LengthAndNormalized) {
  EXPECT_EQ(reference::Length(Column(3, 4, 0)), 5);
  EXPECT_EQ(reference::Length(MatrixC(2, 2)), -1.0);
  MatrixC one(1, 1);
  one.Set(1, 1, -2);
  EXPECT_EQ(reference::Length(one), 2);
  EXPECT_EQ(reference::Normalized(one).At(1, 1), -1);
  MatrixC row(1, 3);
  row.Set(1, 1, 3);
  row.Set(1, 3, 4);
  EXPECT_EQ(reference::Length(row), 5);
  MatrixC square(2, 2);
  square.Set(1, 2, 7);
  EXPECT_EQ(reference::Normalized(square).At(1, 2), 7);  // no vector: copied as it is
  EXPECT_EQ(LengthOf({3, 4, 0}), 5);
}

struct DirectionCase {
  double azimuth, plunge, angle, axisAzimuth, axisPlunge, wantAzimuth, wantPlunge;
};

TEST(Matrix, RotationExamples) {
  const DirectionCase cases[] = {
      {10, 20, 30, 77, 90, 40, 20},  // a vertical axis adds to the azimuth
      {90, 30, 30, 180, 0, 90, 0},   // untilting a bedding dipping 30 east
      {30, 40, 0, 123, 45, 30, 40},  // angle 0 changes nothing
  };
  for (const auto& c : cases) {
    const Vector3 v =
        AxisRotation(c.angle, c.axisAzimuth, c.axisPlunge).Apply(DirectionOf(c.azimuth, c.plunge));
    EXPECT_NEAR(std::remainder(AzimuthOf(v) - c.wantAzimuth, 360), 0, 1e-9) << c.azimuth;
    EXPECT_NEAR(PlungeOf(v), c.wantPlunge, 1e-9) << c.azimuth;
  }
  // The bedding's normal becomes vertical, and a plane 120/40 becomes 162.87/19.65.
  const AxisRotation untilt(30, 180, 0);
  EXPECT_NEAR(PlungeOf(untilt.Apply(DirectionOf(90, -60))), -90, 1e-6);
  const Vector3 n = untilt.Apply(DirectionOf(120, 40 - 90));
  EXPECT_NEAR(AzimuthOf(n), 162.87, 0.005);
  EXPECT_NEAR(PlungeOf(n) + 90, 19.65, 0.005);
}

TEST(Matrix, ProjectionExamples) {
  const Vector3 normal = DirectionOf(90, 30 - 90);
  const DirectionCase cases[] = {
      {90, 10, 0, 0, 0, 90, 30},
      {45, 0, 0, 0, 0, 36.87, 19.11},
      {90, 30, 0, 0, 0, 90, 30},  // already in the plane
  };
  for (const auto& c : cases) {
    const Vector3 p = ProjectedOntoPlane(DirectionOf(c.azimuth, c.plunge), normal);
    EXPECT_NEAR(AzimuthOf(p), c.wantAzimuth, 0.005) << c.azimuth;
    EXPECT_NEAR(PlungeOf(p), c.wantPlunge, 0.005) << c.azimuth;
  }
}

TEST(Matrix, RotationsKeepLengthsAndAngles) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> azimuth(0, 360), plunge(-90, 90), angle(-400, 400);
  for (int i = 0; i < 500; ++i) {
    const Vector3 a = DirectionOf(azimuth(rng), plunge(rng));
    Vector3 b = DirectionOf(azimuth(rng), plunge(rng));
    b[0] *= 3;  // not a unit vector
    const double turn = angle(rng), axisAz = azimuth(rng), axisPl = plunge(rng);
    const AxisRotation rotation(turn, axisAz, axisPl);
    const Vector3 ra = rotation.Apply(a);
    const Vector3 rb = rotation.Apply(b);
    EXPECT_NEAR(LengthOf(ra), LengthOf(a), 1e-12);
    EXPECT_NEAR(LengthOf(rb), LengthOf(b), 1e-12);
    EXPECT_NEAR(Dot(ra, rb), Dot(a, b), 1e-12);
    // The axis itself does not move.
    const Vector3 axis = DirectionOf(axisAz, axisPl);
    EXPECT_NEAR(Dot(rotation.Apply(axis), axis), 1, 1e-12);
    // A projection lies in its plane and has unit length.
    const Vector3 p = ProjectedOntoPlane(b, a);
    EXPECT_NEAR(Dot(p, a), 0, 1e-12);
    EXPECT_NEAR(LengthOf(p), 1, 1e-12);
  }
}

TEST(Matrix, FastGeometryGivesTheModelsBits) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> azimuth(0, 360), plunge(-90, 90), angle(-400, 400);
  const double awkward[] = {0.0, -0.0, 1.0, -1.0, 1e-310, 1e305, -1e305, 1e308, INFINITY, NAN};
  for (int i = 0; i < 2000; ++i) {
    double az = azimuth(rng), pl = plunge(rng);
    if (i % 5 == 0) az = std::round(az), pl = std::round(pl);  // whole degrees: the tables
    // Unit vectors from azimuth and plunge.
    Vector3 v = DirectionOf(az, pl);
    ASSERT_TRUE(SameBits(v, reference::ToVector(reference::DirectionVector(az, pl)))) << i;
    if (i % 3 == 0) v[i % 9 / 3] = awkward[i / 3 % 10];  // zeros, extremes, NaN

    // Rotations.
    double turn = angle(rng), axisAz = azimuth(rng), axisPl = plunge(rng);
    if (i % 7 == 0) turn = std::round(turn);
    if (i % 11 == 0) axisPl = 0;
    if (i % 101 == 0) turn = 1e308;  // no finite sine
    const Vector3 want = reference::ToVector(
        reference::RotateAboutAxis(reference::ToColumn(v), turn, axisAz, axisPl));
    EXPECT_TRUE(SameBits(AxisRotation(turn, axisAz, axisPl).Apply(v), want)) << i;

    // Projections onto a plane.
    const Vector3 n = DirectionOf(azimuth(rng), plunge(rng));
    const Vector3 projected = reference::ToVector(
        reference::ProjectOntoPlane(reference::ToColumn(v), reference::ToColumn(n)));
    EXPECT_TRUE(SameBits(ProjectedOntoPlane(v, n), projected)) << i;
  }
}

TEST(MatrixDeathTest, ShapeChecksPrintAndAbort) {
  // The messages go to standard output; the death test reads standard error.
  const MatrixC column(3, 1), square(3, 3), row(1, 3);
  EXPECT_EQ(reference::Multiply(square, column).Rows(), 3);
  EXPECT_EQ(reference::Multiply(square, column).Columns(), 1);
  EXPECT_DEATH(
      {
        dup2(STDERR_FILENO, STDOUT_FILENO);
        reference::Multiply(column, square);
      },
      "^cn and rn are not much !\n");
  EXPECT_DEATH(
      {
        dup2(STDERR_FILENO, STDOUT_FILENO);
        MatrixC target(1, 3);
        target.Assign(column);
      },
      "^not same number of r, c\n");
  EXPECT_DEATH(
      {
        dup2(STDERR_FILENO, STDOUT_FILENO);
        reference::ProjectOntoPlane(row, column);
      },
      "cn and rn are not much !");
}

}  // namespace
}  // namespace orvane
