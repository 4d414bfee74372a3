// File, "Export as...": the output pane written in one of the file formats that
// analysis programs read (CSV, TectonicsFP, SG2PS) or as a fault data file, through
// the engine's writers, as Save would write it but in that format.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "conversion_options.h"
#include "fault_file.h"

class QWidget;

namespace orvane::app {

// What an export writes: the output pane's lines, the options and the encoding
// that Save takes, and where the data come from.
struct ExportSource {
  QStringList lines;
  ConversionOptions options;
  TextEncoding encoding = TextEncoding::Utf8;
  QString location;  // the LOCATION of SG2PS rows
};

// The name and the filter chosen last, offered the next time.
struct ExportChoice {
  QString name;
  QString filter;
};

// The dialog's filter: one entry per format, "CSV table (*.csv)", the fault data
// file first.
QString ExportFilter();

// The LOCATION of the rows: the opened file's name without folder and extension
// ("/data/site-3.txt" -> "site-3"), or "typed input" when nothing was opened.
QString InputLocation(const QString& openedPath);

// Asks for a file name and a format (the filter entry chosen), completes the name
// with the format's extension where it lacks it (asking before replacing a file of
// the completed name) and writes the file through an AtomicFile. A failure shows in
// the error box, naming the file: "Cannot write "PATH": REASON", where the reason
// may be the format's (a TectonicsFP file needs lineations). Returns the path
// written; nothing when cancelled or failed.
std::optional<QString> ExportOutput(QWidget* parent, const ExportSource& source,
                                    ExportChoice& last);

}  // namespace orvane::app
