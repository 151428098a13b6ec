#include "store/WorkDirectory.h"

#include "platform/FileSystem.h"
#include "store/SettingsStore.h"

#include <QDir>
#include <QFileInfo>

namespace portdesk {

QString portdeskIniPath(const QString &programDir)
{
    return programDir + QStringLiteral("/Portdesk.ini");
}

QString withoutTrailingSeparator(const QString &path)
{
    if (path.endsWith('\\') || (path.endsWith('/') && path.size() > 1))
        return path.chopped(1);
    return path;
}

WorkDirChoice resolveWorkDir(const QString &programDir, bool readOnly)
{
    WorkDirChoice choice;
    const QString ini = portdeskIniPath(programDir);
    if (!QFileInfo::exists(ini)) {
        choice.workDir = programDir;
        return choice;
    }
    const QString section = QStringLiteral("Setting"), key = QStringLiteral("WorkDir");
    // A batch never saved writes nothing.
    choice.configured =
        withoutTrailingSeparator(readOnly ? ProfileBatch(ini).ReadKey(section, key, QString())
                                          : ReadKey(ini, section, key, QString()));
    if (choice.configured.isEmpty()) {
        choice.workDir = programDir;
        return choice;
    }
    const QString dir = QDir::fromNativeSeparators(choice.configured);
    switch (probeDirectory(dir)) {
    case DirProbe::Exists:
        choice.workDir = withoutTrailingSeparator(dir);
        break;
    case DirProbe::Missing:
        choice.workDir = programDir;
        break;
    case DirProbe::Unreachable:
        choice.unreachable = true;
        break;
    }
    return choice;
}

QString startupErrorText(const QString &configured)
{
    return QStringLiteral("无法打开设定的工作目录：\n") + configured +
           QStringLiteral("\n这可能是其它电脑上的共享盘，暂时无法连接上，请修复后再试。\n"
                          "如果需要，请修改本程序目录中的Portdesk.ini中的路径。");
}

} // namespace portdesk
