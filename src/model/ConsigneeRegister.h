#pragma once
// The consignee register, Config/Consignee.ini.
//
// Section "列表": key "S" is the number of consignees n, keys "1".."n" their
// names in the order they were added. Each consignee has a section named
// exactly as its name, with its particulars under keys "0".."6". The register
// only grows: consignees are added or their particulars overwritten, never
// removed or renamed.
#include <QString>
#include <QStringList>
#include <array>

namespace portdesk {

inline constexpr int kConsigneeFields = 7;
// The count was kept in one byte: 254 is the last number the register's
// readers handle.
inline constexpr int kMaxConsignees = 254;

using ConsigneeParticulars = std::array<QString, kConsigneeFields>;

QString consigneeListSection(); // "列表"

// Caption of particular k as the window labels it, and its short name as the
// messages use it ("全称", "注册号", …).
QString consigneeFieldCaption(int k);
QString consigneeFieldName(int k);

// The leading whole number of a stored count ("12", " 3x" -> 3); 0 when there is none.
int leadingCount(const QString &text);

// The names in register order. Like every read of the register, missing keys
// are written back empty (silently: a read never fails the clerk's work).
// At most kMaxConsignees names are read, whatever the count says.
QStringList readConsigneeNames(const QString &registerFile);

// The names as the register lists them now, read without writing anything
// back: a check leaves the file as it found it.
QStringList peekConsigneeNames(const QString &registerFile);

// `name` is one of the register's `names`: exactly, case and all. An empty
// name never is, even where a missing entry lists one empty.
bool consigneeListed(const QStringList &names, const QString &name);

// The particulars of the consignee named `name`; missing keys come back empty
// and are written back empty.
ConsigneeParticulars readConsigneeParticulars(const QString &registerFile, const QString &name);

// The message for the first required entry left empty (name, then particulars
// 0 to 4); empty when all are there. A text of blanks counts as entered.
QString missingConsigneeEntry(const QString &name, const ConsigneeParticulars &p);

// Why `name` cannot be a consignee: it must survive as a section name of the
// register and later as part of file names. Empty when it can.
QString consigneeNameProblem(const QString &name);

// Why a particular cannot be stored (a character GBK lacks, a line break).
// Empty when all can.
QString consigneeParticularsProblem(const ConsigneeParticulars &p);

struct ConsigneeSaveResult {
    bool ok = false;
    // The register lists the name after the save and the window was adding it:
    // the lists on screen should show `listedName` (as read back from the file).
    bool added = false;
    QString listedName;
    int count = 0;            // consignees in the register after the save
    QString message;          // for the clerk when !ok
    bool writeFailed = false; // !ok because the file could not be written, not a refusal
};

// Writes the particulars under `name` and, when `adding`, appends the name to
// the list. Everything is checked first and written in one replacement of the
// file, so a refusal or failure leaves the register as it was.
ConsigneeSaveResult saveConsignee(const QString &registerFile, const QString &name,
                                  const ConsigneeParticulars &p, bool adding);

} // namespace portdesk
