// A CSV table (RFC 4180) of one row per fault, for spreadsheets and for APSG, whose
// FaultSet.from_csv reads the first five columns by position:
//   dip_direction,dip,trend,plunge,sense,comment,line
//   120,30,45,20,N,site 3,4
//   45.4,7.3,,,,"quarry, north wall",5
#include "numbers.h"
#include "writers.h"

namespace orvane {

namespace {

// A cell is quoted only when it must be: when it holds a comma, a quote, CR or LF;
// a quote inside is doubled.
void AppendCell(std::string& out, std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += text;
    return;
  }
  out += '"';
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

class CsvRows final : public FaultRowWriter {
 public:
  using FaultRowWriter::FaultRowWriter;

  void AppendHeader(const WriteOptions&, std::string& out) const override {
    out += "dip_direction,dip,trend,plunge,sense,comment,line";
    out += kFaultFileLineEnd;
  }

 protected:
  void AppendFault(const FaultFields& fault, const WriteOptions&, std::string& out) const override {
    out += fault.dipDirection;
    out += ',';
    out += fault.dip;
    out += ',';
    out += fault.trend;
    out += ',';
    out += fault.plunge;
    out += ',';
    if (fault.sense != 0) out += fault.sense;
    out += ',';
    AppendCell(out, fault.comment);
    out += ',';
    AppendInteger(out, static_cast<double>(fault.lineNumber));
    out += kFaultFileLineEnd;
  }
};

}  // namespace

const FormatWriter& CsvWriter() {
  static const CsvRows writer("csv", ".csv", CommentForm::None, true);
  return writer;
}

}  // namespace orvane
