#pragma once

#include <QString>
#include <QStringView>

// How both calculators turn box texts into numbers and results into texts.
//
// Number syntax, shared by both readings: optional blanks, an optional "+" or "-", decimal digits
// with at most one decimal point before, among or after them (at least one digit), optional blanks.
// Decisions on the points a reader of the code may wonder about:
// - Full-width digits, point, plus and minus from a Chinese input method (１７０．５, －) count as
//   their ASCII forms; so does the ideographic full stop "。", which the same input method types
//   for the "." key. Blanks are space, tab, line breaks and the ideographic space U+3000.
// - Blanks before and after the number are ignored by both readings; a blank inside a number ends
//   it (lenient) or makes the text no number (strict).
// - No exponent, hexadecimal or octal prefix, digit grouping, currency sign or bracket: "1e5" reads
//   leniently as 1 and fails strictly. A comma is never a decimal point.
// - The value is the double nearest to the decimal value, however many digits the text holds.
//   A magnitude beyond the double range reads as an infinity of its sign; one below the smallest
//   double reads as a zero of its sign. Neither reading ever faults on size.
// - Neither reading allocates memory, and each runs in time linear in the text's length.
namespace common {

// Never fails: the longest beginning of the text that forms a number, or 0 when none does.
double ReadLenient(QStringView text);

// The whole text must be one number; throws TypeMismatch otherwise.
double ReadStrict(QStringView text);

// At most 15 significant digits, rounded to nearest (an exact tie goes to the even digit, as
// IEEE 754 and C's printf do), trailing fraction zeros dropped, "." as decimal point, "0" for
// either zero. Positional for magnitudes from 0.00001 up to below 10^15; beyond those, VB-like
// scientific notation such as "1.5E+20" or "1E-07". Infinities are "∞" and "-∞", NaN is "NaN".
QString DisplayText(double value);

// The plain decimal digits, with "-" before a negative value.
QString DisplayText(qint16 value);

} // namespace common
