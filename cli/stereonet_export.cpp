#include "stereonet_export.h"

#ifdef ORVANE_HAVE_NETDRAW
#include <QGuiApplication>

#include "stereonet_drawing.h"
#endif

#include <cstdlib>
#include <utility>

namespace orvane::cli {

#ifdef ORVANE_HAVE_NETDRAW

bool CanExportStereonet() {
  return true;
}

bool ExportStereonetFile(const std::string& fileName, std::vector<NetFault> faults,
                         int skippedLines, std::string& error) {
  // Fonts and painting need a GUI application object, but never a display.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int argc = 1;
  char name[] = "orvane-convert";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  NetData data;
  data.faults = std::move(faults);
  data.skippedLines = skippedLines;
  QString message;
  if (!ExportStereonet(QString::fromLocal8Bit(fileName.c_str()), data, &message)) {
    error = message.toLocal8Bit().toStdString();
    return false;
  }
  return true;
}

#else

bool CanExportStereonet() {
  return false;
}

bool ExportStereonetFile(const std::string& fileName, std::vector<NetFault>, int,
                         std::string& error) {
  error = "cannot write '" + fileName + "': this build has no stereonet drawing";
  return false;
}

#endif

}  // namespace orvane::cli
