#include "zelmdatac.h"

namespace orvane {

// Compact lineation notations are not read yet: every token is rejected.
bool ZelmDataC::ReadLineationNotation(std::string_view /*token*/) {
  return false;
}

}  // namespace orvane
