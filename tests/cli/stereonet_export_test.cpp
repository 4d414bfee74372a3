// The converter's stereonet: the same bytes as the desktop program's export.
#include "stereonet_export.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "stereonet_drawing.h"

namespace orvane::cli {
namespace {

std::vector<NetFault> Faults() {
  std::vector<NetFault> faults;
  faults.push_back({120, 30, true, 50, 11, 'N'});
  faults.push_back({210, 65, true, 216, 65, 'R'});
  faults.push_back({40, 85, true, 310, 4, 'S'});
  faults.push_back({300, 20, false, 0, 0, 0});
  return faults;
}

TEST(StereonetExport, SameBytesAsTheWindowsExport) {
  std::string svg;
  std::string png;
  std::string error;
  ASSERT_TRUE(StereonetFileBytes("net.SVG", Faults(), 7, svg, error)) << error;
  ASSERT_TRUE(StereonetFileBytes("net.png", Faults(), 7, png, error)) << error;
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_EQ(png.rfind("\x89PNG", 0), 0u);

  int argc = 1;
  char name[] = "stereonet_export_test";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  NetData data;
  data.faults = Faults();
  data.skippedLines = 7;
  for (const auto& [file, bytes] : {std::pair{"net.svg", &svg}, std::pair{"net.png", &png}}) {
    const QString path = dir.filePath(QString::fromLatin1(file));
    QString message;
    ASSERT_TRUE(ExportStereonet(path, data, &message)) << message.toStdString();
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray expected = written.readAll();
    EXPECT_TRUE(*bytes ==
                std::string(expected.constData(), static_cast<std::size_t>(expected.size())))
        << file;
  }
}

TEST(StereonetExport, OtherExtensionsAreRefused) {
  std::string bytes;
  std::string error;
  EXPECT_FALSE(StereonetFileBytes("net.pdf", Faults(), 0, bytes, error));
  EXPECT_EQ(error, "cannot write 'net.pdf': the name must end in .svg or .png");
  EXPECT_FALSE(StereonetFileBytes("svg", Faults(), 0, bytes, error));
  EXPECT_EQ(bytes, "");
}

}  // namespace
}  // namespace orvane::cli
