// Moves the stored settings (the engine's kStoredSettings) between ORV.ini and the
// controls of the two windows; settings_io.cpp names the control of each.
#pragma once

#include <QString>

namespace orvane::app {

class TForm1;
class TForm2;

// Where the settings file lives: beside the executable when ORV.ini exists there,
// or when that folder is writable and the copy is not installed (a portable copy, a
// build tree); otherwise, for an installed copy (its desktop entry in
// ../share/applications beside the program's folder, whoever runs it),
// $XDG_CONFIG_HOME/orvane/ORV.ini (~/.config/orvane/ORV.ini when that variable is
// unset or not an absolute path), creating the orvane folder.
QString SettingsFilePath();

// Reads the settings in their fixed order and puts each into its control at once,
// as a user's change would: the controls' handlers run where a value differs
// (a "west" of "5.5W" shows "Input rotation angle"). A missing file, section or key
// gives the default. Throws orvane::IniFileError when an existing file cannot be read.
void LoadSettings(TForm1& main, TForm2& options, const QString& path);

// Writes all eight settings, keeping everything else in the file as it was; the
// file is replaced atomically. A declination holding line breaks is written
// without them. Throws orvane::IniFileError naming the file.
void SaveSettings(const TForm1& main, const TForm2& options, const QString& path);

}  // namespace orvane::app
