#include "line_reader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace orvane::cli {

namespace {
constexpr std::size_t kBlock = 1 << 16;
}

LineReader::LineReader(int fd) : fd_(fd), buffer_(kBlock) {}

bool LineReader::Fill() {
  // Move the unread part to the front, grow only when one line fills the buffer.
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  nextLf_ = nextCr_ = kUnknown;  // the data moves and new bytes come: search again
  if (end_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
    if (n > 0) {
      end_ += static_cast<std::size_t>(n);
      return true;
    }
    if (n == 0) {
      eof_ = true;
      return false;
    }
    if (errno != EINTR) throw std::system_error(errno, std::generic_category(), "read");
  }
}

std::size_t LineReader::NextOf(char c, std::size_t& cached, std::size_t from) {
  if (cached == kUnknown || cached < from) {
    const void* p = std::memchr(buffer_.data() + from, c, end_ - from);
    cached = p ? static_cast<std::size_t>(static_cast<const char*>(p) - buffer_.data()) : end_;
  }
  return cached;
}

bool LineReader::Next(std::string_view& line) {
  std::size_t scanned = 0;  // bytes of the current line already searched for a line end
  for (;;) {
    if (skipLf_ && begin_ < end_) {
      if (buffer_[begin_] == '\n') ++begin_;
      skipLf_ = false;
    }
    const char* start = buffer_.data() + begin_;
    const std::size_t avail = end_ - begin_;
    // The first LF or CR. The next one of each in the buffer is remembered, so that
    // a file with only one kind searches once per line, and a search for the other
    // kind does not run to the end of the buffer for every line.
    const std::size_t from = begin_ + scanned;
    const std::size_t lfAt = NextOf('\n', nextLf_, from) - begin_;
    const std::size_t crAt = NextOf('\r', nextCr_, from) - begin_;
    const std::size_t at = std::min(lfAt, crAt);
    if (at < avail) {
      line = std::string_view(start, at);
      begin_ += at + 1;
      skipLf_ = (start[at] == '\r');
      return true;
    }
    scanned = avail;
    if (eof_ || !Fill()) {
      if (skipLf_ && begin_ < end_ && buffer_[begin_] == '\n') ++begin_;
      skipLf_ = false;
      if (begin_ == end_) return false;
      line = std::string_view(buffer_.data() + begin_, end_ - begin_);
      begin_ = end_;
      return true;
    }
    // Fill() may have moved the data; `scanned` counts from begin_, which is now 0.
  }
}

}  // namespace orvane::cli
