// Inputs in other programs' formats (spreadsheets, StraboSpot, TectonicsFP, SG2PS):
// read whole, translated into field-book lines, and handed to the run as its input.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "byte_streams.h"
#include "format_readers.h"

namespace orvane::cli {

// Bytes held in memory.
class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::string bytes) : bytes_(std::move(bytes)) {}
  std::size_t Read(char* buffer, std::size_t size) override;

 private:
  std::string bytes_;
  std::size_t at_ = 0;
};

// The bytes already read from a source, then the rest of it: a look at the start of
// a file does not cost the stream.
class PrefixedSource : public ByteSource {
 public:
  PrefixedSource(std::string prefix, ByteSource& rest) : prefix_(std::move(prefix)), rest_(rest) {}
  std::size_t Read(char* buffer, std::size_t size) override;
  std::optional<FileIdentity> Identity() const override { return rest_.Identity(); }

 private:
  std::string prefix_;
  std::size_t at_ = 0;
  ByteSource& rest_;
};

// Up to `limit` bytes from the start of a source (fewer only at its end). Throws FileError.
std::string ReadStart(ByteSource& source, std::size_t limit);
// Everything a source has. Throws FileError.
std::string ReadAll(ByteSource& source);

// The translated lines as the run reads them, and the source line of each.
struct TranslatedInput {
  std::string text;  // the lines, each ended by "\n"
  std::vector<long> sourceLines;
  long records = 0;
};

// Decodes a file's bytes (UTF-8 or Windows-1252) and translates them with `format`'s
// reader. Throws ReaderStopped.
TranslatedInput TranslateInput(const InputFormat& format, std::string_view bytes,
                               const ReaderOptions& options);

}  // namespace orvane::cli
