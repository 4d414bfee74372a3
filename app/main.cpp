// Orvane: start-up of the desktop program.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "controls.h"
#include "dialogs.h"
#include "program_windows.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(orvane::app::kApplicationTitle));
  QApplication::setApplicationDisplayName(QString::fromUtf8(orvane::app::kApplicationTitle));
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
