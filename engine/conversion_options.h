// The switches and texts that one conversion run reads.
#pragma once

#include <string>

namespace orvane {

struct ConversionOptions {
  bool SurfaceData = true;            // every data line begins with a plane field
  bool LineationData = true;          // a lineation field follows; output has trend and plunge
  bool SenseData = true;              // a one-letter sense field follows; output has the letter
  bool ProjectionToSurface = true;    // project the lineation onto its plane
  bool OneDecimal = false;            // one decimal instead of integers
  bool RemoveComment = true;          // read by the file writers only: drop lines starting with "#"
  std::string DeclinationText = "0";  // degrees, positive to the west
  std::string UntiltingText = "0";    // percentage of the bedding dip to rotate back
};

}  // namespace orvane
