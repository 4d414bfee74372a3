#include "text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane {
namespace {

TEST(Text, TrimRemovesBlanksAndControlCharacters) {
  EXPECT_EQ(Trim("  12 \t\r"), "12");
  EXPECT_EQ(Trim("\x01\x1f a b \x7f"), "a b \x7f");  // DEL is not a control byte here
  EXPECT_EQ(Trim(" \t "), "");
  EXPECT_EQ(Trim("\xc2\xb0"), "\xc2\xb0");  // UTF-8 bytes are kept
}

TEST(Text, IsNumberChecksCharactersOnly) {
  for (const char* yes : {"", "120", "-5", "1.2.3", "--", ".", "007"}) {
    EXPECT_TRUE(IsNumber(yes)) << yes;
  }
  for (const char* no : {"+5", "1e5", "3x", " 1", "N30E"}) {
    EXPECT_FALSE(IsNumber(no)) << no;
  }
}

std::vector<std::string> Tokens(std::string line) {
  std::vector<std::string> out;
  std::string_view rest = line;
  std::string_view token;
  while (!rest.empty()) {
    NextToken(rest, token);
    out.emplace_back(token);
  }
  return out;
}

TEST(Text, NextTokenSplitsAtSpaceCommaTab) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Tokens("120 30 45 20 N"), (V{"120", "30", "45", "20", "N"}));
  EXPECT_EQ(Tokens("120,30,45,20,N"), (V{"120", "30", "45", "20", "N"}));
  EXPECT_EQ(Tokens("120\t30\t45\t20\tN"), (V{"120", "30", "45", "20", "N"}));
  EXPECT_EQ(Tokens("120   30"), (V{"120", "30"}));
  // A comma after blanks, or two separators in a row, give an empty field.
  EXPECT_EQ(Tokens("120 , 30"), (V{"120", "", "30"}));
  EXPECT_EQ(Tokens("120,,30"), (V{"120", "", "30"}));
  EXPECT_EQ(Tokens("a,b c"), (V{"a", "b", "c"}));
}

TEST(Text, NextTokenLeavesTheTrimmedRest) {
  std::string_view rest = "120 ,30";
  std::string_view token;
  NextToken(rest, token);
  EXPECT_EQ(token, "120");
  EXPECT_EQ(rest, ",30");
  NextToken(rest, token);
  EXPECT_EQ(token, "");
  EXPECT_EQ(rest, "30");
}

TEST(Text, FindCharAgreesWithFind) {
  // Short texts take a loop, longer ones the library search from the 64th byte on.
  for (const std::size_t length : {0, 1, 63, 64, 65, 200}) {
    for (const std::size_t at : {0, 1, 62, 63, 64, 65, 199, 1000}) {
      std::string text(length, 'x');
      if (at < length) text[at] = '#';
      EXPECT_EQ(FindChar(text, '#'), std::string_view(text).find('#')) << length << " " << at;
    }
  }
}

TEST(Text, FirstCharactersNeverSplitsUtf8) {
  const std::string degrees = "#\xc2\xb0\xc2\xb0\xc2\xb0";  // "#°°°"
  EXPECT_EQ(FirstCharacters(degrees, 3), "#\xc2\xb0\xc2\xb0");
  EXPECT_EQ(FirstCharacters(degrees, 10), degrees);
  EXPECT_EQ(FirstCharacters("abcdef", 4), "abcd");
  // Not valid UTF-8 (a lone Windows-1252 degree sign): every byte counts.
  EXPECT_EQ(FirstCharacters("#\xb0\xb0\xb0", 2), "#\xb0");
}

TEST(Text, IsValidUtf8) {
  EXPECT_TRUE(IsValidUtf8("plain"));
  EXPECT_TRUE(IsValidUtf8("\xe2\x82\xac \xf0\x9f\x98\x80"));
  EXPECT_FALSE(IsValidUtf8("\xb0"));          // lone continuation byte
  EXPECT_FALSE(IsValidUtf8("\xc0\xaf"));      // overlong
  EXPECT_FALSE(IsValidUtf8("\xed\xa0\x80"));  // surrogate
  EXPECT_FALSE(IsValidUtf8("\xe2\x82"));      // cut short
}

TEST(Text, DecodeUtf8GivesCodePointAndLength) {
  struct Case {
    std::string_view bytes;
    std::size_t length;  // 0: no sequence starts here
    char32_t cp;
  };
  const Case cases[] = {
      {"A", 1, 0x41},
      {"\xc2\xb0"
       "C",
       2, 0xB0},                          // degree sign
      {"\xe2\x82\xac", 3, 0x20AC},        // euro sign
      {"\xf0\x9d\x84\x9e", 4, 0x1D11E},   // beyond the basic plane
      {"\xf4\x8f\xbf\xbf", 4, 0x10FFFF},  // the last code point
      {"\xb0", 0, 0},                     // lone continuation byte
      {"\xc0\xaf", 0, 0},                 // overlong
      {"\xed\xa0\x80", 0, 0},             // surrogate
      {"\xf4\x90\x80\x80", 0, 0},         // beyond U+10FFFF
      {"\xe2\x82", 0, 0},                 // cut short
  };
  for (const Case& c : cases) {
    char32_t cp = 0;
    EXPECT_EQ(DecodeUtf8(c.bytes, 0, cp), c.length) << c.bytes;
    if (c.length > 0) {
      EXPECT_EQ(cp, c.cp) << c.bytes;
    }
  }
}

}  // namespace
}  // namespace orvane
