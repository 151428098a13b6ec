#include "store/ProfileFile.h"

#include "store/FileErrors.h"
#include "store/FileProbe.h"
#include "store/SaveLeftovers.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace portdesk {

namespace {

LoadedProfile failed(const QString &file, const QString &reason)
{
    LoadedProfile l;
    l.failed = true;
    l.error = readFailure(file, reason);
    return l;
}

QString notRegular()
{
    return QStringLiteral("这不是普通文件（可能是管道或设备）");
}

QString tooLarge()
{
    return QStringLiteral("文件超过 %1 MB，不是本程序的设置文件")
        .arg(kMaxProfileBytes / (1024 * 1024));
}

// An editor's "Unicode" or "UTF-8" save starts the file with a byte-order
// mark; read as GBK the text would be garbled and a write would mix two
// encodings.
std::optional<QString> foreignEncoding(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return QStringLiteral("文件是 Unicode（UTF-16）编码的，本程序只能读写 GBK "
                              "编码的设置文件；请用记事本另存为“ANSI”编码");
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QStringLiteral("文件是 UTF-8 编码的，本程序只能读写 GBK "
                              "编码的设置文件；请用记事本另存为“ANSI”编码");
    return std::nullopt;
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
    case Presence::Other:
        return failed(file, notRegular());
    case Presence::Failed:
        return failed(file, errnoReason(probe.error));
    case Presence::File:
        break;
    }
    // Non-blocking: a pipe put there since the probe must not hang the open.
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        // Gone between the two looks: as absent as before.
        if (err == ENOENT)
            return {};
        return failed(file, errnoReason(err));
    }
    struct stat st {};
    std::optional<QString> refusal;
    if (::fstat(fd, &st) != 0)
        refusal = errnoReason(errno);
    else if (!S_ISREG(st.st_mode))
        refusal = notRegular();
    else if (st.st_size > kMaxProfileBytes)
        refusal = tooLarge();
    else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        refusal = errnoReason(errno);
    QFile f;
    if (!refusal && !f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        refusal = fileErrorReason(f);
    if (refusal) {
        if (!f.isOpen())
            ::close(fd);
        return failed(file, *refusal);
    }
    // In pieces, so that a file growing meanwhile still stops at the limit.
    constexpr qint64 kPiece = 1 << 20;
    QByteArray bytes;
    bytes.reserve(qsizetype(st.st_size));
    for (;;) {
        errno = 0;
        const QByteArray piece = f.read(kPiece);
        if (f.error() != QFileDevice::NoError)
            return failed(file, fileErrorReason(f, errno));
        if (piece.isEmpty())
            break;
        bytes += piece;
        if (bytes.size() > kMaxProfileBytes)
            return failed(file, tooLarge());
    }
    if (std::optional<QString> reason = foreignEncoding(bytes))
        return failed(file, *reason);
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
