#pragma once

#include <QString>

namespace ipupdate {

// Where the settings file lies: sys.dll in the program's directory. Built anew at every call.
QString settingsFilePath();

} // namespace ipupdate
