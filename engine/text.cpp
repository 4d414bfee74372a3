#include "text.h"

namespace orvane {

namespace {

// Length of the well-formed UTF-8 sequence starting at s[i], or 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view s, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = byte(i);
  if (c < 0x80) return 1;
  std::size_t n;
  unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    if (c == 0xE0) lo = 0xA0;  // overlong
    if (c == 0xED) hi = 0x9F;  // surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    if (c == 0xF0) lo = 0x90;  // overlong
    if (c == 0xF4) hi = 0x8F;  // above U+10FFFF
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  if (byte(i + 1) < lo || byte(i + 1) > hi) return 0;
  for (std::size_t k = 2; k < n; ++k) {
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  }
  return n;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = Utf8SequenceLength(text, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

std::string_view FirstCharacters(std::string_view text, std::size_t maxChars) {
  if (text.size() <= maxChars) return text;
  // Pure ASCII up to the cut is the common case and needs no decoding.
  bool ascii = true;
  for (std::size_t i = 0; i < maxChars; ++i) {
    if (static_cast<unsigned char>(text[i]) >= 0x80) {
      ascii = false;
      break;
    }
  }
  if (ascii) return text.substr(0, maxChars);
  if (!IsValidUtf8(text)) return text.substr(0, maxChars);
  std::size_t i = 0;
  for (std::size_t chars = 0; chars < maxChars && i < text.size(); ++chars) {
    i += Utf8SequenceLength(text, i);
  }
  return text.substr(0, i);
}

}  // namespace orvane
