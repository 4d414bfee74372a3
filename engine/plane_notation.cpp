#include "zelmdatac.h"

namespace orvane {

// Compact plane notations are not read yet: every token is rejected.
bool ZelmDataC::ReadPlaneNotation(std::string_view /*token*/) {
  return false;
}

}  // namespace orvane
