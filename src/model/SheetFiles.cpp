#include "model/SheetFiles.h"

#include "model/DeclarationFile.h"
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

bool readDeclarationContent(const QString &path, Declaration &out, QString *error)
{
    if (!QFileInfo(path).isFile()) {
        if (error)
            *error = QStringLiteral("no such declaration file: ") + path;
        return false;
    }
    ProfileBatch file(path);
    if (file.failed()) {
        if (error)
            *error = QStringLiteral("cannot read the declaration file: ") + path;
        return false;
    }
    out = declarationContent(file);
    return true;
}

} // namespace portdesk
