#include "store/ProfileDocument.h"

#include "store/Gbk.h"

#include <QHash>

#include <algorithm>
#include <cstring>
#include <limits>

namespace portdesk {

namespace {

QByteArrayView eolBytes(quint32 eol)
{
    switch (eol) {
    case 1:
        return "\r\n";
    case 2:
        return "\n";
    case 3:
        return "\r";
    default:
        return {};
    }
}

QByteArrayView trimmed(QByteArrayView v)
{
    qsizetype begin = 0;
    qsizetype end = v.size();
    while (begin < end && isProfileBlank(v[begin]))
        ++begin;
    while (end > begin && isProfileBlank(v[end - 1]))
        --end;
    return v.sliced(begin, end - begin);
}

qsizetype indexOf(QByteArrayView v, char c)
{
    const void *at = v.isEmpty() ? nullptr : std::memchr(v.data(), c, size_t(v.size()));
    return at ? static_cast<const char *>(at) - v.data() : -1;
}

qsizetype lastIndexOf(QByteArrayView v, char c)
{
    for (qsizetype i = v.size() - 1; i >= 0; --i) {
        if (v[i] == c)
            return i;
    }
    return -1;
}

// The bytes after '=' on a key line, blanks trimmed.
QByteArrayView valueOf(QByteArrayView keyLine)
{
    return trimmed(keyLine.sliced(indexOf(keyLine, '=') + 1));
}

// Names are compared as the Windows functions compare them: case-folded.
// Plain ASCII, by far the most common, is folded without decoding.
std::optional<QString> foldedName(QByteArrayView name)
{
    const bool ascii =
        std::all_of(name.begin(), name.end(), [](char c) { return uchar(c) < 0x80; });
    if (ascii) {
        QString s(name.size(), Qt::Uninitialized);
        QChar *out = s.data();
        for (char c : name)
            *out++ = QLatin1Char(c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c);
        return s;
    }
    std::optional<QString> text = fromGbk(name.toByteArray());
    if (!text)
        return std::nullopt;
    return text->toCaseFolded();
}

quint32 foldHash(const QString &folded)
{
    return (quint32(qHash(folded)) & ((1u << 27) - 1)) | 1u;
}

} // namespace

bool isProfileBlank(char c)
{
    switch (c) {
    case ' ':
    case '\t':
    case '\r':
    case '\n':
    case '\v':
    case '\f':
    case '\x1a':
        return true;
    default:
        return false;
    }
}

QByteArray trimProfileBlanks(const QByteArray &bytes)
{
    return trimmed(bytes).toByteArray();
}

QByteArray trimLeadingProfileBlanks(const QByteArray &bytes)
{
    qsizetype begin = 0;
    while (begin < bytes.size() && isProfileBlank(bytes[begin]))
        ++begin;
    return bytes.mid(begin);
}

ProfileDocument ProfileDocument::parse(const QByteArray &bytes)
{
    ProfileDocument doc;
    doc.bytes_ = bytes; // shared, not copied
    const char *data = doc.bytes_.constData();
    const qsizetype n = doc.bytes_.size();
    Q_ASSERT(n <= qsizetype(std::numeric_limits<quint32>::max() / 2));
    // Room for a few added lines, so that the first edit does not double
    // the records.
    const qsizetype breaks = std::count(data, data + n, '\n');
    doc.lines_.reserve(size_t(breaks + breaks / 64 + 16));
    qsizetype start = 0;
    while (start < n) {
        qsizetype i = start;
        while (i < n && data[i] != '\r' && data[i] != '\n')
            ++i;
        quint32 eol = NoEol;
        qsizetype eolLen = 0;
        if (i < n) {
            if (data[i] == '\r' && i + 1 < n && data[i + 1] == '\n') {
                eol = CrLf;
                eolLen = 2;
            } else {
                eol = data[i] == '\r' ? Cr : Lf;
                eolLen = 1;
            }
        }
        Line line = classify(QByteArrayView(data + start, i - start));
        line.start = quint32(start);
        line.eol = eol;
        doc.lines_.push_back(line);
        start = i + eolLen;
    }
    return doc;
}

QByteArray ProfileDocument::serialize() const
{
    qsizetype size = 0;
    for (const Line &l : lines_)
        size += text(l).size() + eolBytes(l.eol).size();
    QByteArray out;
    out.reserve(size);
    for (const Line &l : lines_) {
        out.append(text(l));
        out.append(eolBytes(l.eol));
    }
    return out;
}

QByteArrayView ProfileDocument::text(const Line &line) const
{
    const QByteArray &from = line.added ? added_ : bytes_;
    const char *begin = from.constData() + line.start;
    const char *end = from.constData() + from.size();
    const char *p = begin;
    while (p < end && *p != '\r' && *p != '\n')
        ++p;
    return QByteArrayView(begin, p - begin);
}

QByteArrayView ProfileDocument::nameOf(const Line &line) const
{
    const QByteArrayView t = text(line);
    if (line.kind == Section) {
        const qsizetype open = indexOf(t, '[');
        return trimmed(t.sliced(open + 1, lastIndexOf(t, ']') - open - 1));
    }
    if (line.kind == Key)
        return trimmed(t.first(indexOf(t, '=')));
    return {};
}

ProfileDocument::Name ProfileDocument::makeName(const QByteArray &bytes)
{
    Name name;
    name.bytes = bytes;
    if (std::optional<QString> folded = foldedName(bytes)) {
        name.fold = foldHash(*folded);
        name.folded = std::move(*folded);
    }
    return name;
}

ProfileDocument::Line ProfileDocument::classify(QByteArrayView t)
{
    Line line;
    line.start = 0;
    line.kind = Other;
    line.eol = NoEol;
    line.added = 0;
    line.fold = 0;

    QByteArrayView name;
    qsizetype first = 0;
    while (first < t.size() && isProfileBlank(t[first]))
        ++first;
    if (first < t.size() && t[first] == '[') {
        // The name runs to the last ']'; a '[' line without one is neither a
        // section nor a key, and stays as it is.
        const qsizetype close = lastIndexOf(t, ']');
        if (close > first) {
            line.kind = Section;
            name = trimmed(t.sliced(first + 1, close - first - 1));
        }
    } else {
        const qsizetype eq = indexOf(t, '=');
        if (eq >= 0) {
            line.kind = Key;
            name = trimmed(t.first(eq));
        }
    }
    if (line.kind != Other) {
        if (std::optional<QString> folded = foldedName(name))
            line.fold = foldHash(*folded);
    }
    return line;
}

bool ProfileDocument::matches(const Line &line, const Name &name) const
{
    // Equal bytes fold equally, so different hashes settle most lines
    // without looking at their bytes.
    if (line.fold && name.fold && line.fold != name.fold)
        return false;
    const QByteArrayView own = nameOf(line);
    if (own == QByteArrayView(name.bytes))
        return true;
    // Bytes that are not GBK only ever match themselves.
    if (!line.fold || !name.fold)
        return false;
    return foldedName(own) == name.folded;
}

int ProfileDocument::findSection(const Name &section) const
{
    for (int i = 0; i < int(lines_.size()); ++i) {
        if (lines_[i].kind == Section && matches(lines_[i], section))
            return i;
    }
    return -1;
}

int ProfileDocument::findKey(int header, const Name &key, int *lastKey) const
{
    int last = header;
    for (int i = header + 1; i < int(lines_.size()); ++i) {
        const Line &l = lines_[i];
        if (l.kind == Section)
            break;
        if (l.kind != Key)
            continue;
        if (matches(l, key))
            return i;
        last = i;
    }
    if (lastKey)
        *lastKey = last;
    return -1;
}

ProfileDocument::Line ProfileDocument::addedLine(const QByteArray &text)
{
    Q_ASSERT(added_.size() + text.size() <= qsizetype(std::numeric_limits<quint32>::max() / 2));
    // Names and values never hold a line break: the store refuses them.
    Q_ASSERT(!text.contains('\r') && !text.contains('\n'));
    Line line = classify(text);
    line.start = quint32(added_.size());
    line.added = 1;
    line.eol = CrLf;
    added_ += text;
    added_ += '\n'; // where its text ends
    return line;
}

void ProfileDocument::insertLine(int at, const QByteArray &text)
{
    // Whatever precedes a new line must end, or the two would run together.
    if (at > 0 && lines_[at - 1].eol == NoEol)
        lines_[at - 1].eol = CrLf;
    lines_.insert(lines_.begin() + at, addedLine(text));
}

bool ProfileDocument::hasSection(const QByteArray &section) const
{
    return findSection(makeName(section)) >= 0;
}

std::optional<QByteArray> ProfileDocument::rawValue(const QByteArray &section,
                                                    const QByteArray &key) const
{
    const int header = findSection(makeName(section));
    if (header < 0)
        return std::nullopt;
    const int at = findKey(header, makeName(key));
    if (at < 0)
        return std::nullopt;
    return valueOf(text(lines_[at])).toByteArray();
}

bool ProfileDocument::setValue(const QByteArray &section, const QByteArray &key,
                               const QByteArray &value)
{
    const QByteArray v = trimLeadingProfileBlanks(value);
    const Name sectionName = makeName(section);
    const int header = findSection(sectionName);
    if (header < 0) {
        const int end = int(lines_.size());
        insertLine(end, '[' + section + ']');
        insertLine(end + 1, key + '=' + v);
        return true;
    }
    int lastKey = header;
    const int at = findKey(header, makeName(key), &lastKey);
    if (at < 0) {
        insertLine(lastKey + 1, key + '=' + v);
        return true;
    }
    const Line &line = lines_[at];
    const QByteArrayView old = text(line);
    if (valueOf(old) == QByteArrayView(v))
        return false;
    // The key keeps the spelling it has in the file.
    const QByteArray newText = nameOf(line).toByteArray() + '=' + v;
    if (old == QByteArrayView(newText) && line.eol == CrLf)
        return false; // trailing blanks written again: the same bytes
    lines_[at] = addedLine(newText);
    return true;
}

bool ProfileDocument::remove(const QByteArray &section, const QByteArray &key)
{
    const int header = findSection(makeName(section));
    if (header < 0)
        return false;
    const int at = findKey(header, makeName(key));
    if (at < 0)
        return false;
    lines_.erase(lines_.begin() + at);
    return true;
}

} // namespace portdesk
