// The writer of each format, one per file beside this one; file_formats.cpp puts
// them in the table.
#pragma once

#include "format_writer.h"

namespace orvane {

const FormatWriter& FaultDataFileWriter();  // fdt
const FormatWriter& CsvWriter();            // csv
const FormatWriter& TectonicsFpWriter();    // fpl
const FormatWriter& Sg2psWriter();          // rgf

}  // namespace orvane
