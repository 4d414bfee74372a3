// Blocks of input lines converted on worker threads: each block carries everything
// its part of the run writes, so that the blocks, written in input order, give the
// bytes and the diagnostics of a run on one thread.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "conversion_options.h"
#include "format_writer.h"
#include "stereonet.h"

namespace orvane::cli {

// Settings every block of a run shares.
struct BlockSettings {
  ConversionOptions options;
  std::string inputName = "-";  // names the input in diagnostics
  // The format of each output; nullptr for the output lines as they are, each
  // followed by LF.
  std::vector<const FormatWriter*> formats{nullptr};
  WriteOptions writeOptions;  // what the formats are told
  bool collectNet = false;    // read each written data line back as a fault
  std::size_t lineLimit = 0;  // the limit that cut the lines marked overlong
  // For input translated from another format: the source line of each input line,
  // which diagnostics name instead of the line's own number.
  const std::vector<long>* sourceLines = nullptr;
};

// Consecutive input lines and, once converted, what the run writes for them.
struct LineBlock {
  long firstLineNumber = 1;  // 1-based number of the first line
  std::string input;         // the lines' bytes, back to back
  std::vector<std::size_t> inputEnds;
  std::vector<std::size_t> overlong;  // indexes of lines cut at the line limit, ascending

  // For each output, what its format writes for the lines, up to a stop.
  std::vector<std::string> written;
  // "NAME:LINE: MESSAGE\n" for every error line, message shown and stop, in order.
  std::string diagnostics;
  long errorLines = 0;
  bool stopped = false;  // a setting of the run could not be read: nothing after it
  // The faults of the converted lines, and how many lines of the block are not among
  // them (blank, comment and error lines, and lines the net cannot read).
  std::vector<NetFault> faults;
  long leftOut = 0;

  std::size_t LineCount() const { return inputEnds.size(); }
  std::string_view InputLine(std::size_t i) const;
};

// Converts one block with a run of its own. Blocks are independent: a run's two
// settings texts are read afresh for each, with the same outcome every time.
void ConvertBlock(const BlockSettings& settings, LineBlock& block);

}  // namespace orvane::cli
