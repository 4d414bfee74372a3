// TectonicsFP fault files: SENSE,DIPDIR,DIP,AZIMUTH,PLUNGE[,comment], one fault a line.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "book_lines.h"
#include "format_readers.h"
#include "numbers.h"
#include "sense_codes.h"
#include "text.h"

namespace orvane {

namespace {

// The separator of the data: the first comma, semicolon, tab or blank of the first
// line that is no ";" comment.
char FindSeparator(std::string_view text) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    if (!Trim(line).empty() && line.front() != ';') {
      const std::size_t at = line.find_first_of(",;\t ");
      return at == std::string_view::npos ? ',' : line[at];
    }
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return ',';
}

// The first five fields and whatever follows the fifth separator. With blanks as
// separator, a run of blanks is one.
std::vector<std::string_view> SplitFields(std::string_view line, char separator,
                                          std::string_view& rest) {
  std::vector<std::string_view> fields;
  std::size_t p = 0;
  while (fields.size() < 5 && p <= line.size()) {
    if (separator == ' ') {
      while (p < line.size() && line[p] == ' ') ++p;
      if (p == line.size()) break;
    }
    std::size_t end = line.find(separator, p);
    if (end == std::string_view::npos) end = line.size();
    fields.push_back(Trim(line.substr(p, end - p)));
    p = end + 1;
  }
  rest = p < line.size() ? Trim(line.substr(p)) : std::string_view();
  return fields;
}

}  // namespace

TranslatedBook ReadTectonicsFpFile(std::string_view text, const ReaderOptions& options) {
  TranslatedBook book;
  const char separator = FindSeparator(text);
  long number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    if (Trim(line).empty()) {
      book.Add("", number, false);
      continue;
    }
    if (line.front() == ';') {
      book.Add(CommentLine(Trim(line.substr(1))), number, false);
      continue;
    }
    if (line.front() == separator) {
      book.Add(CommentLine(Trim(line)), number, false);
      continue;
    }
    std::string_view rest;
    const auto fields = SplitFields(line, separator, rest);
    const auto field = [&fields](std::size_t i) {
      return i < fields.size() ? StrToFloat(fields[i]) : std::nullopt;
    };
    BookLine out;
    const auto dd = field(1);
    const auto dip = field(2);
    if (dd && dip) out.Plane(*dd, *dip);
    const auto azimuth = field(3);
    const auto plunge = field(4);
    if (azimuth && plunge) out.Lineation(*azimuth, *plunge);

    // SENSE, or SENSE * 10 + QUALITY above 10.
    std::string comment;
    const auto code = fields.empty() ? std::nullopt : StrToInt(fields[0]);
    if (!code || *code < 0) {
      out.SenseUnreadable();
    } else {
      int sense = *code;
      if (sense > 10) {
        AppendCommentPart(comment, "quality " + std::to_string(sense % 10));
        sense /= 10;
      }
      const char letter = SenseOfTectonicsFpCode(sense);
      if (letter == '?') {
        out.SenseUnreadable();
      } else {
        out.Sense(letter);
      }
    }
    AppendCommentPart(comment, rest);
    book.Add(out.Text(options, comment, line), number, true);
  }
  return book;
}

}  // namespace orvane
