#include "model/DocumentState.h"

namespace portdesk {

QString statusPreEntry()
{
    return QStringLiteral("本单状态: 预录入（未打印）");
}
QString statusPrinted()
{
    return QStringLiteral("本单状态: 未归档（请进行归档处理）");
}
QString statusArchived()
{
    return QStringLiteral("本单状态: 已归档");
}
QString newCaption()
{
    return QStringLiteral("新建报检单");
}
QString folderLabelNew()
{
    return QStringLiteral("新建文件");
}

const std::array<BrowserOption, 3> &browserOptions()
{
    static const std::array<BrowserOption, 3> options{{
        {QStringLiteral("保存的文件"), QStringLiteral("用户手动保存的文件，可用作模板或草稿。")},
        {QStringLiteral("已打印文件"),
         QStringLiteral("已打印未归档的文件，打印后会自动保存至此。")},
        {QStringLiteral("已归档文件"), QString()},
    }};
    return options;
}

QString folderLabel(DocFolder folder)
{
    return browserOptions()[int(folder)].caption;
}

int optionForFolderLabel(const QString &label)
{
    if (label == folderLabelNew())
        return int(DocFolder::Saved);
    for (int i = 0; i < 3; ++i) {
        if (label == browserOptions()[i].caption)
            return i;
    }
    return -1;
}

DocumentState stateAfter(DocEvent event)
{
    const QString saved = folderLabel(DocFolder::Saved);
    const QString printed = folderLabel(DocFolder::Printed);
    const QString archived = folderLabel(DocFolder::Archived);
    switch (event) {
    case DocEvent::New:
        return {true, statusPreEntry(), folderLabelNew(), false, false, false, false};
    case DocEvent::SaveAs:
    case DocEvent::OpenSaved:
        return {false, statusPreEntry(), saved, false, false, false, true};
    case DocEvent::Print:
    case DocEvent::OpenPrinted:
        return {false, statusPrinted(), printed, true, false, false, true};
    case DocEvent::OpenArchived:
        return {false, QString(), archived, true, true, true, true};
    }
    return {};
}

DocEvent openEvent(DocFolder folder)
{
    switch (folder) {
    case DocFolder::Saved:
        return DocEvent::OpenSaved;
    case DocFolder::Printed:
        return DocEvent::OpenPrinted;
    case DocFolder::Archived:
        return DocEvent::OpenArchived;
    }
    return DocEvent::OpenSaved;
}

QString positionText(int selected, int count)
{
    if (count == 1)
        return QStringLiteral("1/1");
    if (count < 2)
        return QStringLiteral(" / ");
    return QString::number(selected + 1) + '/' + QString::number(count);
}

QString totalCountLine(int count)
{
    return QStringLiteral("当前文件夹总计 ") + QString::number(count) + QStringLiteral(" 个文件");
}

QString selectedCountLine(int index, int count)
{
    return QStringLiteral("当前选中第 ") + QString::number(index + 1) + '/' +
           QString::number(count) + QStringLiteral(" 个文件");
}

} // namespace portdesk
