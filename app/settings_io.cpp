#include "settings_io.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QStandardPaths>
#include <QtGlobal>
#include <type_traits>

#include "Unit1.h"
#include "Unit2.h"
#include "controls.h"
#include "file_text.h"
#include "ini_file.h"
#include "settings_file.h"

namespace orvane::app {

namespace {

// The control that shows a stored setting, and the kind of value it holds, which
// follows from the control's class.
struct ControlRef {
  SettingType kind;
  QWidget* (*find)(const TForm1& main, const TForm2& options);
};

template <typename>
struct ControlMember;
template <typename Window, typename Widget>
struct ControlMember<Widget * Window::*> {
  using WindowType = Window;
  using WidgetType = Widget;
};

template <auto Member>
constexpr SettingType KindOf() {
  using Widget = typename ControlMember<decltype(Member)>::WidgetType;
  if constexpr (std::is_base_of_v<QLineEdit, Widget>) {
    return SettingType::Text;
  } else if constexpr (std::is_base_of_v<QAbstractSlider, Widget>) {
    return SettingType::Integer;
  } else {
    static_assert(std::is_base_of_v<QAbstractButton, Widget>, "no setting fits this control");
    return SettingType::Boolean;
  }
}

template <auto Member>
QWidget* Find(const TForm1& main, const TForm2& options) {
  if constexpr (std::is_same_v<typename ControlMember<decltype(Member)>::WindowType, TForm1>) {
    return main.*Member;
  } else {
    return options.*Member;
  }
}

template <auto Member>
constexpr ControlRef kControl = {KindOf<Member>(), &Find<Member>};

struct SettingControl {
  SettingMember setting;
  ControlRef control;
};

// Which control of which window shows each stored setting.
constexpr SettingControl kSettingControls[] = {
    {&StoredSettings::West, kControl<&TForm1::Edit1>},
    {&StoredSettings::Ratio, kControl<&TForm1::TrackBar1>},
    {&StoredSettings::IntFormat, kControl<&TForm2::RadioButton3>},
    {&StoredSettings::DoubleFormat, kControl<&TForm2::RadioButton4>},
    {&StoredSettings::ProjectionToSurface, kControl<&TForm2::CheckBox1>},
    {&StoredSettings::LineationData, kControl<&TForm2::CheckBox3>},
    {&StoredSettings::SenseData, kControl<&TForm2::CheckBox4>},
    {&StoredSettings::RemoveComment, kControl<&TForm2::CheckBox5>},
};

// The control of a setting; null when no row, or more than one, names it.
constexpr const ControlRef* ControlOf(const SettingRow& setting) {
  const ControlRef* found = nullptr;
  for (const SettingControl& c : kSettingControls) {
    if (c.setting == setting.Stored) {
      if (found != nullptr) return nullptr;
      found = &c.control;
    }
  }
  return found;
}

constexpr bool EverySettingHasOneControlOfItsKind() {
  for (const SettingRow& setting : kStoredSettings) {
    const ControlRef* control = ControlOf(setting);
    if (control == nullptr || control->kind != setting.Type()) return false;
  }
  return std::size(kSettingControls) == kStoredSettings.size();
}
static_assert(EverySettingHasOneControlOfItsKind());

// Puts a value into its control as a user's change would: the control's handlers
// run where the value differs.
void Put(QWidget* control, SettingType kind, const SettingValue& value) {
  switch (kind) {
    case SettingType::Text:
      static_cast<QLineEdit*>(control)->setText(
          QString::fromStdString(std::get<std::string>(value)));
      return;
    case SettingType::Integer:
      static_cast<QAbstractSlider*>(control)->setValue(std::get<std::int32_t>(value));
      return;
    case SettingType::Boolean:
      static_cast<QAbstractButton*>(control)->setChecked(std::get<bool>(value));
      return;
  }
}

SettingValue Take(const QWidget* control, SettingType kind) {
  switch (kind) {
    case SettingType::Text:
      return static_cast<const QLineEdit*>(control)->text().toStdString();
    case SettingType::Integer:
      return std::int32_t{static_cast<const QAbstractSlider*>(control)->value()};
    case SettingType::Boolean:
      break;
  }
  return static_cast<const QAbstractButton*>(control)->isChecked();
}

}  // namespace

QString SettingsFilePath() {
  const QString folder = QCoreApplication::applicationDirPath();
  const QString beside = QDir(folder).filePath("ORV.ini");
  // A copy that already keeps its settings beside itself, or one that may write
  // there and is not installed (a build tree, a folder on a stick), is portable.
  // An installed copy has its desktop entry in the share folder next to its bin
  // folder; run by root it could write into /usr/bin, so it never takes that path.
  const bool installed =
      QFileInfo::exists(QDir(folder).filePath("../share/applications/orvane.desktop"));
  if (QFileInfo::exists(beside) || (QFileInfo(folder).isWritable() && !installed)) return beside;
  QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (config.isEmpty() || QDir::isRelativePath(config)) config = QDir::home().filePath(".config");
  QDir().mkpath(QDir(config).filePath("orvane"));
  return QDir(config).filePath("orvane/ORV.ini");
}

void LoadSettings(TForm1& main, TForm2& options, const QString& path) {
  const IniFile ini = IniFile::Load(FilePath(path));
  for (const SettingRow& setting : kStoredSettings) {
    const ControlRef& control = *ControlOf(setting);
    Put(control.find(main, options), control.kind, ReadSetting(ini, setting));
  }
}

void SaveSettings(const TForm1& main, const TForm2& options, const QString& path) {
  IniFile ini = IniFile::Load(FilePath(path));
  for (const SettingRow& setting : kStoredSettings) {
    const ControlRef& control = *ControlOf(setting);
    WriteSetting(ini, setting, Take(control.find(main, options), control.kind));
  }
  ini.Save(FilePath(path));
}

}  // namespace orvane::app
