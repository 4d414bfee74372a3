// The converter's files around a run: the input, the output files (the fault data
// file and the analysis programs' formats) and the stereonet, written complete or
// not at all.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "byte_streams.h"
#include "conversion_options.h"
#include "file_formats.h"
#include "format_readers.h"

namespace orvane::cli {

// An output file: its name as given and its format. The format's extension is
// appended to a name that lacks it (WrittenFileName: "net" -> "net.csv").
struct OutputFile {
  std::string name;
  const FileFormat* format = nullptr;
};

struct FileJob {
  ConversionOptions options;
  std::string input = "-";          // a file name, or "-" for standard input
  std::vector<OutputFile> outputs;  // -o, at most one per format
  // The format of standard output when no file is written; nullptr for the output
  // lines as they are, LF after each.
  const FileFormat* standardOutput = nullptr;
  std::optional<std::string> location;   // an SG2PS row's LOCATION; else the input's name
  std::optional<std::string> stereonet;  // an .svg or .png file name
  unsigned threads = 1;
  // The input's format (--from): empty to choose by the file's name and first bytes
  // (InputFormatOfFile); standard input is then text.
  std::string from;
  bool showInput = false;  // write the field-book lines read, not their conversion
  SenseCodes senseCodes = SenseCodes::Unknown;
};

// The LOCATION of a run's SG2PS rows without --location: the input file's name
// without folder and extension ("data/site-3.txt" -> "site-3"), "standard input"
// for "-".
std::string DefaultLocation(const std::string& input);

// The process's standard streams, or stand-ins.
struct StandardStreams {
  ByteSource& in;
  ByteSink& out;
  ByteSink& err;
};

// Converts the job's input to the output files, or to standard output without
// one, and draws the stereonet when asked. Returns the exit status:
// - kExitUsage, before anything is read, when an output file or the stereonet is the
//   input file (also through a link): "input and output are the same file"; when two
//   output files are one: "two outputs are the same file"; or when a format refuses
//   the run's options (FormatWriter::Refusal, a TectonicsFP file without lineations);
// - kExitFailed when the input cannot be read, a file cannot be written or the run
//   stops: no file is then created or changed;
// - kExitFailed too when a reader stops ("site.csv:4: column ..."), with nothing written;
// - with showInput, kExitConverted after writing the field-book lines to standard
//   output (translated from the input's format; the lines as they are for text);
// - otherwise the run's status, with every file in place. Diagnostics of translated
//   input name the line of the source file.
// Files are replaced atomically; a symbolic link is written through.
int ConvertFiles(const FileJob& job, StandardStreams streams);

}  // namespace orvane::cli
