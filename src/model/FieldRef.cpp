#include "model/FieldRef.h"

namespace portdesk {

FieldRef parseFieldRef(const QString &objectName)
{
    const int open = objectName.indexOf(QLatin1Char('('));
    if (open < 0 || !objectName.endsWith(QLatin1Char(')')))
        return {objectName, -1};
    bool ok = false;
    const int index = objectName.mid(open + 1, objectName.size() - open - 2).toInt(&ok);
    if (!ok)
        return {objectName, -1};
    return {objectName.left(open), index};
}

} // namespace portdesk
