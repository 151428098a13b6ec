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

namespace {

bool failWith(QString *error, const QString &what, const QString &shown)
{
    if (error)
        *error = what + escapedControls(shown);
    return false;
}

// What every read of a declaration file asks of the file once it is read.
bool takeContent(ProfileBatch &file, const QString &shown, Declaration &out, QString *error)
{
    if (file.failed())
        return failWith(error, QStringLiteral("cannot read the declaration file: "), shown);
    if (!file.hasSection(contentSection()))
        return failWith(error, QStringLiteral("not a declaration file (no section 报检内容): "),
                        shown);
    out = declarationContent(file);
    return true;
}

} // namespace

bool readDeclarationContent(const QString &path, const QString &shown, Declaration &out,
                            QString *error, const std::function<void(ProfileBatch &)> &alsoRead)
{
    const QFileInfo info(path);
    if (!info.exists())
        return failWith(error, QStringLiteral("no such declaration file: "), shown);
    if (info.isDir())
        return failWith(error, QStringLiteral("a folder, not a declaration file: "), shown);
    // A FIFO or a device would block the read or never end.
    if (!info.isFile())
        return failWith(error, QStringLiteral("not a regular file, not a declaration file: "),
                        shown);
    ProfileBatch file(path);
    if (!takeContent(file, shown, out, error))
        return false;
    alsoRead(file);
    return true;
}

std::vector<DeclarationRead>
readDeclarationContents(const QStringList &paths,
                        const std::function<void(std::size_t, ProfileBatch &)> &alsoRead,
                        ReadCheck check)
{
    std::vector<LoadedProfile> loaded = loadProfiles(paths, check);
    std::vector<DeclarationRead> out(loaded.size());
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        const QString &path = paths[qsizetype(i)];
        DeclarationRead &r = out[i];
        if (!loaded[i].failed && !loaded[i].stamp) {
            failWith(&r.error, QStringLiteral("no such declaration file: "), path);
            continue;
        }
        ProfileBatch file(path, std::move(loaded[i]));
        r.ok = takeContent(file, path, r.content, &r.error);
        if (r.ok)
            alsoRead(i, file);
    }
    return out;
}

} // namespace portdesk
