// Files that appear complete or not at all.
//
// Every file the programs write (the fault data file, the stereonet drawing, the
// settings file) goes through AtomicFile: the bytes go to a new file beside the
// target, which is flushed to disk and then renamed over the target. A reader
// never sees half a file, and a failed or abandoned write leaves the old file as
// it was.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "file_error.h"

namespace orvane {

class AtomicFile {
 public:
  // Creates the temporary file in the folder of the file that `path` names. A
  // symbolic link is written through: the link stays and the file it points to
  // is replaced. Throws FileError "cannot write 'PATH': ..." naming `path` as
  // given, for example when the folder does not exist or cannot be written.
  explicit AtomicFile(std::filesystem::path path);
  // Removes the temporary file unless Commit has succeeded.
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Appends bytes to the new file. Throws FileError naming the file.
  void Write(std::string_view bytes);

  // Puts the new file in the target's place: flushes, forces it to disk, gives it
  // the permissions of the file it replaces (a new file gets those of any new
  // file), and renames it over the target. Throws FileError naming the file; the
  // target is then as it was and the temporary file is gone.
  void Commit();

  // Removes the temporary file and leaves the target alone. Harmless twice.
  void Discard() noexcept;

  // The path as given.
  const std::filesystem::path& Path() const { return path_; }

 private:
  void Flush();
  [[noreturn]] void Fail(int error);

  std::filesystem::path path_;    // as given, for messages
  std::filesystem::path target_;  // after symbolic links
  std::string temp_;
  int fd_ = -1;
  int slot_ = -1;  // in the list of temporary files that a signal removes
  std::string buffer_;
};

// Writes `bytes` to `path` through an AtomicFile. Throws FileError.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Removes the temporary file of every AtomicFile that is neither committed nor
// discarded. Makes only async-signal-safe calls: meant for the handler of a
// signal that ends the program.
void RemoveTemporaryFiles() noexcept;

}  // namespace orvane
