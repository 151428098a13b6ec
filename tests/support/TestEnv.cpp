#include "support/TestEnv.h"

#include "store/Gbk.h"

#include <QDir>
#include <QFile>

namespace portdesk::test {

TestEnv::TestEnv()
    : ctx{prompts,
          clipboard,
          shell,
          printer,
          clock,
          root.path() + "/program",
          root.path() + "/work",
          root.path() + "/data",
          root.path() + "/cache"}
{
    QDir().mkpath(ctx.programDir);
    QDir().mkpath(ctx.workDir);
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

QByteArray fixture(const QString &name)
{
    return readBytes(QStringLiteral(PORTDESK_TEST_DATA "/") + name);
}

QByteArray gbk(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\n', QStringLiteral("\r\n"));
    return toGbk(t).value_or(QByteArray());
}

} // namespace portdesk::test
