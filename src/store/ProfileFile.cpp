#include "store/ProfileFile.h"

#include "store/FileErrors.h"
#include "store/FileProbe.h"
#include "store/OwnTempFile.h"

#include <QFile>
#include <QFileInfo>

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
    // A link is followed, so that the file it names gets the new content.
    const QFileInfo info(file);
    const QByteArray target = QFile::encodeName(info.isSymLink() ? info.symLinkTarget() : file);
    // The copy keeps the file's permissions, as an editor's save would.
    struct stat st {};
    mode_t mode = 0666;
    if (::stat(target.constData(), &st) == 0)
        mode = st.st_mode & 07777;
    QString reason;
    const std::optional<QString> copy = writeOwnTemp(file, bytes, mode, &reason);
    if (!copy) {
        if (error)
            *error = writeFailure(file, reason);
        return false;
    }
    const QByteArray from = QFile::encodeName(*copy);
    // The umask may have narrowed the copy's permissions.
    if (mode != 0666)
        ::chmod(from.constData(), mode);
    if (::rename(from.constData(), target.constData()) != 0) {
        const int err = errno;
        ::unlink(from.constData());
        if (error)
            *error = writeFailure(file, errnoReason(err));
        return false;
    }
    return true;
}

} // namespace portdesk
