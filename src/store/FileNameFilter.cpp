#include "store/FileNameFilter.h"

namespace portdesk {

QString GuoLv(const QString &name)
{
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    QString out = name;
    for (const QChar c : forbidden)
        out.remove(c);
    return out;
}

} // namespace portdesk
