#include "model/PrintedFileName.h"

#include "store/DocumentNames.h"
#include "store/FileNameFilter.h"

namespace portdesk {

namespace {

bool tooLong(const QString &name)
{
    return nameBytes(name) > maxNameBytes;
}

} // namespace

QString printedFileName(const QString &consignee, const QDateTime &now)
{
    QString name;
    for (const QChar c : GuoLv(consignee)) {
        if (c.unicode() >= 0x20) // control characters cannot stand in a name
            name += c;
    }
    const QString tail = saveAsProposal(QString(), now);
    while (!name.isEmpty() && tooLong(name + tail)) {
        name.chop(1);
        if (!name.isEmpty() && name.back().isHighSurrogate())
            name.chop(1); // never half a character
    }
    // "CON.(…)" would name a device on Windows.
    if (isReservedDeviceName(name + tail))
        name.prepend('_');
    return name + tail;
}

} // namespace portdesk
