// Save and save-as through the real main window: prompts, names, the
// overwrite question, re-prompts, refusals and failures.
#include "DocumentsFixture.h"

using namespace portdesk;
using namespace portdesk::test;

namespace {

const QString kSuccess = QStringLiteral("保存“%1”成功！");
const QString kOverwrite = QStringLiteral("您是要覆盖原文件吗？如果要保存为新文件请选“否”。");
const QString kSameName = QStringLiteral("该文件名已经存在！请重新输入。");

} // namespace

TEST_F(DocumentsTest, SaveAsProposesConsigneeAndTimeAndStoresTheFilteredName)
{
    typeConsignee("上海某公司");
    QTest::keyClicks(page->HeTongHao, "HT-1");
    env.prompts.answerInput(QString("a:b"));
    click(page->LingCun);

    ASSERT_EQ(env.prompts.inputs.size(), 1u);
    const ShownInput &in = env.prompts.inputs[0];
    EXPECT_EQ(in.title, "保存文件");
    EXPECT_EQ(in.prompt, "请输入文件的名称：\n\n  （这些字符将被过滤： \\ / : * ? \" < > |）");
    EXPECT_EQ(in.proposal, "上海某公司(2026-03-05 10：20：30).dcl");

    // A new declaration is never asked the overwrite question.
    ASSERT_EQ(env.prompts.texts(), QStringList{kSuccess.arg("ab.dcl")});
    EXPECT_EQ(env.prompts.last()->icon, MsgIcon::Information);
    LoadedDeclaration loaded;
    ASSERT_TRUE(readDeclaration(saved("ab.dcl"), loaded, nullptr));
    EXPECT_EQ(loaded.content[DeclField::ShouHuoRen], "上海某公司");
    EXPECT_EQ(loaded.content[DeclField::HeTongHao], "HT-1");
    EXPECT_EQ(page->DangQianWenJian, saved("ab.dcl"));
}

TEST_F(DocumentsTest, SaveAsLeavesTheSavedState)
{
    page->GuiDang->setEnabled(true);
    page->FeiYong->setEnabled(true);
    page->DaoChu->setEnabled(true);
    page->BaoJianXinXi->setText("报检日期：2014-03-05  报检号：123456");
    page->BaoJianXinXi->show();
    page->Tip->setText("本单状态: 已归档");
    makeFile(saved("0-earlier.dcl"), "乙");
    typeConsignee("甲");
    env.prompts.answerInput(QString("x"));
    click(page->LingCun);

    EXPECT_EQ(page->windowTitle(), "x.dcl");
    EXPECT_EQ(page->Tip->text(), "本单状态: 预录入（未打印）");
    EXPECT_EQ(page->WenJianJia->text(), "保存的文件");
    EXPECT_FALSE(page->GuiDang->isEnabled());
    EXPECT_FALSE(page->FeiYong->isEnabled());
    EXPECT_FALSE(page->DaoChu->isEnabled());
    EXPECT_TRUE(consigneeLocked());
    EXPECT_TRUE(page->BaoJianXinXi->isHidden());
    // The browser shows the saved files with the new one selected.
    EXPECT_EQ(browser->option(), 0);
    EXPECT_EQ(browser->count(), 2);
    EXPECT_EQ(browser->fileName(browser->selected()), "x.dcl");
    EXPECT_EQ(page->LiuLan->text(), "2/2");
    EXPECT_TRUE(page->FanYe[0]->isEnabled());
    EXPECT_TRUE(page->FanYe[1]->isEnabled());
}

TEST_F(DocumentsTest, SaveAsOfTheOnlyFileShowsOneOfOne)
{
    typeConsignee("甲");
    env.prompts.answerInput(QString("x"));
    click(page->LingCun);
    EXPECT_EQ(page->LiuLan->text(), "1/1");
    EXPECT_FALSE(page->FanYe[0]->isEnabled());
    EXPECT_FALSE(page->FanYe[1]->isEnabled());
}

TEST_F(DocumentsTest, DclIsAppendedCaseSensitively)
{
    const std::pair<const char *, const char *> cases[] = {
        {"x.dcl", "x.dcl"}, {"x.DCL", "x.DCL.dcl"}, {"a:b", "ab.dcl"}, {"q?\"r\"", "qr.dcl"}};
    typeConsignee("甲");
    for (const auto &[typed, stored] : cases) {
        env.prompts.clearRecord();
        if (page->windowTitle().endsWith(".dcl"))
            env.prompts.answer(MsgAnswer::No); // save as a new file
        env.prompts.answerInput(QString::fromUtf8(typed));
        click(page->LingCun);
        EXPECT_TRUE(QFileInfo(saved(QString::fromUtf8(stored))).isFile()) << typed;
        EXPECT_EQ(page->windowTitle(), QString::fromUtf8(stored));
    }
    EXPECT_EQ(QDir(env.ctx.savedDir()).entryList(QDir::Files).size(), 4);
}

TEST_F(DocumentsTest, CancelOrAnEmptyOrBareExtensionAnswerChangesNothing)
{
    typeConsignee("甲");
    const std::optional<QString> answers[] = {std::nullopt, QString(), QString(".dcl")};
    for (const auto &a : answers) {
        env.prompts.answerInput(a);
        click(page->LingCun);
    }
    EXPECT_EQ(env.prompts.inputs.size(), 3u);
    EXPECT_TRUE(env.prompts.messages.empty());
    EXPECT_EQ(QDir(env.ctx.savedDir()).entryList(QDir::Files).size(), 0);
    EXPECT_EQ(page->windowTitle(), "新建报检单");
    EXPECT_TRUE(page->DangQianWenJian.isEmpty());
    EXPECT_FALSE(consigneeLocked());
}

TEST_F(DocumentsTest, OverwriteQuestionYesRewritesTheOpenFileAndChangesNothingElse)
{
    makeFile(env.ctx.printedDir() + "/p.dcl", "甲");
    openThroughBrowser(1, "p.dcl");
    ASSERT_EQ(page->windowTitle(), "p.dcl");
    QTest::keyClicks(page->HeTongHao, "HT9");
    env.prompts.clearRecord();
    env.prompts.answer(MsgAnswer::Yes);
    click(page->LingCun);

    ASSERT_EQ(env.prompts.messages.size(), 2u);
    const ShownMessage &q = env.prompts.messages[0];
    EXPECT_EQ(q.text, kOverwrite);
    EXPECT_EQ(q.title, "Portdesk");
    EXPECT_EQ(q.icon, MsgIcon::Warning);
    EXPECT_EQ(q.buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(q.defaultButton, MsgAnswer::Cancel);
    EXPECT_EQ(env.prompts.messages[1].text, kSuccess.arg("p.dcl"));
    EXPECT_TRUE(env.prompts.inputs.empty());
    LoadedDeclaration loaded;
    ASSERT_TRUE(readDeclaration(env.ctx.printedDir() + "/p.dcl", loaded, nullptr));
    EXPECT_EQ(loaded.content[DeclField::HeTongHao], "HT9");
    // The printed state stays.
    EXPECT_EQ(page->Tip->text(), "本单状态: 未归档（请进行归档处理）");
    EXPECT_EQ(page->WenJianJia->text(), "已打印文件");
    EXPECT_TRUE(page->GuiDang->isEnabled());
    EXPECT_TRUE(QDir(env.ctx.savedDir()).entryList(QDir::Files).isEmpty());
}

TEST_F(DocumentsTest, OverwriteQuestionCancelLeavesTheFileAlone)
{
    makeFile(saved("s.dcl"), "甲");
    openThroughBrowser(0, "s.dcl");
    const QByteArray before = readBytes(saved("s.dcl"));
    QTest::keyClicks(page->HeTongHao, "HT9");
    env.prompts.clearRecord();
    env.prompts.answer(MsgAnswer::Cancel);
    click(page->LingCun);
    EXPECT_EQ(env.prompts.texts(), QStringList{kOverwrite});
    EXPECT_TRUE(env.prompts.inputs.empty());
    EXPECT_EQ(readBytes(saved("s.dcl")), before);
}

TEST_F(DocumentsTest, NoThenTheOpenFilesOwnNameWarnsAndAsksAgainWithANewTime)
{
    makeFile(saved("s.dcl"), "甲");
    openThroughBrowser(0, "s.dcl");
    env.prompts.clearRecord();
    env.prompts.answer(MsgAnswer::No);
    env.prompts.answerInput(QString("s"));
    env.prompts.answerInput(std::nullopt);
    env.prompts.onMessage = [&](const ShownMessage &m) {
        if (m.text == kSameName)
            env.clock.time = env.clock.time.addSecs(5);
    };
    click(page->LingCun);

    EXPECT_EQ(env.prompts.texts(), QStringList({kOverwrite, kSameName}));
    EXPECT_EQ(env.prompts.messages[1].icon, MsgIcon::Warning);
    ASSERT_EQ(env.prompts.inputs.size(), 2u);
    EXPECT_EQ(env.prompts.inputs[0].proposal, "甲(2026-03-05 10：20：30).dcl");
    EXPECT_EQ(env.prompts.inputs[1].proposal, "甲(2026-03-05 10：20：35).dcl");
    EXPECT_EQ(page->windowTitle(), "s.dcl");
}

TEST_F(DocumentsTest, SaveAsOntoAnotherExistingFileAsksBeforeReplacing)
{
    makeFile(saved("other.dcl"), "乙");
    const QByteArray other = readBytes(saved("other.dcl"));
    typeConsignee("甲");
    env.prompts.answerInput(QString("other"));
    env.prompts.answer(MsgAnswer::No);
    env.prompts.answerInput(std::nullopt);
    click(page->LingCun);

    ASSERT_EQ(env.prompts.messages.size(), 1u);
    const ShownMessage &q = env.prompts.messages[0];
    EXPECT_EQ(q.text, "“other.dcl”已经存在，要替换它吗？");
    EXPECT_EQ(q.buttons, MsgButtons::YesNo);
    EXPECT_EQ(q.defaultButton, MsgAnswer::No);
    EXPECT_EQ(env.prompts.inputs.size(), 2u); // asked again after No
    EXPECT_EQ(readBytes(saved("other.dcl")), other);
    EXPECT_EQ(page->windowTitle(), "新建报检单");

    env.prompts.clearRecord();
    env.prompts.answerInput(QString("other"));
    env.prompts.answer(MsgAnswer::Yes);
    click(page->LingCun);
    EXPECT_EQ(env.prompts.texts().last(), kSuccess.arg("other.dcl"));
    LoadedDeclaration loaded;
    ASSERT_TRUE(readDeclaration(saved("other.dcl"), loaded, nullptr));
    EXPECT_EQ(loaded.content[DeclField::ShouHuoRen], "甲");
}

TEST_F(DocumentsTest, NamesTheFileSystemCannotHoldAreRefusedAndAskedAgain)
{
    typeConsignee("甲");
    const QString names[] = {"CON", "nul.dcl", "<>|", "lpt3.txt", QString(260, 'a')};
    for (const QString &n : names)
        env.prompts.answerInput(n);
    env.prompts.answerInput(std::nullopt);
    click(page->LingCun);

    EXPECT_EQ(env.prompts.inputs.size(), 6u);
    EXPECT_EQ(env.prompts.texts(),
              QStringList({"“CON”是系统保留的设备名，不能用作文件名！请重新输入。",
                           "“nul”是系统保留的设备名，不能用作文件名！请重新输入。",
                           "文件名为空（只有被过滤的字符）！请重新输入。",
                           "“lpt3”是系统保留的设备名，不能用作文件名！请重新输入。",
                           "文件名太长（最多235个字节，一个汉字占3个字节）！请重新输入。"}));
    for (const ShownMessage &m : env.prompts.messages)
        EXPECT_EQ(m.icon, MsgIcon::Warning);
    EXPECT_TRUE(QDir(env.ctx.savedDir()).entryList(QDir::Files).isEmpty());
}

TEST_F(DocumentsTest, AFailedWriteIsReportedAndTheRecordKeepsItsState)
{
    typeConsignee("甲");
    QDir().mkpath(saved("blocked.dcl")); // a folder where the file should go
    env.prompts.answerInput(QString("blocked"));
    env.prompts.answer(MsgAnswer::Yes); // replace it
    click(page->LingCun);

    ASSERT_EQ(env.prompts.messages.size(), 2u);
    const ShownMessage &m = env.prompts.messages[1];
    EXPECT_TRUE(m.text.startsWith("保存“blocked.dcl”失败！\n")) << m.text.toStdString();
    EXPECT_GT(m.text.size(), QString("保存“blocked.dcl”失败！\n").size());
    EXPECT_EQ(m.icon, MsgIcon::Warning);
    EXPECT_FALSE(env.prompts.texts().join('|').contains("成功"));
    EXPECT_EQ(page->windowTitle(), "新建报检单");
    EXPECT_TRUE(page->DangQianWenJian.isEmpty());
    EXPECT_EQ(page->WenJianJia->text(), "新建文件");
    EXPECT_FALSE(consigneeLocked());
    EXPECT_EQ(page->ShouHuoRen->currentText(), "甲");
}

TEST_F(DocumentsTest, AnOverwriteIntoAVanishedFolderIsReported)
{
    makeFile(env.ctx.printedDir() + "/p.dcl", "甲");
    openThroughBrowser(1, "p.dcl");
    ASSERT_TRUE(QDir(env.ctx.printedDir()).removeRecursively());
    env.prompts.clearRecord();
    env.prompts.answer(MsgAnswer::Yes);
    click(page->LingCun);
    ASSERT_EQ(env.prompts.messages.size(), 2u);
    EXPECT_TRUE(env.prompts.messages[1].text.startsWith("保存“p.dcl”失败！"));
    EXPECT_FALSE(QFile::exists(env.ctx.printedDir()));
    EXPECT_EQ(page->ShouHuoRen->currentText(), "甲");
}

TEST_F(DocumentsTest, CommandsNeedingTheWorkDirectoryStopWithoutIt)
{
    makeFile(saved("a.dcl"), "甲");
    makeFile(saved("b.dcl"), "乙");
    openThroughBrowser(0, "a.dcl");
    ASSERT_EQ(page->LiuLan->text(), "1/2");
    env.prompts.clearRecord();
    ASSERT_TRUE(QDir(env.ctx.workDir).removeRecursively());
    click(page->LingCun);
    click(page->XinJian);
    click(page->DaKai);
    click(page->FanYe[0]);
    click(page->FanYe[1]);
    EXPECT_EQ(env.prompts.texts(), QStringList({"无法连接到工作目录！保存失败！",
                                                "无法连接到工作目录！", "无法连接到工作目录！",
                                                "无法连接到工作目录！", "无法连接到工作目录！"}));
    // The record and its position stay as they were.
    EXPECT_EQ(page->LiuLan->text(), "1/2");
    EXPECT_EQ(page->ShouHuoRen->currentText(), "甲");
    EXPECT_EQ(page->windowTitle(), "a.dcl");
    for (const ShownMessage &m : env.prompts.messages) {
        EXPECT_EQ(m.title, "连接异常");
        EXPECT_EQ(m.icon, MsgIcon::Warning);
    }
    EXPECT_TRUE(env.prompts.inputs.empty());
    EXPECT_FALSE(browser->isVisible());
    EXPECT_TRUE(page->isEnabled());
    EXPECT_FALSE(QFile::exists(env.ctx.workDir));
}

TEST_F(DocumentsTest, ALoadedLongValueShowsItsStart)
{
    Declaration d;
    d[DeclField::ShouHuoRen] = QStringLiteral("甲");
    d.at(DeclField::MingCheng, 0) = QString(60, QLatin1Char('M')) + QStringLiteral("END");
    d[DeclField::HeTongHao] = QStringLiteral("HT-2026-000000000000000001");
    ASSERT_TRUE(QDir().mkpath(env.ctx.savedDir()));
    ASSERT_TRUE(writeDeclaration(saved("long.dcl"), d, nullptr));
    openThroughBrowser(0, "long.dcl");
    for (QLineEdit *e : {page->MingCheng[0], page->HeTongHao, page->ShouHuoRen->lineEdit()}) {
        ASSERT_FALSE(e->text().isEmpty());
        EXPECT_EQ(e->cursorPosition(), 0) << e->text().toStdString();
    }
}

TEST_F(DocumentsTest, SaveCreatesTheSavedFolder)
{
    ASSERT_TRUE(QDir(env.ctx.savedDir()).removeRecursively());
    typeConsignee("甲");
    env.prompts.answerInput(QString("x"));
    click(page->LingCun);
    EXPECT_TRUE(QFileInfo(saved("x.dcl")).isFile());
}

TEST_F(DocumentsTest, AFieldWithBytesThatAreNotGbkIsNamedOnOpeningAndSavedAsItWas)
{
    makeFile(saved("cut.dcl"), "甲");
    const QByteArray cut = gbk("收货人=上海") + "\xC9";
    ASSERT_TRUE(
        writeBytes(saved("cut.dcl"), readBytes(saved("cut.dcl")).replace(gbk("收货人=甲"), cut)));
    openThroughBrowser(0, "cut.dcl");
    ASSERT_EQ(env.prompts.messages.size(), 1u);
    EXPECT_EQ(env.prompts.messages[0].icon, MsgIcon::Warning);
    EXPECT_TRUE(env.prompts.texts()[0].contains("“收货人”"))
        << env.prompts.texts()[0].toStdString();

    QTest::keyClicks(page->HeTongHao, "HT9");
    env.prompts.clearRecord();
    env.prompts.answer(MsgAnswer::Yes);
    click(page->LingCun);
    ASSERT_EQ(env.prompts.messages.size(), 2u);
    EXPECT_EQ(env.prompts.messages[1].text, kSuccess.arg("cut.dcl"));
    EXPECT_TRUE(readBytes(saved("cut.dcl")).contains("\r\n" + cut + "\r\n"));
}
