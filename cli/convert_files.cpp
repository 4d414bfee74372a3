#include "convert_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <utility>

#include "atomic_file.h"
#include "convert_run.h"
#include "fault_file.h"
#include "file_error.h"
#include "format_input.h"
#include "line_reader.h"
#include "stereonet_export.h"

namespace orvane::cli {

namespace {

// Closes the input file it owns.
class InputFile {
 public:
  explicit InputFile(int fd) : fd_(fd) {}
  ~InputFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

 private:
  int fd_;
};

void Tell(ByteSink& err, const std::string& message) {
  try {
    err.Write("orvane-convert: " + message + "\n");
    err.Flush();
  } catch (const FileError&) {
  }
}

bool IsInput(const std::optional<FileIdentity>& input, const std::string& path) {
  return input && IdentityOfPath(path) == input;
}

// Enough of a file's start to find its header row.
constexpr std::size_t kLookAhead = 1 << 16;

// The text of a small file beside the input, or nothing when it cannot be read.
std::optional<std::string> ReadFileBeside(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  const InputFile owner(fd);
  DescriptorSource source(fd, path);
  try {
    return ReadStart(source, kLookAhead);
  } catch (const FileError&) {
    return std::nullopt;
  }
}

ReaderOptions ReaderOptionsOf(const FileJob& job, const InputFormat& format) {
  ReaderOptions options;
  options.surface = job.options.SurfaceData;
  options.lineation = job.options.LineationData;
  options.sense = job.options.SenseData;
  options.senseCodes = job.senseCodes;
  if (format.name == "rgf" && job.input != "-") {
    const auto set = ReadFileBeside(RgfSettingsFileName(job.input));
    options.rightHandRuleStrikes = set && RgfSettingsSayRightHandRule(*set);
  }
  return options;
}

std::string StopMessage(const std::string& inputName, const ReaderStopped& stop) {
  std::string message = inputName + ":";
  if (stop.Line() > 0) message += std::to_string(stop.Line()) + ":";
  message += std::string(" ") + stop.what();
  if (stop.NeedsSenseCodes()) message += " with --sense-codes";
  return message;
}

// Writes the lines of the input as a run would read them.
void ShowInput(ByteSource& input, const TranslatedInput* translated, ByteSink& out) {
  if (translated) {
    out.Write(translated->text);
  } else {
    LineReader reader(input, kMaxLineBytes);
    InputLine line;
    while (reader.Next(line)) {
      out.Write(line.text);
      out.Write("\n");
    }
  }
  out.Flush();
}

}  // namespace

int ConvertFiles(const FileJob& job, StandardStreams streams) {
  std::optional<InputFile> owner;
  std::optional<DescriptorSource> file;
  ByteSource* input = &streams.in;
  if (job.input != "-") {
    const int fd = ::open(job.input.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      const std::error_code error(errno, std::generic_category());
      Tell(streams.err, FileError::Of("read", job.input, error).what());
      return kExitFailed;
    }
    owner.emplace(fd);
    input = &file.emplace(fd, job.input);
  }

  const std::optional<std::string> outputName =
      job.output ? std::optional(FaultDataFileName(*job.output)) : std::nullopt;
  const auto inputIdentity = input->Identity();
  if ((outputName && IsInput(inputIdentity, *outputName)) ||
      (job.stereonet && IsInput(inputIdentity, *job.stereonet))) {
    Tell(streams.err, "input and output are the same file");
    return kExitUsage;
  }
  if (job.stereonet) {
    if (const auto error = StereonetNameError(*job.stereonet)) {
      Tell(streams.err, *error);
      return kExitFailed;
    }
  }

  // Both files are opened before the run, so that one that cannot be written is
  // known before the input is read; they replace their targets only after it.
  std::optional<AtomicFile> outputFile;
  std::optional<AtomicFile> netFile;
  try {
    if (outputName) outputFile.emplace(*outputName);
    if (job.stereonet) netFile.emplace(*job.stereonet);
  } catch (const FileError& e) {
    Tell(streams.err, e.what());
    return kExitFailed;
  }

  // The input's format, and its translation when it is not a field book.
  std::optional<PrefixedSource> peeked;
  std::optional<MemorySource> translatedSource;
  std::optional<TranslatedInput> translated;
  try {
    const InputFormat* format = job.from.empty() ? nullptr : FindInputFormat(job.from);
    if (!format && job.input == "-") format = FindInputFormat("text");
    if (!format) {
      std::string start = ReadStart(*input, kLookAhead);
      format = &InputFormatOfFile(job.input, start);
      input = &peeked.emplace(std::move(start), *input);
    }
    if (format->read) {
      translated = TranslateInput(*format, ReadAll(*input), ReaderOptionsOf(job, *format));
    }
    if (job.showInput) {
      ShowInput(*input, translated ? &*translated : nullptr, streams.out);
      return kExitConverted;
    }
    if (translated) input = &translatedSource.emplace(std::move(translated->text));
  } catch (const FileError& e) {
    Tell(streams.err, e.what());
    return kExitFailed;
  } catch (const ReaderStopped& stop) {
    Tell(streams.err, StopMessage(job.input, stop));
    return kExitFailed;
  }

  RunSettings settings;
  settings.options = job.options;
  if (translated) settings.sourceLines = &translated->sourceLines;
  settings.inputName = job.input;
  settings.faultDataFile = outputFile.has_value();
  settings.collectNet = netFile.has_value();
  settings.threads = job.threads;
  std::optional<AtomicFileSink> fileSink;
  if (outputFile) fileSink.emplace(*outputFile);
  ByteSink& output = fileSink ? static_cast<ByteSink&>(*fileSink) : streams.out;
  RunResult result = ConvertRun(settings, *input, output, streams.err);
  if (result.status == kExitFailed) return kExitFailed;  // the files are discarded

  // The net shows a completed run, as the window does; its file is replaced with
  // the fault data file's, both or neither.
  try {
    if (netFile) {
      std::string error;
      if (!WriteStereonet(
              *job.stereonet, std::move(result.net.faults), result.net.leftOut,
              [&netFile](std::string_view bytes) { netFile->Write(bytes); }, error)) {
        Tell(streams.err, error);
        return kExitFailed;
      }
    }
    if (outputFile) outputFile->Commit();
    if (netFile) netFile->Commit();
  } catch (const FileError& e) {
    Tell(streams.err, e.what());
    return kExitFailed;
  }
  return result.status;
}

}  // namespace orvane::cli
