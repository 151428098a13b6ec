#include "store/OfficeSettings.h"

#include "store/QuotedValue.h"
#include "store/SettingsStore.h"
#include "store/WorkDirectory.h"

#include <QDir>

namespace portdesk {

QString officeSection()
{
    return QStringLiteral("企业信息");
}
QString prefixSection()
{
    return QStringLiteral("报检设置");
}
QString prefixKey()
{
    return QStringLiteral("报检号前缀");
}
QString defaultPrefix()
{
    return QStringLiteral("3202001");
}

OfficeSettings readOfficeSettings(const QString &configIni)
{
    ProfileBatch batch(configIni);
    OfficeSettings s;
    for (int k = 0; k < kOfficeFields; ++k)
        s.QY[k] = batch.ReadKey(officeSection(), QString::number(k), QString());
    s.prefix = batch.ReadKey(prefixSection(), prefixKey(), QString());
    batch.save(); // adds the missing keys; a read never fails the clerk
    return s;
}

bool writeOfficeSettings(const QString &configIni, const OfficeSettings &s, QString *error)
{
    ProfileBatch batch(configIni);
    for (int k = 0; k < kOfficeFields; ++k) {
        if (!batch.WriteKey(officeSection(), QString::number(k), quotedForWriting(s.QY[k]), error))
            return false;
    }
    if (!batch.WriteKey(prefixSection(), prefixKey(), quotedForWriting(s.prefix), error))
        return false;
    return batch.save(error);
}

QString declarationPrefix(const QString &configIni)
{
    const QString stored = ReadKey(configIni, prefixSection(), prefixKey(), QString());
    return stored.isEmpty() ? defaultPrefix() : stored;
}

bool isPrefixText(const QString &text)
{
    if (text.size() > kPrefixLength)
        return false;
    for (const QChar c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

QString dirFromTyped(const QString &typed)
{
    return QDir::fromNativeSeparators(withoutTrailingSeparator(typed));
}

QString dirForDisplay(const QString &dir)
{
    return QDir::toNativeSeparators(dir);
}

bool writeWorkDirSetting(const QString &programDir, const QString &dir, QString *error)
{
    const QString value = dir == programDir ? QString() : dirForDisplay(dir);
    return WriteKey(portdeskIniPath(programDir), QStringLiteral("Setting"),
                    QStringLiteral("WorkDir"), value, error);
}

} // namespace portdesk
