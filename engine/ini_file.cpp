#include "ini_file.h"

#include <cerrno>
#include <charconv>
#include <cstdio>

#include "atomic_file.h"
#include "numbers.h"

namespace orvane {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t npos = std::string_view::npos;

bool IsIniBlank(char c) {
  return c == ' ' || c == '\t';
}

char FoldCase(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

// Narrows [begin, end) of `text` to exclude blanks at either end.
void TrimRange(std::string_view text, std::size_t& begin, std::size_t& end) {
  while (begin < end && IsIniBlank(text[begin])) ++begin;
  while (end > begin && IsIniBlank(text[end - 1])) --end;
}

bool HasLineBreak(std::string_view s) {
  return s.find_first_of("\r\n") != npos;
}

// A name that would not read back as itself, or would break the line it is on.
void CheckName(std::string_view name, std::string_view what, std::string_view forbidden,
               std::string_view forbiddenFirst) {
  if (name.empty() || IsIniBlank(name.front()) || IsIniBlank(name.back()) || HasLineBreak(name) ||
      name.find_first_of(forbidden) != npos || forbiddenFirst.find(name.front()) != npos) {
    throw std::invalid_argument("unusable ini " + std::string(what) + " name '" +
                                std::string(name) + "'");
  }
}

std::FILE* OpenFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return ::_wfopen(path.c_str(), wideMode.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

std::error_code LastError() {
  // errno is what fopen and friends report on the platforms we build for; keep a
  // message even where they leave it unset.
  return std::error_code(errno != 0 ? errno : EIO, std::generic_category());
}

[[noreturn]] void Fail(std::string_view verb, const fs::path& path, std::error_code code) {
  throw IniFileError(FileError::Of(verb, path, code));
}

// Closes the file when a read or write is abandoned half way.
struct FileCloser {
  std::FILE* file;
  ~FileCloser() {
    if (file != nullptr) std::fclose(file);
  }
};

}  // namespace

IniFile::Line IniFile::ParseLine(std::string text, std::string end) {
  Line line;
  line.text = std::move(text);
  line.end = std::move(end);
  const std::string_view t = line.text;
  std::size_t b = 0;
  while (b < t.size() && IsIniBlank(t[b])) ++b;
  if (b == t.size() || t[b] == ';' || t[b] == '#') return line;
  if (t[b] == '[') {
    const std::size_t close = t.find(']', b + 1);
    if (close == npos) return line;  // not a header; keep it as it is
    line.kind = Kind::Section;
    line.nameBegin = b + 1;
    line.nameEnd = close;
    TrimRange(t, line.nameBegin, line.nameEnd);
    return line;
  }
  const std::size_t eq = t.find('=', b);
  if (eq == npos) return line;
  line.kind = Kind::Key;
  line.nameBegin = b;
  line.nameEnd = eq;
  TrimRange(t, line.nameBegin, line.nameEnd);
  line.valueBegin = eq + 1;
  line.valueEnd = t.size();
  TrimRange(t, line.valueBegin, line.valueEnd);
  return line;
}

std::string_view IniFile::Name(const Line& line) {
  return std::string_view(line.text).substr(line.nameBegin, line.nameEnd - line.nameBegin);
}

std::string_view IniFile::Value(const Line& line) {
  std::string_view v =
      std::string_view(line.text).substr(line.valueBegin, line.valueEnd - line.valueBegin);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  return v;
}

IniFile IniFile::FromText(std::string_view bytes) {
  IniFile ini;
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    ini.byteOrderMark_ = true;
    bytes.remove_prefix(kByteOrderMark.size());
  }
  bool endChosen = false;
  while (!bytes.empty()) {
    const std::size_t lf = bytes.find('\n');
    std::string_view text = bytes.substr(0, lf);
    std::string_view end;
    if (lf != npos) {
      end = "\n";
      if (!text.empty() && text.back() == '\r') {
        text.remove_suffix(1);
        end = "\r\n";
      }
      bytes.remove_prefix(lf + 1);
    } else {
      bytes = {};
    }
    if (!endChosen && !end.empty()) {
      ini.lineEnd_ = std::string(end);
      endChosen = true;
    }
    ini.lines_.push_back(ParseLine(std::string(text), std::string(end)));
  }
  return ini;
}

IniFile IniFile::Load(const fs::path& path, IfMissing ifMissing) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (status.type() == fs::file_type::not_found) {
    if (ifMissing == IfMissing::Empty) return IniFile();
    Fail("read", path, std::make_error_code(std::errc::no_such_file_or_directory));
  }
  if (ec) Fail("read", path, ec);
  if (fs::is_directory(status)) Fail("read", path, std::make_error_code(std::errc::is_a_directory));

  errno = 0;
  FileCloser in{OpenFile(path, "rb")};
  if (in.file == nullptr) Fail("read", path, LastError());
  std::string bytes;
  char buffer[4096];
  for (;;) {
    const std::size_t n = std::fread(buffer, 1, sizeof buffer, in.file);
    bytes.append(buffer, n);
    if (n < sizeof buffer) break;
  }
  if (std::ferror(in.file)) Fail("read", path, LastError());
  return FromText(bytes);
}

std::size_t IniFile::FindKey(std::string_view section, std::string_view key) const {
  bool inSection = false;  // keys above the first header belong to no section
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == Kind::Section) {
      inSection = SameName(Name(line), section);
    } else if (inSection && line.kind == Kind::Key && SameName(Name(line), key)) {
      return i;
    }
  }
  return npos;
}

std::size_t IniFile::KeyInsertPosition(std::string_view section) const {
  std::size_t i = 0;
  while (i < lines_.size() &&
         !(lines_[i].kind == Kind::Section && SameName(Name(lines_[i]), section))) {
    ++i;
  }
  if (i == lines_.size()) return npos;
  // After the last key, so that blank lines and comments that lead into the next
  // section stay with it.
  std::size_t position = i + 1;
  for (++i; i < lines_.size() && lines_[i].kind != Kind::Section; ++i) {
    if (lines_[i].kind == Kind::Key) position = i + 1;
  }
  return position;
}

void IniFile::Insert(std::size_t position, std::string text) {
  // Only the last line can lack a line end; a line after it needs one.
  if (position > 0 && lines_[position - 1].end.empty()) lines_[position - 1].end = lineEnd_;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(position),
                ParseLine(std::move(text), lineEnd_));
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
  const std::size_t i = FindKey(section, key);
  return std::string(i == npos ? fallback : Value(lines_[i]));
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t fallback) const {
  const std::size_t i = FindKey(section, key);
  return i == npos ? fallback : StrToIntDef(Value(lines_[i]), fallback);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  CheckName(section, "section", "]", "");
  CheckName(key, "key", "=", "[;#");
  if (HasLineBreak(value)) {
    throw std::invalid_argument("ini value of '" + std::string(key) + "' holds a line break");
  }

  const std::size_t i = FindKey(section, key);
  if (i != npos) {
    Line& line = lines_[i];
    if (Value(line) == value) return;  // keeps quotes and spacing of an unchanged value
    std::string text = std::move(line.text);
    text.replace(line.valueBegin, line.valueEnd - line.valueBegin, value);
    line = ParseLine(std::move(text), std::move(line.end));
    return;
  }
  std::string keyLine = std::string(key) + "=" + std::string(value);
  const std::size_t position = KeyInsertPosition(section);
  if (position != npos) {
    Insert(position, std::move(keyLine));
  } else {
    std::string header;
    header.reserve(section.size() + 2);
    header += '[';
    header += section;
    header += ']';
    Insert(lines_.size(), std::move(header));
    Insert(lines_.size(), std::move(keyLine));
  }
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  char buffer[16];
  const auto res = std::to_chars(buffer, buffer + sizeof buffer, value);
  WriteString(section, key, std::string_view(buffer, static_cast<std::size_t>(res.ptr - buffer)));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

std::string IniFile::Text() const {
  std::string out;
  if (byteOrderMark_) out += kByteOrderMark;
  for (const Line& line : lines_) {
    out += line.text;
    out += line.end;
  }
  return out;
}

void IniFile::Save(const fs::path& path) const {
  try {
    WriteFileAtomically(path, Text());
  } catch (const FileError& e) {
    throw IniFileError(e);
  }
}

}  // namespace orvane
