#include "parallel_run.h"

#include <thread>

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
  outcomes.clear();
  stopped = false;
  stopMessage.clear();
  stopShown = false;
  notices.clear();
}

struct ParallelConverter::Worker {
  explicit Worker(const ConversionOptions& options)
      : run(options, [this](const std::string& text) { block->notices.emplace_back(line, text); }) {
  }

  void ConvertBlock(LineBlock& b) {
    block = &b;
    std::string converted;
    for (line = 0; line < b.LineCount(); ++line) {
      try {
        b.outcomes.push_back(run.ConvertInputLine(b.InputLine(line), converted));
      } catch (const RunStopped& stop) {
        b.stopped = true;
        b.stoppedAt = line;
        b.stopMessage = stop.what();
        b.stopShown = stop.AlreadyShown();
        return;
      }
      b.output.append(converted);
      b.outputEnds.push_back(b.output.size());
    }
  }

  BatchRun run;
  LineBlock* block = nullptr;
  std::size_t line = 0;
};

ParallelConverter::ParallelConverter(const ConversionOptions& options, unsigned threads) {
  if (threads == 0) threads = 1;
  for (unsigned i = 0; i < threads; ++i) runs_.push_back(std::make_unique<Worker>(options));
}

ParallelConverter::~ParallelConverter() = default;

void ParallelConverter::Convert(std::vector<LineBlock>& blocks) {
  std::vector<std::thread> helpers;
  for (std::size_t i = 1; i < blocks.size() && i < runs_.size(); ++i) {
    helpers.emplace_back([this, i, &blocks] { runs_[i]->ConvertBlock(blocks[i]); });
  }
  if (!blocks.empty()) runs_[0]->ConvertBlock(blocks[0]);
  for (auto& t : helpers) t.join();
}

}  // namespace orvane::cli
