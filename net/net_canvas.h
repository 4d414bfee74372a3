// What a stereonet is drawn with: a small canvas of shapes and texts that the
// drawing (net_drawing.h) calls in drawing order, later calls painting over
// earlier ones. A painter implements it: net/qt paints with QPainter, the SVG
// writer (svg_writer.h) writes elements. Nothing is kept between calls, so a net
// of a million faults never exists whole in memory.
//
// Coordinates are pixels of the drawing, x to the right, y downward.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

namespace orvane {

struct NetXY {
  double x = 0;
  double y = 0;
};

// sRGB with straight (not premultiplied) alpha; 255 is opaque.
struct NetColour {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
  friend bool operator==(const NetColour&, const NetColour&) = default;
};

// The line along a shape's outline, centred on it.
struct NetStroke {
  NetColour colour;
  double width = 1;
};

struct NetTextStyle {
  double size = 12;  // font size in pixels (the em)
  bool bold = false;
  bool centred = false;  // the position is the middle of the baseline, else its start
  NetColour colour;
};

// The great circles of many planes in one call, so that a painter may rasterize
// them its own way (a pixel layer, one path each). ForEach makes the polylines one
// at a time, in order; each is valid only during its visit.
class GreatCircleBatch {
 public:
  using Visitor = std::function<void(std::span<const NetXY> polyline, NetColour colour)>;
  virtual ~GreatCircleBatch() = default;
  virtual std::size_t Size() const = 0;
  virtual void ForEach(const Visitor& visit) const = 0;
  // True when every colour is opaque: a painter may then set pixels instead of
  // blending them.
  virtual bool Opaque() const = 0;
  virtual double StrokeWidth() const = 0;
};

class NetCanvas {
 public:
  virtual ~NetCanvas() = default;

  // Opens a named part of the drawing ("frame", "great-circles", ...); groups
  // nest. `smooth` false allows a painter to draw the group's shapes without
  // antialiasing, which is much faster for thousands of them.
  virtual void BeginGroup(std::string_view name, bool smooth) = 0;
  virtual void EndGroup() = 0;

  // An open line through the points; fewer than two points draw nothing.
  virtual void Polyline(std::span<const NetXY> points, const NetStroke& stroke) = 0;
  // A closed shape, filled, with an optional outline.
  virtual void Polygon(std::span<const NetXY> points, const std::optional<NetStroke>& stroke,
                       NetColour fill) = 0;
  virtual void Circle(NetXY centre, double radius, const std::optional<NetStroke>& stroke,
                      const std::optional<NetColour>& fill) = 0;
  // One line of UTF-8 text; `at` is on its baseline.
  virtual void Text(NetXY at, std::string_view utf8, const NetTextStyle& style) = 0;
  virtual void GreatCircles(const GreatCircleBatch& batch) = 0;
};

}  // namespace orvane
