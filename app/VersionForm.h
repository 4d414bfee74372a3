// The version dialog: the program's picture, name and version.
#pragma once

#include "dialogs.h"

class QLabel;
class QPushButton;

namespace orvane::app {

// Caption "Version Info", a resizable frame without title-bar buttons, shown modally
// from the main window. OK (also Enter) closes it; Escape does nothing.
class TForm3 : public NoCancelDialog {
  Q_OBJECT
 public:
  explicit TForm3(QWidget* parent);

  // Controls, named as in the dialog (also their object names).
  QLabel* Image1;        // the program's picture, 180 x 127
  QLabel* Label1;        // "Orvane"
  QLabel* Label2;        // "Version 2.3"
  QLabel* Label3;        // credit line
  QPushButton* Button1;  // "OK"

 public slots:
  void Button1Click();
};

// The version dialog of the running program; created at start-up after Form2.
extern TForm3* Form3;

}  // namespace orvane::app
