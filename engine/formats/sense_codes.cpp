#include "sense_codes.h"

#include <array>
#include <initializer_list>

namespace orvane {

namespace {

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

bool OneOf(std::string_view word, std::initializer_list<std::string_view> words) {
  for (const std::string_view w : words) {
    if (SameWord(word, w)) return true;
  }
  return false;
}

}  // namespace

char TectonicsFpCode(char sense) {
  switch (sense) {
    case 'R':
      return '1';
    case 'N':
      return '2';
    case 'D':
      return '3';
    case 'S':
      return '4';
    default:
      return '0';
  }
}

char SenseOfTectonicsFpCode(int code) {
  static constexpr std::array<char, 6> kLetters = {0, 'R', 'N', 'D', 'S', 0};
  return code >= 0 && code <= 5 ? kLetters[static_cast<std::size_t>(code)] : '?';
}

std::string_view Sg2psSenseWord(char sense) {
  switch (sense) {
    case 'N':
      return "NORMAL";
    case 'R':
      return "INVERSE";
    case 'D':
      return "DEXTRAL";
    case 'S':
      return "SINISTRAL";
    default:
      return "";
  }
}

char SenseOfSg2psWord(std::string_view word) {
  if (OneOf(word, {"+", "THRUST", "UP", "INVERSE", "U", "I", "REVERSE", "R"})) return 'R';
  if (OneOf(word, {"-", "NORMAL", "FAULT", "DOWN", "DOWNWARD", "N"})) return 'N';
  if (OneOf(word, {"DEXTRAL", "DX", "D"})) return 'D';
  if (OneOf(word, {"SINISTRAL", "SN", "S"})) return 'S';
  return OneOf(word, {"", "X", "NONE"}) ? 0 : '?';
}

}  // namespace orvane
