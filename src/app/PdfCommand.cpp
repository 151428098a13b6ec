#include "app/PdfCommand.h"

#include "app/CommandLine.h"
#include "model/Sheet.h"
#include "model/SheetFiles.h"
#include "print/SheetPdf.h"
#include "store/FileErrors.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace portdesk {

namespace {

const CommandMode pdfMode{
    "--pdf", 2, true,
    "usage: portdesk --pdf DECLARATION.dcl OUT.pdf [--workdir DIR] [--date YYYY-MM-DD]"};

struct PdfArguments {
    QString declaration, out, workDir;
    QByteArray declarationBytes, outBytes; // the names as the system gave them
    QDate date;
};

bool parse(const QList<QByteArray> &raw, const QDate &today, PdfArguments &a, QString *error)
{
    CommandArguments c;
    if (!parseCommandLine(raw, pdfMode, c, error))
        return false;
    a.declarationBytes = c.files[0];
    a.outBytes = c.files[1];
    a.declaration = QFile::decodeName(a.declarationBytes);
    a.out = QFile::decodeName(a.outBytes);
    a.workDir = c.workDir;
    a.date = c.date.isValid() ? c.date : today;
    return true;
}

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
    return wantsMode(argc, argv, pdfMode.flag);
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
        return kCommandUsage;

    const QString workDir = commandWorkDir(a.workDir, programDir, error);
    if (workDir.isEmpty())
        return kCommandFailed;

    if (sameFile(a)) {
        *error = QStringLiteral("the output is the declaration itself: ") + escapedControls(a.out);
        return kCommandFailed;
    }
    if (QFile::encodeName(a.out) != a.outBytes) {
        // Written under the decoded name, it would land beside the one asked for.
        *error = QStringLiteral("the output name is not valid text in this system's encoding: ") +
                 escapedControls(a.out);
        return kCommandFailed;
    }
    SheetSources sources;
    {
        const ReadablePath in(a.declarationBytes);
        if (!readDeclarationContent(in.path(), a.declaration, sources.declaration, error))
            return kCommandFailed;
    }
    const QString config = workDir + QStringLiteral("/Config");
    const SheetParticulars p = readSheetParticulars(
        config + QStringLiteral("/Consignee.ini"), config + QStringLiteral("/Config.ini"),
        sources.declaration[DeclField::ShouHuoRen], WriteBack::No);
    sources.consignee = p.consignee;
    sources.office = p.office;
    sources.date = a.date;
    return writeSheetPdf(sheetFor(sources), a.out, error) ? 0 : kCommandFailed;
}

} // namespace portdesk
