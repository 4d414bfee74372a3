#include "angles.h"
#include "line_conversion.h"

namespace orvane {

namespace {

// Reverses the lineation's vector.
void FlipLineation(ZelmDataC& datum) {
  datum.SetTrend(datum.Trend + 180);
  datum.Plunge = -datum.Plunge;
}

// Orients the lineation along the slip of the hanging wall, by the sense letter.
void ApplySenseRules(ZelmDataC& datum) {
  if (datum.Sense == "R") {
    FlipLineation(datum);
  } else if (datum.Sense == "D" || datum.Sense == "S") {
    const double d = WrapToRange(-180, 180, datum.Trend - datum.DipDirection);
    if ((datum.Sense == "D" && d < 0) || (datum.Sense == "S" && d > 0)) FlipLineation(datum);
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

// TODO(geometry): projection onto the plane.
bool ProjectLineationOntoPlane(ZelmDataC& /*datum*/, LineContext& /*ctx*/) {
  return true;
}

bool ApplyGeometricStage(ZelmDataC& datum, std::string_view token, LineContext& ctx) {
  ApplySenseRules(datum);
  const std::int64_t percentage = ctx.UntiltingPercentage();
  if (percentage != 0) {
    // TODO(geometry): read the bedding field `token` and untilt.
    (void)token;
    ctx.ReportLineError("error in bedding dip data");
    return false;
  }
  FoldPlunge(datum);
  return true;
}

}  // namespace orvane
