#include "store/SaveLeftovers.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace portdesk {

bool isSaveLeftoverName(const QString &fileName, const QString &name)
{
    // Qt's temporary name: the file's name, a dot and six letters A-Z a-z.
    constexpr int kRandom = 6;
    if (name.size() != fileName.size() + 1 + kRandom || !name.startsWith(fileName) ||
        name.at(fileName.size()) != QLatin1Char('.'))
        return false;
    for (qsizetype i = fileName.size() + 1; i < name.size(); ++i) {
        const char16_t c = name.at(i).unicode();
        if (!((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')))
            return false;
    }
    return true;
}

void removeSaveLeftovers(const QString &file, std::chrono::seconds age)
{
    const QFileInfo target(file);
    const QString fileName = target.fileName();
    QDir dir = target.absoluteDir();
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    // The name filter narrows the listing; the exact pattern decides. A name
    // with '[' would read as a wildcard set, so such a folder is listed whole.
    if (!fileName.contains(QLatin1Char('[')))
        dir.setNameFilters({fileName + QStringLiteral(".??????")});
    const QDateTime oldest = QDateTime::currentDateTimeUtc().addSecs(-age.count());
    for (const QFileInfo &copy : dir.entryInfoList()) {
        if (isSaveLeftoverName(fileName, copy.fileName()) && copy.lastModified().toUTC() < oldest)
            QFile::remove(copy.absoluteFilePath());
    }
}

} // namespace portdesk
