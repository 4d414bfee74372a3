// The stereonet of a batch run as the bytes of an SVG or PNG file.
#pragma once

#include <string>
#include <vector>

#include "stereonet.h"

namespace orvane::cli {

// Draws `faults` with the count note (`leftOut` lines not drawn) as the file
// `fileName` wants it: SVG or PNG by its extension, any letter case. False with a
// message naming the file ("cannot write 'net.txt': the name must end in .svg or
// .png") for another extension, or when this build cannot draw.
bool StereonetFileBytes(const std::string& fileName, std::vector<NetFault> faults, long leftOut,
                        std::string& bytes, std::string& error);

}  // namespace orvane::cli
