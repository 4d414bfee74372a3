// The engine as the page sees it: plain C functions over bytes in the module's memory.
//
// orvane_convert takes the whole input text (UTF-8 bytes) and the run's options; the
// results stay in the module until the next call and are read with the accessors:
// the output text (every output line followed by "\n"), one outcome byte per input
// line, the messages of the error lines, the counts, and how a stopped run stopped.
// Input lines end at LF, CR LF or a lone CR; a last line without a line end counts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "batch_run.h"
#include "conversion_options.h"
#include "numbers.h"
#include "run_stopped.h"
#include "text.h"

#if defined(__EMSCRIPTEN__)
#include <emscripten/emscripten.h>
#define ORVANE_EXPORT extern "C" EMSCRIPTEN_KEEPALIVE
#else
#define ORVANE_EXPORT extern "C"
#endif

namespace {

// The outcome bytes the page reads.
enum PageOutcome : std::uint8_t { kCopied = 0, kConverted = 1, kUnreadable = 2 };

struct PageRun {
  std::string output;                  // every output line followed by "\n"
  std::vector<std::uint8_t> outcomes;  // one per input line that has an output line
  std::string messages;                // the message of each error line, each followed by "\n"
  std::uint32_t counts[3] = {0, 0, 0};
  bool stopped = false;
  std::string stopMessages;  // what the run told the user before it stopped, "\n" after each

  void Clear() { *this = PageRun(); }
};

PageRun gRun;

// Calls `each` with every line of `text`, without its line end.
template <typename Each>
void ForEachLine(std::string_view text, Each&& each) {
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = begin;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    each(text.substr(begin, end - begin));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') {
      ++end;
    }
    begin = end + 1;
  }
}

// The run behind Convert; the one place that knows how BatchRun reports a line.
// Throws RunStopped as BatchRun does, with the lines so far in `run`.
void ConvertText(const orvane::ConversionOptions& options, std::string_view text, PageRun& run) {
  orvane::BatchRun batch(options, [&run](const std::string& message) {
    run.stopMessages += message;
    run.stopMessages += '\n';
  });
  std::string line;
  ForEachLine(text, [&](std::string_view input) {
    const orvane::LineResult result = batch.ConvertInputLine(input, line);
    PageOutcome page = kCopied;
    switch (result.outcome) {
      case orvane::LineOutcome::Copied:
        page = kCopied;
        break;
      case orvane::LineOutcome::Converted:
        page = kConverted;
        break;
      case orvane::LineOutcome::Error:
        page = kUnreadable;
        run.messages += result.message;
        run.messages += '\n';
        break;
    }
    run.output += line;
    run.output += '\n';
    run.outcomes.push_back(page);
    ++run.counts[page];
  });
}

}  // namespace

// Switches of orvane_convert's `flags`.
enum : int {
  kSurfaceData = 1,
  kLineationData = 2,
  kSenseData = 4,
  kProjectionToSurface = 8,
  kOneDecimal = 16,
};

// Converts `textSize` bytes at `text`. Returns 1 when the run went through every line,
// 0 when it stopped (an unreadable declination or untilting percentage): the lines
// before the one that stopped it are kept, and orvane_stop_messages says why.
ORVANE_EXPORT int orvane_convert(const char* text, std::size_t textSize, const char* declination,
                                 std::size_t declinationSize, const char* untilting,
                                 std::size_t untiltingSize, int flags) {
  gRun.Clear();
  orvane::ConversionOptions options;
  options.SurfaceData = (flags & kSurfaceData) != 0;
  options.LineationData = (flags & kLineationData) != 0;
  options.SenseData = (flags & kSenseData) != 0;
  options.ProjectionToSurface = (flags & kProjectionToSurface) != 0;
  options.OneDecimal = (flags & kOneDecimal) != 0;
  options.DeclinationText.assign(declination, declinationSize);
  options.UntiltingText.assign(untilting, untiltingSize);
  const std::string_view input(text, textSize);
  gRun.output.reserve(textSize + textSize / 4);
  try {
    ConvertText(options, input, gRun);
  } catch (const orvane::RunStopped& stopped) {
    gRun.stopped = true;
    if (!stopped.AlreadyShown()) {
      gRun.stopMessages += stopped.what();
      gRun.stopMessages += '\n';
    }
    return 0;
  }
  return 1;
}

ORVANE_EXPORT const char* orvane_output() {
  return gRun.output.data();
}
ORVANE_EXPORT std::size_t orvane_output_size() {
  return gRun.output.size();
}
// One byte per input line that got an output line: 0 copied, 1 converted, 2 unreadable.
ORVANE_EXPORT const std::uint8_t* orvane_outcomes() {
  return gRun.outcomes.data();
}
ORVANE_EXPORT std::size_t orvane_line_count() {
  return gRun.outcomes.size();
}
// The messages of the unreadable lines in order, each followed by "\n".
ORVANE_EXPORT const char* orvane_messages() {
  return gRun.messages.data();
}
ORVANE_EXPORT std::size_t orvane_messages_size() {
  return gRun.messages.size();
}
// Lines copied (0), converted (1) or unreadable (2).
ORVANE_EXPORT std::uint32_t orvane_count(int outcome) {
  return outcome >= 0 && outcome < 3 ? gRun.counts[outcome] : 0;
}
// What a stopped run told the user, each message followed by "\n"; empty otherwise.
ORVANE_EXPORT const char* orvane_stop_messages() {
  return gRun.stopMessages.data();
}
ORVANE_EXPORT std::size_t orvane_stop_messages_size() {
  return gRun.stopMessages.size();
}

// The window's field checks. The declination field warns when this is 0 ("12.5" and
// "-7" pass, "7W" does not).
ORVANE_EXPORT int orvane_is_number(const char* text, std::size_t size) {
  return orvane::IsNumber(std::string_view(text, size)) ? 1 : 0;
}
// The untilting field as a whole number (decimal, or hexadecimal behind "0x" or "$"):
// 1 with *value set, or 0 when the text is no such number.
ORVANE_EXPORT int orvane_str_to_int(const char* text, std::size_t size, std::int32_t* value) {
  const auto v = orvane::StrToInt(std::string_view(text, size));
  if (!v) return 0;
  *value = *v;
  return 1;
}
