#include "line_conversion.h"

#include <utility>

#include "numbers.h"
#include "run_stopped.h"
#include "text.h"

namespace orvane {

LineContext::LineContext(const ConversionOptions& options, NotifyUser notify)
    : options_(options), notify_(std::move(notify)) {}

double LineContext::Declination() {
  if (!declination_) {
    const auto value = StrToFloat(options_.DeclinationText);
    if (!value) {
      throw RunStopped("Declination \"" + options_.DeclinationText + "\" is not a number");
    }
    declination_ = *value;
  }
  return *declination_;
}

std::int64_t LineContext::UntiltingPercentage() {
  if (untilting_) return *untilting_;
  const std::string& text = options_.UntiltingText;
  if (text.empty()) return *(untilting_ = 0);
  if (const auto whole = StrToInt(text)) return *(untilting_ = *whole);
  // The difference form "A-B" (a "-" after the first character), as a user who
  // wants the percentage between two readings writes it: "30-10" is 20.
  const std::size_t minus = text.find('-');
  if (minus != std::string::npos && minus >= 1) {
    const auto a = StrToInt(std::string_view(text).substr(0, minus));
    const auto b = StrToInt(std::string_view(text).substr(minus + 1));
    if (a && b) return *(untilting_ = std::int64_t{*a} - std::int64_t{*b});
  }
  static const std::string kMessage(kUntiltingRangeMessage);
  if (notify_) notify_(kMessage);
  throw RunStopped(kMessage, /*alreadyShown=*/true);
}

bool ConvertLine(ZelmDataC& datum, std::string_view dataPart, LineContext& ctx) {
  const ConversionOptions& options = ctx.Options();
  std::string_view rest = dataPart;
  std::string_view token;
  NextToken(rest, token);

  if (options.SurfaceData) {
    if (IsNumber(token)) {
      const std::string_view first = token;
      NextToken(rest, token);
      if (token.empty()) {
        ctx.ReportLineError("there are only 2 data fields in this line");
        return false;
      }
      if (!datum.ReadPlaneFields(first, token)) {
        ctx.ReportLineError("error in surface data with 'ddd dd' format");
        return false;
      }
    } else if (!datum.ReadPlaneNotation(token)) {
      ctx.ReportLineError("error in surface data");
      return false;
    }
    NextToken(rest, token);
  }

  if (options.LineationData) {
    if (IsNumber(token)) {
      const std::string_view first = token;
      NextToken(rest, token);
      if (token.empty()) {
        ctx.ReportLineError("more data are expected");
        return false;
      }
      if (!datum.ReadLineationFields(first, token)) {
        ctx.ReportLineError("error in liniation data with 'ddd dd' format");
        return false;
      }
    } else if (!datum.ReadLineationNotation(token)) {
      ctx.ReportLineError("error in liniation data");
      return false;
    }
    if (options.ProjectionToSurface && !ProjectLineationOntoPlane(datum, ctx)) return false;
    NextToken(rest, token);
  }

  if (options.SenseData) {
    if (token.size() != 1 ||
        (token[0] != 'N' && token[0] != 'R' && token[0] != 'D' && token[0] != 'S')) {
      ctx.ReportLineError("error in character data");
      return false;
    }
    datum.SetSense(token);
    NextToken(rest, token);
  }

  return ApplyGeometricStage(datum, token, ctx);
}

}  // namespace orvane
