#include "settings_file.h"

#include <algorithm>
#include <charconv>
#include <type_traits>

namespace orvane {

namespace {

// A row that holds together: a default of the value's type, and a rule that takes
// the value's type to the option's.
constexpr bool IsConsistent(const SettingRow& row) {
  if (row.Default.index() != row.Stored.index()) return false;
  const bool toText = std::holds_alternative<std::string ConversionOptions::*>(row.Option);
  switch (row.Rule) {
    case OptionRule::Copy:
      return row.Type() == (toText ? SettingType::Text : SettingType::Boolean);
    case OptionRule::Negated:
    case OptionRule::SetWhenTrue:
      return !toText && row.Type() == SettingType::Boolean;
    case OptionRule::SliderText:
      return toText && row.Type() == SettingType::Integer;
  }
  return false;
}

static_assert(std::all_of(kStoredSettings.begin(), kStoredSettings.end(), IsConsistent));
static_assert(std::is_same_v<std::variant_alternative_t<0, SettingValue>, std::string> &&
              std::is_same_v<std::variant_alternative_t<1, SettingValue>, std::int32_t> &&
              std::is_same_v<std::variant_alternative_t<2, SettingValue>, bool> &&
              static_cast<std::size_t>(SettingType::Text) == 0 &&
              static_cast<std::size_t>(SettingType::Integer) == 1 &&
              static_cast<std::size_t>(SettingType::Boolean) == 2);

void CheckType(const SettingRow& setting, SettingType type) {
  if (setting.Type() != type) {
    throw std::logic_error("setting '" + std::string(setting.Key) + "' is of another type");
  }
}

std::string WithoutLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c != '\r' && c != '\n') out += c;
  }
  return out;
}

SettingValue DefaultValue(const SettingRow& setting) {
  return std::visit(
      []<typename T>(T value) {
        if constexpr (std::is_same_v<T, std::string_view>) {
          return SettingValue(std::in_place_type<std::string>, value);
        } else {
          return SettingValue(std::in_place_type<T>, value);
        }
      },
      setting.Default);
}

SettingValue Get(const StoredSettings& settings, const SettingRow& setting) {
  return std::visit(
      [&]<typename T>(T StoredSettings::*member) {
        return SettingValue(std::in_place_type<T>, settings.*member);
      },
      setting.Stored);
}

void Set(StoredSettings& settings, const SettingRow& setting, SettingValue value) {
  std::visit([&]<typename T>(
                 T StoredSettings::*member) { settings.*member = std::get<T>(std::move(value)); },
             setting.Stored);
}

// Applies one row's value to the options, as the row's rule says.
void Feed(ConversionOptions& options, const SettingRow& setting, const SettingValue& value) {
  switch (setting.Rule) {
    case OptionRule::Copy:
      std::visit(
          [&]<typename T>(T ConversionOptions::*member) { options.*member = std::get<T>(value); },
          setting.Option);
      return;
    case OptionRule::Negated:
      options.*std::get<bool ConversionOptions::*>(setting.Option) = !std::get<bool>(value);
      return;
    case OptionRule::SetWhenTrue:
      if (std::get<bool>(value))
        options.*std::get<bool ConversionOptions::*>(setting.Option) = true;
      return;
    case OptionRule::SliderText: {
      char buffer[8];
      const auto res = std::to_chars(buffer, buffer + sizeof buffer,
                                     std::clamp(std::get<std::int32_t>(value), 0, 100));
      options.*std::get<std::string ConversionOptions::*>(setting.Option) =
          std::string(buffer, res.ptr);
      return;
    }
  }
}

}  // namespace

StoredSettings::StoredSettings() {
  for (const SettingRow& setting : kStoredSettings) Set(*this, setting, DefaultValue(setting));
}

std::string ReadSettingText(const IniFile& ini, const SettingRow& setting) {
  CheckType(setting, SettingType::Text);
  return ini.ReadString(setting.Section, setting.Key, std::get<std::string_view>(setting.Default));
}

std::int32_t ReadSettingInteger(const IniFile& ini, const SettingRow& setting) {
  CheckType(setting, SettingType::Integer);
  return ini.ReadInteger(setting.Section, setting.Key, std::get<std::int32_t>(setting.Default));
}

bool ReadSettingBool(const IniFile& ini, const SettingRow& setting) {
  CheckType(setting, SettingType::Boolean);
  return ini.ReadBool(setting.Section, setting.Key, std::get<bool>(setting.Default));
}

SettingValue ReadSetting(const IniFile& ini, const SettingRow& setting) {
  switch (setting.Type()) {
    case SettingType::Text:
      return ReadSettingText(ini, setting);
    case SettingType::Integer:
      return ReadSettingInteger(ini, setting);
    case SettingType::Boolean:
      break;
  }
  return ReadSettingBool(ini, setting);
}

void WriteSettingText(IniFile& ini, const SettingRow& setting, std::string_view value) {
  CheckType(setting, SettingType::Text);
  ini.WriteString(setting.Section, setting.Key, WithoutLineBreaks(value));
}

void WriteSettingInteger(IniFile& ini, const SettingRow& setting, std::int32_t value) {
  CheckType(setting, SettingType::Integer);
  ini.WriteInteger(setting.Section, setting.Key, value);
}

void WriteSettingBool(IniFile& ini, const SettingRow& setting, bool value) {
  CheckType(setting, SettingType::Boolean);
  ini.WriteBool(setting.Section, setting.Key, value);
}

void WriteSetting(IniFile& ini, const SettingRow& setting, const SettingValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) {
    WriteSettingText(ini, setting, *text);
  } else if (const auto* number = std::get_if<std::int32_t>(&value)) {
    WriteSettingInteger(ini, setting, *number);
  } else {
    WriteSettingBool(ini, setting, std::get<bool>(value));
  }
}

StoredSettings ReadStoredSettings(const IniFile& ini) {
  StoredSettings settings;
  for (const SettingRow& setting : kStoredSettings) {
    Set(settings, setting, ReadSetting(ini, setting));
  }
  return settings;
}

void WriteStoredSettings(IniFile& ini, const StoredSettings& settings) {
  // The order matters: keys and sections missing from the file are added in it.
  for (const SettingRow& setting : kStoredSettings) {
    WriteSetting(ini, setting, Get(settings, setting));
  }
}

ConversionOptions ToConversionOptions(const StoredSettings& settings) {
  ConversionOptions options;
  for (const SettingRow& setting : kStoredSettings) {
    Feed(options, setting, Get(settings, setting));
  }
  return options;
}

}  // namespace orvane
