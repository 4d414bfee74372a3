// The drawing of the net, looked at through a recording canvas: what is drawn for
// which lines, the texts, the crowding steps and the layout.
#include "net_drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "recording_canvas.h"

namespace orvane {
namespace {

using testing::RecordingCanvas;
using testing::Shape;

const NetArea kExportArea{0, 0, 1000, 800};

NetData FromLines(const std::vector<std::string>& lines) {
  NetData data;
  for (const std::string& line : lines) data.AddOutputLine(line);
  return data;
}

NetData Repeated(std::size_t n, const NetFault& fault) {
  NetData data;
  data.faults.assign(n, fault);
  return data;
}

NetFault NormalFault() {
  NetFault f;
  f.dipDirection = 90;
  f.dip = 60;
  f.hasLineation = true;
  f.trend = 90;
  f.plunge = 60;
  f.sense = 'N';
  return f;
}

// A run's output: four senses, a plane alone, a lineation without a sense, and lines
// that are not drawn.
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
    " 120 30  45",  // three numbers: not a converted line
};

TEST(NetDrawing, OneCirclePerPlaneOnePointPerLineationOneArrowPerSense) {
  const NetData data = FromLines(kRunOutput);
  ASSERT_EQ(data.faults.size(), 6u);
  EXPECT_EQ(data.skippedLines, 4);
  RecordingCanvas canvas;
  DrawNet(canvas, kExportArea, data);
  EXPECT_EQ(canvas.openGroups, 0);
  EXPECT_EQ(canvas.groupsOpened,
            (std::vector<std::string>{"background", "frame", "great-circles", "lineations", "title",
                                      "legend", "count"}));
  ASSERT_EQ(canvas.batches.size(), 1u);
  EXPECT_EQ(canvas.batches[0].size, 6u);
  EXPECT_EQ(canvas.batches[0].polylines.size(), 6u);
  EXPECT_EQ(canvas.In("lineations", Shape::kCircle).size(), 5u);
  EXPECT_EQ(canvas.In("lineations", Shape::kPolyline).size(), 4u);  // shafts
  EXPECT_EQ(canvas.In("lineations", Shape::kPolygon).size(), 4u);   // heads
  for (const Shape& head : canvas.In("lineations", Shape::kPolygon)) {
    EXPECT_EQ(head.points.size(), 3u);
    EXPECT_TRUE(head.fill.has_value());
  }
  EXPECT_EQ(canvas.Texts("title"), (std::vector<std::string>{"Equal area", "lower hemisphere"}));
  EXPECT_EQ(canvas.Texts("legend"), (std::vector<std::string>{"normal 1", "reverse 1", "dextral 1",
                                                              "sinistral 1", "no sense 2"}));
  EXPECT_EQ(canvas.Texts("count"),
            (std::vector<std::string>{"6 faults drawn", "4 lines left out"}));
  EXPECT_EQ(canvas.Texts("frame"), (std::vector<std::string>{"N"}));
  // Each legend mark in its sense's colour.
  const auto marks = canvas.In("legend", Shape::kCircle);
  ASSERT_EQ(marks.size(), 5u);
  EXPECT_EQ(*marks[0].fill, SenseColour('N'));
  EXPECT_EQ(*marks[3].fill, SenseColour('S'));
  EXPECT_EQ(*marks[4].fill, SenseColour(0));
}

TEST(NetDrawing, CountNoteAddsUpToTheLinesOfTheRun) {
  const struct {
    std::vector<std::string> lines;
    std::vector<std::string> note;
  } cases[] = {
      {kRunOutput, {"6 faults drawn", "4 lines left out"}},
      {{" 90 60  90 60 N "}, {"1 fault drawn"}},
      {{" 90 60  90 60 N ", "# error in surface data [x]"}, {"1 fault drawn", "1 line left out"}},
      {{"", "# only a comment", " 1 2 3 4 5"}, {"0 faults drawn", "3 lines left out"}},
      {{}, {"0 faults drawn"}},
  };
  for (const auto& c : cases) {
    const NetData data = FromLines(c.lines);
    EXPECT_EQ(data.faults.size() + static_cast<std::size_t>(data.skippedLines), c.lines.size());
    RecordingCanvas canvas;
    DrawNet(canvas, kExportArea, data);
    EXPECT_EQ(canvas.Texts("count"), c.note) << c.lines.size() << " lines";
  }
}

TEST(NetDrawing, CrowdingSteps) {
  const NetColour normal = SenseColour('N');
  const struct {
    std::size_t faults;
    std::uint8_t alpha;
    bool crowded;  // coarse opaque tints, unsmoothed, primitive drawn again
    bool pointsSmooth;
  } cases[] = {
      {kManyFaults, 170, false, true},       {kManyFaults + 1, 70, false, true},
      {kCrowdedFaults, 70, false, true},     {kCrowdedFaults + 1, 255, true, true},
      {kVeryCrowdedFaults, 255, true, true}, {kVeryCrowdedFaults + 1, 255, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.faults);
    RecordingCanvas canvas;
    DrawNet(canvas, kExportArea, Repeated(c.faults, NormalFault()));
    ASSERT_EQ(canvas.batches.size(), 1u);
    const auto& batch = canvas.batches[0];
    EXPECT_EQ(batch.polylines.size(), c.faults);
    EXPECT_EQ(batch.polylines[0].size(), c.crowded ? 31u : 61u);
    EXPECT_EQ(batch.opaque, c.crowded);
    EXPECT_EQ(batch.smooth, !c.crowded);
    if (c.crowded) {
      // The colour lightened to 35 % of its distance from white.
      EXPECT_EQ(batch.colours[0], (NetColour{166, 206, 229, 255}));
    } else {
      EXPECT_EQ(batch.colours[0], (NetColour{normal.r, normal.g, normal.b, c.alpha}));
    }
    const auto primitives = canvas.In("great-circles", Shape::kCircle);
    EXPECT_EQ(primitives.size(), c.crowded ? 1u : 0u);
    if (c.crowded) {
      const Shape frame = canvas.In("frame", Shape::kCircle).at(0);
      EXPECT_EQ(primitives[0].radius, frame.radius);
    }
    const auto points = canvas.In("lineations", Shape::kCircle);
    ASSERT_EQ(points.size(), c.faults);
    EXPECT_EQ(points[0].smooth, c.pointsSmooth);
  }
}

double ShaftLength(std::size_t faults) {
  RecordingCanvas canvas;
  DrawNet(canvas, kExportArea, Repeated(faults, NormalFault()));
  const Shape shaft = canvas.In("lineations", Shape::kPolyline).at(0);
  return std::hypot(shaft.points[1].x - shaft.points[0].x, shaft.points[1].y - shaft.points[0].y);
}

TEST(NetDrawing, ArrowsShrinkOnCrowdedNets) {
  const double full = ShaftLength(1);
  EXPECT_GT(full, 20);
  EXPECT_DOUBLE_EQ(ShaftLength(300), full);
  EXPECT_NEAR(ShaftLength(1200), full / 2, 1e-9);
  EXPECT_NEAR(ShaftLength(100000), full * 0.3, 1e-9);  // no shorter than 30 %
}

TEST(NetDrawing, NorthIsUpAndArrowsFollowTheHangingWall) {
  const struct {
    const char* line;
    double pointX, pointY;  // direction of the point from the centre (screen, y down)
    double arrowX, arrowY;  // direction of the arrow
  } cases[] = {
      {" 0 60  0 60 N ", 0, -1, 0, -1},   // north of the centre, pointing away from it
      {" 90 60  90 60 R ", 1, 0, -1, 0},  // east of it, pointing back toward it
      {" 90 80   0  0 D ", 0, -1, 0, 1},  // on the north edge, hanging wall moving south
      {" 90 80 180  0 S ", 0, 1, 0, -1},  // on the south edge, moving north
  };
  for (const auto& c : cases) {
    RecordingCanvas canvas;
    DrawNet(canvas, kExportArea, FromLines({c.line}));
    const Shape frame = canvas.In("frame", Shape::kCircle).at(0);
    const Shape point = canvas.In("lineations", Shape::kCircle).at(0);
    const Shape shaft = canvas.In("lineations", Shape::kPolyline).at(0);
    const NetXY centre = frame.points[0], p = point.points[0];
    const double r = std::hypot(p.x - centre.x, p.y - centre.y);
    EXPECT_NEAR((p.x - centre.x) / r, c.pointX, 1e-9) << c.line;
    EXPECT_NEAR((p.y - centre.y) / r, c.pointY, 1e-9) << c.line;
    const double dx = shaft.points[1].x - shaft.points[0].x;
    const double dy = shaft.points[1].y - shaft.points[0].y;
    const double length = std::hypot(dx, dy);
    EXPECT_NEAR(dx / length, c.arrowX, 1e-9) << c.line;
    EXPECT_NEAR(dy / length, c.arrowY, 1e-9) << c.line;
  }
}

// Every point of every shape and every circle in `area`.
void ExpectInside(const RecordingCanvas& canvas, const NetArea& area) {
  const auto inside = [&](NetXY p, double margin) {
    return std::isfinite(p.x) && std::isfinite(p.y) && p.x >= area.x - margin &&
           p.y >= area.y - margin && p.x <= area.x + area.width + margin &&
           p.y <= area.y + area.height + margin;
  };
  for (const Shape& s : canvas.shapes) {
    for (const NetXY& p : s.points) EXPECT_TRUE(inside(p, s.radius)) << s.group << " " << s.text;
  }
  for (const auto& batch : canvas.batches) {
    for (const auto& polyline : batch.polylines) {
      for (const NetXY& p : polyline) EXPECT_TRUE(inside(p, 1));
    }
  }
}

TEST(NetDrawing, LayoutKeepsTheNetAndTheTextsInTheArea) {
  NetStyle style;
  style.provenance = {"fifty-faults.txt", "2", "100"};
  NetData data = FromLines(kRunOutput);
  for (int i = 0; i < 99999; ++i) data.faults.push_back(NormalFault());
  for (const NetArea area : {NetArea{0, 0, 1000, 800}, NetArea{30, 40, 420, 300},
                             NetArea{0, 0, 2400, 1000}, NetArea{5, 5, 300, 600}}) {
    SCOPED_TRACE(area.width);
    RecordingCanvas canvas;
    DrawNet(canvas, area, data, style);
    ExpectInside(canvas, area);
    const Shape frame = canvas.In("frame", Shape::kCircle).at(0);
    const double netRight = frame.points[0].x + frame.radius;
    for (const char* group : {"title", "legend", "count"}) {
      for (const Shape& text : canvas.In(group, Shape::kText)) {
        // Right of the net, and within the area by the estimated width.
        EXPECT_GT(text.points[0].x, netRight) << text.text;
        const double width = EstimateTextWidth(text.text, text.textStyle.size, text.textStyle.bold);
        EXPECT_LE(text.points[0].x + width, area.x + area.width) << text.text;
        EXPECT_LE(text.points[0].y, area.y + area.height) << text.text;
      }
    }
  }
}

TEST(NetDrawing, AreaTooSmallForANetGetsTheBackgroundOnly) {
  RecordingCanvas canvas;
  DrawNet(canvas, NetArea{0, 0, 120, 100}, FromLines(kRunOutput));
  EXPECT_EQ(canvas.groupsOpened, std::vector<std::string>{"background"});
  ASSERT_EQ(canvas.shapes.size(), 1u);
  EXPECT_EQ(*canvas.shapes[0].fill, (NetColour{255, 255, 255}));
  RecordingCanvas unusable;
  DrawNet(unusable, NetArea{0, 0, NAN, 800}, FromLines(kRunOutput));
  EXPECT_TRUE(unusable.batches.empty());
}

TEST(NetDrawing, ProvenanceLinesUnderTheTitle) {
  NetStyle style;
  style.provenance = {"fifty-faults.txt", "2", "100"};
  RecordingCanvas canvas;
  DrawNet(canvas, kExportArea, FromLines(kRunOutput), style);
  EXPECT_EQ(canvas.Texts("title"),
            (std::vector<std::string>{"Equal area", "lower hemisphere", "fifty-faults.txt",
                                      "declination 2\xC2\xB0", "untilting 100 %"}));
  // The legend starts below them.
  const auto title = canvas.In("title", Shape::kText);
  EXPECT_GT(canvas.In("legend", Shape::kText).at(0).points[0].y, title.back().points[0].y);

  style.provenance = {"typed input", "", ""};
  style.projection = NetProjection::EqualAngle;
  RecordingCanvas typed;
  DrawNet(typed, kExportArea, FromLines(kRunOutput), style);
  EXPECT_EQ(typed.Texts("title"),
            (std::vector<std::string>{"Equal angle", "lower hemisphere", "typed input"}));

  // A name longer than the column is shortened, on a letter boundary.
  style.provenance = {std::string(80, 'x') + "\xC3\xA9t\xC3\xA9.txt", "", ""};
  RecordingCanvas longName;
  DrawNet(longName, kExportArea, FromLines(kRunOutput), style);
  const std::string shown = longName.Texts("title").at(2);
  EXPECT_LT(shown.size(), 60u);
  EXPECT_EQ(shown.substr(shown.size() - 3), "\xE2\x80\xA6");
  EXPECT_EQ(shown.substr(0, 10), "xxxxxxxxxx");

  style.drawTitle = false;
  RecordingCanvas untitled;
  DrawNet(untitled, kExportArea, FromLines(kRunOutput), style);
  EXPECT_TRUE(untitled.Texts("title").empty());
}

TEST(NetDrawing, ValuesNoConverterWritesStillDrawFinitely) {
  const NetData data = FromLines({" 1e308 30  45 20 N ", " -1e308 1e308 1e308 -1e308 D ",
                                  " 120 30 1e300 90 S ", " 0.000001 0 0 0 R "});
  ASSERT_EQ(data.faults.size(), 4u);
  RecordingCanvas canvas;
  DrawNet(canvas, kExportArea, data);
  ExpectInside(canvas, kExportArea);
}

TEST(NetDrawing, TextWidthEstimate) {
  // Qt measures "sinistral 00000" in DejaVu Sans at 100 pixels as 742.3.
  EXPECT_NEAR(EstimateTextWidth("sinistral 00000", 100, false), 742.3, 1);
  EXPECT_GT(EstimateTextWidth("Equal area", 17, true), EstimateTextWidth("Equal area", 17, false));
  EXPECT_EQ(EstimateTextWidth("", 17, false), 0);
  EXPECT_DOUBLE_EQ(EstimateTextWidth("\xC3\xA9", 10, false), 7);       // é: 0.7 em
  EXPECT_DOUBLE_EQ(EstimateTextWidth("\xE5\xB1\xB1", 10, false), 10);  // 山: 1 em
  EXPECT_DOUBLE_EQ(EstimateTextWidth("\xFF\xC3", 10, false), 20);      // stray bytes: U+FFFD each
  EXPECT_DOUBLE_EQ(EstimateTextWidth("\xF0\x9F\x98\x80", 10, false), 10);  // one emoji
}

TEST(NetDrawing, FileFormatByExtension) {
  const struct {
    const char* name;
    NetFileFormat format;
  } cases[] = {
      {"net.svg", NetFileFormat::Svg},      {"NET.SVG", NetFileFormat::Svg},
      {"a.b/net.Png", NetFileFormat::Png},  {"net.png.txt", NetFileFormat::Unknown},
      {"net", NetFileFormat::Unknown},      {"svg", NetFileFormat::Unknown},
      {"net.svg/", NetFileFormat::Unknown}, {"dir.svg/net", NetFileFormat::Unknown},
      {"net.", NetFileFormat::Unknown},     {"", NetFileFormat::Unknown},
  };
  for (const auto& c : cases) EXPECT_EQ(NetFileFormatOf(c.name), c.format) << c.name;
}

}  // namespace
}  // namespace orvane
