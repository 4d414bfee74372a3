#include "text.h"

namespace orvane {

std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& cp) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char first = byte(i);
  if (first < 0x80) {
    cp = first;
    return 1;
  }
  std::size_t length;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (first >= 0xC2 && first <= 0xDF) {
    length = 2;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3;
    if (first == 0xE0) low = 0xA0;   // no overlong forms
    if (first == 0xED) high = 0x9F;  // no surrogates
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4;
    if (first == 0xF0) low = 0x90;   // no overlong forms
    if (first == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
  } else {
    return 0;
  }
  if (text.size() - i < length) return 0;
  if (byte(i + 1) < low || byte(i + 1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  }
  char32_t value = first & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) value = (value << 6) | (byte(i + k) & 0x3F);
  cp = value;
  return length;
}

namespace {

// Length of the well-formed UTF-8 sequence starting at s[i], or 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view s, std::size_t i) {
  char32_t ignored;
  return DecodeUtf8(s, i, ignored);
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
