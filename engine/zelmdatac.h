// One fault-slip measurement while its input line is converted.
#pragma once

#include <string>
#include <string_view>

#include "angles.h"

namespace orvane {

// Fault plane (dip direction, dip), slip lineation (trend, plunge) and sense letter.
// A new datum is 0/0, 0/0, sense "NULL". The setters keep both azimuths in [0, 360)
// and fold a dip outside [0, 90] once onto the plane's other side.
class ZelmDataC {
 public:
  ZelmDataC();

  double DipDirection = 0;
  double Dip = 0;
  double Trend = 0;
  // Positive downward. Written directly by the readers; may be negative or beyond 90
  // while a line converts (the geometric stage folds it at the end).
  double Plunge = 0;
  std::string Sense;

  void SetDipDirection(double x) { DipDirection = WrapAzimuth(x); }
  // 95 with dip direction 10 -> dip 85, dip direction 190; -30 -> 30, turned by 180.
  void SetDip(double x) {
    if (x > 90) {
      SetDipDirection(DipDirection + 180);
      Dip = 180 - x;
    } else if (x < 0) {
      SetDipDirection(DipDirection + 180);
      Dip = -x;
    } else {
      Dip = x;
    }
  }
  void SetTrend(double x) { Trend = WrapAzimuth(x); }
  void SetSense(std::string_view text) {
    // The usual case, one letter in place of another, as a single store.
    if (text.size() == 1 && Sense.size() == 1) {
      Sense[0] = text[0];
    } else {
      AssignSense(text);
    }
  }

  // Every reader rejects an angle whose magnitude exceeds kMaxFieldAngle (numbers.h):
  // "120 1e308", "R1e308N" and "210/-2e9" are no readable fields. So every value a
  // reader stores is finite, and so is everything the geometry makes of it.

  // Plane from two separate fields ("120", "35"). The dip direction is set from `a`
  // before `b` is looked at. False when `b` is empty or not numeric, or when either
  // text does not convert ("1.2.3") or is too large an angle.
  bool ReadPlaneFields(std::string_view a, std::string_view b);
  // Lineation from two fields; the plunge is stored as read ("40", "-10" -> -10).
  bool ReadLineationFields(std::string_view a, std::string_view b);

  // Plane from one compact token: quadrant ("N30E40S", "NS60W", "EW45N") or slash
  // ("120/35") notation. False when the token is in no notation, does not convert
  // or holds too large an angle; the plane is then unchanged.
  bool ReadPlaneNotation(std::string_view token);
  // Lineation from one compact token: rake ("R30N"), plunge in the plane ("P20S"),
  // quadrant trend ("N30E20S"), quadrant azimuth ("AN80E", "AS30W25") or slash
  // ("200/30"). R, P and A without plunge use the plane already held. False when the
  // token is in no notation, does not convert, holds too large an angle, or has no
  // trend (P beyond the dip).
  bool ReadLineationNotation(std::string_view token);

 private:
  void AssignSense(std::string_view text);
};

}  // namespace orvane
