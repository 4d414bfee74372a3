// Reading UTF-8 one code point at a time, for texts that the net prints (file
// names may hold any bytes).
#pragma once

#include <cstddef>
#include <string_view>

namespace orvane::utf8 {

inline constexpr char32_t kReplacement = 0xFFFD;

// Decodes the code point that starts at text[i] (i < text.size()) into `cp` and
// returns its length in bytes. A byte that does not start a well-formed sequence
// (stray continuation bytes, overlong forms, surrogates, beyond U+10FFFF, a
// sequence cut short) gives kReplacement and a length of 1.
inline std::size_t Next(std::string_view text, std::size_t i, char32_t& cp) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b0 = byte(i);
  cp = kReplacement;
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  }
  std::size_t length;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    if (b0 == 0xE0) low = 0xA0;   // no overlong forms
    if (b0 == 0xED) high = 0x9F;  // no surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    if (b0 == 0xF0) low = 0x90;
    if (b0 == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
  } else {
    return 1;
  }
  if (text.size() - i < length) return 1;
  if (byte(i + 1) < low || byte(i + 1) > high) return 1;
  for (std::size_t k = 2; k < length; ++k) {
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 1;
  }
  char32_t value = b0 & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) value = (value << 6) | (byte(i + k) & 0x3F);
  cp = value;
  return length;
}

}  // namespace orvane::utf8
