#include "slash_notation.h"

#include "numbers.h"
#include "text.h"

namespace orvane {

std::optional<SlashPair> ReadSlashPair(std::string_view token, SlashSides sides) {
  const std::size_t slash = FindChar(token, '/');
  if (slash == std::string_view::npos) return std::nullopt;
  const std::string_view firstText = token.substr(0, slash);
  const std::string_view secondText = token.substr(slash + 1, kMaxSlashTail);
  if (!IsNumber(firstText)) return std::nullopt;
  if (sides == SlashSides::BothNumeric && !IsNumber(secondText)) return std::nullopt;
  const auto first = StrToAngle(firstText);
  const auto second = StrToAngle(secondText);
  if (!first || !second) return std::nullopt;
  return SlashPair{*first, *second};
}

}  // namespace orvane
