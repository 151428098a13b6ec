// Desks sharing one file: each change is made again on the file as another
// desk left it, under a lock beside it, so nobody's keys are lost.
#include "store/ProfileLock.h"
#include "store/SaveLeftovers.h"
#include "store/SettingsStore.h"
#include "support/TestEnv.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryFile>
#include <QThread>
#include <gtest/gtest.h>

using namespace portdesk;
using portdesk::test::gbk;
using portdesk::test::readBytes;
using portdesk::test::TestEnv;
using portdesk::test::writeBytes;

namespace {

constexpr int kKeysPerDesk = 150;
constexpr int kBatchesPerDesk = 40;

QString deskValue(const QString &desk, int i)
{
    return QStringLiteral("%1号收货人-%2").arg(i).arg(desk);
}

// One desk, run as a process of its own by the test below: key by key into
// one section, then one batch per consignee as the register's window saves.
TEST(SharedFileDesk, DISABLED_WritesItsKeys)
{
    const QString file = qEnvironmentVariable("PORTDESK_DESK_FILE");
    const QString desk = qEnvironmentVariable("PORTDESK_DESK_NAME");
    ASSERT_FALSE(file.isEmpty());
    for (int i = 0; i < kKeysPerDesk; ++i) {
        QString error;
        ASSERT_TRUE(WriteKey(file, "共用", desk + QString::number(i), deskValue(desk, i), &error))
            << error.toStdString();
    }
    for (int i = 0; i < kBatchesPerDesk; ++i) {
        const QString section = desk + QStringLiteral("公司%1").arg(i);
        ProfileBatch batch(file);
        for (int k = 0; k < 3; ++k)
            ASSERT_TRUE(batch.WriteKey(section, QString::number(k), deskValue(desk, k)));
        QString error;
        ASSERT_TRUE(batch.save(&error)) << error.toStdString();
    }
    // A register entry appended after the count read, as consignees are.
    for (int i = 0; i < kBatchesPerDesk; ++i) {
        ProfileBatch batch(file, ProfileBatch::Hold::UntilSaved);
        ASSERT_FALSE(batch.failed()) << batch.failure().toStdString();
        const int n = batch.ReadKey("列表", "S", "0").toInt() + 1;
        QThread::msleep(3); // a slow share between the read and the write
        ASSERT_TRUE(batch.WriteKey("列表", "S", QString::number(n)));
        ASSERT_TRUE(batch.WriteKey("列表", QString::number(n), deskValue(desk, i)));
        QString error;
        ASSERT_TRUE(batch.save(&error)) << error.toStdString();
    }
}

TEST(SharedFile, TwoDesksWritingAtOnceLoseNothing)
{
    TestEnv env;
    const QString file = env.path("Consignee.ini");
    ASSERT_TRUE(writeBytes(file, gbk("[共用]\n原有=1\n")));
    const QStringList desks{"A", "B"};
    std::vector<std::unique_ptr<QProcess>> processes;
    for (const QString &desk : desks) {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("PORTDESK_DESK_FILE", file);
        e.insert("PORTDESK_DESK_NAME", desk);
        p->setProcessEnvironment(e);
        p->setProcessChannelMode(QProcess::MergedChannels);
        p->start(QCoreApplication::applicationFilePath(),
                 {"--gtest_filter=SharedFileDesk.DISABLED_WritesItsKeys",
                  "--gtest_also_run_disabled_tests"});
        processes.push_back(std::move(p));
    }
    for (auto &p : processes) {
        ASSERT_TRUE(p->waitForFinished(100000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAll().toStdString();
    }

    ProfileBatch batch(file);
    EXPECT_EQ(batch.ReadKey("共用", "原有", ""), "1");
    int lost = 0;
    for (const QString &desk : desks) {
        for (int i = 0; i < kKeysPerDesk; ++i)
            lost += batch.ReadKey("共用", desk + QString::number(i), "") != deskValue(desk, i);
        for (int i = 0; i < kBatchesPerDesk; ++i) {
            const QString section = desk + QStringLiteral("公司%1").arg(i);
            for (int k = 0; k < 3; ++k)
                lost += batch.ReadKey(section, QString::number(k), "") != deskValue(desk, k);
        }
    }
    EXPECT_EQ(lost, 0);
    const int listed = batch.ReadKey("列表", "S", "").toInt();
    EXPECT_EQ(listed, 2 * kBatchesPerDesk);
    QStringList names;
    for (int i = 1; i <= listed; ++i)
        names << batch.ReadKey("列表", QString::number(i), "");
    for (const QString &desk : desks) {
        for (int i = 0; i < kBatchesPerDesk; ++i)
            EXPECT_EQ(names.count(deskValue(desk, i)), 1) << deskValue(desk, i).toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(file + ".lock"));
}

TEST(SharedFile, BatchKeepsWhatAnotherDeskWroteMeanwhile)
{
    TestEnv env;
    const QString file = env.path("a.ini");
    ASSERT_TRUE(writeBytes(file, "[A]\r\nk=1\r\ngone=x\r\n"));
    ProfileBatch batch(file);
    ASSERT_TRUE(batch.WriteKey("A", "mine", "2"));
    ASSERT_TRUE(batch.DeleteKey("A", "gone"));
    EXPECT_EQ(batch.ReadKey("A", "filled", "默认"), "默认");
    EXPECT_EQ(batch.ReadKey("A", "later", "默认"), "默认");

    // Another desk, between this batch's read and its save.
    ASSERT_TRUE(WriteKey(file, "B", "theirs", "3"));
    ASSERT_TRUE(WriteKey(file, "A", "filled", "他们的"));

    ASSERT_TRUE(batch.save());
    EXPECT_EQ(readBytes(file), QByteArray("[A]\r\nk=1\r\nfilled=\xcb\xfb\xc3\xc7\xb5\xc4\r\n"
                                          "mine=2\r\nlater=\xc4\xac\xc8\xcf\r\n"
                                          "[B]\r\ntheirs=3\r\n"));
}

TEST(SharedFile, ReadKeyReturnsWhatAnotherDeskStoredFirst)
{
    // The default written back by a read never replaces a stored value.
    TestEnv env;
    const QString file = env.path("a.ini");
    ProfileBatch reader(file);
    EXPECT_EQ(reader.ReadKey("A", "k", "d"), "d");
    ASSERT_TRUE(WriteKey(file, "A", "k", "stored"));
    ASSERT_TRUE(reader.save());
    EXPECT_EQ(ReadKey(file, "A", "k", "d"), "stored");
}

TEST(SharedFile, BatchHoldingTheLockKeepsOtherDesksOut)
{
    TestEnv env;
    const QString file = env.path("Consignee.ini");
    {
        ProfileBatch holder(file, ProfileBatch::Hold::UntilSaved);
        ASSERT_FALSE(holder.failed());
        ProfileLock other(file);
        QString error;
        EXPECT_FALSE(other.acquire(&error, std::chrono::milliseconds(100)));
        ASSERT_TRUE(holder.WriteKey("列表", "S", "1"));
        ASSERT_TRUE(holder.save());
        EXPECT_TRUE(other.acquire(&error, std::chrono::milliseconds(100)));
    }
    {
        // Nothing to write: the save still lets the others in.
        ProfileBatch reader(file, ProfileBatch::Hold::UntilSaved);
        EXPECT_EQ(reader.ReadKey("列表", "S", ""), "1");
        ASSERT_TRUE(reader.save());
        QString error;
        EXPECT_TRUE(ProfileLock(file).acquire(&error, std::chrono::milliseconds(100)));
    }
    EXPECT_FALSE(QFileInfo::exists(file + ".lock"));
}

TEST(SharedFile, CrashedDeskBlocksOthersOnlyAFewSeconds)
{
    // A lock left behind by a desk on another machine, whose process the
    // lock's owner check cannot see: fresh, then long stale.
    TestEnv env;
    const QString file = env.path("a.ini");
    for (int age : {60, 0}) {
        ASSERT_TRUE(writeBytes(file + ".lock", "4242\nportdesk\nanother-desk\n"));
        QFile lock(file + ".lock");
        ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
        ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTime().addSecs(-age),
                                     QFileDevice::FileModificationTime));
        lock.close();
        QString error;
        EXPECT_TRUE(WriteKey(file, "A", QString::number(age), "1", &error)) << error.toStdString();
        EXPECT_FALSE(QFileInfo::exists(file + ".lock"));
    }
}

TEST(SharedFile, LockHeldByAnotherDeskIsReportedAfterTheWait)
{
    TestEnv env;
    const QString file = env.path("Consignee.ini");
    QLockFile other(file + ".lock");
    ASSERT_TRUE(other.tryLock(0));
    ProfileLock lock(file);
    QString error;
    EXPECT_FALSE(lock.acquire(&error, std::chrono::milliseconds(200)));
    EXPECT_TRUE(error.contains("Consignee.ini")) << error.toStdString();
    EXPECT_TRUE(error.contains("正被")) << error.toStdString();
    other.unlock();
    EXPECT_TRUE(lock.acquire(&error, std::chrono::milliseconds(200)));
}

// --- leftovers of crashed saves --------------------------------------------------------

TEST(SaveLeftovers, QtNamesItsCopiesTheWayTheCleanerLooksFor)
{
    TestEnv env;
    for (int i = 0; i < 20; ++i) {
        QTemporaryFile copy(env.path("x.dcl") + ".XXXXXX");
        ASSERT_TRUE(copy.open());
        const QString name = QFileInfo(copy.fileName()).fileName();
        EXPECT_TRUE(isSaveLeftoverName("x.dcl", name)) << name.toStdString();
    }
}

TEST(SaveLeftovers, OnlyThisFilesCopiesOlderThanAnHourGoOnSave)
{
    TestEnv env;
    const QString folder = env.path("Saved");
    ASSERT_TRUE(QDir().mkpath(folder));
    struct Copy {
        const char *name;
        int ageMinutes;
        bool removed;
    };
    const Copy copies[] = {
        {"x.dcl.AbCdEf", 120, true},  {"x.dcl.zzzzzz", 61, true},    {"x.dcl.GhIjKl", 10, false},
        {"x.dcl.abcde", 120, false},  {"x.dcl.abcdefg", 120, false}, {"x.dcl.ab1def", 120, false},
        {"y.dcl.QwErTy", 120, false}, {"xx.dcl.QwErTy", 120, false}, {"x.dclQwErTyU", 120, false},
    };
    for (const Copy &c : copies) {
        const QString path = folder + '/' + c.name;
        ASSERT_TRUE(writeBytes(path, "[报检内容]\r\n"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-60 * c.ageMinutes),
                                  QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(WriteKey(folder + "/x.dcl", "报检内容", "收货人", "苏州公司"));
    for (const Copy &c : copies)
        EXPECT_EQ(QFileInfo::exists(folder + '/' + c.name), !c.removed) << c.name;
}

} // namespace
