#include "format_writer.h"

#include "numbers.h"
#include "text.h"

namespace orvane {

namespace {

bool IsSenseLetter(std::string_view token) {
  return token.size() == 1 &&
         (token[0] == 'N' || token[0] == 'R' || token[0] == 'D' || token[0] == 'S');
}

// A number as an output line writes it: what the engine's number reading takes,
// without blanks ("120", "45.4", "-1e+20"), or a value that is no finite number,
// which a run writes for an angle too large to compute with.
bool IsNumberText(std::string_view token) {
  if (token == "nan" || token == "-nan" || token == "inf" || token == "-inf") return true;
  return !token.empty() && token[0] != '+' && StrToFloat(token).has_value();
}

// The next blank-separated token of `rest`, or "" at its end.
std::string_view NextWord(std::string_view& rest) {
  std::size_t b = 0;
  while (b < rest.size() && IsBlankOrControl(rest[b])) ++b;
  std::size_t e = b;
  while (e < rest.size() && !IsBlankOrControl(rest[e])) ++e;
  const std::string_view word = rest.substr(b, e - b);
  rest.remove_prefix(e);
  return word;
}

}  // namespace

OutputLineParts SplitOutputLine(std::string_view line, long lineNumber) {
  OutputLineParts parts;
  const std::size_t hash = line.find('#');
  std::string_view data = line.substr(0, hash);
  if (Trim(data).empty()) {
    parts.kind = hash == std::string_view::npos ? OutputLineKind::Blank : OutputLineKind::Comment;
    return parts;
  }
  std::string_view numbers[4];
  int count = 0;
  std::string_view word = NextWord(data);
  for (; IsNumberText(word); word = NextWord(data)) {
    if (count == 4) return parts;
    numbers[count++] = word;
  }
  if (count != 2 && count != 4) return parts;
  FaultFields& fault = parts.fault;
  if (IsSenseLetter(word)) {
    fault.sense = word[0];
    word = NextWord(data);
  }
  if (!word.empty()) return parts;  // anything after the sense letter
  fault.dipDirection = numbers[0];
  fault.dip = numbers[1];
  if (count == 4) {
    fault.trend = numbers[2];
    fault.plunge = numbers[3];
  }
  if (hash != std::string_view::npos) fault.comment = Trim(line.substr(hash + 1));
  fault.lineNumber = lineNumber;
  parts.kind = OutputLineKind::Fault;
  return parts;
}

std::string FormatWriter::Refusal(const WriteOptions&) const {
  return {};
}

void FormatWriter::AppendHeader(const WriteOptions&, std::string&) const {}

void FaultRowWriter::AppendLine(std::string_view line, long lineNumber, const WriteOptions& options,
                                std::string& out) const {
  const OutputLineParts parts = SplitOutputLine(line, lineNumber);
  switch (parts.kind) {
    case OutputLineKind::Fault:
      AppendFault(parts.fault, options, out);
      return;
    case OutputLineKind::Blank:
      if (Comments() == CommentForm::AsIs) {
        out += line;
        out += kFaultFileLineEnd;
      }
      return;
    case OutputLineKind::Comment:
      if (Comments() == CommentForm::None || LeftOutOfFile(line, options.run.RemoveComment)) return;
      if (Comments() == CommentForm::AsIs) {
        out += line;
      } else {
        out += ';';
        AppendBlanking(out, line.substr(line.find('#') + 1), "\r\n");
      }
      out += kFaultFileLineEnd;
      return;
    case OutputLineKind::Other:
      break;
  }
  std::string message = "line ";
  AppendInteger(message, static_cast<double>(lineNumber));
  message += " is not a converted line: ";
  message += line;
  throw FormatError(message);
}

void AppendBlanking(std::string& out, std::string_view text, std::string_view separators) {
  for (std::size_t cut; (cut = text.find_first_of(separators)) != std::string_view::npos;) {
    out += text.substr(0, cut);
    out += ' ';
    text.remove_prefix(cut + 1);
  }
  out += text;
}

std::string FormatFileBytes(const FormatWriter& format, std::span<const std::string> outputLines,
                            const WriteOptions& options, TextEncoding encoding) {
  if (const std::string refusal = format.Refusal(options); !refusal.empty()) {
    throw FormatError(refusal);
  }
  std::string text;
  format.AppendHeader(options, text);
  long lineNumber = 0;
  for (const std::string& line : outputLines) format.AppendLine(line, ++lineNumber, options, text);
  if (encoding == TextEncoding::Utf8WithByteOrderMark && !format.KeepsByteOrderMark()) {
    encoding = TextEncoding::Utf8;
  }
  std::string bytes;
  if (encoding == TextEncoding::Utf8WithByteOrderMark) bytes += kUtf8ByteOrderMark;
  bytes += EncodeText(text, encoding);
  return bytes;
}

}  // namespace orvane
