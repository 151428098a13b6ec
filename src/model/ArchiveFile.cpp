#include "model/ArchiveFile.h"

#include "model/DeclarationFile.h"
#include "store/FileErrors.h"
#include "store/Gbk.h"
#include "store/NewFile.h"
#include "store/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <unistd.h>

namespace portdesk {

ArchiveOutcome archiveDeclarationFile(const QString &from, const QString &to, const QString &number,
                                      const QString &date, QString *error)
{
    if (!QFileInfo(from).isFile()) {
        if (error)
            *error = QStringLiteral("文件不存在！");
        return ArchiveOutcome::Failed;
    }
    LoadedProfile source = loadProfile(from);
    if (source.failed) {
        if (error)
            *error = source.error;
        return ArchiveOutcome::Failed;
    }
    const QByteArray section = *toGbk(infoSection());
    source.doc.setValue(section, *toGbk(QStringLiteral("报检号")), number.toLatin1());
    source.doc.setValue(section, *toGbk(QStringLiteral("报检日期")), date.toLatin1());
    const QByteArray archived = source.doc.serialize();

    switch (createExactly(to, archived, error)) {
    case Created::Made:
        break;
    case Created::Failed:
        return ArchiveOutcome::Failed;
    case Created::Taken:
        // An earlier archiving of this very file that stopped before the
        // old file was removed: finish it.
        if (to == from || loadProfile(to).doc.serialize() != archived)
            return ArchiveOutcome::Duplicate;
        break;
    }
    if (::unlink(QFile::encodeName(from).constData()) != 0) {
        const int err = errno;
        // Not moved after all: the copy just made goes, the old file stays.
        ::unlink(QFile::encodeName(to).constData());
        if (error)
            *error = QStringLiteral("无法移走原文件“%1”：%2")
                         .arg(QDir::toNativeSeparators(from), errnoReason(err));
        return ArchiveOutcome::Failed;
    }
    return ArchiveOutcome::Archived;
}

} // namespace portdesk
