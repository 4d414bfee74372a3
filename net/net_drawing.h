// The stereonet of a conversion run as one drawing, described once: what is drawn,
// where, in which colours and widths, and with which texts. Painters (net/qt for the
// window and PNG, svg_writer.h for SVG) only carry out the canvas calls.
//
// The drawing: a white background; the frame (primitive circle, ticks every 10
// degrees, a centre cross, "N" above the north point); one great circle per plane;
// per lineation a point and, when the line has a sense letter, an arrow in the
// direction the hanging wall slipped; to the right the title block (projection,
// "lower hemisphere", optional provenance lines), the legend (one colour per sense
// letter, with counts) and the count note ("12 faults drawn", "3 lines left out").
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "net_canvas.h"
#include "stereonet.h"

namespace orvane {

// The faults of one conversion run, read from its output lines.
struct NetData {
  std::vector<NetFault> faults;
  int skippedLines = 0;  // blank, comment and error lines, and lines that cannot be drawn

  // Takes one output line of the run: a converted data line (" 120 30  45 20 N # c")
  // becomes a fault, every other line counts as left out. So faults.size() +
  // skippedLines is the number of lines added.
  void AddOutputLine(std::string_view line);
};

// Where the drawn lines came from, printed under the title. An empty field prints
// nothing; a line too long for the column is shortened with "…".
struct NetProvenance {
  std::string source;       // the input file's name, or "typed input"
  std::string declination;  // degrees as typed: "2" prints "declination 2°"
  std::string untilting;    // percent as typed: "100" prints "untilting 100 %"
};

struct NetStyle {
  NetProjection projection = NetProjection::EqualArea;
  bool drawTitle = true;  // the title block: projection, hemisphere, provenance
  NetProvenance provenance;
};

// The rectangle the net is drawn into, in the canvas's pixels.
struct NetArea {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
};

// How crowding changes the drawing. Each step keeps a large net readable (and fast
// to paint) at the cost of detail that many overlapping faults hide anyway:
// beyond kManyFaults the great circles are drawn fainter; beyond kCrowdedFaults they
// are coarser (30 instead of 60 segments), opaque light tints, unsmoothed, and the
// primitive circle is drawn again over their ends; beyond kVeryCrowdedFaults the
// points and arrows are unsmoothed too. Arrows shrink from 300 faults on.
inline constexpr std::size_t kManyFaults = 500;
inline constexpr std::size_t kCrowdedFaults = 2000;
inline constexpr std::size_t kVeryCrowdedFaults = 5000;

// Draws the net into `area` on `canvas`, in the order described above, as groups
// "background", "frame", "great-circles", "lineations", "title", "legend" and
// "count". An area too small for a net (under about 20 pixels for its diameter)
// gets the background only.
void DrawNet(NetCanvas& canvas, const NetArea& area, const NetData& data,
             const NetStyle& style = {});

// The colour of a sense letter's faults ('N', 'R', 'D', 'S'; anything else is
// "no sense"), and the darker colour that outlines their points and arrows.
NetColour SenseColour(char sense);
NetColour SenseOutlineColour(char sense);

// The form of a stereonet file by its name's extension, in any letter case:
// "net.svg" and "NET.SVG" are Svg, "net.png" Png, "net.txt" and "net" Unknown.
enum class NetFileFormat { Svg, Png, Unknown };
NetFileFormat NetFileFormatOf(std::string_view fileName);

// The width of a line of UTF-8 text in pixels, estimated from the advance widths of
// DejaVu Sans (Debian's default sans-serif face, and close to Verdana): exact for
// ASCII, 0.7 em for other letters below U+0800 and 1 em beyond, so that foreign
// text is rather over- than underestimated. A byte that is not UTF-8 counts as a
// replacement character (1 em).
double EstimateTextWidth(std::string_view utf8, double pixelSize, bool bold);

}  // namespace orvane
