#include "matrix.h"

#include "angles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <random>

namespace orvane {
namespace {

MatrixC Column(double a, double b, double c) {
  MatrixC v(3, 1);
  v.Set(1, 1, a);
  v.Set(2, 1, b);
  v.Set(3, 1, c);
  return v;
}

double Dot(const MatrixC& a, const MatrixC& b) {
  return a.At(1, 1) * b.At(1, 1) + a.At(2, 1) * b.At(2, 1) + a.At(3, 1) * b.At(3, 1);
}

TEST(Matrix, NewMatricesAreZero) {
  const MatrixC m(3, 3);
  for (int i = 1; i <= 3; ++i) {
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(m.At(i, j), 0.0);
  }
  const MatrixC big(4, 4);  // beyond the inline storage
  EXPECT_EQ(big.At(4, 4), 0.0);
}

TEST(Matrix, AxisRotations) {
  for (int axis = 1; axis <= 3; ++axis) {
    MatrixC r(3, 3);
    SetAxisRotation(r, 0, axis);
    for (int i = 1; i <= 3; ++i) {
      for (int j = 1; j <= 3; ++j) EXPECT_EQ(r.At(i, j), i == j ? 1.0 : 0.0) << axis;
    }
  }
  MatrixC r(3, 3);
  SetAxisRotation(r, 90, 3);
  const MatrixC east = Multiply(r, Column(1, 0, 0));
  EXPECT_NEAR(east.At(1, 1), 0, 1e-15);
  EXPECT_NEAR(east.At(2, 1), 1, 1e-15);
  EXPECT_NEAR(east.At(3, 1), 0, 1e-15);
  SetAxisRotation(r, 90, 1);  // about north: east goes down
  const MatrixC down = Multiply(r, Column(0, 1, 0));
  EXPECT_NEAR(down.At(3, 1), 1, 1e-15);
}

TEST(Matrix, LengthAndNormalized) {
  EXPECT_EQ(Length(Column(3, 4, 0)), 5);
  EXPECT_EQ(Length(MatrixC(2, 2)), -1.0);
  MatrixC one(1, 1);
  one.Set(1, 1, -2);
  EXPECT_EQ(Length(one), 2);
  EXPECT_EQ(Normalized(one).At(1, 1), -1);
  MatrixC row(1, 3);
  row.Set(1, 1, 3);
  row.Set(1, 3, 4);
  EXPECT_EQ(Length(row), 5);
  MatrixC square(2, 2);
  square.Set(1, 2, 7);
  EXPECT_EQ(Normalized(square).At(1, 2), 7);  // no vector: copied as it is
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
    const MatrixC v =
        RotateAboutAxis(DirectionVector(c.azimuth, c.plunge), c.angle, c.axisAzimuth, c.axisPlunge);
    EXPECT_NEAR(std::remainder(AzimuthOf(v) - c.wantAzimuth, 360), 0, 1e-9) << c.azimuth;
    EXPECT_NEAR(PlungeOf(v), c.wantPlunge, 1e-9) << c.azimuth;
  }
  // The bedding's normal becomes vertical, and a plane 120/40 becomes 162.87/19.65.
  EXPECT_NEAR(PlungeOf(RotateAboutAxis(DirectionVector(90, -60), 30, 180, 0)), -90, 1e-6);
  const MatrixC n = RotateAboutAxis(DirectionVector(120, 40 - 90), 30, 180, 0);
  EXPECT_NEAR(AzimuthOf(n), 162.87, 0.005);
  EXPECT_NEAR(PlungeOf(n) + 90, 19.65, 0.005);
}

TEST(Matrix, ProjectionExamples) {
  const MatrixC normal = DirectionVector(90, 30 - 90);
  const DirectionCase cases[] = {
      {90, 10, 0, 0, 0, 90, 30},
      {45, 0, 0, 0, 0, 36.87, 19.11},
      {90, 30, 0, 0, 0, 90, 30},  // already in the plane
  };
  for (const auto& c : cases) {
    const MatrixC p = ProjectOntoPlane(DirectionVector(c.azimuth, c.plunge), normal);
    EXPECT_NEAR(AzimuthOf(p), c.wantAzimuth, 0.005) << c.azimuth;
    EXPECT_NEAR(PlungeOf(p), c.wantPlunge, 0.005) << c.azimuth;
  }
}

TEST(Matrix, RotationsKeepLengthsAndAngles) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> azimuth(0, 360), plunge(-90, 90), angle(-400, 400);
  for (int i = 0; i < 500; ++i) {
    const MatrixC a = DirectionVector(azimuth(rng), plunge(rng));
    MatrixC b = DirectionVector(azimuth(rng), plunge(rng));
    b.Set(1, 1, b.At(1, 1) * 3);  // not a unit vector
    const double turn = angle(rng), axisAz = azimuth(rng), axisPl = plunge(rng);
    const MatrixC ra = RotateAboutAxis(a, turn, axisAz, axisPl);
    const MatrixC rb = RotateAboutAxis(b, turn, axisAz, axisPl);
    EXPECT_NEAR(Length(ra), Length(a), 1e-12);
    EXPECT_NEAR(Length(rb), Length(b), 1e-12);
    EXPECT_NEAR(Dot(ra, rb), Dot(a, b), 1e-12);
    // The axis itself does not move.
    const MatrixC axis = DirectionVector(axisAz, axisPl);
    const MatrixC ra2 = RotateAboutAxis(axis, turn, axisAz, axisPl);
    EXPECT_NEAR(Dot(ra2, axis), 1, 1e-12);
    // A projection lies in its plane and has unit length.
    const MatrixC p = ProjectOntoPlane(b, a);
    EXPECT_NEAR(Dot(p, a), 0, 1e-12);
    EXPECT_NEAR(Length(p), 1, 1e-12);
  }
}

// The rotation as five full matrix products, the way it is defined.
MatrixC FiveProducts(const MatrixC& v, double angle, double axisAzimuth, double axisPlunge) {
  MatrixC r(3, 3);
  MatrixC x = v;
  const std::pair<double, int> steps[] = {
      {-axisAzimuth, 3}, {axisPlunge - 90, 2}, {angle, 3}, {90 - axisPlunge, 2}, {axisAzimuth, 3}};
  for (const auto& [turn, axis] : steps) {
    SetAxisRotation(r, turn, axis);
    x = Multiply(r, x);
  }
  return x;
}

// Equal bits, or NaN in both: which NaN comes out depends on the order in which the
// compiler hands the operands of a product or sum to the processor.
bool SameBits(const MatrixC& a, const MatrixC& b) {
  for (int i = 1; i <= 3; ++i) {
    const double x = a.At(i, 1), y = b.At(i, 1);
    if (std::isnan(x) && std::isnan(y)) continue;
    if (std::memcmp(&x, &y, sizeof x) != 0) return false;
  }
  return true;
}

TEST(Matrix, RotationGivesTheBitsOfTheFiveProducts) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> azimuth(0, 360), plunge(-90, 90), angle(-400, 400);
  const double awkward[] = {0.0, -0.0, 1.0, -1.0, 1e-310, 1e305, -1e305, 1e308, INFINITY, NAN};
  for (int i = 0; i < 2000; ++i) {
    MatrixC v = DirectionVector(azimuth(rng), plunge(rng));
    if (i % 3 == 0) v.Set(i % 9 / 3 + 1, 1, awkward[i / 3 % 10]);  // zeros, extremes, NaN
    double turn = angle(rng), axisAz = azimuth(rng), axisPl = plunge(rng);
    if (i % 7 == 0) turn = std::round(turn);  // whole degrees come from the table
    if (i % 11 == 0) axisPl = 0;
    if (i % 101 == 0) turn = 1e308;  // no finite sine
    const MatrixC want = FiveProducts(v, turn, axisAz, axisPl);
    EXPECT_TRUE(SameBits(RotateAboutAxis(v, turn, axisAz, axisPl), want)) << i;
    EXPECT_TRUE(SameBits(AxisRotation(turn, axisAz, axisPl).Apply(v), want)) << i;
  }
}

TEST(MatrixDeathTest, ShapeChecksPrintAndAbort) {
  // The messages go to standard output; the death test reads standard error.
  const MatrixC column(3, 1), square(3, 3), row(1, 3);
  EXPECT_EQ(Multiply(square, column).Rows(), 3);
  EXPECT_EQ(Multiply(square, column).Columns(), 1);
  EXPECT_DEATH(
      {
        dup2(STDERR_FILENO, STDOUT_FILENO);
        Multiply(column, square);
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
        ProjectOntoPlane(row, column);
      },
      "cn and rn are not much !");
}

}  // namespace
}  // namespace orvane
