#include "process_setup.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "atomic_file.h"

namespace orvane::cli {

bool OpenClosedStandardStreams() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // open() returns the lowest free descriptor, which is this one.
    const int opened = ::open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
    if (opened != fd) return false;
  }
  return true;
}

namespace {

void RemoveAndDie(int signal) {
  RemoveTemporaryFiles();
  // The handler was reset on entry; the signal, blocked until the handler returns,
  // then ends the program.
  ::raise(signal);
}

}  // namespace

void RemoveTemporaryFilesOnSignals() {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
    struct sigaction old {};
    if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = RemoveAndDie;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    ::sigaction(signal, &action, nullptr);
  }
}

namespace {

[[noreturn]] void EndOnUncaughtException() {
  RemoveTemporaryFiles();
  std::string message = "orvane-convert: unexpected error\n";
  if (const std::exception_ptr error = std::current_exception()) {
    try {
      std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
      message = "orvane-convert: out of memory\n";
    } catch (const std::exception& e) {
      message = std::string("orvane-convert: ") + e.what() + "\n";
    } catch (...) {
    }
  }
  [[maybe_unused]] const auto written = ::write(STDERR_FILENO, message.data(), message.size());
  ::_exit(2);
}

}  // namespace

void ReportUncaughtExceptions() {
  std::set_terminate(EndOnUncaughtException);
}

}  // namespace orvane::cli
