#include "parallel_run.h"

#include <algorithm>
#include <charconv>

#include "batch_run.h"
#include "fault_file.h"
#include "run_stopped.h"
#include "writers.h"

namespace orvane::cli {

std::string_view LineBlock::InputLine(std::size_t i) const {
  const std::size_t begin = i == 0 ? 0 : inputEnds[i - 1];
  return std::string_view(input).substr(begin, inputEnds[i] - begin);
}

namespace {

void Diagnose(const BlockSettings& settings, long lineNumber, std::string_view message,
              std::string& out) {
  const auto* source = settings.sourceLines;
  if (source && lineNumber >= 1 && static_cast<std::size_t>(lineNumber) <= source->size()) {
    lineNumber = (*source)[static_cast<std::size_t>(lineNumber) - 1];
  }
  char number[24];
  const auto end = std::to_chars(number, number + sizeof number, lineNumber).ptr;
  out.append(settings.inputName);
  out.push_back(':');
  out.append(number, end);
  out.append(": ");
  out.append(message);
  out.push_back('\n');
}

}  // namespace

void ConvertBlock(const BlockSettings& settings, LineBlock& block) {
  long lineNumber = block.firstLineNumber;
  BatchRun run(settings.options, [&](const std::string& text) {
    Diagnose(settings, lineNumber, text, block.diagnostics);
  });
  const auto& formats = settings.formats;
  block.written.assign(formats.size(), std::string());
  // One output of the lines as they are, or of a fault data file, takes each line
  // where it is made; several outputs or another format take it from `made`.
  const bool inPlace =
      formats.size() == 1 && (formats[0] == nullptr || formats[0] == &FaultDataFileWriter());
  const std::string_view lineEnd = inPlace && formats[0] ? kFaultFileLineEnd : "\n";
  const bool dropComments = inPlace && formats[0] && settings.options.RemoveComment;
  std::string made;
  std::string& target = inPlace ? block.written[0] : made;
  if (inPlace) target.reserve(block.input.size() + block.input.size() / 2);
  auto overlong = block.overlong.begin();
  for (std::size_t i = 0; i < block.LineCount(); ++i, ++lineNumber) {
    if (!inPlace) made.clear();
    const std::size_t lineStart = target.size();
    LineResult result;
    try {
      if (overlong != block.overlong.end() && *overlong == i) {
        ++overlong;
        result = run.AppendOverlongLine(block.InputLine(i), settings.lineLimit, target);
      } else {
        result = run.AppendInputLine(block.InputLine(i), target);
      }
    } catch (const RunStopped& stop) {
      target.resize(lineStart);
      if (!stop.AlreadyShown()) Diagnose(settings, lineNumber, stop.what(), block.diagnostics);
      block.stopped = true;
      return;
    }
    const std::string_view line = std::string_view(target).substr(lineStart);
    if (result.outcome == LineOutcome::Error) {
      Diagnose(settings, lineNumber, result.message, block.diagnostics);
      ++block.errorLines;
    }
    if (settings.collectNet) {
      const auto fault =
          result.outcome == LineOutcome::Converted ? ParseConvertedLine(line) : std::nullopt;
      if (fault) {
        block.faults.push_back(*fault);
      } else {
        ++block.leftOut;
      }
    }
    if (inPlace) {
      if (LeftOutOfFile(line, dropComments)) {
        target.resize(lineStart);
      } else {
        target.append(lineEnd);
      }
      continue;
    }
    for (std::size_t k = 0; k < formats.size(); ++k) {
      std::string& out = block.written[k];
      if (formats[k] == nullptr) {
        out += line;
        out += '\n';
      } else {
        formats[k]->AppendLine(line, lineNumber, settings.writeOptions, out);
      }
    }
  }
}

}  // namespace orvane::cli
