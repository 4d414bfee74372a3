// The stereonet as an SVG document, written by Orvane itself in standard C++: no
// Qt, no files, no locale. The desktop program, the batch converter and the web
// page all write their ".svg" nets with it.
#pragma once

#include <functional>
#include <string_view>

#include "net_drawing.h"

namespace orvane {

// Receives the bytes of a document in order, in pieces.
using ByteSink = std::function<void(std::string_view bytes)>;

// Writes the net of `data` (DrawNet) as a standalone SVG 1.1 document of `width` x
// `height` pixels (at least 1 each), in UTF-8, streamed to `sink` in pieces of about
// 64 KiB, so that memory does not grow with the number of faults. Each part of the
// drawing is a <g class="..."> of the part's name; inside "great-circles" each plane
// is one <path>, in "lineations" each point a <circle>, each arrow a <polyline> shaft
// and a filled <path> head; texts are <text>. Coordinates have one decimal (a tenth
// of a pixel), always with ".". Texts are escaped, tabs and line breaks in them
// become spaces, and bytes that are not UTF-8 or characters that XML does not allow
// become U+FFFD. The sink's exceptions pass through.
void WriteStereonetSvg(const ByteSink& sink, const NetData& data, const NetStyle& style = {},
                       int width = 1000, int height = 800);

}  // namespace orvane
