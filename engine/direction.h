// A direction as azimuth and second angle, and the reader of plane attitudes.
#pragma once

#include <string_view>

#include "angles.h"

namespace orvane {

// After SetAttitude or ReadQuadrantAttitude, (Azimuth, Plunge) is a plane's upward
// normal: Azimuth the dip direction in [0, 360] (360 stays 360), Plunge the dip minus
// 90 (-90 for a horizontal plane, 0 for a vertical one).
struct DirectionC {
  explicit DirectionC(double azimuth) : Azimuth(azimuth) { NormalizeAzimuth(); }

  void SetAzimuth(double azimuth) {
    Azimuth = azimuth;
    NormalizeAzimuth();
  }
  void SetAttitude(double azimuth, double dip) {
    SetAzimuth(azimuth);
    Plunge = dip - 90;
  }
  // Wraps Azimuth into [0, 360]: -30 -> 330, -360 -> 0, 360 stays, 400 -> 40, 720 -> 360.
  void NormalizeAzimuth() {
    if (!(Azimuth >= 0 && Azimuth <= 360)) Azimuth = WrapToRange(0, 360, Azimuth);
  }

  double Azimuth;
  double Plunge = 0;
};

// Reads a plane attitude token into `pair`:
// - quadrant form, when the text begins with "N": strike from north with its letter,
//   dip, and the letter of the side it dips to. "N30E45S" -> 120/-45, "N5W30N" -> 85/-60.
//   A strike that does not convert, or the strike 91, is rejected.
// - otherwise the slash form dip direction "/" dip: "120/45" -> 120/-45.
// False, with `pair` unchanged, for any text in neither form, whose numbers do not
// convert ("S30W45E", "N91E30S", "N30E45.5S", "12a/45", "120/", "120/45S"), or with
// an angle beyond kMaxFieldAngle (numbers.h) in magnitude ("90/1e308", "N30E2000000000S").
bool ReadQuadrantAttitude(DirectionC& pair, std::string_view text);

}  // namespace orvane
