// The program's three windows, created in their fixed order and kept for the
// whole run: Form1 (main window), Form2 (options), Form3 (version).
#pragma once

#include "Unit1.h"
#include "Unit2.h"
#include "VersionForm.h"

namespace orvane::app {

struct ProgramWindows {
  ProgramWindows() : form2(&form1), form3(&form1) {
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
