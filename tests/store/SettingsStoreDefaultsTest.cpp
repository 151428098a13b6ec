// A read that finds nothing stores its default: missing keys, empty values,
// missing files, and files that cannot be written.
#include "store/SettingsStore.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace portdesk;
using portdesk::test::gbk;
using portdesk::test::readBytes;
using portdesk::test::TestEnv;
using portdesk::test::writeBytes;

namespace {

struct DefaultCase {
    const char *name;
    QByteArray before;
    QString def;
    QString returned;
    QByteArray after;
};

std::vector<DefaultCase> defaultCases()
{
    return {
        {"MissingKeyAddedAfterLastKey", "[S]\r\na=1\r\n\r\n[T]\r\n", "d", "d",
         "[S]\r\na=1\r\nk=d\r\n\r\n[T]\r\n"},
        {"MissingSectionAppended", "[T]\r\na=1\r\n", "d", "d", "[T]\r\na=1\r\n[S]\r\nk=d\r\n"},
        {"EmptyValueRewritten", "[S]\r\nk=\r\nb=2\r\n", "d", "d", "[S]\r\nk=d\r\nb=2\r\n"},
        {"BlankValueRewritten", "[S]\r\nk= \t \r\n", "d", "d", "[S]\r\nk=d\r\n"},
        {"EmptyQuotesRewritten", "[S]\r\nk=\"\"\r\n", "d", "d", "[S]\r\nk=d\r\n"},
        {"DefaultWrittenUntrimmedReturnedTrimmed", "[S]\r\n", "  d  ", "d", "[S]\r\nk=d  \r\n"},
        {"EmptyDefaultLeavesEmptyKey", "[S]\r\na=1\r\n", "", "", "[S]\r\na=1\r\nk=\r\n"},
        {"EmptyDefaultOnEmptyValueWritesNothing", "[S]\r\n k = \r\n", "", "", "[S]\r\n k = \r\n"},
        {"OnlySpacesTrimmedOnReturn", "[S]\r\n", " \td\t ", "\td\t", "[S]\r\nk=d\t \r\n"},
    };
}

class ReadDefaults : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(ReadDefaults, OneByOne)
{
    TestEnv env;
    const QString file = env.path("d.ini");
    ASSERT_TRUE(writeBytes(file, GetParam().before));
    EXPECT_EQ(ReadKey(file, "S", "k", GetParam().def), GetParam().returned);
    EXPECT_EQ(readBytes(file), GetParam().after);
}

TEST_P(ReadDefaults, InBatch)
{
    TestEnv env;
    const QString file = env.path("d.ini");
    ASSERT_TRUE(writeBytes(file, GetParam().before));
    ProfileBatch batch(file);
    EXPECT_EQ(batch.ReadKey("S", "k", GetParam().def), GetParam().returned);
    EXPECT_EQ(batch.changed(), GetParam().before != GetParam().after);
    ASSERT_TRUE(batch.save());
    EXPECT_EQ(readBytes(file), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Profile, ReadDefaults, ::testing::ValuesIn(defaultCases()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ReadDefaults, MissingFileInExistingFolderIsCreated)
{
    TestEnv env;
    const QString file = env.path("Config/Config.ini");
    ASSERT_TRUE(QDir().mkpath(env.path("Config")));
    EXPECT_EQ(ReadKey(file, "报检", "前缀", " 3201 "), "3201");
    EXPECT_EQ(readBytes(file), gbk("[报检]\n前缀=3201 \n"));
}

TEST(ReadDefaults, MissingFolderReadsDefaultAndCreatesNothing)
{
    TestEnv env;
    const QString folder = env.path("Nowhere");
    QString error;
    EXPECT_EQ(ReadKey(folder + "/x.ini", "S", "k", " d ", &error), "d");
    EXPECT_FALSE(error.isEmpty()) << "the failed write-back is told to who asks";
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST(ReadDefaults, FoundValueReportsNoError)
{
    TestEnv env;
    const QString file = env.path("ok.ini");
    ASSERT_TRUE(writeBytes(file, "[S]\r\nk=v\r\n"));
    QString error = "stale";
    EXPECT_EQ(ReadKey(file, "S", "k", "", &error), "v");
    EXPECT_TRUE(error.isEmpty());
}

TEST(ReadDefaults, UnencodableDefaultIsReturnedButNotStored)
{
    TestEnv env;
    const QString file = env.path("u.ini");
    ASSERT_TRUE(writeBytes(file, "[S]\r\n"));
    QString error;
    EXPECT_EQ(ReadKey(file, "S", "k", "ก", &error), "ก");
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readBytes(file), QByteArray("[S]\r\n"));
}

TEST(ReadDefaults, PathThatIsAFolderReadsDefaultAndStaysAFolder)
{
    TestEnv env;
    const QString path = env.path("folder.ini");
    ASSERT_TRUE(QDir().mkpath(path));
    QString error;
    EXPECT_EQ(ReadKey(path, "S", "k", "d", &error), "d");
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(path).isDir());
}

} // namespace
