// Helpers of the readers' tests: a translated line run through the engine, and the
// direction a rake stands for, computed here without the engine.
#pragma once

#include <cmath>
#include <string>
#include <string_view>

#include "line_conversion.h"
#include "text.h"

namespace orvane::testing {

struct Converted {
  bool ok = false;
  double dipDirection = 0, dip = 0, trend = 0, plunge = 0;
  std::string sense;
  std::string error;  // the engine's message for a line it cannot read
};

// Converts one field-book line as a run with default options would, without the
// projection (so that a lineation comes out as read).
inline Converted Convert(std::string_view line, bool project = false) {
  ConversionOptions options;
  options.ProjectionToSurface = project;
  LineContext ctx(options, nullptr);
  ZelmDataC datum;
  const std::string_view data = Trim(line.substr(0, line.find('#')));
  Converted c;
  c.ok = ConvertLine(datum, data, ctx);
  c.dipDirection = datum.DipDirection;
  c.dip = datum.Dip;
  c.trend = datum.Trend;
  c.plunge = datum.Plunge;
  c.sense = datum.Sense;
  c.error = ctx.LineError();
  return c;
}

// The line `rake` degrees down the dip from the horizontal strike direction
// `endAzimuth` of the plane dipDirection/dip: cos(rake) * end + sin(rake) * down-dip.
inline void RakeDirection(double dipDirection, double dip, double rake, double endAzimuth,
                          double& trend, double& plunge) {
  const double k = std::acos(-1.0) / 180;
  const double n = std::cos(rake * k) * std::cos(endAzimuth * k) +
                   std::sin(rake * k) * std::cos(dip * k) * std::cos(dipDirection * k);
  const double e = std::cos(rake * k) * std::sin(endAzimuth * k) +
                   std::sin(rake * k) * std::cos(dip * k) * std::sin(dipDirection * k);
  const double d = std::sin(rake * k) * std::sin(dip * k);
  trend = std::atan2(e, n) / k;
  if (trend < 0) trend += 360;
  plunge = std::asin(d) / k;
}

// The smallest difference of two azimuths.
inline double AzimuthGap(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 360.0);
  return d > 180 ? 360 - d : d;
}

}  // namespace orvane::testing
