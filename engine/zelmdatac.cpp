#include "zelmdatac.h"

#include "angles.h"
#include "numbers.h"
#include "text.h"

namespace orvane {

ZelmDataC::ZelmDataC() : Sense("NULL") {
  SetDipDirection(0);
  SetDip(0);
  SetTrend(0);
  Plunge = 0;
}

void ZelmDataC::AssignSense(std::string_view text) {
  // Out of line: inlined with a literal, GCC 12 at -O3 warns about the copy.
  Sense.assign(text.data(), text.size());
}

bool ZelmDataC::ReadPlaneFields(std::string_view a, std::string_view b) {
  const auto direction = StrToAngle(a);
  if (!direction) return false;
  SetDipDirection(*direction);
  if (b.empty() || !IsNumber(b)) return false;
  const auto dip = StrToAngle(b);
  if (!dip) return false;
  SetDip(*dip);
  return true;
}

bool ZelmDataC::ReadLineationFields(std::string_view a, std::string_view b) {
  const auto trend = StrToAngle(a);
  if (!trend) return false;
  SetTrend(*trend);
  if (b.empty() || !IsNumber(b)) return false;
  const auto plunge = StrToAngle(b);
  if (!plunge) return false;
  Plunge = *plunge;
  return true;
}

}  // namespace orvane
