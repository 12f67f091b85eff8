#pragma once

#include <QByteArray>
#include <QString>

// The settings file: an INI text file in code page 936 (GBK) with CR LF line ends, read and
// written by the rules of the Windows profile routines, so a file moves between a Windows
// machine and this program unchanged in both directions.
//
// How a file is read:
// - The bytes are decoded from GBK before anything is parsed: the second byte of a double-byte
//   character may be "[", "]" or "\", and must never end a name. A byte that is no GBK
//   character reads as U+FFFD.
// - CR LF, LF and CR all end a line.
// - Blanks are space and tab; they are ignored around section names, keys and values.
// - A line whose first non-blank character is "[" opens a section when it also holds a "]"; the
//   name is what stands between the "[" and the first "]"; the rest of the line is ignored.
//   A "[" line without "]" is an ordinary line.
// - A line whose first non-blank character is ";" is a comment. ";" elsewhere and "#" are text.
// - Any other line holding "=" is a key line: the key is what stands before the first "=",
//   the value what follows it. A line without "=" (and any line before the first section) is
//   no key: reads pass over it and writes keep it as it stands.
// - Section and key names match without regard to letter case; a value keeps its case.
// - A value wrapped in a matching pair of double or single quotes loses that outer pair only.
// - Of repeated sections only the first is searched; of repeated keys in it the first counts.
// - A value comes back cut to its first 254 bytes of GBK, on a character boundary.
//
// How a file is written:
// - A new file is the section line and the key line, each ending in CR LF, no byte-order mark,
//   nothing around the "=".
// - The first key line of the first matching section is rewritten as key "=" value, with the
//   key spelled as the caller gives it; its own line end stays.
// - A missing key goes right after the last key line of its section (right after the section
//   line when it has none); a missing section goes at the end of the file, after a CR LF when
//   the last line lacks a line end. Every other byte of the file stays as it was.
// - The value is written exactly as given (no quotes are added). A write that would change no
//   byte leaves the file untouched.
// - The new contents go to a temporary file beside the old one that then replaces it, so no
//   half-written file is ever left. A new file is readable by its owner only (it holds a
//   password in plain text); an existing file keeps its permissions.
// - A write is refused, leaving the file as it was, when a text holds a character that GBK
//   cannot store, when a text holds a line break or NUL (it would make lines of its own), when
//   the section name holds "]" or the key holds "=" or starts with "[" or ";", or when the
//   existing file cannot be read (writing then would lose what it holds).
namespace ipupdate {

// The value of `key` in `section` of `file`; the empty text when the file, the section or the
// key is missing. A value longer than 254 bytes of GBK comes back cut to 254 bytes.
QString ReadSetting(const QString &section, const QString &key, const QString &file);

// ReadSetting on a file's contents, without touching the disk.
QString ReadSettingFromBytes(const QByteArray &fileBytes, const QString &section, const QString &key);

// Stores `value` under `key` in `section` of `file`, creating what is missing and keeping every
// other byte. Returns false when the value could not be saved; the file is then as it was.
[[nodiscard]] bool WriteSetting(const QString &section, const QString &key, const QString &value,
                                const QString &file);

} // namespace ipupdate
