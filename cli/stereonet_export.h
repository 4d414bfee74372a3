// The stereonet of a batch run, written as SVG or PNG without a window.
#pragma once

#include <string>
#include <vector>

#include "stereonet.h"

namespace orvane::cli {

// True when this build can draw stereonets (it needs Qt's painting).
bool CanExportStereonet();

// Draws `faults` and writes them to `fileName` (".svg" or ".png"). False with a
// message naming the file when that fails.
bool ExportStereonetFile(const std::string& fileName, std::vector<NetFault> faults,
                         int skippedLines, std::string& error);

}  // namespace orvane::cli
