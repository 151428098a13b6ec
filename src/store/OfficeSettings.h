#pragma once
// The office's particulars and the declaration-number prefix in
// Config/Config.ini, and the work directory recorded in Portdesk.ini.
#include <QString>
#include <array>

namespace portdesk {

inline constexpr int kOfficeFields = 5;
inline constexpr int kPrefixLength = 7;

struct OfficeSettings {
    std::array<QString, kOfficeFields> QY; // 企业信息 keys "0".."4"
    QString prefix;                        // 报检设置/报检号前缀
};

QString officeSection(); // "企业信息"
QString prefixSection(); // "报检设置"
QString prefixKey();     // "报检号前缀"
QString defaultPrefix(); // "3202001"

// Reads the six keys; missing ones are added empty (silently).
OfficeSettings readOfficeSettings(const QString &configIni);

// Writes the six keys in one replacement of the file; false with `error` set
// when nothing could be written.
bool writeOfficeSettings(const QString &configIni, const OfficeSettings &s, QString *error);

// The prefix the declaration number starts with: the stored one, or
// "3202001" when none is stored.
QString declarationPrefix(const QString &configIni);

// Digits only, at most seven of them.
bool isPrefixText(const QString &text);

// A folder as typed: either separator, one trailing separator ignored.
// Returns it with '/' separators.
QString dirFromTyped(const QString &typed);

// A folder as shown to the clerk (the system's own separators).
QString dirForDisplay(const QString &dir);

// Records `dir` as the work directory of the next start, in Portdesk.ini in
// `programDir`: empty when it is the program's own folder.
bool writeWorkDirSetting(const QString &programDir, const QString &dir, QString *error);

} // namespace portdesk
