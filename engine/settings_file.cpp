#include "settings_file.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace orvane {

namespace {

void CheckType(const SettingKey& setting, SettingType type) {
  if (setting.Type != type) {
    throw std::logic_error("setting '" + std::string(setting.Key) + "' is of another type");
  }
}

const SettingKey& At(StoredSettingIndex index) {
  return kStoredSettings[index];
}

}  // namespace

std::string ReadSettingText(const IniFile& ini, const SettingKey& setting) {
  CheckType(setting, SettingType::Text);
  return ini.ReadString(setting.Section, setting.Key, setting.DefaultText);
}

std::int32_t ReadSettingInteger(const IniFile& ini, const SettingKey& setting) {
  CheckType(setting, SettingType::Integer);
  return ini.ReadInteger(setting.Section, setting.Key, setting.DefaultNumber);
}

bool ReadSettingBool(const IniFile& ini, const SettingKey& setting) {
  CheckType(setting, SettingType::Boolean);
  return ini.ReadBool(setting.Section, setting.Key, setting.DefaultNumber != 0);
}

void WriteSettingText(IniFile& ini, const SettingKey& setting, std::string_view value) {
  CheckType(setting, SettingType::Text);
  ini.WriteString(setting.Section, setting.Key, value);
}

void WriteSettingInteger(IniFile& ini, const SettingKey& setting, std::int32_t value) {
  CheckType(setting, SettingType::Integer);
  ini.WriteInteger(setting.Section, setting.Key, value);
}

void WriteSettingBool(IniFile& ini, const SettingKey& setting, bool value) {
  CheckType(setting, SettingType::Boolean);
  ini.WriteBool(setting.Section, setting.Key, value);
}

StoredSettings ReadStoredSettings(const IniFile& ini) {
  StoredSettings s;
  s.West = ReadSettingText(ini, At(kWestSetting));
  s.Ratio = ReadSettingInteger(ini, At(kRatioSetting));
  s.IntFormat = ReadSettingBool(ini, At(kIntFormatSetting));
  s.DoubleFormat = ReadSettingBool(ini, At(kDoubleFormatSetting));
  s.ProjectionToSurface = ReadSettingBool(ini, At(kProjectionSetting));
  s.LineationData = ReadSettingBool(ini, At(kLineationSetting));
  s.SenseData = ReadSettingBool(ini, At(kSenseSetting));
  s.RemoveComment = ReadSettingBool(ini, At(kRemoveCommentSetting));
  return s;
}

void WriteStoredSettings(IniFile& ini, const StoredSettings& s) {
  // The order matters: keys and sections missing from the file are added in it.
  WriteSettingText(ini, At(kWestSetting), s.West);
  WriteSettingInteger(ini, At(kRatioSetting), s.Ratio);
  WriteSettingBool(ini, At(kIntFormatSetting), s.IntFormat);
  WriteSettingBool(ini, At(kDoubleFormatSetting), s.DoubleFormat);
  WriteSettingBool(ini, At(kProjectionSetting), s.ProjectionToSurface);
  WriteSettingBool(ini, At(kLineationSetting), s.LineationData);
  WriteSettingBool(ini, At(kSenseSetting), s.SenseData);
  WriteSettingBool(ini, At(kRemoveCommentSetting), s.RemoveComment);
}

ConversionOptions ToConversionOptions(const StoredSettings& s) {
  ConversionOptions options;
  options.DeclinationText = s.West;
  char buffer[8];
  const auto res = std::to_chars(buffer, buffer + sizeof buffer, std::clamp(s.Ratio, 0, 100));
  options.UntiltingText.assign(buffer, res.ptr);
  // Setting "int" checks the integer button; setting "double" afterwards checks
  // the decimal one and clears it. Clearing a button checks neither.
  const bool integerButton = s.IntFormat && !s.DoubleFormat;
  options.OneDecimal = !integerButton;
  options.ProjectionToSurface = s.ProjectionToSurface;
  options.LineationData = s.LineationData;
  options.SenseData = s.SenseData;
  options.RemoveComment = s.RemoveComment;
  return options;
}

}  // namespace orvane
