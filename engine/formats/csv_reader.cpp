// Spreadsheets saved as CSV: a header row names the columns, each later row is one
// record. Quoting follows RFC 4180: a field in double quotes may hold the delimiter,
// line breaks and "" for a quote.
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "book_lines.h"
#include "fault_file.h"
#include "format_readers.h"
#include "numbers.h"
#include "sense_codes.h"
#include "text.h"

namespace orvane {

namespace {

// One record of the file and where it stands.
struct Record {
  std::vector<std::string> fields;
  std::string_view text;   // the record's bytes, line breaks inside quotes included
  long line = 0;           // its first line, 1-based
  bool malformed = false;  // a quote that is never closed: the record is its first line only
};

class RecordReader {
 public:
  RecordReader(std::string_view text, char delimiter) : text_(text), delimiter_(delimiter) {}

  bool AtEnd() const { return pos_ >= text_.size(); }
  long Line() const { return line_; }
  // The rest of the current line, for lines that are not records (comments, blanks).
  std::string_view PeekLine() const {
    const std::size_t end = text_.find('\n', pos_);
    return text_.substr(pos_, (end == std::string_view::npos ? text_.size() : end) - pos_);
  }
  void SkipLine() {
    const std::size_t end = text_.find('\n', pos_);
    pos_ = end == std::string_view::npos ? text_.size() : end + 1;
    ++line_;
  }

  Record Next() {
    Record record;
    record.line = line_;
    const std::size_t start = pos_;
    std::size_t p = pos_;
    long lines = 1;
    std::string field;
    for (;;) {
      if (p < text_.size() && text_[p] == '"') {
        ++p;
        for (;;) {
          if (p >= text_.size()) {  // never closed: take the first line alone
            record.fields.clear();
            record.malformed = true;
            SkipLine();
            record.text = text_.substr(start, pos_ - start);
            if (record.text.ends_with('\n')) record.text.remove_suffix(1);
            return record;
          }
          const char c = text_[p++];
          if (c == '"') {
            if (p < text_.size() && text_[p] == '"') {
              field.push_back('"');
              ++p;
              continue;
            }
            break;
          }
          if (c == '\n') ++lines;
          field.push_back(c);
        }
      }
      // Unquoted text, or what follows a closing quote, up to the delimiter.
      while (p < text_.size() && text_[p] != delimiter_ && text_[p] != '\n')
        field.push_back(text_[p++]);
      record.fields.push_back(std::move(field));
      field.clear();
      if (p < text_.size() && text_[p] == delimiter_) {
        ++p;
        continue;
      }
      break;
    }
    record.text = text_.substr(start, p - start);
    pos_ = p < text_.size() ? p + 1 : p;  // past the line break
    line_ += lines;
    return record;
  }

 private:
  std::string_view text_;
  char delimiter_;
  std::size_t pos_ = 0;
  long line_ = 1;
};

// A column name without case, blanks, "_" and "-": "Dip Direction" -> "dipdirection".
std::string ColumnKey(std::string_view name) {
  std::string key;
  for (const char c : Trim(name)) {
    if (c == ' ' || c == '_' || c == '-' || c == '\t') continue;
    key.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
  }
  return key;
}

constexpr int kNone = -1;

struct Columns {
  int dipDirection = kNone;
  int dip = kNone;
  int strike = kNone;
  int quadrant = kNone;
  int trend = kNone;
  int plunge = kNone;
  int rake = kNone;
  int rakeEnd = kNone;
  std::vector<int> senses;    // in the order sense, movement, fault_or_sz_type, type
  std::vector<int> comments;  // in the order comment, notes, remarks, id, station, site, name
  bool apsgNames = false;     // fazi, finc, lazi or linc: APSG's senses

  bool Recognised() const {
    return (dip != kNone && (dipDirection != kNone || strike != kNone)) ||
           (trend != kNone && plunge != kNone) || rake != kNone;
  }
  int Score() const {
    int n = 0;
    for (const int c : {dipDirection, dip, strike, trend, plunge, rake, rakeEnd}) n += c != kNone;
    return n + static_cast<int>(senses.size() + comments.size());
  }
};

// The first column whose key is one of `aliases`, in the order of the aliases.
int FindColumn(const std::vector<std::string>& keys,
               std::initializer_list<std::string_view> aliases) {
  for (const std::string_view alias : aliases) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
      if (keys[i] == alias) return static_cast<int>(i);
    }
  }
  return kNone;
}

Columns FindColumns(const std::vector<std::string>& names) {
  std::vector<std::string> keys;
  for (const auto& name : names) keys.push_back(ColumnKey(name));
  Columns c;
  c.dipDirection = FindColumn(keys, {"dipdirection", "dipdir", "dd", "fazi"});
  c.dip = FindColumn(keys, {"dip", "finc"});
  c.strike = FindColumn(keys, {"strike"});
  c.quadrant = FindColumn(keys, {"dipquadrant", "dipdirection", "dipdir"});
  c.trend = FindColumn(keys, {"trend", "lazi", "azimuth"});
  c.plunge = FindColumn(keys, {"plunge", "linc"});
  c.rake = FindColumn(keys, {"rake", "pitch"});
  c.rakeEnd = FindColumn(keys, {"direction", "rakedirection", "rakeend"});
  for (const std::string_view s : {"sense", "movement", "faultorsztype", "type"}) {
    if (const int i = FindColumn(keys, {s}); i != kNone) c.senses.push_back(i);
  }
  for (const std::string_view s :
       {"comment", "notes", "remarks", "id", "station", "site", "name"}) {
    if (const int i = FindColumn(keys, {s}); i != kNone) c.comments.push_back(i);
  }
  c.apsgNames = FindColumn(keys, {"fazi", "finc", "lazi", "linc"}) != kNone;
  return c;
}

// The delimiter of a header row: the one of comma, semicolon and tab that names the
// most known columns. Nothing when none names a plane or a lineation.
std::optional<char> HeaderDelimiter(std::string_view header) {
  std::optional<char> best;
  int bestScore = 0;
  for (const char d : {',', ';', '\t'}) {
    RecordReader reader(header, d);
    const Columns columns = FindColumns(reader.Next().fields);
    if (columns.Recognised() && columns.Score() > bestScore) {
      best = d;
      bestScore = columns.Score();
    }
  }
  return best;
}

bool IsCommentOrBlank(std::string_view line) {
  const std::string_view t = Trim(line);
  return t.empty() || t.front() == '#';
}

// A "#" line is copied as it is; a blank line stays blank.
void AddCommentOrBlank(TranslatedBook& book, std::string_view line, long number) {
  book.Add(Trim(line).empty() ? std::string() : std::string(line), number, false);
}

class TableReader {
 public:
  TableReader(const Columns& columns, const std::vector<std::string>& names, char delimiter,
              const ReaderOptions& options)
      : c_(columns), names_(names), delimiter_(delimiter), options_(options) {}

  std::string Translate(const Record& record) const {
    BookLine line;
    if (record.malformed) return line.Text(options_, "", record.text);
    const auto plane = Plane(record);
    if (plane) line.Plane(plane->dipDirection, plane->dip);
    std::optional<double> rakeFromStrike;
    if (c_.trend != kNone && c_.plunge != kNone && !Cell(record, c_.trend).empty()) {
      const auto trend = Number(Cell(record, c_.trend));
      const auto plunge = Number(Cell(record, c_.plunge));
      if (trend && plunge) {
        line.Lineation(*trend, *plunge);
        if (plane) {
          rakeFromStrike = RakeFromStrike(plane->dipDirection, plane->dip, *trend, *plunge);
        }
      } else {
        line.LineationUnreadable();
      }
    } else if (c_.rake != kNone && !Cell(record, c_.rake).empty()) {
      const auto rake = Number(Cell(record, c_.rake));
      const auto end = plane ? RakeEnd(record, *plane) : std::nullopt;
      if (rake && end) {
        line.LineationFromRake(plane->dipDirection, plane->dip, *rake, *end);
        const double r = std::fmod(std::fabs(*rake), 180.0);
        rakeFromStrike = r > 90 ? 180 - r : r;
      } else {
        line.LineationUnreadable();
      }
    } else {
      line.LineationUnreadable();
    }
    const char sense = Sense(record, rakeFromStrike);
    if (sense == '?') {
      line.SenseUnreadable();
    } else {
      line.Sense(sense);
    }
    return line.Text(options_, Comment(record), record.text);
  }

 private:
  struct Attitude {
    double dipDirection;
    double dip;
  };

  static std::string_view Cell(const Record& record, int column) {
    if (column == kNone || static_cast<std::size_t>(column) >= record.fields.size()) return {};
    return Trim(std::string_view(record.fields[static_cast<std::size_t>(column)]));
  }

  // A number of a cell; "45,5" too where the comma is no delimiter, as spreadsheets
  // in many languages save decimals.
  std::optional<double> Number(std::string_view cell) const {
    if (delimiter_ != ',' && cell.find(',') != std::string_view::npos &&
        cell.find('.') == std::string_view::npos) {
      std::string dotted(cell);
      dotted[dotted.find(',')] = '.';
      return StrToFloat(dotted);
    }
    return StrToFloat(cell);
  }

  std::optional<Attitude> Plane(const Record& record) const {
    const auto dip = Number(Cell(record, c_.dip));
    if (!dip) return std::nullopt;
    if (const auto dd = Number(Cell(record, c_.dipDirection))) return Attitude{*dd, *dip};
    const auto strike = Number(Cell(record, c_.strike));
    if (!strike) return std::nullopt;
    const std::string_view quadrant = Cell(record, c_.quadrant);
    if (quadrant.empty()) return Attitude{WrapDegrees(*strike + 90), *dip};  // right-hand rule
    // The side it dips to: whichever of strike +- 90 lies within 90 degrees of it.
    const auto side = CompassAzimuth(quadrant);
    if (!side) return std::nullopt;
    const double plus = WrapDegrees(*strike + 90);
    const double minus = WrapDegrees(*strike - 90);
    const double toPlus = AzimuthDistance(*side, plus);
    if (toPlus < 90) return Attitude{plus, *dip};
    if (toPlus > 90) return Attitude{minus, *dip};
    return std::nullopt;  // along the strike: no side
  }

  // The strike end a rake is measured from: the one the end letter points to, the
  // right-hand-rule end (dip direction - 90) without a letter.
  std::optional<double> RakeEnd(const Record& record, const Attitude& plane) const {
    const double rightHand = WrapDegrees(plane.dipDirection - 90);
    const std::string_view letters = Cell(record, c_.rakeEnd);
    if (letters.empty()) return rightHand;
    const auto side = CompassAzimuth(letters);
    if (!side) return std::nullopt;
    const double distance = AzimuthDistance(*side, rightHand);
    if (distance < 90) return rightHand;
    if (distance > 90) return WrapDegrees(plane.dipDirection + 90);
    return std::nullopt;  // down the dip: names no end
  }

  char NumericSense(int column, int code, long line) const {
    SenseCodes codes = options_.senseCodes;
    if (codes == SenseCodes::Unknown && c_.apsgNames) codes = SenseCodes::Apsg;
    if (codes == SenseCodes::Unknown) {
      throw ReaderStopped("column \"" +
                              std::string(Trim(names_[static_cast<std::size_t>(column)])) +
                              "\" gives the sense as numbers, whose meaning differs between "
                              "programs: choose apsg (1 normal, -1 reverse) or tectonicsfp "
                              "(1 reverse, 2 normal, 3 dextral, 4 sinistral)",
                          line, /*needsSenseCodes=*/true);
    }
    if (codes == SenseCodes::Apsg) return code == 1 ? 'N' : code == -1 ? 'R' : 0;
    return SenseOfTectonicsFpCode(code);
  }

  // The sense letter, 0 when no column gives one, '?' when a cell says something
  // that is no sense and no other gives one.
  char Sense(const Record& record, std::optional<double> rakeFromStrike) const {
    bool unreadable = false;
    for (const int column : c_.senses) {
      const std::string_view cell = Cell(record, column);
      if (cell.empty()) continue;
      const std::string_view digits = cell.front() == '+' ? cell.substr(1) : cell;
      if (const auto code = StrToInt(digits); code && !digits.starts_with('+')) {
        return NumericSense(column, *code, record.line);
      }
      const char letter = SenseOfWord(cell);
      if (letter == 'o') {
        if (rakeFromStrike) return ObliqueSense(cell, *rakeFromStrike);
        unreadable = true;
      } else if (letter != 0) {
        return letter;
      } else if (ColumnKey(cell) != "unknown" && ColumnKey(cell) != "none" &&
                 ColumnKey(cell) != "x") {
        unreadable = true;
      }
    }
    return unreadable ? '?' : 0;
  }

  std::string Comment(const Record& record) const {
    std::string comment;
    for (const int column : c_.comments) {
      const std::string_view cell = Cell(record, column);
      if (cell.empty()) continue;
      const std::string key = ColumnKey(names_[static_cast<std::size_t>(column)]);
      if (key == "comment" || key == "notes" || key == "remarks") {
        AppendCommentPart(comment, cell);
      } else {
        AppendCommentPart(comment, std::string(Trim(names_[static_cast<std::size_t>(column)])) +
                                       " " + std::string(cell));
      }
    }
    return comment;
  }

  const Columns& c_;
  const std::vector<std::string>& names_;
  char delimiter_;
  const ReaderOptions& options_;
};

}  // namespace

bool StartsWithCsvHeader(std::string_view text) {
  if (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    if (!IsCommentOrBlank(line)) return HeaderDelimiter(line).has_value();
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return false;
}

TranslatedBook ReadCsvTable(std::string_view text, const ReaderOptions& options) {
  TranslatedBook book;
  RecordReader lines(text, ',');
  // Comments and blank lines before the header are kept as they are.
  while (!lines.AtEnd() && IsCommentOrBlank(lines.PeekLine())) {
    AddCommentOrBlank(book, lines.PeekLine(), lines.Line());
    lines.SkipLine();
  }
  const long headerLine = lines.Line();
  const auto delimiter = lines.AtEnd() ? std::nullopt : HeaderDelimiter(lines.PeekLine());
  if (!delimiter) {
    throw ReaderStopped(
        "no header row naming the columns: a spreadsheet needs one, such as "
        "\"dip_direction,dip,trend,plunge,sense\"",
        headerLine);
  }
  // Read again with the delimiter, from the header on.
  RecordReader reader(text, *delimiter);
  for (long i = 1; i < headerLine; ++i) reader.SkipLine();
  const Record header = reader.Next();
  const Columns columns = FindColumns(header.fields);
  book.Add(CommentLine(header.text), header.line, false);

  const TableReader table(columns, header.fields, *delimiter, options);
  while (!reader.AtEnd()) {
    const std::string_view physical = reader.PeekLine();
    if (IsCommentOrBlank(physical)) {
      AddCommentOrBlank(book, physical, reader.Line());
      reader.SkipLine();
      continue;
    }
    const Record record = reader.Next();
    bool empty = !record.malformed;
    for (const auto& field : record.fields) empty = empty && Trim(std::string_view(field)).empty();
    book.Add(empty ? std::string() : table.Translate(record), record.line, !empty);
  }
  return book;
}

}  // namespace orvane
