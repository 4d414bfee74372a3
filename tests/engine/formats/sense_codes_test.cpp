#include "sense_codes.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(SenseCodes, TectonicsFpCodesBothWays) {
  for (const char letter : {'R', 'N', 'D', 'S'}) {
    const char code = TectonicsFpCode(letter);
    EXPECT_EQ(SenseOfTectonicsFpCode(code - '0'), letter) << letter;
  }
  EXPECT_EQ(TectonicsFpCode('R'), '1');
  EXPECT_EQ(TectonicsFpCode('N'), '2');
  EXPECT_EQ(TectonicsFpCode('D'), '3');
  EXPECT_EQ(TectonicsFpCode('S'), '4');
  EXPECT_EQ(TectonicsFpCode(0), '0');
  EXPECT_EQ(SenseOfTectonicsFpCode(0), 0);  // unknown
  EXPECT_EQ(SenseOfTectonicsFpCode(5), 0);  // unknown too
  EXPECT_EQ(SenseOfTectonicsFpCode(6), '?');
  EXPECT_EQ(SenseOfTectonicsFpCode(-1), '?');
}

TEST(SenseCodes, Sg2psWordsBothWays) {
  for (const char letter : {'R', 'N', 'D', 'S'}) {
    EXPECT_EQ(SenseOfSg2psWord(Sg2psSenseWord(letter)), letter) << letter;
  }
  EXPECT_EQ(Sg2psSenseWord(0), "");
  struct Case {
    std::string_view word;
    char letter;
  };
  const Case cases[] = {{"thrust", 'R'},  {"Up", 'R'}, {"+", 'R'},         {"i", 'R'},
                        {"fault", 'N'},   {"-", 'N'},  {"downward", 'N'},  {"dx", 'D'},
                        {"Sn", 'S'},      {"", 0},     {"x", 0},           {"None", 0},
                        {"oblique", '?'}, {"NN", '?'}, {"SINISTRALS", '?'}};
  for (const Case& c : cases) EXPECT_EQ(SenseOfSg2psWord(c.word), c.letter) << c.word;
}

}  // namespace
}  // namespace orvane
