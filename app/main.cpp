// Orvane: start-up of the desktop program.
#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <exception>
#include <string_view>

#include "controls.h"
#include "dialogs.h"
#include "orvane_version.h"
#include "program_windows.h"

namespace {

const char kUsage[] =
    "Usage: orvane [OPTIONS]\n"
    "Converts fault-slip measurements from field books in a window; orvane-convert\n"
    "does the same for files and scripts.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n";

// --help and --version answer before any window exists, so they need no display.
// Every other argument is left to Qt, as always.
int AnswerWithoutWindow(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--") break;
    if (arg == "--version") {
      std::printf("orvane (Orvane) %s\n", orvane::kVersion);
      return 0;
    }
    if (arg == "-h" || arg == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    }
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (const int status = AnswerWithoutWindow(argc, argv); status >= 0) return status;
  QApplication application(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(orvane::app::kApplicationTitle));
  QApplication::setApplicationDisplayName(QString::fromUtf8(orvane::app::kApplicationTitle));
  QApplication::setApplicationVersion(QString::fromUtf8(orvane::kVersion));
  // Matches the installed orvane.desktop, so that Wayland shells find the icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("orvane"));
  try {
    QApplication::setWindowIcon(orvane::app::ApplicationIcon());
    orvane::app::ProgramWindows windows;
    windows.form1.show();
    QApplication::exec();
  } catch (const std::exception& error) {
    orvane::app::ShowError(nullptr, QString::fromUtf8(error.what()));
  }
  return 0;
}
