#pragma once
// What archiving a declaration decides without touching a file: whether the
// clerk's number and date are acceptable, where the declaration goes and
// under which name, and the full number the particulars label copies.
#include <QDate>
#include <QString>
#include <optional>

namespace portdesk {

// Exactly six decimal digits.
bool isDeclarationNumber(const QString &text);

// A date as the clerk may type it: 2014-03-05, 2014-3-5, 2014/3/5,
// 2014.3.5, 20140305 or 2014年3月5日. nullopt for anything else.
std::optional<QDate> readDeclarationDate(const QString &text);

// As the file stores it: YYYY-MM-DD.
QString declarationDateText(const QDate &date);

// workDir/Saved/Archived/YYYY/MM
QString archiveFolder(const QString &workDir, const QDate &date);

// number + consignee + "(" + YYYY-MM-DD + ").dcl"; the consignee part follows
// the printed file's name rules, so it always names one file in the folder.
QString archiveFileName(const QString &number, const QString &consignee, const QDate &date);

// prefix ("3202001" when empty) + the year's last two digits + number + "000".
QString fullDeclarationNumber(const QString &prefix, const QString &dateText,
                              const QString &number);

// Fees, the report line and follow-up items are for archived declarations:
// a file that is neither in Saved nor in Saved/Printed.
bool isArchivedFile(const QString &file, const QString &savedDir);

// The prompts' texts.
QString numberPrompt(); // 请输入报检号：…
QString datePrompt();   // 输入报检日期：…

} // namespace portdesk
