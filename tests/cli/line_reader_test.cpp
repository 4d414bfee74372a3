// Line reading across read boundaries: line ends, a byte order mark, overlong lines.
#include "line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stream_fakes.h"

namespace orvane::cli {
namespace {

// Every line as "text" or "text+" for a cut one.
std::vector<std::string> Lines(const std::string& bytes, std::size_t chunk, std::size_t limit) {
  StringSource source(bytes, chunk);
  LineReader reader(source, limit);
  std::vector<std::string> lines;
  InputLine line;
  while (reader.Next(line)) lines.push_back(std::string(line.text) + (line.overlong ? "+" : ""));
  return lines;
}

using L = std::vector<std::string>;

struct Case {
  const char* name;
  std::string bytes;
  L lines;
};

// Each case is read in reads of 1, 2, 3, 5 and 64 Ki bytes, so that every line end,
// the byte order mark and the limit fall on and across read boundaries.
TEST(LineReader, SameLinesWhateverTheReadSize) {
  const std::string bom = "\xEF\xBB\xBF";
  const Case cases[] = {
      {"empty", "", {}},
      {"LF", "a\nbb\n", {"a", "bb"}},
      {"CR LF", "a\r\nbb\r\n", {"a", "bb"}},
      {"CR", "a\rbb\r", {"a", "bb"}},
      {"mixed", "a\r\n\rb\n\r\nc", {"a", "", "b", "", "c"}},
      {"no end", "120 30", {"120 30"}},
      {"blank lines", "\n\n", {"", ""}},
      {"CR then LF is one end", "a\r\n", {"a"}},
      {"LF then CR is two", "a\n\rb", {"a", "", "b"}},
      {"byte order mark", bom + "120 30\nx\n", {"120 30", "x"}},
      {"only a byte order mark", bom, {}},
      {"byte order mark, then a line end", bom + "\n", {""}},
      {"byte order mark later is kept", "a\n" + bom + "b", {"a", bom + "b"}},
      {"part of a mark is kept", "\xEF\xBBx\n", {"\xEF\xBBx"}},
      // limit 8
      {"exactly the limit", "12345678\nx", {"12345678", "x"}},
      {"exactly the limit at the end", "12345678", {"12345678"}},
      {"one byte over", "123456789\nx", {"12345678+", "x"}},
      {"one byte over at the end", "123456789", {"12345678+"}},
      {"over, CR LF", "123456789abc\r\nx\r\n", {"12345678+", "x"}},
      {"over, CR", "123456789abc\rx", {"12345678+", "x"}},
      {"over, line end right after the limit",
       "12345678\r\n123456789\n",
       {"12345678", "12345678+"}},
      {"two overlong lines",
       "aaaaaaaaaaaa\nbbbbbbbbbbbbbbbbbbbbbbb\nc",
       {"aaaaaaaa+", "bbbbbbbb+", "c"}},
      {"over, never ending", std::string(100, 'z'), {"zzzzzzzz+"}},
      {"mark not counted in the limit", bom + "12345678\n", {"12345678"}},
  };
  for (const Case& c : cases) {
    for (const std::size_t chunk : {1, 2, 3, 5, 1 << 16}) {
      EXPECT_EQ(Lines(c.bytes, chunk, 8), c.lines) << c.name << ", reads of " << chunk;
    }
  }
}

TEST(LineReader, LongLinesUnderTheLimitGrowTheBuffer) {
  // Lines longer than one 64 KiB read but under the limit come through whole.
  const std::string a(200000, 'a');
  const std::string b(70000, 'b');
  EXPECT_EQ(Lines(a + "\r\n" + b, 4096, 1 << 20), (L{a, b}));
  EXPECT_EQ(Lines(a + "\n", 1 << 16, 150000), (L{a.substr(0, 150000) + "+"}));
}

TEST(LineReader, AnOverlongLineIsSkippedWithoutBeingKept) {
  // 20 MB without a line end, then a line: only the first bytes of the long one are
  // kept, and all of it is read past.
  std::string bytes(20'000'000, '\0');
  bytes += "\n120 30\n";
  StringSource source(bytes, 1 << 16);
  LineReader reader(source, 1 << 20);
  InputLine line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_TRUE(line.overlong);
  EXPECT_EQ(line.text.size(), 1u << 20);
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line.text, "120 30");
  EXPECT_FALSE(line.overlong);
  EXPECT_FALSE(reader.Next(line));
}

TEST(LineReader, ReadErrorReachesTheCaller) {
  StringSource source("a\nb\nc\n", 1, 3);
  LineReader reader(source, 8);
  InputLine line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line.text, "a");
  try {
    reader.Next(line);
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_STREQ(e.what(), "cannot read 'in.txt': Input/output error");
  }
}

}  // namespace
}  // namespace orvane::cli
