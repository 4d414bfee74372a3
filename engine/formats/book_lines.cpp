#include "book_lines.h"

#include <array>
#include <charconv>
#include <cmath>

#include "elementary.h"
#include "format_readers.h"
#include "numbers.h"
#include "text.h"

namespace orvane {

namespace {

constexpr double kDegree = 3.141592653589793 / 180;

// Lower case without blanks, "_" and "-": "Right-Lateral" -> "rightlateral".
std::string Folded(std::string_view word) {
  std::string out;
  for (const char c : word) {
    if (c == ' ' || c == '_' || c == '-' || c == '\t') continue;
    out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
  }
  return out;
}

void AppendCleaned(std::string& out, std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    out.push_back(byte < 32 || byte == 127 ? ' ' : c);
  }
}

}  // namespace

void AppendFieldNumber(std::string& out, double value) {
  if (value == 0) value = 0;  // no "-0"
  AppendShortestFixed(out, value);
}

double WrapDegrees(double azimuth) {
  double r = std::fmod(azimuth, 360.0);
  if (r < 0) r += 360;
  return r >= 360 ? 0 : r;
}

std::optional<double> CompassAzimuth(std::string_view letters) {
  static constexpr std::array<std::string_view, 16> kPoints = {
      "n", "nne", "ne", "ene", "e", "ese", "se", "sse",
      "s", "ssw", "sw", "wsw", "w", "wnw", "nw", "nnw"};
  const std::string folded = Folded(letters);
  for (std::size_t i = 0; i < kPoints.size(); ++i) {
    if (folded == kPoints[i]) return 22.5 * static_cast<double>(i);
  }
  return std::nullopt;
}

double AzimuthDistance(double a, double b) {
  const double d = WrapDegrees(a - b);
  return d > 180 ? 360 - d : d;
}

char SenseOfWord(std::string_view word) {
  const std::string w = Folded(word);
  if (w == "n" || w == "normal" || w == "lowanglenormal") return 'N';
  if (w == "r" || w == "reverse" || w == "thrust" || w == "inverse") return 'R';
  if (w == "d" || w == "dextral" || w == "rightlateral") return 'D';
  if (w == "s" || w == "sinistral" || w == "leftlateral") return 'S';
  if (w == "dextralnormal" || w == "dextralreverse" || w == "sinistralnormal" ||
      w == "sinistralreverse") {
    return 'o';
  }
  return 0;
}

char ObliqueSense(std::string_view word, double rake) {
  const std::string w = Folded(word);
  const bool dextral = w.starts_with("dextral");
  if (SenseOfWord(word) != 'o') return 0;
  if (rake < 45) return dextral ? 'D' : 'S';
  return w.ends_with("normal") ? 'N' : 'R';
}

std::optional<double> RakeFromStrike(double dipDirection, double dip, double trend, double plunge) {
  const double a = dipDirection * kDegree;
  const double d = dip * kDegree;
  if (std::fabs(Sin(d)) < 1e-9) return std::nullopt;  // a horizontal plane has no strike
  const double n[3] = {Sin(d) * Cos(a), Sin(d) * Sin(a), -Cos(d)};
  const double t = trend * kDegree;
  const double p = plunge * kDegree;
  double l[3] = {Cos(p) * Cos(t), Cos(p) * Sin(t), Sin(p)};
  const double along = l[0] * n[0] + l[1] * n[1] + l[2] * n[2];
  for (int i = 0; i < 3; ++i) l[i] -= along * n[i];
  const double length = std::sqrt(l[0] * l[0] + l[1] * l[1] + l[2] * l[2]);
  if (!(length > 1e-9)) return std::nullopt;
  // The strike direction dipDirection - 90 is (sin a, -cos a, 0).
  const double c = std::fabs(l[0] * Sin(a) - l[1] * Cos(a)) / length;
  const double cosine = std::fmin(c, 1.0);
  return Atan2(std::sqrt((1 - cosine) * (1 + cosine)), cosine) / kDegree;  // the arc cosine
}

std::string RakeToken(double dipDirection, double dip, double rake, double endAzimuth) {
  // The plane as the engine will hold it: azimuth wrapped, a dip beyond 0..90 folded.
  double alpha = WrapDegrees(dipDirection);
  if (dip > 90 || dip < 0) alpha = WrapDegrees(alpha + 180);
  // The engine measures from alpha + 90 for the two letters of alpha's row, from
  // alpha - 90 for the other two.
  const std::string_view row = alpha <= 90    ? "SE"
                               : alpha <= 180 ? "SW"
                               : alpha <= 270 ? "NW"
                                              : "NE";
  const bool fromPlus =
      AzimuthDistance(endAzimuth, alpha + 90) < AzimuthDistance(endAzimuth, alpha - 90);
  char best = 0;
  double bestDistance = 361;
  for (const char letter : std::string_view("NESW")) {
    const bool inRow = row.find(letter) != std::string_view::npos;
    if (inRow != fromPlus) continue;
    const double distance = AzimuthDistance(endAzimuth, *CompassAzimuth({&letter, 1}));
    if (distance < bestDistance) {
      best = letter;
      bestDistance = distance;
    }
  }
  std::string token = "R";
  AppendFieldNumber(token, rake);
  token.push_back(best);
  return token;
}

void BookLine::Plane(double dipDirection, double dip) {
  plane_.clear();
  AppendFieldNumber(plane_, dipDirection);
  plane_.push_back(' ');
  AppendFieldNumber(plane_, dip);
}

void BookLine::Lineation(double trend, double plunge) {
  lineation_.clear();
  AppendFieldNumber(lineation_, trend);
  lineation_.push_back(' ');
  AppendFieldNumber(lineation_, plunge);
  lineationWithoutPlane_.clear();
}

void BookLine::LineationFromRake(double dipDirection, double dip, double rake, double endAzimuth) {
  lineation_ = RakeToken(dipDirection, dip, rake, endAzimuth);
  // Without a plane on the line the engine cannot read a rake: then the line
  // carries the trend and plunge it stands for, sin r * down-dip + cos r * strike end.
  const double a = dipDirection * kDegree;
  const double d = dip * kDegree;
  const double r = rake * kDegree;
  const double e = endAzimuth * kDegree;
  const double v[3] = {Sin(r) * Cos(d) * Cos(a) + Cos(r) * Cos(e),
                       Sin(r) * Cos(d) * Sin(a) + Cos(r) * Sin(e), Sin(r) * Sin(d)};
  const double trend = WrapDegrees(Atan2(v[1], v[0]) / kDegree);
  const double plunge = Asin(std::fmax(-1.0, std::fmin(1.0, v[2]))) / kDegree;
  lineationWithoutPlane_.clear();
  AppendFieldNumber(lineationWithoutPlane_, trend);
  lineationWithoutPlane_.push_back(' ');
  AppendFieldNumber(lineationWithoutPlane_, plunge);
}

// assign(1, '?'): GCC 12 warns falsely (-Wrestrict) about assigning a literal here.
void BookLine::PlaneUnreadable() {
  plane_.assign(1, '?');
}

void BookLine::LineationUnreadable() {
  lineation_.assign(1, '?');
  lineationWithoutPlane_.clear();
}

bool BookLine::Unreadable(const ReaderOptions& options) const {
  return (options.surface && plane_ == "?") || (options.lineation && lineation_ == "?") ||
         (options.sense && sense_ == '?');
}

std::string BookLine::Text(const ReaderOptions& options, std::string_view comment,
                           std::string_view recordText) const {
  std::string line;
  const auto field = [&line](std::string_view text) {
    if (!line.empty()) line.push_back(' ');
    line.append(text);
  };
  if (options.surface) field(plane_);
  if (options.lineation) {
    field(!options.surface && !lineationWithoutPlane_.empty() ? lineationWithoutPlane_
                                                              : lineation_);
  }
  if (options.sense && sense_ != 0) field(std::string_view(&sense_, 1));
  const std::string_view note = Trim(Unreadable(options) ? recordText : comment);
  if (!note.empty()) {
    line.append(line.empty() ? "# " : " # ");
    AppendCleaned(line, note);
  }
  return line;
}

std::string CommentLine(std::string_view text) {
  std::string line = "# ";
  AppendCleaned(line, Trim(text));
  return line;
}

void AppendCommentPart(std::string& comment, std::string_view part) {
  if (part.empty()) return;
  if (!comment.empty()) comment.append("; ");
  comment.append(part);
}

void TranslatedBook::Add(std::string line, long sourceLine, bool record) {
  lines.push_back(std::move(line));
  sourceLines.push_back(sourceLine);
  if (record) ++records;
}

}  // namespace orvane
