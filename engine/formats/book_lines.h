// Field-book lines made by the readers of other programs' files: the numbers, the
// notations and the senses that the engine then reads as it reads typed lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace orvane {

struct ReaderOptions;

// Appends a number as a plain decimal that the engine's field reader gives back
// bit for bit: the shortest such digits, never an exponent, never "-0".
// 120 -> "120", 45.5 -> "45.5", 1e-7 -> "0.0000001".
void AppendFieldNumber(std::string& out, double value);

// Wraps a computed azimuth into [0, 360): 390 -> 30, -90 -> 270.
double WrapDegrees(double azimuth);

// The azimuth of one of the 16 compass points, case ignored: "N" 0, "NNE" 22.5,
// "ne" 45, ..., "NNW" 337.5. Nothing for any other text.
std::optional<double> CompassAzimuth(std::string_view letters);

// The smallest angle between two azimuths, 0 to 180.
double AzimuthDistance(double a, double b);

// The sense letter of a word or letter as spreadsheets and field apps write it,
// case, blanks, "_" and "-" ignored: "N"/"normal" 'N'; "R"/"reverse"/"thrust"/
// "inverse" 'R'; "D"/"dextral"/"right_lateral"/"right-lateral" 'D';
// "S"/"sinistral"/"left_lateral" 'S'; "low_angle_normal" 'N'. The oblique types
// ("dextral_normal", "sinistral_reverse", ...) give 'o' (see ObliqueSense); 0 for
// anything else.
char SenseOfWord(std::string_view word);

// The letter of an oblique fault type whose lineation makes `rake` degrees (0 to 90)
// with the strike: below 45 the strike-slip letter, else the dip-slip one.
// "dextral_normal" with rake 30 -> 'D', with rake 60 -> 'N'. 0 for a word that is no
// oblique type.
char ObliqueSense(std::string_view word, double rake);

// The angle in degrees (0 to 90) between a lineation and the strike of a plane,
// measured in the plane (the lineation is first projected onto it). Nothing when the
// plane is horizontal or the lineation is perpendicular to it.
std::optional<double> RakeFromStrike(double dipDirection, double dip, double trend, double plunge);

// The engine's rake token "R" + rake + strike-end letter for a rake measured down the
// dip from the strike end of azimuth `endAzimuth` (dipDirection - 90 or + 90) of the
// plane the line also carries. The letter is chosen so that the engine's reading of
// it picks that end, and names the end as closely as a single letter can.
// Plane 120/40, rake 30 from the end 30 -> "R30N".
std::string RakeToken(double dipDirection, double dip, double rake, double endAzimuth);

// One translated line, put together field by field. A field that cannot be
// translated is written as "?", which the engine reports with its usual message for
// that field ("error in surface data", "error in liniation data", "error in character
// data"); the line then carries the record's own text as its comment.
class BookLine {
 public:
  void Plane(double dipDirection, double dip);
  void PlaneUnreadable();
  void Lineation(double trend, double plunge);
  // A rake measured down the dip from the strike end `endAzimuth` of the plane
  // (RakeToken); on a line without a plane, the trend and plunge it stands for.
  void LineationFromRake(double dipDirection, double dip, double rake, double endAzimuth);
  void LineationUnreadable();
  // 'N', 'R', 'D', 'S'; 0 for a sense that is not known (no letter is written).
  void Sense(char letter) { sense_ = letter; }
  void SenseUnreadable() { sense_ = '?'; }
  // True when a field that the options ask for cannot be translated.
  bool Unreadable(const ReaderOptions& options) const;

  // The line with the fields the options ask for, and " # " + comment when there is
  // one. An unreadable line takes `recordText` as its comment instead. Line breaks,
  // tabs and other control characters in the comments become blanks.
  std::string Text(const ReaderOptions& options, std::string_view comment,
                   std::string_view recordText) const;

 private:
  std::string plane_ = "?";
  std::string lineation_ = "?";
  std::string lineationWithoutPlane_;
  char sense_ = 0;
};

// "# " + text, one line: line breaks and other control characters become blanks.
std::string CommentLine(std::string_view text);

// Joins the non-empty parts with "; ".
void AppendCommentPart(std::string& comment, std::string_view part);

}  // namespace orvane
