// Readers of the files in which field data come besides typed field books:
// spreadsheets (CSV with a header row), StraboSpot project exports, TectonicsFP fault
// files and SG2PS data files. Each turns a file into field-book lines in the engine's
// own notations, which a run then converts as it converts typed lines:
//
//   CSV   dip_direction,dip,trend,plunge,sense,id      ->  120 30 45 20 N # id 7
//         120,30,45,20,normal,7
//   FPL   12,120,30,45,20,quarry                       ->  120 30 45 20 R # quality 2; quarry
//
// Every record becomes one line; header and comment lines of the source become
// comment lines, blank lines stay blank. A record that cannot be translated becomes
// a line that the run reports as an error line, with the record's text as its
// comment. Readers work on decoded UTF-8 text (DecodeFileText).
#pragma once

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// What numeric sense codes mean, where the file does not say.
enum class SenseCodes {
  Unknown,      // numbers as senses stop the reader (ReaderStopped)
  Apsg,         // 1 normal, -1 reverse (hanging wall down, up)
  TectonicsFp,  // 1 reverse, 2 normal, 3 dextral, 4 sinistral, 0 and 5 unknown
};

struct ReaderOptions {
  // The fields the lines carry, as the run will read them (SurfaceData,
  // LineationData, SenseData): a field switched off is not written.
  bool surface = true;
  bool lineation = true;
  bool sense = true;
  SenseCodes senseCodes = SenseCodes::Unknown;
  // SG2PS: the DIP_DIR column holds right-hand-rule strikes (its ".set" file says
  // "DATARULE: R"; see RgfSettingsFileName).
  bool rightHandRuleStrikes = false;
};

// The lines a reader made of a file.
struct TranslatedBook {
  std::vector<std::string> lines;  // without line ends
  std::vector<long> sourceLines;   // the 1-based source line of each line
  long records = 0;                // fault records read (lines that carry data)

  void Add(std::string line, long sourceLine, bool record);
};

// A file that a reader cannot go on with as a whole: "column \"sense\" holds
// numbers ...". `Line` is the 1-based source line it stopped at (0: the file).
// `NeedsSenseCodes` is set when a choice of SenseCodes would let it go on.
class ReaderStopped : public std::runtime_error {
 public:
  ReaderStopped(const std::string& message, long line, bool needsSenseCodes = false)
      : std::runtime_error(message), line_(line), needsSenseCodes_(needsSenseCodes) {}
  long Line() const { return line_; }
  bool NeedsSenseCodes() const { return needsSenseCodes_; }

 private:
  long line_;
  bool needsSenseCodes_;
};

// The readers, each in a file of its own. Each throws ReaderStopped as stated.
//
// CSV: stops when the file has no header row naming a plane or a lineation, and on
// numeric senses whose convention is unknown (no APSG column names and no
// senseCodes).
TranslatedBook ReadCsvTable(std::string_view text, const ReaderOptions& options);
// StraboSpot project export: stops when the text is not JSON or has no "spotsDb".
TranslatedBook ReadStraboSpotProject(std::string_view text, const ReaderOptions& options);
// TectonicsFP fault file (.fpl, .cor): never stops.
TranslatedBook ReadTectonicsFpFile(std::string_view text, const ReaderOptions& options);
// SG2PS data file (.rgf): stops when the file has no header row with DATATYPE,
// DIP_DIR and DIP.
TranslatedBook ReadSg2psFile(std::string_view text, const ReaderOptions& options);

// The ".set" file beside an SG2PS data file: "data/site.rgf" -> "data/site.set".
std::string RgfSettingsFileName(std::string_view rgfPath);
// True when a ".set" file's text says "DATARULE: R" (or "RIGHT"), case ignored.
bool RgfSettingsSayRightHandRule(std::string_view setText);

// True when the first line that is neither blank nor a "#" comment is a CSV header
// row naming a plane or a lineation ("dip_direction;dip;trend;plunge").
bool StartsWithCsvHeader(std::string_view text);

using FormatReader = TranslatedBook (*)(std::string_view text, const ReaderOptions& options);

// A format that is read. "text" is the engine's own field book, read without a reader.
struct InputFormat {
  std::string_view name;        // as --from takes it: "csv"
  std::string_view extensions;  // as a file dialog's filter lists them: "*.fpl *.cor"
  std::string_view title;       // "TectonicsFP fault file"
  FormatReader read = nullptr;  // nullptr for "text"
};

// Every format read, "text" first.
std::span<const InputFormat> InputFormats();

// The format called `name`, or nullptr.
const InputFormat* FindInputFormat(std::string_view name);

// The names for messages: "text, csv, strabospot, fpl, rgf".
std::string InputFormatNames();

// The format a file is read in, from its name and its first bytes: ".json"
// strabospot, ".fpl" and ".cor" fpl, ".rgf" rgf (extensions with any letter case);
// ".csv", ".tsv" and ".txt" csv when the file starts with a header row
// (StartsWithCsvHeader), else text; every other name text.
const InputFormat& InputFormatOfFile(std::string_view fileName, std::string_view firstBytes);

}  // namespace orvane
