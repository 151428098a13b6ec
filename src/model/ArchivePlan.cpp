#include "model/ArchivePlan.h"

#include "model/PrintedFileName.h"
#include "store/OfficeSettings.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace portdesk {

bool isDeclarationNumber(const QString &text)
{
    static const QRegularExpression six(QStringLiteral("^[0-9]{6}$"));
    return six.match(text).hasMatch();
}

std::optional<QDate> readDeclarationDate(const QString &text)
{
    static const QRegularExpression separated(
        QStringLiteral("^\\s*([0-9]{4})\\s*[-/.年]\\s*([0-9]{1,2})\\s*[-/.月]\\s*([0-9]{1,2})"
                       "\\s*日?\\s*$"));
    static const QRegularExpression compact(
        QStringLiteral("^\\s*([0-9]{4})([0-9]{2})([0-9]{2})\\s*$"));
    QRegularExpressionMatch m = separated.match(text);
    if (!m.hasMatch())
        m = compact.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString declarationDateText(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString archiveFolder(const QString &workDir, const QDate &date)
{
    return workDir + QStringLiteral("/Saved/Archived/") + date.toString(QStringLiteral("yyyy")) +
           u'/' + date.toString(QStringLiteral("MM"));
}

QString archiveFileName(const QString &number, const QString &consignee, const QDate &date)
{
    return nameWithConsignee(number, consignee,
                             u'(' + declarationDateText(date) + QStringLiteral(").dcl"));
}

QString fullDeclarationNumber(const QString &prefix, const QString &dateText, const QString &number)
{
    // A date written by hand in another form still gives its year.
    const std::optional<QDate> date = readDeclarationDate(dateText);
    const QString year = date ? date->toString(QStringLiteral("yy")) : dateText.mid(2, 2);
    return (prefix.isEmpty() ? defaultPrefix() : prefix) + year + number + QStringLiteral("000");
}

bool isArchivedFile(const QString &file, const QString &savedDir)
{
    if (file.isEmpty())
        return false;
    const QString name = QFileInfo(file).fileName();
    return file != savedDir + u'/' + name && file != savedDir + QStringLiteral("/Printed/") + name;
}

QString numberPrompt()
{
    return QStringLiteral("请输入报检号：\n\n  格式为：数字（六位）");
}

QString datePrompt()
{
    return QStringLiteral("输入报检日期：\n\n  格式为：20XX-XX-XX");
}

} // namespace portdesk
