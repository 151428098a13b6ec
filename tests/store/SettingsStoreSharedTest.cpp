// Desks sharing one file: each change is made again on the file as another
// desk left it, under a lock beside it, so nobody's keys are lost.
#include "store/ProfileLock.h"
#include "store/SaveLeftovers.h"
#include "store/SettingsStore.h"
#include "support/TestEnv.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryFile>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

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

// Whether the folder itself was opened (listed) while `action` ran.
template <typename Action> bool listsFolder(const QString &folder, Action action)
{
    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0 || inotify_add_watch(fd, QFile::encodeName(folder).constData(), IN_OPEN) < 0) {
        ADD_FAILURE() << "inotify";
        return true;
    }
    action();
    bool listed = false;
    alignas(inotify_event) char buf[64 * 1024];
    for (ssize_t n; (n = read(fd, buf, sizeof buf)) > 0;) {
        for (char *p = buf; p < buf + n;) {
            const auto *e = reinterpret_cast<const inotify_event *>(p);
            listed |= (e->mask & IN_ISDIR) && e->len == 0;
            p += sizeof(inotify_event) + e->len;
        }
    }
    close(fd);
    return listed;
}

void age(const QString &path, int minutes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-60 * minutes),
                              QFileDevice::FileModificationTime));
}

QByteArray ourLockContent()
{
    return "4242\n" + QCoreApplication::applicationName().toUtf8() + "\nanother-desk\n";
}

TEST(SaveLeftovers, ASaveNeitherListsTheFolderNorTouchesTheClerksFiles)
{
    TestEnv env;
    const QString folder = env.path("Config");
    ASSERT_TRUE(QDir().mkpath(folder));
    const char *clerks[] = {"Config.ini.backup", "Config.ini.before", "Config.ini.origin",
                            "a.dcl.backup", "Config.ini.AbCdEf"};
    for (const char *name : clerks) {
        ASSERT_TRUE(writeBytes(folder + '/' + name, "[报检内容]\r\n"));
        age(folder + '/' + name, 120);
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(listsFolder(folder, [&] {
            ASSERT_TRUE(WriteKey(folder + "/Config.ini", "A", "k", QString::number(i)));
        }));
    }
    for (const char *name : clerks)
        EXPECT_TRUE(QFileInfo::exists(folder + '/' + name)) << name;
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), std::size(clerks) + 1);
}

TEST(SaveLeftovers, TheSweepRemovesOnlyOurOwnLeftoversOlderThanAnHour)
{
    TestEnv env;
    struct Leftover {
        const char *folder;
        const char *name;
        QByteArray content;
        int ageMinutes;
        bool removed;
    };
    const Leftover leftovers[] = {
        {"Saved", "x.dcl.portdesk-Ab3dEf.tmp", "[报检内容]", 120, true},
        {"Config", "Config.ini.portdesk-zzzzzz.tmp", "", 61, true},
        {"Saved/Archived/2014/03", "1.dcl.portdesk-Ab3dEf.tmp", "[报检内容]", 120, true},
        {"Saved/QingDan/2014/03", "1.dcq.lock", ourLockContent(), 120, true},
        {"Saved", "x.dcl.portdesk-GhIjKl.tmp", "[报检内容]", 10, false},
        {"Saved/Printed", "x.dcl.lock", ourLockContent(), 120, true},
        {"Saved", "y.dcl.lock", ourLockContent(), 10, false},
        {"Saved", "notes.lock", "the clerk's own notes\n", 120, false},
        {"Saved", "x.dcl.portdesk-Ab3d.tmp", "[报检内容]", 120, false},
        {"Saved/Archived/2014/03", "x.dcl.AbCdEf", "[报检内容]", 120, false},
        {"Config", "Config.ini.backup", "[报检内容]", 120, false},
        {"Saved", "x.dcl.portdesk-Ab3dEf.tmp.keep", "[报检内容]", 120, false},
        {"Saved/Archived", "2.dcl.portdesk-Ab3dEf.tmp", "[报检内容]", 120, false},
    };
    for (const Leftover &l : leftovers) {
        const QString path = env.path(l.folder) + '/' + l.name;
        ASSERT_TRUE(QDir().mkpath(env.path(l.folder)));
        ASSERT_TRUE(writeBytes(path, l.content));
        age(path, l.ageMinutes);
    }
    int expected = 0;
    for (const Leftover &l : leftovers)
        expected += l.removed;
    EXPECT_EQ(sweepWorkDirectory(env.ctx.workDir), expected);
    for (const Leftover &l : leftovers)
        EXPECT_EQ(QFileInfo::exists(env.path(l.folder) + '/' + l.name), !l.removed)
            << l.folder << '/' << l.name;
}

// --- locks of other desks, judged by this desk's own clock -----------------------------

// A lock as a desk on another machine leaves it, stamped `skew` from now.
void foreignLock(const QString &file, std::chrono::seconds skew)
{
    ASSERT_TRUE(writeBytes(file + ".lock", "4242\nportdesk\nanother-desk\n"));
    QFile lock(file + ".lock");
    ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
    ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTime().addSecs(skew.count()),
                                 QFileDevice::FileModificationTime));
}

int loggedLines = 0;
void countLines(QtMsgType, const QMessageLogContext &, const QString &)
{
    ++loggedLines;
}

TEST(StaleLock, AStampAheadOfThisDesksClockIsNoReasonToBreakIt)
{
    TestEnv env;
    const QString file = env.path("Consignee.ini");
    foreignLock(file, std::chrono::seconds(30));
    const QByteArray before = readBytes(file + ".lock");
    loggedLines = 0;
    const QtMessageHandler previous = qInstallMessageHandler(countLines);
    QString error;
    const bool got = ProfileLock(file).acquire(&error, std::chrono::milliseconds(600));
    qInstallMessageHandler(previous);
    EXPECT_FALSE(got);
    EXPECT_TRUE(error.contains("正被")) << error.toStdString();
    EXPECT_EQ(readBytes(file + ".lock"), before);
    EXPECT_EQ(loggedLines, 0);
}

TEST(StaleLock, ALockSeenUnchangedLongEnoughIsBrokenWhateverItsStamp)
{
    using namespace std::chrono_literals;
    const std::chrono::seconds skews[] = {30s, 0s, -3600s};
    for (const std::chrono::seconds skew : skews) {
        SCOPED_TRACE(skew.count());
        TestEnv env;
        const QString file = env.path("a.ini");
        foreignLock(file, skew);
        QElapsedTimer clock;
        clock.start();
        ProfileLock lock(file, 300ms);
        QString error;
        EXPECT_TRUE(lock.acquire(&error, 3s)) << error.toStdString();
        EXPECT_GE(clock.elapsed(), 300);
        EXPECT_NE(readBytes(file + ".lock").left(5), "4242\n");
    }
}

TEST(StaleLock, ALockThatKeepsChangingIsLive)
{
    using namespace std::chrono_literals;
    TestEnv env;
    const QString file = env.path("a.ini");
    foreignLock(file, 0s);
    std::atomic<bool> done{false};
    // The holder on the other desk takes the lock again and again.
    std::thread holder([&] {
        for (int i = 0; !done; ++i) {
            writeBytes(file + ".lock", "4242\nportdesk\nanother-desk\n" + QByteArray::number(i));
            QThread::msleep(50);
        }
    });
    QString error;
    EXPECT_FALSE(ProfileLock(file, 300ms).acquire(&error, 1200ms));
    done = true;
    holder.join();
    EXPECT_TRUE(error.contains("正被")) << error.toStdString();
}

TEST(StaleLock, AStaleLockInAReadOnlyFolderIsRefusedAtOnceWithTheFoldersReason)
{
    TestEnv env;
    const QString folder = env.path("Config");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + "/Config.ini";
    foreignLock(file, std::chrono::seconds(-600));
    // Root ignores permissions: the attempt runs as nobody in a child.
    const bool asRoot = geteuid() == 0;
    for (const QString &dir : {env.root.path(), env.ctx.workDir})
        ASSERT_TRUE(QFile::setPermissions(dir, QFile::Permissions(0x7755)));
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::Permissions(0x5555)));
    const pid_t child = asRoot ? fork() : 0;
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (asRoot && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(3);
        QString error;
        const bool got = ProfileLock(file).acquire(&error, std::chrono::seconds(20));
        const bool refused = !got && error.contains("没有权限") && !error.contains("正被");
        if (asRoot)
            _exit(refused ? 0 : 1);
        EXPECT_TRUE(refused) << error.toStdString();
    } else {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::Permissions(0x7755)));
}

} // namespace
