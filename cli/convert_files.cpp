#include "convert_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>

#include "atomic_file.h"
#include "convert_run.h"
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

std::string DefaultLocation(const std::string& input) {
  if (input == "-") return "standard input";
  return std::filesystem::path(input).stem().string();
}

int ConvertFiles(const FileJob& job, StandardStreams streams) {
  // A format that cannot carry the run says so before anything is read.
  std::vector<const FileFormat*> formats;
  for (const OutputFile& output : job.outputs) formats.push_back(output.format);
  if (job.outputs.empty() && job.standardOutput) formats.push_back(job.standardOutput);
  WriteOptions writeOptions;
  writeOptions.run = job.options;
  for (const FileFormat* format : formats) {
    if (const std::string refusal = format->writer->Refusal(writeOptions); !refusal.empty()) {
      Tell(streams.err, refusal);
      return kExitUsage;
    }
  }

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

  std::vector<std::string> names;
  for (const OutputFile& output : job.outputs) {
    names.push_back(WrittenFileName(*output.format, output.name));
  }
  const auto inputIdentity = input->Identity();
  bool outputIsInput = job.stereonet && IsInput(inputIdentity, *job.stereonet);
  for (const std::string& name : names)
    outputIsInput = outputIsInput || IsInput(inputIdentity, name);
  if (outputIsInput) {
    Tell(streams.err, "input and output are the same file");
    return kExitUsage;
  }
  // Different names may still be one file, through a link.
  for (std::size_t i = 0; i < names.size(); ++i) {
    for (std::size_t k = 0; k < i; ++k) {
      if (IsInput(IdentityOfPath(names[k]), names[i])) {
        Tell(streams.err,
             "two outputs are the same file: '" + names[k] + "' and '" + names[i] + "'");
        return kExitUsage;
      }
    }
  }
  if (job.stereonet) {
    if (const auto error = StereonetNameError(*job.stereonet)) {
      Tell(streams.err, *error);
      return kExitFailed;
    }
  }

  // Every file is opened before the run, so that one that cannot be written is
  // known before the input is read; they replace their targets only after it.
  std::vector<std::unique_ptr<AtomicFile>> outputFiles;
  std::optional<AtomicFile> netFile;
  try {
    for (const std::string& name : names) outputFiles.push_back(std::make_unique<AtomicFile>(name));
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
  settings.location = job.location ? *job.location : DefaultLocation(job.input);
  settings.collectNet = netFile.has_value();
  settings.threads = job.threads;
  std::vector<std::unique_ptr<AtomicFileSink>> fileSinks;
  std::vector<RunOutput> outputs;
  for (std::size_t i = 0; i < outputFiles.size(); ++i) {
    fileSinks.push_back(std::make_unique<AtomicFileSink>(*outputFiles[i]));
    outputs.push_back({fileSinks.back().get(), job.outputs[i].format->writer});
  }
  if (outputs.empty()) {
    outputs.push_back({&streams.out, job.standardOutput ? job.standardOutput->writer : nullptr});
  }
  RunResult result = ConvertRun(settings, *input, outputs, streams.err);
  if (result.status == kExitFailed) return kExitFailed;  // the files are discarded

  // The net shows a completed run, as the window does; its file is replaced with
  // the output files, all or none unless renaming one fails.
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
    for (const auto& outputFile : outputFiles) outputFile->Commit();
    if (netFile) netFile->Commit();
  } catch (const FileError& e) {
    Tell(streams.err, e.what());
    return kExitFailed;
  }
  return result.status;
}

}  // namespace orvane::cli
