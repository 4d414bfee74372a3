// The slash notation of planes, lineations and bedding: two numbers joined by a "/",
// such as "210/65" (dip direction and dip) or "215/60" (trend and plunge). Inline:
// it runs for most field lines, and each reader keeps it in its own code.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "numbers.h"
#include "text.h"

namespace orvane {

// At most this many characters after the "/" are read; the rest of the token is
// ignored.
inline constexpr std::size_t kMaxSlashTail = 99;

// Which sides must pass IsNumber (digits, "." and "-" only) before they are converted.
// A side that is not tested may use whatever the number conversion takes, such as a
// "+" sign or an exponent.
enum class SlashSides {
  FirstNumeric,  // planes and bedding: "120/+45" and "120/4.5e1" are read, "+120/45" is not
  BothNumeric,   // lineations: none of "+200/30", "200/+30" and "200/3e1" is read
};

struct SlashPair {
  double first;   // the number before the first "/"
  double second;  // the number after it
};

// The two numbers of "A/B", A being everything before the first "/" and B at most
// kMaxSlashTail characters after it, both angles in degrees. nullopt when there is
// no "/", when a side that must pass IsNumber does not, or when a side does not
// convert ("120/", "/45", "1.2.3/45", "120/45/10", "120/45S") or is beyond
// kMaxFieldAngle (numbers.h) in magnitude ("210/1e308").
inline std::optional<SlashPair> ReadSlashPair(std::string_view token, SlashSides sides) {
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
