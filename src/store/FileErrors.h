#pragma once
// Why a file operation failed, in words the clerk reads: the system's own
// texts are English ("Operation not permitted", "Unknown error").
#include <QString>

class QFileDevice;

namespace portdesk {

// The cause behind an errno value, in Chinese.
QString errnoReason(int err);

// The cause of the last failure of `file`, in Chinese. `err` is the errno
// taken right after the failing call, when the caller has it; the device's
// own error text and kind are used to find the cause otherwise.
QString fileErrorReason(const QFileDevice &file, int err = 0);

// `text` with its control characters written as escapes (\n, \t, \x1b):
// a path from the command line may hold any of them, and the message that
// names it must stay one readable line.
QString escapedControls(const QString &text);

// "无法读取文件“<path>”：<reason>" and its writing twin, the path shown the
// way the clerk's system writes it.
QString readFailure(const QString &path, const QString &reason);
QString writeFailure(const QString &path, const QString &reason);

} // namespace portdesk
