// Archiving through the main window as the clerk does it: the prompts, the
// move, and what the window and the browser show afterwards.
#include "documents/ArchiveCommand.h"
#include "documents/DocumentsFixture.h"
#include "model/FollowUpRegister.h"

using namespace portdesk;
using namespace portdesk::test;

namespace {

class ArchiveCommandTest : public DocumentsTest {
protected:
    void SetUp() override
    {
        DocumentsTest::SetUp();
        ASSERT_TRUE(QDir().mkpath(env.ctx.configDir())); // made at start-up
        new ArchiveCommand(*page, *docs);                // owned by the page
    }
    QString printed(const QString &name) const { return env.ctx.printedDir() + '/' + name; }
    QString archived(const QString &name) const
    {
        return env.ctx.archivedDir() + QStringLiteral("/2014/03/") + name;
    }
};

TEST_F(ArchiveCommandTest, TheLastPrintedOneIsArchivedAndItsFullNumberCopied)
{
    makeFile(printed(QStringLiteral("甲(1).dcl")), QStringLiteral("甲"));
    openThroughBrowser(int(DocFolder::Printed), QStringLiteral("甲(1).dcl"));
    env.prompts.clearRecord();
    for (const char *answer : {"12345", "12345a", "123456", "2014/3/5"})
        env.prompts.answerInput(QString::fromUtf8(answer));
    click(page->GuiDang);

    EXPECT_EQ(env.prompts.texts(),
              QStringList({QStringLiteral("格式错误！请重试！"),
                           QStringLiteral("格式错误！请重试！"), QStringLiteral("归档成功！")}));
    ASSERT_EQ(env.prompts.inputs.size(), 4u);
    EXPECT_EQ(env.prompts.inputs[3].proposal, QStringLiteral("2026-03-05")); // today
    const QString to = archived(QStringLiteral("123456甲(2014-03-05).dcl"));
    EXPECT_TRUE(QFileInfo::exists(to));
    EXPECT_FALSE(QFileInfo::exists(printed(QStringLiteral("甲(1).dcl"))));
    EXPECT_EQ(page->DangQianWenJian, to);
    EXPECT_EQ(page->WenJianJia->text(), QStringLiteral("已归档文件"));
    EXPECT_EQ(page->Tip->text(), QStringLiteral("本单状态: 已归档"));
    EXPECT_TRUE(page->FeiYong->isEnabled() && page->DaoChu->isEnabled());
    EXPECT_EQ(page->BaoJianXinXi->text(), QStringLiteral("报检日期：2014-03-05  报检号：123456"));

    env.prompts.clearRecord();
    QTest::mouseClick(page->BaoJianXinXi, Qt::LeftButton);
    EXPECT_EQ(env.clipboard.content, QStringLiteral("320200114123456000"));
    EXPECT_EQ(env.prompts.texts(),
              QStringList{QStringLiteral("报检号（320200114123456000）已复制到剪切板！")});
}

TEST_F(ArchiveCommandTest, OneOfSeveralLeavesTheNextWaitingAndADuplicateAsksAgain)
{
    makeFile(printed(QStringLiteral("甲(1).dcl")), QStringLiteral("甲"));
    makeFile(printed(QStringLiteral("乙(2).dcl")), QStringLiteral("乙"));
    makeFile(archived(QStringLiteral("111111甲(2014-03-05).dcl")), QStringLiteral("丙"));
    openThroughBrowser(int(DocFolder::Printed), QStringLiteral("甲(1).dcl"));
    env.prompts.clearRecord();
    for (const char *answer : {"111111", "2014-03-05", "222222", "2014-03-05"})
        env.prompts.answerInput(QString::fromUtf8(answer));
    click(page->GuiDang);

    EXPECT_EQ(env.prompts.texts(),
              QStringList({QStringLiteral("报检号重复！无法归档！请重新录入报检信息。"),
                           QStringLiteral("归档成功！")}));
    EXPECT_TRUE(QFileInfo::exists(archived(QStringLiteral("222222甲(2014-03-05).dcl"))));
    EXPECT_EQ(page->DangQianWenJian, printed(QStringLiteral("乙(2).dcl")));
    EXPECT_EQ(page->Tip->text(), QStringLiteral("本单状态: 未归档（请进行归档处理）"));
    EXPECT_EQ(page->document().value()[DeclField::ShouHuoRen], QStringLiteral("乙"));
    EXPECT_FALSE(page->FeiYong->isEnabled());
}

TEST_F(ArchiveCommandTest, ArchivingAgainTakesTheFollowUpEntryAlong)
{
    const QString before = archived(QStringLiteral("111111甲(2014-03-05).dcl"));
    makeFile(before, QStringLiteral("甲"),
             QStringLiteral("[报检信息]\n报检号=111111\n报检日期=2014-03-05\n"));
    ASSERT_TRUE(enterFollowUp(env.ctx.tobedoneIni(), QStringLiteral("甲(111111,2014-03-05)"),
                              registerRelativePath(env.ctx.workDir, before), nullptr));
    ASSERT_TRUE(docs->openArchived(before));
    env.prompts.answer(MsgAnswer::Yes); // 本单已归档，您需要修改报检信息吗？
    for (const char *answer : {"222222", "2014-03-06"})
        env.prompts.answerInput(QString::fromUtf8(answer));
    click(page->GuiDang);

    const QString after = archived(QStringLiteral("222222甲(2014-03-06).dcl"));
    ASSERT_TRUE(QFileInfo::exists(after));
    EXPECT_EQ(registeredPath(env.ctx.tobedoneIni(), QStringLiteral("甲(222222,2014-03-06)")),
              registerRelativePath(env.ctx.workDir, after));
    EXPECT_EQ(registeredPath(env.ctx.tobedoneIni(), QStringLiteral("甲(111111,2014-03-05)")),
              QString());
}

} // namespace
