#include "app/PdfCommand.h"

#include "model/Sheet.h"
#include "model/SheetFiles.h"
#include "platform/FileSystem.h"
#include "print/SheetPdf.h"
#include "store/FileErrors.h"
#include "store/WorkDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace portdesk {

namespace {

constexpr int kUsage = 2, kFailed = 1;

const char *const usage =
    "usage: portdesk --pdf DECLARATION.dcl OUT.pdf [--workdir DIR] [--date YYYY-MM-DD]";

struct PdfArguments {
    QString declaration, out, workDir;
    QByteArray declarationBytes, outBytes; // the names as the system gave them
    QDate date;
};

bool parse(const QList<QByteArray> &raw, const QDate &today, PdfArguments &a, QString *error)
{
    QStringList args;
    for (const QByteArray &r : raw)
        args << QFile::decodeName(r);
    QList<int> files;
    bool pdf = false, optionsEnd = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (optionsEnd) {
            files << i;
            continue;
        }
        const bool valued = arg == QStringLiteral("--workdir") || arg == QStringLiteral("--date");
        if (valued && i + 1 >= args.size()) {
            *error = escapedControls(arg) + QStringLiteral(" needs a value; ") +
                     QString::fromLatin1(usage);
            return false;
        }
        if (arg == QStringLiteral("--")) {
            optionsEnd = true;
        } else if (arg == QStringLiteral("--pdf")) {
            pdf = true;
        } else if (arg == QStringLiteral("--workdir")) {
            a.workDir = args[++i];
        } else if (arg == QStringLiteral("--date")) {
            a.date = QDate::fromString(args[++i], Qt::ISODate);
            if (!a.date.isValid()) {
                *error = QStringLiteral("not a date (YYYY-MM-DD): ") + escapedControls(args[i]);
                return false;
            }
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            // Qt's own options (-platform xcb) included: this mode takes none.
            *error = QStringLiteral("unknown option ") + escapedControls(arg) +
                     QStringLiteral("; ") + QString::fromLatin1(usage);
            return false;
        } else {
            files << i;
        }
    }
    if (!pdf || files.size() != 2) {
        *error = QString::fromLatin1(usage);
        return false;
    }
    a.declaration = args[files[0]];
    a.declarationBytes = raw[files[0]];
    a.out = args[files[1]];
    a.outBytes = raw[files[1]];
    if (!a.date.isValid())
        a.date = today;
    return true;
}

// A path to read the file named by `bytes` through. A name that is not valid
// in the system's encoding does not survive the trip through QString; on
// Linux the file is then opened by its bytes and read through its descriptor.
class ReadablePath {
public:
    explicit ReadablePath(const QByteArray &bytes) : path_(QFile::decodeName(bytes))
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
    ~ReadablePath()
    {
#ifdef Q_OS_UNIX
        if (fd_ >= 0)
            ::close(fd_);
#endif
    }
    ReadablePath(const ReadablePath &) = delete;
    ReadablePath &operator=(const ReadablePath &) = delete;
    const QString &path() const
    {
        return path_;
    }

private:
    QString path_;
    int fd_ = -1;
};

// True when `out` names the declaration itself, by the same path or through a
// symbolic or hard link.
bool sameFile(const PdfArguments &a)
{
#ifdef Q_OS_UNIX
    struct stat in {
    }, out{};
    if (::stat(a.declarationBytes.constData(), &in) != 0 ||
        ::stat(a.outBytes.constData(), &out) != 0)
        return false;
    return in.st_dev == out.st_dev && in.st_ino == out.st_ino;
#else
    const QString in = QFileInfo(a.declaration).canonicalFilePath();
    return !in.isEmpty() && in == QFileInfo(a.out).canonicalFilePath();
#endif
}

} // namespace

bool wantsPdf(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--pdf") == 0)
            return true;
    }
    return false;
}

int runPdfCommand(const QStringList &args, const QString &programDir, const QDate &today,
                  QString *error)
{
    QList<QByteArray> raw;
    for (const QString &arg : args)
        raw << QFile::encodeName(arg);
    return runPdfCommand(raw, programDir, today, error);
}

int runPdfCommand(const QList<QByteArray> &args, const QString &programDir, const QDate &today,
                  QString *error)
{
    PdfArguments a;
    if (!parse(args, today, a, error))
        return kUsage;

    QString workDir;
    if (!a.workDir.isEmpty()) {
        workDir = withoutTrailingSeparator(QDir::cleanPath(QDir::fromNativeSeparators(a.workDir)));
        if (!dirExists(workDir)) {
            *error = QStringLiteral("no such work directory: ") + escapedControls(a.workDir);
            return kFailed;
        }
    } else {
        const WorkDirChoice choice = resolveWorkDir(programDir, true);
        if (choice.unreachable) {
            *error = QStringLiteral("cannot reach the work directory ") +
                     escapedControls(choice.configured);
            return kFailed;
        }
        workDir = choice.workDir;
    }

    if (sameFile(a)) {
        *error = QStringLiteral("the output is the declaration itself: ") + escapedControls(a.out);
        return kFailed;
    }
    if (QFile::encodeName(a.out) != a.outBytes) {
        // Written under the decoded name, it would land beside the one asked for.
        *error = QStringLiteral("the output name is not valid text in this system's encoding: ") +
                 escapedControls(a.out);
        return kFailed;
    }
    SheetSources sources;
    {
        const ReadablePath in(a.declarationBytes);
        if (!readDeclarationContent(in.path(), a.declaration, sources.declaration, error))
            return kFailed;
    }
    const QString config = workDir + QStringLiteral("/Config");
    const SheetParticulars p = readSheetParticulars(
        config + QStringLiteral("/Consignee.ini"), config + QStringLiteral("/Config.ini"),
        sources.declaration[DeclField::ShouHuoRen], WriteBack::No);
    sources.consignee = p.consignee;
    sources.office = p.office;
    sources.date = a.date;
    return writeSheetPdf(sheetFor(sources), a.out, error) ? 0 : kFailed;
}

} // namespace portdesk
