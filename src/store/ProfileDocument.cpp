#include "store/ProfileDocument.h"

#include "store/Gbk.h"

namespace portdesk {

namespace {

const QByteArray kCrLf = QByteArrayLiteral("\r\n");

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
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && isProfileBlank(bytes[begin]))
        ++begin;
    while (end > begin && isProfileBlank(bytes[end - 1]))
        --end;
    return bytes.mid(begin, end - begin);
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
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype i = start;
        while (i < n && bytes[i] != '\r' && bytes[i] != '\n')
            ++i;
        QByteArray text = bytes.mid(start, i - start);
        qsizetype eolLen = 0;
        if (i < n)
            eolLen = (bytes[i] == '\r' && i + 1 < n && bytes[i + 1] == '\n') ? 2 : 1;
        doc.lines_.push_back(makeLine(std::move(text), bytes.mid(i, eolLen)));
        start = i + eolLen;
    }
    return doc;
}

QByteArray ProfileDocument::serialize() const
{
    qsizetype size = 0;
    for (const Line &l : lines_)
        size += l.text.size() + l.eol.size();
    QByteArray out;
    out.reserve(size);
    for (const Line &l : lines_) {
        out += l.text;
        out += l.eol;
    }
    return out;
}

ProfileDocument::Name ProfileDocument::makeName(const QByteArray &bytes)
{
    Name name;
    name.bytes = bytes;
    if (std::optional<QString> text = fromGbk(bytes)) {
        name.folded = text->toCaseFolded();
        name.foldable = true;
    }
    return name;
}

ProfileDocument::Line ProfileDocument::makeLine(QByteArray text, QByteArray eol)
{
    Line line;
    line.text = std::move(text);
    line.eol = std::move(eol);
    const QByteArray &t = line.text;

    qsizetype first = 0;
    while (first < t.size() && isProfileBlank(t[first]))
        ++first;
    if (first < t.size() && t[first] == '[') {
        // The name runs to the last ']'; a '[' line without one is neither a
        // section nor a key, and stays as it is.
        const qsizetype close = t.lastIndexOf(']');
        if (close > first) {
            line.kind = Kind::Section;
            line.name = trimProfileBlanks(t.mid(first + 1, close - first - 1));
        }
    } else {
        const qsizetype eq = t.indexOf('=');
        if (eq >= 0) {
            line.kind = Kind::Key;
            line.name = trimProfileBlanks(t.left(eq));
        }
    }
    if (line.kind != Kind::Other) {
        Name n = makeName(line.name);
        line.folded = std::move(n.folded);
        line.foldable = n.foldable;
    }
    return line;
}

bool ProfileDocument::matches(const Line &line, const Name &name)
{
    if (line.name == name.bytes)
        return true;
    // Bytes that are not GBK only ever match themselves.
    return line.foldable && name.foldable && line.folded == name.folded;
}

int ProfileDocument::findSection(const Name &section) const
{
    for (int i = 0; i < int(lines_.size()); ++i) {
        if (lines_[i].kind == Kind::Section && matches(lines_[i], section))
            return i;
    }
    return -1;
}

int ProfileDocument::findKey(int header, const Name &key, int *lastKey) const
{
    int last = header;
    for (int i = header + 1; i < int(lines_.size()); ++i) {
        const Line &l = lines_[i];
        if (l.kind == Kind::Section)
            break;
        if (l.kind != Kind::Key)
            continue;
        if (matches(l, key))
            return i;
        last = i;
    }
    if (lastKey)
        *lastKey = last;
    return -1;
}

void ProfileDocument::insertLine(int at, QByteArray text)
{
    // Whatever precedes a new line must end, or the two would run together.
    if (at > 0 && lines_[at - 1].eol.isEmpty())
        lines_[at - 1].eol = kCrLf;
    lines_.insert(lines_.begin() + at, makeLine(std::move(text), kCrLf));
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
    const QByteArray &t = lines_[at].text;
    return trimProfileBlanks(t.mid(t.indexOf('=') + 1));
}

bool ProfileDocument::hasSection(const QByteArray &section) const
{
    return findSection(makeName(section)) >= 0;
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
    Line &line = lines_[at];
    if (trimProfileBlanks(line.text.mid(line.text.indexOf('=') + 1)) == v)
        return false;
    // The key keeps the spelling it has in the file.
    QByteArray text = line.name + '=' + v;
    if (text == line.text && line.eol == kCrLf)
        return false; // trailing blanks written again: the same bytes
    line.text = std::move(text);
    line.eol = kCrLf;
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
