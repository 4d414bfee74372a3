// Orvane: start-up of the desktop program.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "Unit1.h"
#include "Unit2.h"
#include "VersionForm.h"
#include "controls.h"
#include "dialogs.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(orvane::app::kApplicationTitle));
  QApplication::setApplicationDisplayName(QString::fromUtf8(orvane::app::kApplicationTitle));
  try {
    QApplication::setWindowIcon(orvane::app::ApplicationIcon());
    // The three windows live for the whole run, created in this order.
    orvane::app::TForm1 form1;
    orvane::app::Form1 = &form1;
    orvane::app::TForm2 form2(&form1);
    orvane::app::Form2 = &form2;
    orvane::app::TForm3 form3(&form1);
    orvane::app::Form3 = &form3;
    form1.show();
    QApplication::exec();
    orvane::app::Form3 = nullptr;
    orvane::app::Form2 = nullptr;
    orvane::app::Form1 = nullptr;
  } catch (const std::exception& error) {
    orvane::app::ShowError(nullptr, QString::fromUtf8(error.what()));
  }
  return 0;
}
