// Reads lines from a file descriptor in large blocks, without the line ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvane::cli {

// Lines end at LF, CR LF or a lone CR; a last line without a line end counts; an
// empty input has no lines. Memory stays bounded by the longest line.
class LineReader {
 public:
  explicit LineReader(int fd);

  // Next line into `line` (valid until the next call). False at the end of the input.
  // Throws std::system_error when reading fails.
  bool Next(std::string_view& line);

 private:
  bool Fill();

  int fd_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
  bool skipLf_ = false;
  // Index of the first LF (CR) at or after the last search start, end_ when there
  // is none before end_, kUnknown when the buffer changed since.
  static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);
  std::size_t nextLf_ = kUnknown;
  std::size_t nextCr_ = kUnknown;
  // The index of the first `c` at or after `from`, end_ for none, through `cached`.
  std::size_t NextOf(
      char c, std::size_t& cached,
      std::size_t from);  // the previous line ended in CR: an LF right after it belongs to it
};

}  // namespace orvane::cli
