// TectonicsFP fault files: separators, comments, sense codes with quality.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "format_readers.h"
#include "reader_test_support.h"

namespace orvane {
namespace {

using Lines = std::vector<std::string>;

TEST(FplReader, SeparatorsCommentsAndCodes) {
  const std::string fpl =
      ";X=Quarry north\n"
      "1,120,30,45,20\n"
      "2,210,65,215,60,wall 2\n"
      "33,120,30,45,20,site A, loose block\n"
      "4,120,30,45,20\n"
      "0,120,30,45,20\n"
      "5,120,30,45,20\n"
      ",comment after the separator\n"
      "\n"
      "9,120,30,45,20\n"
      "x,120,30,45,20\n"
      "2,120,30\n";
  const TranslatedBook book = ReadTectonicsFpFile(fpl, {});
  const Lines expected = {
      "# X=Quarry north",
      "120 30 45 20 R",
      "210 65 215 60 N # wall 2",
      "120 30 45 20 D # quality 3; site A, loose block",
      "120 30 45 20 S",
      "120 30 45 20",  // 0 and 5: sense unknown
      "120 30 45 20",
      "# ,comment after the separator",
      "",
      "120 30 45 20 ? # 9,120,30,45,20",
      "120 30 45 20 ? # x,120,30,45,20",
      "120 30 ? N # 2,120,30",
  };
  EXPECT_EQ(book.lines, expected);
  EXPECT_EQ(book.records, 9);
  EXPECT_EQ(book.sourceLines.back(), 12);
  EXPECT_EQ(testing::Convert(book.lines[5]).error, "error in character data");
  EXPECT_EQ(testing::Convert(book.lines[11]).error, "error in liniation data");
}

TEST(FplReader, SeparatorFoundFromTheData) {
  for (const char* fpl : {"; semicolons\n12;120;30;45;20;site A\n", "12\t120\t30\t45\t20\tsite A\n",
                          "12  120 30   45 20 site A\n", "12,120,30,45,20,site A"}) {
    const Lines lines = ReadTectonicsFpFile(fpl, {}).lines;
    EXPECT_EQ(lines.back(), "120 30 45 20 R # quality 2; site A") << fpl;
  }
  // A line that begins with the separator is a comment.
  EXPECT_EQ(ReadTectonicsFpFile("1\t120\t30\t45\t20\n\tnote\n", {}).lines.back(), "# note");
}

TEST(FplReader, DecimalsAndTheFieldsOfTheRun) {
  ReaderOptions options;
  options.lineation = false;
  EXPECT_EQ(ReadTectonicsFpFile("2,120.5,30.25,45,20\n", {}).lines[0], "120.5 30.25 45 20 N");
  EXPECT_EQ(ReadTectonicsFpFile("2,120.5,30.25,45,20\n", options).lines[0], "120.5 30.25 N");
}

}  // namespace
}  // namespace orvane
