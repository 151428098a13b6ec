// The office's particulars and prefix in Config.ini, and the work directory
// recorded in Portdesk.ini.
#include "store/OfficeSettings.h"
#include "store/SettingsStore.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace portdesk;
using namespace portdesk::test;

namespace {

struct Office : ::testing::Test {
    TestEnv env;
    void SetUp() override { QDir().mkpath(env.ctx.configDir()); }
    QString ini() const { return env.ctx.configIni(); }
};

} // namespace

TEST_F(Office, AFreshFileGainsTheSixKeysEmpty)
{
    const OfficeSettings s = readOfficeSettings(ini());
    for (const QString &v : s.QY)
        EXPECT_EQ(v, "");
    EXPECT_EQ(s.prefix, "");
    EXPECT_EQ(readBytes(ini()), gbk("[企业信息]\n0=\n1=\n2=\n3=\n4=\n[报检设置]\n报检号前缀=\n"));
}

TEST_F(Office, StoredValuesAreReadAndOtherSectionsLeftAlone)
{
    writeBytes(ini(), gbk("[清单报检]\nA=1\n[企业信息]\n0=无锡报关\n2=3202600001\n"
                          "[报检设置]\n报检号前缀=3202002\n"));
    const OfficeSettings s = readOfficeSettings(ini());
    EXPECT_EQ(s.QY[0], "无锡报关");
    EXPECT_EQ(s.QY[1], "");
    EXPECT_EQ(s.QY[2], "3202600001");
    EXPECT_EQ(s.prefix, "3202002");
    EXPECT_TRUE(readBytes(ini()).startsWith(gbk("[清单报检]\nA=1\n")));
}

TEST_F(Office, WritingStoresAllSixInKeyOrder)
{
    OfficeSettings s;
    s.QY = {"无锡报关", "代理公司", "3202600001", "张三", "0510-1"};
    s.prefix = "3202003";
    QString error;
    ASSERT_TRUE(writeOfficeSettings(ini(), s, &error)) << error.toStdString();
    EXPECT_EQ(readBytes(ini()), gbk("[企业信息]\n0=无锡报关\n1=代理公司\n2=3202600001\n3=张三\n"
                                    "4=0510-1\n[报检设置]\n报检号前缀=3202003\n"));
    const OfficeSettings back = readOfficeSettings(ini());
    EXPECT_EQ(back.QY, s.QY);
    EXPECT_EQ(back.prefix, s.prefix);
}

TEST_F(Office, ValuesInQuotesComeBackAsTyped)
{
    OfficeSettings s;
    s.QY = {"\"无锡报关\"", "'代理'", "3202600001", "张三", "0510-1"};
    s.prefix = "3202003";
    ASSERT_TRUE(writeOfficeSettings(ini(), s, nullptr));
    EXPECT_EQ(readOfficeSettings(ini()).QY, s.QY);
}

TEST_F(Office, AFailedWriteSaysWhyAndLeavesTheFile)
{
    // The file's place is taken by a folder: it cannot be replaced.
    ASSERT_TRUE(QDir().mkpath(ini()));
    OfficeSettings s;
    s.QY[0] = "x";
    QString error;
    EXPECT_FALSE(writeOfficeSettings(ini(), s, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(Office, TextGbkCannotHoldIsRefusedWithNothingWritten)
{
    readOfficeSettings(ini());
    const QByteArray before = readBytes(ini());
    OfficeSettings s;
    s.QY[3] = QString::fromUtf16(u"서울");
    QString error;
    EXPECT_FALSE(writeOfficeSettings(ini(), s, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readBytes(ini()), before);
}

TEST_F(Office, ThePrefixDefaultsWhenNoneIsStored)
{
    EXPECT_EQ(declarationPrefix(ini()), "3202001");
    ASSERT_TRUE(WriteKey(ini(), "报检设置", "报检号前缀", "3101000"));
    EXPECT_EQ(declarationPrefix(ini()), "3101000");
    ASSERT_TRUE(WriteKey(ini(), "报检设置", "报检号前缀", "   "));
    EXPECT_EQ(declarationPrefix(ini()), "3202001");
}

TEST(PrefixText, DigitsOnlyAtMostSeven)
{
    const struct {
        const char *text;
        bool ok;
    } cases[] = {{"", true},      {"3202001", true}, {"32020011", false}, {"32a", false},
                 {"32 0", false}, {"-1", false},     {"0", true}};
    for (const auto &c : cases)
        EXPECT_EQ(isPrefixText(c.text), c.ok) << c.text;
    EXPECT_FALSE(isPrefixText(QString::fromUtf16(u"３２")));
}

TEST(TypedDir, OneTrailingSeparatorIsDropped)
{
    EXPECT_EQ(dirFromTyped("/data/work/"), "/data/work");
    EXPECT_EQ(dirFromTyped("/data/work\\"), "/data/work");
    EXPECT_EQ(dirFromTyped("/data/work"), "/data/work");
    EXPECT_EQ(dirFromTyped("/data/work//"), "/data/work/");
    EXPECT_EQ(dirFromTyped(""), "");
}

TEST(WorkDirSetting, TheChosenFolderIsRecorded)
{
    TestEnv env;
    QString error;
    ASSERT_TRUE(writeWorkDirSetting(env.ctx.programDir, "/srv/share/portdesk", &error));
    EXPECT_EQ(readBytes(env.ctx.programDir + "/Portdesk.ini"),
              gbk("[Setting]\nWorkDir=" + dirForDisplay("/srv/share/portdesk") + "\n"));
}

TEST(WorkDirSetting, TheProgramsOwnFolderIsRecordedEmpty)
{
    TestEnv env;
    ASSERT_TRUE(writeWorkDirSetting(env.ctx.programDir, "/elsewhere", nullptr));
    ASSERT_TRUE(writeWorkDirSetting(env.ctx.programDir, env.ctx.programDir, nullptr));
    EXPECT_EQ(readBytes(env.ctx.programDir + "/Portdesk.ini"), gbk("[Setting]\nWorkDir=\n"));
}

TEST(WorkDirSetting, AFailureIsReported)
{
    TestEnv env;
    ASSERT_TRUE(QDir().mkpath(env.ctx.programDir + "/Portdesk.ini"));
    QString error;
    EXPECT_FALSE(writeWorkDirSetting(env.ctx.programDir, "/elsewhere", &error));
    EXPECT_FALSE(error.isEmpty());
}
