#include "net_drawing.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "angles.h"
#include "utf8.h"

namespace orvane {

namespace {

struct SenseStyle {
  char letter;
  const char* name;
  NetColour colour;
  NetColour outline;  // the colour 30 % darker in value, for outlines
};

// Colours that stay apart for the common forms of colour blindness.
constexpr SenseStyle kSenses[] = {
    {'N', "normal", {0, 114, 178}, {0, 88, 137}},
    {'R', "reverse", {213, 94, 0}, {164, 72, 0}},
    {'D', "dextral", {0, 158, 115}, {0, 122, 88}},
    {'S', "sinistral", {204, 121, 167}, {157, 93, 128}},
    {0, "no sense", {90, 90, 90}, {69, 69, 69}},
};
constexpr std::size_t kNoSense = 4;

std::size_t SenseIndex(char sense) {
  for (std::size_t i = 0; i < kNoSense; ++i) {
    if (kSenses[i].letter == sense) return i;
  }
  return kNoSense;
}

constexpr NetColour kBlack{0, 0, 0};
constexpr NetColour kWhite{255, 255, 255};

// DejaVu Sans: advance widths of ASCII 32..126 in thousandths of an em, as Qt
// measures them, and the ascent and line height in ems.
// clang-format off
constexpr std::array<short, 95> kRegularWidths = {
//   sp   !    "    #    $    %    &    '    (    )    *    +    ,    -    .    /
    318, 401, 460, 838, 636, 950, 780, 275, 390, 390, 500, 838, 318, 361, 318, 337,
//   0    1    2    3    4    5    6    7    8    9    :    ;    <    =    >    ?
    636, 636, 636, 636, 636, 636, 636, 636, 636, 636, 337, 337, 838, 838, 838, 531,
//   @    A    B    C    D    E    F    G    H    I    J    K    L    M    N    O
   1000, 684, 686, 698, 770, 632, 575, 775, 752, 295, 295, 656, 557, 863, 748, 787,
//   P    Q    R    S    T    U    V    W    X    Y    Z    [    \    ]    ^    _
    603, 787, 695, 635, 611, 732, 684, 989, 685, 611, 685, 390, 337, 390, 838, 500,
//   `    a    b    c    d    e    f    g    h    i    j    k    l    m    n    o
    500, 613, 635, 550, 635, 615, 352, 635, 634, 278, 278, 579, 278, 974, 634, 612,
//   p    q    r    s    t    u    v    w    x    y    z    {    |    }    ~
    635, 635, 411, 521, 392, 634, 592, 818, 592, 592, 525, 636, 337, 636, 838};
constexpr std::array<short, 95> kBoldWidths = {
    348, 456, 521, 838, 696,1002, 872, 306, 457, 457, 523, 838, 380, 415, 380, 365,
    696, 696, 696, 696, 696, 696, 696, 696, 696, 696, 400, 400, 838, 838, 838, 580,
   1000, 774, 762, 734, 830, 683, 683, 821, 837, 372, 372, 775, 637, 995, 837, 850,
    733, 850, 770, 720, 682, 812, 774,1103, 771, 724, 725, 457, 365, 457, 838, 500,
    500, 675, 716, 593, 716, 678, 435, 716, 712, 343, 343, 665, 343,1042, 712, 687,
    716, 716, 493, 595, 478, 712, 652, 924, 645, 652, 582, 712, 365, 712, 838};
// clang-format on
constexpr double kAscent = 0.928;
constexpr double kLineHeight = 1.164;

constexpr double kColumnGap = 24;     // between the net and the column right of it
constexpr double kLegendIndent = 16;  // legend texts, right of their marks

std::string Digits(long long count) {
  char digits[24];
  return std::string(digits, std::to_chars(digits, digits + sizeof digits, count).ptr);
}

// The advance of a code point in thousandths of an em (see EstimateTextWidth).
int AdvanceOf(char32_t cp, bool bold) {
  if (cp >= 32 && cp < 127) return (bold ? kBoldWidths : kRegularWidths)[cp - 32];
  return cp < 0x800 ? 700 : 1000;
}

// `text` cut to fit `width` pixels, with "…" in place of what was cut.
std::string FitText(std::string_view text, double width, double size, bool bold) {
  if (EstimateTextWidth(text, size, bold) <= width) return std::string(text);
  static constexpr std::string_view kEllipsis = "\xE2\x80\xA6";
  const double room = width - EstimateTextWidth(kEllipsis, size, bold);
  std::size_t end = 0;
  long thousandths = 0;
  while (end < text.size()) {
    char32_t cp;
    const std::size_t length = utf8::Next(text, end, cp);
    thousandths += AdvanceOf(cp, bold);
    if (static_cast<double>(thousandths) * size / 1000 > room) break;
    end += length;
  }
  return std::string(text.substr(0, end)) + std::string(kEllipsis);
}

// The texts of the column right of the net, but for the provenance lines, which
// are shortened to fit it.
struct ColumnTexts {
  std::string projection;  // bold
  std::string hemisphere;
  std::vector<std::pair<std::size_t, std::string>> legend;  // sense index, "normal 12"
  std::vector<std::string> count;

  // The widest, with the legend's marks, in pixels.
  double Width(double fontSize) const {
    double width = std::max(EstimateTextWidth(projection, fontSize, true),
                            EstimateTextWidth(hemisphere, fontSize, false));
    for (const auto& line : legend) {
      width = std::max(width, kLegendIndent + EstimateTextWidth(line.second, fontSize, false));
    }
    for (const auto& line : count)
      width = std::max(width, EstimateTextWidth(line, fontSize, false));
    return width;
  }
};

ColumnTexts ColumnOf(const NetData& data, const NetStyle& style) {
  ColumnTexts texts;
  if (style.drawTitle) {
    texts.projection = style.projection == NetProjection::EqualArea ? "Equal area" : "Equal angle";
    texts.hemisphere = "lower hemisphere";
  }
  long long counts[std::size(kSenses)] = {};
  for (const NetFault& f : data.faults) ++counts[SenseIndex(f.sense)];
  for (std::size_t i = 0; i < std::size(kSenses); ++i) {
    if (i == kNoSense && counts[i] == 0) continue;  // "no sense" only when there are such
    texts.legend.emplace_back(i, std::string(kSenses[i].name) + " " + Digits(counts[i]));
  }
  // Together the lines of the run.
  const auto n = static_cast<long long>(data.faults.size());
  texts.count.push_back(n == 1 ? std::string("1 fault drawn") : Digits(n) + " faults drawn");
  if (data.skippedLines == 1) texts.count.push_back("1 line left out");
  if (data.skippedLines > 1) texts.count.push_back(Digits(data.skippedLines) + " lines left out");
  return texts;
}

// Where the net sits in the area and how large its texts are.
struct Layout {
  double fontSize;
  double lineHeight;
  double ascent;
  double margin;  // room around the net, for the north mark above it
  NetXY centre;
  double radius;
  double legendX;  // left edge of the column right of the net
  double right;    // right edge of the area

  NetXY ToScreen(const NetPoint& p) const {
    return {centre.x + p.x * radius, centre.y - p.y * radius};
  }
};

std::optional<Layout> LayOut(const NetArea& area, const ColumnTexts& texts) {
  if (!std::isfinite(area.x) || !std::isfinite(area.y) || !std::isfinite(area.width) ||
      !std::isfinite(area.height)) {
    return std::nullopt;
  }
  Layout l;
  // Whole pixels from 10 to 18, growing with the drawing.
  l.fontSize = std::trunc(std::clamp(std::min(area.width, area.height) / 45, 10.0, 18.0));
  l.lineHeight = kLineHeight * l.fontSize;
  l.ascent = kAscent * l.fontSize;
  l.margin = l.lineHeight * 1.6;
  // The column holds its widest text, and at least a legend line of 99,999 faults.
  const double column =
      std::max(texts.Width(l.fontSize),
               kLegendIndent + EstimateTextWidth("sinistral 00000", l.fontSize, false));
  const double side =
      std::min(area.width - kColumnGap - column - l.margin, area.height - 2 * l.margin);
  if (!(side >= 20)) return std::nullopt;
  l.radius = side / 2;
  l.centre = {area.x + l.margin + l.radius, area.y + area.height / 2};
  l.legendX = l.centre.x + l.radius + kColumnGap;
  l.right = area.x + area.width;
  return l;
}

void DrawBackground(NetCanvas& canvas, const NetArea& area) {
  canvas.BeginGroup("background", false);
  const NetXY corners[] = {{area.x, area.y},
                           {area.x + area.width, area.y},
                           {area.x + area.width, area.y + area.height},
                           {area.x, area.y + area.height}};
  canvas.Polygon(corners, std::nullopt, kWhite);
  canvas.EndGroup();
}

void DrawPrimitive(NetCanvas& canvas, const Layout& l) {
  canvas.Circle(l.centre, l.radius, NetStroke{kBlack, 1.5}, std::nullopt);
}

// Primitive circle, ticks every 10 degrees (longer at the four quarters), the
// centre cross and the north mark.
void DrawFrame(NetCanvas& canvas, const Layout& l) {
  canvas.BeginGroup("frame", true);
  DrawPrimitive(canvas, l);
  const NetStroke thin{kBlack, 1};
  for (int azimuth = 0; azimuth < 360; azimuth += 10) {
    const double a = azimuth * kPi / 180;
    const double inner = (azimuth % 90 == 0) ? 0.94 : 0.97;
    const NetXY tick[] = {l.ToScreen({inner * std::sin(a), inner * std::cos(a)}),
                          l.ToScreen({std::sin(a), std::cos(a)})};
    canvas.Polyline(tick, thin);
  }
  const NetXY across[] = {l.ToScreen({-0.02, 0}), l.ToScreen({0.02, 0})};
  const NetXY upDown[] = {l.ToScreen({0, -0.02}), l.ToScreen({0, 0.02})};
  canvas.Polyline(across, thin);
  canvas.Polyline(upDown, thin);
  const NetXY north = l.ToScreen({0, 1});
  const double descent = l.lineHeight - l.ascent;
  canvas.Text({north.x, north.y - 4 - descent}, "N", {l.fontSize, false, true, kBlack});
  canvas.EndGroup();
}

// The planes' great circles, made one at a time as the painter asks for them.
class FaultCircles final : public GreatCircleBatch {
 public:
  FaultCircles(const std::vector<NetFault>& faults, NetProjection projection, const Layout& l)
      : faults_(faults), projection_(projection), layout_(l) {
    const bool crowded = faults.size() > kCrowdedFaults;
    segments_ = crowded ? 30 : 60;
    for (std::size_t i = 0; i < std::size(kSenses); ++i) {
      NetColour c = kSenses[i].colour;
      if (crowded) {
        const auto tint = [](std::uint8_t v) {
          return static_cast<std::uint8_t>(255 - (255 - v) * 35 / 100);
        };
        c = {tint(c.r), tint(c.g), tint(c.b), 255};
      } else {
        c.a = faults.size() > kManyFaults ? 70 : 170;
      }
      colours_[i] = c;
    }
    opaque_ = crowded;
  }

  std::size_t Size() const override { return faults_.size(); }
  bool Opaque() const override { return opaque_; }
  double StrokeWidth() const override { return 1; }

  void ForEach(const Visitor& visit) const override {
    std::vector<NetXY> polyline;
    polyline.reserve(static_cast<std::size_t>(segments_) + 1);
    for (const NetFault& f : faults_) {
      polyline.clear();
      for (const NetPoint& p : GreatCircle(f.dipDirection, f.dip, projection_, segments_)) {
        polyline.push_back(layout_.ToScreen(p));
      }
      visit(polyline, colours_[SenseIndex(f.sense)]);
    }
  }

 private:
  const std::vector<NetFault>& faults_;
  NetProjection projection_;
  const Layout& layout_;
  int segments_;
  bool opaque_;
  std::array<NetColour, std::size(kSenses)> colours_;
};

void DrawGreatCircles(NetCanvas& canvas, const Layout& l, const NetData& data,
                      NetProjection projection) {
  const bool crowded = data.faults.size() > kCrowdedFaults;
  canvas.BeginGroup("great-circles", !crowded);
  canvas.GreatCircles(FaultCircles(data.faults, projection, l));
  // Opaque circles hide the primitive where they end on it.
  if (crowded) DrawPrimitive(canvas, l);
  canvas.EndGroup();
}

// A point per lineation and, with a sense letter, an arrow along the slip of the
// hanging wall.
void DrawLineations(NetCanvas& canvas, const Layout& l, const NetData& data,
                    NetProjection projection) {
  const std::size_t n = data.faults.size();
  canvas.BeginGroup("lineations", n <= kVeryCrowdedFaults);
  // Arrows shrink on a crowded net so that the data stay readable.
  const double crowding = std::sqrt(300.0 / static_cast<double>(std::max<std::size_t>(n, 300)));
  const double arrowLength = std::max(5.0, l.radius * 0.09 * std::max(0.3, crowding));
  for (const NetFault& f : data.faults) {
    if (!f.hasLineation) continue;
    const SenseStyle& s = kSenses[SenseIndex(f.sense)];
    const NetXY p = l.ToScreen(ProjectDirection(f.trend, f.plunge, projection));
    canvas.Circle(p, 2.5, NetStroke{s.outline, 1}, s.colour);
    const auto arrow = SlipArrow(f);
    if (!arrow) continue;
    const NetXY dir{arrow->x, -arrow->y};
    const NetXY tip{p.x + dir.x * arrowLength, p.y + dir.y * arrowLength};
    const NetStroke stroke{s.outline, 1.4};
    const NetXY shaft[] = {p, tip};
    canvas.Polyline(shaft, stroke);
    const NetXY back{-dir.x * (arrowLength * 0.4), -dir.y * (arrowLength * 0.4)};
    const NetXY side{-dir.y * arrowLength * 0.22, dir.x * arrowLength * 0.22};
    const NetXY head[] = {tip,
                          {tip.x + back.x + side.x, tip.y + back.y + side.y},
                          {tip.x + back.x - side.x, tip.y + back.y - side.y}};
    canvas.Polygon(head, stroke, s.colour);
  }
  canvas.EndGroup();
}

// Projection, hemisphere and the provenance lines; returns the y below them.
double DrawTitle(NetCanvas& canvas, const Layout& l, double y, const ColumnTexts& texts,
                 const NetProvenance& p) {
  canvas.BeginGroup("title", true);
  const double x = l.legendX;
  canvas.Text({x, y + l.ascent}, texts.projection, {l.fontSize, true, false, kBlack});
  canvas.Text({x, y + l.lineHeight + l.ascent}, texts.hemisphere,
              {l.fontSize, false, false, kBlack});
  int lines = 2;
  const std::string provenance[] = {
      p.source,
      p.declination.empty() ? "" : "declination " + p.declination + "\xC2\xB0",
      p.untilting.empty() ? "" : "untilting " + p.untilting + " %",
  };
  for (const std::string& text : provenance) {
    if (text.empty()) continue;
    canvas.Text({x, y + lines * l.lineHeight + l.ascent},
                FitText(text, l.right - x, l.fontSize, false), {l.fontSize, false, false, kBlack});
    ++lines;
  }
  canvas.EndGroup();
  return y + (lines + 0.6) * l.lineHeight;
}

// One line per sense letter with its mark; returns the y below the legend.
double DrawLegend(NetCanvas& canvas, const Layout& l, double y, const ColumnTexts& texts) {
  canvas.BeginGroup("legend", true);
  const double x = l.legendX;
  for (const auto& [sense, text] : texts.legend) {
    const NetColour c = kSenses[sense].colour;
    canvas.Circle({x + 5, y + l.lineHeight / 2}, 4, NetStroke{c, 2}, c);
    canvas.Text({x + kLegendIndent, y + l.ascent}, text, {l.fontSize, false, false, kBlack});
    y += l.lineHeight * 1.3;
  }
  canvas.EndGroup();
  return y;
}

// "N faults drawn" and, when there are any, "M lines left out".
void DrawCountNote(NetCanvas& canvas, const Layout& l, double y, const ColumnTexts& texts) {
  canvas.BeginGroup("count", true);
  for (const std::string& text : texts.count) {
    canvas.Text({l.legendX, y + l.ascent}, text, {l.fontSize, false, false, kBlack});
    y += l.lineHeight;
  }
  canvas.EndGroup();
}

}  // namespace

void NetData::AddOutputLine(std::string_view line) {
  if (auto fault = ParseConvertedLine(line)) {
    faults.push_back(*fault);
  } else {
    ++skippedLines;
  }
}

void DrawNet(NetCanvas& canvas, const NetArea& area, const NetData& data, const NetStyle& style) {
  DrawBackground(canvas, area);
  const ColumnTexts texts = ColumnOf(data, style);
  const auto layout = LayOut(area, texts);
  if (!layout) return;
  DrawFrame(canvas, *layout);
  // Great circles first, so that the points and arrows stay on top.
  DrawGreatCircles(canvas, *layout, data, style.projection);
  DrawLineations(canvas, *layout, data, style.projection);
  double y = area.y + layout->margin;
  if (style.drawTitle) y = DrawTitle(canvas, *layout, y, texts, style.provenance);
  y = DrawLegend(canvas, *layout, y, texts);
  DrawCountNote(canvas, *layout, y + layout->lineHeight * 0.5, texts);
}

NetColour SenseColour(char sense) {
  return kSenses[SenseIndex(sense)].colour;
}

NetColour SenseOutlineColour(char sense) {
  return kSenses[SenseIndex(sense)].outline;
}

NetFileFormat NetFileFormatOf(std::string_view fileName) {
  const std::string_view name = fileName.substr(fileName.find_last_of('/') + 1);
  const std::size_t dot = name.find_last_of('.');
  if (dot == std::string_view::npos) return NetFileFormat::Unknown;
  std::string suffix(name.substr(dot + 1));
  for (char& c : suffix) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  if (suffix == "svg") return NetFileFormat::Svg;
  if (suffix == "png") return NetFileFormat::Png;
  return NetFileFormat::Unknown;
}

double EstimateTextWidth(std::string_view utf8, double pixelSize, bool bold) {
  long thousandths = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp;
    i += utf8::Next(utf8, i, cp);
    thousandths += AdvanceOf(cp, bold);
  }
  return static_cast<double>(thousandths) * pixelSize / 1000;
}

}  // namespace orvane
