// The fully wired window keeps what is typed through a crash: the copy
// follows the typing a moment later, a new start offers it back, and a
// save ends it.
#include "documents/DocumentCommands.h"
#include "documents/RecoveryKeeper.h"
#include "support/MainWindowHarness.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace portdesk;
using namespace portdesk::test;

namespace {

QStringList copies(const Context &ctx)
{
    return QDir(ctx.recoveryDir()).entryList({"*.recovery"}, QDir::Files);
}

TEST(RecoveryWiring, TypingComesBackAfterAnUnsavedEndAndGoesWithASave)
{
    MainWindowHarness h;
    h.build(MainWindowHarness::fullWiring);
    QTest::qWait(0); // the start-up offer: nothing to offer yet
    ASSERT_TRUE(h.env.prompts.messages.empty());

    RecoveryKeeper *keeper = h.page->findChild<RecoveryKeeper *>();
    ASSERT_NE(keeper, nullptr);
    QElapsedTimer typed;
    typed.start();
    commitText(h.page->ShouHuoRen->lineEdit(), QStringLiteral("上海某公司"));
    QTest::keyClicks(h.page->HeTongHao, "HT-7");
    // Never written on the keystroke itself.
    EXPECT_FALSE(QFile::exists(keeper->path()));
    ASSERT_TRUE(waitFor([&] { return QFile::exists(keeper->path()); }, 5000));
    EXPECT_LT(typed.elapsed(), 3000);
    const Declaration typedValue = h.page->document().value();
    ASSERT_EQ(typedValue[DeclField::HeTongHao], "HT-7");

    h.destroy(); // gone without saving or a normal exit

    h.env.prompts.answer(MsgAnswer::Yes);
    h.build(MainWindowHarness::fullWiring);
    ASSERT_TRUE(waitFor([&] { return !h.env.prompts.messages.empty(); }));
    const QString question = h.env.prompts.messages[0].text;
    EXPECT_TRUE(question.contains(QStringLiteral("2026-03-05 10:20:30"))) << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("上海某公司"))) << question.toStdString();
    EXPECT_EQ(h.page->document().value(), typedValue);
    EXPECT_EQ(h.page->HeTongHao->text(), "HT-7");
    // The restored typing is this program's copy now; the old one is gone.
    RecoveryKeeper *restarted = h.page->findChild<RecoveryKeeper *>();
    EXPECT_EQ(copies(h.env.ctx), QStringList{QFileInfo(restarted->path()).fileName()});

    h.env.prompts.answerInput(QStringLiteral("r.dcl"));
    h.page->findChild<DocumentCommands *>()->save();
    EXPECT_TRUE(QFile::exists(h.env.ctx.savedDir() + "/r.dcl"));
    EXPECT_TRUE(copies(h.env.ctx).isEmpty());
    EXPECT_TRUE(h.env.prompts.allAnswersUsed());
}

} // namespace
