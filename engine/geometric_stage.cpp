// The geometric stage of a line's conversion: projection of the lineation onto its
// plane, orientation by the sense letter, untilting about the bedding strike, the
// sense derived afresh after untilting, and the final downward folding.
#include <cmath>

#include "angles.h"
#include "direction.h"
#include "line_conversion.h"
#include "rotation.h"
#include "sense_rules.h"

namespace orvane {

namespace {

// Shorter than this fraction of the lineation, the part in the plane is rounding
// noise: the lineation is perpendicular to the plane and has no projection.
constexpr double kPerpendicularLimit = 1e-6;

// The down component of a plane's unit normal below this magnitude counts as 0 in the
// overturn rule of untilting: the plane is vertical. Rotating a vertical plane leaves
// about 1e-16 either way, and that sign must not decide whether the lineation turns.
constexpr double kVerticalNormalLimit = 1e-12;
double DownUnlessVertical(double down) {
  return std::fabs(down) < kVerticalNormalLimit ? 0.0 : down;
}

// A plane travels as its upward normal: azimuth = dip direction, plunge = dip - 90.
Vector3 PlaneNormal(const ZelmDataC& datum) {
  return DirectionOf(datum.DipDirection, datum.Dip - 90);
}

// Reverses the lineation's vector.
void FlipLineation(ZelmDataC& datum) {
  datum.SetTrend(datum.Trend + 180);
  datum.Plunge = -datum.Plunge;
}

// Orients the lineation along the slip of the block above the plane.
void ApplySenseRules(ZelmDataC& datum) {
  // The letter as one character; "NULL" (no sense field) is none of them.
  const char sense = datum.Sense.size() == 1 ? datum.Sense[0] : '\0';
  if (SenseReversesLineation(sense, datum.Trend, datum.DipDirection)) FlipLineation(datum);
}

// The rotation angle of untilting: `percentage` of the bedding dip. Not finite for
// absurd dips (such as 1e308), which cannot be untilted.
double UntiltingAngle(const DirectionC& bedding, std::int64_t percentage) {
  return (bedding.Plunge + 90) * static_cast<double>(percentage) * 0.01;
}

// Rotates plane and lineation about the horizontal bedding strike by `angle`; the
// full bedding dip makes the bedding horizontal.
void Untilt(ZelmDataC& datum, const DirectionC& bedding, double angle) {
  const double axisAzimuth = bedding.Azimuth + 90;

  const AxisRotation rotation(angle, axisAzimuth, 0);
  const Vector3 normal = PlaneNormal(datum);
  const double downBefore = DownUnlessVertical(normal[2]);
  const double dipDirectionBefore = datum.DipDirection;
  // Plane and lineation turn independently: all four angles are taken after both
  // rotations, so that the processor can work on the calls side by side.
  const Vector3 rotatedNormal = rotation.Apply(normal);
  const Vector3 lineation = rotation.Apply(DirectionOf(datum.Trend, datum.Plunge));
  const double normalAzimuth = AzimuthOf(rotatedNormal);
  const double normalPlunge = PlungeOf(rotatedNormal);
  const double lineationPlunge = HorizontalIfNoise(PlungeOf(lineation));
  const double lineationAzimuth = AzimuthOf(lineation);
  datum.SetDipDirection(normalAzimuth);
  datum.SetDip(normalPlunge + 90);
  datum.Plunge = lineationPlunge;
  datum.SetTrend(lineationAzimuth);

  // A plane turned over keeps its hanging wall: the lineation must turn with it.
  const double product = downBefore * DownUnlessVertical(rotatedNormal[2]);
  if (product < 0) {
    FlipLineation(datum);
  } else if (product == 0) {
    const double e = WrapToRange(-180, 180, datum.DipDirection - dipDirectionBefore);
    if (e < -90 || e > 90) FlipLineation(datum);
  }
}

// The sense letter read back from the untilted, oriented lineation.
void DeriveSense(ZelmDataC& datum) {
  const double d = WrapToRange(-180, 180, datum.Trend - datum.DipDirection);
  if (datum.Plunge > 0 && d >= -45 && d <= 45) {
    datum.SetSense("N");
  } else if (datum.Plunge < 0 && (d >= 135 || d <= -135)) {
    datum.SetSense("R");
  } else if (d >= 0) {
    datum.SetSense("D");
  } else {
    datum.SetSense("S");
  }
}

// Folds the signed lineation into a downward plunge for output.
void FoldPlunge(ZelmDataC& datum) {
  if (datum.Plunge > 90) {
    datum.Plunge = 180 - datum.Plunge;
    datum.SetTrend(datum.Trend + 180);
  } else if (datum.Plunge < 0) {
    datum.Plunge = -datum.Plunge;
    datum.SetTrend(datum.Trend + 180);
  }
}

}  // namespace

bool ProjectLineationOntoPlane(ZelmDataC& datum, LineContext& ctx) {
  const Vector3 normal = PlaneNormal(datum);
  const Vector3 lineation = DirectionOf(datum.Trend, datum.Plunge);
  double along = 0;
  for (std::size_t i = 0; i < 3; ++i) along += lineation[i] * normal[i];
  double inPlane = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    const double c = lineation[i] - along * normal[i];
    inPlane += c * c;
  }
  // When the part in the plane is clearly above the limit (the usual case), neither
  // square root is needed: with a factor of 4 to spare on the squares, rounding
  // cannot change the outcome.
  const double lengthSquared =
      lineation[0] * lineation[0] + lineation[1] * lineation[1] + lineation[2] * lineation[2];
  const bool clearlyInPlane =
      inPlane > 4 * kPerpendicularLimit * kPerpendicularLimit * lengthSquared;
  if (!clearlyInPlane && std::sqrt(inPlane) < kPerpendicularLimit * LengthOf(lineation)) {
    ctx.ReportLineError("liniation data is perpendicular to surface data");
    return false;
  }
  const Vector3 projected = ProjectedOntoPlane(lineation, normal);
  datum.Plunge = HorizontalIfNoise(PlungeOf(projected));
  datum.SetTrend(AzimuthOf(projected));
  return true;
}

bool ApplyGeometricStage(ZelmDataC& datum, std::string_view token, LineContext& ctx) {
  ApplySenseRules(datum);
  const std::int64_t percentage = ctx.UntiltingPercentage();
  if (percentage != 0) {
    DirectionC bedding(0);
    const bool readable = ReadQuadrantAttitude(bedding, token);
    const double angle = UntiltingAngle(bedding, percentage);
    if (!readable || !std::isfinite(angle)) {
      ctx.ReportLineError("error in bedding dip data");
      return false;
    }
    Untilt(datum, bedding, angle);
    DeriveSense(datum);
  }
  FoldPlunge(datum);
  return true;
}

}  // namespace orvane
