#pragma once
// The declaration file (.dcl): 报检内容 with the 109 keys, 报检信息 with the
// archive particulars. Each call reads the file once and writes it at most
// once, so a declaration on a slow share opens and saves without a pause.
#include "model/Declaration.h"
#include "model/KeptBytes.h"

#include <QString>
#include <optional>

namespace portdesk {

inline const QString &infoSection()
{
    static const QString s = QStringLiteral("报检信息");
    return s;
}

// Writes the 109 keys in table order, empty values included; a field kept
// as its original bytes is written as those bytes. Every other key and
// section of an existing file stays as it was. False, with `error` set
// (naming the field when a value cannot be stored), when nothing was written.
bool writeDeclaration(const QString &path, const Declaration &content, const KeptFields &kept,
                      QString *error);
bool writeDeclaration(const QString &path, const Declaration &content, QString *error);

// Stores the declaration as a new file at `path`, whole or not at all, never
// replacing a file there (another desk's, stored the same second): the name
// then gets a number, "a(2).dcl". The path created, or nullopt with `error`.
std::optional<QString> createDeclaration(const QString &path, const Declaration &content,
                                         const KeptFields &kept, QString *error);

struct LoadedDeclaration {
    Declaration content;
    QString number; // 报检号; empty when not archived
    QString date;   // 报检日期; read only when a number is there
    // The fields whose bytes are not valid GBK, to be written back as read.
    KeptFields kept;
    // Set when the file could not be completed with its missing keys (a
    // read-only file): the content was still read.
    QString completeError;
};

// Reads the file and completes it: missing content keys and an empty 报检号
// are added, as the key-by-key reads would. False, with `error` set, when
// the file cannot be read or holds no 报检内容; nothing is written then.
bool readDeclaration(const QString &path, LoadedDeclaration &out, QString *error);

class ProfileBatch;
// The record of `报检内容` as a loaded batch holds it; writes nothing.
Declaration declarationContent(ProfileBatch &file);

// "报检日期：2014-03-05  报检号：123456"
QString archiveParticulars(const QString &date, const QString &number);

} // namespace portdesk
