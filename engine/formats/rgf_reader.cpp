// SG2PS data files: a tab-separated table under a row of column names; rows of
// DATATYPE STRIAE are faults.
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

std::string Upper(std::string_view text) {
  std::string out(Trim(text));
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> cells;
  for (;;) {
    const std::size_t tab = line.find('\t');
    cells.push_back(Trim(line.substr(0, tab)));
    if (tab == std::string_view::npos) break;
    line.remove_prefix(tab + 1);
  }
  return cells;
}

constexpr int kNone = -1;

int Column(const std::vector<std::string_view>& names, std::string_view name) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (Upper(names[i]) == name) return static_cast<int>(i);
  }
  return kNone;
}

}  // namespace

std::string RgfSettingsFileName(std::string_view rgfPath) {
  const std::size_t slash = rgfPath.find_last_of('/');
  const std::size_t dot = rgfPath.find_last_of('.');
  std::string name(rgfPath);
  if (dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash)) {
    name.resize(dot);
  }
  return name + ".set";
}

bool RgfSettingsSayRightHandRule(std::string_view setText) {
  while (!setText.empty()) {
    const std::size_t end = setText.find('\n');
    const std::string_view line = setText.substr(0, end);
    const std::size_t colon = line.find(':');
    if (colon != std::string_view::npos && Upper(line.substr(0, colon)) == "DATARULE") {
      const std::string value = Upper(line.substr(colon + 1));
      return value == "R" || value == "RIGHT";
    }
    if (end == std::string_view::npos) break;
    setText.remove_prefix(end + 1);
  }
  return false;
}

TranslatedBook ReadSg2psFile(std::string_view text, const ReaderOptions& options) {
  TranslatedBook book;
  long number = 0;
  std::vector<std::string_view> names;
  int type = kNone, dipDir = kNone, dip = kNone, lineDir = kNone, lineDip = kNone;
  int sense = kNone, id = kNone, location = kNone, note = kNone;
  std::vector<int> filled;  // columns whose blank cells repeat the row above
  std::vector<std::string> above;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    if (Trim(line).empty()) {
      book.Add("", number, false);
      continue;
    }
    if (names.empty()) {
      names = SplitTabs(line);
      type = Column(names, "DATATYPE");
      dipDir = Column(names, "DIP_DIR");
      dip = Column(names, "DIP");
      if (type == kNone || dipDir == kNone || dip == kNone) {
        throw ReaderStopped(
            "no header row with the columns DATATYPE, DIP_DIR and DIP, separated by tabs", number);
      }
      lineDir = Column(names, "L_DIP_DIR");
      lineDip = Column(names, "L_DIP");
      sense = Column(names, "SENSE");
      id = Column(names, "DATA_ID");
      location = Column(names, "LOCATION");
      note = Column(names, "COMMENT");
      for (const std::string_view n : {"LOCATION", "LOC_X", "LOC_Y", "FORMATION", "DATATYPE"}) {
        if (const int c = Column(names, n); c != kNone) filled.push_back(c);
      }
      above.assign(names.size(), std::string());
      book.Add(CommentLine(line), number, false);
      continue;
    }

    std::vector<std::string> cells;
    for (const std::string_view cell : SplitTabs(line)) cells.emplace_back(cell);
    if (cells.size() < names.size()) cells.resize(names.size());
    for (const int c : filled) {
      auto& cell = cells[static_cast<std::size_t>(c)];
      if (cell.empty()) cell = above[static_cast<std::size_t>(c)];
      above[static_cast<std::size_t>(c)] = cell;
    }
    const auto cell = [&cells](int c) -> std::string_view {
      return c == kNone ? std::string_view() : std::string_view(cells[static_cast<std::size_t>(c)]);
    };
    const std::string dataType = Upper(cell(type));
    if (dataType != "STRIAE") {
      book.Add(CommentLine((dataType.empty() ? std::string("no DATATYPE") : dataType) + ": " +
                           std::string(line)),
               number, false);
      continue;
    }

    BookLine out;
    std::optional<double> dd = StrToFloat(cell(dipDir));
    const auto planeDip = StrToFloat(cell(dip));
    if (dd && options.rightHandRuleStrikes) dd = WrapDegrees(*dd + 90);
    if (dd && planeDip) out.Plane(*dd, *planeDip);

    const auto l1 = StrToFloat(cell(lineDir));
    const auto l2 = StrToFloat(cell(lineDip));
    const auto letter = CompassAzimuth(cell(lineDip));
    if (letter && l1 && *l1 >= 0 && *l1 <= 90 && dd && planeDip) {
      // A pitch, down the dip from the strike end on the letter's side: the
      // right-hand-rule end unless the letter lies more than 90 degrees from it.
      const double rightHand = WrapDegrees(*dd - 90);
      const double from =
          AzimuthDistance(*letter, rightHand) > 90 ? WrapDegrees(*dd + 90) : rightHand;
      out.LineationFromRake(*dd, *planeDip, *l1, from);
    } else if (l1 && l2) {
      out.Lineation(*l1, *l2);
    }

    const char letterOfSense = SenseOfSg2psWord(cell(sense));
    if (letterOfSense == '?') {
      out.SenseUnreadable();
    } else {
      out.Sense(letterOfSense);
    }
    std::string comment;
    if (!cell(id).empty()) AppendCommentPart(comment, "id " + std::string(cell(id)));
    if (!cell(location).empty()) AppendCommentPart(comment, std::string(cell(location)));
    AppendCommentPart(comment, cell(note));
    book.Add(out.Text(options, comment, line), number, true);
  }
  return book;
}

}  // namespace orvane
