#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// What must hold for any input of the fuzzed code. Each check returns the empty text when the
// input behaves, and otherwise says what went wrong; the fuzz targets abort on it, the corpus
// test fails with it. A crash or an unexpected exception is a finding of its own.
namespace fuzzing {

// The text a fuzz input stands for: a first byte with the low bit clear takes the rest as
// UTF-8 (readable seeds, and every character a user can type), with it set as raw UTF-16
// (lone surrogates and anything else a box could hold).
QString textFromBytes(const QByteArray &bytes);

// Lenient reading never throws, and gives what strict reading gives for the longest beginning
// of the text that strict reading accepts (0 when it accepts none).
QString checkLenientReading(QStringView text);

// Strict reading throws only TypeMismatch, and when it succeeds it agrees with lenient reading.
QString checkStrictReading(QStringView text);

// The first eight bytes as a double (missing bytes are zero).
double doubleFromBytes(const QByteArray &bytes);

// A finite value's display text is short, well formed, and reads back through strict reading to
// the value within the 15-digit rounding.
QString checkDisplayRoundTrip(double value);

// Reading any settings file, for each of the program's three keys, ends in a value of at most 254
// bytes of GBK that lies within one line.
QString checkSettingsReader(const QByteArray &fileBytes);

// The fuzz targets: each takes the raw bytes of one input. Seeds lie in corpus/<name>/, inputs
// that once made the target fail in regressions/<name>/.
struct Target {
    const char *name;
    QString (*check)(const QByteArray &bytes);
};
const QList<Target> &targets();

} // namespace fuzzing
