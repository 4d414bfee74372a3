// Conversion of the data part of one input line into a fault datum.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "conversion_options.h"
#include "panes.h"
#include "zelmdatac.h"

namespace orvane {

// What the user is told about an untilting percentage that cannot be read, by the
// run and by the window's untilting field alike.
inline constexpr std::string_view kUntiltingRangeMessage = "input [0-100]";

// What one line's conversion reads besides its own text. Lives for a whole run and
// reads the run's two texts (declination, untilting) once, when first needed.
class LineContext {
 public:
  LineContext(const ConversionOptions& options, NotifyUser notify);

  const ConversionOptions& Options() const { return options_; }

  // Records why the current line cannot be read; the run writes its error line
  // "# " + message + " [" + input line + "]".
  void ReportLineError(std::string_view message) { lineError_.assign(message); }
  const std::string& LineError() const { return lineError_; }
  void ClearLineError() { lineError_.clear(); }

  // The declination in degrees. Throws RunStopped naming the text when it is no number.
  double Declination();
  // The untilting percentage: a whole number, the difference form "30-10", or 0 for
  // an empty text. Any other text shows kUntiltingRangeMessage once and throws RunStopped.
  std::int64_t UntiltingPercentage();

 private:
  ConversionOptions options_;
  NotifyUser notify_;
  std::string lineError_;
  std::optional<double> declination_;
  std::optional<std::int64_t> untilting_;
};

// Reads plane, lineation and sense (each when its switch is on) from `dataPart`
// (comment removed, trimmed), then runs the geometric stage: projection, sense
// rules, untilting about the bedding field, final folding. True: `datum` holds the
// converted line. False: the reason has been recorded, once, through
// ctx.ReportLineError. Throws RunStopped when the untilting text is unreadable.
// "120 30 45 20 N" -> plane 120/30, lineation 45/20 (projected), sense N.
bool ConvertLine(ZelmDataC& datum, std::string_view dataPart, LineContext& ctx);

// The geometric stage, steps after the sense field; `token` is the field after the
// sense (the bedding field when untilting). Sense rules, untilting, folding.
bool ApplyGeometricStage(ZelmDataC& datum, std::string_view token, LineContext& ctx);

// Replaces the datum's lineation by its orthogonal projection onto the datum's plane.
// False, with the error line "liniation data is perpendicular to surface data", when
// the lineation is (nearly) perpendicular to the plane.
bool ProjectLineationOntoPlane(ZelmDataC& datum, LineContext& ctx);

}  // namespace orvane
