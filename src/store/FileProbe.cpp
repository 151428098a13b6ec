#include "store/FileProbe.h"
#include "store/ProbeInjection.h"

#include <QFile>

#include <cerrno>
#include <sys/stat.h>

namespace portdesk {

Probe probePath(const QString &path)
{
    int err = injectedProbeError(path);
    struct stat st {};
    if (err == 0 && ::stat(QFile::encodeName(path).constData(), &st) != 0)
        err = errno;
    if (err == ENOENT || err == ENOTDIR)
        return {Presence::Absent, 0};
    if (err != 0)
        return {Presence::Failed, err};
    if (S_ISDIR(st.st_mode))
        return {Presence::Folder, 0};
    return {S_ISREG(st.st_mode) ? Presence::File : Presence::Other, 0};
}

} // namespace portdesk
