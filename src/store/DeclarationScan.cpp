#include "store/DeclarationScan.h"

#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace portdesk {

namespace {

ScannedFile scannedOf(const QString &path, const struct stat &st)
{
    return {path, qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
            qint64(st.st_ino)};
}

bool isDeclarationName(const char *name)
{
    const std::size_t n = std::strlen(name);
    return n > 4 && strncasecmp(name + n - 4, ".dcl", 4) == 0;
}

// One folder's entries, read directly: QDir would stat and sort every entry,
// several times the cost of the walk itself for a hundred thousand files.
// With `files`, the *.dcl regular files and their looks; else the subfolders.
bool readFolder(const QString &workDir, const QString &relative, std::vector<ScannedFile> *files,
                QStringList *folders)
{
    const QByteArray path = QFile::encodeName(workDir + u'/' + relative);
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR;
    DIR *dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return false;
    }
    bool ok = true;
    errno = 0;
    while (const dirent *e = ::readdir(dir)) {
        if (e->d_name[0] == '.' && (!e->d_name[1] || (e->d_name[1] == '.' && !e->d_name[2])))
            continue;
        if (files && !isDeclarationName(e->d_name))
            continue;
        struct stat st {};
        if (::fstatat(fd, e->d_name, &st, 0) != 0) {
            // Gone since the directory was read: as if never seen.
            if (errno != ENOENT)
                ok = false;
            errno = 0;
            continue;
        }
        const QString name = relative + u'/' + QFile::decodeName(e->d_name);
        if (files && S_ISREG(st.st_mode))
            files->push_back(scannedOf(name, st));
        else if (folders && S_ISDIR(st.st_mode))
            folders->append(name);
        errno = 0;
    }
    if (errno != 0)
        ok = false;
    ::closedir(dir);
    return ok;
}

} // namespace

std::vector<ScannedFile> scanDeclarations(const QString &workDir, QStringList *unreadable)
{
    QStringList folders = {QStringLiteral("Saved"), QStringLiteral("Saved/Printed")};
    QStringList years;
    if (!readFolder(workDir, QStringLiteral("Saved/Archived"), nullptr, &years))
        unreadable->append(QStringLiteral("Saved/Archived"));
    for (const QString &year : std::as_const(years)) {
        if (!readFolder(workDir, year, nullptr, &folders))
            unreadable->append(year);
    }
    // Looking at each file is most of the walk's time; the folders are
    // shared out among a few threads.
    const std::size_t threads = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 4);
    std::vector<std::vector<ScannedFile>> found(threads);
    std::vector<QStringList> failed(threads);
    std::vector<std::thread> pool;
    for (std::size_t t = 0; t < threads; ++t) {
        pool.emplace_back([&, t] {
            for (qsizetype i = qsizetype(t); i < folders.size(); i += qsizetype(threads)) {
                if (!readFolder(workDir, folders[i], &found[t], nullptr))
                    failed[t].append(folders[i]);
            }
        });
    }
    for (std::thread &t : pool)
        t.join();
    std::vector<ScannedFile> all;
    for (std::size_t t = 0; t < threads; ++t) {
        all.insert(all.end(), std::make_move_iterator(found[t].begin()),
                   std::make_move_iterator(found[t].end()));
        unreadable->append(failed[t]);
    }
    return all;
}

bool scanOne(const QString &workDir, const QString &path, ScannedFile &out)
{
    struct stat st {};
    if (::stat(QFile::encodeName(workDir + u'/' + path).constData(), &st) != 0 ||
        !S_ISREG(st.st_mode))
        return false;
    out = scannedOf(path, st);
    return true;
}

} // namespace portdesk
