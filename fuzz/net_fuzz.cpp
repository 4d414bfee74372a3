// Feeds arbitrary bytes to the stereonet as the output lines of a run (the last
// line doubling as the input file's name) and checks what the net promises for any
// input: drawn and left-out lines add up; every shape lies in the drawing; the SVG
// is UTF-8 without characters that XML forbids, and its groups are balanced.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "svg_writer.h"
#include "utf8.h"

namespace {

using namespace orvane;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

constexpr NetArea kArea{0, 0, 1000, 800};

// Checks every coordinate against the area (with room for stroke widths).
class BoundsCanvas final : public NetCanvas {
 public:
  void BeginGroup(std::string_view, bool) override { ++depth_; }
  void EndGroup() override {
    if (--depth_ < 0) Fail("group closed twice");
  }
  void Polyline(std::span<const NetXY> points, const NetStroke&) override { Check(points); }
  void Polygon(std::span<const NetXY> points, const std::optional<NetStroke>&, NetColour) override {
    Check(points);
  }
  void Circle(NetXY centre, double radius, const std::optional<NetStroke>&,
              const std::optional<NetColour>&) override {
    if (!(radius >= 0 && radius < 1000)) Fail("circle radius");
    Check(std::span<const NetXY>(&centre, 1));
  }
  void Text(NetXY at, std::string_view, const NetTextStyle&) override {
    Check(std::span<const NetXY>(&at, 1));
  }
  void GreatCircles(const GreatCircleBatch& batch) override {
    std::size_t seen = 0;
    batch.ForEach([&](std::span<const NetXY> polyline, NetColour) {
      ++seen;
      Check(polyline);
    });
    if (seen != batch.Size()) Fail("great circles counted");
  }
  int depth() const { return depth_; }

 private:
  static void Check(std::span<const NetXY> points) {
    for (const NetXY& p : points) {
      if (!(p.x >= kArea.x - 10 && p.x <= kArea.x + kArea.width + 10 && p.y >= kArea.y - 10 &&
            p.y <= kArea.y + kArea.height + 10)) {
        Fail("point outside the drawing");
      }
    }
  }
  int depth_ = 0;
};

void CheckSvg(std::string_view svg) {
  std::size_t open = 0, close = 0;
  for (std::size_t i = 0; i < svg.size();) {
    char32_t cp;
    const std::size_t length = utf8::Next(svg, i, cp);
    if (cp == utf8::kReplacement && length == 1) Fail("SVG not UTF-8");
    if ((cp < 0x20 && cp != '\n') || cp == 0xFFFE || cp == 0xFFFF) Fail("not an XML character");
    if (svg.compare(i, 3, "<g ") == 0) ++open;
    if (svg.compare(i, 4, "</g>") == 0) ++close;
    i += length;
  }
  if (open != close) Fail("SVG groups unbalanced");
  if (svg.substr(svg.size() - 7) != "</svg>\n") Fail("SVG not ended");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  NetData data;
  for (const std::string_view line : lines) data.AddOutputLine(line);
  if (data.faults.size() + static_cast<std::size_t>(data.skippedLines) != lines.size()) {
    Fail("drawn and left out do not add up");
  }
  NetStyle style;
  style.provenance.source = std::string(lines.back());
  style.provenance.declination = std::string(lines.front().substr(0, 20));
  style.projection = size % 2 ? NetProjection::EqualAngle : NetProjection::EqualArea;
  BoundsCanvas bounds;
  DrawNet(bounds, kArea, data, style);
  if (bounds.depth() != 0) Fail("groups left open");
  std::string svg;
  WriteStereonetSvg([&svg](std::string_view piece) { svg.append(piece); }, data, style);
  CheckSvg(svg);
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
