// A canvas that keeps every call, for looking at a drawing without painting it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "net_canvas.h"

namespace orvane::testing {

struct Shape {
  enum Kind { kPolyline, kPolygon, kCircle, kText } kind = kPolyline;
  std::string group;  // the innermost open group
  bool smooth = true;
  std::vector<NetXY> points;  // polyline, polygon; a circle's centre; a text's position
  double radius = 0;
  std::optional<NetStroke> stroke;
  std::optional<NetColour> fill;
  std::string text;
  NetTextStyle textStyle;
};

struct Batch {
  std::string group;
  bool smooth = true;
  bool opaque = false;
  double width = 0;
  std::size_t size = 0;
  std::vector<std::vector<NetXY>> polylines;
  std::vector<NetColour> colours;
};

class RecordingCanvas : public NetCanvas {
 public:
  std::vector<std::string> groupsOpened;
  std::vector<Shape> shapes;
  std::vector<Batch> batches;
  int openGroups = 0;

  void BeginGroup(std::string_view name, bool smooth) override {
    groupsOpened.emplace_back(name);
    stack_.push_back({std::string(name), smooth});
    ++openGroups;
  }
  void EndGroup() override {
    stack_.pop_back();
    --openGroups;
  }
  void Polyline(std::span<const NetXY> points, const NetStroke& stroke) override {
    Shape s = Start(Shape::kPolyline);
    s.points.assign(points.begin(), points.end());
    s.stroke = stroke;
    shapes.push_back(s);
  }
  void Polygon(std::span<const NetXY> points, const std::optional<NetStroke>& stroke,
               NetColour fill) override {
    Shape s = Start(Shape::kPolygon);
    s.points.assign(points.begin(), points.end());
    s.stroke = stroke;
    s.fill = fill;
    shapes.push_back(s);
  }
  void Circle(NetXY centre, double radius, const std::optional<NetStroke>& stroke,
              const std::optional<NetColour>& fill) override {
    Shape s = Start(Shape::kCircle);
    s.points = {centre};
    s.radius = radius;
    s.stroke = stroke;
    s.fill = fill;
    shapes.push_back(s);
  }
  void Text(NetXY at, std::string_view utf8, const NetTextStyle& style) override {
    Shape s = Start(Shape::kText);
    s.points = {at};
    s.text = std::string(utf8);
    s.textStyle = style;
    shapes.push_back(s);
  }
  void GreatCircles(const GreatCircleBatch& batch) override {
    Batch b;
    b.group = stack_.empty() ? "" : stack_.back().first;
    b.smooth = stack_.empty() || stack_.back().second;
    b.opaque = batch.Opaque();
    b.width = batch.StrokeWidth();
    b.size = batch.Size();
    batch.ForEach([&b](std::span<const NetXY> polyline, NetColour colour) {
      b.polylines.emplace_back(polyline.begin(), polyline.end());
      b.colours.push_back(colour);
    });
    batches.push_back(std::move(b));
  }

  // The shapes of one kind drawn in a group.
  std::vector<Shape> In(std::string_view group, Shape::Kind kind) const {
    std::vector<Shape> found;
    for (const Shape& s : shapes) {
      if (s.group == group && s.kind == kind) found.push_back(s);
    }
    return found;
  }

  // The texts in drawing order.
  std::vector<std::string> Texts(std::string_view group) const {
    std::vector<std::string> found;
    for (const Shape& s : In(group, Shape::kText)) found.push_back(s.text);
    return found;
  }

 private:
  Shape Start(Shape::Kind kind) const {
    Shape s;
    s.kind = kind;
    s.group = stack_.empty() ? "" : stack_.back().first;
    s.smooth = stack_.empty() || stack_.back().second;
    return s;
  }

  std::vector<std::pair<std::string, bool>> stack_;
};

}  // namespace orvane::testing
