// The eight settings kept in "ORV.ini" between runs, and what they mean for a
// conversion run.
//
// kStoredSettings is the one list of them: each row gives the section and key, the
// member of StoredSettings that holds the value (and so its type: text, integer or
// boolean, each with its own ini reader and writer), the value a missing or
// unreadable entry gives, and the ConversionOptions member it feeds. The rows stand
// in the order in which the settings are read and written. Reading, writing and
// the options are loops over the table; a program that puts each value into a
// control as it reads it goes through the same rows (ReadSetting, WriteSetting).
// A new setting is a member of StoredSettings and a row here (and, in the desktop
// program, a row that names its control); the build checks that the row's default
// and rule fit the member's type.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

#include "conversion_options.h"
#include "ini_file.h"

namespace orvane {

// The values as stored, before the controls make anything of them: "ratio" may
// lie outside 0..100, and both or neither format button may be set.
struct StoredSettings {
  std::string West;          // declination text
  std::int32_t Ratio;        // untilting percentage, as the slider's position
  bool IntFormat;            // the "integers" output button
  bool DoubleFormat;         // the "one decimal" output button
  bool ProjectionToSurface;  // project the lineation onto its plane
  bool LineationData;        // lines carry a lineation field
  bool SenseData;            // lines carry a sense letter
  bool RemoveComment;        // saved files leave out lines beginning with "#"

  StoredSettings();  // every value its default
  bool operator==(const StoredSettings&) const = default;
};

// The types of stored values, in the order of the alternatives of the variants below.
enum class SettingType { Text, Integer, Boolean };

// A value of a setting: text, integer or boolean, as its row says.
using SettingValue = std::variant<std::string, std::int32_t, bool>;
using SettingMember = std::variant<std::string StoredSettings::*, std::int32_t StoredSettings::*,
                                   bool StoredSettings::*>;
using SettingDefault = std::variant<std::string_view, std::int32_t, bool>;
using OptionMember = std::variant<std::string ConversionOptions::*, bool ConversionOptions::*>;

// How a stored value reaches the options of a run, as the window's controls pass
// it on. The rows are applied in table order to options at their defaults.
enum class OptionRule {
  Copy,         // the option is the value
  Negated,      // the option is the opposite: "integers" set means no decimal
  SetWhenTrue,  // true sets the option, false leaves it: checking "one decimal"
                // clears "integers", clearing it checks nothing
  SliderText,   // the value clamped into 0..100 as decimal text: the slider
                // writes its position into the untilting field (250 -> "100")
};

struct SettingRow {
  std::string_view Section;
  std::string_view Key;
  SettingMember Stored;  // where StoredSettings keeps it
  SettingDefault Default;
  OptionMember Option;  // what it feeds
  OptionRule Rule;

  constexpr SettingType Type() const { return static_cast<SettingType>(Stored.index()); }
};

inline constexpr std::array<SettingRow, 8> kStoredSettings = {{
    {"correction", "west", &StoredSettings::West, "0", &ConversionOptions::DeclinationText,
     OptionRule::Copy},
    {"bedding dip correction", "ratio", &StoredSettings::Ratio, 0,
     &ConversionOptions::UntiltingText, OptionRule::SliderText},
    {"OutputForm", "int", &StoredSettings::IntFormat, true, &ConversionOptions::OneDecimal,
     OptionRule::Negated},
    {"OutputForm", "double", &StoredSettings::DoubleFormat, false, &ConversionOptions::OneDecimal,
     OptionRule::SetWhenTrue},
    {"Options", "projection to the surface", &StoredSettings::ProjectionToSurface, true,
     &ConversionOptions::ProjectionToSurface, OptionRule::Copy},
    {"Options", "liniation data", &StoredSettings::LineationData, true,
     &ConversionOptions::LineationData, OptionRule::Copy},
    {"Options", "sense data", &StoredSettings::SenseData, true, &ConversionOptions::SenseData,
     OptionRule::Copy},
    {"Options", "remove comment", &StoredSettings::RemoveComment, true,
     &ConversionOptions::RemoveComment, OptionRule::Copy},
}};

// The row of the setting kept in `member`. Throws std::out_of_range for a member
// that no row names (at compile time when evaluated there).
constexpr const SettingRow& SettingOf(SettingMember member) {
  for (const SettingRow& row : kStoredSettings) {
    if (row.Stored == member) return row;
  }
  throw std::out_of_range("no stored setting for this member");
}

// One setting read with the ini reader of its type and its default. The typed
// ones throw std::logic_error when the setting is of another type.
SettingValue ReadSetting(const IniFile& ini, const SettingRow& setting);
std::string ReadSettingText(const IniFile& ini, const SettingRow& setting);
std::int32_t ReadSettingInteger(const IniFile& ini, const SettingRow& setting);
bool ReadSettingBool(const IniFile& ini, const SettingRow& setting);

// One setting written with the ini writer of its type (std::logic_error when the
// value is of another type). A text is written without its line breaks, so that a
// declination pasted as "5.5\r\n" is stored as "5.5".
void WriteSetting(IniFile& ini, const SettingRow& setting, const SettingValue& value);
void WriteSettingText(IniFile& ini, const SettingRow& setting, std::string_view value);
void WriteSettingInteger(IniFile& ini, const SettingRow& setting, std::int32_t value);
void WriteSettingBool(IniFile& ini, const SettingRow& setting, bool value);

// All eight, in table order; missing or unreadable entries give their defaults.
StoredSettings ReadStoredSettings(const IniFile& ini);

// All eight, in table order, changed or not.
void WriteStoredSettings(IniFile& ini, const StoredSettings& settings);

// The options a run gets when the desktop program has loaded these settings into
// its controls: the untilting text is the slider's position ("ratio" clamped into
// 0..100: 250 -> "100", -5 -> "0"); the two format buttons exclude each other and
// "double" is set after "int", so integers only for int=1, double=0. The
// surface switch is not stored and stays on.
ConversionOptions ToConversionOptions(const StoredSettings& settings);

}  // namespace orvane
