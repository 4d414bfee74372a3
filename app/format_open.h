// Opening the files of other programs in the window: spreadsheets, StraboSpot
// projects, TectonicsFP and SG2PS files become field-book lines in the Input page,
// which Convert then converts as typed lines.
#pragma once

#include <QString>

#include "conversion_options.h"
#include "file_text.h"

namespace orvane::app {

// What Open and a drop put into the window.
struct OpenedInput {
  DecodedFile file;  // the lines for the Input page, and the encoding Save writes in
  QString caption;   // the path, and for a translated file how many records it held:
                     // "/data/site.csv (4 records, Spreadsheet with a header row)"
};

// Reads the file at `path` and, when its name and first line say it is in another
// program's format (InputFormatOfFile), translates it with the fields that `options`
// reads. False with a message for the error box when the file cannot be read or its
// reader stops: "\"/data/site.csv\", line 4: column \"sense\" gives ...".
bool OpenInputFile(const QString& path, const ConversionOptions& options, OpenedInput* result,
                   QString* error);

// The open dialog's filter: the six of the field books, a filter per other format
// before "all files (*.*)".
QString OpenDialogFilter();

}  // namespace orvane::app
