#include "model/FollowUpCount.h"
#include "store/SettingsStore.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace portdesk;
using portdesk::test::gbk;
using portdesk::test::readBytes;
using portdesk::test::TestEnv;
using portdesk::test::writeBytes;

namespace {

class FollowUpCountTest : public ::testing::Test {
protected:
    TestEnv env;
    QString ini() const { return env.ctx.tobedoneIni(); }
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(env.ctx.configDir())); }
    void slot(const QString &key, const QString &value)
    {
        ASSERT_TRUE(WriteKey(ini(), QStringLiteral("待处理列表"), key, value));
    }
};

} // namespace

TEST_F(FollowUpCountTest, MissingRegisterCountsZeroAndCreatesNothing)
{
    EXPECT_EQ(followUpCount(ini()), 0);
    EXPECT_FALSE(QFileInfo::exists(ini()));
}

TEST_F(FollowUpCountTest, MissingConfigFolderCountsZero)
{
    ASSERT_TRUE(QDir(env.ctx.configDir()).removeRecursively());
    EXPECT_EQ(followUpCount(ini()), 0);
    EXPECT_FALSE(QFileInfo::exists(env.ctx.configDir()));
}

TEST_F(FollowUpCountTest, ListsNonEmptySlotsUpToXInSlotOrder)
{
    slot("X", "4");
    slot("1", "上海甲公司(100001,2026-01-05)");
    slot("2", "");
    slot("3", "深圳乙公司(100002,2026-01-06)");
    slot("4", "丙公司(100003,2026-02-01)");
    slot("5", "beyond X is not listed");
    EXPECT_EQ(openFollowUps(ini()),
              QStringList({"上海甲公司(100001,2026-01-05)", "深圳乙公司(100002,2026-01-06)",
                           "丙公司(100003,2026-02-01)"}));
    EXPECT_EQ(followUpCount(ini()), 3);
}

TEST_F(FollowUpCountTest, HolesAndMissingSlotsAreSkipped)
{
    slot("X", "6");
    slot("2", "A(1,2026-01-01)");
    slot("6", "B(2,2026-01-02)");
    EXPECT_EQ(openFollowUps(ini()), QStringList({"A(1,2026-01-01)", "B(2,2026-01-02)"}));
}

struct XCase {
    const char *name;
    const char *x;
    int expected;
};

class FollowUpCountX : public FollowUpCountTest, public ::testing::WithParamInterface<XCase> {};

TEST_P(FollowUpCountX, XIsReadAsItsLeadingWholeNumber)
{
    for (int i = 1; i <= 3; ++i)
        slot(QString::number(i), QStringLiteral("单%1").arg(i));
    slot("X", QString::fromUtf8(GetParam().x));
    EXPECT_EQ(followUpCount(ini()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, FollowUpCountX,
                         ::testing::Values(XCase{"All", "3", 3}, XCase{"Two", "2", 2},
                                           XCase{"Zero", "0", 0}, XCase{"Empty", "", 0},
                                           XCase{"Letters", "abc", 0},
                                           XCase{"LettersAfter", "2abc", 2},
                                           XCase{"Fraction", "2.9", 2}, XCase{"Negative", "-3", 0},
                                           XCase{"MoreThanTheSlots", "9", 3}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(FollowUpCountTest, WithoutXNothingIsListed)
{
    slot("1", "A(1,2026-01-01)");
    EXPECT_EQ(followUpCount(ini()), 0);
}

TEST_F(FollowUpCountTest, ReadsAtMostTheRegistersSlotLimit)
{
    slot("X", "100000000000");
    slot("255", "last slot");
    slot("256", "past the limit");
    EXPECT_EQ(openFollowUps(ini()), QStringList({"last slot"}));
}

TEST_F(FollowUpCountTest, CountingNeverWritesTheFile)
{
    // X present but slots missing or empty: a plain ReadKey would write them back.
    const QByteArray bytes = gbk("[待处理列表]\nX=3\n1=\n3=甲(1,2026-01-01)\n[待处理]\n");
    ASSERT_TRUE(writeBytes(ini(), bytes));
    EXPECT_EQ(followUpCount(ini()), 1);
    EXPECT_EQ(readBytes(ini()), bytes);

    const QByteArray noX = gbk("[其它]\na=1\n");
    ASSERT_TRUE(writeBytes(ini(), noX));
    EXPECT_EQ(followUpCount(ini()), 0);
    EXPECT_EQ(readBytes(ini()), noX);
}

TEST(FollowUpBadge, TooltipCountsTheOpenDeclarations)
{
    EXPECT_EQ(followUpBadgeTip(3), QStringLiteral("有3条事项尚未完成"));
    EXPECT_EQ(followUpBadgeTip(12), QStringLiteral("有12条事项尚未完成"));
}
