#include "settings_io.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardPaths>
#include <QtGlobal>
#include <filesystem>

#include "Unit1.h"
#include "Unit2.h"
#include "controls.h"
#include "ini_file.h"
#include "settings_file.h"

namespace orvane::app {

namespace {

std::filesystem::path ToPath(const QString& path) {
  return std::filesystem::path(path.toStdString());
}

}  // namespace

QString SettingsFilePath() {
  // Only an ORV.ini already beside the program makes a copy portable: a writable
  // folder does not, or an installed copy run by root would write into /usr/bin.
  const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath("ORV.ini");
  if (QFileInfo::exists(beside)) return beside;
  QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (config.isEmpty() || QDir::isRelativePath(config)) config = QDir::home().filePath(".config");
  QDir().mkpath(QDir(config).filePath("orvane"));
  return QDir(config).filePath("orvane/ORV.ini");
}

void LoadSettings(TForm1& main, TForm2& options, const QString& path) {
  const IniFile ini = IniFile::Load(ToPath(path));
  const auto& keys = kStoredSettings;
  main.Edit1->setText(QString::fromStdString(ReadSettingText(ini, keys[kWestSetting])));
  main.TrackBar1->setValue(ReadSettingInteger(ini, keys[kRatioSetting]));
  options.RadioButton3->setChecked(ReadSettingBool(ini, keys[kIntFormatSetting]));
  options.RadioButton4->setChecked(ReadSettingBool(ini, keys[kDoubleFormatSetting]));
  options.CheckBox1->setChecked(ReadSettingBool(ini, keys[kProjectionSetting]));
  options.CheckBox3->setChecked(ReadSettingBool(ini, keys[kLineationSetting]));
  options.CheckBox4->setChecked(ReadSettingBool(ini, keys[kSenseSetting]));
  options.CheckBox5->setChecked(ReadSettingBool(ini, keys[kRemoveCommentSetting]));
}

void SaveSettings(const TForm1& main, const TForm2& options, const QString& path) {
  IniFile ini = IniFile::Load(ToPath(path));
  const auto& keys = kStoredSettings;
  WriteSettingText(ini, keys[kWestSetting], main.Edit1->text().toStdString());
  WriteSettingInteger(ini, keys[kRatioSetting], main.TrackBar1->value());
  WriteSettingBool(ini, keys[kIntFormatSetting], options.RadioButton3->isChecked());
  WriteSettingBool(ini, keys[kDoubleFormatSetting], options.RadioButton4->isChecked());
  WriteSettingBool(ini, keys[kProjectionSetting], options.CheckBox1->isChecked());
  WriteSettingBool(ini, keys[kLineationSetting], options.CheckBox3->isChecked());
  WriteSettingBool(ini, keys[kSenseSetting], options.CheckBox4->isChecked());
  WriteSettingBool(ini, keys[kRemoveCommentSetting], options.CheckBox5->isChecked());
  ini.Save(ToPath(path));
}

}  // namespace orvane::app
