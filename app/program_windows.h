// The program's three windows, created in their fixed order and kept for the
// whole run: Form1 (main window), Form2 (options), Form3 (version). The main window
// is given the two dialogs; the dialogs are its children. The globals name the same
// windows; the program's own code reaches them through these references.
#pragma once

#include "Unit1.h"
#include "Unit2.h"
#include "VersionForm.h"

namespace orvane::app {

struct ProgramWindows {
  ProgramWindows() : form1(form2, form3), form2(&form1), form3(&form1) {
    Form1 = &form1;
    Form2 = &form2;
    Form3 = &form3;
  }
  ~ProgramWindows() {
    Form3 = nullptr;
    Form2 = nullptr;
    Form1 = nullptr;
  }
  ProgramWindows(const ProgramWindows&) = delete;
  ProgramWindows& operator=(const ProgramWindows&) = delete;

  TForm1 form1;
  TForm2 form2;
  TForm3 form3;
};

}  // namespace orvane::app
