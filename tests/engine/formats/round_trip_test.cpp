// Files written by the format writers read back by the readers: the lines read give
// the same converted lines as the run that wrote the file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch_run.h"
#include "fault_file.h"
#include "file_formats.h"
#include "format_readers.h"
#include "text.h"

namespace orvane {
namespace {

const std::vector<std::string> kBook = {
    "# survey of the ridge",
    "120 30 45 20 N # site 1, quarry wall",
    "N28E32S R70N N",
    "210/65 215/60 R # \"thrust\" zone",
    "",
    "300 80 30 5 D",
    "10 45 AN80E S # site 4",
    "35 50 N # no lineation",
    "359.6 89.6 270.2 0.4 D",
};

std::vector<std::string> ConvertedLines(const std::vector<std::string>& lines,
                                        const ConversionOptions& o) {
  BatchRun run(o, nullptr);
  std::vector<std::string> out;
  for (const auto& line : lines) {
    std::string written;
    if (run.ConvertInputLine(line, written) == LineOutcome::Converted) out.push_back(written);
  }
  return out;
}

// The part of a converted line before its comment.
std::string Data(const std::string& line) {
  return std::string(Trim(std::string_view(line).substr(0, line.find('#'))));
}

TEST(RoundTrip, WrittenFilesReadBackToTheSameConvertedLines) {
  for (const bool oneDecimal : {false, true}) {
    ConversionOptions first;
    first.OneDecimal = oneDecimal;
    first.DeclinationText = "2";
    BatchRun run(first, nullptr);
    std::vector<std::string> output;
    for (const auto& line : kBook) {
      output.emplace_back();
      run.ConvertInputLine(line, output.back());
    }
    // Converted again as they stand, the output lines give themselves back.
    ConversionOptions again;
    again.OneDecimal = oneDecimal;
    again.ProjectionToSurface = false;
    const std::vector<std::string> expected = ConvertedLines(output, again);
    ASSERT_EQ(expected.size(), 6u);

    for (const std::string_view name : {"csv", "fpl", "rgf"}) {
      const FileFormat* format = FindFileFormat(name);
      ASSERT_NE(format, nullptr) << name;
      WriteOptions options;
      options.run = first;
      options.location = "ridge";
      std::string bytes;
      format->writer->AppendHeader(options, bytes);
      for (std::size_t i = 0; i < output.size(); ++i) {
        format->writer->AppendLine(output[i], static_cast<long>(i) + 1, options, bytes);
      }
      const TranslatedBook book = FindInputFormat(name)->read(DecodeFileText(bytes).text, {});
      EXPECT_EQ(book.records, 6) << name;
      const std::vector<std::string> got = ConvertedLines(book.lines, again);
      ASSERT_EQ(got.size(), expected.size()) << name << "\n" << bytes;
      for (std::size_t i = 0; i < got.size(); ++i) {
        // SG2PS rows add their id and location to the comment.
        if (name == "rgf") {
          EXPECT_EQ(Data(got[i]), Data(expected[i])) << name << " decimal " << oneDecimal;
        } else {
          EXPECT_EQ(got[i], expected[i]) << name << " decimal " << oneDecimal;
        }
      }
    }
  }
}

}  // namespace
}  // namespace orvane
