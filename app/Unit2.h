// The options dialog: the conversion switches, which it holds while the program runs.
#pragma once

#include "conversion_options.h"
#include "dialogs.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace orvane::app {

class OptionRadioButton;

// Caption "Options", a fixed frame without a close box, shown modally from the main
// window. Every change is in force at once; OK (also Enter) only closes it and
// Escape does nothing. Closing hides it; it keeps its state for the next time.
class TForm2 : public NoCancelDialog {
  Q_OBJECT
 public:
  explicit TForm2(QWidget* parent);

  // The six switches of a conversion run, as the controls stand now. The two texts
  // of `base` (declination, untilting) are kept. OneDecimal is on exactly when "123"
  // is not checked, also when neither format button is; ProjectionToSurface follows
  // CheckBox1's tick even while the box is greyed out.
  orvane::ConversionOptions ReadSwitches(orvane::ConversionOptions base = {}) const;

  // Controls, named as in the dialog (also their object names).
  QGroupBox* GroupBox2;             // "Input Data"
  QCheckBox* CheckBox2;             // "surface data"
  QCheckBox* CheckBox3;             // "liniation data"
  QCheckBox* CheckBox4;             // "character data"
  QGroupBox* GroupBox1;             // "Output Format"
  QLabel* Label3;                   // "format"
  OptionRadioButton* RadioButton3;  // "123": integers
  OptionRadioButton* RadioButton4;  // "123.4": one decimal
  QCheckBox* CheckBox1;             // projection of the lineation onto the plane; caption is Label1
  QLabel* Label1;
  QCheckBox* CheckBox5;  // "Remove comment line"
  QLabel* Label2;        // "(recommended)"
  QPushButton* Button1;  // "OK"

 public slots:
  void Button1Click();
  // Enables the projection switch exactly when lineations are read.
  void CheckBox3Click();
};

// The options dialog of the running program; created at start-up after Form1.
extern TForm2* Form2;

}  // namespace orvane::app
