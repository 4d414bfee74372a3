// The eight settings kept in "ORV.ini" between runs, and what they mean for a
// conversion run.
//
// kStoredSettings lists them in the order in which they are read and written,
// each with its section, key, type and the value a missing or unreadable entry
// gives. A program that puts each value into a control as it reads it can go
// through the table key by key; ReadStoredSettings and WriteStoredSettings move
// all eight at once.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "conversion_options.h"
#include "ini_file.h"

namespace orvane {

enum class SettingType { Text, Integer, Boolean };

struct SettingKey {
  std::string_view Section;
  std::string_view Key;
  SettingType Type;
  std::string_view DefaultText;  // Text settings
  std::int32_t DefaultNumber;    // Integer settings; 1 or 0 for Boolean ones
};

// Positions in kStoredSettings.
enum StoredSettingIndex : std::size_t {
  kWestSetting,           // declination text
  kRatioSetting,          // untilting percentage, as the slider's position
  kIntFormatSetting,      // the "integers" output button
  kDoubleFormatSetting,   // the "one decimal" output button
  kProjectionSetting,     // project the lineation onto its plane
  kLineationSetting,      // lines carry a lineation field
  kSenseSetting,          // lines carry a sense letter
  kRemoveCommentSetting,  // saved files leave out lines beginning with "#"
  kStoredSettingCount
};

inline constexpr std::array<SettingKey, kStoredSettingCount> kStoredSettings = {{
    {"correction", "west", SettingType::Text, "0", 0},
    {"bedding dip correction", "ratio", SettingType::Integer, "", 0},
    {"OutputForm", "int", SettingType::Boolean, "", 1},
    {"OutputForm", "double", SettingType::Boolean, "", 0},
    {"Options", "projection to the surface", SettingType::Boolean, "", 1},
    {"Options", "liniation data", SettingType::Boolean, "", 1},
    {"Options", "sense data", SettingType::Boolean, "", 1},
    {"Options", "remove comment", SettingType::Boolean, "", 1},
}};

// One setting read with the ini reader of its type and its default. Each throws
// std::logic_error when the setting is of another type.
std::string ReadSettingText(const IniFile& ini, const SettingKey& setting);
std::int32_t ReadSettingInteger(const IniFile& ini, const SettingKey& setting);
bool ReadSettingBool(const IniFile& ini, const SettingKey& setting);

// One setting written with the ini writer of its type (std::logic_error when the
// type differs).
void WriteSettingText(IniFile& ini, const SettingKey& setting, std::string_view value);
void WriteSettingInteger(IniFile& ini, const SettingKey& setting, std::int32_t value);
void WriteSettingBool(IniFile& ini, const SettingKey& setting, bool value);

// The values as stored, before the controls make anything of them: "ratio" may
// lie outside 0..100, and both or neither format button may be set.
struct StoredSettings {
  std::string West{kStoredSettings[kWestSetting].DefaultText};
  std::int32_t Ratio = kStoredSettings[kRatioSetting].DefaultNumber;
  bool IntFormat = kStoredSettings[kIntFormatSetting].DefaultNumber != 0;
  bool DoubleFormat = kStoredSettings[kDoubleFormatSetting].DefaultNumber != 0;
  bool ProjectionToSurface = kStoredSettings[kProjectionSetting].DefaultNumber != 0;
  bool LineationData = kStoredSettings[kLineationSetting].DefaultNumber != 0;
  bool SenseData = kStoredSettings[kSenseSetting].DefaultNumber != 0;
  bool RemoveComment = kStoredSettings[kRemoveCommentSetting].DefaultNumber != 0;

  bool operator==(const StoredSettings&) const = default;
};

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
