#include "stereonet_drawing.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainterPath>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <optional>

namespace orvane {

namespace {

constexpr double kPi = 3.141592653589793;

struct SenseStyle {
  char letter;
  const char* name;
  QColor colour;
};

// Colours that stay apart for the common forms of colour blindness.
const SenseStyle kSenses[] = {
    {'N', "normal", QColor(0, 114, 178)},  {'R', "reverse", QColor(213, 94, 0)},
    {'D', "dextral", QColor(0, 158, 115)}, {'S', "sinistral", QColor(204, 121, 167)},
    {0, "no sense", QColor(90, 90, 90)},
};

const SenseStyle& StyleOf(char sense) {
  for (const auto& s : kSenses) {
    if (s.letter == sense) return s;
  }
  return kSenses[4];
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
  void Draw(const QPolygonF& polyline, QRgb colour) {
    for (qsizetype i = 0; i + 1 < polyline.size(); ++i) {
      Line(ToPixel(polyline[i]), ToPixel(polyline[i + 1]), colour);
    }
  }

  void PaintOnto(QPainter& painter) const { painter.drawImage(origin_, image_); }

 private:
  QPoint ToPixel(const QPointF& p) const {
    return QPoint(static_cast<int>(std::lround((p.x() - origin_.x()) * ratio_)),
                  static_cast<int>(std::lround((p.y() - origin_.y()) * ratio_)));
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

}  // namespace

NetData NetDataFromLines(const QStringList& outputLines) {
  NetData data;
  data.faults.reserve(static_cast<std::size_t>(outputLines.size()));
  for (const QString& line : outputLines) {
    const QByteArray bytes = line.toUtf8();
    if (auto fault = ParseConvertedLine(std::string_view(bytes.constData(), bytes.size()))) {
      data.faults.push_back(*fault);
    } else {
      ++data.skippedLines;
    }
  }
  return data;
}

void DrawStereonet(QPainter& painter, const QRectF& area, const NetData& data,
                   const NetStyle& style) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.fillRect(area, Qt::white);

  QFont font = painter.font();
  font.setPixelSize(
      std::clamp(static_cast<int>(std::min(area.width(), area.height()) / 45), 10, 18));
  painter.setFont(font);
  const QFontMetricsF metrics(font);
  const double legendWidth = metrics.horizontalAdvance(QStringLiteral("sinistral 00000")) + 40;
  const double margin = metrics.height() * 1.6;  // room for the north mark
  const double side = std::min(area.width() - legendWidth - margin, area.height() - 2 * margin);
  if (side < 20) {
    painter.restore();
    return;
  }
  const double radius = side / 2;
  const QPointF centre(area.left() + margin + radius, area.top() + area.height() / 2);
  // Net coordinates: x east, y north on the unit disc; screen y grows downward.
  const auto toScreen = [&](const NetPoint& p) {
    return QPointF(centre.x() + p.x * radius, centre.y() - p.y * radius);
  };

  // Primitive circle, ticks every 10 degrees and the north mark.
  painter.setPen(QPen(Qt::black, 1.5));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(centre, radius, radius);
  painter.setPen(QPen(Qt::black, 1));
  for (int azimuth = 0; azimuth < 360; azimuth += 10) {
    const double a = azimuth * kPi / 180;
    const double inner = (azimuth % 90 == 0) ? 0.94 : 0.97;
    painter.drawLine(toScreen({inner * std::sin(a), inner * std::cos(a)}),
                     toScreen({std::sin(a), std::cos(a)}));
  }
  painter.drawLine(toScreen({-0.02, 0}), toScreen({0.02, 0}));
  painter.drawLine(toScreen({0, -0.02}), toScreen({0, 0.02}));
  const QPointF north = toScreen({0, 1});
  painter.drawText(QRectF(north.x() - 20, north.y() - metrics.height() - 4, 40, metrics.height()),
                   Qt::AlignCenter, QStringLiteral("N"));

  // Great circles first, so that the points and arrows stay on top. A crowded net
  // draws coarser circles in opaque light tints without smoothing: translucent or
  // smoothed lines are several times slower to rasterize in Qt.
  int counts[5] = {0, 0, 0, 0, 0};
  const bool crowded = data.faults.size() > 2000;
  std::optional<PixelLines> layer;
  if (crowded && !style.vectorOutput) layer.emplace(area, painter.device()->devicePixelRatioF());
  QPolygonF polyline;
  painter.setRenderHint(QPainter::Antialiasing, !crowded);
  for (const NetFault& f : data.faults) {
    const auto index = static_cast<std::size_t>(&StyleOf(f.sense) - kSenses);
    counts[index]++;
    QColor c = kSenses[index].colour;
    if (crowded) {
      const auto tint = [](int v) { return 255 - (255 - v) * 35 / 100; };
      c = QColor(tint(c.red()), tint(c.green()), tint(c.blue()));
    } else {
      c.setAlpha(data.faults.size() > 500 ? 70 : 170);
    }
    const auto circle = GreatCircle(f.dipDirection, f.dip, style.projection, crowded ? 30 : 60);
    polyline.clear();
    for (const NetPoint& p : circle) polyline.append(toScreen(p));
    if (layer) {
      layer->Draw(polyline, c.rgba());
      continue;
    }
    painter.setPen(QPen(c, 1));
    if (crowded) {
      painter.drawPolyline(polyline);
    } else {
      QPainterPath path;
      path.addPolygon(polyline);
      painter.drawPath(path);
    }
  }
  if (layer) {
    layer->PaintOnto(painter);
    // The circles end on the primitive: draw it again on top of them.
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius, radius);
  }
  painter.setRenderHint(QPainter::Antialiasing, data.faults.size() <= 5000);
  // Arrows shrink on a crowded net so that the data stay readable.
  const double crowding = std::sqrt(300.0 / std::max<std::size_t>(data.faults.size(), 300));
  const double arrowLength = std::max(5.0, radius * 0.09 * std::max(0.3, crowding));
  for (const NetFault& f : data.faults) {
    if (!f.hasLineation) continue;
    const SenseStyle& s = StyleOf(f.sense);
    const QPointF p = toScreen(ProjectDirection(f.trend, f.plunge, style.projection));
    painter.setPen(QPen(s.colour.darker(130), 1));
    painter.setBrush(s.colour);
    painter.drawEllipse(p, 2.5, 2.5);
    if (const auto arrow = SlipArrow(f)) {
      const QPointF dir(arrow->x, -arrow->y);
      const QPointF tip = p + dir * arrowLength;
      painter.setPen(QPen(s.colour.darker(130), 1.4));
      painter.drawLine(p, tip);
      const QPointF back = -dir * (arrowLength * 0.4);
      const QPointF across(-dir.y() * arrowLength * 0.22, dir.x() * arrowLength * 0.22);
      QPolygonF head;
      head << tip << tip + back + across << tip + back - across;
      painter.drawPolygon(head);
    }
  }

  painter.setRenderHint(QPainter::Antialiasing, true);
  // Legend and count note to the right of the net.
  painter.setBrush(Qt::NoBrush);
  double y = area.top() + margin;
  const double x = centre.x() + radius + 24;
  painter.setPen(Qt::black);
  if (style.drawTitle) {
    QFont bold = font;
    bold.setBold(true);
    painter.setFont(bold);
    painter.drawText(QPointF(x, y + metrics.ascent()), style.projection == NetProjection::EqualArea
                                                           ? QStringLiteral("Equal area")
                                                           : QStringLiteral("Equal angle"));
    painter.setFont(font);
    painter.drawText(QPointF(x, y + metrics.height() + metrics.ascent()),
                     QStringLiteral("lower hemisphere"));
    y += 2.6 * metrics.height();
  }
  for (int i = 0; i < 5; ++i) {
    if (i == 4 && counts[4] == 0) continue;
    painter.setPen(QPen(kSenses[i].colour, 2));
    painter.setBrush(kSenses[i].colour);
    painter.drawEllipse(QPointF(x + 5, y + metrics.height() / 2), 4, 4);
    painter.setPen(Qt::black);
    painter.drawText(
        QPointF(x + 16, y + metrics.ascent()),
        QStringLiteral("%1 %2").arg(QString::fromLatin1(kSenses[i].name)).arg(counts[i]));
    y += metrics.height() * 1.3;
  }
  y += metrics.height() * 0.5;
  const int n = static_cast<int>(data.faults.size());
  painter.drawText(
      QPointF(x, y + metrics.ascent()),
      n == 1 ? QStringLiteral("1 fault drawn") : QStringLiteral("%1 faults drawn").arg(n));
  if (data.skippedLines > 0) {
    painter.drawText(QPointF(x, y + metrics.height() + metrics.ascent()),
                     QStringLiteral("%1 lines left out").arg(data.skippedLines));
  }
  painter.restore();
}

bool ExportStereonet(const QString& fileName, const NetData& data, QString* error,
                     const NetStyle& style, int sizePixels) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  const auto fail = [&](const QString& why) {
    if (error) *error = QStringLiteral("Cannot write \"%1\": %2").arg(fileName, why);
    return false;
  };
  if (suffix != QLatin1String("svg") && suffix != QLatin1String("png")) {
    return fail(QStringLiteral("the name must end in .svg or .png"));
  }
  const QSize size(sizePixels * 5 / 4, sizePixels);
  QByteArray bytes;
  if (suffix == QLatin1String("svg")) {
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    NetStyle vector = style;
    vector.vectorOutput = true;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("Stereonet"));
    QPainter painter(&svg);
    DrawStereonet(painter, QRectF(QPointF(0, 0), size), data, vector);
    painter.end();
  } else {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawStereonet(painter, QRectF(QPointF(0, 0), size), data, style);
    painter.end();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return fail(QStringLiteral("the image could not be encoded"));
  }
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString());
  if (file.write(bytes) != bytes.size()) return fail(file.errorString());
  if (!file.commit()) return fail(file.errorString());
  return true;
}

}  // namespace orvane
