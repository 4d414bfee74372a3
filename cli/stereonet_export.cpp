#include "stereonet_export.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <utility>

#ifdef ORVANE_HAVE_NETDRAW
#include <QGuiApplication>
#include <optional>

#include "stereonet_drawing.h"
#endif

namespace orvane::cli {

namespace {

std::string Cannot(const std::string& fileName, const std::string& why) {
  return "cannot write '" + fileName + "': " + why;
}

// The window's export: 800 pixels high, the legend beside the net.
constexpr int kHeight = 800;
constexpr int kWidth = kHeight * 5 / 4;

}  // namespace

std::optional<std::string> StereonetNameError(const std::string& fileName) {
  switch (NetFileFormatOf(fileName)) {
    case NetFileFormat::Svg:
      return std::nullopt;
    case NetFileFormat::Png:
#ifdef ORVANE_HAVE_NETDRAW
      return std::nullopt;
#else
      return Cannot(fileName, "this build writes no PNG; use .svg");
#endif
    case NetFileFormat::Unknown:
      break;
  }
  return Cannot(fileName, "the name must end in .svg or .png");
}

bool WriteStereonet(const std::string& fileName, std::vector<NetFault> faults, long leftOut,
                    const orvane::ByteSink& sink, std::string& error) {
  NetData data;
  data.faults = std::move(faults);
  data.skippedLines = static_cast<int>(std::min<long>(leftOut, INT_MAX));
  if (NetFileFormatOf(fileName) == NetFileFormat::Svg) {
    WriteStereonetSvg(sink, data, NetStyle{}, kWidth, kHeight);
    return true;
  }
#ifdef ORVANE_HAVE_NETDRAW
  // Fonts and painting need a GUI application object, but never a display.
  std::optional<QGuiApplication> app;
  int argc = 1;
  char name[] = "orvane-convert";
  char* argv[] = {name, nullptr};
  if (!QGuiApplication::instance()) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    app.emplace(argc, argv);
  }
  if (WriteStereonetPng(sink, data, NetStyle{}, kWidth, kHeight)) return true;
  error = Cannot(fileName, "the image could not be encoded");
#else
  error = *StereonetNameError(fileName);
#endif
  return false;
}

}  // namespace orvane::cli
