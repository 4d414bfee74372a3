// Converts input lines on several threads while keeping the order and the
// diagnostics of a run on one thread.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "batch_run.h"

namespace orvane::cli {

// A block of consecutive input lines and, once converted, their output lines.
struct LineBlock {
  long firstLineNumber = 1;  // 1-based number of the first line
  std::string input;         // the lines' bytes, back to back
  std::vector<std::size_t> inputEnds;
  std::string output;
  std::vector<std::size_t> outputEnds;
  // What is written of the block: each output line before any stop, with its line
  // end, leaving out those that begin with "#" when comments are dropped.
  std::string written;
  std::vector<LineOutcome> outcomes;
  // Set when a setting of the run could not be read: the index of the line that
  // needed it (it has no output), the reason, and the messages the run showed.
  bool stopped = false;
  std::size_t stoppedAt = 0;
  std::string stopMessage;
  bool stopShown = false;
  std::vector<std::pair<std::size_t, std::string>> notices;  // line index, text

  std::size_t LineCount() const { return inputEnds.size(); }
  std::string_view InputLine(std::size_t i) const;
  std::string_view OutputLine(std::size_t i) const;
  void Clear();
};

// Converts one block with a run of its own. Blocks are independent: a run's two
// settings texts are read afresh for each, with the same outcome every time.
// `lineEnd` and `dropComments` shape block.written.
void ConvertBlock(const ConversionOptions& options, std::string_view lineEnd, bool dropComments,
                  LineBlock& block);

}  // namespace orvane::cli
