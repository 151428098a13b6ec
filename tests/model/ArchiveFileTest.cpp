// Moving a declaration into the archive: never over another file, and a
// desk killed at any moment leaves every declaration whole, in one place or
// in a state the next archiving completes.
#include "model/ArchiveFile.h"
#include "model/DeclarationFile.h"
#include "store/SettingsStore.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFileInfo>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace portdesk;
using namespace portdesk::test;

namespace {

struct Archive : ::testing::Test {
    TestEnv env;
    QString printed, archived;
    void SetUp() override
    {
        printed = env.path(QStringLiteral("Saved/Printed"));
        archived = env.path(QStringLiteral("Saved/Archived/2014/03"));
        ASSERT_TRUE(QDir().mkpath(printed) && QDir().mkpath(archived));
    }
    QString declaration(int n)
    {
        Declaration d;
        d[DeclField::ShouHuoRen] = QStringLiteral("甲%1").arg(n);
        const QString path = printed + QStringLiteral("/%1.dcl").arg(n);
        EXPECT_TRUE(writeDeclaration(path, d, nullptr));
        return path;
    }
    QString target(int n) const { return archived + QStringLiteral("/%1甲.dcl").arg(100000 + n); }
    ArchiveOutcome archive(int n, QString *error = nullptr)
    {
        return archiveDeclarationFile(printed + QStringLiteral("/%1.dcl").arg(n), target(n),
                                      QString::number(100000 + n), QStringLiteral("2014-03-05"),
                                      error);
    }
};

TEST_F(Archive, MovesWithItsNumberAndNeverOverAnotherFile)
{
    const QByteArray content = readBytes(declaration(1));
    ASSERT_EQ(archive(1), ArchiveOutcome::Archived);
    EXPECT_FALSE(QFileInfo::exists(printed + QStringLiteral("/1.dcl")));
    EXPECT_EQ(ReadKey(target(1), infoSection(), QStringLiteral("报检号"), QString()),
              QStringLiteral("100001"));
    EXPECT_TRUE(readBytes(target(1)).startsWith(content));

    // Another declaration already holds the name: both stay as they are.
    const QByteArray other = readBytes(target(1));
    const QByteArray second = readBytes(declaration(2));
    ASSERT_TRUE(writeBytes(target(2), other));
    EXPECT_EQ(archive(2), ArchiveOutcome::Duplicate);
    EXPECT_EQ(readBytes(target(2)), other);
    EXPECT_EQ(readBytes(printed + QStringLiteral("/2.dcl")), second);

    QString error;
    EXPECT_EQ(archive(3, &error), ArchiveOutcome::Failed);
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(Archive, AKilledDeskLeavesEachDeclarationWholeAndTheNextArchivingCompletes)
{
    constexpr int files = 30;
    std::vector<QByteArray> before;
    for (int n = 0; n < files; ++n)
        before.push_back(readBytes(declaration(n)));
    for (const int delayMs : {3, 11, 23, 41, 67}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int n = 0; n < files; ++n)
                archive(n);
            ::_exit(0);
        }
        ::usleep(useconds_t(delayMs) * 1000);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        for (int n = 0; n < files; ++n) {
            const QString source = printed + QStringLiteral("/%1.dcl").arg(n);
            const bool inPrinted = QFileInfo::exists(source),
                       inArchive = QFileInfo::exists(target(n));
            ASSERT_TRUE(inPrinted || inArchive) << n;
            if (inPrinted) {
                EXPECT_EQ(readBytes(source), before[std::size_t(n)]) << n;
            }
            if (inArchive) {
                EXPECT_TRUE(readBytes(target(n)).startsWith(before[std::size_t(n)])) << n;
                ProfileBatch file(target(n)); // never saved
                EXPECT_EQ(file.ReadKey(infoSection(), QStringLiteral("报检号"), QString()),
                          QString::number(100000 + n));
            }
        }
    }
    for (int n = 0; n < files; ++n) {
        if (QFileInfo::exists(printed + QStringLiteral("/%1.dcl").arg(n))) {
            EXPECT_EQ(archive(n), ArchiveOutcome::Archived) << n;
        }
    }
    EXPECT_EQ(QDir(printed).entryList(QDir::Files).size(), 0);
    EXPECT_EQ(QDir(archived).entryList({QStringLiteral("*.dcl")}, QDir::Files).size(), files);
}

TEST_F(Archive, TwoDesksArchivingOneNumberAtOnceNeverReplaceEachOther)
{
    for (int round = 0; round < 10; ++round) {
        const QString mine = declaration(2 * round), theirs = declaration(2 * round + 1);
        const QByteArray theirBytes = readBytes(theirs);
        const QString to = archived + QStringLiteral("/%1same.dcl").arg(round);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        const auto outcome = [&](const QString &from) {
            return archiveDeclarationFile(from, to, QStringLiteral("123456"),
                                          QStringLiteral("2014-03-05"), nullptr);
        };
        if (child == 0)
            ::_exit(int(outcome(theirs)));
        const ArchiveOutcome ours = outcome(mine);
        int status = 0;
        ::waitpid(child, &status, 0);
        const auto other = ArchiveOutcome(WEXITSTATUS(status));
        ASSERT_NE(ours, other) << round; // one archived, one refused as a duplicate
        const QString loser = ours == ArchiveOutcome::Duplicate ? mine : theirs;
        EXPECT_TRUE(QFileInfo::exists(loser));
        if (loser == theirs) {
            EXPECT_EQ(readBytes(theirs), theirBytes);
        }
    }
}

} // namespace
