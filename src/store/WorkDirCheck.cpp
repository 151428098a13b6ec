#include "store/WorkDirCheck.h"

#include "platform/Context.h"
#include "platform/FileSystem.h"
#include "platform/Prompts.h"

namespace portdesk {

bool workDirReachable(const Context &ctx, const QString &failureSuffix)
{
    if (dirExists(ctx.workDir))
        return true;
    ctx.prompts.warn(QStringLiteral("无法连接到工作目录！") + failureSuffix,
                     QStringLiteral("连接异常"));
    return false;
}

} // namespace portdesk
