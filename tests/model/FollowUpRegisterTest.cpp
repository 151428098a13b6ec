// The follow-up register shared by the desks: slots, holes reused lowest
// first, a full list refused, two desks at once; the items' statuses.
#include "model/FollowUpRegister.h"
#include "model/FollowUpCount.h"
#include "store/SettingsStore.h"
#include "support/TestEnv.h"

#include <QDir>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace portdesk;
using namespace portdesk::test;

namespace {

class FollowUpRegister : public ::testing::Test {
protected:
    TestEnv env;
    QString ini() const { return env.ctx.tobedoneIni(); }
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(env.ctx.configDir())); }
    QString slot(int n) const
    {
        return ReadKey(ini(), followUpListSection(), QString::number(n), QString());
    }
    void enter(const QString &text)
    {
        QString error;
        ASSERT_TRUE(
            enterFollowUp(ini(), text, QStringLiteral("\\Saved\\Archived\\") + text, &error))
            << error.toStdString();
    }
};

TEST_F(FollowUpRegister, HolesAreReusedLowestFirstAndEntriesNeverDoubled)
{
    for (const char *text : {"A(1,2014-03-05)", "B(2,2014-03-05)", "C(3,2014-03-05)"})
        enter(QString::fromUtf8(text));
    enter(QStringLiteral("A(1,2014-03-05)")); // already there
    ASSERT_TRUE(leaveFollowUp(ini(), QStringLiteral("A(1,2014-03-05)"), nullptr));
    ASSERT_TRUE(leaveFollowUp(ini(), QStringLiteral("B(2,2014-03-05)"), nullptr));
    EXPECT_EQ(slot(0 + 1), QString());
    EXPECT_EQ(openFollowUps(ini()), QStringList{QStringLiteral("C(3,2014-03-05)")});
    EXPECT_EQ(ReadKey(ini(), followUpListSection(), QStringLiteral("X"), QString()),
              QStringLiteral("3"));
    enter(QStringLiteral("D(4,2014-03-05)"));
    EXPECT_EQ(slot(1), QStringLiteral("D(4,2014-03-05)"));
    EXPECT_EQ(registeredPath(ini(), QStringLiteral("D(4,2014-03-05)")),
              QStringLiteral("\\Saved\\Archived\\D(4,2014-03-05)"));
    EXPECT_EQ(registeredPath(ini(), QStringLiteral("B(2,2014-03-05)")), QString());

    for (const char *text : {"C(3,2014-03-05)", "D(4,2014-03-05)"})
        ASSERT_TRUE(leaveFollowUp(ini(), QString::fromUtf8(text), nullptr));
    ASSERT_TRUE(resetEmptyFollowUps(ini(), nullptr));
    EXPECT_EQ(ReadKey(ini(), followUpListSection(), QStringLiteral("X"), QString()),
              QStringLiteral("0"));
}

TEST_F(FollowUpRegister, ADeclarationArchivedAgainKeepsItsSlotUnderItsNewNumber)
{
    for (const char *text : {"A(1,2014-03-05)", "B(2,2014-03-05)"})
        enter(QString::fromUtf8(text));
    QString error;
    ASSERT_TRUE(moveFollowUp(ini(), QStringLiteral("A(1,2014-03-05)"),
                             QStringLiteral("A(9,2015-01-02)"), QStringLiteral("\\new\\A.dcl"),
                             &error))
        << error.toStdString();
    EXPECT_EQ(slot(1), QStringLiteral("A(9,2015-01-02)"));
    EXPECT_EQ(registeredPath(ini(), QStringLiteral("A(9,2015-01-02)")),
              QStringLiteral("\\new\\A.dcl"));
    EXPECT_EQ(registeredPath(ini(), QStringLiteral("A(1,2014-03-05)")), QString());

    // One that was never registered enters nothing.
    const QByteArray before = readBytes(ini());
    ASSERT_TRUE(moveFollowUp(ini(), QStringLiteral("C(3,2014-03-05)"),
                             QStringLiteral("C(4,2014-03-05)"), QStringLiteral("\\c.dcl"), &error));
    EXPECT_EQ(readBytes(ini()), before);
}

TEST_F(FollowUpRegister, AFullListIsRefusedAndLeftAsItWas)
{
    {
        ProfileBatch full(ini());
        full.WriteKey(followUpListSection(), QStringLiteral("X"), QString::number(kFollowUpSlots));
        for (int n = 1; n <= kFollowUpSlots; ++n)
            full.WriteKey(followUpListSection(), QString::number(n), QStringLiteral("E%1").arg(n));
        ASSERT_TRUE(full.save());
    }
    const QByteArray before = readBytes(ini());
    QString error;
    EXPECT_FALSE(
        enterFollowUp(ini(), QStringLiteral("F(0,2014-03-05)"), QStringLiteral("\\x"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readBytes(ini()), before);
}

TEST_F(FollowUpRegister, TwoDesksEnteringAtOnceLoseNoEntry)
{
    constexpr int perDesk = 15;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    const QString desk = child == 0 ? QStringLiteral("child") : QStringLiteral("parent");
    bool ok = true;
    for (int n = 0; n < perDesk; ++n)
        ok = enterFollowUp(ini(), QStringLiteral("%1(%2,2014-03-05)").arg(desk).arg(n),
                           QStringLiteral("\\%1%2").arg(desk).arg(n), nullptr) &&
             ok;
    if (child == 0)
        ::_exit(ok ? 0 : 1);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const QStringList entries = openFollowUps(ini());
    EXPECT_EQ(entries.size(), 2 * perDesk);
    EXPECT_EQ(QSet<QString>(entries.begin(), entries.end()).size(), 2 * perDesk);
}

TEST(FollowUpItems, StatusesRoundTripAndDecideFinished)
{
    TestEnv env;
    const QString dcl = env.root.filePath(QStringLiteral("a.dcl"));
    const ItemStatuses statuses{ItemStatus::Open, ItemStatus::None, ItemStatus::Done,
                                ItemStatus::None, ItemStatus::None};
    {
        ProfileBatch file(dcl);
        ASSERT_TRUE(writeItemStatuses(file, statuses, nullptr));
        ASSERT_TRUE(file.save());
    }
    ProfileBatch file(dcl);
    EXPECT_EQ(readItemStatuses(file), statuses);
    EXPECT_FALSE(followUpFinished(statuses));
    EXPECT_TRUE(followUpFinished({ItemStatus::Done, ItemStatus::None, ItemStatus::Done,
                                  ItemStatus::None, ItemStatus::None}));
    EXPECT_TRUE(followUpFinished({}));
    EXPECT_EQ(registerRelativePath(QStringLiteral("/w"), QStringLiteral("/w/Saved/a.dcl")),
              QStringLiteral("\\Saved\\a.dcl"));
    EXPECT_EQ(pathFromRegister(QStringLiteral("/w"), QStringLiteral("\\Saved\\a.dcl")),
              QStringLiteral("/w/Saved/a.dcl"));
}

} // namespace
