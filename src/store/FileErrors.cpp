#include "store/FileErrors.h"

#include <QDir>
#include <QFileDevice>

#include <cerrno>
#include <optional>

namespace portdesk {

namespace {

struct Cause {
    int err;
    const char16_t *text;
};

// Grouped by what the clerk can do about it.
constexpr Cause kCauses[] = {
    {ENOSPC, u"磁盘已满"},
    {EDQUOT, u"磁盘空间配额已用完"},
    {EFBIG, u"文件超出了允许的大小（磁盘空间不足）"},
    {EACCES, u"没有权限"},
    {EPERM, u"没有权限"},
    {EROFS, u"磁盘是只读的"},
    {ENOENT, u"文件或文件夹不存在（可能已被移走，或网络连接已断开）"},
    {ENOTDIR, u"文件夹不存在（可能已被移走，或网络连接已断开）"},
    {EBUSY, u"文件正被其他程序使用"},
    {ETXTBSY, u"文件正被其他程序使用"},
    {EAGAIN, u"文件正被其他程序使用"},
    {EISDIR, u"这是一个文件夹"},
    {EEXIST, u"文件已经存在"},
    {ENAMETOOLONG, u"文件名太长"},
    {EMFILE, u"同时打开的文件太多"},
    {ENFILE, u"同时打开的文件太多"},
    {EIO, u"读写磁盘出错（磁盘或网络连接异常）"},
    {ESTALE, u"网络上的文件已失效（网络连接曾中断）"},
    {ETIMEDOUT, u"网络连接超时"},
    {ENOTCONN, u"网络连接已断开"},
    {ECONNRESET, u"网络连接已断开"},
    {ECONNABORTED, u"网络连接已断开"},
    {ENETDOWN, u"网络连接已断开"},
    {ENETUNREACH, u"网络连接已断开"},
    {EHOSTDOWN, u"网络连接已断开"},
    {EHOSTUNREACH, u"网络连接已断开"},
    {EXDEV, u"不能跨磁盘移动文件"},
    {EINVAL, u"文件名无效"},
    {ENOMEM, u"内存不足"},
};

std::optional<QString> knownReason(int err)
{
    for (const Cause &c : kCauses) {
        if (c.err == err)
            return QString::fromUtf16(c.text);
    }
    return std::nullopt;
}

// Qt words system errors as qt_error_string() does; finding that text again
// gives back the errno it came from. Some operations put their own words in
// front ("Cannot open destination file: Permission denied", a failed rename).
int errnoOfText(const QString &text)
{
    if (text.isEmpty())
        return 0;
    for (const Cause &c : kCauses) {
        const QString system = qt_error_string(c.err);
        if (text == system || text.endsWith(QStringLiteral(": ") + system))
            return c.err;
    }
    return 0;
}

QString kindReason(QFileDevice::FileError kind)
{
    switch (kind) {
    case QFileDevice::ReadError:
        return QStringLiteral("读取时出错（磁盘或网络连接异常）");
    case QFileDevice::WriteError:
        return QStringLiteral("写入时出错（可能磁盘已满或网络连接异常）");
    case QFileDevice::ResourceError:
        return QStringLiteral("磁盘已满或系统资源不足");
    case QFileDevice::OpenError:
        return QStringLiteral("无法打开文件");
    case QFileDevice::PermissionsError:
        return QStringLiteral("没有权限");
    case QFileDevice::RenameError:
    case QFileDevice::CopyError:
        return QStringLiteral("无法替换文件（可能正被其他程序使用）");
    case QFileDevice::RemoveError:
        return QStringLiteral("无法删除文件（可能正被其他程序使用）");
    case QFileDevice::TimeOutError:
        return QStringLiteral("操作超时");
    default:
        return QStringLiteral("未知原因");
    }
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

QString errnoReason(int err)
{
    if (std::optional<QString> r = knownReason(err))
        return *r;
    return QStringLiteral("系统错误（代码 %1）").arg(err);
}

QString fileErrorReason(const QFileDevice &file, int err)
{
    if (const int fromText = errnoOfText(file.errorString()))
        return errnoReason(fromText);
    if (std::optional<QString> r = knownReason(err))
        return *r;
    return kindReason(file.error());
}

QString readFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("无法读取文件“%1”：%2").arg(shown(path), reason);
}

QString escapedControls(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (c == u'\t')
            out += QStringLiteral("\\t");
        else if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
                 c == QChar::ParagraphSeparator)
            out += (c.unicode() < 0x100 ? QStringLiteral("\\x%1") : QStringLiteral("\\u%1"))
                       .arg(uint(c.unicode()), c.unicode() < 0x100 ? 2 : 4, 16, QChar(u'0'));
        else
            out += c;
    }
    return out;
}

QString writeFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("无法写入文件“%1”：%2").arg(shown(path), reason);
}

} // namespace portdesk
