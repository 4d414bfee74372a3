// The converter's run in process: order and diagnostics on any number of threads,
// the fault data file's form, stops, failing input and output, overlong lines and
// the stereonet's count.
#include "convert_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "file_formats.h"
#include "stream_fakes.h"

namespace orvane::cli {
namespace {

// A field book of `lines` lines cycling through converted, error, blank, comment
// and CR LF lines.
std::string FieldBook(int lines) {
  static const char* const kLines[] = {
      "120 30 45 20 N # site 1\n",
      "N28E32S R70N N\r\n",
      "210/65 215/60 R\n",
      "35 50 N          # no lineation\n",
      "\n",
      "# comment only\n",
      "  # indented comment\n",
      "40 85 N40W03N S\n",
      "120 30 45 20\n",
  };
  std::string book;
  for (int i = 0; i < lines; ++i) book += kLines[i % 9];
  return book;
}

struct Outcome {
  RunResult result;
  std::string output;
  std::string diagnostics;
};

Outcome Convert(const std::string& input, RunSettings settings = {}, std::size_t chunk = 1 << 16) {
  StringSource source(input, chunk);
  StringSink output;
  StringSink diagnostics(SIZE_MAX, "standard error");
  Outcome o;
  o.result = ConvertRun(settings, source, output, diagnostics);
  o.output = output.text;
  o.diagnostics = diagnostics.text;
  return o;
}

RunSettings Settings(unsigned threads) {
  RunSettings s;
  s.inputName = "in.txt";
  s.threads = threads;
  return s;
}

TEST(ConvertRun, OneOutputLinePerInputLineWithItsDiagnostics) {
  const Outcome o = Convert(FieldBook(10), Settings(1));
  EXPECT_EQ(o.output,
            " 120 30  50 11 N # site 1\n"
            " 118 32  95 30 N \n"
            " 210 65 216 65 R \n"
            "# error in liniation data [35 50 N          # no lineation]\n"
            "\n"
            "# comment only\n"
            "  # indented comment\n"
            "  40 85 310  4 S \n"
            "# error in character data [120 30 45 20]\n"
            " 120 30  50 11 N # site 1\n");
  EXPECT_EQ(o.diagnostics,
            "in.txt:4: error in liniation data\n"
            "in.txt:9: error in character data\n");
  EXPECT_EQ(o.result.status, kExitLineErrors);
  EXPECT_EQ(o.result.lines, 10);
  EXPECT_EQ(Convert("120 30 45 20 N\n\n# c\n").result.status, kExitConverted);
  EXPECT_EQ(Convert("").output, "");
}

TEST(ConvertRun, ThreadsAndReadSizesChangeNothing) {
  // Many blocks, several of them in flight at once, and reads that end mid-line.
  const std::string book = FieldBook(30000);
  const Outcome one = Convert(book, Settings(1));
  for (const unsigned threads : {2u, 3u, 8u}) {
    const Outcome many = Convert(book, Settings(threads), 4093);
    EXPECT_EQ(many.output, one.output) << threads;
    EXPECT_EQ(many.diagnostics, one.diagnostics) << threads;
    EXPECT_EQ(many.result.status, one.result.status) << threads;
  }
  EXPECT_EQ(one.result.lines, 30000);
  EXPECT_NE(one.diagnostics.find("in.txt:29992: error in liniation data\n"), std::string::npos);
}

TEST(ConvertRun, FaultDataFileHasCrLfAndLeavesOutHashLines) {
  RunSettings s = Settings(2);
  s.faultDataFile = true;
  const std::string book = "120 30 45 20 N\n# note\n  # kept\nx\n\n";
  EXPECT_EQ(Convert(book, s).output, " 120 30  50 11 N \r\n  # kept\r\n\r\n");
  s.options.RemoveComment = false;
  EXPECT_EQ(Convert(book, s).output,
            " 120 30  50 11 N \r\n# note\r\n  # kept\r\n# error in surface data [x]\r\n\r\n");
}

// Every format written while the run streams, on any number of threads, is the
// file that the whole-file writer makes of the run's output lines.
TEST(ConvertRun, SeveralFormatsAtOnceAreTheirWholeFiles) {
  const std::string book = FieldBook(20000);
  RunSettings s = Settings(1);
  s.location = "Valle Scura";
  s.options.RemoveComment = false;
  const Outcome listing = Convert(book, s);
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = listing.output.find('\n', at)) != std::string::npos;
       at = end + 1) {
    lines.push_back(listing.output.substr(at, end - at));
  }
  ASSERT_EQ(lines.size(), 20000u);
  WriteOptions options;
  options.run = s.options;
  options.location = s.location;
  for (const unsigned threads : {1u, 3u}) {
    s.threads = threads;
    StringSource source(book, 4093);
    std::vector<StringSink> sinks(FileFormats().size() + 1);
    std::vector<RunOutput> outputs;
    for (std::size_t k = 0; k < FileFormats().size(); ++k) {
      outputs.push_back({&sinks[k], FileFormats()[k].writer});
    }
    outputs.push_back({&sinks.back(), nullptr});
    StringSink diagnostics;
    const RunResult r = ConvertRun(s, source, outputs, diagnostics);
    EXPECT_EQ(r.status, listing.result.status);
    EXPECT_EQ(diagnostics.text, listing.diagnostics) << "each error line reported once";
    for (std::size_t k = 0; k < FileFormats().size(); ++k) {
      const FormatWriter& format = *FileFormats()[k].writer;
      EXPECT_TRUE(sinks[k].text == FormatFileBytes(format, lines, options, TextEncoding::Utf8))
          << format.Name() << " on " << threads << " threads";
    }
    EXPECT_TRUE(sinks.back().text == listing.output);
  }
}

TEST(ConvertRun, UnreadableSettingStopsTheRunAtTheLineThatNeedsIt) {
  // The declination is read at the first converted line: here in a later block.
  std::string book;
  for (int i = 0; i < 5000; ++i) book += "120 x 45 20 N\n";
  book += "120 30 45 20 N\n120 30 45 20 N\n";
  for (const unsigned threads : {1u, 3u}) {
    RunSettings s = Settings(threads);
    s.options.DeclinationText = "2W";
    const Outcome o = Convert(book, s);
    EXPECT_EQ(o.result.status, kExitFailed);
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
      expected += "# error in surface data with 'ddd dd' format [120 x 45 20 N]\n";
    }
    EXPECT_TRUE(o.output == expected) << "the 5,000 error lines and nothing after them";
    const std::string last = "in.txt:5001: Declination \"2W\" is not a number\n";
    ASSERT_GE(o.diagnostics.size(), last.size());
    EXPECT_EQ(o.diagnostics.substr(o.diagnostics.size() - last.size()), last);
  }
  // The untilting percentage tells the user once, and that is the message.
  RunSettings s = Settings(3);
  s.options.UntiltingText = "abc";
  const Outcome o = Convert("\n120 30 45 20 N 90/30\n120 30 45 20 N 90/30\n", s);
  EXPECT_EQ(o.result.status, kExitFailed);
  EXPECT_EQ(o.output, "\n");
  EXPECT_EQ(o.diagnostics, "in.txt:2: input [0-100]\n");
}

TEST(ConvertRun, OutputThatCannotBeWrittenStopsTheRun) {
  const std::string book = FieldBook(200000);  // about 5 MB
  const std::string full = Convert(book, Settings(2)).output;
  // Failing at once, within a block, and at the last block.
  for (const std::size_t capacity : {std::size_t{0}, std::size_t{70000}, full.size() - 1}) {
    StringSource source(book);
    StringSink output(capacity);
    StringSink diagnostics;
    const RunResult r = ConvertRun(Settings(2), source, output, diagnostics);
    EXPECT_EQ(r.status, kExitFailed) << capacity;
    EXPECT_EQ(output.text, full.substr(0, capacity)) << capacity;
    const std::string message = "orvane-convert: cannot write 'out.fdt': No space left on device\n";
    ASSERT_GE(diagnostics.text.size(), message.size());
    EXPECT_EQ(diagnostics.text.substr(diagnostics.text.size() - message.size()), message);
    EXPECT_EQ(diagnostics.text.find(message), diagnostics.text.size() - message.size());
    if (capacity == 0) {
      EXPECT_LT(source.Consumed(), book.size() / 2) << "read on after failing";
    }
  }
}

TEST(ConvertRun, InputThatCannotBeReadStopsTheRun) {
  const std::string book = FieldBook(50000);
  StringSource source(book, 1 << 16, 600000);
  StringSink output;
  StringSink diagnostics;
  const RunResult r = ConvertRun(Settings(3), source, output, diagnostics);
  EXPECT_EQ(r.status, kExitFailed);
  const std::string message = "orvane-convert: cannot read 'in.txt': Input/output error\n";
  ASSERT_GE(diagnostics.text.size(), message.size());
  EXPECT_EQ(diagnostics.text.substr(diagnostics.text.size() - message.size()), message);
  EXPECT_LT(output.text.size(), Convert(book, Settings(1)).output.size());
}

TEST(ConvertRun, DiagnosticsThatCannotBeWrittenChangeNothing) {
  const std::string book = FieldBook(30000);
  const Outcome normal = Convert(book, Settings(2));
  StringSource source(book);
  StringSink output;
  StringSink diagnostics(10, "standard error");
  const RunResult r = ConvertRun(Settings(2), source, output, diagnostics);
  EXPECT_EQ(r.status, normal.result.status);
  EXPECT_EQ(output.text, normal.output);
}

TEST(ConvertRun, LineOverTheLimitIsOneErrorLineAndTheRunGoesOn) {
  const std::string longLine = "120 30 45 20 N # " + std::string(kMaxLineBytes, 'x');
  const Outcome o = Convert("120 30 45 20 N\r\n" + longLine + "\r\n120 30 45 20 N", Settings(2));
  EXPECT_EQ(o.output, " 120 30  50 11 N \n# line longer than 1048576 bytes [" +
                          longLine.substr(0, kMaxLineBytes) + "]\n 120 30  50 11 N \n");
  EXPECT_EQ(o.diagnostics, "in.txt:2: line longer than 1048576 bytes\n");
  EXPECT_EQ(o.result.status, kExitLineErrors);
  // A line of exactly the limit is an ordinary line.
  const std::string atLimit = "120 30 45 20 N #" + std::string(kMaxLineBytes - 16, 'y');
  EXPECT_EQ(Convert(atLimit, Settings(1)).result.status, kExitConverted);
}

TEST(ConvertRun, ByteOrderMarkIsNotPartOfTheFirstLine) {
  const Outcome o = Convert(
      "\xEF\xBB\xBF"
      "120 30 45 20 N\n",
      Settings(1));
  EXPECT_EQ(o.output, " 120 30  50 11 N \n");
  EXPECT_EQ(o.result.status, kExitConverted);
}

TEST(ConvertRun, NetCountsEveryLine) {
  RunSettings s = Settings(3);
  s.collectNet = true;
  const Outcome o = Convert(FieldBook(9000), s);
  EXPECT_EQ(o.result.net.faults.size(), 4000u);  // 4 of every 9 lines convert
  EXPECT_EQ(o.result.net.leftOut, 5000);
  // A plunge beyond any angle makes an error line, which is left out, and counted
  // (no converted line carries a number the net cannot read back).
  s.options.OneDecimal = true;
  const std::string huge = "1" + std::string(308, '0');
  const Outcome odd = Convert("120 30 45 20 N\n120 30 45 " + huge + " N\n\n", s);
  ASSERT_EQ(odd.result.status, kExitLineErrors);
  EXPECT_EQ(odd.output.find("nan"), std::string::npos) << odd.output;
  EXPECT_NE(odd.output.find("# error in liniation data with 'ddd dd' format [120 30 45 1"),
            std::string::npos)
      << odd.output;
  ASSERT_EQ(odd.result.net.faults.size(), 1u);
  EXPECT_EQ(odd.result.net.faults[0].sense, 'N');
  EXPECT_DOUBLE_EQ(odd.result.net.faults[0].plunge, 11.2);
  EXPECT_EQ(odd.result.net.leftOut, 2);
}

}  // namespace
}  // namespace orvane::cli
