#include "store/ProfileFile.h"

#include "store/FileErrors.h"
#include "store/FileProbe.h"
#include "store/SaveLeftovers.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>

namespace portdesk {

namespace {

LoadedProfile failed(const QString &file, const QString &reason)
{
    LoadedProfile l;
    l.failed = true;
    l.error = readFailure(file, reason);
    return l;
}

// An editor's "Unicode" save starts the file with a UTF-16 byte-order mark;
// read as GBK it would be empty and a write would mix two encodings.
bool isUtf16(const QByteArray &bytes)
{
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

} // namespace

LoadedProfile loadProfile(const QString &file)
{
    const Probe probe = probePath(file);
    switch (probe.presence) {
    case Presence::Absent:
        return {};
    case Presence::Folder:
        return failed(file, QStringLiteral("这是一个文件夹"));
    case Presence::Failed:
        return failed(file, errnoReason(probe.error));
    case Presence::File:
        break;
    }
    QFile f(file);
    errno = 0;
    if (!f.open(QIODevice::ReadOnly)) {
        const int err = errno;
        // Gone between the two looks: as absent as before.
        if (err == ENOENT)
            return {};
        return failed(file, fileErrorReason(f, err));
    }
    errno = 0;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return failed(file, fileErrorReason(f, errno));
    if (isUtf16(bytes))
        return failed(file, QStringLiteral("文件是 Unicode（UTF-16）编码的，本程序只能读写 GBK "
                                           "编码的设置文件；请用记事本另存为“ANSI”编码"));
    LoadedProfile l;
    l.doc = ProfileDocument::parse(bytes);
    return l;
}

bool replaceProfile(const QString &file, const QByteArray &bytes, QString *error)
{
    QSaveFile f(file);
    errno = 0;
    if (!f.open(QIODevice::WriteOnly)) {
        if (error)
            *error = writeFailure(file, fileErrorReason(f, errno));
        return false;
    }
    // Qt 6.4's commit() can report success when flushing its buffer failed
    // (a full disk), replacing the file with a cut-short one: flush first.
    errno = 0;
    bool ok = f.write(bytes) == bytes.size() && f.flush();
    int err = errno;
    if (ok) {
        errno = 0;
        ok = f.commit();
        err = errno;
    }
    if (!ok) {
        if (error)
            *error = writeFailure(file, fileErrorReason(f, err));
        f.cancelWriting();
        return false;
    }
    removeSaveLeftovers(file);
    return true;
}

} // namespace portdesk
