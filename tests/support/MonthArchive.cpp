#include "support/MonthArchive.h"

#include "model/ArchivePlan.h"
#include "model/DeclarationFile.h"
#include "support/TestEnv.h"

#include <QDir>

namespace portdesk::test {

QString archiveInMonth(const QString &workDir, const QString &month, const QString &name,
                       const ReportSources &s)
{
    const QString folder =
        archiveFolder(workDir, QDate::fromString(month + QStringLiteral("-01"), Qt::ISODate));
    const QString path = folder + u'/' + name;
    if (!QDir().mkpath(folder) || !writeDeclaration(path, s.declaration, nullptr))
        return {};
    const QByteArray info =
        gbk(QStringLiteral("[报检信息]\n报检号=%1\n报检日期=%2\n").arg(s.number, s.date));
    if (!writeBytes(path, readBytes(path) + info))
        return {};
    if (s.fees != FeeAmounts{} && !writeFees(path, s.fees, nullptr))
        return {};
    return path;
}

} // namespace portdesk::test
