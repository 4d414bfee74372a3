#include "parallel_run.h"

namespace orvane::cli {

std::string_view LineBlock::InputLine(std::size_t i) const {
  const std::size_t begin = i == 0 ? 0 : inputEnds[i - 1];
  return std::string_view(input).substr(begin, inputEnds[i] - begin);
}

std::string_view LineBlock::OutputLine(std::size_t i) const {
  const std::size_t begin = i == 0 ? 0 : outputEnds[i - 1];
  return std::string_view(output).substr(begin, outputEnds[i] - begin);
}

void LineBlock::Clear() {
  input.clear();
  inputEnds.clear();
  output.clear();
  outputEnds.clear();
  written.clear();
  outcomes.clear();
  stopped = false;
  stopMessage.clear();
  stopShown = false;
  notices.clear();
}

namespace {

void WriteBlock(std::string_view lineEnd, bool dropComments, LineBlock& block) {
  block.written.reserve(block.output.size() + block.outputEnds.size() * lineEnd.size());
  for (std::size_t i = 0; i < block.outputEnds.size(); ++i) {
    const std::string_view line = block.OutputLine(i);
    if (dropComments && !line.empty() && line[0] == '#') continue;
    block.written.append(line);
    block.written.append(lineEnd);
  }
}

}  // namespace

void ConvertBlock(const ConversionOptions& options, std::string_view lineEnd, bool dropComments,
                  LineBlock& block) {
  std::size_t line = 0;
  BatchRun run(options, [&](const std::string& text) { block.notices.emplace_back(line, text); });
  block.output.reserve(block.input.size() + block.input.size() / 2);
  block.outcomes.reserve(block.LineCount());
  block.outputEnds.reserve(block.LineCount());
  for (; line < block.LineCount(); ++line) {
    try {
      block.outcomes.push_back(run.AppendInputLine(block.InputLine(line), block.output));
    } catch (const RunStopped& stop) {
      block.output.resize(line == 0 ? 0 : block.outputEnds.back());
      block.stopped = true;
      block.stoppedAt = line;
      block.stopMessage = stop.what();
      block.stopShown = stop.AlreadyShown();
      WriteBlock(lineEnd, dropComments, block);
      return;
    }
    block.outputEnds.push_back(block.output.size());
  }
  WriteBlock(lineEnd, dropComments, block);
}

}  // namespace orvane::cli
