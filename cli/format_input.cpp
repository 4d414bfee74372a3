#include "format_input.h"

#include <algorithm>
#include <cstring>

#include "fault_file.h"

namespace orvane::cli {

std::size_t MemorySource::Read(char* buffer, std::size_t size) {
  const std::size_t n = std::min(size, bytes_.size() - at_);
  std::memcpy(buffer, bytes_.data() + at_, n);
  at_ += n;
  return n;
}

std::size_t PrefixedSource::Read(char* buffer, std::size_t size) {
  if (at_ < prefix_.size()) {
    const std::size_t n = std::min(size, prefix_.size() - at_);
    std::memcpy(buffer, prefix_.data() + at_, n);
    at_ += n;
    return n;
  }
  return rest_.Read(buffer, size);
}

std::string ReadStart(ByteSource& source, std::size_t limit) {
  std::string bytes(limit, '\0');
  std::size_t used = 0;
  while (used < limit) {
    const std::size_t n = source.Read(bytes.data() + used, limit - used);
    if (n == 0) break;
    used += n;
  }
  bytes.resize(used);
  return bytes;
}

std::string ReadAll(ByteSource& source) {
  std::string bytes;
  constexpr std::size_t kChunk = 1 << 16;
  for (;;) {
    const std::size_t used = bytes.size();
    bytes.resize(used + kChunk);
    const std::size_t n = source.Read(bytes.data() + used, kChunk);
    bytes.resize(used + n);
    if (n == 0) return bytes;
  }
}

TranslatedInput TranslateInput(const InputFormat& format, std::string_view bytes,
                               const ReaderOptions& options) {
  const DecodedText decoded = DecodeFileText(bytes);
  TranslatedBook book = format.read(decoded.text, options);
  TranslatedInput input;
  for (const auto& line : book.lines) {
    input.text += line;
    input.text += '\n';
  }
  input.sourceLines = std::move(book.sourceLines);
  input.records = book.records;
  return input;
}

}  // namespace orvane::cli
