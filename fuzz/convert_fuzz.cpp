// Feeds arbitrary bytes through the whole conversion run and checks what the run
// promises for every input: one output line per input line, each either the input
// line unchanged, its error line, or a data line in the output format, which every
// file format can write.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "batch_run.h"
#include "file_formats.h"
#include "numbers.h"
#include "text.h"

namespace {

using namespace orvane;

[[noreturn]] void Fail(const char* what, std::string_view line, std::string_view out) {
  std::fprintf(stderr, "invariant broken: %s\n  input:  [%.*s]\n  output: [%.*s]\n", what,
               static_cast<int>(line.size()), line.data(), static_cast<int>(out.size()),
               out.data());
  std::abort();
}

class LinesIn : public InputPane {
 public:
  explicit LinesIn(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  int LineCount() const override { return static_cast<int>(lines_.size()); }
  std::string LineAt(int i) const override { return lines_[static_cast<std::size_t>(i)]; }
  void MarkLineAsError(int) override {}
  void MarkLineAsNormal(int) override {}

 private:
  std::vector<std::string> lines_;
};

class LinesOut : public OutputPane {
 public:
  void Clear() override { lines.clear(); }
  void AppendLine(std::string_view text) override { lines.emplace_back(text); }
  std::string LineAt(int i) const override { return lines[static_cast<std::size_t>(i)]; }
  void ReplaceLine(int i, std::string_view text) override {
    lines[static_cast<std::size_t>(i)] = std::string(text);
  }
  int LineCount() const override { return static_cast<int>(lines.size()); }
  std::vector<std::string> lines;
};

void CheckDataLine(std::string_view line, std::string_view out, const ConversionOptions& o) {
  const std::size_t hash = line.find('#');
  const std::string_view comment =
      hash == std::string_view::npos ? std::string_view() : FirstCharacters(line.substr(hash), 99);
  if (out.size() < comment.size() + 1 || out.substr(out.size() - comment.size()) != comment ||
      out[out.size() - comment.size() - 1] != ' ') {
    Fail("data line does not end in its comment", line, out);
  }
  std::string_view fields = out.substr(0, out.size() - comment.size() - 1);
  if (fields.empty() || fields[0] != ' ') Fail("data line does not start with a space", line, out);
  std::vector<std::string_view> tokens;
  std::size_t i = 0;
  while (i < fields.size()) {
    while (i < fields.size() && fields[i] == ' ') ++i;
    const std::size_t start = i;
    while (i < fields.size() && fields[i] != ' ') ++i;
    if (i > start) tokens.push_back(fields.substr(start, i - start));
  }
  const std::size_t numbers = o.LineationData ? 4 : 2;
  if (tokens.size() != numbers + (o.SenseData ? 1 : 0)) Fail("wrong number of fields", line, out);
  for (std::size_t k = 0; k < numbers; ++k) {
    const auto v = StrToFloat(tokens[k]);
    if (!v) Fail("a field is no number", line, out);
    if ((k == 0 || k == 2) && (*v < 0 || *v > 360)) Fail("azimuth out of range", line, out);
  }
  if (o.SenseData) {
    const std::string_view s = tokens.back();
    if (s != "N" && s != "R" && s != "D" && s != "S") Fail("bad sense letter", line, out);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (bytes.empty()) return 0;
  // First byte: the six switches. Then the declination and untilting texts, each
  // ended by a newline, then the input text.
  const unsigned flags = static_cast<unsigned char>(bytes[0]);
  bytes.remove_prefix(1);
  ConversionOptions o;
  o.SurfaceData = flags & 1;
  o.LineationData = flags & 2;
  o.SenseData = flags & 4;
  o.ProjectionToSurface = flags & 8;
  o.OneDecimal = flags & 16;
  auto takeLine = [&bytes](std::string& into) {
    const std::size_t nl = bytes.find('\n');
    into.assign(bytes.substr(0, nl));
    bytes.remove_prefix(nl == std::string_view::npos ? bytes.size() : nl + 1);
  };
  takeLine(o.DeclinationText);
  takeLine(o.UntiltingText);

  std::vector<std::string> lines;
  while (!bytes.empty()) {
    const std::size_t nl = bytes.find('\n');
    lines.emplace_back(bytes.substr(0, nl));
    bytes.remove_prefix(nl == std::string_view::npos ? bytes.size() : nl + 1);
  }

  LinesIn input(lines);
  LinesOut output;
  int notices = 0;
  bool completed = false;
  bool stopped = false;
  try {
    ConvertAllLines(
        o, input, output, [&](const std::string&) { ++notices; }, [&] { completed = true; });
  } catch (const RunStopped&) {
    stopped = true;
  }
  if (completed == stopped) std::abort();
  if (notices > 1) Fail("more than one message in a run", "", "");
  if (completed && output.lines.size() != lines.size()) Fail("line count", "", "");
  if (output.lines.size() > lines.size()) Fail("more output than input", "", "");
  for (std::size_t k = 0; k < output.lines.size(); ++k) {
    const std::string_view line = lines[k];
    const std::string_view out = output.lines[k];
    if (Trim(line.substr(0, line.find('#'))).empty()) {
      if (out != line) Fail("blank or comment line not copied unchanged", line, out);
      continue;
    }
    if (out.starts_with("# ")) {
      const std::string tail = " [" + std::string(line) + "]";
      if (!out.ends_with(tail)) Fail("error line does not echo its input", line, out);
      continue;
    }
    CheckDataLine(line, out, o);
  }
  // Whatever a run writes, every format that takes the run's options can carry.
  WriteOptions w;
  w.run = o;
  for (const FileFormat& format : FileFormats()) {
    if (!format.writer->Refusal(w).empty()) continue;
    try {
      FormatFileBytes(*format.writer, output.lines, w, TextEncoding::Utf8);
    } catch (const FormatError& e) {
      Fail("a format cannot carry the run's lines", e.what(), format.name);
    }
  }
  return 0;
}

#ifdef ORVANE_FUZZ_REPLAY
// Without libFuzzer: replay the files named on the command line.
int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::FILE* f = std::fopen(argv[i], "rb");
    if (!f) continue;
    std::string content;
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) content.append(buf, n);
    std::fclose(f);
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(content.data()), content.size());
  }
  return 0;
}
#endif
