// Byte sources and sinks in memory for the converter's tests: a source that hands
// out a few bytes at a time or fails after some, a sink that fails after N bytes.
#pragma once

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <string>
#include <system_error>

#include "byte_streams.h"
#include "file_error.h"

namespace orvane::cli {

class StringSource : public ByteSource {
 public:
  // Hands out at most `chunk` bytes per Read; after `failAfter` bytes, fails with EIO.
  explicit StringSource(std::string bytes, std::size_t chunk = 1 << 16,
                        std::size_t failAfter = std::numeric_limits<std::size_t>::max())
      : bytes_(std::move(bytes)), chunk_(chunk), failAfter_(failAfter) {}

  std::size_t Read(char* buffer, std::size_t size) override {
    if (at_ >= failAfter_)
      throw FileError::Of("read", "in.txt", std::error_code(EIO, std::generic_category()));
    const std::size_t n = std::min({size, chunk_, bytes_.size() - at_, failAfter_ - at_});
    std::memcpy(buffer, bytes_.data() + at_, n);
    at_ += n;
    return n;
  }
  std::size_t Consumed() const { return at_; }

 private:
  std::string bytes_;
  std::size_t chunk_;
  std::size_t failAfter_;
  std::size_t at_ = 0;
};

class StringSink : public ByteSink {
 public:
  // Takes `capacity` bytes, then fails with ENOSPC naming `name`.
  explicit StringSink(std::size_t capacity = std::numeric_limits<std::size_t>::max(),
                      std::string name = "out.fdt")
      : capacity_(capacity), name_(std::move(name)) {}

  void Write(std::string_view bytes) override {
    ++writes;
    const std::size_t room = capacity_ - std::min(capacity_, text.size());
    text.append(bytes.substr(0, room));
    if (bytes.size() > room) {
      throw FileError::Of("write", name_, std::error_code(ENOSPC, std::generic_category()));
    }
  }

  std::string text;
  int writes = 0;

 private:
  std::size_t capacity_;
  std::string name_;
};

}  // namespace orvane::cli
