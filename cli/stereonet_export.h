// The stereonet of a batch run as an SVG or PNG file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "stereonet.h"
#include "svg_writer.h"

namespace orvane::cli {

// Nothing when this build can write the net that `fileName` asks for (".svg", or
// ".png" where Qt's painting is built in; any letter case); otherwise the message
// naming the file: "cannot write 'net.txt': the name must end in .svg or .png".
std::optional<std::string> StereonetNameError(const std::string& fileName);

// Draws `faults` with the count note (`leftOut` lines not drawn) as the file
// `fileName` wants it and hands the bytes to `sink`: SVG streamed in pieces, so
// that memory does not grow with the net, PNG in one piece. The name must have
// passed StereonetNameError. False with a message naming the file when the image
// cannot be made; exceptions of the sink pass through.
bool WriteStereonet(const std::string& fileName, std::vector<NetFault> faults, long leftOut,
                    const orvane::ByteSink& sink, std::string& error);

}  // namespace orvane::cli
