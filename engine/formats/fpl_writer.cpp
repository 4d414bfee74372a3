// A TectonicsFP fault file: one line per fault, SENSE,DIPDIR,DIP,AZIMUTH,PLUNGE and
// the comment, where there is one, after one more comma; comment lines begin with
// ";", which TectonicsFP skips:
//   2,120,30,45,20,site 3
//   1,208,65,214,65
//   ; error in liniation data [35 50 N]
#include "numbers.h"
#include "sense_codes.h"
#include "writers.h"

namespace orvane {

namespace {

class FplRows final : public FaultRowWriter {
 public:
  using FaultRowWriter::FaultRowWriter;

  std::string Refusal(const WriteOptions& options) const override {
    if (options.run.LineationData) return {};
    return "a TectonicsFP fault file (fpl) needs a lineation on every line, and this run "
           "reads none (lineation data is off)";
  }

 protected:
  void AppendFault(const FaultFields& fault, const WriteOptions&, std::string& out) const override {
    if (!fault.HasLineation()) {
      std::string message = "line ";
      AppendInteger(message, static_cast<double>(fault.lineNumber));
      message += " has no lineation, which a TectonicsFP fault file (fpl) needs";
      throw FormatError(message);
    }
    out += TectonicsFpCode(fault.sense);
    out += ',';
    out += fault.dipDirection;
    out += ',';
    out += fault.dip;
    out += ',';
    out += fault.trend;
    out += ',';
    out += fault.plunge;
    if (!fault.comment.empty()) {
      out += ',';
      AppendBlanking(out, fault.comment, "\r\n");
    }
    out += kFaultFileLineEnd;
  }
};

}  // namespace

const FormatWriter& TectonicsFpWriter() {
  // No byte order mark: TectonicsFP would read it as part of the first sense code.
  static const FplRows writer("fpl", ".fpl", CommentForm::Semicolon, false);
  return writer;
}

}  // namespace orvane
