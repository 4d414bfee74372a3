// SG2PS data files: the header, repeated cells, pitches, sense words, the ".set" rule.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "format_readers.h"
#include "reader_test_support.h"

namespace orvane {
namespace {

using Lines = std::vector<std::string>;

// Columns in SG2PS's order; DEPTH absent. Tabs written as "|" for reading.
std::string Rgf(std::string text) {
  for (char& c : text) {
    if (c == '|') c = '\t';
  }
  return text;
}

TEST(RgfReader, RowsRepeatedCellsAndComments) {
  const std::string rgf = Rgf(
      "DATA_ID|LOCATION|LOC_X|LOC_Y|FORMATION|DATATYPE|DIP_DIR|DIP|L_DIP_DIR|L_DIP|SENSE|COMMENT\n"
      "1|ALPHA|10|20|marl|STRIAE|120|30|45|20|NORMAL|first\n"
      "2||||||210|65|215|60|+|\n"
      "3||||BEDDING|BEDDING|90|10||||\n"
      "4||||marl|striae|120|30|45|20|dx|\n"
      "\n"
      "5|BETA|||||120|30|45|20|x|\n"
      "6||||||120|30|45|20|sideways|\n"
      "7||||||120|||||\n");
  const TranslatedBook book = ReadSg2psFile(rgf, {});
  const Lines expected = {
      "# DATA_ID LOCATION LOC_X LOC_Y FORMATION DATATYPE DIP_DIR DIP L_DIP_DIR L_DIP SENSE COMMENT",
      "120 30 45 20 N # id 1; ALPHA; first",
      "210 65 215 60 R # id 2; ALPHA",
      "# BEDDING: 3    BEDDING BEDDING 90 10",
      "120 30 45 20 D # id 4; ALPHA",
      "",
      "120 30 45 20 # id 5; BETA",
      "120 30 45 20 ? # 6      120 30 45 20 sideways",
      "? ? # 7      120",
  };
  EXPECT_EQ(book.lines, expected);
  EXPECT_EQ(book.records, 6);
  EXPECT_EQ(book.sourceLines, (std::vector<long>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(RgfReader, SenseWords) {
  struct Case {
    const char* word;
    const char* line;
  };
  for (const Case c : {Case{"+", "R"},    {"thrust", "R"},    {"UP", "R"},      {"Inverse", "R"},
                       {"u", "R"},        {"I", "R"},         {"reverse", "R"}, {"R", "R"},
                       {"-", "N"},        {"NORMAL", "N"},    {"fault", "N"},   {"down", "N"},
                       {"DOWNWARD", "N"}, {"n", "N"},         {"DEXTRAL", "D"}, {"dx", "D"},
                       {"D", "D"},        {"sinistral", "S"}, {"SN", "S"},      {"s", "S"},
                       {"X", ""},         {"none", ""},       {"", ""}}) {
    const std::string rgf = Rgf(std::string("DATATYPE|DIP_DIR|DIP|L_DIP_DIR|L_DIP|SENSE\n") +
                                "STRIAE|120|30|45|20|" + c.word + "\n");
    const std::string want = *c.line ? std::string("120 30 45 20 ") + c.line : "120 30 45 20";
    EXPECT_EQ(ReadSg2psFile(rgf, {}).lines.at(1), want) << c.word;
  }
}

// SG2PS's own results for a pitch: plane 151/61 with pitch 80 E gives 131.01/59.47,
// plane 128/59 with pitch 80 S gives 146.90/57.58.
TEST(RgfReader, PitchesGiveSg2psGeometry) {
  const TranslatedBook book = ReadSg2psFile(Rgf("DATATYPE|DIP_DIR|DIP|L_DIP_DIR|L_DIP|SENSE\n"
                                                "STRIAE|151|61|80|E|N\n"
                                                "STRIAE|128|59|80|S|N\n"
                                                "STRIAE|128|59|95|S|N\n"
                                                "STRIAE|128|59|80|Q|N\n"),
                                            {});
  const auto first = testing::Convert(book.lines[1]);
  const auto second = testing::Convert(book.lines[2]);
  ASSERT_TRUE(first.ok && second.ok) << first.error << second.error;
  EXPECT_NEAR(first.trend, 131.01, 0.005);
  EXPECT_NEAR(first.plunge, 59.47, 0.005);
  EXPECT_NEAR(second.trend, 146.90, 0.005);
  EXPECT_NEAR(second.plunge, 57.58, 0.005);
  EXPECT_EQ(book.lines[3], "128 59 ? N # STRIAE 128 59 95 S N");  // no pitch beyond 90
  EXPECT_EQ(book.lines[4], "128 59 ? N # STRIAE 128 59 80 Q N");
}

TEST(RgfReader, RightHandRuleStrikesFromTheSetFile) {
  EXPECT_EQ(RgfSettingsFileName("data/site.rgf"), "data/site.set");
  EXPECT_EQ(RgfSettingsFileName("data.d/site"), "data.d/site.set");
  EXPECT_TRUE(RgfSettingsSayRightHandRule("CONTOURING: N\nDATARULE: R\n"));
  EXPECT_TRUE(RgfSettingsSayRightHandRule("datarule:\tright\r\n"));
  EXPECT_FALSE(RgfSettingsSayRightHandRule("DATARULE: G\n"));
  EXPECT_FALSE(RgfSettingsSayRightHandRule(""));
  ReaderOptions options;
  options.rightHandRuleStrikes = true;
  const std::string rgf =
      Rgf("DATATYPE|DIP_DIR|DIP|L_DIP_DIR|L_DIP|SENSE\nSTRIAE|300|30|45|20|N\n");
  EXPECT_EQ(ReadSg2psFile(rgf, options).lines[1], "30 30 45 20 N");
  EXPECT_EQ(ReadSg2psFile(rgf, {}).lines[1], "300 30 45 20 N");
}

TEST(RgfReader, HeaderIsNeeded) {
  try {
    ReadSg2psFile("\n1 120 30 45 20 N\n", {});
    FAIL();
  } catch (const ReaderStopped& e) {
    EXPECT_EQ(e.Line(), 2);
    EXPECT_STREQ(e.what(),
                 "no header row with the columns DATATYPE, DIP_DIR and DIP, separated by tabs");
  }
}

}  // namespace
}  // namespace orvane
