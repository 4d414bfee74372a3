// Reading UTF-8 one code point at a time, for texts that the net prints (file
// names may hold any bytes).
#pragma once

#include <cstddef>
#include <string_view>

#include "text.h"

namespace orvane::utf8 {

inline constexpr char32_t kReplacement = 0xFFFD;

// Decodes the code point that starts at text[i] (i < text.size()) into `cp` and
// returns its length in bytes. A byte that does not start a well-formed sequence
// (stray continuation bytes, overlong forms, surrogates, beyond U+10FFFF, a
// sequence cut short) gives kReplacement and a length of 1.
inline std::size_t Next(std::string_view text, std::size_t i, char32_t& cp) {
  const std::size_t length = DecodeUtf8(text, i, cp);
  if (length > 0) return length;
  cp = kReplacement;
  return 1;
}

}  // namespace orvane::utf8
