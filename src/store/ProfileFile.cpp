#include "store/ProfileFile.h"

#include "store/FileErrors.h"
#include "store/FileProbe.h"
#include "store/OwnTempFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <initializer_list>
#include <optional>
#include <sys/stat.h>
#include <thread>
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

FileStamp stampOf(const struct stat &st)
{
    FileStamp s;
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = st.st_size;
    s.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return s;
}

// One look at the file. `changing` when it changed while being read.
struct Snapshot {
    LoadedProfile result; // failed, or absent (no stamp), or read
    QByteArray bytes;
    bool changing = false;
};

Snapshot changing()
{
    Snapshot s;
    s.changing = true;
    return s;
}

Snapshot failedSnapshot(const QString &file, const QString &reason)
{
    return {failed(file, reason), {}, false};
}

Snapshot readOnce(const QString &file)
{
    const Probe probe = probePath(file);
    switch (probe.presence) {
    case Presence::Absent:
        return {};
    case Presence::Folder:
        return failedSnapshot(file, QStringLiteral("这是一个文件夹"));
    case Presence::Other:
        return failedSnapshot(file, notRegular());
    case Presence::Failed:
        return failedSnapshot(file, errnoReason(probe.error));
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
        return failedSnapshot(file, errnoReason(err));
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
        return failedSnapshot(file, *refusal);
    }
    // In pieces, so that a file growing meanwhile still stops at the limit.
    constexpr qint64 kPiece = 1 << 20;
    QByteArray bytes;
    bytes.reserve(qsizetype(st.st_size));
    for (;;) {
        errno = 0;
        const QByteArray piece = f.read(kPiece);
        if (f.error() != QFileDevice::NoError)
            return failedSnapshot(file, fileErrorReason(f, errno));
        if (piece.isEmpty())
            break;
        bytes += piece;
        if (bytes.size() > kMaxProfileBytes)
            return failedSnapshot(file, tooLarge());
    }
    struct stat after {};
    if (::fstat(f.handle(), &after) != 0)
        return failedSnapshot(file, errnoReason(errno));
    // Cut or written to meanwhile: what was read may be any mix of the two.
    if (stampOf(after) != stampOf(st) || bytes.size() != after.st_size)
        return changing();
    if (std::optional<QString> reason = foreignEncoding(bytes))
        return failedSnapshot(file, *reason);
    Snapshot s;
    s.result.stamp = stampOf(after);
    s.bytes = std::move(bytes);
    return s;
}

} // namespace

bool FileStamp::operator==(const FileStamp &o) const
{
    return device == o.device && inode == o.inode && size == o.size && modifiedNs == o.modifiedNs;
}

namespace {

// A moment long enough for a writer on a slow share to get from cutting
// the file to writing it, short enough not to be felt on every read.
constexpr std::chrono::milliseconds kSettle{3};

// The Windows functions end every line with CRLF: a last CR alone may be
// half of one. An absent file needs no more than one look more.
bool looksComplete(const Snapshot &s)
{
    return !s.result.stamp || s.bytes.endsWith('\n');
}

bool sameSnapshot(const Snapshot &a, const Snapshot &b)
{
    return !a.changing && !b.changing && a.result.stamp == b.result.stamp && a.bytes == b.bytes;
}

// loadProfiles for one thread's share: every file once, then every file
// again, so that one wait serves them all.
void loadShare(const QStringList &files, std::size_t from, std::size_t to, ReadCheck check,
               std::vector<LoadedProfile> &out)
{
    std::vector<Snapshot> first(to - from);
    for (std::size_t i = from; i < to; ++i)
        first[i - from] = readOnce(files[qsizetype(i)]);
    if (check == ReadCheck::Twice)
        std::this_thread::sleep_for(kSettle);
    for (std::size_t i = from; i < to; ++i) {
        Snapshot &a = first[i - from];
        if (a.result.failed) {
            out[i] = std::move(a.result);
            continue;
        }
        bool agreed = !a.changing && looksComplete(a);
        if (agreed && check == ReadCheck::Twice) {
            Snapshot b = readOnce(files[qsizetype(i)]);
            agreed = !b.result.failed && sameSnapshot(a, b);
        }
        if (!agreed) {
            // Caught mid-write, or ending mid-line: watched as one file.
            out[i] = loadProfile(files[qsizetype(i)]);
            continue;
        }
        out[i] = std::move(a.result);
        out[i].doc = ProfileDocument::parse(a.bytes);
        a.bytes = QByteArray();
    }
}

} // namespace

std::vector<LoadedProfile> loadProfiles(const QStringList &files, ReadCheck check)
{
    std::vector<LoadedProfile> out(std::size_t(files.size()));
    // Threads so that reads over a share wait for the network side by side.
    constexpr std::size_t kPerThread = 64, kMaxThreads = 8;
    const std::size_t n = out.size();
    const std::size_t threads = std::clamp<std::size_t>(n / kPerThread, 1, kMaxThreads);
    std::vector<std::thread> pool;
    pool.reserve(threads - 1);
    for (std::size_t t = 1; t < threads; ++t)
        pool.emplace_back(
            [&, t] { loadShare(files, n * t / threads, n * (t + 1) / threads, check, out); });
    loadShare(files, 0, n / threads, check, out);
    for (std::thread &t : pool)
        t.join();
    return out;
}

LoadedProfile loadProfile(const QString &file)
{
    using namespace std::chrono_literals;
    using Waits = std::initializer_list<std::chrono::milliseconds>;
    // A file caught between the cut and the write reads empty or stops
    // mid-line: such a file is believed only when it stays so for a while.
    const Waits whole{kSettle};
    const Waits cut{5ms, 10ms, 25ms, 60ms, 100ms};
    constexpr int kTries = 100;
    for (int i = 0; i < kTries; ++i) {
        Snapshot first = readOnce(file);
        if (first.result.failed)
            return std::move(first.result);
        bool agreed = !first.changing;
        for (const std::chrono::milliseconds wait : looksComplete(first) ? whole : cut) {
            if (!agreed)
                break;
            std::this_thread::sleep_for(wait);
            Snapshot again = readOnce(file);
            if (again.result.failed)
                return std::move(again.result);
            agreed = sameSnapshot(first, again);
        }
        if (!agreed) {
            if (first.changing)
                std::this_thread::sleep_for(3ms);
            continue;
        }
        LoadedProfile l = std::move(first.result);
        l.doc = ProfileDocument::parse(first.bytes);
        return l;
    }
    return failed(file, QStringLiteral("文件一直在被其他程序改写，读不到完整的内容，请稍后再试"));
}

bool unchangedSince(const QString &file, const LoadedProfile &loaded)
{
    struct stat st {};
    if (::stat(QFile::encodeName(file).constData(), &st) != 0)
        return errno == ENOENT && !loaded.stamp;
    return loaded.stamp && stampOf(st) == *loaded.stamp;
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
