#include "format_readers.h"

#include <array>

namespace orvane {

namespace {

constexpr std::array<InputFormat, 5> kInputFormats = {{
    {"text", "*.txt", "Field book", nullptr},
    {"csv", "*.csv", "Spreadsheet with a header row", &ReadCsvTable},
    {"strabospot", "*.json", "StraboSpot project", &ReadStraboSpotProject},
    {"fpl", "*.fpl *.cor", "TectonicsFP fault file", &ReadTectonicsFpFile},
    {"rgf", "*.rgf", "SG2PS data file", &ReadSg2psFile},
}};

// The extension of a file name in lower case, with its dot: "Site.CSV" -> ".csv".
std::string LowerExtension(std::string_view fileName) {
  const std::size_t slash = fileName.find_last_of('/');
  const std::size_t dot = fileName.find_last_of('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
  std::string extension(fileName.substr(dot));
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return extension;
}

}  // namespace

std::span<const InputFormat> InputFormats() {
  return kInputFormats;
}

const InputFormat* FindInputFormat(std::string_view name) {
  for (const auto& format : kInputFormats) {
    if (format.name == name) return &format;
  }
  return nullptr;
}

std::string InputFormatNames() {
  std::string names;
  for (const auto& format : kInputFormats) {
    if (!names.empty()) names += ", ";
    names += format.name;
  }
  return names;
}

const InputFormat& InputFormatOfFile(std::string_view fileName, std::string_view firstBytes) {
  const std::string extension = LowerExtension(fileName);
  const auto named = [](std::string_view name) -> const InputFormat& {
    return *FindInputFormat(name);
  };
  if (extension == ".json") return named("strabospot");
  if (extension == ".fpl" || extension == ".cor") return named("fpl");
  if (extension == ".rgf") return named("rgf");
  if ((extension == ".csv" || extension == ".tsv" || extension == ".txt") &&
      StartsWithCsvHeader(firstBytes)) {
    return named("csv");
  }
  return named("text");
}

}  // namespace orvane
