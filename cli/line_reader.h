// Reads lines from a byte source in large blocks, without the line ends.
#pragma once

#include <string_view>
#include <vector>

#include "byte_streams.h"

namespace orvane::cli {

// One line of the input. A line longer than the reader's limit is cut: `text` is its
// first `limit` bytes and `overlong` is set; the rest of it is skipped.
struct InputLine {
  std::string_view text;
  bool overlong = false;
};

// Lines end at LF, CR LF or a lone CR; a last line without a line end counts; an
// empty input has no lines. A UTF-8 byte order mark at the very start of the input
// is dropped. Memory stays below `limit` plus 64 KiB whatever the input, also one
// without any line end.
class LineReader {
 public:
  LineReader(ByteSource& source, std::size_t limit);

  // The next line into `line` (valid until the next call). False at the end of the
  // input. Throws FileError when reading fails.
  bool Next(InputLine& line);

 private:
  bool Fill();
  void DropByteOrderMark();
  bool SkipRestOfLine();
  // The index of the first `c` at or after `from`, end_ for none, through `cached`.
  std::size_t NextOf(char c, std::size_t& cached, std::size_t from);

  ByteSource& source_;
  std::size_t limit_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
  bool atStart_ = true;
  bool skipLf_ = false;    // the previous line ended in CR: an LF right after it belongs to it
  bool skipLine_ = false;  // the previous line was cut: its rest is not read
  // Index of the first LF (CR) at or after the last search start, end_ when there
  // is none before end_, kUnknown when the buffer changed since.
  static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);
  std::size_t nextLf_ = kUnknown;
  std::size_t nextCr_ = kUnknown;
};

}  // namespace orvane::cli
