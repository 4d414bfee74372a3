#include "byte_streams.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "file_error.h"

namespace orvane::cli {

namespace {

std::error_code LastError() {
  return std::error_code(errno, std::generic_category());
}

}  // namespace

std::optional<FileIdentity> IdentityOfPath(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileIdentity{st.st_dev, st.st_ino};
}

std::size_t DescriptorSource::Read(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) throw FileError::Of("read", name_, LastError());
  }
}

std::optional<FileIdentity> DescriptorSource::Identity() const {
  struct stat st;
  if (::fstat(fd_, &st) != 0) return std::nullopt;
  return FileIdentity{st.st_dev, st.st_ino};
}

DescriptorSink::DescriptorSink(int fd, std::string name)
    : fd_(fd), name_(std::move(name)), buffer_(new char[kBlock]) {}

void DescriptorSink::Write(std::string_view bytes) {
  if (bytes.empty()) return;
  if (used_ + bytes.size() > kBlock) Flush();
  if (bytes.size() >= kBlock) {
    WriteAll(bytes);
  } else {
    std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
  }
}

void DescriptorSink::Flush() {
  const std::size_t used = used_;
  used_ = 0;  // after a failure the held bytes are gone, not written twice
  WriteAll(std::string_view(buffer_.get(), used));
}

void DescriptorSink::WriteAll(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError::Of("write", name_, LastError());
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

}  // namespace orvane::cli
