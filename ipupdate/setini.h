#pragma once

#include <QString>

// The settings file: an INI text file in code page 936 (GBK) with CR LF line ends, read and
// written by the rules of the Windows profile routines, so a file moves between a Windows
// machine and this program unchanged in both directions.
namespace ipupdate {

// The value of `key` in `section` of `file`; the empty text when the file, the section or the
// key is missing. A value longer than 254 bytes of GBK comes back cut to 254 bytes.
QString ReadSetting(const QString &section, const QString &key, const QString &file);

// Stores `value` under `key` in `section` of `file`, creating what is missing and keeping every
// other byte. Returns false when the value could not be saved; the file is then as it was.
[[nodiscard]] bool WriteSetting(const QString &section, const QString &key, const QString &value,
                                const QString &file);

} // namespace ipupdate
