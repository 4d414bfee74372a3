// Draws converted faults on a stereonet with QPainter: the same code paints the
// window's page, a PNG image and an SVG file.
#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

#include "stereonet.h"

namespace orvane {

// The faults of one conversion run, read from its output lines.
struct NetData {
  std::vector<NetFault> faults;
  int skippedLines = 0;  // blank, comment and error lines, left out of the net
};

// Reads every converted data line; everything else counts as skipped.
NetData NetDataFromLines(const QStringList& outputLines);

struct NetStyle {
  NetProjection projection = NetProjection::EqualArea;
  bool drawTitle = true;
  // Vector output (SVG) keeps every great circle a path; on pixels a crowded net
  // draws its circles straight into an image layer, which is much faster.
  bool vectorOutput = false;
};

// Paints the net, great circles, lineation points with slip arrows, the legend
// and the count note into `area` (white background).
void DrawStereonet(QPainter& painter, const QRectF& area, const NetData& data,
                   const NetStyle& style = {});

// Writes the net as SVG or PNG, chosen by the file name's extension (".svg" or
// ".png", any letter case), through a temporary file renamed over the target.
// False with a message naming the file on failure or for another extension.
bool ExportStereonet(const QString& fileName, const NetData& data, QString* error,
                     const NetStyle& style = {}, int sizePixels = 800);

}  // namespace orvane
