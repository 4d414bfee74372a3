// orvane-convert: converts fault-slip measurements from a file or standard input.
#include <getopt.h>
#include <sysexits.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "byte_streams.h"
#include "convert_files.h"
#include "convert_run.h"
#include "file_formats.h"
#include "format_readers.h"
#include "orvane_version.h"
#include "process_setup.h"
#include "settings_file.h"

namespace {

using orvane::ConversionOptions;
using namespace orvane::cli;

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
    "  -o, --output FILE    write FILE instead of standard output, in the format that\n"
    "                       --to names, else the one its extension names (.csv, .fpl,\n"
    "                       .rgf), else as a fault data file; the format's extension\n"
    "                       is appended unless present. Once per format:\n"
    "                       -o net.fdt -o net.csv\n"
    "  --to NAME            the format of -o, or of standard output without -o:\n"
    "                       fdt   fault data file (\".fdt\", CR LF line ends, lines\n"
    "                             beginning with \"#\" left out unless the settings\n"
    "                             keep them)\n"
    "                       csv   CSV table for spreadsheets and APSG\n"
    "                       fpl   TectonicsFP fault file (needs lineations)\n"
    "                       rgf   SG2PS data file\n"
    "  --keep-comments      keep lines beginning with \"#\" in fdt and fpl files\n"
    "  --location TEXT      LOCATION of the rows of an rgf file (default: the input\n"
    "                       file's name without its extension)\n"
    "  --stereonet FILE     also draw the converted faults on a stereonet, written as\n"
    "                       SVG or PNG by the name's extension (.svg, .png)\n"
    "  --from FORMAT        read FILE as text (a field book), csv (a spreadsheet with a\n"
    "                       header row), strabospot (a StraboSpot project, .json), fpl\n"
    "                       (TectonicsFP, .fpl .cor) or rgf (SG2PS); by default chosen\n"
    "                       by FILE's extension, and standard input is text\n"
    "  --sense-codes NAME   what numeric senses in a spreadsheet mean: apsg (1 normal,\n"
    "                       -1 reverse) or tectonicsfp (1 reverse, 2 normal, 3 dextral,\n"
    "                       4 sinistral, 0 and 5 unknown)\n"
    "  --show-input         write the field-book lines read from FILE instead of\n"
    "                       converting them\n"
    "  -h, --help           show this help and exit\n"
    "      --version        show the version and exit\n"
    "\n"
    "Exit status: 0 all lines converted, 1 some lines were unreadable, 2 the run\n"
    "stopped or a file could not be read or written, 64 usage error (also a format\n"
    "that cannot carry the run, such as fpl with --no-lineation).\n";

int UsageError(const std::string& message) {
  std::fprintf(stderr, "orvane-convert: %s\nTry 'orvane-convert --help' for more information.\n",
               message.c_str());
  return EX_USAGE;
}

int UnknownFormat(const std::string& name) {
  return UsageError("unknown format '" + name + "' (formats: " + orvane::WrittenFormatNames() +
                    ")");
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
  std::vector<std::string> outputs;
  const orvane::FileFormat* to = nullptr;
  std::optional<std::string> location;
  std::optional<std::string> stereonet;
  std::string from;
  bool showInput = false;
  orvane::SenseCodes senseCodes = orvane::SenseCodes::Unknown;
};

// The -o files with their formats: --to's, else each name's. Returns an exit
// status when two of them would be written in one format.
std::optional<int> OutputFiles(const CommandLine& cmd, FileJob& job) {
  for (const std::string& name : cmd.outputs) {
    const orvane::FileFormat* format = cmd.to ? cmd.to : &orvane::WrittenFormatOfFileName(name);
    for (const OutputFile& earlier : job.outputs) {
      if (earlier.format == format) {
        return UsageError("'" + earlier.name + "' and '" + name + "' are both " +
                          std::string(format->name) + " files: -o is given once per format");
      }
    }
    job.outputs.push_back({name, format});
  }
  if (job.outputs.empty()) job.standardOutput = cmd.to;
  return std::nullopt;
}

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
  kTo,
  kLocation,
  kFrom,
  kSenseCodes,
  kShowInput,
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
      {"to", required_argument, nullptr, kTo},
      {"location", required_argument, nullptr, kLocation},
      {"stereonet", required_argument, nullptr, kStereonet},
      {"settings", required_argument, nullptr, kSettings},
      {"from", required_argument, nullptr, kFrom},
      {"sense-codes", required_argument, nullptr, kSenseCodes},
      {"show-input", no_argument, nullptr, kShowInput},
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
      case 'o': cmd.outputs.emplace_back(optarg); break;
      case kTo: if (!(cmd.to = orvane::FindFileFormat(optarg))) return UnknownFormat(optarg); break;
      case kLocation: cmd.location = optarg; break;
      case kKeepComments: cmd.keepComments = true; break;
      case kStereonet: cmd.stereonet = optarg; break;
      case kSettings: cmd.settings = optarg; break;
      case kShowInput: cmd.showInput = true; break;
      case kFrom:
        if (!orvane::FindInputFormat(optarg)) {
          return UsageError(std::string("unknown format '") + optarg + "' for --from: choose " +
                            orvane::InputFormatNames());
        }
        cmd.from = optarg;
        break;
      case kSenseCodes:
        if (std::strcmp(optarg, "apsg") == 0) {
          cmd.senseCodes = orvane::SenseCodes::Apsg;
        } else if (std::strcmp(optarg, "tectonicsfp") == 0) {
          cmd.senseCodes = orvane::SenseCodes::TectonicsFp;
        } else {
          return UsageError(std::string("unknown sense codes '") + optarg +
                            "' for --sense-codes: choose apsg or tectonicsfp");
        }
        break;
      case 'h': std::fputs(kUsage, stdout); return 0;
      case kVersion: std::printf("orvane-convert (Orvane) %s\n", orvane::kVersion); return 0;
      case ':': return UsageError(std::string("option '") + argv[optind - 1] + "' needs a value");
      default: return UsageError(std::string("unknown option '") + argv[optind - 1] + "'");
        // clang-format on
    }
  }
  if (argc - optind > 1) return UsageError("only one input file can be given");
  if (cmd.showInput && (!cmd.outputs.empty() || cmd.to || cmd.stereonet)) {
    return UsageError(
        "--show-input writes field-book lines to standard output: not with -o, --to or "
        "--stereonet");
  }
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
      return kExitFailed;
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

// Worker threads: one per core, or ORVANE_THREADS (for tests and measurements).
unsigned WorkerThreads() {
  if (const char* forced = std::getenv("ORVANE_THREADS")) {
    return std::clamp(static_cast<unsigned>(std::atoi(forced)), 1u, 16u);
  }
  return std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
}

// Help and version are written through stdio: a write that failed shows only when
// the stream is flushed.
int FinishStandardOutput(int status) {
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "orvane-convert: cannot write '-': %s\n", std::strerror(errno));
    return kExitFailed;
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (!OpenClosedStandardStreams()) return kExitFailed;
  try {
    CommandLine cmd;
    if (const auto exitNow = Parse(argc, argv, cmd)) return FinishStandardOutput(*exitNow);
    FileJob job;
    if (const auto exitNow = Options(cmd, job.options)) return *exitNow;
    if (const auto exitNow = OutputFiles(cmd, job)) return *exitNow;
    job.input = cmd.input;
    job.location = cmd.location;
    job.stereonet = cmd.stereonet;
    job.threads = WorkerThreads();
    job.from = cmd.from;
    job.showInput = cmd.showInput;
    job.senseCodes = cmd.senseCodes;
    RemoveTemporaryFilesOnSignals();
    ReportUncaughtExceptions();
    DescriptorSource in(STDIN_FILENO, "-");
    DescriptorSink out(STDOUT_FILENO, "-");
    DescriptorSink err(STDERR_FILENO, "standard error");
    return ConvertFiles(job, {in, out, err});
  } catch (const std::bad_alloc&) {
    // Nothing left to format a message with: the text is written as it is.
    static const char kMessage[] = "orvane-convert: out of memory\n";
    [[maybe_unused]] const auto written = ::write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    return kExitFailed;
  } catch (const std::exception& e) {  // a thread that cannot start, for one
    std::fprintf(stderr, "orvane-convert: %s\n", e.what());
    return kExitFailed;
  }
}
