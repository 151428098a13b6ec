// Writes that cannot or must not happen: they return false with a reason
// and leave the file as it was.
#include "store/SettingsStore.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace portdesk;
using portdesk::test::readBytes;
using portdesk::test::TestEnv;
using portdesk::test::writeBytes;

namespace {

const QByteArray kBefore = "[A]\r\nk=1\r\n";

struct RefusedCase {
    const char *name;
    QString section;
    QString key;
    QString value;
};

std::vector<RefusedCase> refusedCases()
{
    return {
        {"ValueWithCrLf", "A", "k", "1\r\nevil=1"},
        {"ValueWithLf", "A", "k", "1\nevil=1"},
        {"ValueWithCr", "A", "k", "1\revil=1"},
        {"ValueWithLineBreakInside", "A", "new", "x\r\n[B]"},
        {"SectionWithLineBreak", "A]\r\n[B", "k", "1"},
        {"KeyWithLineBreak", "A", "k\nj", "1"},
        {"ValueNotInGbk", "A", "k", "emoji 😀"},
        {"ValueThai", "A", "k", "ก"},
        {"KeyNotInGbk", "A", "ก", "1"},
        {"SectionNotInGbk", "ก", "k", "1"},
        {"KeyWithEquals", "A", "k=j", "1"},
        {"KeyStartingWithBracket", "A", " [k]", "1"},
        {"EmptyKey", "A", " \t", "1"},
        {"EmptySection", "", "k", "1"},
        {"NulInValue", "A", "k", QString("a") + QChar(0) + "b"},
    };
}

class Refused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(Refused, OneByOne)
{
    const RefusedCase &c = GetParam();
    TestEnv env;
    const QString file = env.path("r.ini");
    ASSERT_TRUE(writeBytes(file, kBefore));
    QString error;
    EXPECT_FALSE(WriteKey(file, c.section, c.key, c.value, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readBytes(file), kBefore);
}

TEST_P(Refused, InBatch)
{
    const RefusedCase &c = GetParam();
    TestEnv env;
    const QString file = env.path("r.ini");
    ASSERT_TRUE(writeBytes(file, kBefore));
    ProfileBatch batch(file);
    QString error;
    EXPECT_FALSE(batch.WriteKey(c.section, c.key, c.value, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(batch.changed());
    EXPECT_EQ(batch.ReadKey("A", "k", ""), "1");
}

INSTANTIATE_TEST_SUITE_P(Profile, Refused, ::testing::ValuesIn(refusedCases()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Refused, ErrorNamesTheCharacterGbkLacks)
{
    TestEnv env;
    QString error;
    EXPECT_FALSE(WriteKey(env.path("r.ini"), "A", "k", "苏州ก", &error));
    EXPECT_TRUE(error.contains("ก")) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(env.path("r.ini")));
}

TEST(WriteFailure, MissingFolderIsNotCreated)
{
    TestEnv env;
    const QString folder = env.path("Saved/Archived/2024");
    QString error;
    EXPECT_FALSE(WriteKey(folder + "/x.dcl", "A", "k", "1", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(env.path("Saved")));

    ProfileBatch batch(folder + "/x.dcl");
    ASSERT_TRUE(batch.WriteKey("A", "k", "1"));
    error.clear();
    EXPECT_FALSE(batch.save(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(batch.changed()) << "unsaved changes stay pending";
    EXPECT_FALSE(QFileInfo::exists(env.path("Saved")));
}

TEST(WriteFailure, FolderThatTakesNoFiles)
{
    // /proc refuses new files even to root, so this failure is real anywhere.
    if (!QFileInfo(QStringLiteral("/proc/self")).exists())
        GTEST_SKIP() << "no /proc here";
    QString error;
    EXPECT_FALSE(WriteKey(QStringLiteral("/proc/portdesk-store-test.ini"), "A", "k", "1", &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(WriteFailure, PathThatIsAFolder)
{
    TestEnv env;
    const QString path = env.path("x.ini");
    ASSERT_TRUE(QDir().mkpath(path));
    QString error;
    EXPECT_FALSE(WriteKey(path, "A", "k", "1", &error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_FALSE(DeleteKey(path, "A", "k", &error));
    EXPECT_FALSE(error.isEmpty());
    ProfileBatch batch(path);
    EXPECT_TRUE(batch.failed());
    EXPECT_FALSE(batch.WriteKey("A", "k", "1"));
    EXPECT_TRUE(QFileInfo(path).isDir());
}

bool permissionsBite(const QString &path)
{
    // Root ignores permission bits; those checks then prove nothing.
    QFile probe(path);
    return !probe.open(QIODevice::ReadWrite);
}

TEST(WriteFailure, ReadOnlyFileKeepsItsContent)
{
    TestEnv env;
    const QString file = env.path("ro.ini");
    ASSERT_TRUE(writeBytes(file, kBefore));
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadUser));
    if (!permissionsBite(file))
        GTEST_SKIP() << "running with rights that ignore read-only files";
    QString error;
    EXPECT_FALSE(WriteKey(file, "A", "k", "2", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(DeleteKey(file, "A", "k"));
    EXPECT_EQ(readBytes(file), kBefore);
}

TEST(WriteFailure, ReadOnlyFolderKeepsTheFile)
{
    TestEnv env;
    const QString folder = env.path("ro");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + "/x.ini";
    ASSERT_TRUE(writeBytes(file, kBefore));
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    const bool bites = permissionsBite(folder + "/probe");
    QString error;
    const bool ok = WriteKey(file, "A", "k", "2", &error);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!bites)
        GTEST_SKIP() << "running with rights that ignore read-only folders";
    EXPECT_FALSE(ok);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readBytes(file), kBefore);
}

TEST(WriteFailure, UnreadableFileIsNeverReplaced)
{
    TestEnv env;
    const QString file = env.path("secret.ini");
    ASSERT_TRUE(writeBytes(file, kBefore));
    ASSERT_TRUE(QFile::setPermissions(file, QFile::WriteOwner));
    QFile probe(file);
    if (probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights that ignore unreadable files";
    QString error;
    EXPECT_FALSE(WriteKey(file, "A", "j", "2", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadKey(file, "A", "k", "d"), "d");
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(readBytes(file), kBefore);
}

TEST(AtomicReplace, LeavesNoTemporaryFilesBehind)
{
    TestEnv env;
    const QString folder = env.path("atomic");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + "/a.ini";
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(WriteKey(file, "A", QString("k%1").arg(i), "v"));
    ASSERT_TRUE(DeleteKey(file, "A", "k0"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{"a.ini"});
}

TEST(AtomicReplace, ReplacesTheFileRatherThanRewritingIt)
{
    // A reader holding the old file keeps seeing the old content whole: the
    // new content arrives as a new file renamed over the old one.
    TestEnv env;
    const QString file = env.path("a.ini");
    ASSERT_TRUE(writeBytes(file, kBefore));
    QFile held(file);
    ASSERT_TRUE(held.open(QIODevice::ReadOnly));
    ASSERT_TRUE(WriteKey(file, "A", "k", "a much longer value than before"));
    EXPECT_EQ(held.readAll(), kBefore);
    EXPECT_EQ(ReadKey(file, "A", "k", ""), "a much longer value than before");
}

TEST(AtomicReplace, KeepsTheFilePermissions)
{
    // Other desks share the work directory; the replacement must not narrow
    // who may read or write it.
    TestEnv env;
    const QString file = env.path("shared.ini");
    ASSERT_TRUE(writeBytes(file, kBefore));
    const QFile::Permissions perms = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                     QFile::WriteUser | QFile::ReadGroup | QFile::WriteGroup |
                                     QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(file, perms));
    ASSERT_TRUE(WriteKey(file, "A", "k", "2"));
    EXPECT_EQ(QFileInfo(file).permissions(), perms);
}

} // namespace

#ifdef Q_OS_UNIX
// A full disk (here: a file-size limit) must not pass for a saved file, nor
// leave the old file cut short.
namespace {

TEST(WriteFailure, FullDiskKeepsTheFileAndReportsIt)
{
    TestEnv env;
    const QString file = env.path("full.ini");
    ASSERT_TRUE(writeBytes(file, kBefore));
    const QString big(4000, QLatin1Char('x'));

    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool written = WriteKey(file, "A", "big", big, &error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    // The cause in words, not the system's "Unknown error".
    EXPECT_TRUE(error.contains(QStringLiteral("磁盘"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("full.ini"))) << error.toStdString();
    EXPECT_EQ(readBytes(file), kBefore);
}
} // namespace
#endif
