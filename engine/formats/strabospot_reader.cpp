// StraboSpot project exports (JSON): the faults among the spots' orientation data.
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "book_lines.h"
#include "format_readers.h"
#include "numbers.h"

namespace orvane {

namespace {

using Json = nlohmann::ordered_json;  // spots in the order of the file

// Where each object began: kept in the object under a key no export uses, since the
// JSON library does not tell positions.
const std::string kLineKey("\0line", 5);

constexpr int kMaxDepth = 64;

// The line where the text's brackets, outside strings, first nest deeper than
// kMaxDepth; 0 when they never do.
long TooDeep(std::string_view text) {
  int depth = 0;
  long line = 1;
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n') ++line;
    if (inString) {
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxDepth) return line;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return 0;
}

// Reads the text for the parser and counts the line breaks it has passed.
class CountingIterator {
 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  CountingIterator() = default;
  CountingIterator(const char* p, long* lines) : p_(p), lines_(lines) {}
  reference operator*() const { return *p_; }
  CountingIterator& operator++() {
    if (*p_ == '\n') ++*lines_;
    ++p_;
    return *this;
  }
  CountingIterator operator++(int) {
    CountingIterator before = *this;
    ++*this;
    return before;
  }
  bool operator==(const CountingIterator& other) const { return p_ == other.p_; }

 private:
  const char* p_ = nullptr;
  long* lines_ = nullptr;
};

long LineOf(const Json& object) {
  const auto it = object.find(kLineKey);
  return it != object.end() && it->is_number_integer() ? it->get<long>() : 0;
}

// The object without the line keys, as the record's text.
Json Stripped(Json value) {
  if (value.is_object()) {
    value.erase(kLineKey);
    for (auto& [key, member] : value.items()) member = Stripped(std::move(member));
  } else if (value.is_array()) {
    for (auto& member : value) member = Stripped(std::move(member));
  }
  return value;
}

std::optional<double> NumberOf(const Json& object, const char* key) {
  const auto it = object.find(key);
  if (it == object.end()) return std::nullopt;
  if (it->is_number()) return it->get<double>();
  if (it->is_string()) return StrToFloat(it->get_ref<const std::string&>());
  return std::nullopt;
}

std::string TextOf(const Json& object, const char* key) {
  const auto it = object.find(key);
  if (it == object.end()) return {};
  if (it->is_string()) return it->get<std::string>();
  if (it->is_number()) return it->dump();
  return {};
}

void AddFault(TranslatedBook& book, const Json& fault, const std::string& comment,
              const ReaderOptions& options) {
  BookLine plane;
  std::optional<double> dipDirection = NumberOf(fault, "dip_direction");
  const auto dip = NumberOf(fault, "dip");
  if (!dipDirection) {
    if (const auto strike = NumberOf(fault, "strike")) dipDirection = WrapDegrees(*strike + 90);
  }
  if (dipDirection && dip) plane.Plane(*dipDirection, *dip);

  std::vector<const Json*> lineations;
  if (const auto it = fault.find("associated_orientation"); it != fault.end() && it->is_array()) {
    for (const auto& entry : *it) {
      if (entry.is_object() && TextOf(entry, "type") == "linear_orientation") {
        lineations.push_back(&entry);
      }
    }
  }
  const std::string type = TextOf(fault, "fault_or_sz_type");
  const std::string movement = TextOf(fault, "movement");
  const auto add = [&](BookLine line, const Json* lineation) {
    std::optional<double> rake;
    char sense = SenseOfWord(type);
    if (lineation) {
      const auto trend = NumberOf(*lineation, "trend");
      const auto plunge = NumberOf(*lineation, "plunge");
      if (trend && plunge) {
        line.Lineation(*trend, *plunge);
        if (dipDirection && dip) rake = RakeFromStrike(*dipDirection, *dip, *trend, *plunge);
      }
    }
    if (sense == 'o') sense = rake ? ObliqueSense(type, *rake) : 0;
    if (sense == 0) {
      sense = movement == "right_lateral" ? 'D' : movement == "left_lateral" ? 'S' : 0;
    }
    line.Sense(sense);
    Json record = fault;
    if (lineation) record["associated_orientation"] = Json::array({*lineation});
    const long where = lineation ? LineOf(*lineation) : LineOf(fault);
    book.Add(line.Text(options, comment, Stripped(std::move(record)).dump()), where, true);
  };
  if (lineations.empty()) add(plane, nullptr);
  for (const Json* lineation : lineations) add(plane, lineation);
}

}  // namespace

TranslatedBook ReadStraboSpotProject(std::string_view text, const ReaderOptions& options) {
  long lines = 0;
  std::vector<long> starts;
  const Json::parser_callback_t remember = [&](int, Json::parse_event_t event, Json& parsed) {
    if (event == Json::parse_event_t::object_start) starts.push_back(lines + 1);
    if (event == Json::parse_event_t::object_end && !starts.empty()) {
      parsed[kLineKey] = starts.back();
      starts.pop_back();
    }
    return true;
  };
  // Deep nesting is no export, and the JSON library copies and frees nested values
  // recursively: such a text is refused before it is parsed.
  if (const long line = TooDeep(text)) {
    throw ReaderStopped(
        "not a StraboSpot project: nested more than " + std::to_string(kMaxDepth) + " levels deep",
        line);
  }
  Json root;
  try {
    root = Json::parse(CountingIterator(text.data(), &lines),
                       CountingIterator(text.data() + text.size(), &lines), remember);
  } catch (const Json::exception& e) {
    throw ReaderStopped(std::string("not a StraboSpot project: ") + e.what(), lines + 1);
  }
  const auto spots = root.is_object() ? root.find("spotsDb") : root.end();
  if (!root.is_object() || spots == root.end() || !(spots->is_object() || spots->is_array())) {
    throw ReaderStopped("not a StraboSpot project: it has no \"spotsDb\"", 0);
  }

  TranslatedBook book;
  for (const auto& spot : *spots) {
    if (!spot.is_object()) continue;
    const auto props = spot.find("properties");
    const Json& p = props != spot.end() && props->is_object() ? *props : spot;
    const auto data = p.find("orientation_data");
    if (data == p.end() || !data->is_array()) continue;
    std::string comment;
    if (const std::string name = TextOf(p, "name"); !name.empty()) {
      AppendCommentPart(comment, "spot " + name);
    }
    std::string id = TextOf(p, "id");
    if (id.empty()) id = TextOf(spot, "id");
    if (!id.empty()) AppendCommentPart(comment, "id " + id);
    for (const auto& entry : *data) {
      if (entry.is_object() && TextOf(entry, "type") == "planar_orientation" &&
          TextOf(entry, "feature_type") == "fault") {
        AddFault(book, entry, comment, options);
      }
    }
  }
  return book;
}

}  // namespace orvane
