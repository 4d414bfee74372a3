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

std::string Drawn(const std::string& name, std::string& error) {
  std::string bytes;
  if (!WriteStereonet(
          name, Faults(), 7, [&bytes](std::string_view piece) { bytes.append(piece); }, error)) {
    ADD_FAILURE() << error;
  }
  return bytes;
}

TEST(StereonetExport, SameBytesAsTheWindowsExport) {
  std::string error;
  const std::string svg = Drawn("net.SVG", error);
  const std::string png = Drawn("net.png", error);
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
  EXPECT_EQ(StereonetNameError("net.pdf"),
            "cannot write 'net.pdf': the name must end in .svg or .png");
  EXPECT_EQ(StereonetNameError("svg"), "cannot write 'svg': the name must end in .svg or .png");
  EXPECT_EQ(StereonetNameError("net.Svg"), std::nullopt);
  EXPECT_EQ(StereonetNameError("net.PNG"), std::nullopt);
}

}  // namespace
}  // namespace orvane::cli
