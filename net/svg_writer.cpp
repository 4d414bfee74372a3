#include "svg_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "utf8.h"

namespace orvane {

namespace {

constexpr std::size_t kFlushBytes = 1 << 16;

// Numbers are written from integers (tenths of a pixel), so that neither the
// locale nor a missing floating-point to_chars can change them.
long long Tenths(double v) {
  constexpr double kLimit = 1e12;  // far outside any drawing; keeps llround defined
  if (std::isnan(v)) return 0;
  return std::llround(std::clamp(v, -kLimit, kLimit) * 10);
}

void AppendInt(std::string& out, long long v) {
  char digits[24];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, v).ptr);
}

// "12", "12.5", "-0.5".
void AppendTenths(std::string& out, long long tenths) {
  if (tenths < 0) {
    out += '-';
    tenths = -tenths;
  }
  AppendInt(out, tenths / 10);
  if (tenths % 10 != 0) {
    out += '.';
    out += static_cast<char>('0' + tenths % 10);
  }
}

void AppendNumber(std::string& out, double v) {
  AppendTenths(out, Tenths(v));
}

void AppendColour(std::string& out, NetColour c) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '#';
  for (const std::uint8_t v : {c.r, c.g, c.b}) {
    out += kHex[v >> 4];
    out += kHex[v & 15];
  }
}

// ` NAME="#rrggbb"`, and ` NAME-opacity="0.275"` unless opaque.
void AppendPaint(std::string& out, std::string_view name, NetColour c) {
  out += ' ';
  out += name;
  out += "=\"";
  AppendColour(out, c);
  out += '"';
  if (c.a == 255) return;
  out += ' ';
  out += name;
  out += "-opacity=\"";
  const long thousandths = std::lround(c.a * 1000.0 / 255);
  out += "0.";
  const char digits[] = {static_cast<char>('0' + thousandths / 100),
                         static_cast<char>('0' + thousandths / 10 % 10),
                         static_cast<char>('0' + thousandths % 10)};
  out.append(digits, 3);
  out += '"';
}

void AppendStroke(std::string& out, const std::optional<NetStroke>& stroke) {
  if (!stroke) {
    out += " stroke=\"none\"";
    return;
  }
  AppendPaint(out, "stroke", stroke->colour);
  out += " stroke-width=\"";
  AppendNumber(out, stroke->width);
  out += '"';
}

// One line of XML text: the five special characters escaped, tabs and line breaks
// as spaces, everything that is not well-formed UTF-8 or not an XML character
// replaced by U+FFFD.
void AppendEscaped(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp;
    const std::size_t length = utf8::Next(text, i, cp);
    if (cp == '\t' || cp == '\n' || cp == '\r') {
      out += ' ';
    } else if (cp == utf8::kReplacement || cp < 0x20 || cp == 0xFFFE || cp == 0xFFFF) {
      out += "\xEF\xBF\xBD";
    } else if (cp == '&') {
      out += "&amp;";
    } else if (cp == '<') {
      out += "&lt;";
    } else if (cp == '>') {
      out += "&gt;";
    } else if (cp == '"') {
      out += "&quot;";
    } else if (cp == '\'') {
      out += "&apos;";
    } else {
      out.append(text.substr(i, length));
    }
    i += length;
  }
}

class SvgCanvas final : public NetCanvas {
 public:
  explicit SvgCanvas(const ByteSink& sink) : sink_(sink) { out_.reserve(kFlushBytes + 4096); }

  void Start(int width, int height) {
    out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"";
    out_ += " version=\"1.1\" width=\"";
    AppendInt(out_, width);
    out_ += "\" height=\"";
    AppendInt(out_, height);
    out_ += "\" viewBox=\"0 0 ";
    AppendInt(out_, width);
    out_ += ' ';
    AppendInt(out_, height);
    // The faces whose widths the layout assumes.
    out_ += "\" font-family=\"DejaVu Sans, Verdana, sans-serif\">\n<title>Stereonet</title>\n";
  }

  void Finish() {
    out_ += "</svg>\n";
    Flush();
  }

  void BeginGroup(std::string_view name, bool) override {
    out_ += "<g class=\"";
    AppendEscaped(out_, name);
    out_ += "\">\n";
  }

  void EndGroup() override { out_ += "</g>\n"; }

  void Polyline(std::span<const NetXY> points, const NetStroke& stroke) override {
    if (points.size() < 2) return;
    out_ += "<polyline points=\"";
    for (std::size_t i = 0; i < points.size(); ++i) {
      if (i > 0) out_ += ' ';
      AppendNumber(out_, points[i].x);
      out_ += ',';
      AppendNumber(out_, points[i].y);
    }
    out_ += "\" fill=\"none\"";
    AppendStroke(out_, stroke);
    out_ += "/>\n";
    MaybeFlush();
  }

  void Polygon(std::span<const NetXY> points, const std::optional<NetStroke>& stroke,
               NetColour fill) override {
    if (points.empty()) return;
    out_ += "<path d=\"";
    AppendPathData(points);
    out_ += "z\"";
    AppendPaint(out_, "fill", fill);
    AppendStroke(out_, stroke);
    out_ += "/>\n";
    MaybeFlush();
  }

  void Circle(NetXY centre, double radius, const std::optional<NetStroke>& stroke,
              const std::optional<NetColour>& fill) override {
    out_ += "<circle cx=\"";
    AppendNumber(out_, centre.x);
    out_ += "\" cy=\"";
    AppendNumber(out_, centre.y);
    out_ += "\" r=\"";
    AppendNumber(out_, radius);
    out_ += '"';
    if (fill) {
      AppendPaint(out_, "fill", *fill);
    } else {
      out_ += " fill=\"none\"";
    }
    AppendStroke(out_, stroke);
    out_ += "/>\n";
    MaybeFlush();
  }

  void Text(NetXY at, std::string_view utf8, const NetTextStyle& style) override {
    out_ += "<text x=\"";
    AppendNumber(out_, at.x);
    out_ += "\" y=\"";
    AppendNumber(out_, at.y);
    out_ += "\" font-size=\"";
    AppendNumber(out_, style.size);
    out_ += '"';
    if (style.bold) out_ += " font-weight=\"bold\"";
    if (style.centred) out_ += " text-anchor=\"middle\"";
    AppendPaint(out_, "fill", style.colour);
    out_ += '>';
    AppendEscaped(out_, utf8);
    out_ += "</text>\n";
    MaybeFlush();
  }

  void GreatCircles(const GreatCircleBatch& batch) override {
    out_ += "<g fill=\"none\" stroke-width=\"";
    AppendNumber(out_, batch.StrokeWidth());
    out_ += "\">\n";
    batch.ForEach([this](std::span<const NetXY> polyline, NetColour colour) {
      if (polyline.size() < 2) return;
      out_ += "<path";
      AppendPaint(out_, "stroke", colour);
      out_ += " d=\"";
      AppendPathData(polyline);
      out_ += "\"/>\n";
      MaybeFlush();
    });
    out_ += "</g>\n";
  }

 private:
  // "M x y" and then relative steps, computed from the rounded absolute points so
  // that no rounding error adds up along the line; a minus sign separates numbers
  // by itself.
  void AppendPathData(std::span<const NetXY> points) {
    long long x = Tenths(points[0].x), y = Tenths(points[0].y);
    out_ += 'M';
    AppendTenths(out_, x);
    out_ += ' ';
    AppendTenths(out_, y);
    if (points.size() == 1) return;
    out_ += 'l';
    for (std::size_t i = 1; i < points.size(); ++i) {
      const long long nx = Tenths(points[i].x), ny = Tenths(points[i].y);
      if (i > 1 && nx - x >= 0) out_ += ' ';
      AppendTenths(out_, nx - x);
      if (ny - y >= 0) out_ += ' ';
      AppendTenths(out_, ny - y);
      x = nx;
      y = ny;
    }
  }

  void MaybeFlush() {
    if (out_.size() >= kFlushBytes) Flush();
  }

  void Flush() {
    if (out_.empty()) return;
    sink_(out_);
    out_.clear();
  }

  const ByteSink& sink_;
  std::string out_;
};

}  // namespace

void WriteStereonetSvg(const ByteSink& sink, const NetData& data, const NetStyle& style, int width,
                       int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  SvgCanvas canvas(sink);
  canvas.Start(width, height);
  DrawNet(canvas, NetArea{0, 0, static_cast<double>(width), static_cast<double>(height)}, data,
          style);
  canvas.Finish();
}

}  // namespace orvane
