// Shared by the tests of the settings file.
#pragma once

#include <string>

#include "ini_file.h"

namespace orvane {

// Lines added to a file without a line end of its own use the platform's.
inline std::string WithNewFileEnds(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') {
      out += IniFile::kNewFileLineEnd;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace orvane
