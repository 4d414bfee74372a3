// The stereonet as drawn: what the SVG export holds, and that the PNG is written.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include "stereonet_drawing.h"

using namespace orvane;

namespace {

struct SvgCounts {
  int openPaths = 0;    // stroked only: great circles
  int filledPaths = 0;  // filled: arrowheads
  int circles = 0;      // lineation points and the primitive circle
};

SvgCounts CountSvg(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QXmlStreamReader xml(&file);
  QList<bool> filled;  // per open <g>
  SvgCounts counts;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      const auto name = xml.name();
      if (name == QLatin1String("g")) {
        const auto fill = xml.attributes().value(QLatin1String("fill"));
        filled.append(!fill.isEmpty() && fill != QLatin1String("none"));
      } else if (name == QLatin1String("path")) {
        (filled.value(filled.size() - 1) ? counts.filledPaths : counts.openPaths)++;
      } else if (name == QLatin1String("circle")) {
        counts.circles++;
      }
    } else if (xml.isEndElement() && xml.name() == QLatin1String("g") && !filled.isEmpty()) {
      filled.removeLast();
    }
  }
  return counts;
}

}  // namespace

class StereonetDrawingTest : public QObject {
  Q_OBJECT
 private slots:
  void svgHoldsOneCirclePerPlaneAndOneArrowPerLineation() {
    const QStringList output = {
        "# Field notes",  // comment: left out
        " 118 30  48 11 N # site 1",
        " 208 65 214 65 R ",
        " 203 70 291  6 D ",
        "  38 85 308  4 S ",
        "# error in liniation data [35 50 N]",  // error line: left out
        "",
        " 120 40 ",  // plane only: a circle, no arrow
    };
    const NetData data = NetDataFromLines(output);
    QCOMPARE(static_cast<int>(data.faults.size()), 5);
    QCOMPARE(data.skippedLines, 3);
    QTemporaryDir dir;
    const QString svg = dir.filePath("net.svg");
    QString error;
    QVERIFY2(ExportStereonet(svg, data, &error), qPrintable(error));
    const SvgCounts counts = CountSvg(svg);
    QCOMPARE(counts.openPaths, 5);    // one great circle per plane
    QCOMPARE(counts.filledPaths, 4);  // one arrowhead per lineation with a sense
    // The primitive, four lineation points, and five legend marks ("no sense" too).
    QCOMPARE(counts.circles, 1 + 4 + 5);
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
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (image.pixel(x, y) != tint) continue;
        ++onCircle;
        box |= QRect(x, y, 1, 1);
      }
    }
    // One great circle from the north to the south end of the net, bulging east:
    // hundreds of pixels, as tall as the net and much narrower.
    QVERIFY2(onCircle > 400 && onCircle < 3000, qPrintable(QString::number(onCircle)));
    QVERIFY2(box.height() > image.height() * 6 / 10, qPrintable(QString::number(box.height())));
    QVERIFY2(box.width() < box.height() / 2, qPrintable(QString::number(box.width())));
  }

  void pngIsWrittenAndOtherNamesRefused() {
    QTemporaryDir dir;
    const NetData data = NetDataFromLines({" 90 60  90 60 N "});
    QString error;
    const QString png = dir.filePath("net.PNG");
    QVERIFY2(ExportStereonet(png, data, &error), qPrintable(error));
    const QImage image(png);
    QCOMPARE(image.width(), 1000);
    QCOMPARE(image.height(), 800);
    QVERIFY(!ExportStereonet(dir.filePath("net.txt"), data, &error));
    QVERIFY(error.contains("net.txt"));
    QVERIFY(!ExportStereonet(dir.filePath("missing/net.svg"), data, &error));
    QVERIFY(error.contains("missing/net.svg"));
    QVERIFY(!QFile::exists(dir.filePath("net.txt")));
  }
};

QTEST_MAIN(StereonetDrawingTest)
#include "stereonet_drawing_test.moc"
