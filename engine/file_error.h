// The error of a file that could not be read or written.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace orvane {

// what() names the file and the reason: "cannot read 'ORV.ini': Permission denied",
// "cannot write 'out.fdt': No space left on device".
class FileError : public std::runtime_error {
 public:
  FileError(const std::string& what, std::filesystem::path path, std::error_code code)
      : std::runtime_error(what), path_(std::move(path)), code_(code) {}

  // "cannot VERB 'PATH': MESSAGE".
  static FileError Of(std::string_view verb, const std::filesystem::path& path,
                      std::error_code code) {
    return FileError("cannot " + std::string(verb) + " '" + path.string() + "': " + code.message(),
                     path, code);
  }

  const std::filesystem::path& Path() const { return path_; }
  std::error_code Code() const { return code_; }

 private:
  std::filesystem::path path_;
  std::error_code code_;
};

}  // namespace orvane
