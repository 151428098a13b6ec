#include "store/QuotedValue.h"

namespace portdesk {

namespace {

// What the profile reader strips around a stored value before it looks for
// the quotes.
bool isReaderBlank(QChar c)
{
    switch (c.unicode()) {
    case ' ':
    case '\t':
    case '\r':
    case '\n':
    case '\v':
    case '\f':
    case 0x1a:
        return true;
    default:
        return false;
    }
}

} // namespace

QString quotedForWriting(const QString &value)
{
    qsizetype begin = 0;
    qsizetype end = value.size();
    while (begin < end && isReaderBlank(value[begin]))
        ++begin;
    while (end > begin && isReaderBlank(value[end - 1]))
        --end;
    if (end - begin < 2)
        return value;
    const QChar first = value[begin];
    if ((first != QLatin1Char('"') && first != QLatin1Char('\'')) || value[end - 1] != first)
        return value;
    // The whole value goes inside the pair, its blanks too: the reader then
    // finds nothing to strip but that pair.
    return first + value + first;
}

} // namespace portdesk
