#include "numerictext.h"

#include "faults.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace common {
namespace {

// Correct rounding of a decimal needs at most 768 significant digits; beyond them only whether
// any further digit is non-zero can still matter, and one sticky digit carries that.
constexpr int kMaxDigits = 768;

// The ASCII character that a box character stands for in a number, ' ' for a blank, 0 otherwise.
char numberChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return char(u);
    if (u >= u'０' && u <= u'９')
        return char('0' + (u - u'０'));
    switch (u) {
    case u'.': case u'．': case u'。':
        return '.';
    case u'-': case u'－':
        return '-';
    case u'+': case u'＋':
        return '+';
    case u' ': case u'\t': case u'\r': case u'\n': case u'\u3000':
        return ' ';
    default:
        return 0;
    }
}

struct Scan {
    bool isNumber = false;  // at least one digit was read
    qsizetype end = 0;      // index just after the number
    double value = 0;
};

// Reads the number that starts the text (after blanks), without allocating.
Scan scanNumber(QStringView text)
{
    Scan scan;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && numberChar(text[i]) == ' ')
        ++i;
    bool negative = false;
    if (i < n && (numberChar(text[i]) == '-' || numberChar(text[i]) == '+'))
        negative = numberChar(text[i++]) == '-';

    // The value is digits × 10^exponent.
    char buffer[kMaxDigits + 32];
    int digits = 0;
    long long exponent = 0;
    bool sticky = false;
    bool pointSeen = false;
    for (; i < n; ++i) {
        const char c = numberChar(text[i]);
        if (c == '.' && !pointSeen) {
            pointSeen = true;
            continue;
        }
        if (c < '0' || c > '9')
            break;
        scan.isNumber = true;
        if (digits == 0 && c == '0') {
            if (pointSeen)
                --exponent;
        } else if (digits < kMaxDigits) {
            buffer[digits++] = c;
            if (pointSeen)
                --exponent;
        } else {
            sticky = sticky || c != '0';
            if (!pointSeen)
                ++exponent;
        }
    }
    scan.end = i;
    if (!scan.isNumber || digits == 0) {
        scan.value = negative ? -0.0 : 0.0;
        return scan;
    }
    if (sticky) {
        buffer[digits++] = '1';
        --exponent;
    }
    char *p = buffer + digits;
    *p++ = 'e';
    p = std::to_chars(p, buffer + sizeof buffer, exponent).ptr;

    double magnitude = 0;
    const auto [ptr, error] = std::from_chars(buffer, p, magnitude, std::chars_format::scientific);
    if (error == std::errc::result_out_of_range)
        magnitude = digits + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    scan.value = negative ? -magnitude : magnitude;
    return scan;
}

} // namespace

double ReadLenient(QStringView text)
{
    const Scan scan = scanNumber(text);
    return scan.isNumber ? scan.value : 0.0;
}

double ReadStrict(QStringView text)
{
    const Scan scan = scanNumber(text);
    qsizetype i = scan.end;
    while (i < text.size() && numberChar(text[i]) == ' ')
        ++i;
    if (!scan.isNumber || i != text.size())
        throw TypeMismatch();
    return scan.value;
}

QString DisplayText(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-∞") : QStringLiteral("∞");

    // "-d.dddddddddddddde+ddd": the 15 significant digits, correctly rounded.
    char scientific[32];
    const char *end = std::to_chars(scientific, scientific + sizeof scientific, value,
                                    std::chars_format::scientific, 14).ptr;
    const char *s = scientific;
    const bool negative = *s == '-';
    if (negative)
        ++s;
    char digits[15];
    int count = 0;
    for (; *s != 'e'; ++s) {
        if (*s != '.')
            digits[count++] = *s;
    }
    int exponent = 0;
    std::from_chars(s[1] == '+' ? s + 2 : s + 1, end, exponent);
    while (count > 1 && digits[count - 1] == '0')
        --count;

    QString text;
    text.reserve(24);
    if (negative)
        text += QLatin1Char('-');
    if (exponent >= 15 || exponent < -5) {
        text += QLatin1Char(digits[0]);
        if (count > 1) {
            text += QLatin1Char('.');
            text += QLatin1String(digits + 1, count - 1);
        }
        text += exponent < 0 ? QLatin1String("E-") : QLatin1String("E+");
        const int power = std::abs(exponent);
        if (power < 10)
            text += QLatin1Char('0');
        text += QString::number(power);
    } else if (exponent < 0) {
        text += QLatin1String("0.");
        text += QString(-exponent - 1, QLatin1Char('0'));
        text += QLatin1String(digits, count);
    } else {
        for (int i = 0; i <= exponent; ++i)
            text += QLatin1Char(i < count ? digits[i] : '0');
        if (count > exponent + 1) {
            text += QLatin1Char('.');
            text += QLatin1String(digits + exponent + 1, count - exponent - 1);
        }
    }
    return text;
}

QString DisplayText(qint16 value)
{
    return QString::number(value);
}

} // namespace common
