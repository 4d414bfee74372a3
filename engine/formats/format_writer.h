// Writers of the files that analysis programs read, made from the output lines of
// one run: the fault data file, a CSV table, a TectonicsFP fault file and an SG2PS
// data file all carry the same numbers, copied from the output lines.
//
// A writer sees an output line as one of four kinds:
//   blank    "" or "   "                              (a blank input line)
//   comment  "# note", "  # note", "# error in ... [...]"
//                                                    (copied comments, error lines)
//   fault    " 120 30  45 20 N # site 3", " 45.4 7.3 ", " 118 30 N"
//                                                    (a converted line)
//   other    anything else, such as a line edited by hand into "hello"
// Every format but the fault data file refuses "other" lines (FormatError), since it
// cannot carry them; the fault data file writes every line as it is.
#pragma once

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "conversion_options.h"
#include "fault_file.h"

namespace orvane {

// A run's lines cannot be written in a format. what() says why:
// "line 7 is not a converted line: hello".
class FormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// How a format writes comment lines (lines without data that carry a "#": copied
// comments and error lines). Those beginning with "#" follow the comment rule
// (RemoveComment, LeftOutOfFile) in every format; "  # note" is always written
// where the format has comments.
enum class CommentForm {
  None,       // the format has no comment rows: comment and blank lines are left out
  AsIs,       // written unchanged (the fault data file)
  Semicolon,  // ";" + the line after its first "#": "# error in ... [x]" -> "; error in ... [x]"
};

// What every writer of a run is told.
struct WriteOptions {
  ConversionOptions run;  // the run's options: the comment rule, lineation and sense on or off
  std::string location;   // where the data come from (an SG2PS row's LOCATION)
};

// One converted line, split into what the formats write. The texts point into the
// output line.
struct FaultFields {
  std::string_view dipDirection;  // numbers as written: "120", "45.4", "7"
  std::string_view dip;
  std::string_view trend;    // empty when the line has no lineation
  std::string_view plunge;   // empty when the line has no lineation
  char sense = 0;            // 'N', 'R', 'D', 'S', or 0 when the line carries none
  std::string_view comment;  // after the first "#", without surrounding blanks; may be empty
  long lineNumber = 0;       // the input line it came from, 1-based

  bool HasLineation() const { return !trend.empty(); }
};

enum class OutputLineKind { Blank, Comment, Fault, Other };

// The kind of an output line and, for a fault, its fields. A fault line is two or
// four numbers (dip direction, dip, then trend and plunge), then at most one sense
// letter, then an optional comment from the first "#"; numbers are what the output
// line writes ("120", "45.4", "-1e+20"), "nan" and "inf" with or without "-"
// included (what a run writes for an angle too large to compute with).
struct OutputLineParts {
  OutputLineKind kind = OutputLineKind::Other;
  FaultFields fault;  // for OutputLineKind::Fault
};
OutputLineParts SplitOutputLine(std::string_view line, long lineNumber);

// One file format's writer. A format is one subclass in a file of its own and one
// row of the table in file_formats.h.
class FormatWriter {
 public:
  constexpr FormatWriter(std::string_view name, std::string_view extension, CommentForm comments,
                         bool byteOrderMark)
      : name_(name), extension_(extension), comments_(comments), byteOrderMark_(byteOrderMark) {}
  virtual ~FormatWriter() = default;

  std::string_view Name() const { return name_; }            // "csv"
  std::string_view Extension() const { return extension_; }  // ".csv"
  CommentForm Comments() const { return comments_; }
  // Whether a file in UTF-8 with a byte order mark keeps the mark in this format
  // (programs that read the first line as data or as column names do not want it).
  bool KeepsByteOrderMark() const { return byteOrderMark_; }

  // Why a run with these options cannot be written in this format, or "" when it
  // can: a TectonicsFP fault file needs lineations.
  virtual std::string Refusal(const WriteOptions& options) const;

  // What the file holds before the first line: a header row with its line end, or
  // nothing.
  virtual void AppendHeader(const WriteOptions& options, std::string& out) const;

  // Appends what the file holds for one output line (UTF-8, without its line end) of
  // input line `lineNumber` (1-based): nothing, or lines with their line ends.
  // Throws FormatError for a line this format cannot carry.
  virtual void AppendLine(std::string_view line, long lineNumber, const WriteOptions& options,
                          std::string& out) const = 0;

 private:
  std::string_view name_;
  std::string_view extension_;
  CommentForm comments_;
  bool byteOrderMark_;
};

// A format of one row per converted line: blank and comment lines take the comment
// form, a fault line goes to AppendFault, and a line of kind "other" is refused
// (FormatError "line 7 is not a converted line: hello").
class FaultRowWriter : public FormatWriter {
 public:
  using FormatWriter::FormatWriter;
  void AppendLine(std::string_view line, long lineNumber, const WriteOptions& options,
                  std::string& out) const final;

 protected:
  // Appends one converted line in this format, line end included.
  virtual void AppendFault(const FaultFields& fault, const WriteOptions& options,
                           std::string& out) const = 0;
};

// Appends `text` with each byte of `separators` turned into a blank, so that a line
// break (or, in a tab-separated file, a tab) inside a comment starts no new line
// or cell.
void AppendBlanking(std::string& out, std::string_view text, std::string_view separators);

// The whole file of a run in `format`: the header, then every output line in
// order (output line k belongs to input line k + 1), encoded as `encoding` says
// (EncodeText; the byte order mark only where the format keeps it). Throws
// FormatError with the format's refusal or for a line it cannot carry.
std::string FormatFileBytes(const FormatWriter& format, std::span<const std::string> outputLines,
                            const WriteOptions& options, TextEncoding encoding);

}  // namespace orvane
