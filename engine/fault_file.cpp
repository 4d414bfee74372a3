#include "fault_file.h"

#include "text.h"

namespace orvane {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five bytes it leaves
// unassigned map to the control characters of the same number, as Windows does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    // Windows-1252 needs no more than the Basic Multilingual Plane.
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Appends `text` with CR LF and lone CR turned into LF.
void AppendWithLfBreaks(std::string& out, std::string_view text) {
  for (std::size_t cr; (cr = text.find('\r')) != std::string_view::npos;) {
    out.append(text.substr(0, cr));
    out += '\n';
    const bool crlf = cr + 1 < text.size() && text[cr + 1] == '\n';
    text.remove_prefix(cr + (crlf ? 2 : 1));
  }
  out.append(text);
}

char Cp1252Byte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int k = 0; k < 32; ++k) {
    if (kCp1252High[k] == c) return static_cast<char>(0x80 + k);
  }
  return '?';
}

void AppendEncoded(std::string& out, std::string_view utf8, TextEncoding encoding) {
  if (encoding != TextEncoding::Windows1252) {
    out += utf8;
    return;
  }
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t c = 0;
    const std::size_t length = DecodeUtf8(utf8, i, c);
    out += length > 0 ? Cp1252Byte(c) : '?';
    i += length > 0 ? length : 1;
  }
}

}  // namespace

DecodedText DecodeFileText(std::string_view bytes) {
  DecodedText result;
  result.text.reserve(bytes.size());
  if (IsValidUtf8(bytes)) {
    result.encoding = TextEncoding::Utf8;
    if (bytes.starts_with(kUtf8ByteOrderMark)) {
      bytes.remove_prefix(kUtf8ByteOrderMark.size());
      result.encoding = TextEncoding::Utf8WithByteOrderMark;
    }
    AppendWithLfBreaks(result.text, bytes);
    return result;
  }
  result.encoding = TextEncoding::Windows1252;
  std::string utf8;
  utf8.reserve(bytes.size() + bytes.size() / 8);
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    AppendUtf8(utf8, b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char32_t{b});
  }
  AppendWithLfBreaks(result.text, utf8);
  return result;
}

std::string EncodeText(std::string_view utf8, TextEncoding encoding) {
  std::string bytes;
  AppendEncoded(bytes, utf8, encoding);
  return bytes;
}

std::string FaultFileBytes(std::span<const std::string> outputLines, bool removeComment,
                           TextEncoding encoding) {
  std::string bytes;
  if (encoding == TextEncoding::Utf8WithByteOrderMark) bytes += kUtf8ByteOrderMark;
  for (const std::string& line : outputLines) {
    if (LeftOutOfFile(line, removeComment)) continue;
    AppendEncoded(bytes, line, encoding);
    bytes += kFaultFileLineEnd;
  }
  return bytes;
}

}  // namespace orvane
