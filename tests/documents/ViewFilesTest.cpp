// The file browser: start-up, folder options, year and month lists, the
// count line, open, delete, rename and the main window's disabling.
#include "DocumentsFixture.h"
#include "support/ListActions.h"

#include <QCloseEvent>
#include <QImage>
#include <QPointer>
#include <QWindow>

using namespace portdesk;
using namespace portdesk::test;

namespace {

class ArchiveTest : public DocumentsTest {
protected:
    void SetUp() override
    {
        // The year list is read once, when the browser is first shown.
        for (const char *d : {"2025/11", "2026/01", "2026/03"})
            QDir().mkpath(env.ctx.archivedDir() + '/' + d);
        DocumentsTest::SetUp();
    }
};

QStringList items(const QComboBox *c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

QStringList listed(const ViewFiles &b)
{
    QStringList out;
    for (int i = 0; i < b.count(); ++i)
        out << b.fileName(i);
    return out;
}

} // namespace

TEST(ViewFilesStartUp, ShownBesideTheMainWindowWhichWaitsForIt)
{
    TestEnv env;
    QDir().mkpath(env.ctx.printedDir());
    ASSERT_TRUE(writeBytes(env.ctx.printedDir() + "/p.dcl", "[报检内容]\r\n"));
    MainPage page(env.ctx);
    auto *docs = new DocumentCommands(page);
    ASSERT_EQ(page.findChild<DocumentCommands *>(), docs);
    QPointer<ViewFiles> browser = &docs->browser();
    EXPECT_FALSE(browser->isVisible());

    page.show();
    ASSERT_TRUE(waitFor([&] { return browser->isVisible(); }));
    EXPECT_EQ(browser->objectName(), "ViewFiles");
    EXPECT_EQ(browser->windowTitle(), "浏览文件");
    // Level with the main window: the title bars line up.
    EXPECT_EQ(browser->frameGeometry().top(), page.frameGeometry().top());
    EXPECT_TRUE(browser->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(browser->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(page.isEnabled());
    EXPECT_TRUE(QFileInfo(env.ctx.savedDir()).isDir());
    EXPECT_EQ(browser->option(), 1);
    EXPECT_EQ(browser->ZongJi->text(), "当前文件夹总计 1 个文件");

    // Its title bar offers no close button (a close request from the window
    // system is refused as well).
    EXPECT_FALSE(browser->windowFlags() & Qt::WindowSystemMenuHint);
    EXPECT_TRUE(browser->isVisible());
    EXPECT_FALSE(page.isEnabled());

    click(browser->Cmd[1]);
    EXPECT_FALSE(browser->isVisible());
    ASSERT_FALSE(browser.isNull()); // hidden, not destroyed
    EXPECT_FALSE(browser->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_TRUE(page.isEnabled());

    // Showing the main window again does not bring the browser back.
    page.hide();
    page.show();
    QTest::qWait(20);
    EXPECT_FALSE(browser->isVisible());
}

TEST(ViewFilesStartUp, ClosingTheProgramClosesTheBrowser)
{
    TestEnv env;
    MainPage page(env.ctx);
    auto *docs = new DocumentCommands(page);
    page.show();
    ASSERT_TRUE(waitFor([&] { return docs->browser().isVisible(); }));
    // Another window closing it hands the main window back.
    EXPECT_TRUE(docs->browser().close());
    EXPECT_FALSE(docs->browser().isVisible());
    EXPECT_TRUE(page.isEnabled());
    // Exiting closes it with the rest.
    click(page.DaKai);
    ASSERT_TRUE(docs->browser().isVisible());
    env.prompts.answer(MsgAnswer::Ok);
    EXPECT_TRUE(page.close());
    EXPECT_FALSE(docs->browser().isVisible());
}

TEST_F(DocumentsTest, FolderOptionsWithTheirDescriptions)
{
    click(page->DaKai);
    const struct {
        int option;
        const char *tip;
        QString folder;
    } rows[] = {
        {0, "用户手动保存的文件，可用作模板或草稿。", env.ctx.savedDir()},
        {1, "已打印未归档的文件，打印后会自动保存至此。", env.ctx.printedDir()},
    };
    for (const auto &r : rows) {
        click(browser->Option1[r.option]);
        EXPECT_EQ(browser->option(), r.option);
        EXPECT_TRUE(browser->Tip->isVisible());
        EXPECT_EQ(browser->Tip->text(), QString::fromUtf8(r.tip));
        EXPECT_FALSE(browser->Combo1->isVisible());
        EXPECT_FALSE(browser->Combo2->isVisible());
        EXPECT_FALSE(browser->Label1[0]->isVisible());
        EXPECT_EQ(browser->folder(), r.folder);
    }
    click(browser->Option1[2]);
    EXPECT_FALSE(browser->Tip->isVisible());
    EXPECT_TRUE(browser->Combo1->isVisible());
    EXPECT_TRUE(browser->Combo2->isVisible());
    EXPECT_EQ(browser->Label1[0]->text(), "年份");
    EXPECT_EQ(browser->Label1[1]->text(), "月份");
    EXPECT_EQ(browser->Option1[0]->text(), "保存的文件");
    EXPECT_EQ(browser->Option1[1]->text(), "已打印文件");
    EXPECT_EQ(browser->Option1[2]->text(), "已归档文件");
    const char *captions[] = {"打开(&O)", "取消(&Q)", "删除(&D)", "改名(&R)"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(browser->Cmd[i]->text(), QString::fromUtf8(captions[i]));
}

TEST_F(DocumentsTest, ArchiveMonthWithoutAFolderShowsTheArchiveRoot)
{
    QDir().mkpath(env.ctx.archivedDir());
    click(page->DaKai);
    click(browser->Option1[2]);
    EXPECT_EQ(browser->Combo1->currentText(), "2026");
    EXPECT_EQ(browser->Combo2->currentText(), "03");
    EXPECT_EQ(browser->folder(), env.ctx.archivedDir());
    EXPECT_EQ(browser->count(), 0);
    EXPECT_EQ(browser->ZongJi->text(), "当前文件夹总计 0 个文件");
}

TEST_F(ArchiveTest, YearAndMonthLists)
{
    makeFile(env.ctx.archivedDir() + "/2026/03/111111甲(2026-03-02).dcl", "甲");
    makeFile(env.ctx.archivedDir() + "/2026/01/222222乙(2026-01-09).dcl", "乙");
    makeFile(env.ctx.archivedDir() + "/2025/11/333333丙(2025-11-30).dcl", "丙");
    click(page->DaKai);
    click(browser->Option1[2]);
    EXPECT_EQ(items(browser->Combo1), QStringList({"2025", "2026"}));
    EXPECT_EQ(browser->Combo1->currentText(), "2026");
    EXPECT_EQ(items(browser->Combo2), QStringList({"01", "03"}));
    EXPECT_EQ(browser->Combo2->currentText(), "03");
    EXPECT_EQ(listed(*browser), QStringList{"111111甲(2026-03-02).dcl"});

    // Typing is dropped in both lists.
    browser->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(browser));
    browser->Combo1->setFocus();
    QTest::keyClicks(browser->Combo1, "1999");
    commitText(browser->Combo1->lineEdit(), "年");
    EXPECT_EQ(browser->Combo1->currentText(), "2026");
    QTest::keyClicks(browser->Combo2, "12");
    EXPECT_EQ(browser->Combo2->currentText(), "03");

    // Passing through the lists, or opening one and leaving it, changes nothing.
    browser->Combo1->setFocus(Qt::TabFocusReason);
    QTest::keyClick(browser->Combo1, Qt::Key_Tab);
    QTest::keyClick(browser->focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_TRUE(openAndEscape(browser->Combo1, 0));
    ASSERT_TRUE(openAndEscape(browser->Combo2, 0));
    turnWheel(browser->Combo1);
    EXPECT_EQ(browser->Combo1->currentText(), "2026");
    EXPECT_EQ(browser->Combo2->currentText(), "03");
    EXPECT_EQ(listed(*browser), QStringList{"111111甲(2026-03-02).dcl"});

    // Picking a year lists the year's folder and offers its months; no month
    // is shown until one is picked.
    ASSERT_TRUE(pickWithKeys(browser->Combo1, 0));
    EXPECT_EQ(browser->Combo1->currentText(), "2025");
    EXPECT_EQ(items(browser->Combo2), QStringList{"11"});
    EXPECT_EQ(browser->Combo2->currentText(), "");
    EXPECT_EQ(browser->folder(), env.ctx.archivedDir() + "/2025");
    EXPECT_EQ(browser->count(), 0);
    EXPECT_EQ(browser->focusWidget(), browser->Combo2);
    QTest::keyClick(browser->Combo2, Qt::Key_Tab);
    EXPECT_EQ(browser->Combo2->currentText(), "");
    EXPECT_EQ(browser->folder(), env.ctx.archivedDir() + "/2025");

    // Picking a month lists it.
    ASSERT_TRUE(pickWithMouse(browser->Combo2, 0));
    EXPECT_EQ(browser->Combo2->currentText(), "11");
    EXPECT_EQ(browser->folder(), env.ctx.archivedDir() + "/2025/11");
    EXPECT_EQ(listed(*browser), QStringList{"333333丙(2025-11-30).dcl"});
    EXPECT_EQ(browser->ZongJi->text(), "当前文件夹总计 1 个文件");
}

TEST_F(DocumentsTest, CountLineSelectionAndRenameOnlyForSavedFiles)
{
    for (const char *n : {"a.dcl", "b.dcl", "c.dcl"}) {
        makeFile(saved(n), "甲");
        makeFile(env.ctx.printedDir() + '/' + n, "甲");
    }
    click(page->DaKai);
    click(browser->Option1[0]);
    EXPECT_EQ(browser->ZongJi->text(), "当前文件夹总计 3 个文件");
    EXPECT_EQ(browser->selected(), -1);
    for (int i : {0, 2, 3})
        EXPECT_FALSE(browser->Cmd[i]->isEnabled());
    clickListItem(1);
    EXPECT_EQ(browser->ZongJi->text(), "当前选中第 2/3 个文件");
    for (int i : {0, 2, 3})
        EXPECT_TRUE(browser->Cmd[i]->isEnabled());

    click(browser->Option1[1]);
    EXPECT_EQ(browser->ZongJi->text(), "当前文件夹总计 3 个文件");
    clickListItem(2);
    EXPECT_EQ(browser->ZongJi->text(), "当前选中第 3/3 个文件");
    EXPECT_TRUE(browser->Cmd[0]->isEnabled());
    EXPECT_TRUE(browser->Cmd[2]->isEnabled());
    EXPECT_FALSE(browser->Cmd[3]->isEnabled());
}

TEST_F(DocumentsTest, DoubleClickOpensAndHandsBackTheMainWindow)
{
    makeFile(env.ctx.printedDir() + "/p.dcl", "乙");
    click(page->DaKai);
    EXPECT_FALSE(page->isEnabled());
    click(browser->Option1[1]);
    clickListItem(0, true);
    EXPECT_FALSE(browser->isVisible());
    EXPECT_TRUE(page->isEnabled());
    EXPECT_EQ(page->windowTitle(), "p.dcl");
    EXPECT_EQ(page->ShouHuoRen->currentText(), "乙");
    EXPECT_EQ(page->WenJianJia->text(), "已打印文件");
    EXPECT_TRUE(page->GuiDang->isEnabled());
    EXPECT_FALSE(page->FeiYong->isEnabled());
    EXPECT_FALSE(page->DaoChu->isEnabled());
}

TEST_F(DocumentsTest, DeleteAsksFirst)
{
    makeFile(saved("a.dcl"), "甲");
    makeFile(saved("b.dcl"), "乙");
    click(page->DaKai);
    click(browser->Option1[0]);
    clickListItem(0);
    env.prompts.answer(MsgAnswer::No);
    click(browser->Cmd[2]);
    ASSERT_EQ(env.prompts.messages.size(), 1u);
    const ShownMessage &q = env.prompts.messages[0];
    EXPECT_EQ(q.text, "将要删除“a.dcl”，是否继续？");
    EXPECT_EQ(q.title, "谨慎操作！");
    EXPECT_EQ(q.icon, MsgIcon::Warning);
    EXPECT_EQ(q.buttons, MsgButtons::YesNo);
    EXPECT_EQ(q.defaultButton, MsgAnswer::No);
    EXPECT_TRUE(QFile::exists(saved("a.dcl")));

    env.prompts.answer(MsgAnswer::Yes);
    click(browser->Cmd[2]);
    EXPECT_FALSE(QFile::exists(saved("a.dcl")));
    EXPECT_EQ(listed(*browser), QStringList{"b.dcl"});
    EXPECT_EQ(browser->ZongJi->text(), "当前文件夹总计 1 个文件");
    for (int i : {0, 2, 3})
        EXPECT_FALSE(browser->Cmd[i]->isEnabled());
    EXPECT_EQ(env.prompts.messages.size(), 2u);
}

TEST_F(DocumentsTest, AFailedDeleteIsReported)
{
    makeFile(saved("a.dcl"), "甲");
    click(page->DaKai);
    click(browser->Option1[0]);
    clickListItem(0);
    // Replaced behind the browser's back by something that cannot be removed
    // as a file.
    ASSERT_TRUE(QFile::remove(saved("a.dcl")));
    ASSERT_TRUE(QDir().mkpath(saved("a.dcl/inner")));
    env.prompts.answer(MsgAnswer::Yes);
    click(browser->Cmd[2]);
    ASSERT_EQ(env.prompts.messages.size(), 2u);
    EXPECT_TRUE(env.prompts.messages[1].text.startsWith("删除“a.dcl”失败！\n"));
    EXPECT_EQ(env.prompts.messages[1].icon, MsgIcon::Warning);
    EXPECT_TRUE(QFileInfo(saved("a.dcl")).isDir());
    EXPECT_EQ(browser->count(), 0);
}

TEST_F(DocumentsTest, RenameFiltersAppendsDclAndSkipsUnchangedNames)
{
    const struct {
        std::optional<QString> typed;
        const char *result; // nullptr: nothing renamed
    } cases[] = {
        {QString("b"), "b.dcl"},         {QString("b:c"), "bc.dcl"}, {QString(".dcl"), nullptr},
        {QString("a.dcl"), nullptr},     {std::nullopt, nullptr},    {QString(), nullptr},
        {QString("x.DCL"), "x.DCL.dcl"},
    };
    for (const auto &c : cases) {
        QDir(env.ctx.savedDir()).removeRecursively();
        makeFile(saved("a.dcl"), "甲");
        click(page->DaKai);
        click(browser->Option1[0]);
        clickListItem(0);
        env.prompts.clearRecord();
        env.prompts.answerInput(c.typed);
        click(browser->Cmd[3]);
        ASSERT_EQ(env.prompts.inputs.size(), 1u);
        const ShownInput &in = env.prompts.inputs[0];
        EXPECT_EQ(in.title, "重命名文件");
        EXPECT_EQ(in.prompt, "请输入新名称：\r\n\r\n  （这些字符将被过滤： \\ / : * ? \" < > |）");
        EXPECT_EQ(in.proposal, "a.dcl");
        EXPECT_TRUE(env.prompts.messages.empty());
        const QString expected = c.result ? QString::fromUtf8(c.result) : QString("a.dcl");
        EXPECT_EQ(listed(*browser), QStringList{expected})
            << c.typed.value_or("<cancel>").toStdString();
        // After a rename the list is re-read with nothing selected.
        for (int i : {0, 2, 3})
            EXPECT_EQ(browser->Cmd[i]->isEnabled(), c.result == nullptr);
        click(browser->Cmd[1]);
    }
}

TEST_F(DocumentsTest, RenameOntoAnExistingNameAsksAgain)
{
    makeFile(saved("a.dcl"), "甲");
    makeFile(saved("b.dcl"), "乙");
    click(page->DaKai);
    click(browser->Option1[0]);
    clickListItem(0);
    env.prompts.answerInput(QString("b"));
    env.prompts.answerInput(QString("CON"));
    env.prompts.answerInput(QString("c"));
    click(browser->Cmd[3]);
    EXPECT_EQ(env.prompts.inputs.size(), 3u);
    EXPECT_EQ(env.prompts.texts(),
              QStringList(
                  {"该文件名已经存在！", "“CON”是系统保留的设备名，不能用作文件名！请重新输入。"}));
    EXPECT_EQ(env.prompts.messages[0].icon, MsgIcon::Warning);
    EXPECT_EQ(listed(*browser), QStringList({"b.dcl", "c.dcl"}));
    LoadedDeclaration loaded;
    ASSERT_TRUE(readDeclaration(saved("b.dcl"), loaded, nullptr));
    EXPECT_EQ(loaded.content[DeclField::ShouHuoRen], "乙");
}

TEST_F(DocumentsTest, RenamingTheOpenFileFollowsItInTheMainWindow)
{
    makeFile(saved("a.dcl"), "甲");
    openThroughBrowser(0, "a.dcl");
    click(page->DaKai);
    clickListItem(browser->indexOf("a.dcl"));
    env.prompts.answerInput(QString("z"));
    click(browser->Cmd[3]);
    click(browser->Cmd[1]);
    EXPECT_EQ(page->DangQianWenJian, saved("z.dcl"));
    EXPECT_EQ(page->windowTitle(), "z.dcl");
}

TEST_F(DocumentsTest, OriginFolderLabelOpensTheBrowserOnItsFolder)
{
    const struct {
        DocEvent state;
        int option;
    } rows[] = {{DocEvent::Print, 1},
                {DocEvent::OpenArchived, 2},
                {DocEvent::SaveAs, 0},
                {DocEvent::New, 0}};
    for (const auto &r : rows) {
        docs->applyState(r.state);
        click(page->WenJianJia);
        EXPECT_TRUE(browser->isVisible());
        EXPECT_FALSE(page->isEnabled());
        EXPECT_EQ(browser->option(), r.option) << page->WenJianJia->text().toStdString();
        click(browser->Cmd[1]);
        EXPECT_TRUE(page->isEnabled());
    }
}

TEST_F(DocumentsTest, ClosingSyncsTheBrowserToTheMainWindowsFolder)
{
    click(page->DaKai);
    click(browser->Option1[2]);
    click(browser->Cmd[1]);
    EXPECT_EQ(browser->option(), 0); // the main window shows a new file
    click(page->DaKai);
    EXPECT_EQ(browser->option(), 0);
}

TEST_F(DocumentsTest, Screenshot)
{
    for (int i = 0; i < 30; ++i)
        makeFile(saved(QStringLiteral("上海某公司(2026-03-%1 10：20：30).dcl")
                           .arg(i + 1, 2, 10, QChar('0'))),
                 "上海某公司");
    click(page->DaKai);
    click(browser->Option1[0]);
    clickListItem(3);
    const QImage shot = browser->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_GT(shot.width(), 300);
    if (const QString dir = qEnvironmentVariable("PORTDESK_SCREENSHOT_DIR"); !dir.isEmpty())
        shot.save(dir + "/ViewFiles.png");
}
