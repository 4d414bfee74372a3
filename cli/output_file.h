// Buffered output to a descriptor, and the fault data file written atomically.
#pragma once

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace orvane::cli {

// Collects bytes and writes them in large blocks. Throws std::system_error on failure.
class BufferedWriter {
 public:
  explicit BufferedWriter(int fd) : fd_(fd), buffer_(new char[kBlock]) {}
  ~BufferedWriter() = default;
  BufferedWriter(const BufferedWriter&) = delete;
  BufferedWriter& operator=(const BufferedWriter&) = delete;

  void Write(std::string_view bytes) {
    if (bytes.empty()) return;
    if (used_ + bytes.size() > kBlock) Flush();
    if (bytes.size() >= kBlock) {
      WriteAll(bytes);
    } else {
      std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
      used_ += bytes.size();
    }
  }
  void Flush();
  void SetDescriptor(int fd) { fd_ = fd; }

 private:
  static constexpr std::size_t kBlock = 1 << 16;
  void WriteAll(std::string_view bytes);
  int fd_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};

// A file written to a temporary name beside its target and renamed over it on
// Commit, so that the target is never half written. Without Commit the temporary
// file is removed.
class AtomicFile {
 public:
  explicit AtomicFile(std::string target);  // throws std::system_error naming the file
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  int Descriptor() const { return fd_; }
  void Commit();  // throws std::system_error naming the file

 private:
  std::string target_;
  std::string temp_;
  int fd_ = -1;
};

}  // namespace orvane::cli
