#pragma once
// The document state the main window shows beside the record, as a table
// of what each command leaves behind, and the browser's texts.
#include <QString>
#include <array>

namespace portdesk {

QString statusPreEntry(); // 本单状态: 预录入（未打印）
QString statusPrinted();  // 本单状态: 未归档（请进行归档处理）
QString statusArchived(); // 本单状态: 已归档

QString newCaption(); // 新建报检单

// The browser's three folders, in option order.
enum class DocFolder { Saved = 0, Printed = 1, Archived = 2 };

// Origin-folder label texts.
QString folderLabelNew(); // 新建文件
QString folderLabel(DocFolder folder);

// Which option the origin-folder label points at; -1 for any other text.
int optionForFolderLabel(const QString &label);

enum class DocEvent { New, SaveAs, Print, OpenSaved, OpenPrinted, OpenArchived };

struct DocumentState {
    bool newCaption; // "新建报检单" rather than the file name
    QString status;  // empty: left to the reading step
    QString folder;  // origin-folder label
    bool guiDang, feiYong, daoChu;
    bool consigneeLocked;
};

DocumentState stateAfter(DocEvent event);
DocEvent openEvent(DocFolder folder);

// Position label and whether stepping is possible.
QString positionText(int selected, int count);
inline bool steppingEnabled(int count)
{
    return count >= 2;
}

// Browser count line.
QString totalCountLine(int count);
QString selectedCountLine(int index, int count);

struct BrowserOption {
    QString caption;
    QString description; // empty: no description (the archive shows year and month)
};
const std::array<BrowserOption, 3> &browserOptions();

} // namespace portdesk
