#pragma once
// The document the main window holds, as a plain value: its file, the
// folder it came from, its status, archive particulars, its place in the
// browser's folder, and whether the consignee is locked. DocumentCommands
// owns it and the window shows it; nothing reads it back from the window.
#include "model/DocumentState.h"

#include <QString>

namespace portdesk {

struct DocumentSession {
    QString file;                 // empty for a new declaration
    QString folder;               // origin-folder label (WenJianJia)
    QString status;               // status line (Tip)
    QString number;               // 报检号; empty: no archive particulars shown
    QString date;                 // 报检日期
    int selected = -1, count = 0; // place in the browser's folder (LiuLan)
    bool stepping = false;        // FanYe(0) and FanYe(1)
    bool guiDang = false, feiYong = false, daoChu = false;
    bool consigneeLocked = false;

    // The window caption: the file's name, or "新建报检单".
    QString caption() const;
    // A declaration file is open: the caption ends in exactly ".dcl".
    bool hasFile() const;

    // What a command leaves behind (DocumentState); an empty status is left as it is.
    void apply(const DocumentState &state);

    bool operator==(const DocumentSession &) const = default;
};

// A new declaration when the program starts.
DocumentSession startSession();

} // namespace portdesk
