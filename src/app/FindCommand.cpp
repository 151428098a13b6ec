#include "app/FindCommand.h"

#include "app/CommandLine.h"
#include "model/DeclarationIndex.h"
#include "store/FileErrors.h"

#include <QFile>

#include <limits>

namespace portdesk {

namespace {

const CommandMode findMode{"--find", 1, false, "usage: portdesk --find TEXT [--workdir DIR]"};

} // namespace

bool wantsFind(int argc, char **argv)
{
    return wantsMode(argc, argv, findMode.flag);
}

int runFindCommand(const QList<QByteArray> &args, const QString &programDir,
                   const QString &cacheDir, QStringList *paths, QString *error)
{
    CommandArguments a;
    if (!parseCommandLine(args, findMode, a, error))
        return kCommandUsage;
    const QString text = QFile::decodeName(a.files[0]);
    if (text.trimmed().isEmpty()) {
        *error = QStringLiteral("nothing to find; ") + QString::fromLatin1(findMode.usage);
        return kCommandUsage;
    }
    const QString workDir = commandWorkDir(a.workDir, programDir, error);
    if (workDir.isEmpty())
        return kCommandFailed;
    DeclarationIndex index(workDir, searchCacheFile(cacheDir, workDir));
    if (!index.open(error) || !index.refresh([](std::size_t, std::size_t) {}, error))
        return kCommandFailed;
    const std::vector<FoundDeclaration> found =
        index.find(text, std::numeric_limits<std::size_t>::max(), error);
    if (found.empty()) {
        if (error->isEmpty())
            *error = QStringLiteral("no declaration holds ") + escapedControls(text);
        return kCommandFailed;
    }
    for (const FoundDeclaration &f : found)
        paths->append(f.relative);
    return 0;
}

} // namespace portdesk
