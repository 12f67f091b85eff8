#include "properties.h"

#include "common/faults.h"
#include "common/numerictext.h"
#include "ipupdate/setini.h"

#include <iconv.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace fuzzing {
namespace {

// Beyond this, the prefix search of the lenient check (quadratic) would slow the fuzzer down
// more than long texts teach it.
constexpr qsizetype kLongestPrefixSearch = 64;

// The longest display text: "-1.23456789012345E-308" has 22 characters; a little slack.
constexpr qsizetype kLongestDisplayText = 24;

bool sameDouble(double a, double b)
{
    return std::bit_cast<quint64>(a) == std::bit_cast<quint64>(b);
}

QString describe(double value)
{
    return QString::number(value, 'g', 17);
}

// The display text with its exponent written out as zeros, so strict reading (which knows no
// exponent) can read it back exactly: "-1.5E-07" becomes "-0.00000015".
QString positional(const QString &text)
{
    const qsizetype e = text.indexOf(u'E');
    if (e < 0)
        return text;
    QString mantissa = text.left(e);
    const int exponent = text.mid(e + 1).toInt();
    QString sign;
    if (mantissa.startsWith(u'-')) {
        sign = QStringLiteral("-");
        mantissa.remove(0, 1);
    }
    const qsizetype point = mantissa.indexOf(u'.');
    const qsizetype wholeDigits = point < 0 ? mantissa.size() : point;
    const QString digits = QString(mantissa).remove(u'.');
    const qsizetype newPoint = wholeDigits + exponent;
    if (newPoint <= 0)
        return sign + QStringLiteral("0.") + QString(-newPoint, u'0') + digits;
    if (newPoint >= digits.size())
        return sign + digits + QString(newPoint - digits.size(), u'0');
    return sign + digits.left(newPoint) + u'.' + digits.mid(newPoint);
}

// Bytes that one character takes in GBK. U+FFFD, which stands for bytes that were no character,
// and any other character GBK cannot hold count as one byte, the least they can have taken.
int gbkBytes(QChar c)
{
    if (c.unicode() < 0x80)
        return 1;
    static const iconv_t toGbk = iconv_open("CP936", "UTF-16LE");
    char16_t unit = c.unicode();
    char *in = reinterpret_cast<char *>(&unit);
    size_t inLeft = sizeof unit;
    char out[8];
    char *outPointer = out;
    size_t outLeft = sizeof out;
    iconv(toGbk, nullptr, nullptr, nullptr, nullptr);
    if (iconv(toGbk, &in, &inLeft, &outPointer, &outLeft) == size_t(-1))
        return 1;
    return int(sizeof out - outLeft);
}

} // namespace

QString textFromBytes(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    const QByteArray rest = bytes.mid(1);
    if ((bytes[0] & 1) == 0)
        return QString::fromUtf8(rest);
    QString text(rest.size() / 2, Qt::Uninitialized);
    std::memcpy(text.data(), rest.constData(), size_t(text.size()) * 2);
    return text;
}

QString checkLenientReading(QStringView text)
{
    const double lenient = common::ReadLenient(text);
    if (std::isnan(lenient))
        return QStringLiteral("lenient reading gave NaN");
    if (text.size() > kLongestPrefixSearch)
        return {};
    for (qsizetype n = text.size(); n > 0; --n) {
        double strict = 0;
        try {
            strict = common::ReadStrict(text.left(n));
        } catch (const common::TypeMismatch &) {
            continue;
        }
        if (!sameDouble(lenient, strict))
            return QStringLiteral("lenient reading gave %1, strict reading of the first %2 characters %3")
                .arg(describe(lenient)).arg(n).arg(describe(strict));
        return {};
    }
    if (!sameDouble(lenient, 0.0))
        return QStringLiteral("no beginning is a number, yet lenient reading gave %1").arg(describe(lenient));
    return {};
}

QString checkStrictReading(QStringView text)
{
    double strict = 0;
    try {
        strict = common::ReadStrict(text);
    } catch (const common::TypeMismatch &) {
        return {};
    }
    const double lenient = common::ReadLenient(text);
    if (!sameDouble(strict, lenient))
        return QStringLiteral("strict reading gave %1, lenient reading %2")
            .arg(describe(strict), describe(lenient));
    return {};
}

double doubleFromBytes(const QByteArray &bytes)
{
    char raw[sizeof(double)] = {};
    std::memcpy(raw, bytes.constData(), std::min<size_t>(sizeof raw, size_t(bytes.size())));
    return std::bit_cast<double>(raw);
}

QString checkDisplayRoundTrip(double value)
{
    if (!std::isfinite(value))
        return {};
    const QString text = common::DisplayText(value);
    if (text.size() > kLongestDisplayText)
        return QStringLiteral("display text of %1 is %2 characters long: %3")
            .arg(describe(value)).arg(text.size()).arg(text);
    for (QChar c : text) {
        if (!(c.isDigit() && c.unicode() < 128) && c != u'.' && c != u'-' && c != u'+' && c != u'E')
            return QStringLiteral("display text of %1 holds %2: %3").arg(describe(value), c, text);
    }

    double back = 0;
    try {
        back = common::ReadStrict(positional(text));
    } catch (const common::TypeMismatch &) {
        return QStringLiteral("display text of %1 does not read back: %2").arg(describe(value), text);
    }
    // 15 significant digits are within half a unit of the 15th digit, that is 5e-15 of the value;
    // reading the decimal back may add up to half a unit in the last place of the double.
    const double magnitude = std::abs(value);
    double ulp = std::nextafter(magnitude, std::numeric_limits<double>::infinity()) - magnitude;
    if (std::isinf(ulp))
        ulp = magnitude - std::nextafter(magnitude, 0.0);
    // The largest doubles round up to 1.79769313486232E+308, which lies beyond the double range:
    // that text reads back as infinity, like any decimal beyond the range.
    if (std::isinf(back) && magnitude >= 1.797693134862315e308 && std::signbit(back) == std::signbit(value))
        return {};
    if (!(std::abs(back - value) <= 5e-15 * magnitude + ulp))
        return QStringLiteral("display text of %1 is %2, which reads back as %3")
            .arg(describe(value), text, describe(back));
    return {};
}

QString checkSettingsReader(const QByteArray &fileBytes)
{
    for (const QString &key : {QStringLiteral("username"), QStringLiteral("domain"), QStringLiteral("password")}) {
        const QString value = ipupdate::ReadSettingFromBytes(fileBytes, QStringLiteral("myset"), key);
        int bytes = 0;
        for (QChar c : value)
            bytes += gbkBytes(c);
        if (bytes > 254)
            return QStringLiteral("%1 read as %2 bytes of GBK: %3").arg(key).arg(bytes).arg(value);
        if (value.contains(u'\r') || value.contains(u'\n'))
            return QStringLiteral("%1 read across a line end: %2").arg(key, value);
    }
    return {};
}

const QList<Target> &targets()
{
    static const QList<Target> all = {
        {"read_lenient", [](const QByteArray &bytes) { return checkLenientReading(textFromBytes(bytes)); }},
        {"read_strict", [](const QByteArray &bytes) { return checkStrictReading(textFromBytes(bytes)); }},
        {"display_roundtrip", [](const QByteArray &bytes) { return checkDisplayRoundTrip(doubleFromBytes(bytes)); }},
        {"settings_reader", checkSettingsReader},
    };
    return all;
}

} // namespace fuzzing
