// A shared drive that fails for a moment, and files the store cannot read:
// nothing is written over them, and the reason names the file in Chinese.
#include "store/SettingsStore.h"
#include "support/ProbeFaults.h"
#include "support/TestEnv.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstring>

using namespace portdesk;
using portdesk::test::gbk;
using portdesk::test::readBytes;
using portdesk::test::setProbeFault;
using portdesk::test::TestEnv;
using portdesk::test::writeBytes;

namespace {

const QByteArray kRegister = gbk("[列表]\nS=2\n1=苏州公司\n2=昆山公司\n[苏州公司]\n0=苏州\n");

// The next `count` looks at `file` fail with `err`; removed when it ends.
class ProbeFaults {
public:
    ProbeFaults(const QString &file, int err, int count = 1) : left_(count)
    {
        setProbeFault([this, file, err](const QString &path) {
            return path == file && left_.fetch_sub(1) > 0 ? err : 0;
        });
    }
    ~ProbeFaults() { setProbeFault({}); }
    int left() const { return left_.load(); }

private:
    std::atomic<int> left_;
};

bool isChineseReason(const QString &error, const QString &file)
{
    // The path may hold Latin letters; the rest must not.
    QString rest = error;
    rest.remove(QDir::toNativeSeparators(file));
    return error.contains(QFileInfo(file).fileName()) &&
           !rest.contains(QRegularExpression(QStringLiteral("[A-Za-z]{3,}")));
}

class OneOffFault : public ::testing::TestWithParam<int> {};

TEST_P(OneOffFault, WriteAndDeleteAreRefusedAndReported)
{
    TestEnv env;
    const QString file = env.path("Consignee.ini");
    ASSERT_TRUE(writeBytes(file, kRegister));
    {
        ProbeFaults fault(file, GetParam());
        QString error;
        EXPECT_FALSE(WriteKey(file, "列表", "3", "太仓公司", &error));
        EXPECT_TRUE(isChineseReason(error, file)) << error.toStdString();
        EXPECT_EQ(fault.left(), 0) << "the store must have looked";
    }
    {
        ProbeFaults fault(file, GetParam());
        QString error;
        EXPECT_FALSE(DeleteKey(file, "列表", "1", &error));
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(readBytes(file), kRegister);
    // The moment over, the same write keeps every other key.
    ASSERT_TRUE(WriteKey(file, "列表", "3", "太仓公司"));
    EXPECT_EQ(ReadKey(file, "列表", "1", ""), "苏州公司");
    EXPECT_EQ(ReadKey(file, "苏州公司", "0", ""), "苏州");
}

TEST_P(OneOffFault, ReadGivesTheDefaultAndWritesNothing)
{
    TestEnv env;
    const QString file = env.path("Consignee.ini");
    ASSERT_TRUE(writeBytes(file, kRegister));
    ProbeFaults fault(file, GetParam());
    QString error;
    EXPECT_EQ(ReadKey(file, "列表", "9", " 默认 ", &error), "默认");
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readBytes(file), kRegister);
}

TEST_P(OneOffFault, BatchOpenedDuringTheFaultWritesNothing)
{
    // Opening an archived declaration reads 109 keys through one batch.
    TestEnv env;
    const QString file = env.path("a.dcl");
    ASSERT_TRUE(writeBytes(file, kRegister));
    ProbeFaults fault(file, GetParam());
    ProfileBatch batch(file);
    EXPECT_TRUE(batch.failed());
    EXPECT_TRUE(isChineseReason(batch.failure(), file)) << batch.failure().toStdString();
    EXPECT_EQ(batch.ReadKey("列表", "1", "d"), "d");
    EXPECT_EQ(batch.ReadKey("报检内容", "收货人", ""), "");
    EXPECT_FALSE(batch.WriteKey("报检内容", "收货人", "x"));
    EXPECT_TRUE(batch.save());
    EXPECT_EQ(readBytes(file), kRegister);
}

TEST_P(OneOffFault, BatchWhoseFileFailsAtSaveKeepsIt)
{
    TestEnv env;
    const QString file = env.path("a.dcl");
    ASSERT_TRUE(writeBytes(file, kRegister));
    ProfileBatch batch(file);
    ASSERT_TRUE(batch.WriteKey("列表", "3", "太仓公司"));
    ProbeFaults fault(file, GetParam());
    QString error;
    EXPECT_FALSE(batch.save(&error));
    EXPECT_TRUE(isChineseReason(error, file)) << error.toStdString();
    EXPECT_EQ(readBytes(file), kRegister);
    EXPECT_TRUE(batch.changed()) << "the change stays pending";
}

INSTANTIATE_TEST_SUITE_P(SharedDrive, OneOffFault,
                         ::testing::Values(EIO, ESTALE, EACCES, ETIMEDOUT, ENOTCONN),
                         [](const auto &info) { return std::string(strerrorname_np(info.param)); });

TEST(OneOffFault, NoSuchFileWhileAnotherDeskSavesLosesNothing)
{
    // A desk replacing the file can make it look absent for a moment; the
    // look again under the lock finds it.
    TestEnv env;
    const QString file = env.path("Consignee.ini");
    ASSERT_TRUE(writeBytes(file, kRegister));
    ProbeFaults fault(file, ENOENT);
    ASSERT_TRUE(WriteKey(file, "列表", "3", "太仓公司"));
    EXPECT_LE(fault.left(), 0) << "the store must have looked";
    EXPECT_EQ(ReadKey(file, "列表", "1", ""), "苏州公司");
    EXPECT_EQ(ReadKey(file, "列表", "3", ""), "太仓公司");
}

class Utf16File : public ::testing::TestWithParam<QByteArray> {};

TEST_P(Utf16File, IsUnreadableAndNeverWrittenTo)
{
    TestEnv env;
    const QString file = env.path("Config.ini");
    // "[A]\r\nk=1" in UTF-16LE: eight units, sixteen bytes.
    const QByteArray bytes = GetParam() + QByteArray("[\0A\0]\0\r\0\n\0k\0=\0"
                                                     "1\0",
                                                     16);
    ASSERT_TRUE(writeBytes(file, bytes));

    QString error;
    EXPECT_EQ(ReadKey(file, "A", "k", "d", &error), "d");
    EXPECT_TRUE(error.contains("UTF-16")) << error.toStdString();
    error.clear();
    EXPECT_FALSE(WriteKey(file, "A", "j", "2", &error));
    EXPECT_TRUE(error.contains("UTF-16")) << error.toStdString();
    EXPECT_TRUE(error.contains("Config.ini"));
    EXPECT_FALSE(DeleteKey(file, "A", "k"));
    ProfileBatch batch(file);
    EXPECT_TRUE(batch.failed());
    EXPECT_FALSE(batch.WriteKey("A", "k", "2"));
    EXPECT_EQ(readBytes(file), bytes);
}

INSTANTIATE_TEST_SUITE_P(ByteOrderMarks, Utf16File,
                         ::testing::Values(QByteArray("\xFF\xFE"), QByteArray("\xFE\xFF")),
                         [](const auto &info) {
                             return info.param.toHex().toUpper().toStdString();
                         });

} // namespace
