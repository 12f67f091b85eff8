#pragma once

#include <QString>

namespace ipupdate {

// Where the settings file lies. Built anew at every call, never stored.
//
// sys.dll in the program's directory, as long as that file exists or the directory may be
// written: a portable copy keeps its settings beside it, and a file carried over from another
// machine is found where it was put. An installed program's directory is not the user's to
// write, so there it is Ostrand/sys.dll in the user's configuration folder ($XDG_CONFIG_HOME,
// by default ~/.config), whose folder this call creates, readable by its owner only.
QString settingsFilePath();

// settingsFilePath() for a program in `programDir`.
QString settingsFilePathFor(const QString &programDir);

} // namespace ipupdate
