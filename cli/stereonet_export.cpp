#include "stereonet_export.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <utility>

#ifdef ORVANE_HAVE_NETDRAW
#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include "stereonet_drawing.h"
#endif

namespace orvane::cli {

namespace {

std::string Cannot(const std::string& fileName, const std::string& why) {
  return "cannot write '" + fileName + "': " + why;
}

}  // namespace

#ifdef ORVANE_HAVE_NETDRAW

bool StereonetFileBytes(const std::string& fileName, std::vector<NetFault> faults, long leftOut,
                        std::string& bytes, std::string& error) {
  const QString suffix = QFileInfo(QString::fromLocal8Bit(fileName.c_str())).suffix().toLower();
  if (suffix != QLatin1String("svg") && suffix != QLatin1String("png")) {
    error = Cannot(fileName, "the name must end in .svg or .png");
    return false;
  }
  // Fonts and painting need a GUI application object, but never a display.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int argc = 1;
  char name[] = "orvane-convert";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  NetData data;
  data.faults = std::move(faults);
  data.skippedLines = static_cast<int>(std::min<long>(leftOut, INT_MAX));

  // The window's export, drawn into memory: 800 pixels high, the legend beside.
  constexpr int kSize = 800;
  const QSize size(kSize * 5 / 4, kSize);
  QByteArray drawn;
  if (suffix == QLatin1String("svg")) {
    QBuffer buffer(&drawn);
    QSvgGenerator svg;
    NetStyle style;
    style.vectorOutput = true;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("Stereonet"));
    QPainter painter(&svg);
    DrawStereonet(painter, QRectF(QPointF(0, 0), size), data, style);
    painter.end();
  } else {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawStereonet(painter, QRectF(QPointF(0, 0), size), data, NetStyle{});
    painter.end();
    QBuffer buffer(&drawn);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
      error = Cannot(fileName, "the image could not be encoded");
      return false;
    }
  }
  bytes.assign(drawn.constData(), static_cast<std::size_t>(drawn.size()));
  return true;
}

#else

bool StereonetFileBytes(const std::string& fileName, std::vector<NetFault>, long, std::string&,
                        std::string& error) {
  error = Cannot(fileName, "this build has no stereonet drawing");
  return false;
}

#endif

}  // namespace orvane::cli
