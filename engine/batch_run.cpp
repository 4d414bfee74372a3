#include "batch_run.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <utility>

#include "numbers.h"
#include "text.h"

namespace orvane {

namespace {

// Comments on converted lines are cut to this many characters, "#" included.
constexpr std::size_t kMaxCommentChars = 99;

// 0 to 999 right-aligned in three columns ("  7", " 45", "120"), one spare byte
// each, so that writing a column is one small copy from read-only memory.
struct PaddedNumbers {
  char text[1000][4];
};
constexpr PaddedNumbers MakePaddedNumbers() {
  PaddedNumbers t{};
  for (int k = 0; k < 1000; ++k) {
    t.text[k][0] = k >= 100 ? static_cast<char>('0' + k / 100) : ' ';
    t.text[k][1] = k >= 10 ? static_cast<char>('0' + k / 10 % 10) : ' ';
    t.text[k][2] = static_cast<char>('0' + k % 10);
    t.text[k][3] = ' ';
  }
  return t;
}
constexpr PaddedNumbers kPaddedNumbers = MakePaddedNumbers();

// Writes a rounded value right-aligned by leading spaces (three columns for
// azimuths, two for dips; a negative number gets the spaces of one below 10).
// False when the value is too wide for the short path.
bool WriteColumn(char*& p, char* end, double value, bool azimuth) {
  const double n = RoundToInt(value);
  if (n >= 0 && n < 1000) {
    const int k = static_cast<int>(n);
    // Field values are random: no branch on them, it would mispredict.
    const int skip = (!azimuth && k < 100) ? 1 : 0;
    std::memcpy(p, kPaddedNumbers.text[k] + skip, 3);
    p += 3 - skip;
    return true;
  }
  if (!(std::fabs(n) < 1e15)) return false;
  if (azimuth && n < 100) *p++ = ' ';
  if (n < 10) *p++ = ' ';
  p = std::to_chars(p, end, static_cast<long long>(n)).ptr;
  return true;
}

void AppendColumn(std::string& out, double value, bool azimuth) {
  const double n = RoundToInt(value);
  if (azimuth && n < 100) out.push_back(' ');
  if (n < 10) out.push_back(' ');
  AppendInteger(out, n);
}

}  // namespace

void AppendOutputLine(std::string& out, const ZelmDataC& datum, const ConversionOptions& options,
                      std::string_view comment) {
  if (options.OneDecimal) {
    out.push_back(' ');
    AppendGeneral(out, RoundTo(datum.DipDirection, 1));
    out.push_back(' ');
    AppendGeneral(out, RoundTo(datum.Dip, 1));
    if (options.LineationData) {
      out.push_back(' ');
      AppendGeneral(out, RoundTo(datum.Trend, 1));
      out.push_back(' ');
      AppendGeneral(out, RoundTo(datum.Plunge, 1));
    }
  } else {
    const double values[4] = {datum.DipDirection, datum.Dip, datum.Trend, datum.Plunge};
    const int count = options.LineationData ? 4 : 2;
    // The usual line, written into one buffer and appended in one go; absurdly wide
    // values take the long way.
    char buf[160];
    char* p = buf;
    bool shortPath = true;
    for (int i = 0; i < count && shortPath; ++i) {
      *p++ = ' ';
      shortPath = WriteColumn(p, buf + sizeof buf, values[i], i % 2 == 0);
    }
    if (shortPath) {
      if (options.SenseData && datum.Sense.size() <= 8) {
        *p++ = ' ';
        std::memcpy(p, datum.Sense.data(), datum.Sense.size());
        p += datum.Sense.size();
        *p++ = ' ';
        if (comment.size() <= static_cast<std::size_t>(buf + sizeof buf - p)) {
          if (!comment.empty()) std::memcpy(p, comment.data(), comment.size());
          p += comment.size();
          out.append(buf, p);
          return;
        }
        out.append(buf, p);
        out.append(comment);
        return;
      }
      out.append(buf, p);
    } else {
      for (int i = 0; i < count; ++i) {
        out.push_back(' ');
        AppendColumn(out, values[i], i % 2 == 0);
      }
    }
  }
  if (options.SenseData) {
    out.push_back(' ');
    out.append(datum.Sense);
  }
  out.push_back(' ');
  out.append(comment);
}

BatchRun::BatchRun(const ConversionOptions& options, NotifyUser notify)
    : ctx_(options, std::move(notify)) {}

LineResult BatchRun::ConvertInputLine(std::string_view line, std::string& out) {
  out.clear();
  return AppendInputLine(line, out);
}

LineResult BatchRun::AppendInputLine(std::string_view line, std::string& out) {
  std::string_view data = line;
  std::string_view comment;
  const std::size_t hash = FindChar(line, '#');
  if (hash != std::string_view::npos) {
    comment = FirstCharacters(line.substr(hash), kMaxCommentChars);
    data = line.substr(0, hash);
  }
  data = Trim(data);
  if (data.empty()) {
    out.append(line);
    return {LineOutcome::Copied, {}};
  }

  ZelmDataC datum;
  ctx_.ClearLineError();
  if (!ConvertLine(datum, data, ctx_)) {
    AppendErrorLine(out, ctx_.LineError(), line);
    return {LineOutcome::Error, ctx_.LineError()};
  }
  datum.SetDipDirection(datum.DipDirection - ctx_.Declination());
  datum.SetTrend(datum.Trend - ctx_.Declination());
  AppendOutputLine(out, datum, ctx_.Options(), comment);
  return {LineOutcome::Converted, {}};
}

LineResult BatchRun::AppendOverlongLine(std::string_view head, std::size_t limit,
                                        std::string& out) {
  message_ = "line longer than ";
  AppendInteger(message_, static_cast<double>(limit));
  message_ += " bytes";
  AppendErrorLine(out, message_, head);
  return {LineOutcome::Error, message_};
}

void AppendErrorLine(std::string& out, std::string_view message, std::string_view inputLine) {
  out.append("# ");
  out.append(message);
  out.append(" [");
  out.append(inputLine);
  out.push_back(']');
}

void ConvertAllLines(const ConversionOptions& options, InputPane& input, OutputPane& output,
                     const NotifyUser& notify, const std::function<void()>& completed) {
  output.Clear();
  BatchRun run(options, notify);
  std::string out;
  for (int i = 0; i < input.LineCount(); ++i) {
    const std::string line = input.LineAt(i);
    switch (run.ConvertInputLine(line, out).outcome) {
      case LineOutcome::Copied:
        output.AppendLine(out);
        break;
      case LineOutcome::Converted:
        output.AppendLine(out);
        input.MarkLineAsNormal(i);
        break;
      case LineOutcome::Error:
        output.AppendLine(out);
        input.MarkLineAsError(i);
        break;
    }
  }
  if (completed) completed();
}

}  // namespace orvane
