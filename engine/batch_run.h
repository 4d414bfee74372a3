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

// Converts input lines one at a time, for callers that stream (the batch converter)
// as well as for ConvertAllLines. Holds the run's settings; cheap per line.
class BatchRun {
 public:
  BatchRun(const ConversionOptions& options, NotifyUser notify);

  // Writes the output line for `line` into `out` (replacing its content) and says what
  // it was. The message of an error line is MessageOf(out). Throws RunStopped when a
  // setting of the run cannot be read; `out` is then unspecified.
  LineOutcome ConvertInputLine(std::string_view line, std::string& out);
  // The same, appending the output line to `out`; on RunStopped, `out` may hold
  // part of it after what it held before.
  LineOutcome AppendInputLine(std::string_view line, std::string& out);

  // The message of an error line written by ConvertInputLine.
  static std::string_view MessageOf(std::string_view errorLine);

 private:
  LineContext ctx_;
};

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
