#include "convert_run.h"

#include <algorithm>
#include <deque>
#include <future>
#include <memory>
#include <utility>

#include "fault_file.h"
#include "file_error.h"
#include "line_reader.h"
#include "parallel_run.h"
#include "work_queue.h"
#include "writers.h"

namespace orvane::cli {

namespace {

// Blocks small enough that a few in flight cost little memory, large enough that
// handing them over costs little time.
constexpr std::size_t kBlockLines = 2048;
constexpr std::size_t kBlockBytes = 1 << 18;

// Diagnostics go on even when they cannot be written: the run's outcome does not
// depend on its messages.
void Tell(ByteSink& diagnostics, std::string_view text) {
  try {
    diagnostics.Write(text);
    diagnostics.Flush();
  } catch (const FileError&) {
  }
}

// Fills a block with the next lines of the input; false when there were none.
bool ReadBlock(LineReader& reader, long firstLineNumber, LineBlock& block, bool& more) {
  block.firstLineNumber = firstLineNumber;
  InputLine line;
  while (block.LineCount() < kBlockLines && block.input.size() < kBlockBytes &&
         (more = reader.Next(line))) {
    if (line.overlong) block.overlong.push_back(block.LineCount());
    block.input.append(line.text);
    block.inputEnds.push_back(block.input.size());
  }
  return block.LineCount() > 0;
}

}  // namespace

RunResult ConvertRun(const RunSettings& settings, ByteSource& input, ByteSink& output,
                     ByteSink& diagnostics) {
  const RunOutput one{&output, settings.faultDataFile ? &FaultDataFileWriter() : nullptr};
  return ConvertRun(settings, input, std::span(&one, 1), diagnostics);
}

RunResult ConvertRun(const RunSettings& settings, ByteSource& input,
                     std::span<const RunOutput> outputs, ByteSink& diagnostics) {
  BlockSettings block;
  block.options = settings.options;
  block.inputName = settings.inputName;
  block.formats.clear();
  for (const RunOutput& output : outputs) block.formats.push_back(output.format);
  block.writeOptions.run = settings.options;
  block.writeOptions.location = settings.location;
  block.collectNet = settings.collectNet;
  block.lineLimit = settings.lineLimit;
  block.sourceLines = settings.sourceLines;

  RunResult result;
  LineReader reader(input, settings.lineLimit);
  // A worker per core; this thread reads ahead and writes finished blocks in input
  // order, and a few queued blocks keep the workers busy meanwhile.
  const unsigned threads = std::max(settings.threads, 1u);
  const std::size_t window = threads + 2;
  WorkQueue<LineBlock> workers(threads);
  std::deque<std::future<LineBlock>> inFlight;
  bool more = true;
  bool stopped = false;
  try {
    for (const RunOutput& output : outputs) {
      if (output.format == nullptr) continue;
      std::string header;
      output.format->AppendHeader(block.writeOptions, header);
      if (!header.empty()) output.sink->Write(header);
    }
    while (!stopped && (more || !inFlight.empty())) {
      if (more && inFlight.size() < window) {
        auto next = std::make_shared<LineBlock>();
        if (ReadBlock(reader, result.lines + 1, *next, more)) {
          result.lines += static_cast<long>(next->LineCount());
          inFlight.push_back(workers.Submit([&block, next] {
            ConvertBlock(block, *next);
            return std::move(*next);
          }));
        }
        continue;
      }
      const LineBlock done = inFlight.front().get();
      inFlight.pop_front();
      for (std::size_t k = 0; k < outputs.size(); ++k) outputs[k].sink->Write(done.written[k]);
      if (!done.diagnostics.empty()) Tell(diagnostics, done.diagnostics);
      if (done.errorLines > 0) result.status = kExitLineErrors;
      auto& net = result.net;
      net.faults.insert(net.faults.end(), done.faults.begin(), done.faults.end());
      net.leftOut += done.leftOut;
      stopped = done.stopped;
    }
    for (const RunOutput& output : outputs) output.sink->Flush();
  } catch (const FileError& e) {
    Tell(diagnostics, std::string("orvane-convert: ") + e.what() + "\n");
    return {kExitFailed, result.lines, {}};
  } catch (const FormatError& e) {
    Tell(diagnostics, std::string("orvane-convert: ") + e.what() + "\n");
    return {kExitFailed, result.lines, {}};
  }
  if (stopped) result.status = kExitFailed;
  return result;
}

}  // namespace orvane::cli
