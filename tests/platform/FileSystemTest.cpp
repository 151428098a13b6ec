#include "platform/FileSystem.h"
#include "support/TestEnv.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace portdesk;
using namespace portdesk::test;

TEST(ProbeDirectory, TellsFolderFileAndAbsence)
{
    TestEnv env;
    const QString dir = env.path("d");
    ASSERT_TRUE(QDir().mkdir(dir));
    ASSERT_TRUE(writeBytes(env.path("f"), "x"));
    EXPECT_EQ(probeDirectory(dir), DirProbe::Exists);
    EXPECT_EQ(probeDirectory(env.path("f")), DirProbe::Missing);
    EXPECT_EQ(probeDirectory(env.path("none")), DirProbe::Missing);
    // A path running through a file is absent, not unreachable.
    EXPECT_EQ(probeDirectory(env.path("f/sub")), DirProbe::Missing);
    EXPECT_EQ(probeDirectory(QString()), DirProbe::Missing);
}

TEST(EnsureDir, MakesOneLevelOnly)
{
    TestEnv env;
    EXPECT_TRUE(ensureDir(env.path("Saved")));
    EXPECT_TRUE(ensureDir(env.path("Saved")));
    EXPECT_FALSE(ensureDir(env.path("a/b")));
    EXPECT_FALSE(QDir(env.path("a")).exists());
    ASSERT_TRUE(writeBytes(env.path("file"), "x"));
    EXPECT_FALSE(ensureDir(env.path("file")));
}

TEST(FakePrompts, ChoiceBoxesTakeQueuedAnswersAndOkBoxesNone)
{
    FakePrompts p;
    p.answer(MsgAnswer::Yes);
    p.warn("w");
    EXPECT_TRUE(p.askYesNo("q?"));
    EXPECT_FALSE(p.askOkCancel("again?")); // unscripted: the default, Cancel
    EXPECT_EQ(p.unscripted, 1);
    ASSERT_EQ(p.messages.size(), 3u);
    EXPECT_EQ(p.messages[0].title, "Portdesk");
    EXPECT_EQ(p.messages[0].icon, MsgIcon::Warning);
    EXPECT_EQ(p.messages[1].defaultButton, MsgAnswer::No);
    EXPECT_EQ(p.messages[2].defaultButton, MsgAnswer::Cancel);
    EXPECT_TRUE(p.allAnswersUsed());
}
