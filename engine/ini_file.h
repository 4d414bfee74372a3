// An ini file that can be edited without disturbing what it already holds.
//
// The file is kept as its lines, byte for byte. Reading looks a value up; writing
// replaces only the value part of the key's line, or adds the key (and its section)
// where it belongs. Everything else (comments, blank lines, other programs'
// sections and keys, lines that are neither, the UTF-8 byte order mark, the
// file's line ends, a missing final line end) is saved exactly as it was read.
//
// Format, as read:
//   [Section name]          a section header; text after the "]" is ignored
//   key name = value        a key of the section above it
//   ; comment   # comment   comment lines (first non-blank character ";" or "#")
// Section and key names may contain blanks and are matched without regard to
// ASCII letter case ("[OPTIONS]" is section "Options"). Names and values are
// trimmed of blanks and tabs; a value enclosed in one pair of matching quotation
// marks ("..." or '...') loses them. Keys above the first section belong to no
// section and are never found. Where a section or key appears twice, the first
// one is read and written; a key missing from the first of two same-named
// sections is looked for in the later ones.
//
// Lines may end in LF or CR LF; a file read with CR LF gets CR LF on the lines
// added to it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "file_error.h"

namespace orvane {

// A settings file that could not be read or written. what() names the file:
// "cannot read 'ORV.ini': Permission denied", "cannot write '/opt/x/ORV.ini': ...".
class IniFileError : public FileError {
 public:
  using FileError::FileError;
  explicit IniFileError(const FileError& error) : FileError(error) {}
};

class IniFile {
 public:
  // The line end of lines added to a file that has none yet: CR LF on Windows,
  // where the profile functions and Notepad expect it, LF elsewhere.
#ifdef _WIN32
  static constexpr std::string_view kNewFileLineEnd = "\r\n";
#else
  static constexpr std::string_view kNewFileLineEnd = "\n";
#endif

  // What Load does when the file does not exist.
  enum class IfMissing { Empty, Fail };

  // An empty file: every read gives its default.
  IniFile() = default;

  // Takes the bytes of a whole file.
  static IniFile FromText(std::string_view bytes);

  // Reads the file at `path`. A file that does not exist gives an empty IniFile
  // (or, with IfMissing::Fail, an IniFileError). An existing file that cannot be
  // read throws IniFileError.
  static IniFile Load(const std::filesystem::path& path, IfMissing ifMissing = IfMissing::Empty);

  // The value of the key, trimmed and with one pair of enclosing quotes dropped;
  // `fallback` when the section or key is missing. A key present with an empty
  // value gives "".
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;

  // The value as a 32-bit integer: optional sign and decimal digits, or
  // hexadecimal digits behind "0x", "0X" or "$" ("0x1E" -> 30), as StrToInt
  // reads them. Any other text ("0x", "12abc", "1.5"), the empty text and values
  // out of range give `fallback`, as does a missing key.
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t fallback) const;

  // The value read as an integer with default 1 or 0: non-zero is true. "yes"
  // gives `fallback`.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  // Sets the value of the key. An existing key keeps its line, its spacing and its
  // place; only the value text is replaced, and a line whose value already reads
  // back as `value` is left alone. A missing key is added as "key=value" after the
  // last key of its section (right after the header if it has none); a missing
  // section is added at the end of the file. The value is stored as given, so
  // leading or trailing blanks and enclosing quotes do not survive a read-back.
  // Throws std::invalid_argument for a name that is empty, has blanks at either
  // end or contains a line break (a section name also "]", a key name also "=",
  // or a leading "[", ";" or "#"), and for a value with a line break.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);  // "1" or "0"

  // The bytes Save writes.
  std::string Text() const;

  // Writes Text() to `path` without ever leaving it half written: the bytes go
  // to a new file in the same folder, which then replaces `path` (through a
  // symbolic link, its target). An existing file keeps its permissions. On
  // failure `path` is left as it was and IniFileError is thrown.
  void Save(const std::filesystem::path& path) const;

 private:
  enum class Kind { Other, Section, Key };
  struct Line {
    std::string text;  // without its line end
    std::string end;   // "\n", "\r\n", or "" for a last line without one
    Kind kind = Kind::Other;
    std::size_t nameBegin = 0, nameEnd = 0;    // section or key name within text
    std::size_t valueBegin = 0, valueEnd = 0;  // key value within text, trimmed
  };

  static Line ParseLine(std::string text, std::string end);
  static std::string_view Name(const Line& line);
  static std::string_view Value(const Line& line);
  // Index of the key's line, or npos.
  std::size_t FindKey(std::string_view section, std::string_view key) const;
  // Index where a new key of the section goes, or npos when there is no such section.
  std::size_t KeyInsertPosition(std::string_view section) const;
  void Insert(std::size_t position, std::string text);

  std::vector<Line> lines_;
  bool byteOrderMark_ = false;
  std::string lineEnd_{kNewFileLineEnd};
};

}  // namespace orvane
