// A shared drive that fails for a moment, and files the store cannot read:
// nothing is written over them, and the reason names the file in Chinese.
#include "store/ProfileFile.h"
#include "store/SettingsStore.h"
#include "support/ProbeFaults.h"
#include "support/TestEnv.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

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

// A file an editor saved as "Unicode" or "UTF-8", with its byte-order mark.
struct Encoded {
    const char *name;
    QByteArray bytes;
    const char *encoding; // as the message names it
};

class ForeignEncoding : public ::testing::TestWithParam<Encoded> {};

TEST_P(ForeignEncoding, IsUnreadableAndNeverWrittenTo)
{
    TestEnv env;
    const QString file = env.path("Config.ini");
    const QByteArray bytes = GetParam().bytes;
    ASSERT_TRUE(writeBytes(file, bytes));

    QString error;
    EXPECT_EQ(ReadKey(file, "A", "k", "d", &error), "d");
    EXPECT_TRUE(error.contains(GetParam().encoding)) << error.toStdString();
    error.clear();
    EXPECT_FALSE(WriteKey(file, "A", "j", "2", &error));
    EXPECT_TRUE(error.contains(GetParam().encoding)) << error.toStdString();
    EXPECT_TRUE(error.contains("Config.ini"));
    EXPECT_FALSE(DeleteKey(file, "A", "k"));
    ProfileBatch batch(file);
    EXPECT_TRUE(batch.failed());
    EXPECT_FALSE(batch.WriteKey("A", "k", "2"));
    EXPECT_EQ(readBytes(file), bytes);
}

// "[A]\r\nk=1" in UTF-16LE: eight units, sixteen bytes.
const QByteArray kUtf16Le("[\0A\0]\0\r\0\n\0k\0=\0"
                          "1\0",
                          16);

INSTANTIATE_TEST_SUITE_P(
    ByteOrderMarks, ForeignEncoding,
    ::testing::Values(Encoded{"FFFE", QByteArray("\xFF\xFE") + kUtf16Le, "UTF-16"},
                      Encoded{"FEFF", QByteArray("\xFE\xFF") + kUtf16Le, "UTF-16"},
                      Encoded{"EFBBBF", QByteArray("\xEF\xBB\xBF[A]\r\nk=1\r\n"), "UTF-8"}),
    [](const auto &info) { return std::string(info.param.name); });

// What is no regular file of sane size is refused before it is read: a pipe
// would block for ever, a device never ends, a huge file eats the memory.
struct Odd {
    const char *name;
    std::function<bool(const QString &path)> make;
    const char *reason;
};

class OddFile : public ::testing::TestWithParam<Odd> {};

TEST_P(OddFile, IsRefusedAtOnceAndLeftAlone)
{
    TestEnv env;
    const QString file = env.path("Portdesk.ini");
    ASSERT_TRUE(GetParam().make(file));
    const qint64 size = QFileInfo(file).size();

    auto read = std::async(std::launch::async, [file] {
        QString error;
        const QString value = ReadKey(file, "A", "k", "d", &error);
        return std::make_pair(value, error);
    });
    if (read.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // A reader stuck on a pipe: give it an end so that the test can end.
        const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
        FAIL() << "reading blocked";
    }
    const auto [value, error] = read.get();
    EXPECT_EQ(value, "d");
    EXPECT_TRUE(error.contains(GetParam().reason) && error.contains("Portdesk.ini"))
        << error.toStdString();

    QString writeError;
    EXPECT_FALSE(WriteKey(file, "A", "k", "1", &writeError));
    EXPECT_TRUE(writeError.contains(GetParam().reason)) << writeError.toStdString();
    EXPECT_EQ(QFileInfo(file).size(), size);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, OddFile,
    ::testing::Values(Odd{"Fifo",
                          [](const QString &path) {
                              return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
                          },
                          "不是普通文件"},
                      Odd{"LinkToDevZero",
                          [](const QString &path) { return QFile::link("/dev/zero", path); },
                          "不是普通文件"},
                      Odd{"SparseOverTheLimit",
                          [](const QString &path) {
                              QFile f(path);
                              return f.open(QIODevice::WriteOnly) && f.resize(kMaxProfileBytes + 1);
                          },
                          "超过 64 MB"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
