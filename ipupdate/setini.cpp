#include "setini.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

#include <array>
#include <iconv.h>
#include <optional>
#include <vector>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace ipupdate {
namespace {

// ---- Code page 936 -------------------------------------------------------------------------

constexpr bool isLeadByte(uchar b) { return b >= 0x81 && b <= 0xFE; }
constexpr bool isTrailByte(uchar b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }
constexpr int trailCount = 0xFE - 0x40; // trail bytes 0x40..0xFE without 0x7F

constexpr int trailIndex(uchar b) { return b < 0x7F ? b - 0x40 : b - 0x41; }

class Iconv {
public:
    Iconv(const char *to, const char *from) : cd_(iconv_open(to, from)) {}
    ~Iconv()
    {
        if (valid())
            iconv_close(cd_);
    }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `in`; no result when any of it cannot be converted.
    std::optional<QByteArray> convert(QByteArrayView in)
    {
        if (!valid())
            return std::nullopt;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        QByteArray out(in.size() * 4 + 8, Qt::Uninitialized);
        char *inPtr = const_cast<char *>(in.data());
        size_t inLeft = size_t(in.size());
        char *outPtr = out.data();
        size_t outLeft = size_t(out.size());
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1)
            || iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == size_t(-1))
            return std::nullopt;
        out.truncate(out.size() - qsizetype(outLeft));
        return out;
    }

private:
    iconv_t cd_;
};

// Every GBK character maps to one UTF-16 unit, so decoding is a table look-up; the table is
// asked of the system's converter once.
class GbkTable {
public:
    GbkTable()
    {
        Iconv toUtf16("UTF-16LE", "CP936");
        auto unit = [&](QByteArrayView bytes) -> char16_t {
            const auto out = toUtf16.convert(bytes);
            if (!out || out->size() != 2)
                return u'\uFFFD';
            return char16_t(uchar(out->at(0)) | (uchar(out->at(1)) << 8));
        };
        for (int b = 0; b < 0x80; ++b)
            singles_[b] = char16_t(b);
        for (int b = 0x80; b < 0x100; ++b) {
            const char byte = char(b);
            singles_[b] = unit(QByteArrayView(&byte, 1));
        }
        doubles_.resize(size_t(0xFE - 0x81 + 1) * trailCount);
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F)
                    continue;
                const char pair[2] = {char(lead), char(trail)};
                doubles_[size_t(lead - 0x81) * trailCount + size_t(trailIndex(uchar(trail)))] =
                    unit(QByteArrayView(pair, 2));
            }
        }
    }

    char16_t single(uchar b) const { return singles_[b]; }
    char16_t pair(uchar lead, uchar trail) const
    {
        return doubles_[size_t(lead - 0x81) * trailCount + size_t(trailIndex(trail))];
    }

private:
    std::array<char16_t, 256> singles_{};
    std::vector<char16_t> doubles_;
};

const GbkTable &gbkTable()
{
    static const GbkTable table;
    return table;
}

// Text decoded from GBK, with the byte offset at which each character starts (and one more
// entry for the end), so that what the parser finds can be cut in bytes.
struct DecodedText {
    QString text;
    QList<qsizetype> offsets;
};

DecodedText decodeGbk(QByteArrayView bytes)
{
    const GbkTable &table = gbkTable();
    DecodedText result;
    result.text.reserve(bytes.size());
    result.offsets.reserve(bytes.size() + 1);
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto b = uchar(bytes[i]);
        result.offsets.append(i);
        if (isLeadByte(b) && i + 1 < bytes.size() && isTrailByte(uchar(bytes[i + 1]))) {
            result.text.append(QChar(table.pair(b, uchar(bytes[i + 1]))));
            i += 2;
        } else {
            result.text.append(QChar(table.single(b)));
            i += 1;
        }
    }
    result.offsets.append(i);
    return result;
}

std::optional<QByteArray> encodeGbk(const QString &text)
{
    if (text.isEmpty())
        return QByteArray();
    // U+FFFD stands for bytes that were no character when read; GBK has no place for it.
    if (text.contains(QChar(0xFFFD)))
        return std::nullopt;
    Iconv fromUtf8("CP936", "UTF-8");
    return fromUtf8.convert(text.toUtf8());
}

// ---- Parsing -------------------------------------------------------------------------------

constexpr qsizetype longestValue = 254;

constexpr bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

// One line of the file as the profile rules see it. Positions are byte offsets in the file.
struct FileLine {
    enum Kind { Other, Section, Key };
    qsizetype start = 0;
    qsizetype contentEnd = 0; // where the line end begins
    qsizetype end = 0;        // after the line end
    Kind kind = Other;
    QString name;  // section or key name, blanks removed
    QString value; // for a key: blanks and outer quotes removed, cut to 254 bytes
};

void trimBlanks(const QString &text, qsizetype &from, qsizetype &to)
{
    while (from < to && isBlank(text[from]))
        ++from;
    while (to > from && isBlank(text[to - 1]))
        --to;
}

void parseContent(FileLine &line, QByteArrayView content)
{
    const DecodedText decoded = decodeGbk(content);
    const QString &text = decoded.text;
    qsizetype first = 0;
    qsizetype last = text.size();
    trimBlanks(text, first, last);
    if (first == last || text[first] == u';')
        return;
    if (text[first] == u'[') {
        const qsizetype close = text.indexOf(u']', first + 1);
        if (close < 0)
            return;
        qsizetype from = first + 1;
        qsizetype to = close;
        trimBlanks(text, from, to);
        line.kind = FileLine::Section;
        line.name = text.mid(from, to - from);
        return;
    }
    const qsizetype equals = text.indexOf(u'=', first);
    if (equals < 0)
        return;
    qsizetype keyEnd = equals;
    trimBlanks(text, first, keyEnd);
    qsizetype from = equals + 1;
    qsizetype to = text.size();
    trimBlanks(text, from, to);
    if (to - from >= 2 && text[from] == text[to - 1] && (text[from] == u'"' || text[from] == u'\'')) {
        ++from;
        --to;
    }
    // The Windows routine fills a 255-place buffer and keeps one place for the NUL.
    while (decoded.offsets[to] - decoded.offsets[from] > longestValue)
        --to;
    line.kind = FileLine::Key;
    line.name = text.mid(first, keyEnd - first);
    line.value = text.mid(from, to - from);
}

QList<FileLine> parseFile(QByteArrayView bytes)
{
    QList<FileLine> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        FileLine line;
        line.start = start;
        qsizetype i = start;
        while (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n')
            ++i;
        line.contentEnd = i;
        if (i < bytes.size())
            i += (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
        line.end = i;
        parseContent(line, bytes.sliced(line.start, line.contentEnd - line.start));
        lines.append(line);
        start = i;
    }
    return lines;
}

bool sameName(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// The lines of the first section called `section`: [first, last) indices into `lines`, with
// first pointing at the section line; no result when there is no such section.
std::optional<std::pair<qsizetype, qsizetype>> findSection(const QList<FileLine> &lines,
                                                           const QString &section)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == FileLine::Section && sameName(lines[i].name, section)) {
            qsizetype end = i + 1;
            while (end < lines.size() && lines[end].kind != FileLine::Section)
                ++end;
            return std::pair{i, end};
        }
    }
    return std::nullopt;
}

std::optional<qsizetype> findKey(const QList<FileLine> &lines, std::pair<qsizetype, qsizetype> section,
                                 const QString &key)
{
    for (qsizetype i = section.first + 1; i < section.second; ++i) {
        if (lines[i].kind == FileLine::Key && sameName(lines[i].name, key))
            return i;
    }
    return std::nullopt;
}

bool holdsLineBreakOrNul(const QString &text)
{
    return text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(0));
}

// Texts that would not read back as the section, key and value they were written as.
bool safeToWrite(const QString &section, const QString &key, const QString &value)
{
    if (holdsLineBreakOrNul(section) || holdsLineBreakOrNul(key) || holdsLineBreakOrNul(value))
        return false;
    if (section.contains(u']') || key.contains(u'='))
        return false;
    const QString keyStart = key.trimmed();
    return !keyStart.startsWith(u'[') && !keyStart.startsWith(u';');
}

std::optional<QByteArray> withSetting(const QByteArray &old, const QString &section, const QString &key,
                                      const QString &value)
{
    const auto sectionBytes = encodeGbk(section);
    const auto keyBytes = encodeGbk(key);
    const auto valueBytes = encodeGbk(value);
    if (!sectionBytes || !keyBytes || !valueBytes)
        return std::nullopt;
    const QByteArray keyLine = *keyBytes + '=' + *valueBytes;

    const QList<FileLine> lines = parseFile(old);
    const auto place = findSection(lines, section);
    QByteArray result = old;
    if (!place) {
        if (!result.isEmpty() && !result.endsWith('\n') && !result.endsWith('\r'))
            result += "\r\n";
        result += '[' + *sectionBytes + "]\r\n" + keyLine + "\r\n";
        return result;
    }
    if (const auto at = findKey(lines, *place, key)) {
        const FileLine &line = lines[*at];
        result.replace(line.start, line.contentEnd - line.start, keyLine);
        return result;
    }
    qsizetype after = place->first;
    for (qsizetype i = place->first + 1; i < place->second; ++i) {
        if (lines[i].kind == FileLine::Key)
            after = i;
    }
    const FileLine &line = lines[after];
    if (line.end == line.contentEnd) // the file's last line, without a line end
        result.insert(line.end, "\r\n" + keyLine + "\r\n");
    else
        result.insert(line.end, keyLine + "\r\n");
    return result;
}

} // namespace

QString ReadSettingFromBytes(const QByteArray &fileBytes, const QString &section, const QString &key)
{
    const QList<FileLine> lines = parseFile(fileBytes);
    const auto place = findSection(lines, section);
    if (!place)
        return {};
    const auto at = findKey(lines, *place, key);
    return at ? lines[*at].value : QString();
}

QString ReadSetting(const QString &section, const QString &key, const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    return ReadSettingFromBytes(in.readAll(), section, key);
}

bool WriteSetting(const QString &section, const QString &key, const QString &value, const QString &file)
{
    if (!safeToWrite(section, key, value))
        return false;

    const QFileInfo info(file);
    const bool existed = info.exists();
    QByteArray old;
    if (existed) {
        QFile in(file);
        if (!info.isFile() || !in.open(QIODevice::ReadOnly))
            return false;
        old = in.readAll();
        if (in.error() != QFileDevice::NoError)
            return false;
    }

    const auto contents = withSetting(old, section, key, value);
    if (!contents)
        return false;
    if (existed && *contents == old)
        return true;

    QSaveFile out(file);
    // Unbuffered, so that a short write (disk full, file size limit) shows in write()'s count;
    // a buffered QSaveFile can drop the rest of its buffer and still commit.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
#ifdef Q_OS_UNIX
    // The file holds a password in plain text.
    if (!existed && ::fchmod(out.handle(), S_IRUSR | S_IWUSR) != 0) {
        out.cancelWriting();
        return false;
    }
#endif
    if (out.write(*contents) != contents->size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

} // namespace ipupdate
