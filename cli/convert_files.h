// The converter's files around a run: the input, the fault data file and the
// stereonet, written complete or not at all.
#pragma once

#include <optional>
#include <string>

#include "byte_streams.h"
#include "conversion_options.h"
#include "format_readers.h"

namespace orvane::cli {

struct FileJob {
  ConversionOptions options;
  std::string input = "-";               // a file name, or "-" for standard input
  std::optional<std::string> output;     // -o as given; ".fdt" is appended unless present
  std::optional<std::string> stereonet;  // an .svg or .png file name
  unsigned threads = 1;
  // The input's format (--from): empty to choose by the file's name and first bytes
  // (InputFormatOfFile); standard input is then text.
  std::string from;
  bool showInput = false;  // write the field-book lines read, not their conversion
  SenseCodes senseCodes = SenseCodes::Unknown;
};

// The process's standard streams, or stand-ins.
struct StandardStreams {
  ByteSource& in;
  ByteSink& out;
  ByteSink& err;
};

// Converts the job's input to the fault data file, or to standard output without
// one, and draws the stereonet when asked. Returns the exit status:
// - kExitUsage, before anything is read, when the fault data file or the stereonet
//   is the input file (also through a link): "input and output are the same file";
// - kExitFailed when the input cannot be read, a file cannot be written or the run
//   stops: neither file is then created or changed;
// - kExitFailed too when a reader stops ("site.csv:4: column ..."), with nothing written;
// - with showInput, kExitConverted after writing the field-book lines to standard
//   output (translated from the input's format; the lines as they are for text);
// - otherwise the run's status, with both files in place. Diagnostics of translated
//   input name the line of the source file.
// Files are replaced atomically; a symbolic link is written through.
int ConvertFiles(const FileJob& job, StandardStreams streams);

}  // namespace orvane::cli
