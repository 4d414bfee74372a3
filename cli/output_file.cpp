#include "output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace orvane::cli {

void BufferedWriter::WriteAll(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      throw std::system_error(errno, std::generic_category(), "write");
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

void BufferedWriter::Flush() {
  WriteAll(std::string_view(buffer_.get(), used_));
  used_ = 0;
}

AtomicFile::AtomicFile(std::string target) : target_(std::move(target)) {
  temp_ = target_ + ".tmp-XXXXXX";
  fd_ = ::mkstemp(temp_.data());
  if (fd_ < 0) throw std::system_error(errno, std::generic_category(), target_);
  // mkstemp creates the file private; give it the permissions a new file gets.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  struct stat existing;
  const mode_t mode =
      (::stat(target_.c_str(), &existing) == 0) ? (existing.st_mode & 07777) : (0666 & ~mask);
  ::fchmod(fd_, mode);
}

AtomicFile::~AtomicFile() {
  if (fd_ >= 0) {
    ::close(fd_);
    ::unlink(temp_.c_str());
  }
}

void AtomicFile::Commit() {
  if (::fsync(fd_) != 0 || ::close(fd_) != 0) {
    const int err = errno;
    fd_ = -1;
    ::unlink(temp_.c_str());
    throw std::system_error(err, std::generic_category(), target_);
  }
  fd_ = -1;
  if (::rename(temp_.c_str(), target_.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp_.c_str());
    throw std::system_error(err, std::generic_category(), target_);
  }
}

}  // namespace orvane::cli
