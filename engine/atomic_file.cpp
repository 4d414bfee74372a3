#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>

namespace orvane {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kBufferBytes = 1 << 16;

// The temporary files a signal handler removes. A handler may only read what is
// already in place, so a slot's name is written before the slot is marked ready.
struct TemporarySlot {
  std::atomic<int> state{0};  // 0 free, 1 being filled, 2 ready
  char name[4096];
};
constexpr int kSlots = 16;
TemporarySlot temporarySlots[kSlots];

int Remember(const std::string& name) {
  if (name.size() >= sizeof temporarySlots[0].name) return -1;
  for (int i = 0; i < kSlots; ++i) {
    int expected = 0;
    if (temporarySlots[i].state.compare_exchange_strong(expected, 1)) {
      std::memcpy(temporarySlots[i].name, name.c_str(), name.size() + 1);
      temporarySlots[i].state.store(2);
      return i;
    }
  }
  return -1;  // more files open at once than slots: such a file is not removed by a signal
}

void Forget(int slot) {
  if (slot >= 0) temporarySlots[slot].state.store(0);
}

// The file a path names after following symbolic links, so that writing replaces
// the link's target instead of the link. A loop of links is left to open() to report.
fs::path FollowLinks(const fs::path& path) {
  fs::path p = path;
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(p, ec)) || ec) return p;
    const fs::path next = fs::read_symlink(p, ec);
    if (ec) return p;
    p = next.is_absolute() ? next : p.parent_path() / next;
  }
  return p;
}

std::string RandomSuffix() {
  static thread_local std::mt19937 random{std::random_device{}()};
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string s = ".tmp-";
  for (int i = 0; i < 6; ++i) s.push_back(kLetters[random() % (sizeof kLetters - 1)]);
  return s;
}

}  // namespace

AtomicFile::AtomicFile(fs::path path) : path_(std::move(path)), target_(FollowLinks(path_)) {
  // Created with mode 0666 so that the umask gives it the permissions of any new file.
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_ = target_.string() + RandomSuffix();
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0 || errno != EEXIST) break;
  }
  if (fd_ < 0) throw FileError::Of("write", path_, std::error_code(errno, std::generic_category()));
  slot_ = Remember(temp_);
  struct stat existing;
  if (::stat(target_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
    ::fchmod(fd_, existing.st_mode & 07777);  // best effort, as a copy would
  }
  buffer_.reserve(kBufferBytes);
}

AtomicFile::~AtomicFile() {
  Discard();
}

void AtomicFile::Discard() noexcept {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
  ::unlink(temp_.c_str());
  Forget(slot_);
  slot_ = -1;
}

void AtomicFile::Fail(int error) {
  Discard();
  throw FileError::Of("write", path_, std::error_code(error, std::generic_category()));
}

void AtomicFile::Flush() {
  std::string_view rest = buffer_;
  while (!rest.empty()) {
    const ssize_t n = ::write(fd_, rest.data(), rest.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
    }
    rest.remove_prefix(static_cast<std::size_t>(n));
  }
  buffer_.clear();
}

void AtomicFile::Write(std::string_view bytes) {
  if (fd_ < 0) Fail(EBADF);
  if (buffer_.size() + bytes.size() > kBufferBytes) {
    Flush();
    if (bytes.size() > kBufferBytes) {
      buffer_.assign(bytes);  // written at once, not kept
      Flush();
      buffer_.shrink_to_fit();
      buffer_.reserve(kBufferBytes);
      return;
    }
  }
  buffer_.append(bytes);
}

void AtomicFile::Commit() {
  if (fd_ < 0) Fail(EBADF);
  Flush();
  // On disk before the rename, so that a crash cannot leave an empty file behind.
  if (::fsync(fd_) != 0 && errno != EINVAL) Fail(errno);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(temp_.c_str());
    Forget(slot_);
    slot_ = -1;
    throw FileError::Of("write", path_, std::error_code(error, std::generic_category()));
  }
  const bool renamed = ::rename(temp_.c_str(), target_.c_str()) == 0;
  const int error = errno;
  if (!renamed) ::unlink(temp_.c_str());
  Forget(slot_);
  slot_ = -1;
  if (!renamed)
    throw FileError::Of("write", path_, std::error_code(error, std::generic_category()));
}

void WriteFileAtomically(const fs::path& path, std::string_view bytes) {
  AtomicFile file(path);
  file.Write(bytes);
  file.Commit();
}

void RemoveTemporaryFiles() noexcept {
  for (TemporarySlot& slot : temporarySlots) {
    if (slot.state.load() == 2) ::unlink(slot.name);
  }
}

}  // namespace orvane
