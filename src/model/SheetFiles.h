#pragma once
// Reading what the sheet is made of from the work directory's files.
#include "model/Sheet.h"
#include "store/ProfileFile.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace portdesk {

struct SheetParticulars {
    ConsigneeSheetParticulars consignee;
    OfficeSettings office;
};

enum class WriteBack {
    Yes, // missing keys are added empty, as every read of the registers does
    No   // nothing is written
};

// The consignee's keys "1", "0", "2", "3", "4" from the register and the
// office's particulars and prefix from Config.ini, each with an empty
// default. `error`, when given, tells why a write-back failed.
SheetParticulars readSheetParticulars(const QString &consigneeIni, const QString &configIni,
                                      const QString &consignee, WriteBack writeBack,
                                      QString *error = nullptr);

// The content of a declaration file, read without writing anything. False,
// with `error` set (naming the file as `shown`), when the path is missing, a
// folder or no regular file, cannot be read, or has no 报检内容 section.
bool readDeclarationContent(const QString &path, const QString &shown, Declaration &out,
                            QString *error);
class ProfileBatch;
// The same, reading more of the file with `alsoRead` once it passed.
bool readDeclarationContent(const QString &path, const QString &shown, Declaration &out,
                            QString *error, const std::function<void(ProfileBatch &)> &alsoRead);

struct DeclarationRead {
    bool ok = false;
    QString error; // as readDeclarationContent words it, naming the path
    Declaration content;
};
// Many files at once, each judged as readDeclarationContent judges one, with
// the moment each read waits for a stable file shared among them.
// `alsoRead(i, file)` reads more of the i-th file once it passed.
std::vector<DeclarationRead>
readDeclarationContents(const QStringList &paths,
                        const std::function<void(std::size_t, ProfileBatch &)> &alsoRead,
                        ReadCheck check = ReadCheck::Twice);

} // namespace portdesk
