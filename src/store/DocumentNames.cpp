#include "store/DocumentNames.h"

#include "store/Gbk.h"

#include <QFile>
#include <QRegularExpression>

namespace portdesk {

namespace {
const QString filteredList = QStringLiteral(" \\ / : * ? \" < > |");
}

QString saveAsTitle()
{
    return QStringLiteral("保存文件");
}

QString saveAsPrompt()
{
    return QStringLiteral("请输入文件的名称：\n\n  （这些字符将被过滤：") + filteredList +
           QStringLiteral("）");
}

QString saveAsProposal(const QString &consignee, const QDateTime &now)
{
    return consignee + '(' + now.toString(QStringLiteral("yyyy-MM-dd hh：mm：ss")) +
           QStringLiteral(").dcl");
}

QString renameTitle()
{
    return QStringLiteral("重命名文件");
}

QString renamePrompt()
{
    return QStringLiteral("请输入新名称：\r\n\r\n  （这些字符将被过滤：") + filteredList +
           QStringLiteral("）");
}

QString withDclSuffix(const QString &name)
{
    return name.endsWith(dclSuffix(), Qt::CaseSensitive) ? name : name + dclSuffix();
}

bool isReservedDeviceName(const QString &name)
{
    static const QRegularExpression reserved(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$"),
        QRegularExpression::CaseInsensitiveOption);
    QString base = name.section('.', 0, 0);
    while (base.endsWith(' '))
        base.chop(1);
    return reserved.match(base).hasMatch();
}

QString fileNameProblem(const QString &name)
{
    if (name.isEmpty() || name == dclSuffix())
        return QStringLiteral("文件名为空（只有被过滤的字符）！请重新输入。");
    for (const QChar c : name) {
        if (c.unicode() < 0x20)
            return QStringLiteral("文件名中含有控制字符！请重新输入。");
    }
    if (isReservedDeviceName(name))
        return QStringLiteral("“") + name.section('.', 0, 0).trimmed() +
               QStringLiteral("”是系统保留的设备名，不能用作文件名！请重新输入。");
    if (const QString c = firstLookAlikeChar(name); !c.isEmpty())
        return QStringLiteral("文件名中含有看不见的字符（%1），会让两个不同的名称看起来一样！"
                              "请重新输入。")
            .arg(shownCharacter(c));
    if (const QString c = firstNonGbkChar(name); !c.isEmpty())
        return QStringLiteral("文件名中含有无法保存的字符%1！请重新输入。").arg(shownCharacter(c));
    if (nameBytes(name) > maxNameBytes)
        return QStringLiteral("文件名太长（最多%1个字节，一个汉字占3个字节）！请重新输入。")
            .arg(maxNameBytes);
    return {};
}

qsizetype nameBytes(const QString &name)
{
    return QFile::encodeName(name).size();
}

QString firstLookAlikeChar(const QString &name)
{
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        const bool invisible = c.category() == QChar::Other_Format || u == 0x00AD ||
                               (u >= 0x200B && u <= 0x200F) || (u >= 0x202A && u <= 0x202E) ||
                               (u >= 0x2060 && u <= 0x206F) || u == 0xFEFF ||
                               (u >= 0xFE00 && u <= 0xFE0F) || u == 0x034F || u == 0x115F ||
                               u == 0x1160 || u == 0x3164 || u == 0xFFA0;
        if (invisible)
            return QString(c);
    }
    return {};
}

} // namespace portdesk
