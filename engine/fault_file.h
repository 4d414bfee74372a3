// Rules of the fault data file shared by the desktop program and the converter.
#pragma once

#include <string>
#include <string_view>

namespace orvane {

// The name a fault data file is saved under: ".fdt" is appended unless the name
// already ends in exactly ".fdt" ("result" -> "result.fdt", "result.FDT" ->
// "result.FDT.fdt"). Works on the bytes of the name.
inline std::string FaultDataFileName(std::string_view chosen) {
  std::string name(chosen);
  if (!name.ends_with(".fdt")) name += ".fdt";
  return name;
}

}  // namespace orvane
