// The batch converter's run: every line of an input converted, in input order, on a
// pool of worker threads, with its diagnostics and the faults of its stereonet.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "byte_streams.h"
#include "conversion_options.h"
#include "format_writer.h"
#include "stereonet.h"

namespace orvane::cli {

// Exit statuses of the converter.
inline constexpr int kExitConverted = 0;   // every data line converted
inline constexpr int kExitLineErrors = 1;  // some lines became error lines
inline constexpr int kExitFailed = 2;      // the run stopped, or reading or writing failed
inline constexpr int kExitUsage = 64;      // EX_USAGE

// No field-book line is longer: a longer one becomes one error line.
inline constexpr std::size_t kMaxLineBytes = 1 << 20;

struct RunSettings {
  ConversionOptions options;
  std::string inputName = "-";  // "FILE" of the diagnostics "FILE:LINE: MESSAGE"
  // The output is a fault data file: CR LF line ends, and lines beginning with "#"
  // left out when options.RemoveComment is set. Otherwise LF, every line.
  bool faultDataFile = false;
  std::string location;     // the LOCATION of an SG2PS file's rows
  bool collectNet = false;  // keep the converted faults for a stereonet
  unsigned threads = 1;     // worker threads (at least one)
  std::size_t lineLimit = kMaxLineBytes;
  // For input translated from another format: the source line of each input line,
  // for the diagnostics.
  const std::vector<long>* sourceLines = nullptr;
};

// The faults a stereonet draws, and the count of every other line: together they
// are the input's line count.
struct NetCollection {
  std::vector<NetFault> faults;
  long leftOut = 0;
};

struct RunResult {
  int status = kExitConverted;  // kExitConverted, kExitLineErrors or kExitFailed
  long lines = 0;               // input lines read
  NetCollection net;            // when settings.collectNet
};

// One output of a run: where its bytes go, and in which format.
struct RunOutput {
  ByteSink* sink = nullptr;
  // The format's header first, then what it writes for each output line. Without a
  // format, the output lines themselves, each followed by LF (standard output).
  const FormatWriter* format = nullptr;
};

// Converts every line of `input` to one output line in `output`, in input order, and
// reports each error line on `diagnostics` as "NAME:LINE: MESSAGE". The run stops
// with kExitFailed at a setting it cannot read (the declination, the untilting
// percentage; reported like an error line), or when reading or writing fails
// ("orvane-convert: cannot read 'NAME': REASON"); the output then ends early.
// Output and diagnostics are the same bytes however many threads run. A failure to
// write diagnostics is ignored. Throws what the conversion itself throws
// (std::bad_alloc).
RunResult ConvertRun(const RunSettings& settings, ByteSource& input, ByteSink& output,
                     ByteSink& diagnostics);

// The same run written to several outputs at once, each in its own format; the
// settings' faultDataFile is not read. A line that a format cannot carry (FormatError)
// stops the run like an output that cannot be written.
RunResult ConvertRun(const RunSettings& settings, ByteSource& input,
                     std::span<const RunOutput> outputs, ByteSink& diagnostics);

}  // namespace orvane::cli
