#pragma once
// Names the clerk types for declaration files: the prompts, the proposed
// name, the .dcl rule and what the file system cannot hold.
#include "store/OwnTempFile.h"

#include <QDateTime>
#include <QString>

namespace portdesk {

inline const QString &dclSuffix()
{
    static const QString s = QStringLiteral(".dcl");
    return s;
}

QString saveAsTitle();
QString saveAsPrompt();
// Consignee + "(" + yyyy-MM-dd hh：mm：ss + ").dcl"
QString saveAsProposal(const QString &consignee, const QDateTime &now);

QString renameTitle();
QString renamePrompt();

// Appends .dcl unless the name already ends in exactly ".dcl".
QString withDclSuffix(const QString &name);

// A device name Windows keeps for itself (CON, PRN, AUX, NUL, COM1-9,
// LPT1-9), with or without an extension and trailing blanks.
bool isReservedDeviceName(const QString &name);

// Why a finished file name (after the filter and the .dcl rule) cannot be
// used, as the message the clerk sees; empty when it can be used. Names must
// be GBK (desks using the Windows ANSI file functions open them) and free of
// invisible or direction-changing characters.
QString fileNameProblem(const QString &name);

// The first character of `name` that shows nothing or turns the text's
// direction (zero-width, direction marks, soft hyphen, byte-order mark,
// variation selectors); empty when there is none.
QString firstLookAlikeChar(const QString &name);

// Longest name a save can write: the file system holds 255 bytes of a name
// in its own encoding (UTF-8, a Chinese character takes three), and a save
// first writes its copy under a longer name beside the file.
constexpr int maxNameBytes = 255 - ownTempSuffixBytes;

// The bytes `name` takes in the file system's encoding.
qsizetype nameBytes(const QString &name);

} // namespace portdesk
