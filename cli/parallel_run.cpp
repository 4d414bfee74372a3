#include "parallel_run.h"

#include <algorithm>
#include <charconv>

#include "batch_run.h"
#include "fault_file.h"
#include "run_stopped.h"

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
  block.written.reserve(block.input.size() + block.input.size() / 2);
  auto overlong = block.overlong.begin();
  for (std::size_t i = 0; i < block.LineCount(); ++i, ++lineNumber) {
    const std::size_t lineStart = block.written.size();
    LineResult result;
    try {
      if (overlong != block.overlong.end() && *overlong == i) {
        ++overlong;
        result = run.AppendOverlongLine(block.InputLine(i), settings.lineLimit, block.written);
      } else {
        result = run.AppendInputLine(block.InputLine(i), block.written);
      }
    } catch (const RunStopped& stop) {
      block.written.resize(lineStart);
      if (!stop.AlreadyShown()) Diagnose(settings, lineNumber, stop.what(), block.diagnostics);
      block.stopped = true;
      return;
    }
    const std::string_view line = std::string_view(block.written).substr(lineStart);
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
    if (LeftOutOfFile(line, settings.dropComments)) {
      block.written.resize(lineStart);
    } else {
      block.written.append(settings.lineEnd);
    }
  }
}

}  // namespace orvane::cli
