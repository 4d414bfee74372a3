// The fault data file: every output line as it is, CR LF, less the lines that the
// comment rule leaves out (the same bytes as FaultFileBytes).
#include "fault_file.h"
#include "writers.h"

namespace orvane {

namespace {

class FdtWriter final : public FormatWriter {
 public:
  using FormatWriter::FormatWriter;
  void AppendLine(std::string_view line, long, const WriteOptions& options,
                  std::string& out) const override {
    if (LeftOutOfFile(line, options.run.RemoveComment)) return;
    out += line;
    out += kFaultFileLineEnd;
  }
};

}  // namespace

const FormatWriter& FaultDataFileWriter() {
  static const FdtWriter writer("fdt", ".fdt", CommentForm::AsIs, true);
  return writer;
}

}  // namespace orvane
