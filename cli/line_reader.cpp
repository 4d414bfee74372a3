#include "line_reader.h"

#include <algorithm>
#include <cstring>

namespace orvane::cli {

namespace {
constexpr std::size_t kBlock = 1 << 16;
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
}  // namespace

LineReader::LineReader(ByteSource& source, std::size_t limit)
    : source_(source), limit_(std::max<std::size_t>(limit, 1)), buffer_(kBlock) {}

bool LineReader::Fill() {
  // Move the unread part to the front, grow only when one line fills the buffer. A
  // line never needs more than limit_ + 1 bytes to be told apart from a longer one.
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  nextLf_ = nextCr_ = kUnknown;  // the data moves and new bytes come: search again
  if (end_ == buffer_.size()) buffer_.resize(std::min(buffer_.size() * 2, limit_ + kBlock));
  const std::size_t n = source_.Read(buffer_.data() + end_, buffer_.size() - end_);
  if (n == 0) {
    eof_ = true;
    return false;
  }
  end_ += n;
  return true;
}

void LineReader::DropByteOrderMark() {
  atStart_ = false;
  while (end_ - begin_ < 3 && !eof_ && Fill()) {
  }
  if (end_ - begin_ >= 3 && std::memcmp(buffer_.data() + begin_, kByteOrderMark, 3) == 0) {
    begin_ += 3;
  }
}

std::size_t LineReader::NextOf(char c, std::size_t& cached, std::size_t from) {
  if (cached == kUnknown || cached < from) {
    const void* p = std::memchr(buffer_.data() + from, c, end_ - from);
    cached = p ? static_cast<std::size_t>(static_cast<const char*>(p) - buffer_.data()) : end_;
  }
  return cached;
}

bool LineReader::SkipRestOfLine() {
  skipLine_ = false;
  for (;;) {
    const std::size_t at = std::min(NextOf('\n', nextLf_, begin_), NextOf('\r', nextCr_, begin_));
    if (at < end_) {
      begin_ = at + 1;
      skipLf_ = buffer_[at] == '\r';
      return true;
    }
    begin_ = end_;  // nothing of the line is kept
    if (eof_ || !Fill()) return false;
  }
}

bool LineReader::Next(InputLine& line) {
  if (atStart_) DropByteOrderMark();
  if (skipLine_ && !SkipRestOfLine()) return false;
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
    if (at < avail && at <= limit_) {
      line = {std::string_view(start, at), false};
      begin_ += at + 1;
      skipLf_ = (start[at] == '\r');
      return true;
    }
    if (avail > limit_) {  // more than limit_ bytes and no line end among them
      line = {std::string_view(start, limit_), true};
      begin_ += limit_;
      skipLine_ = true;
      return true;
    }
    scanned = avail;
    if (eof_ || !Fill()) {
      if (skipLf_ && begin_ < end_ && buffer_[begin_] == '\n') ++begin_;
      skipLf_ = false;
      if (begin_ == end_) return false;
      line = {std::string_view(buffer_.data() + begin_, end_ - begin_), false};
      begin_ = end_;
      return true;
    }
    // Fill() may have moved the data; `scanned` counts from begin_, which is now 0.
  }
}

}  // namespace orvane::cli
