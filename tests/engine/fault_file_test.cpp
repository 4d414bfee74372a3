#include "fault_file.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "text.h"

namespace orvane {
namespace {

constexpr auto kUtf8 = TextEncoding::Utf8;
constexpr auto kBom = TextEncoding::Utf8WithByteOrderMark;
constexpr auto kCp1252 = TextEncoding::Windows1252;

TEST(FaultFile, NameGetsExactlyOneFdtEnding) {
  EXPECT_EQ(FaultDataFileName("result"), "result.fdt");
  EXPECT_EQ(FaultDataFileName("result.fdt"), "result.fdt");
  EXPECT_EQ(FaultDataFileName("result.FDT"), "result.FDT.fdt");
  EXPECT_EQ(FaultDataFileName("result.txt"), "result.txt.fdt");
  EXPECT_EQ(FaultDataFileName("fdt"), "fdt.fdt");
  EXPECT_EQ(FaultDataFileName(".fdt"), ".fdt");
}

TEST(FaultFile, DecodingFindsTheEncodingAndUnifiesLineBreaks) {
  const struct {
    std::string bytes;
    std::string text;
    TextEncoding encoding;
  } rows[] = {
      {"", "", kUtf8},
      {"120 30 45 20 N\r\n", "120 30 45 20 N\n", kUtf8},
      {"a\r\nb\rc\nd\r", "a\nb\nc\nd\n", kUtf8},
      {"\r\r\n\n", "\n\n\n", kUtf8},
      {"# Caf\xC3\xA9 12\xC2\xB0\n", "# Caf\xC3\xA9 12\xC2\xB0\n", kUtf8},
      // The mark is noted and is not part of the first line.
      {std::string(kUtf8ByteOrderMark) + "120 30\r\n", "120 30\n", kBom},
      {"\xEF\xBB\xBF", "", kBom},
      // A mark further on is text.
      {"a\xEF\xBB\xBF", "a\xEF\xBB\xBF", kUtf8},
      // Not UTF-8: Windows-1252, one character per byte.
      {"# Caf\xE9 12\xB0\r\n", "# Caf\xC3\xA9 12\xC2\xB0\n", kCp1252},
      {"\x80\x85\x9F", "\xE2\x82\xAC\xE2\x80\xA6\xC5\xB8", kCp1252},
      {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D", kCp1252},
      {"\xC0\xAF", "\xC3\x80\xC2\xAF", kCp1252},      // an overlong "/" is no UTF-8
      {"\xE2\x82", "\xC3\xA2\xE2\x80\x9A", kCp1252},  // a cut sequence neither
      // A mark before bytes that are not UTF-8 is Windows-1252 text too.
      {"\xEF\xBB\xBF\xE9", "\xC3\xAF\xC2\xBB\xC2\xBF\xC3\xA9", kCp1252},
  };
  for (const auto& r : rows) {
    const DecodedText decoded = DecodeFileText(r.bytes);
    EXPECT_EQ(decoded.text, r.text) << r.bytes;
    EXPECT_EQ(decoded.encoding, r.encoding) << r.bytes;
  }
}

TEST(FaultFile, EveryWindows1252ByteComesBackAsItWas) {
  std::string all;
  for (int b = 0; b < 256; ++b) {
    if (b != '\r') all += static_cast<char>(b);
  }
  const DecodedText decoded = DecodeFileText(all);
  ASSERT_EQ(decoded.encoding, kCp1252);
  EXPECT_EQ(EncodeText(decoded.text, kCp1252), all);
}

// Whatever the bytes, decoding and encoding back in the encoding found gives them
// again, line breaks aside; and the decoded text is always UTF-8.
TEST(FaultFile, AnyBytesComeBackAsTheyWere) {
  const std::string pieces[] = {"\r",
                                "\n",
                                "\r\n",
                                "\xEF\xBB\xBF",
                                "\xEF",
                                "\xBB",
                                "\xC3\xA9",
                                "\xE9",
                                "\x80",
                                "\x81",
                                "\x9F",
                                "\xA0",
                                "\xFF",
                                "\xF0\x9F\x98\x80",
                                "\xED\xA0\x80",
                                "\xC0\xAF",
                                "#",
                                " ",
                                "7",
                                std::string(1, '\0')};
  std::mt19937 random(12345);
  for (int round = 0; round < 20000; ++round) {
    std::string bytes;
    const int count = static_cast<int>(random() % 12);
    for (int k = 0; k < count; ++k) bytes += pieces[random() % std::size(pieces)];
    std::string expected;  // line breaks unified
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
      expected += bytes[i] == '\r' ? '\n' : bytes[i];
    }
    const DecodedText decoded = DecodeFileText(bytes);
    ASSERT_TRUE(IsValidUtf8(decoded.text)) << bytes;
    const std::string mark(decoded.encoding == kBom ? kUtf8ByteOrderMark : "");
    ASSERT_EQ(mark + EncodeText(decoded.text, decoded.encoding), expected) << bytes;
  }
}

TEST(FaultFile, EncodingToWindows1252MarksWhatItLacks) {
  const struct {
    std::string utf8;
    std::string bytes;
  } rows[] = {
      {"120 30 # Caf\xC3\xA9 12\xC2\xB0", "120 30 # Caf\xE9 12\xB0"},
      {"\xE2\x82\xAC \xC5\xB8 \xE2\x84\xA2", "\x80 \x9F \x99"},
      {"\xCE\xA9", "?"},            // Greek capital omega
      {"\xF0\x9F\x98\x80!", "?!"},  // one emoji, one "?"
      {"\xC2\x80", "?"},            // U+0080 has no byte: 0x80 is the euro sign
      {"-\xFF-\xE2\x82", "-?-??"},  // bytes that are no UTF-8, one "?" each
      {"\xED\xA0\x80", "???"},      // a surrogate is no character
  };
  for (const auto& r : rows) EXPECT_EQ(EncodeText(r.utf8, kCp1252), r.bytes) << r.utf8;
  // UTF-8 stays as it is, and the mark is left to the file.
  EXPECT_EQ(EncodeText("\xCE\xA9", kUtf8), "\xCE\xA9");
  EXPECT_EQ(EncodeText("\xCE\xA9", kBom), "\xCE\xA9");
}

TEST(FaultFile, BytesFollowTheCommentRuleAndTheEncoding) {
  const std::vector<std::string> lines = {
      "# comment", "# error in x [y]", " 120 30  48 11 N # caf\xC3\xA9", "  # note", "", " 10  5 "};
  EXPECT_EQ(FaultFileBytes(lines, true, kUtf8),
            " 120 30  48 11 N # caf\xC3\xA9\r\n  # note\r\n\r\n 10  5 \r\n");
  EXPECT_EQ(FaultFileBytes(lines, false, kUtf8),
            "# comment\r\n# error in x [y]\r\n 120 30  48 11 N # caf\xC3\xA9\r\n  # note\r\n\r\n"
            " 10  5 \r\n");
  EXPECT_EQ(FaultFileBytes(lines, true, kCp1252),
            " 120 30  48 11 N # caf\xE9\r\n  # note\r\n\r\n 10  5 \r\n");
  EXPECT_EQ(FaultFileBytes(lines, true, kBom),
            "\xEF\xBB\xBF 120 30  48 11 N # caf\xC3\xA9\r\n  # note\r\n\r\n 10  5 \r\n");

  EXPECT_EQ(FaultFileBytes({}, true, kUtf8), "");
  EXPECT_EQ(FaultFileBytes({}, true, kBom), "\xEF\xBB\xBF");
  const std::vector<std::string> onlyComments = {"# a", "#"};
  EXPECT_EQ(FaultFileBytes(onlyComments, true, kCp1252), "");
}

}  // namespace
}  // namespace orvane
