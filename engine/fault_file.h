// The fault data file and the field books it is made from: the file's name, its
// lines and their ends, and the encodings in which field books are read and saved.
//
// Text inside the programs is UTF-8. A field book may come as UTF-8 (with or
// without a byte order mark) or as Windows-1252, the encoding of old Windows field
// books, where "Café 12°" is the bytes 43 61 66 E9 20 31 32 B0. It is read into
// UTF-8 and saved back in the encoding it came in, so that degree signs and accented
// site names survive the round trip.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace orvane {

// Every line of a fault data file ends in CR LF, whatever the platform.
inline constexpr std::string_view kFaultFileLineEnd = "\r\n";

// True when a saved file leaves `line` out: with "Remove comment line" on, every
// line whose first character is "#" (error lines and copied comment lines). A
// line "  # note" stays.
inline bool LeftOutOfFile(std::string_view line, bool removeComment) {
  return removeComment && !line.empty() && line[0] == '#';
}

// The name a fault data file is saved under: ".fdt" is appended unless the name
// already ends in exactly ".fdt" ("result" -> "result.fdt", "result.FDT" ->
// "result.FDT.fdt"). Works on the bytes of the name.
inline std::string FaultDataFileName(std::string_view chosen) {
  std::string name(chosen);
  if (!name.ends_with(".fdt")) name += ".fdt";
  return name;
}

// How a file's text is stored.
enum class TextEncoding {
  Utf8,                   // UTF-8 without a byte order mark
  Utf8WithByteOrderMark,  // UTF-8 beginning with EF BB BF
  Windows1252,            // one byte per character
};

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

struct DecodedText {
  std::string text;  // UTF-8; every line break (CR LF, LF, lone CR) is one LF
  TextEncoding encoding = TextEncoding::Utf8;
};

// The text of a file's bytes. Bytes that are valid UTF-8 are UTF-8; a byte order
// mark at the start is noted in the encoding and is not part of the first line.
// Any other bytes are Windows-1252: "12\xB0" -> "12°", 0x80 -> "€"; the five bytes
// that Windows-1252 leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the
// control characters of the same number, as on Windows. So every file decodes, and
// EncodeText gives a Windows-1252 file back byte for byte, line ends aside.
DecodedText DecodeFileText(std::string_view bytes);

// UTF-8 text in `encoding`. Both UTF-8 encodings give the text unchanged; the byte
// order mark belongs to the start of a file and is written by FaultFileBytes. For
// Windows-1252 each character becomes its byte, and each character that Windows-1252
// lacks ("Ω", an emoji) becomes one "?", as does each byte that is not valid UTF-8.
std::string EncodeText(std::string_view utf8, TextEncoding encoding);

// The whole content of a fault data file: the output lines (UTF-8, without line
// ends) in order, less those that the comment rule leaves out (LeftOutOfFile), each
// encoded and followed by CR LF, the last one too. In UTF-8 with a byte order mark
// the file begins with the mark, even when no line is written.
//   {"# site 1", " 120 30  48 11 N "}, removeComment -> " 120 30  48 11 N \r\n"
std::string FaultFileBytes(std::span<const std::string> outputLines, bool removeComment,
                           TextEncoding encoding);

}  // namespace orvane
