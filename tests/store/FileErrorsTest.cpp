// Failure reasons the clerk reads: Chinese, the cause named, never the
// system's English text.
#include "store/FileErrors.h"
#include "store/SettingsStore.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <cerrno>

using namespace portdesk;
using portdesk::test::TestEnv;

namespace {

bool hasEnglish(const QString &text)
{
    return text.contains(QRegularExpression(QStringLiteral("[A-Za-z]{3,}")));
}

TEST(FileErrors, CausesTheClerkCanActOnAreNamed)
{
    struct Row {
        int err;
        const char *mustSay;
    };
    const Row rows[] = {
        {ENOSPC, "磁盘已满"}, {EACCES, "权限"},    {EPERM, "权限"},  {EBUSY, "使用"},
        {ENOENT, "不存在"},   {ENOTDIR, "不存在"}, {EIO, "出错"},    {ESTALE, "网络"},
        {ETIMEDOUT, "网络"},  {EROFS, "只读"},     {EDQUOT, "磁盘"}, {9999, "9999"},
    };
    for (const Row &r : rows) {
        const QString reason = errnoReason(r.err);
        EXPECT_TRUE(reason.contains(QString::fromUtf8(r.mustSay))) << reason.toStdString();
        EXPECT_FALSE(hasEnglish(reason)) << reason.toStdString();
    }
}

TEST(FileErrors, QtsOwnErrorTextIsTranslated)
{
    TestEnv env;
    QFile missing(env.path("gone/x.dcl"));
    ASSERT_FALSE(missing.open(QIODevice::ReadOnly));
    ASSERT_TRUE(hasEnglish(missing.errorString())) << "what Qt would have shown";
    EXPECT_TRUE(fileErrorReason(missing).contains("不存在"));

    QFile never(env.path("never.dcl"));
    ASSERT_FALSE(never.remove());
    EXPECT_FALSE(hasEnglish(fileErrorReason(never))) << fileErrorReason(never).toStdString();
}

TEST(FileErrors, AFailedRenameNamesItsCause)
{
    TestEnv env;
    const struct {
        const char *what;
        QString to;
        const char *mustSay;
    } cases[] = {
        {"folder gone", env.path("gone/b.dcl"), "不存在"},
        {"name too long", env.path(QString(300, 'b') + ".dcl"), "文件名太长"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QFile from(env.path("a.dcl"));
        ASSERT_TRUE(from.open(QIODevice::WriteOnly));
        from.close();
        ASSERT_FALSE(from.rename(c.to));
        const QString reason = fileErrorReason(from);
        EXPECT_TRUE(reason.contains(QString::fromUtf8(c.mustSay))) << reason.toStdString();
    }
}

TEST(FileErrors, StoreFailuresNameTheFileInChinese)
{
    TestEnv env;
    const QString file = env.path("Saved/Archived/2026/a.dcl");
    QString error;
    EXPECT_FALSE(WriteKey(file, "A", "k", "1", &error));
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(file))) << error.toStdString();
    EXPECT_TRUE(error.contains("不存在")) << error.toStdString();
    EXPECT_FALSE(hasEnglish(error.remove(QDir::toNativeSeparators(file))));
}

} // namespace
