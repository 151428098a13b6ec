#include "app/PdfCommand.h"

#include "model/Sheet.h"
#include "model/SheetFiles.h"
#include "platform/FileSystem.h"
#include "print/SheetPdf.h"
#include "store/WorkDirectory.h"

#include <QDir>
#include <cstring>

namespace portdesk {

namespace {

constexpr int kUsage = 2, kFailed = 1;

const char *const usage =
    "usage: portdesk --pdf DECLARATION.dcl OUT.pdf [--workdir DIR] [--date YYYY-MM-DD]";

struct PdfArguments {
    QString declaration, out, workDir;
    QDate date;
};

bool parse(const QStringList &args, const QDate &today, PdfArguments &a, QString *error)
{
    QStringList files;
    bool pdf = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        const bool valued = arg == QStringLiteral("--workdir") || arg == QStringLiteral("--date");
        if (valued && i + 1 >= args.size()) {
            *error = arg + QStringLiteral(" needs a value; ") + QString::fromLatin1(usage);
            return false;
        }
        if (arg == QStringLiteral("--pdf")) {
            pdf = true;
        } else if (arg == QStringLiteral("--workdir")) {
            a.workDir = args[++i];
        } else if (arg == QStringLiteral("--date")) {
            a.date = QDate::fromString(args[++i], Qt::ISODate);
            if (!a.date.isValid()) {
                *error = QStringLiteral("not a date (YYYY-MM-DD): ") + args[i];
                return false;
            }
        } else if (arg.startsWith(QStringLiteral("--"))) {
            *error = QStringLiteral("unknown option ") + arg + QStringLiteral("; ") +
                     QString::fromLatin1(usage);
            return false;
        } else {
            files << arg;
        }
    }
    if (!pdf || files.size() != 2) {
        *error = QString::fromLatin1(usage);
        return false;
    }
    a.declaration = files[0];
    a.out = files[1];
    if (!a.date.isValid())
        a.date = today;
    return true;
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
    PdfArguments a;
    if (!parse(args, today, a, error))
        return kUsage;

    QString workDir;
    if (!a.workDir.isEmpty()) {
        workDir = withoutTrailingSeparator(QDir::cleanPath(QDir::fromNativeSeparators(a.workDir)));
        if (!dirExists(workDir)) {
            *error = QStringLiteral("no such work directory: ") + a.workDir;
            return kFailed;
        }
    } else {
        const WorkDirChoice choice = resolveWorkDir(programDir, true);
        if (choice.unreachable) {
            *error = QStringLiteral("cannot reach the work directory ") + choice.configured;
            return kFailed;
        }
        workDir = choice.workDir;
    }

    SheetSources sources;
    if (!readDeclarationContent(a.declaration, sources.declaration, error))
        return kFailed;
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
