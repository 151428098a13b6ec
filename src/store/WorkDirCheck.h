#pragma once
// The check every command that touches files makes first.
#include <QString>

namespace portdesk {

struct Context;

// True when the work directory is there; otherwise tells the clerk
// "无法连接到工作目录！" (followed by `failureSuffix`, such as "保存失败！").
bool workDirReachable(const Context &ctx, const QString &failureSuffix = QString());

} // namespace portdesk
