// A batch gives the same file, and the same answers, as the same calls made
// one by one; it reads the file once and writes it at most once.
#include "store/SettingsStore.h"
#include "support/TestEnv.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <random>

using namespace portdesk;
using portdesk::test::readBytes;
using portdesk::test::TestEnv;
using portdesk::test::writeBytes;

namespace {

struct Start {
    const char *name;
    std::optional<QByteArray> bytes; // nullopt: no file yet
};

std::vector<Start> starts()
{
    return {
        {"NoFile", std::nullopt},
        {"EmptyFile", QByteArray()},
        {"Plain", QByteArray("[Main]\r\nKey1=one\r\nKey2=two\r\n[报检内容]\r\n")},
        {"Messy", QByteArray("; comment\r\nk=outside\r\n\r\n[ main ]\n  KEY1 = \"one\" \n"
                             "junk\x81\x30\r\n[second]\rk2=\r[Main]\r\nKey1=dup\r\n\r\n[empty]")},
    };
}

enum class Op { Read, Write, Delete };

struct Step {
    Op op;
    QString section;
    QString key;
    QString value;
};

// Few names with case and blank variants, so steps keep meeting each other.
std::vector<Step> randomSteps(unsigned seed, int count)
{
    const QStringList sections{"Main", "MAIN", " main ", "second", "报检内容", "new", "Empty"};
    const QStringList keys{"Key1", "key1", "Key2", "k2", "\tK ", "收货人", "货物名称0", "x"};
    const QStringList values{"",  "one", "  lead", "trail  ",  "\"q\"", "苏州精密电子",
                             "€", " \t", "ก",      "bad\nline"};
    std::mt19937 rng(seed);
    auto pick = [&](const QStringList &list) {
        return list[std::uniform_int_distribution<int>(0, int(list.size()) - 1)(rng)];
    };
    std::vector<Step> steps;
    for (int i = 0; i < count; ++i) {
        const int kind = std::uniform_int_distribution<int>(0, 9)(rng);
        const Op op = kind < 4 ? Op::Read : kind < 8 ? Op::Write : Op::Delete;
        steps.push_back({op, pick(sections), pick(keys), pick(values)});
    }
    return steps;
}

class BatchMatchesOneByOne : public ::testing::TestWithParam<Start> {};

TEST_P(BatchMatchesOneByOne, RandomSequences)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        TestEnv env;
        const QString single = env.path("single.ini");
        const QString batched = env.path("batched.ini");
        if (GetParam().bytes) {
            ASSERT_TRUE(writeBytes(single, *GetParam().bytes));
            ASSERT_TRUE(writeBytes(batched, *GetParam().bytes));
        }
        ProfileBatch batch(batched);
        int step = 0;
        for (const Step &s : randomSteps(seed, 30)) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << " step " << step++);
            switch (s.op) {
            case Op::Read:
                ASSERT_EQ(batch.ReadKey(s.section, s.key, s.value),
                          ReadKey(single, s.section, s.key, s.value));
                break;
            case Op::Write:
                ASSERT_EQ(batch.WriteKey(s.section, s.key, s.value),
                          WriteKey(single, s.section, s.key, s.value));
                break;
            case Op::Delete:
                ASSERT_EQ(batch.DeleteKey(s.section, s.key), DeleteKey(single, s.section, s.key));
                break;
            }
        }
        ASSERT_TRUE(batch.save());
        ASSERT_EQ(QFileInfo::exists(batched), QFileInfo::exists(single)) << "seed " << seed;
        ASSERT_EQ(readBytes(batched), readBytes(single)) << "seed " << seed;
    }
}

INSTANTIATE_TEST_SUITE_P(Profile, BatchMatchesOneByOne, ::testing::ValuesIn(starts()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Batch, ReadsTheFileOnceOnly)
{
    TestEnv env;
    const QString file = env.path("b.ini");
    ASSERT_TRUE(writeBytes(file, "[A]\r\nk=1\r\n"));
    ProfileBatch batch(file);
    ASSERT_TRUE(writeBytes(file, "[A]\r\nk=2\r\n"));
    EXPECT_EQ(batch.ReadKey("A", "k", ""), "1");
}

TEST(Batch, SeesItsOwnWritesBeforeSaving)
{
    TestEnv env;
    const QString file = env.path("b.ini");
    ProfileBatch batch(file);
    ASSERT_TRUE(batch.WriteKey("A", "k", "  v "));
    EXPECT_EQ(batch.ReadKey("a", "K", "d"), "v");
    ASSERT_TRUE(batch.DeleteKey("A", "k"));
    EXPECT_EQ(batch.ReadKey("A", "k", "d"), "d");
    EXPECT_FALSE(QFileInfo::exists(file));
    ASSERT_TRUE(batch.save());
    EXPECT_EQ(readBytes(file), QByteArray("[A]\r\nk=d\r\n"));
}

TEST(Batch, SavesOnlyWhenSomethingChanged)
{
    TestEnv env;
    const QString file = env.path("b.ini");
    const QByteArray before = "[A]\r\nk=1\r\nj=2\r\n";
    ASSERT_TRUE(writeBytes(file, before));
    const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-1);
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
    }
    ProfileBatch batch(file);
    EXPECT_EQ(batch.ReadKey("A", "k", ""), "1");
    ASSERT_TRUE(batch.WriteKey("A", "j", "2"));
    EXPECT_FALSE(batch.changed());
    EXPECT_TRUE(batch.save());
    EXPECT_EQ(QFileInfo(file).lastModified().toSecsSinceEpoch(), old.toSecsSinceEpoch());
}

TEST(Batch, SavesAgainAfterFurtherChanges)
{
    TestEnv env;
    const QString file = env.path("b.ini");
    ProfileBatch batch(file);
    ASSERT_TRUE(batch.WriteKey("A", "k", "1"));
    ASSERT_TRUE(batch.save());
    EXPECT_FALSE(batch.changed());
    ASSERT_TRUE(batch.WriteKey("A", "j", "2"));
    EXPECT_TRUE(batch.changed());
    ASSERT_TRUE(batch.save());
    EXPECT_EQ(readBytes(file), QByteArray("[A]\r\nk=1\r\nj=2\r\n"));
}

TEST(Batch, UnsavedBatchWritesNothing)
{
    TestEnv env;
    const QString file = env.path("b.ini");
    ASSERT_TRUE(writeBytes(file, "[A]\r\n"));
    {
        ProfileBatch batch(file);
        ASSERT_TRUE(batch.WriteKey("A", "k", "1"));
    }
    EXPECT_EQ(readBytes(file), QByteArray("[A]\r\n"));
}

} // namespace

namespace {

TEST(ProfileBatchBytes, AValueThatIsNotGbkIsCopiedByteForByte)
{
    TestEnv env;
    const struct {
        const char *what;
        QByteArray line;
    } cases[] = {
        {"half a character", QByteArray("k=\xC9\xCF\xBA")},
        {"lead byte without its second", QByteArray("k=A\x81 B")},
        {"quoted", QByteArray("k=\"\xB0\" ")},
        {"valid GBK", QByteArray("k=\xC9\xCF\xBA\xA3")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray file = "[s]\r\n" + c.line + "\r\n";
        ASSERT_TRUE(writeBytes(env.path("from.ini"), file));
        QFile::remove(env.path("to.ini"));
        const std::optional<QByteArray> bytes =
            ProfileBatch(env.path("from.ini")).storedBytes("s", "k");
        ASSERT_TRUE(bytes);
        ProfileBatch to(env.path("to.ini"));
        QString error;
        ASSERT_TRUE(to.writeStoredBytes("s", "k", *bytes, &error)) << error.toStdString();
        ASSERT_TRUE(to.save(&error)) << error.toStdString();
        EXPECT_EQ(readBytes(env.path("to.ini")), file.trimmed() + "\r\n");
    }
    ProfileBatch batch(env.path("to.ini"));
    EXPECT_FALSE(batch.storedBytes("s", "missing"));
    // A line break would let the rest pose as a key.
    EXPECT_FALSE(batch.writeStoredBytes("s", "k", "a\r\nx=1"));
}

} // namespace
