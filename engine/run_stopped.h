// The error that ends a whole conversion run.
#pragma once

#include <stdexcept>
#include <string>

namespace orvane {

// Thrown when a setting of the whole run cannot be read (the declination or the
// untilting percentage). Lines converted before it keep their output; the line
// that needed the value gets none. When `AlreadyShown` is true the user has been
// told through NotifyUser and the message need not be shown again.
class RunStopped : public std::runtime_error {
 public:
  explicit RunStopped(const std::string& message, bool alreadyShown = false)
      : std::runtime_error(message), alreadyShown_(alreadyShown) {}
  bool AlreadyShown() const { return alreadyShown_; }

 private:
  bool alreadyShown_;
};

}  // namespace orvane
