// An SG2PS data file: tab-separated, every name and every cell followed by a tab,
// one row per fault (here with · for a tab):
//   DATA_ID·DEPTH·GROUP_CODE·COLOR_CODE·LOCATION·LOC_X·LOC_Y·FORMATION·DATATYPE·DIP_DIR·
//       DIP·L_DIP_DIR·L_DIP·SENSE·PALEONORTH·COMMENT·
//   L4····quarry·0.000000·0.000000··STRIAE·120.0·30.0·45.0·20.0·NORMAL··site 3·
#include <cmath>

#include "numbers.h"
#include "sense_codes.h"
#include "writers.h"

namespace orvane {

namespace {

constexpr std::string_view kColumns[] = {
    "DATA_ID", "DEPTH",     "GROUP_CODE", "COLOR_CODE", "LOCATION", "LOC_X",
    "LOC_Y",   "FORMATION", "DATATYPE",   "DIP_DIR",    "DIP",      "L_DIP_DIR",
    "L_DIP",   "SENSE",     "PALEONORTH", "COMMENT",
};

// A number of the output line with one decimal: "120" -> "120.0", "45.4" stays,
// "-1e+20" -> "-100000000000000000000.0". Rounded half away from zero, as the
// output line is.
void AppendOneDecimal(std::string& out, std::string_view number) {
  // The usual numbers, "120" and "45.4", need no arithmetic.
  const std::size_t digitsFrom = number.starts_with('-') ? 1 : 0;
  const std::size_t point = number.find('.');
  const std::size_t wholeEnd = point == std::string_view::npos ? number.size() : point;
  bool plain =
      wholeEnd > digitsFrom && (point == std::string_view::npos || point + 2 == number.size());
  for (std::size_t i = digitsFrom; plain && i < number.size(); ++i) {
    plain = i == point || (number[i] >= '0' && number[i] <= '9');
  }
  if (plain) {
    out += number;
    if (point == std::string_view::npos) out += ".0";
    return;
  }
  const auto parsed = StrToFloat(number);
  if (!parsed) {  // "nan", "inf": no number to round
    out += number;
    return;
  }
  const double value = *parsed;
  constexpr double kWholeBeyond = 562949953421312.0;  // 2^49: 15 digits hold no fraction
  if (!(std::fabs(value) < kWholeBeyond)) {
    AppendInteger(out, RoundToInt(value));
    out += ".0";
    return;
  }
  const double tenths = RoundToInt(value * 10);
  if (tenths < 0) out += '-';
  std::string digits;
  AppendInteger(digits, std::fabs(tenths));
  if (digits.size() < 2) digits.insert(0, 1, '0');
  out.append(digits, 0, digits.size() - 1);
  out += '.';
  out += digits.back();
}

// Every cell ends in a tab; a tab or line break inside one would shift the columns.
void AppendCell(std::string& out, std::string_view text) {
  AppendBlanking(out, text, "\t\r\n");
  out += '\t';
}

class RgfRows final : public FaultRowWriter {
 public:
  using FaultRowWriter::FaultRowWriter;

  void AppendHeader(const WriteOptions&, std::string& out) const override {
    for (const std::string_view name : kColumns) AppendCell(out, name);
    out += kFaultFileLineEnd;
  }

 protected:
  void AppendFault(const FaultFields& fault, const WriteOptions& options,
                   std::string& out) const override {
    out += 'L';
    AppendInteger(out, static_cast<double>(fault.lineNumber));
    out += "\t\t\t\t";  // DATA_ID, then DEPTH, GROUP_CODE and COLOR_CODE empty
    AppendCell(out, options.location);
    out += "0.000000\t0.000000\t\tSTRIAE\t";  // LOC_X, LOC_Y, FORMATION, DATATYPE
    AppendOneDecimal(out, fault.dipDirection);
    out += '\t';
    AppendOneDecimal(out, fault.dip);
    out += '\t';
    if (fault.HasLineation()) {
      AppendOneDecimal(out, fault.trend);
      out += '\t';
      AppendOneDecimal(out, fault.plunge);
      out += '\t';
    } else {
      out += "\t\t";
    }
    out += Sg2psSenseWord(fault.sense);
    out += "\t\t";  // SENSE, then PALEONORTH empty
    AppendCell(out, fault.comment);
    out += kFaultFileLineEnd;
  }
};

}  // namespace

const FormatWriter& Sg2psWriter() {
  // No byte order mark: SG2PS would read it as part of the first column's name.
  static const RgfRows writer("rgf", ".rgf", CommentForm::None, false);
  return writer;
}

}  // namespace orvane
