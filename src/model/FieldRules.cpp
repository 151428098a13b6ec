#include "model/FieldRules.h"

namespace portdesk {

std::vector<FieldRef> ruledFields()
{
    std::vector<FieldRef> out;
    for (const FormField &f : formFields())
        out.push_back(f.ref);
    return out;
}

QString upperAscii(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return out;
}

QString carriedDown(int row, const QString &ownText, const QString &aboveText)
{
    if (row < 1 || !ownText.isEmpty())
        return QString();
    return aboveText;
}

} // namespace portdesk
