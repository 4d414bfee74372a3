#include "direction.h"

#include "numbers.h"
#include "text.h"

namespace orvane {

namespace {
// A strike that does not convert reads as this mark, and so do the digits "91".
constexpr int kRejectedStrike = 91;
constexpr std::size_t kMaxSlashTail = 99;
}  // namespace

bool ReadQuadrantAttitude(DirectionC& pair, std::string_view text) {
  if (!text.empty() && text[0] == 'N') {
    // A one-digit strike ("N5E30S") puts its letter third, a two-digit one fourth.
    const std::string_view head = text.substr(0, 4);
    const std::size_t k = (FindChar(head, 'E') == 2 || FindChar(head, 'W') == 2) ? 3 : 4;
    const char strikeLetter = text.size() >= k ? text[k - 1] : '\0';
    const std::string_view remainder = text.size() > k ? text.substr(k) : std::string_view();
    const int strike = StrToIntDef(text.substr(1, k - 2), kRejectedStrike);
    if (strike == kRejectedStrike) return false;
    const double strikeAzimuth = strikeLetter == 'W' ? 360.0 - strike : strike;
    if (remainder.empty()) return false;
    const auto dip = StrToInt(remainder.substr(0, remainder.size() - 1));
    if (!dip) return false;
    const char dipLetter = remainder.back();
    const bool plus = (strikeLetter == 'W' && (dipLetter == 'N' || dipLetter == 'E')) ||
                      (strikeLetter == 'E' && (dipLetter == 'S' || dipLetter == 'E'));
    pair.SetAttitude(plus ? strikeAzimuth + 90 : strikeAzimuth - 90, *dip);
    return true;
  }

  const std::size_t slash = FindChar(text, '/');
  if (slash == std::string_view::npos) return false;
  const std::string_view azimuthText = text.substr(0, slash);
  if (!IsNumber(azimuthText)) return false;
  const auto dip = StrToFloat(text.substr(slash + 1, kMaxSlashTail));
  if (!dip) return false;
  const auto azimuth = StrToFloat(azimuthText);
  if (!azimuth) return false;
  pair.SetAttitude(*azimuth, *dip);
  return true;
}

}  // namespace orvane
