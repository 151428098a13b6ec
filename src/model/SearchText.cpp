#include "model/SearchText.h"

#include "model/ArchivePlan.h"

#include <QDateTime>
#include <QStringList>

namespace portdesk {

namespace {

QDateTime modifiedAt(qint64 modifiedNs)
{
    return QDateTime::fromMSecsSinceEpoch(modifiedNs / 1000000);
}

} // namespace

QString foldForSearch(const QString &text)
{
    QString folded = text.normalized(QString::NormalizationForm_KC).toCaseFolded();
    folded.replace(u'\n', u' ').replace(u'\r', u' ');
    return folded;
}

bool searchMatches(const QString &foldedText, const QString &foldedQuery)
{
    return !foldedQuery.isEmpty() && foldedText.contains(foldedQuery);
}

SearchFields searchFieldsOf(const Declaration &d, const QString &number, const QString &date,
                            const QString &prefix)
{
    SearchFields f;
    f.number = number;
    f.date = date;
    f.consignee = d[DeclField::ShouHuoRen];
    f.billOfLading = d[DeclField::TiYunDanHao];
    QStringList parts;
    if (!number.isEmpty())
        parts << number << fullDeclarationNumber(prefix, date, number);
    for (DeclField one : {DeclField::ShouHuoRen, DeclField::TiYunDanHao, DeclField::HeTongHao,
                          DeclField::JZXhm1, DeclField::JZXhm2})
        parts << d[one];
    for (DeclField family : {DeclField::MingCheng, DeclField::BianMa}) {
        for (int row = 0; row < goodsRowCount(); ++row)
            parts << d.at(family, row);
    }
    parts.removeAll(QString());
    for (QString &part : parts)
        part = foldForSearch(part);
    f.text = parts.join(u'\n');
    return f;
}

DocFolder folderOfDeclaration(const QString &relativePath)
{
    if (relativePath.startsWith(QLatin1String("Saved/Printed/")))
        return DocFolder::Printed;
    if (relativePath.startsWith(QLatin1String("Saved/Archived/")))
        return DocFolder::Archived;
    return DocFolder::Saved;
}

QString searchFolderText(const QString &relativePath)
{
    const DocFolder folder = folderOfDeclaration(relativePath);
    if (folder != DocFolder::Archived)
        return folderLabel(folder);
    // Saved/Archived/YYYY/MM/name
    const QStringList parts = relativePath.split(u'/');
    return folderLabel(folder) + u' ' + parts.mid(2, parts.size() - 3).join(u'/');
}

QString searchSortKey(DocFolder folder, const QString &date, qint64 modifiedNs)
{
    const QDateTime modified = modifiedAt(modifiedNs);
    QDate day = modified.date();
    if (folder == DocFolder::Archived) {
        // A date that reads as none sorts before every dated one.
        const std::optional<QDate> declared = readDeclarationDate(date);
        day = declared.value_or(QDate(1, 1, 1));
    }
    return day.toString(QStringLiteral("yyyy-MM-dd")) + u' ' +
           QString::number(modifiedNs).rightJustified(20, u'0');
}

QString searchShownDate(DocFolder folder, const QString &date, qint64 modifiedNs)
{
    if (folder == DocFolder::Archived)
        return date;
    return modifiedAt(modifiedNs).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

} // namespace portdesk
