// New files that must not replace another desk's: created whole, under a
// number when the name is taken, with nothing of ours left beside them.
#include "store/NewFile.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace portdesk;
using portdesk::test::readBytes;
using portdesk::test::TestEnv;
using portdesk::test::writeBytes;

namespace {

QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

} // namespace

TEST(NewFile, DesksStoringTheSameNameInOneSecondEachGetAWholeFile)
{
    TestEnv env;
    const QString folder = env.path("Printed");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + "/ACME(2026-12-07 14：05：09).dcl";
    constexpr int kDesks = 6;
    std::vector<std::thread> desks;
    std::vector<std::optional<QString>> made(kDesks);
    std::vector<QByteArray> contents;
    for (int i = 0; i < kDesks; ++i)
        contents.push_back(QByteArray(256 * 1024, char('a' + i)));
    std::atomic<int> ready{0};
    for (int i = 0; i < kDesks; ++i) {
        desks.emplace_back([&, i] {
            ++ready;
            while (ready < kDesks) {
            }
            QString error;
            made[size_t(i)] = createNewFile(path, contents[size_t(i)], &error);
        });
    }
    for (std::thread &t : desks)
        t.join();
    QSet<QString> names;
    for (int i = 0; i < kDesks; ++i) {
        ASSERT_TRUE(made[size_t(i)].has_value()) << i;
        names.insert(*made[size_t(i)]);
        EXPECT_EQ(readBytes(*made[size_t(i)]), contents[size_t(i)]) << i;
    }
    EXPECT_EQ(names.size(), kDesks);
    EXPECT_TRUE(names.contains(path));
    // Only the declarations: no copies, no locks.
    EXPECT_EQ(folderEntries(folder).size(), kDesks)
        << folderEntries(folder).join(' ').toStdString();
}

TEST(NewFile, ATakenNameIsKeptAndTheNextNumberUsed)
{
    TestEnv env;
    const struct {
        const char *name;
        QStringList taken;
        const char *created;
    } cases[] = {
        {"a.dcl", {}, "a.dcl"},
        {"a.dcl", {"a.dcl", "a(2).dcl"}, "a(3).dcl"},
        {"ABC(2026-12-07 14：05：09).dcl",
         {"ABC(2026-12-07 14：05：09).dcl"},
         "ABC(2026-12-07 14：05：09)(2).dcl"},
    };
    int n = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString folder = env.path(QString::number(n++));
        ASSERT_TRUE(QDir().mkpath(folder));
        for (const QString &t : c.taken)
            ASSERT_TRUE(writeBytes(folder + '/' + t, "theirs"));
        QString error;
        const std::optional<QString> made = createNewFile(folder + '/' + c.name, "ours", &error);
        ASSERT_TRUE(made) << error.toStdString();
        EXPECT_EQ(*made, folder + '/' + QString::fromUtf8(c.created));
        EXPECT_EQ(readBytes(*made), "ours");
        for (const QString &t : c.taken)
            EXPECT_EQ(readBytes(folder + '/' + t), "theirs") << t.toStdString();
        EXPECT_EQ(folderEntries(folder).size(), c.taken.size() + 1);
    }
}
