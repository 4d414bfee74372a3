// How a sense letter orients a slip lineation.
#pragma once

#include "angles.h"

namespace orvane {

// True when the block above the plane slipped against the lineation's direction
// (trend, plane's dip direction in degrees), so that the lineation must be turned
// round to point along the slip. "R" (reverse): always, as reverse slip goes up the
// dip. "D" (dextral): when the trend lies left of the dip direction (-180 < trend -
// dip direction < 0, wrapped). "S" (sinistral): when it lies right of it (0 <
// difference < 180). "N" and anything else: never.
inline bool SenseReversesLineation(char sense, double trend, double dipDirection) {
  if (sense == 'R') return true;
  if (sense != 'D' && sense != 'S') return false;
  const double d = WrapToRange(-180, 180, trend - dipDirection);
  return (sense == 'D' && d < 0) || (sense == 'S' && d > 0);
}

}  // namespace orvane
