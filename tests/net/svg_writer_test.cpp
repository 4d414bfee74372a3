// The SVG document of a net, read back with xmllint: well-formed, one element per
// shape, numbers with "." in any locale, texts escaped, written in pieces.
#include "svg_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <locale>
#include <string>
#include <vector>

#include <unistd.h>

#include "recording_canvas.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kRunOutput = {
    "# Field notes",
    " 118 30  48 11 N # site 1",
    " 208 65 214 65 R ",
    " 203 70 291  6 D ",
    "  38 85 308  4 S ",
    "# error in liniation data [35 50 N]",
    "",
    " 120 40 ",
    " 120 30  45 20 ",
};

NetData FromLines(const std::vector<std::string>& lines) {
  NetData data;
  for (const std::string& line : lines) data.AddOutputLine(line);
  return data;
}

std::string Svg(const NetData& data, const NetStyle& style = {}) {
  std::string svg;
  WriteStereonetSvg([&svg](std::string_view bytes) { svg.append(bytes); }, data, style);
  return svg;
}

// Runs xmllint on the document; its standard output, and whether it succeeded.
class Xmllint {
 public:
  explicit Xmllint(const std::string& document)
      : path_(fs::temp_directory_path() / ("orvane-svg-test-" + std::to_string(::getpid()) + "-" +
                                           std::to_string(++counter_) + ".svg")) {
    std::ofstream(path_, std::ios::binary) << document;
  }
  ~Xmllint() { fs::remove(path_); }

  static bool Available() { return std::system("xmllint --version >/dev/null 2>&1") == 0; }

  bool WellFormed() const {
    bool ok = false;
    Run("--noout", ok);
    return ok;
  }

  // The value of an XPath expression; elements are matched by local name, as the
  // document has a default namespace.
  std::string XPath(const std::string& expression) const {
    bool ok;
    std::string value = Run("--xpath \"" + expression + "\"", ok);
    if (!value.empty() && value.back() == '\n') value.pop_back();
    return value;
  }
  double Count(const std::string& expression) const {
    return std::stod(XPath("count(" + expression + ")"));
  }

 private:
  std::string Run(const std::string& arguments, bool& ok) const {
    const std::string command = "xmllint --huge " + arguments + " '" + path_.string() + "' 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    if (!pipe) return out;
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
      out.append(buffer.data(), n);
    ok = ::pclose(pipe) == 0;
    return out;
  }

  fs::path path_;
  static inline int counter_ = 0;
};

// An element by local name inside the group of a class.
std::string In(const std::string& group, const std::string& element) {
  return "//*[local-name()='g'][@class='" + group + "']//*[local-name()='" + element + "']";
}

class SvgWriter : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!Xmllint::Available()) GTEST_SKIP() << "xmllint is not installed";
  }
};

TEST_F(SvgWriter, OneElementPerShape) {
  const Xmllint svg(Svg(FromLines(kRunOutput)));
  ASSERT_TRUE(svg.WellFormed());
  EXPECT_EQ(svg.Count("/*[local-name()='svg'][@width='1000'][@height='800']"), 1);
  EXPECT_EQ(svg.Count(In("great-circles", "path")), 6);
  EXPECT_EQ(svg.Count(In("lineations", "circle")), 5);
  EXPECT_EQ(svg.Count(In("lineations", "polyline")), 4);
  EXPECT_EQ(svg.Count(In("lineations", "path") + "[@fill!='none']"), 4);
  EXPECT_EQ(svg.Count(In("frame", "circle")), 1);
  EXPECT_EQ(svg.Count(In("frame", "polyline")), 36 + 2);  // ticks and the centre cross
  EXPECT_EQ(svg.Count(In("legend", "text")), 5);
  EXPECT_EQ(svg.XPath("string(" + In("count", "text") + "[1])"), "6 faults drawn");
  EXPECT_EQ(svg.XPath("string(" + In("count", "text") + "[2])"), "3 lines left out");
  EXPECT_EQ(svg.XPath("string(" + In("legend", "text") + "[4])"), "sinistral 1");
  EXPECT_EQ(svg.XPath("string(" + In("title", "text") + "[1]/@font-weight)"), "bold");
  EXPECT_EQ(svg.XPath("string(" + In("frame", "text") + "/@text-anchor)"), "middle");
}

TEST_F(SvgWriter, TextsAreEscapedAndMadeValidUtf8) {
  NetStyle style;
  style.provenance.source = "<&>\"'\x01\xFF\xC3\xA9\tx\xEF\xBF\xBE\xF0\x9F\x98\x80";
  const Xmllint svg(Svg(FromLines(kRunOutput), style));
  ASSERT_TRUE(svg.WellFormed());
  // Control bytes, stray bytes and U+FFFE replaced; a tab as a space; é and 😀 kept.
  EXPECT_EQ(svg.XPath("string(" + In("title", "text") + "[3])"),
            "<&>\"'\xEF\xBF\xBD\xEF\xBF\xBD\xC3\xA9 x\xEF\xBF\xBD\xF0\x9F\x98\x80");
}

TEST(SvgNumbers, SameBytesUnderACommaLocale) {
  NetData data = FromLines(kRunOutput);
  const std::string plain = Svg(data);
  EXPECT_NE(plain.find(" r=\"2.5\""), std::string::npos);
  EXPECT_NE(plain.find(" stroke-width=\"1.5\""), std::string::npos);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "no de_DE.UTF-8 locale on this machine";
  }
  const std::locale old = std::locale::global(std::locale("de_DE.UTF-8"));
  const std::string german = Svg(data);
  std::locale::global(old);
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(german, plain);
}

// The points of an SVG path's data "Mx yl dx dy dx dy...".
std::vector<NetXY> PathPoints(const std::string& d) {
  std::vector<double> numbers;
  std::size_t i = 1;  // after "M"
  while (i < d.size()) {
    if (d[i] == ' ' || d[i] == 'l') {
      ++i;
      continue;
    }
    std::size_t used;
    numbers.push_back(std::stod(d.substr(i), &used));
    i += used;
  }
  std::vector<NetXY> points;
  for (std::size_t k = 0; k + 1 < numbers.size(); k += 2) {
    if (points.empty()) {
      points.push_back({numbers[k], numbers[k + 1]});
    } else {
      points.push_back({points.back().x + numbers[k], points.back().y + numbers[k + 1]});
    }
  }
  return points;
}

TEST(SvgPaths, RelativeStepsAddUpToTheDrawnPoints) {
  const NetData data = FromLines({" 118 30  48 11 N ", " 33 87 ", " 271 4 "});
  testing::RecordingCanvas canvas;
  DrawNet(canvas, NetArea{0, 0, 1000, 800}, data);
  const std::string svg = Svg(data);
  std::size_t at = svg.find("<g class=\"great-circles\">");
  for (const auto& expected : canvas.batches.at(0).polylines) {
    at = svg.find(" d=\"", svg.find("<path", at));
    ASSERT_NE(at, std::string::npos);
    const std::size_t end = svg.find('"', at + 4);
    const auto points = PathPoints(svg.substr(at + 4, end - at - 4));
    ASSERT_EQ(points.size(), expected.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
      EXPECT_NEAR(points[i].x, expected[i].x, 0.0501) << i;
      EXPECT_NEAR(points[i].y, expected[i].y, 0.0501) << i;
    }
    at = end;
  }
}

TEST(SvgStream, WrittenInBoundedPieces) {
  NetData data;
  NetFault f;
  for (int i = 0; i < 20000; ++i) {
    f.dipDirection = i % 360;
    f.dip = i % 90;
    f.hasLineation = true;
    f.trend = f.dipDirection;
    f.plunge = f.dip;
    f.sense = "NRDS"[i % 4];
    data.faults.push_back(f);
  }
  std::vector<std::size_t> pieces;
  std::string whole;
  WriteStereonetSvg(
      [&](std::string_view bytes) {
        pieces.push_back(bytes.size());
        whole.append(bytes);
      },
      data);
  EXPECT_GT(pieces.size(), 50u);
  EXPECT_LE(*std::max_element(pieces.begin(), pieces.end()), std::size_t{(1 << 16) + 4096});
  EXPECT_EQ(whole, Svg(data));
  EXPECT_EQ(whole.substr(whole.size() - 7), "</svg>\n");
}

}  // namespace
}  // namespace orvane
