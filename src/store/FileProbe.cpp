#include "store/FileProbe.h"

#include <QFile>

#include <cerrno>
#include <mutex>
#include <sys/stat.h>

namespace portdesk {

namespace {

std::mutex faultMutex;
ProbeFault &fault()
{
    static ProbeFault f;
    return f;
}

int injectedError(const QString &path)
{
    std::lock_guard<std::mutex> guard(faultMutex);
    return fault() ? fault()(path) : 0;
}

} // namespace

void setProbeFault(ProbeFault f)
{
    std::lock_guard<std::mutex> guard(faultMutex);
    fault() = std::move(f);
}

Probe probePath(const QString &path)
{
    int err = injectedError(path);
    struct stat st {};
    if (err == 0 && ::stat(QFile::encodeName(path).constData(), &st) != 0)
        err = errno;
    if (err == ENOENT || err == ENOTDIR)
        return {Presence::Absent, 0};
    if (err != 0)
        return {Presence::Failed, err};
    return {S_ISDIR(st.st_mode) ? Presence::Folder : Presence::File, 0};
}

} // namespace portdesk
