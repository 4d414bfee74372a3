// The conversion run over all lines and the text form of its output lines.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "conversion_options.h"
#include "line_conversion.h"
#include "panes.h"
#include "run_stopped.h"

namespace orvane {

// How one input line came out.
enum class LineOutcome {
  Copied,     // blank or comment-only: copied through unchanged
  Converted,  // a data line in the output format
  Error,      // "# MESSAGE [" + input line + "]"
};

// What a run says about one line: its outcome and, for an error line, the message
// it carries ("error in character data"). The message stays valid until the run
// converts its next line.
struct LineResult {
  LineOutcome outcome = LineOutcome::Copied;
  std::string_view message;

  friend bool operator==(const LineResult& result, LineOutcome expected) {
    return result.outcome == expected;
  }
};

// Converts input lines one at a time, for callers that stream (the batch converter)
// as well as for ConvertAllLines. Holds the run's settings; cheap per line.
class BatchRun {
 public:
  BatchRun(const ConversionOptions& options, NotifyUser notify);

  // Writes the output line for `line` into `out` (replacing its content) and says what
  // it was. Throws RunStopped when a setting of the run cannot be read; `out` is then
  // unspecified.
  LineResult ConvertInputLine(std::string_view line, std::string& out);
  // The same, appending the output line to `out`; on RunStopped, `out` may hold
  // part of it after what it held before.
  LineResult AppendInputLine(std::string_view line, std::string& out);

  // Appends the error line of an input line longer than `limit` bytes, which is no
  // field-book line, of which `head` are the first bytes:
  // "# line longer than 1048576 bytes [" + head + "]".
  LineResult AppendOverlongLine(std::string_view head, std::size_t limit, std::string& out);

 private:
  LineContext ctx_;
  std::string message_;  // of the last overlong line
};

// Appends an error line: "# " + message + " [" + the whole input line + "]".
void AppendErrorLine(std::string& out, std::string_view message, std::string_view inputLine);

// Appends the output line of a converted datum: integer form " 120 30  45 20 N # c",
// or one-decimal form " 45.4 7.3 123 5 N # c". Ends in " " + comment.
void AppendOutputLine(std::string& out, const ZelmDataC& datum, const ConversionOptions& options,
                      std::string_view comment);

// The run behind Convert: clears the output pane, writes exactly one output line per
// input line, marks each data line as error or normal, and calls `completed` at the
// end. A RunStopped leaves the lines so far in the output pane and propagates;
// `completed` is then not called.
void ConvertAllLines(const ConversionOptions& options, InputPane& input, OutputPane& output,
                     const NotifyUser& notify, const std::function<void()>& completed);

}  // namespace orvane
