// Byte-string helpers shared by every reader of the engine.
//
// Text is handled as bytes; positions are 0-based in the code (the field-book
// rules are stated 1-based, so "position 1" is index 0 here).
#pragma once

#include <cstddef>
#include <string_view>

namespace orvane {

// True for the bytes that Trim removes: the blank and every control character (0..32).
constexpr bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

// Removes leading and trailing blanks and control characters. "  12 \t" -> "12".
inline std::string_view Trim(std::string_view text) {
  std::size_t b = 0;
  std::size_t e = text.size();
  while (b < e && IsBlankOrControl(text[b])) ++b;
  while (e > b && IsBlankOrControl(text[e - 1])) --e;
  return text.substr(b, e - b);
}

// True when every character is a decimal digit, "." or "-". The empty text is
// numeric too. Says nothing about the form: "1.2.3" and "--" pass.
inline bool IsNumber(std::string_view text) {
  for (const char c : text) {
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-')) return false;
  }
  return true;
}

// The index of the first `c` in `text`, npos when there is none: string_view::find
// for the short texts of a line, where a plain loop beats a library call.
inline std::size_t FindChar(std::string_view text, char c) {
  constexpr std::size_t kShort = 64;  // beyond this, the library's wide search wins
  const std::size_t n = text.size() < kShort ? text.size() : kShort;
  for (std::size_t i = 0; i < n; ++i) {
    if (text[i] == c) return i;
  }
  return n == text.size() ? std::string_view::npos : text.find(c, n);
}

// Cuts the next field off the front of `rest` into `token` and leaves the trimmed
// remainder in `rest`. Fields end at the first space, unless a comma or tab comes
// earlier. "120 , 30" gives "120", then "", then "30".
namespace detail {
// The bytes that end a field: space, comma and tab.
struct FieldEnds {
  bool at[256];
};
constexpr FieldEnds MakeFieldEnds() {
  FieldEnds t{};
  t.at[static_cast<unsigned char>(' ')] = true;
  t.at[static_cast<unsigned char>(',')] = true;
  t.at[static_cast<unsigned char>('\t')] = true;
  return t;
}
inline constexpr FieldEnds kFieldEnds = MakeFieldEnds();
}  // namespace detail

inline void NextToken(std::string_view& rest, std::string_view& token) {
  // The cut is at the first space, comma or tab, whichever comes first.
  std::size_t cut = 0;
  while (cut < rest.size() && !detail::kFieldEnds.at[static_cast<unsigned char>(rest[cut])]) ++cut;
  if (cut == rest.size()) {
    token = rest;
    rest = std::string_view();
    return;
  }
  token = Trim(rest.substr(0, cut));
  rest = Trim(rest.substr(cut + 1));
}

// The first `maxChars` characters of `text`: UTF-8 sequences count as one
// character and are never split; in text that is not valid UTF-8 every byte is
// one character.
std::string_view FirstCharacters(std::string_view text, std::size_t maxChars);

// Decodes the well-formed UTF-8 sequence that starts at text[i] (i < text.size())
// into `cp` and returns its length in bytes, 1 to 4. Returns 0, leaving `cp` alone,
// where none starts: a stray continuation byte, an overlong form, a surrogate,
// a value beyond U+10FFFF or a sequence cut short. The one UTF-8 decoder of the
// programs.
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& cp);

// True when the bytes are well-formed UTF-8 (no overlongs, surrogates or values above U+10FFFF).
bool IsValidUtf8(std::string_view text);

}  // namespace orvane
