#include "model/SheetFiles.h"

#include "model/DeclarationFile.h"
#include "store/FileErrors.h"
#include "store/SettingsStore.h"

#include <QFileInfo>

namespace portdesk {

namespace {

void saveIf(ProfileBatch &file, WriteBack writeBack, QString *error)
{
    QString why;
    if (writeBack == WriteBack::Yes && file.changed() && !file.save(&why) && error &&
        error->isEmpty())
        *error = why;
}

} // namespace

SheetParticulars readSheetParticulars(const QString &consigneeIni, const QString &configIni,
                                      const QString &consignee, WriteBack writeBack, QString *error)
{
    SheetParticulars p;
    {
        ProfileBatch file(consigneeIni);
        for (int k : {1, 0, 2, 3, 4})
            p.consignee[k] = file.ReadKey(consignee, QString::number(k), QString());
        saveIf(file, writeBack, error);
    }
    ProfileBatch file(configIni);
    for (int k : {0, 1, 2, 3, 4})
        p.office.QY[k] = file.ReadKey(officeSection(), QString::number(k), QString());
    p.office.prefix = file.ReadKey(prefixSection(), prefixKey(), QString());
    saveIf(file, writeBack, error);
    return p;
}

bool readDeclarationContent(const QString &path, const QString &shown, Declaration &out,
                            QString *error)
{
    return readDeclarationContent(path, shown, out, error, [](ProfileBatch &) {});
}

bool readDeclarationContent(const QString &path, const QString &shown, Declaration &out,
                            QString *error, const std::function<void(ProfileBatch &)> &alsoRead)
{
    const auto fail = [&](const QString &what) {
        if (error)
            *error = what + escapedControls(shown);
        return false;
    };
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("no such declaration file: "));
    if (info.isDir())
        return fail(QStringLiteral("a folder, not a declaration file: "));
    // A FIFO or a device would block the read or never end.
    if (!info.isFile())
        return fail(QStringLiteral("not a regular file, not a declaration file: "));
    ProfileBatch file(path);
    if (file.failed())
        return fail(QStringLiteral("cannot read the declaration file: "));
    if (!file.hasSection(contentSection()))
        return fail(QStringLiteral("not a declaration file (no section 报检内容): "));
    out = declarationContent(file);
    alsoRead(file);
    return true;
}

} // namespace portdesk
