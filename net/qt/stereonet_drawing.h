// The stereonet painted with Qt (Gui only, never Widgets): on the window's page,
// into a PNG image, and the one file export that the desktop program and the batch
// converter share.
#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <string>

#include "net_drawing.h"
#include "svg_writer.h"

namespace orvane {

// Reads every line of a run's output (NetData::AddOutputLine): converted data lines
// become faults, all others count as left out.
NetData NetDataFromLines(const QStringList& outputLines);

// Paints the net (DrawNet) into `area`. On a raster device the great circles of a
// crowded net are set straight into a pixel layer, several times faster than
// QPainter's line drawing; elsewhere they stay vector paths.
void DrawStereonet(QPainter& painter, const QRectF& area, const NetData& data,
                   const NetStyle& style = {});

// The net as a PNG image of `width` x `height` pixels, handed to `sink` in one piece
// (a few hundred KiB). Needs a QGuiApplication for the fonts. False when the image
// cannot be made or encoded.
bool WriteStereonetPng(const ByteSink& sink, const NetData& data, const NetStyle& style = {},
                       int width = 1000, int height = 800);

// Writes the net, sizePixels high and 5/4 of that wide, as SVG (WriteStereonetSvg) or
// PNG (WriteStereonetPng) as the name ends in ".svg" or ".png" (any letter case),
// through an AtomicFile: the file appears complete or not at all, and a symbolic link
// is written through. False with a message naming the file otherwise, such as
// `Cannot write "net.txt": the name must end in .svg or .png` or
// `Cannot write "out/net.svg": No such file or directory`.
bool ExportStereonet(const std::filesystem::path& fileName, const NetData& data, std::string* error,
                     const NetStyle& style = {}, int sizePixels = 800);
// The same for the window's file names.
bool ExportStereonet(const QString& fileName, const NetData& data, QString* error,
                     const NetStyle& style = {}, int sizePixels = 800);

}  // namespace orvane
