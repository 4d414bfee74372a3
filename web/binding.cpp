// The engine as the page sees it: plain C functions over bytes in the module's memory.
//
// orvane_convert takes the whole input text (UTF-8 bytes) and the run's options; the
// results stay in the module until the next call and are read with the accessors:
// the output text (every output line followed by "\n"), one outcome byte per input
// line, the messages of the error lines, the counts, and how a stopped run stopped.
// Input lines end at LF, CR LF or a lone CR; a last line without a line end counts.
//
// The files and the net go through the same rules as in the desktop program: a
// field book is decoded by DecodeFileText, a fault data file made by FaultFileBytes,
// the stereonet of the last completed run written by WriteStereonetSvg, and the
// stored settings read and written through the settings table and IniFile. Those
// calls leave their text or bytes in one result buffer (orvane_result), valid
// until the next of them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "batch_run.h"
#include "conversion_options.h"
#include "fault_file.h"
#include "ini_file.h"
#include "net_drawing.h"
#include "numbers.h"
#include "run_stopped.h"
#include "settings_file.h"
#include "svg_writer.h"
#include "text.h"

#if defined(__EMSCRIPTEN__)
#include <emscripten/emscripten.h>
#define ORVANE_EXPORT extern "C" EMSCRIPTEN_KEEPALIVE
#else
#define ORVANE_EXPORT extern "C"
#endif

namespace {

// The outcome bytes the page reads.
enum PageOutcome : std::uint8_t { kCopied = 0, kConverted = 1, kUnreadable = 2 };

struct PageRun {
  std::string output;                  // every output line followed by "\n"
  std::vector<std::uint8_t> outcomes;  // one per input line that has an output line
  std::string messages;                // the message of each error line, each followed by "\n"
  std::uint32_t counts[3] = {0, 0, 0};
  bool stopped = false;
  std::string stopMessages;  // what the run told the user before it stopped, "\n" after each

  void Clear() { *this = PageRun(); }
};

PageRun gRun;

// The faults of the last run that went through every line, as the desktop program's
// net shows them: a stopped run leaves the net of the run before.
orvane::NetData gNet;

// What the calls below that give text or bytes return; valid until the next of them.
std::string gResult;

// The settings file the page keeps, between orvane_settings_load and
// orvane_settings_text.
orvane::IniFile gSettings;

// Calls `each` with every line of `text`, without its line end.
template <typename Each>
void ForEachLine(std::string_view text, Each&& each) {
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = begin;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    each(text.substr(begin, end - begin));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') {
      ++end;
    }
    begin = end + 1;
  }
}

// The run behind Convert; the one place that knows how BatchRun reports a line.
// Throws RunStopped as BatchRun does, with the lines so far in `run`.
void ConvertText(const orvane::ConversionOptions& options, std::string_view text, PageRun& run) {
  orvane::BatchRun batch(options, [&run](const std::string& message) {
    run.stopMessages += message;
    run.stopMessages += '\n';
  });
  std::string line;
  ForEachLine(text, [&](std::string_view input) {
    const orvane::LineResult result = batch.ConvertInputLine(input, line);
    PageOutcome page = kCopied;
    switch (result.outcome) {
      case orvane::LineOutcome::Copied:
        page = kCopied;
        break;
      case orvane::LineOutcome::Converted:
        page = kConverted;
        break;
      case orvane::LineOutcome::Error:
        page = kUnreadable;
        run.messages += result.message;
        run.messages += '\n';
        break;
    }
    run.output += line;
    run.output += '\n';
    run.outcomes.push_back(page);
    ++run.counts[page];
  });
}

// The lines of `text`, each followed by "\n" (a last one may lack it).
std::vector<std::string> LinesOf(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

orvane::TextEncoding EncodingOf(int code) {
  switch (code) {
    case 1:
      return orvane::TextEncoding::Utf8WithByteOrderMark;
    case 2:
      return orvane::TextEncoding::Windows1252;
    default:
      return orvane::TextEncoding::Utf8;
  }
}

int CodeOf(orvane::TextEncoding encoding) {
  switch (encoding) {
    case orvane::TextEncoding::Utf8:
      break;
    case orvane::TextEncoding::Utf8WithByteOrderMark:
      return 1;
    case orvane::TextEncoding::Windows1252:
      return 2;
  }
  return 0;
}

// The name the page calls each stored setting by, to find its control.
struct SettingName {
  orvane::SettingMember member;
  std::string_view name;
};
constexpr SettingName kSettingNames[] = {
    {&orvane::StoredSettings::West, "declination"},
    {&orvane::StoredSettings::Ratio, "untilting"},
    {&orvane::StoredSettings::IntFormat, "format-integer"},
    {&orvane::StoredSettings::DoubleFormat, "format-decimal"},
    {&orvane::StoredSettings::ProjectionToSurface, "projection"},
    {&orvane::StoredSettings::LineationData, "lineation-data"},
    {&orvane::StoredSettings::SenseData, "sense-data"},
    {&orvane::StoredSettings::RemoveComment, "remove-comment"},
};

constexpr std::string_view NameOf(const orvane::SettingRow& row) {
  for (const SettingName& n : kSettingNames) {
    if (n.member == row.Stored) return n.name;
  }
  return {};
}

constexpr bool EverySettingIsNamed() {
  for (const orvane::SettingRow& row : orvane::kStoredSettings) {
    if (NameOf(row).empty()) return false;
  }
  return std::size(kSettingNames) == orvane::kStoredSettings.size();
}
static_assert(EverySettingIsNamed());

const orvane::SettingRow* SettingRowAt(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= orvane::kStoredSettings.size()) {
    return nullptr;
  }
  return &orvane::kStoredSettings[static_cast<std::size_t>(index)];
}

std::string_view TypeName(orvane::SettingType type) {
  switch (type) {
    case orvane::SettingType::Text:
      return "text";
    case orvane::SettingType::Integer:
      return "integer";
    case orvane::SettingType::Boolean:
      break;
  }
  return "boolean";
}

// A setting's value as the page passes it: the text, the integer in decimal, or
// "1" and "0".
std::string ValueText(const orvane::SettingValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* number = std::get_if<std::int32_t>(&value)) return std::to_string(*number);
  return std::get<bool>(value) ? "1" : "0";
}

}  // namespace

// Switches of orvane_convert's `flags`.
enum : int {
  kSurfaceData = 1,
  kLineationData = 2,
  kSenseData = 4,
  kProjectionToSurface = 8,
  kOneDecimal = 16,
};

// Converts `textSize` bytes at `text`. Returns 1 when the run went through every line,
// 0 when it stopped (an unreadable declination or untilting percentage): the lines
// before the one that stopped it are kept, and orvane_stop_messages says why.
ORVANE_EXPORT int orvane_convert(const char* text, std::size_t textSize, const char* declination,
                                 std::size_t declinationSize, const char* untilting,
                                 std::size_t untiltingSize, int flags) {
  gRun.Clear();
  orvane::ConversionOptions options;
  options.SurfaceData = (flags & kSurfaceData) != 0;
  options.LineationData = (flags & kLineationData) != 0;
  options.SenseData = (flags & kSenseData) != 0;
  options.ProjectionToSurface = (flags & kProjectionToSurface) != 0;
  options.OneDecimal = (flags & kOneDecimal) != 0;
  options.DeclinationText.assign(declination, declinationSize);
  options.UntiltingText.assign(untilting, untiltingSize);
  const std::string_view input(text, textSize);
  gRun.output.reserve(textSize + textSize / 4);
  try {
    ConvertText(options, input, gRun);
  } catch (const orvane::RunStopped& stopped) {
    gRun.stopped = true;
    if (!stopped.AlreadyShown()) {
      gRun.stopMessages += stopped.what();
      gRun.stopMessages += '\n';
    }
    return 0;
  }
  gNet = orvane::NetData();
  ForEachLine(gRun.output, [](std::string_view line) { gNet.AddOutputLine(line); });
  return 1;
}

ORVANE_EXPORT const char* orvane_output() {
  return gRun.output.data();
}
ORVANE_EXPORT std::size_t orvane_output_size() {
  return gRun.output.size();
}
// One byte per input line that got an output line: 0 copied, 1 converted, 2 unreadable.
ORVANE_EXPORT const std::uint8_t* orvane_outcomes() {
  return gRun.outcomes.data();
}
ORVANE_EXPORT std::size_t orvane_line_count() {
  return gRun.outcomes.size();
}
// The messages of the unreadable lines in order, each followed by "\n".
ORVANE_EXPORT const char* orvane_messages() {
  return gRun.messages.data();
}
ORVANE_EXPORT std::size_t orvane_messages_size() {
  return gRun.messages.size();
}
// Lines copied (0), converted (1) or unreadable (2).
ORVANE_EXPORT std::uint32_t orvane_count(int outcome) {
  return outcome >= 0 && outcome < 3 ? gRun.counts[outcome] : 0;
}
// What a stopped run told the user, each message followed by "\n"; empty otherwise.
ORVANE_EXPORT const char* orvane_stop_messages() {
  return gRun.stopMessages.data();
}
ORVANE_EXPORT std::size_t orvane_stop_messages_size() {
  return gRun.stopMessages.size();
}

// The window's field checks. The declination field warns when this is 0 ("12.5" and
// "-7" pass, "7W" does not).
ORVANE_EXPORT int orvane_is_number(const char* text, std::size_t size) {
  return orvane::IsNumber(std::string_view(text, size)) ? 1 : 0;
}
// The untilting field as a whole number (decimal, or hexadecimal behind "0x" or "$"):
// 1 with *value set, or 0 when the text is no such number.
ORVANE_EXPORT int orvane_str_to_int(const char* text, std::size_t size, std::int32_t* value) {
  const auto v = orvane::StrToInt(std::string_view(text, size));
  if (!v) return 0;
  *value = *v;
  return 1;
}

// The buffer of the calls below.
ORVANE_EXPORT const char* orvane_result() {
  return gResult.data();
}
ORVANE_EXPORT std::size_t orvane_result_size() {
  return gResult.size();
}

// A field book's bytes as the desktop program reads them (DecodeFileText): the text
// in UTF-8, line breaks as "\n" and without a byte order mark, in the result.
// Returns the encoding to save in: 0 UTF-8, 1 UTF-8 with a byte order mark,
// 2 Windows-1252.
ORVANE_EXPORT int orvane_decode_file(const char* bytes, std::size_t size) {
  orvane::DecodedText decoded = orvane::DecodeFileText(std::string_view(bytes, size));
  gResult = std::move(decoded.text);
  return CodeOf(decoded.encoding);
}

// The bytes of a fault data file (FaultFileBytes) in the result: `lines` holds the
// output lines, each followed by "\n"; `encoding` as orvane_decode_file returns it.
ORVANE_EXPORT void orvane_fault_file(const char* lines, std::size_t size, int removeComment,
                                     int encoding) {
  gResult = orvane::FaultFileBytes(LinesOf(std::string_view(lines, size)), removeComment != 0,
                                   EncodingOf(encoding));
}

// The name a fault data file is saved under, in the result: "result" -> "result.fdt".
ORVANE_EXPORT void orvane_fault_file_name(const char* name, std::size_t size) {
  gResult = orvane::FaultDataFileName(std::string_view(name, size));
}

// The stereonet of the last completed run as an SVG document of `width` x `height`
// pixels, in the result. `projection` 0 is equal area, 1 equal angle; the three
// texts are the provenance lines: the input's name, the declination and the
// untilting percentage of that run. Returns 0 when memory ran out (the result is
// then empty).
ORVANE_EXPORT int orvane_net_svg(int projection, const char* source, std::size_t sourceSize,
                                 const char* declination, std::size_t declinationSize,
                                 const char* untilting, std::size_t untiltingSize, int width,
                                 int height) {
  orvane::NetStyle style;
  style.projection =
      projection == 1 ? orvane::NetProjection::EqualAngle : orvane::NetProjection::EqualArea;
  style.provenance.source.assign(source, sourceSize);
  style.provenance.declination.assign(declination, declinationSize);
  style.provenance.untilting.assign(untilting, untiltingSize);
  gResult.clear();
  try {
    orvane::WriteStereonetSvg([](std::string_view bytes) { gResult.append(bytes); }, gNet, style,
                              std::max(width, 1), std::max(height, 1));
  } catch (const std::bad_alloc&) {
    gResult = std::string();
    return 0;
  }
  return 1;
}

// Faults on the net of the last completed run, and the lines it left out.
ORVANE_EXPORT std::size_t orvane_net_faults() {
  return gNet.faults.size();
}
ORVANE_EXPORT int orvane_net_skipped() {
  return gNet.skippedLines;
}

// The stored settings, in the order of the engine's table.
ORVANE_EXPORT int orvane_setting_count() {
  return static_cast<int>(orvane::kStoredSettings.size());
}

// One row of the table in the result: the page's name for it, the section, the key,
// the type ("text", "integer" or "boolean") and the default as orvane_setting_read
// gives values, each followed by "\n". Returns 0 for an index out of range.
ORVANE_EXPORT int orvane_setting_describe(int index) {
  const orvane::SettingRow* row = SettingRowAt(index);
  if (row == nullptr) return 0;
  gResult.clear();
  for (const std::string_view field :
       {NameOf(*row), row->Section, row->Key, TypeName(row->Type())}) {
    gResult.append(field);
    gResult += '\n';
  }
  gResult += ValueText(orvane::ReadSetting(orvane::IniFile(), *row));
  gResult += '\n';
  return 1;
}

// Takes the text of a settings file ("" for none), as the desktop program loads
// ORV.ini.
ORVANE_EXPORT void orvane_settings_load(const char* text, std::size_t size) {
  gSettings = orvane::IniFile::FromText(std::string_view(text, size));
}

// A setting's value as the loaded file gives it (its default where the file lacks
// it or holds something unreadable), in the result: a text as it is, an integer in
// decimal, a boolean as "1" or "0". Returns 0 for an index out of range.
ORVANE_EXPORT int orvane_setting_read(int index) {
  const orvane::SettingRow* row = SettingRowAt(index);
  if (row == nullptr) return 0;
  gResult = ValueText(orvane::ReadSetting(gSettings, *row));
  return 1;
}

// Sets a setting in the loaded file; `value` as orvane_setting_read gives it (an
// integer that does not read becomes 0, a boolean is true unless "0"). Returns 0 for
// an index out of range.
ORVANE_EXPORT int orvane_setting_write(int index, const char* value, std::size_t size) {
  const orvane::SettingRow* row = SettingRowAt(index);
  if (row == nullptr) return 0;
  const std::string_view text(value, size);
  switch (row->Type()) {
    case orvane::SettingType::Text:
      orvane::WriteSettingText(gSettings, *row, text);
      break;
    case orvane::SettingType::Integer:
      orvane::WriteSettingInteger(gSettings, *row, orvane::StrToInt(text).value_or(0));
      break;
    case orvane::SettingType::Boolean:
      orvane::WriteSettingBool(gSettings, *row, text != "0");
      break;
  }
  return 1;
}

// The loaded file with the settings written since, in the result.
ORVANE_EXPORT void orvane_settings_text() {
  gResult = gSettings.Text();
}
