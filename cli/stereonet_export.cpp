#include "stereonet_export.h"

#ifdef ORVANE_HAVE_NETDRAW
#include <QGuiApplication>

#include "stereonet_drawing.h"
#else
#include "atomic_file.h"
#include "svg_writer.h"
#endif

#include <cstdlib>
#include <optional>
#include <utility>

namespace orvane::cli {

bool CanExportStereonet() {
  return true;
}

#ifdef ORVANE_HAVE_NETDRAW

bool ExportStereonetFile(const std::string& fileName, std::vector<NetFault> faults,
                         int skippedLines, std::string& error) {
  // Fonts and painting need a GUI application object, but never a display; the SVG
  // writer needs neither.
  std::optional<QGuiApplication> app;
  int argc = 1;
  char name[] = "orvane-convert";
  char* argv[] = {name, nullptr};
  if (NetFileFormatOf(fileName) == NetFileFormat::Png && !QGuiApplication::instance()) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    app.emplace(argc, argv);
  }
  NetData data;
  data.faults = std::move(faults);
  data.skippedLines = skippedLines;
  return ExportStereonet(std::filesystem::path(fileName), data, &error);
}

#else

// Without Qt the net is written as SVG only.
bool ExportStereonetFile(const std::string& fileName, std::vector<NetFault> faults,
                         int skippedLines, std::string& error) {
  const NetFileFormat format = NetFileFormatOf(fileName);
  if (format != NetFileFormat::Svg) {
    error = "Cannot write \"" + fileName + "\": " +
            (format == NetFileFormat::Png ? "this build writes no PNG; use .svg"
                                          : "the name must end in .svg or .png");
    return false;
  }
  NetData data;
  data.faults = std::move(faults);
  data.skippedLines = skippedLines;
  try {
    AtomicFile file(fileName);
    WriteStereonetSvg([&file](std::string_view bytes) { file.Write(bytes); }, data);
    file.Commit();
  } catch (const FileError& e) {
    error = "Cannot write \"" + fileName + "\": " + e.Code().message();
    return false;
  }
  return true;
}

#endif

}  // namespace orvane::cli
