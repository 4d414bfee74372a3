// The run over all lines: output format, copied lines, error lines, marks, declination.
#include "batch_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane {
namespace {

class FakeInput : public InputPane {
 public:
  explicit FakeInput(std::vector<std::string> lines)
      : lines_(std::move(lines)), marks_(lines_.size(), '?') {}
  int LineCount() const override { return static_cast<int>(lines_.size()); }
  std::string LineAt(int i) const override { return lines_[i]; }
  void MarkLineAsError(int i) override { marks_[i] = 'E'; }
  void MarkLineAsNormal(int i) override { marks_[i] = 'n'; }

 private:
  std::vector<std::string> lines_;

 public:
  std::string marks_;  // one letter per line: E error, n normal, ? untouched
};

class FakeOutput : public OutputPane {
 public:
  void Clear() override { lines.clear(); }
  void AppendLine(std::string_view text) override { lines.emplace_back(text); }
  std::string LineAt(int i) const override { return lines[i]; }
  void ReplaceLine(int i, std::string_view text) override { lines[i] = std::string(text); }
  int LineCount() const override { return static_cast<int>(lines.size()); }
  std::vector<std::string> lines;
};

ConversionOptions Options() {
  ConversionOptions o;
  o.ProjectionToSurface = false;
  return o;
}

std::string One(const std::string& line, const ConversionOptions& o = Options()) {
  BatchRun run(o, nullptr);
  std::string out;
  run.ConvertInputLine(line, out);
  return out;
}

TEST(BatchRun, IntegerAndOneDecimalForms) {
  ConversionOptions o = Options();
  o.DeclinationText = "-0.44";  // 45 + 0.44 = 45.44
  EXPECT_EQ(One("45 7.25 122.56 5.04 N # site 3", o), "  45  7 123  5 N # site 3");
  o.OneDecimal = true;
  EXPECT_EQ(One("45 7.25 122.56 5.04 N # site 3", o), " 45.4 7.3 123 5 N # site 3");
  o = Options();
  o.LineationData = o.SenseData = false;
  EXPECT_EQ(One("45 7.25", o), "  45  7 ");
}

TEST(BatchRun, ColumnsAndRounding) {
  EXPECT_EQ(One("7 5 7 5 N"), "   7  5   7  5 N ");
  EXPECT_EQ(One("359.5 89.5 0 0 N"), " 360 90   0  0 N ");  // rounding after the wrap
  ConversionOptions o = Options();
  o.OneDecimal = true;
  EXPECT_EQ(One("359.96 45.0 10.04 0.05 N", o), " 360 45 10 0.1 N ");
  // The largest dip a field may hold, folded once; negative numbers get the padding
  // of numbers below 10.
  EXPECT_EQ(One("10 1000000000 10 5 N"), " 190  -999999820  10  5 N ");
  // Absurd values (readers take none, a datum set directly may hold them) are
  // written in full instead of wrapping around 32 bits.
  ZelmDataC wide;
  wide.SetDipDirection(190);
  wide.Dip = -1e30;
  wide.SetTrend(10);
  wide.Plunge = 5;
  wide.SetSense("N");
  std::string out;
  AppendOutputLine(out, wide, Options(), "");
  EXPECT_EQ(out, " 190  -1000000000000000019884624838656  10  5 N ");
  out.clear();
  AppendOutputLine(out, wide, o, "");
  EXPECT_EQ(out, " 190 -1e+30 10 5 N ");
}

TEST(BatchRun, DeclinationIsSubtractedAndWrapped) {
  ConversionOptions o = Options();
  o.DeclinationText = "7";
  EXPECT_EQ(One("5 30 10 20 N", o), " 358 30   3 20 N ");
  o.SurfaceData = false;
  EXPECT_EQ(One("10 20 N", o), " 353  0   3 20 N ");
  o = Options();
  o.DeclinationText = "-1e300";  // huge, but the wrap still ends
  const std::string line = One("5 30 10 20 N", o);
  EXPECT_EQ(line.back(), ' ');
}

TEST(BatchRun, CommentsAreCutTo99Characters) {
  const std::string comment = "#" + std::string(120, 'c');
  EXPECT_EQ(One("120 30 45 20 N " + comment), " 120 30  45 20 N " + comment.substr(0, 99));
  EXPECT_EQ(One(comment), comment);  // a comment-only line is copied whole
  // The cut counts characters: 98 degree signs after "#" stay whole.
  std::string degrees = "#";
  for (int i = 0; i < 120; ++i) degrees += "\xc2\xb0";
  EXPECT_EQ(One("120 30 45 20 N " + degrees), " 120 30  45 20 N " + degrees.substr(0, 1 + 98 * 2));
}

TEST(BatchRun, RunOverPanes) {
  FakeInput input({"120 30 45 20 N", " \t ", "# note", "  # note", "120 30 45 20 # x",
                   "  120 30 45 20 N  # site"});
  FakeOutput output;
  output.lines = {"old"};
  bool completed = false;
  ConvertAllLines(Options(), input, output, nullptr, [&] { completed = true; });
  EXPECT_TRUE(completed);
  EXPECT_EQ(output.lines, (std::vector<std::string>{
                              " 120 30  45 20 N ",
                              " \t ",
                              "# note",
                              "  # note",
                              "# error in character data [120 30 45 20 # x]",
                              " 120 30  45 20 N # site",
                          }));
  EXPECT_EQ(input.marks_, "n???En");
}

TEST(BatchRun, EmptyInputCompletes) {
  FakeInput input({});
  FakeOutput output;
  bool completed = false;
  ConvertAllLines(Options(), input, output, nullptr, [&] { completed = true; });
  EXPECT_TRUE(completed);
  EXPECT_TRUE(output.lines.empty());
}

TEST(BatchRun, UnreadableDeclinationStopsAtFirstConvertedLine) {
  ConversionOptions o = Options();
  o.DeclinationText = "abc";
  FakeInput input({"# head", "bad line", "120 30 45 20 N", "130 30 45 20 N"});
  FakeOutput output;
  bool completed = false;
  try {
    ConvertAllLines(o, input, output, nullptr, [&] { completed = true; });
    FAIL() << "the run should stop";
  } catch (const RunStopped& stop) {
    EXPECT_STREQ(stop.what(), "Declination \"abc\" is not a number");
    EXPECT_FALSE(stop.AlreadyShown());
  }
  EXPECT_FALSE(completed);
  EXPECT_EQ(output.lines,
            (std::vector<std::string>{"# head", "# error in surface data [bad line]"}));
  EXPECT_EQ(input.marks_, "?E??");

  // A run in which no line converts never looks at the declination.
  FakeInput bad({"x", "y"});
  ConvertAllLines(o, bad, output, nullptr, [&] { completed = true; });
  EXPECT_TRUE(completed);
}

TEST(BatchRun, UnreadableUntiltingIsShownOnceAndStops) {
  for (const char* text : {"abc", "-", "-x", "30-x", "12.5"}) {
    ConversionOptions o = Options();
    o.UntiltingText = text;
    std::vector<std::string> shown;
    FakeInput input({"x", "120 30 45 20 N 90/30", "120 30 45 20 N 90/30"});
    FakeOutput output;
    EXPECT_THROW(ConvertAllLines(
                     o, input, output, [&](const std::string& m) { shown.push_back(m); }, nullptr),
                 RunStopped)
        << text;
    EXPECT_EQ(shown, std::vector<std::string>{"input [0-100]"}) << text;
    EXPECT_EQ(output.lines.size(), 1u) << text;
  }
}

TEST(BatchRun, ResultCarriesTheErrorMessage) {
  BatchRun run(Options(), nullptr);
  std::string out = "kept ";
  LineResult r = run.AppendInputLine("1 2 3 4 # [x]", out);
  EXPECT_EQ(r.outcome, LineOutcome::Error);
  EXPECT_EQ(r.message, "error in character data");
  EXPECT_EQ(out, "kept # error in character data [1 2 3 4 # [x]]");
  // The message is the run's, not read back from the line: a message-like comment
  // changes nothing.
  r = run.ConvertInputLine("120 30 45 20 N # error [x]", out);
  EXPECT_EQ(r.outcome, LineOutcome::Converted);
  EXPECT_EQ(r.message, "");
  r = run.ConvertInputLine("  # note", out);
  EXPECT_EQ(r.outcome, LineOutcome::Copied);
  EXPECT_EQ(out, "  # note");
}

TEST(BatchRun, OverlongLineIsOneErrorLine) {
  BatchRun run(Options(), nullptr);
  std::string out = "a\n";
  const LineResult r = run.AppendOverlongLine("120 30 45 20 N # x", 1048576, out);
  EXPECT_EQ(r.outcome, LineOutcome::Error);
  EXPECT_EQ(r.message, "line longer than 1048576 bytes");
  EXPECT_EQ(out, "a\n# line longer than 1048576 bytes [120 30 45 20 N # x]");
}

}  // namespace
}  // namespace orvane
