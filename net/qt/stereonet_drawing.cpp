#include "stereonet_drawing.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "atomic_file.h"

namespace orvane {

namespace {

QColor ToQt(NetColour c) {
  return QColor(c.r, c.g, c.b, c.a);
}

QPointF ToQt(NetXY p) {
  return QPointF(p.x, p.y);
}

QPolygonF ToQt(std::span<const NetXY> points) {
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const NetXY& p : points) polygon.append(ToQt(p));
  return polygon;
}

QPen PenOf(const std::optional<NetStroke>& stroke) {
  return stroke ? QPen(ToQt(stroke->colour), stroke->width) : QPen(Qt::NoPen);
}

// A layer of opaque one-pixel lines over `area`, at the device's pixel density,
// painted over the net in one go. Thousands of great circles go through QPainter's
// general line rasterizer several times slower than these plain pixel runs.
class PixelLines {
 public:
  PixelLines(const QRectF& area, qreal pixelRatio)
      : origin_(area.topLeft()),
        ratio_(pixelRatio),
        image_(std::max(1, static_cast<int>(std::ceil(area.width() * pixelRatio))),
               std::max(1, static_cast<int>(std::ceil(area.height() * pixelRatio))),
               QImage::Format_ARGB32_Premultiplied) {
    image_.fill(Qt::transparent);
    image_.setDevicePixelRatio(pixelRatio);
    bits_ = image_.bits();
    stride_ = image_.bytesPerLine();
    width_ = image_.width();
    height_ = image_.height();
  }
  PixelLines(const PixelLines&) = delete;
  PixelLines& operator=(const PixelLines&) = delete;

  // A polyline in the painter's coordinates.
  void Draw(std::span<const NetXY> polyline, QRgb colour) {
    for (std::size_t i = 0; i + 1 < polyline.size(); ++i) {
      Line(ToPixel(polyline[i]), ToPixel(polyline[i + 1]), colour);
    }
  }

  void PaintOnto(QPainter& painter) const { painter.drawImage(origin_, image_); }

 private:
  // Points far outside the layer are pulled in to a margin around it, so that the
  // pixel arithmetic cannot overflow; lines there are not drawn anyway.
  QPoint ToPixel(const NetXY& p) const {
    const auto pixel = [](double v, int size) {
      return static_cast<int>(std::lround(std::clamp(v, -1.0 * size, 2.0 * size)));
    };
    return QPoint(pixel((p.x - origin_.x()) * ratio_, width_),
                  pixel((p.y - origin_.y()) * ratio_, height_));
  }

  // Bresenham's line, both ends included; pixels outside the layer are skipped.
  void Line(QPoint a, const QPoint& b, QRgb colour) {
    const int dx = std::abs(b.x() - a.x()), sx = a.x() < b.x() ? 1 : -1;
    const int dy = -std::abs(b.y() - a.y()), sy = a.y() < b.y() ? 1 : -1;
    int error = dx + dy;
    for (;;) {
      if (a.x() >= 0 && a.y() >= 0 && a.x() < width_ && a.y() < height_) {
        reinterpret_cast<QRgb*>(bits_ + a.y() * stride_)[a.x()] = colour;
      }
      if (a == b) return;
      const int twice = 2 * error;
      if (twice >= dy) {
        error += dy;
        a.rx() += sx;
      }
      if (twice <= dx) {
        error += dx;
        a.ry() += sy;
      }
    }
  }

  QPointF origin_;
  qreal ratio_;
  QImage image_;
  uchar* bits_;  // the image's pixels, looked up once
  qsizetype stride_;
  int width_;
  int height_;
};

class QtCanvas final : public NetCanvas {
 public:
  QtCanvas(QPainter& painter, const QRectF& area)
      : painter_(painter), area_(area), font_(painter.font()) {}

  void BeginGroup(std::string_view, bool smooth) override {
    smooth_.push_back(painter_.testRenderHint(QPainter::Antialiasing));
    painter_.setRenderHint(QPainter::Antialiasing, smooth);
  }

  void EndGroup() override {
    if (smooth_.empty()) return;
    painter_.setRenderHint(QPainter::Antialiasing, smooth_.back());
    smooth_.pop_back();
  }

  void Polyline(std::span<const NetXY> points, const NetStroke& stroke) override {
    if (points.size() < 2) return;
    painter_.setPen(PenOf(stroke));
    if (points.size() == 2) {
      painter_.drawLine(ToQt(points[0]), ToQt(points[1]));
    } else {
      painter_.drawPolyline(ToQt(points));
    }
  }

  void Polygon(std::span<const NetXY> points, const std::optional<NetStroke>& stroke,
               NetColour fill) override {
    painter_.setPen(PenOf(stroke));
    painter_.setBrush(ToQt(fill));
    painter_.drawPolygon(ToQt(points));
  }

  void Circle(NetXY centre, double radius, const std::optional<NetStroke>& stroke,
              const std::optional<NetColour>& fill) override {
    painter_.setPen(PenOf(stroke));
    painter_.setBrush(fill ? QBrush(ToQt(*fill)) : QBrush(Qt::NoBrush));
    painter_.drawEllipse(ToQt(centre), radius, radius);
  }

  void Text(NetXY at, std::string_view utf8, const NetTextStyle& style) override {
    QFont font = font_;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(style.size))));
    font.setBold(style.bold);
    painter_.setFont(font);
    painter_.setPen(ToQt(style.colour));
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    QPointF p = ToQt(at);
    if (style.centred) p.rx() -= QFontMetricsF(font).horizontalAdvance(text) / 2;
    painter_.drawText(p, text);
  }

  void GreatCircles(const GreatCircleBatch& batch) override {
    const QPaintEngine* engine = painter_.paintEngine();
    if (batch.Opaque() && engine && engine->type() == QPaintEngine::Raster) {
      PixelLines layer(area_, painter_.device()->devicePixelRatioF());
      batch.ForEach([&layer](std::span<const NetXY> polyline, NetColour colour) {
        layer.Draw(polyline, ToQt(colour).rgba());
      });
      layer.PaintOnto(painter_);
      return;
    }
    // Smoothed translucent circles as one path each, so that their segments do not
    // darken where they meet.
    const bool smooth = painter_.testRenderHint(QPainter::Antialiasing);
    const double width = batch.StrokeWidth();
    painter_.setBrush(Qt::NoBrush);
    batch.ForEach([&](std::span<const NetXY> polyline, NetColour colour) {
      painter_.setPen(QPen(ToQt(colour), width));
      if (smooth) {
        QPainterPath path;
        path.addPolygon(ToQt(polyline));
        painter_.drawPath(path);
      } else {
        painter_.drawPolyline(ToQt(polyline));
      }
    });
  }

 private:
  QPainter& painter_;
  QRectF area_;
  QFont font_;
  std::vector<bool> smooth_;  // the antialiasing outside each open group
};

// The reason an export failed, or nothing.
std::optional<std::string> Export(const std::filesystem::path& fileName, const NetData& data,
                                  const NetStyle& style, int sizePixels) {
  const NetFileFormat format = NetFileFormatOf(fileName.native());
  if (format == NetFileFormat::Unknown) return "the name must end in .svg or .png";
  const int width = sizePixels * 5 / 4, height = sizePixels;
  try {
    AtomicFile file(fileName);
    const ByteSink sink = [&file](std::string_view bytes) { file.Write(bytes); };
    if (format == NetFileFormat::Svg) {
      WriteStereonetSvg(sink, data, style, width, height);
    } else if (!WriteStereonetPng(sink, data, style, width, height)) {
      return "the image could not be encoded";
    }
    file.Commit();
  } catch (const FileError& e) {
    return e.Code().message();
  }
  return std::nullopt;
}

}  // namespace

NetData NetDataFromLines(const QStringList& outputLines) {
  NetData data;
  data.faults.reserve(static_cast<std::size_t>(outputLines.size()));
  for (const QString& line : outputLines) {
    const QByteArray bytes = line.toUtf8();
    data.AddOutputLine(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  }
  return data;
}

void DrawStereonet(QPainter& painter, const QRectF& area, const NetData& data,
                   const NetStyle& style) {
  painter.save();
  QtCanvas canvas(painter, area);
  DrawNet(canvas, NetArea{area.x(), area.y(), area.width(), area.height()}, data, style);
  painter.restore();
}

bool WriteStereonetPng(const ByteSink& sink, const NetData& data, const NetStyle& style, int width,
                       int height) {
  QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return false;
  image.fill(Qt::white);
  QPainter painter(&image);
  DrawStereonet(painter, QRectF(0, 0, image.width(), image.height()), data, style);
  painter.end();
  // Encoded whole before the sink sees it: the PNG encoder is C code that an
  // exception from the sink must not cross.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return false;
  sink(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  return true;
}

bool ExportStereonet(const std::filesystem::path& fileName, const NetData& data, std::string* error,
                     const NetStyle& style, int sizePixels) {
  const auto why = Export(fileName, data, style, sizePixels);
  if (why && error) *error = "Cannot write \"" + fileName.string() + "\": " + *why;
  return !why;
}

bool ExportStereonet(const QString& fileName, const NetData& data, QString* error,
                     const NetStyle& style, int sizePixels) {
  const QByteArray name = QFile::encodeName(fileName);
  const auto why = Export(std::filesystem::path(name.toStdString()), data, style, sizePixels);
  if (why && error) {
    *error = QStringLiteral("Cannot write \"%1\": %2").arg(fileName, QString::fromStdString(*why));
  }
  return !why;
}

}  // namespace orvane
