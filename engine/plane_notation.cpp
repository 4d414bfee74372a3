// Compact notations of a fault plane: quadrant ("N30E40S", "NS60W", "EW45N") and
// slash ("120/35").
#include <string>

#include "direction.h"
#include "numbers.h"
#include "text.h"
#include "zelmdatac.h"

namespace orvane {

namespace {
// The slash notation reads at most this many characters after the "/".
constexpr std::size_t kMaxSlashTail = 99;

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

  const std::size_t slash = FindChar(token, '/');
  if (slash == std::string_view::npos) return false;
  const std::string_view directionText = token.substr(0, slash);
  const std::string_view dipText = token.substr(slash + 1, kMaxSlashTail);
  if (!IsNumber(directionText)) return false;
  const auto dipDirection = StrToFloat(directionText);
  const auto dip = StrToFloat(dipText);
  if (!dipDirection || !dip) return false;
  SetDipDirection(*dipDirection);
  SetDip(*dip);
  return true;
}

}  // namespace orvane
