#include "platform/Version.h"

namespace portdesk {

namespace {

// Taken as text so that a part written with leading zeros (05) is not read as octal.
#define PORTDESK_STR_(x) #x
#define PORTDESK_STR(x) PORTDESK_STR_(x)

QString part(const QString &digits)
{
    bool ok = false;
    const qulonglong n = digits.trimmed().toULongLong(&ok, 10);
    return QString::number(ok ? n : 0);
}

} // namespace

QString versionText(const QString &major, const QString &minor, const QString &patch)
{
    return QStringLiteral("Ver ") + part(major) + '.' + part(minor) + '.' + part(patch);
}

QString versionText()
{
    return versionText(QStringLiteral(PORTDESK_STR(PORTDESK_VERSION_MAJOR)),
                       QStringLiteral(PORTDESK_STR(PORTDESK_VERSION_MINOR)),
                       QStringLiteral(PORTDESK_STR(PORTDESK_VERSION_PATCH)));
}

} // namespace portdesk
