#include "direction.h"

#include "numbers.h"
#include "slash_notation.h"
#include "text.h"

namespace orvane {

namespace {
// A strike that does not convert reads as this mark, and so do the digits "91".
constexpr int kRejectedStrike = 91;
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
    if (!dip || !IsFieldAngle(*dip)) return false;
    const char dipLetter = remainder.back();
    const bool plus = (strikeLetter == 'W' && (dipLetter == 'N' || dipLetter == 'E')) ||
                      (strikeLetter == 'E' && (dipLetter == 'S' || dipLetter == 'E'));
    pair.SetAttitude(plus ? strikeAzimuth + 90 : strikeAzimuth - 90, *dip);
    return true;
  }

  const auto slash = ReadSlashPair(text, SlashSides::FirstNumeric);
  if (!slash) return false;
  pair.SetAttitude(slash->first, slash->second);
  return true;
}

}  // namespace orvane
