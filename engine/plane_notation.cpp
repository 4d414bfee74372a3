// Compact notations of a fault plane: quadrant ("N30E40S", "NS60W", "EW45N") and
// slash ("120/35").
#include <string>

#include "direction.h"
#include "slash_notation.h"
#include "zelmdatac.h"

namespace orvane {

namespace {
bool ContainsEW(std::string_view token) {
  for (std::size_t i = 0; i + 1 < token.size(); ++i) {
    if (token[i] == 'E' && token[i + 1] == 'W') return true;
  }
  return false;
}
}  // namespace

bool ZelmDataC::ReadPlaneNotation(std::string_view token) {
  const bool quadrant = (!token.empty() && token[0] == 'N') || ContainsEW(token);
  if (quadrant) {
    // The short forms: "NS" strikes north-south, "EW" east-west.
    std::string expanded;
    std::string_view text = token;
    if (token.starts_with("NS")) text = expanded = "N0E" + std::string(token.substr(2));
    if (token.starts_with("EW")) text = expanded = "N90E" + std::string(token.substr(2));
    DirectionC direction(0);
    if (!ReadQuadrantAttitude(direction, text)) return false;
    SetDipDirection(direction.Azimuth);
    SetDip(direction.Plunge + 90);
    return true;
  }

  // The slash notation (a token beginning with "N" went to the quadrant reader).
  const auto slash = ReadSlashPair(token, SlashSides::FirstNumeric);
  if (!slash) return false;
  SetDipDirection(slash->first);
  SetDip(slash->second);
  return true;
}

}  // namespace orvane
