// The file formats the programs know, one row each. A format that is written has a
// writer; a reader column sits beside it for the formats that are read.
//
//   name  extension  written for
//   fdt   .fdt       Orvane's own fault data file (the default)
//   csv   .csv       spreadsheets and APSG (FaultSet.from_csv)
//   fpl   .fpl       TectonicsFP
//   rgf   .rgf       SG2PS
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "format_writer.h"

namespace orvane {

struct FileFormat {
  std::string_view name;                 // as `--to` takes it: "csv"
  std::string_view extension;            // ".csv"
  std::string_view title;                // for a file dialog's filter: "CSV table"
  const FormatWriter* writer = nullptr;  // nullptr for a format that is only read
};

// Every format, the fault data file first.
std::span<const FileFormat> FileFormats();

// The format called `name` ("csv"), or nullptr.
const FileFormat* FindFileFormat(std::string_view name);

// The format a file of this name is written in: the one whose extension the name
// ends in exactly (".csv", ".fpl", ".rgf"; "net.CSV" is not a CSV name), else the
// fault data file.
const FileFormat& WrittenFormatOfFileName(std::string_view name);

// The name a file in `format` is written under: its extension is appended unless
// the name already ends in it exactly ("net" -> "net.csv", "net.csv" stays,
// "net.txt" -> "net.txt.csv"); for the fault data file FaultDataFileName.
std::string WrittenFileName(const FileFormat& format, std::string_view chosen);

// The names of the written formats, for messages: "fdt, csv, fpl, rgf".
std::string WrittenFormatNames();

}  // namespace orvane
