// Rules of the fault data file shared by the desktop program and the converter.
#pragma once

#include <string>
#include <string_view>

namespace orvane {

// Every line of a fault data file ends in CR LF, whatever the platform.
inline constexpr std::string_view kFaultFileLineEnd = "\r\n";

// True when a saved file leaves `line` out: with "Remove comment line" on, every
// line whose first character is "#" (error lines and copied comment lines). A
// line "  # note" stays.
inline bool LeftOutOfFile(std::string_view line, bool removeComment) {
  return removeComment && !line.empty() && line[0] == '#';
}

// The name a fault data file is saved under: ".fdt" is appended unless the name
// already ends in exactly ".fdt" ("result" -> "result.fdt", "result.FDT" ->
// "result.FDT.fdt"). Works on the bytes of the name.
inline std::string FaultDataFileName(std::string_view chosen) {
  std::string name(chosen);
  if (!name.ends_with(".fdt")) name += ".fdt";
  return name;
}

}  // namespace orvane
