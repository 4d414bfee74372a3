// The net painted with Qt and exported to files: pixels of the PNG, the SVG file,
// and writing through links and into folders that are not there.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>
#include <cmath>

#include "recording_canvas.h"
#include "stereonet_drawing.h"

using namespace orvane;

namespace {

const QStringList kRunOutput = {
    "# Field notes",  // comment: left out
    " 118 30  48 11 N # site 1",
    " 208 65 214 65 R ",
    " 203 70 291  6 D ",
    "  38 85 308  4 S ",
    "# error in liniation data [35 50 N]",  // error line: left out
    "",
    " 120 40 ",  // plane only: a circle, no point, no arrow
};

QByteArray ReadAll(const QString& fileName) {
  QFile file(fileName);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Elements by name inside the group of a class, of a well-formed document.
struct SvgCounts {
  bool wellFormed = false;
  int greatCircles = 0;  // <path> in "great-circles"
  int points = 0;        // <circle> in "lineations"
  int heads = 0;         // filled <path> in "lineations"
};

SvgCounts CountSvg(const QByteArray& svg) {
  QXmlStreamReader xml(svg);
  QStringList groups;
  SvgCounts counts;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      const auto name = xml.name();
      const QString group = groups.isEmpty() ? QString() : groups.first();
      if (name == QLatin1String("g")) {
        groups.append(xml.attributes().value(QLatin1String("class")).toString());
      } else if (name == QLatin1String("path") && group == QLatin1String("great-circles")) {
        counts.greatCircles++;
      } else if (name == QLatin1String("circle") && group == QLatin1String("lineations")) {
        counts.points++;
      } else if (name == QLatin1String("path") && group == QLatin1String("lineations") &&
                 xml.attributes().value(QLatin1String("fill")) != QLatin1String("none")) {
        counts.heads++;
      }
    } else if (xml.isEndElement() && xml.name() == QLatin1String("g")) {
      groups.removeLast();
    }
  }
  counts.wellFormed = !xml.hasError();
  return counts;
}

// The frame's circle where DrawNet puts it in an area of the export's size.
testing::Shape PrimitiveCircle(const NetData& data) {
  testing::RecordingCanvas canvas;
  DrawNet(canvas, NetArea{0, 0, 1000, 800}, data);
  return canvas.In("frame", testing::Shape::kCircle).at(0);
}

// The bounding box of the pixels of one colour.
QRect BoxOf(const QImage& image, QRgb colour, int* count) {
  QRect box;
  *count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != colour) continue;
      ++*count;
      box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

}  // namespace

class StereonetDrawingTest : public QObject {
  Q_OBJECT
 private slots:
  void svgFileIsTheWritersDocument() {
    const NetData data = NetDataFromLines(kRunOutput);
    QCOMPARE(static_cast<int>(data.faults.size()), 5);
    QCOMPARE(data.skippedLines, 3);  // together the eight lines
    QTemporaryDir dir;
    const QString svg = dir.filePath("net.Svg");
    QString error;
    QVERIFY2(ExportStereonet(svg, data, &error), qPrintable(error));
    const QByteArray bytes = ReadAll(svg);
    std::string written;
    WriteStereonetSvg([&written](std::string_view b) { written.append(b); }, data);
    QCOMPARE(bytes.toStdString(), written);
    const SvgCounts counts = CountSvg(bytes);
    QVERIFY(counts.wellFormed);
    QCOMPARE(counts.greatCircles, 5);  // one per plane
    QCOMPARE(counts.points, 4);        // one per lineation
    QCOMPARE(counts.heads, 4);         // one per lineation with a sense
  }

  void pngShowsThePrimitiveCircle() {
    const NetData empty;
    QTemporaryDir dir;
    const QString png = dir.filePath("net.PNG");
    QString error;
    QVERIFY2(ExportStereonet(png, empty, &error), qPrintable(error));
    QCOMPARE(ReadAll(png).left(8), QByteArray("\x89PNG\r\n\x1a\n"));
    const QImage image = QImage(png).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(image.size(), QSize(1000, 800));
    const testing::Shape frame = PrimitiveCircle(empty);
    const double cx = frame.points[0].x, cy = frame.points[0].y, r = frame.radius;
    for (int degrees = 5; degrees < 360; degrees += 30) {  // between the ticks
      const double a = degrees * M_PI / 180;
      const QPoint on(static_cast<int>(std::lround(cx + r * std::sin(a))),
                      static_cast<int>(std::lround(cy - r * std::cos(a))));
      int darkest = 255;  // the stroke is 1.5 pixels wide and smoothed
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx)
          darkest = std::min(darkest, qGray(image.pixel(on + QPoint(dx, dy))));
      }
      QVERIFY2(darkest < 80, qPrintable(QString::number(degrees)));
      const QPoint inside(static_cast<int>(std::lround(cx + 0.9 * r * std::sin(a))),
                          static_cast<int>(std::lround(cy - 0.9 * r * std::cos(a))));
      QCOMPARE(image.pixel(inside), qRgb(255, 255, 255));
    }
    QCOMPARE(image.pixel(5, 5), qRgb(255, 255, 255));
  }

  void crowdedNetDrawsItsCirclesOnPixels() {
    // Beyond 2,000 faults the circles are opaque light tints drawn pixel by pixel.
    NetData data;
    NetFault f;
    f.dipDirection = 90;
    f.dip = 60;
    f.sense = 'N';
    data.faults.assign(2500, f);
    QTemporaryDir dir;
    const QString png = dir.filePath("crowded.png");
    QString error;
    QVERIFY2(ExportStereonet(png, data, &error), qPrintable(error));
    const QImage image = QImage(png).convertToFormat(QImage::Format_RGB32);
    const QRgb tint = qRgb(166, 206, 229);  // the colour of normal faults, lightened
    int onCircle = 0;
    const QRect box = BoxOf(image, tint, &onCircle);
    // One great circle from the north to the south end of the net, bulging east:
    // hundreds of pixels, as tall as the net and much narrower.
    QVERIFY2(onCircle > 400 && onCircle < 3000, qPrintable(QString::number(onCircle)));
    QVERIFY2(box.height() > image.height() * 6 / 10, qPrintable(QString::number(box.height())));
    QVERIFY2(box.width() < box.height() / 2, qPrintable(QString::number(box.width())));

    // On a screen of twice the pixel density the layer has twice the pixels.
    QImage dense(2000, 1600, QImage::Format_ARGB32_Premultiplied);
    dense.setDevicePixelRatio(2);
    dense.fill(Qt::white);
    QPainter painter(&dense);
    DrawStereonet(painter, QRectF(0, 0, 1000, 800), data);
    painter.end();
    int denseCount = 0;
    const QRect denseBox = BoxOf(dense.convertToFormat(QImage::Format_RGB32), tint, &denseCount);
    QVERIFY2(std::abs(denseBox.top() - 2 * box.top()) <= 2,
             qPrintable(QString::number(denseBox.top())));
    QVERIFY2(std::abs(denseBox.height() - 2 * box.height()) <= 3,
             qPrintable(QString::number(denseBox.height())));
  }

  void otherNamesAreRefused() {
    QTemporaryDir dir;
    const NetData data = NetDataFromLines({" 90 60  90 60 N "});
    QString error;
    const QString txt = dir.filePath("net.txt");
    QVERIFY(!ExportStereonet(txt, data, &error));
    QCOMPARE(error,
             QStringLiteral("Cannot write \"%1\": the name must end in .svg or .png").arg(txt));
    std::string message;
    QVERIFY(!ExportStereonet(std::filesystem::path("net"), data, &message));
    QCOMPARE(message, std::string("Cannot write \"net\": the name must end in .svg or .png"));
    QVERIFY(QDir(dir.path()).isEmpty());
  }

  void missingFolderNamesTheFileAndLeavesNothing() {
    QTemporaryDir dir;
    const NetData data = NetDataFromLines(kRunOutput);
    for (const char* name : {"missing/net.svg", "missing/net.png"}) {
      const QString path = dir.filePath(QString::fromLatin1(name));
      QString error;
      QVERIFY(!ExportStereonet(path, data, &error));
      QCOMPARE(error, QStringLiteral("Cannot write \"%1\": No such file or directory").arg(path));
    }
    QVERIFY(QDir(dir.path()).isEmpty());
  }

  void symbolicLinkIsWrittenThrough() {
    QTemporaryDir dir;
    const QString target = dir.filePath("real.svg");
    const QString link = dir.filePath("link.svg");
    {
      QFile old(target);
      QVERIFY(old.open(QIODevice::WriteOnly));
      old.write("old drawing");
    }
    QVERIFY(QFile::link(target, link));
    QString error;
    QVERIFY2(ExportStereonet(link, NetDataFromLines(kRunOutput), &error), qPrintable(error));
    QVERIFY(QFileInfo(link).isSymLink());
    QVERIFY(CountSvg(ReadAll(target)).wellFormed);
    QCOMPARE(CountSvg(ReadAll(target)).greatCircles, 5);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System).size(), 2);
  }
};

QTEST_MAIN(StereonetDrawingTest)
#include "stereonet_drawing_test.moc"
