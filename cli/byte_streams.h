// Where a conversion run reads its bytes and where it writes them. The converter
// uses descriptors and the atomic fault data file; tests put strings in their place.
#pragma once

#include <sys/types.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "atomic_file.h"

namespace orvane::cli {

// The device and inode of an open file, to tell whether two names mean one file.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FileIdentity&) const = default;
};

// The identity of the file `path` names after symbolic links; nothing when there
// is none.
std::optional<FileIdentity> IdentityOfPath(const std::string& path);

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to `size` bytes into `buffer`; 0 only at the end of the input.
  // Throws FileError "cannot read 'NAME': ..." when reading fails.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
  // The file being read, when it is one.
  virtual std::optional<FileIdentity> Identity() const { return std::nullopt; }
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Takes bytes; they may be held back until Flush. Throws FileError
  // "cannot write 'NAME': ..." when writing fails.
  virtual void Write(std::string_view bytes) = 0;
  // Passes on whatever is held back. Throws FileError.
  virtual void Flush() {}
};

// Reads an open descriptor, which it does not close. `name` is the one messages
// give ("-" for standard input).
class DescriptorSource : public ByteSource {
 public:
  DescriptorSource(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}
  std::size_t Read(char* buffer, std::size_t size) override;
  std::optional<FileIdentity> Identity() const override;

 private:
  int fd_;
  std::string name_;
};

// Writes to an open descriptor in blocks of 64 KiB; does not close it. `name` is the
// one messages give ("-" for standard output).
class DescriptorSink : public ByteSink {
 public:
  DescriptorSink(int fd, std::string name);
  void Write(std::string_view bytes) override;
  void Flush() override;

 private:
  static constexpr std::size_t kBlock = 1 << 16;
  void WriteAll(std::string_view bytes);
  int fd_;
  std::string name_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};

// Writes into an AtomicFile, which buffers by itself; Commit is the owner's.
class AtomicFileSink : public ByteSink {
 public:
  explicit AtomicFileSink(AtomicFile& file) : file_(file) {}
  void Write(std::string_view bytes) override { file_.Write(bytes); }

 private:
  AtomicFile& file_;
};

}  // namespace orvane::cli
