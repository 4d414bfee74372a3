#include "file_formats.h"

#include "writers.h"

namespace orvane {

std::span<const FileFormat> FileFormats() {
  // Built on first use, so that it is complete whenever it is asked for.
  static const FileFormat formats[] = {
      {"fdt", ".fdt", "Fault data file", &FaultDataFileWriter()},
      {"csv", ".csv", "CSV table", &CsvWriter()},
      {"fpl", ".fpl", "TectonicsFP fault file", &TectonicsFpWriter()},
      {"rgf", ".rgf", "SG2PS data file", &Sg2psWriter()},
  };
  return formats;
}

const FileFormat* FindFileFormat(std::string_view name) {
  for (const FileFormat& format : FileFormats()) {
    if (format.name == name) return &format;
  }
  return nullptr;
}

const FileFormat& WrittenFormatOfFileName(std::string_view name) {
  for (const FileFormat& format : FileFormats()) {
    if (format.writer != nullptr && name.ends_with(format.extension)) return format;
  }
  return FileFormats().front();
}

std::string WrittenFileName(const FileFormat& format, std::string_view chosen) {
  std::string name(chosen);
  if (!name.ends_with(format.extension)) name += format.extension;
  return name;
}

std::string WrittenFormatNames() {
  std::string names;
  for (const FileFormat& format : FileFormats()) {
    if (format.writer == nullptr) continue;
    if (!names.empty()) names += ", ";
    names += format.name;
  }
  return names;
}

}  // namespace orvane
