#include "store/QuotedValue.h"

namespace portdesk {

QString quotedForWriting(const QString &value)
{
    if (value.size() < 2)
        return value;
    const QChar first = value.front();
    if ((first != QLatin1Char('"') && first != QLatin1Char('\'')) || value.back() != first)
        return value;
    return first + value + first;
}

} // namespace portdesk
