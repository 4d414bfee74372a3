// orvane-convert: converts fault-slip measurements from a file or standard input.
#include <fcntl.h>
#include <getopt.h>
#include <sysexits.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "batch_run.h"
#include "fault_file.h"
#include "line_reader.h"
#include "output_file.h"
#include "parallel_run.h"
#include "settings_file.h"
#include "stereonet.h"
#include "stereonet_export.h"
#include "work_queue.h"

namespace {

using orvane::BatchRun;
using orvane::ConversionOptions;
using orvane::LineOutcome;

constexpr int kExitLineErrors = 1;
constexpr int kExitStopped = 2;

const char kUsage[] =
    "Usage: orvane-convert [OPTIONS] [FILE]\n"
    "Converts fault-slip measurements (plane, lineation, sense letter, bedding) into\n"
    "dip direction, dip, trend, plunge and sense, one output line per input line.\n"
    "FILE absent or \"-\" reads standard input.\n"
    "\n"
    "  --settings FILE      take the defaults of the options below from a settings file\n"
    "                       of the desktop program (ORV.ini); options given here win\n"
    "  --declination TEXT   magnetic declination in degrees, positive to the west (default 0)\n"
    "  --untilting TEXT     untilting percentage of the bedding dip (default 0)\n"
    "  --no-surface         lines carry no plane field\n"
    "  --no-lineation       lines carry no lineation field\n"
    "  --no-sense           lines carry no sense letter\n"
    "  --no-projection      do not project the lineation onto its plane\n"
    "  --decimal            write one decimal instead of integers\n"
    "  -o, --output FILE    write a fault data file (\".fdt\" appended unless present,\n"
    "                       CR LF line ends, lines beginning with \"#\" left out\n"
    "                       unless the settings keep them)\n"
    "  --keep-comments      with -o, keep lines beginning with \"#\"\n"
    "  --stereonet FILE     also draw the converted faults on a stereonet, written as\n"
    "                       SVG or PNG by the name's extension (.svg, .png)\n"
    "  -h, --help           show this help and exit\n"
    "      --version        show the version and exit\n"
    "\n"
    "Exit status: 0 all lines converted, 1 some lines were unreadable, 2 the run\n"
    "stopped or a file could not be read or written, 64 usage error.\n";

int UsageError(const std::string& message) {
  std::fprintf(stderr, "orvane-convert: %s\nTry 'orvane-convert --help' for more information.\n",
               message.c_str());
  return EX_USAGE;
}

// The options as given; Options() combines them with the settings file.
struct CommandLine {
  std::optional<std::string> settings;
  std::optional<std::string> declination;
  std::optional<std::string> untilting;
  bool noSurface = false;
  bool noLineation = false;
  bool noSense = false;
  bool noProjection = false;
  bool decimal = false;
  bool keepComments = false;
  std::string input = "-";
  std::optional<std::string> output;
  std::optional<std::string> stereonet;
};

enum Option {
  kDeclination = 256,
  kUntilting,
  kNoSurface,
  kNoLineation,
  kNoSense,
  kNoProjection,
  kDecimal,
  kKeepComments,
  kStereonet,
  kSettings,
  kVersion,
};

// Parses argv; returns an exit status when the program should end at once.
std::optional<int> Parse(int argc, char** argv, CommandLine& cmd) {
  static const option kLongOptions[] = {
      {"declination", required_argument, nullptr, kDeclination},
      {"untilting", required_argument, nullptr, kUntilting},
      {"no-surface", no_argument, nullptr, kNoSurface},
      {"no-lineation", no_argument, nullptr, kNoLineation},
      {"no-sense", no_argument, nullptr, kNoSense},
      {"no-projection", no_argument, nullptr, kNoProjection},
      {"decimal", no_argument, nullptr, kDecimal},
      {"output", required_argument, nullptr, 'o'},
      {"keep-comments", no_argument, nullptr, kKeepComments},
      {"stereonet", required_argument, nullptr, kStereonet},
      {"settings", required_argument, nullptr, kSettings},
      {"help", no_argument, nullptr, 'h'},
      {"version", no_argument, nullptr, kVersion},
      {nullptr, 0, nullptr, 0},
  };
  opterr = 0;
  optind = 1;
  for (;;) {
    const int c = getopt_long(argc, argv, ":ho:", kLongOptions, nullptr);
    if (c == -1) break;
    switch (c) {
      // One option per line reads as a table.
      // clang-format off
      case kDeclination: cmd.declination = optarg; break;
      case kUntilting: cmd.untilting = optarg; break;
      case kNoSurface: cmd.noSurface = true; break;
      case kNoLineation: cmd.noLineation = true; break;
      case kNoSense: cmd.noSense = true; break;
      case kNoProjection: cmd.noProjection = true; break;
      case kDecimal: cmd.decimal = true; break;
      case 'o': cmd.output = optarg; break;
      case kKeepComments: cmd.keepComments = true; break;
      case kStereonet: cmd.stereonet = optarg; break;
      case kSettings: cmd.settings = optarg; break;
      case 'h': std::fputs(kUsage, stdout); return 0;
      case kVersion: std::puts("orvane-convert (Orvane) 2.3"); return 0;
      case ':': return UsageError(std::string("option '") + argv[optind - 1] + "' needs a value");
      default: return UsageError(std::string("unknown option '") + argv[optind - 1] + "'");
        // clang-format on
    }
  }
  if (argc - optind > 1) return UsageError("only one input file can be given");
  if (argc - optind == 1) cmd.input = argv[optind];
  return std::nullopt;
}

// The options of the run: the settings file's (or the built-in defaults), then
// whatever the command line says, wherever it says it. Returns an exit status
// when the settings file cannot be read.
std::optional<int> Options(const CommandLine& cmd, ConversionOptions& options) {
  if (cmd.settings) {
    try {
      const auto ini = orvane::IniFile::Load(*cmd.settings, orvane::IniFile::IfMissing::Fail);
      options = orvane::ToConversionOptions(orvane::ReadStoredSettings(ini));
    } catch (const orvane::IniFileError& e) {
      std::fprintf(stderr, "orvane-convert: %s\n", e.what());
      return kExitStopped;
    }
  }
  if (cmd.declination) options.DeclinationText = *cmd.declination;
  if (cmd.untilting) options.UntiltingText = *cmd.untilting;
  if (cmd.noSurface) options.SurfaceData = false;
  if (cmd.noLineation) options.LineationData = false;
  if (cmd.noSense) options.SenseData = false;
  if (cmd.noProjection) options.ProjectionToSurface = false;
  if (cmd.decimal) options.OneDecimal = true;
  if (cmd.keepComments) options.RemoveComment = false;
  return std::nullopt;
}

void Diagnose(const std::string& file, long line, std::string_view message) {
  std::fprintf(stderr, "%s:%ld: %.*s\n", file.c_str(), line, static_cast<int>(message.size()),
               message.data());
}

int Run(const CommandLine& cmd, const ConversionOptions& options) {
  // Diagnostics are written a block at a time, not one system call per line.
  static char diagnostics[1 << 16];
  std::setvbuf(stderr, diagnostics, _IOFBF, sizeof diagnostics);
  const std::string inputName = (cmd.input == "-") ? "-" : cmd.input;
  int inputFd = STDIN_FILENO;
  if (cmd.input != "-") {
    inputFd = ::open(cmd.input.c_str(), O_RDONLY | O_CLOEXEC);
    if (inputFd < 0) {
      std::fprintf(stderr, "orvane-convert: cannot read '%s': %s\n", cmd.input.c_str(),
                   std::strerror(errno));
      return kExitStopped;
    }
  }

  std::unique_ptr<orvane::cli::AtomicFile> file;
  std::string outputName;
  if (cmd.output) {
    outputName = orvane::FaultDataFileName(*cmd.output);
    try {
      file = std::make_unique<orvane::cli::AtomicFile>(outputName);
    } catch (const std::system_error& e) {
      std::fprintf(stderr, "orvane-convert: cannot write '%s': %s\n", outputName.c_str(),
                   e.code().message().c_str());
      return kExitStopped;
    }
  }
  orvane::cli::BufferedWriter out(file ? file->Descriptor() : STDOUT_FILENO);
  const char* lineEnd = file ? "\r\n" : "\n";
  const bool dropComments = file && options.RemoveComment;

  // Lines are converted in blocks on worker threads while this thread reads ahead
  // and writes finished blocks; output and diagnostics come in input order,
  // exactly as a run on one thread writes them.
  // A worker per core; this thread mostly waits, and a few queued blocks keep the
  // workers busy while it reads and writes.
  unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
  if (const char* forced = std::getenv("ORVANE_THREADS")) {  // for tests and measurements
    threads = std::clamp(static_cast<unsigned>(std::atoi(forced)), 1u, 16u);
  }
  const std::size_t window = threads + 2;
  constexpr std::size_t kBlockLines = 2048;
  constexpr std::size_t kBlockBytes = 1 << 18;
  using orvane::cli::LineBlock;

  int status = 0;
  long lineNumber = 0;
  std::vector<orvane::NetFault> netFaults;
  int netSkipped = 0;
  orvane::cli::LineReader reader(inputFd);
  orvane::cli::WorkQueue<LineBlock> workers(threads);
  std::deque<std::future<LineBlock>> inFlight;
  bool more = true;
  bool stopped = false;

  // Writes one converted block; false once the run has stopped in it.
  const auto emit = [&](const LineBlock& block) {
    std::size_t notice = 0;
    const std::size_t done = block.stopped ? block.stoppedAt : block.LineCount();
    for (std::size_t i = 0; i <= done && i < block.LineCount(); ++i) {
      const long number = block.firstLineNumber + static_cast<long>(i);
      for (; notice < block.notices.size() && block.notices[notice].first == i; ++notice) {
        Diagnose(inputName, number, block.notices[notice].second);
      }
      if (i == done) break;
      const std::string_view converted = block.OutputLine(i);
      if (cmd.stereonet) {
        if (block.outcomes[i] != LineOutcome::Converted) {
          ++netSkipped;
        } else if (const auto fault = orvane::ParseConvertedLine(converted)) {
          netFaults.push_back(*fault);
        } else {
          ++netSkipped;  // drawn and left out add up to the lines of the run
        }
      }
      if (block.outcomes[i] == LineOutcome::Error) {
        Diagnose(inputName, number, BatchRun::MessageOf(converted));
        status = kExitLineErrors;
      }
    }
    out.Write(block.written);
    if (!block.stopped) return true;
    if (!block.stopShown) {
      Diagnose(inputName, block.firstLineNumber + static_cast<long>(block.stoppedAt),
               block.stopMessage);
    }
    status = kExitStopped;
    return false;
  };

  try {
    while (!stopped && (more || !inFlight.empty())) {
      if (more && inFlight.size() < window) {
        LineBlock block;
        block.firstLineNumber = lineNumber + 1;
        std::string_view line;
        while (block.LineCount() < kBlockLines && block.input.size() < kBlockBytes &&
               (more = reader.Next(line))) {
          block.input.append(line);
          block.inputEnds.push_back(block.input.size());
          ++lineNumber;
        }
        if (block.LineCount() > 0) {
          auto shared = std::make_shared<LineBlock>(std::move(block));
          inFlight.push_back(workers.Submit([&options, lineEnd, dropComments, shared] {
            orvane::cli::ConvertBlock(options, lineEnd, dropComments, *shared);
            return std::move(*shared);
          }));
        }
        continue;
      }
      const LineBlock done = inFlight.front().get();
      inFlight.pop_front();
      stopped = !emit(done);
      std::fflush(stderr);
    }
  } catch (const std::system_error& e) {
    std::fprintf(stderr, "orvane-convert: cannot read '%s': %s\n", inputName.c_str(),
                 e.code().message().c_str());
    status = kExitStopped;
  }
  if (inputFd != STDIN_FILENO) ::close(inputFd);

  try {
    out.Flush();
    if (file) file->Commit();
  } catch (const std::system_error& e) {
    std::fprintf(stderr, "orvane-convert: cannot write '%s': %s\n",
                 file ? outputName.c_str() : "standard output", e.code().message().c_str());
    return kExitStopped;
  }
  // The net shows a completed run, as the window does.
  if (cmd.stereonet && status != kExitStopped) {
    std::string error;
    if (!orvane::cli::ExportStereonetFile(*cmd.stereonet, std::move(netFaults), netSkipped,
                                          error)) {
      std::fprintf(stderr, "orvane-convert: %s\n", error.c_str());
      return kExitStopped;
    }
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  CommandLine cmd;
  if (const auto exitNow = Parse(argc, argv, cmd)) return *exitNow;
  ConversionOptions options;
  if (const auto exitNow = Options(cmd, options)) return *exitNow;
  return Run(cmd, options);
}
