#include "app/CommandLine.h"

#include "platform/FileSystem.h"
#include "store/FileErrors.h"
#include "store/WorkDirectory.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace portdesk {

bool wantsMode(int argc, char **argv, const char *flag)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], flag) == 0)
            return true;
    }
    return false;
}

bool parseCommandLine(const QList<QByteArray> &raw, const CommandMode &mode, CommandArguments &a,
                      QString *error)
{
    const QString usage = QString::fromLatin1(mode.usage);
    const QString flag = QString::fromLatin1(mode.flag);
    QStringList args;
    for (const QByteArray &r : raw)
        args << QFile::decodeName(r);
    bool seen = false, optionsEnd = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (optionsEnd) {
            a.files << raw[i];
            continue;
        }
        const bool valued = arg == QStringLiteral("--workdir") ||
                            (mode.takesDate && arg == QStringLiteral("--date"));
        if (valued && i + 1 >= args.size()) {
            *error = escapedControls(arg) + QStringLiteral(" needs a value; ") + usage;
            return false;
        }
        if (arg == QStringLiteral("--")) {
            optionsEnd = true;
        } else if (arg == flag) {
            seen = true;
        } else if (arg == QStringLiteral("--workdir")) {
            a.workDir = args[++i];
        } else if (valued) {
            a.date = QDate::fromString(args[++i], Qt::ISODate);
            if (!a.date.isValid()) {
                *error = QStringLiteral("not a date (YYYY-MM-DD): ") + escapedControls(args[i]);
                return false;
            }
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            // Qt's own options (-platform xcb) included: these modes take none.
            *error = QStringLiteral("unknown option ") + escapedControls(arg) +
                     QStringLiteral("; ") + usage;
            return false;
        } else {
            a.files << raw[i];
        }
    }
    if (!seen || a.files.size() != mode.files) {
        *error = usage;
        return false;
    }
    return true;
}

QString commandWorkDir(const QString &given, const QString &programDir, QString *error)
{
    if (!given.isEmpty()) {
        const QString dir =
            withoutTrailingSeparator(QDir::cleanPath(QDir::fromNativeSeparators(given)));
        if (!dirExists(dir)) {
            *error = QStringLiteral("no such work directory: ") + escapedControls(given);
            return {};
        }
        return dir;
    }
    const WorkDirChoice choice = resolveWorkDir(programDir, true);
    if (choice.unreachable) {
        *error =
            QStringLiteral("cannot reach the work directory ") + escapedControls(choice.configured);
        return {};
    }
    return choice.workDir;
}

ReadablePath::ReadablePath(const QByteArray &bytes) : path_(QFile::decodeName(bytes))
{
#ifdef Q_OS_LINUX
    if (QFile::encodeName(path_) != bytes) {
        // Non-blocking: a FIFO must be refused, not waited on.
        fd_ = ::open(bytes.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ >= 0)
            path_ = QStringLiteral("/proc/self/fd/%1").arg(fd_);
    }
#endif
}

ReadablePath::~ReadablePath()
{
#ifdef Q_OS_UNIX
    if (fd_ >= 0)
        ::close(fd_);
#endif
}

} // namespace portdesk
