// A desk using the Windows functions rewrites the file in place: cut to
// nothing, then written. Whatever Portdesk catches meanwhile, a section
// neither desk touches is never lost.
#include "store/ProfileDocument.h"
#include "store/ProfileFile.h"
#include "store/SettingsStore.h"
#include "support/TestEnv.h"

#include <QFile>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <memory>
#include <random>
#include <thread>
#include <unistd.h>

using namespace portdesk;
using portdesk::test::gbk;
using portdesk::test::readBytes;
using portdesk::test::TestEnv;
using portdesk::test::writeBytes;

namespace {

QByteArray readAll(const QByteArray &path)
{
    QByteArray bytes;
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0)
        return bytes;
    char buf[4096];
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;)
        bytes.append(buf, n);
    ::close(fd);
    return bytes;
}

// Changes its own key over and over, the way WritePrivateProfileString
// does: read the file, cut it to nothing, write it again.
class WindowsDesk {
public:
    explicit WindowsDesk(const QString &file) : path_(QFile::encodeName(file))
    {
        thread_ = std::thread([this] { run(); });
    }
    ~WindowsDesk()
    {
        stop_ = true;
        thread_.join();
    }

private:
    void run()
    {
        std::mt19937 random(42);
        for (int n = 0; !stop_; ++n) {
            ProfileDocument doc = ProfileDocument::parse(readAll(path_));
            doc.setValue("Windows", "n", QByteArray::number(n));
            const QByteArray bytes = doc.serialize();
            const int fd = ::open(path_.constData(), O_WRONLY | O_TRUNC);
            if (fd < 0)
                continue;
            // The moment between the cut and the write, longer on a share.
            std::this_thread::sleep_for(std::chrono::microseconds(500));
            EXPECT_EQ(::write(fd, bytes.constData(), size_t(bytes.size())), bytes.size());
            ::close(fd);
            std::this_thread::sleep_for(std::chrono::microseconds(8000 + random() % 10000));
        }
    }

    QByteArray path_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST(TornFile, SectionNeitherDeskTouchesSurvivesAWindowsDeskRewritingInPlace)
{
    TestEnv env;
    const QString file = env.path("Consignee.ini");
    // Behind the section this desk writes to, so that a file caught half
    // written lacks it.
    const QByteArray kept = gbk("[保留]\n1=苏州公司\n2=昆山公司\n");
    for (int round = 0; round < 10; ++round) {
        ASSERT_TRUE(writeBytes(file, gbk("[本机]\nx=0\n") + kept + "[Windows]\nn=0\n"));
        int written = 0;
        {
            WindowsDesk other(file);
            for (int i = 0; i < 200; ++i) {
                const QString key = QString::number(i);
                // A read that writes its default back takes the same road.
                if (i % 10 == 0)
                    ReadKey(file, "本机", "默认" + key, "d");
                written += WriteKey(file, "本机", key, "值" + key);
            }
        }
        const QByteArray bytes = readBytes(file);
        ASSERT_TRUE(bytes.contains(kept)) << "round " << round << ":\n" << bytes.toStdString();
        // Refusing every write would keep the section too.
        EXPECT_GT(written, 100) << "round " << round;
    }
}

TEST(TornFile, ManyFilesReadTogetherAreNeverTakenHalfWritten)
{
    TestEnv env;
    const QByteArray kept = gbk("[保留]\n1=苏州公司\n");
    QStringList files;
    for (int i = 0; i < 128; ++i) {
        files << env.path(QStringLiteral("d%1.dcl").arg(i));
        ASSERT_TRUE(writeBytes(files.back(), gbk("[Windows]\nn=0\n") + kept));
    }
    files << env.path("absent.dcl");
    // Files at the ends of the threads' shares, where one wait serves many.
    std::vector<std::unique_ptr<WindowsDesk>> desks;
    for (int i : {0, 15, 16, 63, 64, 127})
        desks.push_back(std::make_unique<WindowsDesk>(files[i]));
    for (int round = 0; round < 30; ++round) {
        const std::vector<LoadedProfile> loaded = loadProfiles(files);
        ASSERT_EQ(loaded.size(), std::size_t(files.size()));
        for (std::size_t i = 0; i + 1 < loaded.size(); ++i) {
            ASSERT_FALSE(loaded[i].failed) << i << ": " << loaded[i].error.toStdString();
            ASSERT_TRUE(loaded[i].doc.serialize().contains(kept)) << "round " << round << ", " << i;
        }
        EXPECT_FALSE(loaded.back().failed || loaded.back().stamp);
    }
}

} // namespace
