#include "model/PrintedFileName.h"

#include "store/DocumentNames.h"
#include "store/FileNameFilter.h"
#include "store/NewFile.h"

namespace portdesk {

namespace {

// With room for the number a name taken by another desk gets.
bool tooLong(const QString &name)
{
    return nameBytes(numberedFileName(name, maxFileNumber)) > maxNameBytes;
}

} // namespace

QString printedFileName(const QString &consignee, const QDateTime &now)
{
    return nameWithConsignee(QString(), consignee, saveAsProposal(QString(), now));
}

QString nameWithConsignee(const QString &head, const QString &consignee, const QString &tail)
{
    QString name = head;
    for (const QChar c : GuoLv(consignee)) {
        if (c.unicode() >= 0x20) // control characters cannot stand in a name
            name += c;
    }
    while (name.size() > head.size() && tooLong(name + tail)) {
        name.chop(1);
        if (name.size() > head.size() && name.back().isHighSurrogate())
            name.chop(1); // never half a character
    }
    // "CON.(…)" would name a device on Windows.
    if (isReservedDeviceName(name + tail))
        name.prepend('_');
    return name + tail;
}

} // namespace portdesk
