// New, opening from each folder, stepping and the position label: every
// document state the main window shows.
#include "DocumentsFixture.h"

#include "editor/EditorRules.h"
#include "form/FieldText.h"
#include "model/FormSchema.h"

using namespace portdesk;
using namespace portdesk::test;

namespace {

struct Shown {
    QString caption, status, folder;
    bool guiDang, feiYong, daoChu, locked;
};

Shown shownState(const MainPage &p)
{
    return {p.windowTitle(),
            p.Tip->text(),
            p.WenJianJia->text(),
            p.GuiDang->isEnabled(),
            p.FeiYong->isEnabled(),
            p.DaoChu->isEnabled(),
            p.ShouHuoRen->lineEdit()->isReadOnly()};
}

void expectState(const Shown &s, const char *caption, const char *status, const char *folder,
                 bool guiDang, bool feiYong, bool daoChu, bool locked)
{
    EXPECT_EQ(s.caption, QString::fromUtf8(caption));
    EXPECT_EQ(s.status, QString::fromUtf8(status));
    EXPECT_EQ(s.folder, QString::fromUtf8(folder));
    EXPECT_EQ(s.guiDang, guiDang);
    EXPECT_EQ(s.feiYong, feiYong);
    EXPECT_EQ(s.daoChu, daoChu);
    EXPECT_EQ(s.locked, locked);
}

} // namespace

TEST_F(DocumentsTest, StartUpState)
{
    expectState(shownState(*page), "新建报检单", "本单状态: 预录入（未打印）", "新建文件", false,
                false, false, false);
    EXPECT_EQ(page->LiuLan->text(), " / ");
}

TEST_F(DocumentsTest, NewAnsweredNoLeavesEverythingAlone)
{
    makeFile(saved("s.dcl"), "甲");
    openThroughBrowser(0, "s.dcl");
    const Shown before = shownState(*page);
    env.prompts.clearRecord();
    env.prompts.answer(MsgAnswer::No);
    click(page->XinJian);
    ASSERT_EQ(env.prompts.messages.size(), 1u);
    const ShownMessage &q = env.prompts.messages[0];
    EXPECT_EQ(q.text, "新建将清空表格中所有数据，是否继续？");
    EXPECT_EQ(q.buttons, MsgButtons::YesNo);
    EXPECT_EQ(q.defaultButton, MsgAnswer::No);
    EXPECT_EQ(page->ShouHuoRen->currentText(), "甲");
    EXPECT_EQ(page->MingCheng[0]->text(), "甲的货物");
    EXPECT_EQ(shownState(*page).caption, before.caption);
    EXPECT_EQ(page->DangQianWenJian, saved("s.dcl"));
}

TEST_F(DocumentsTest, NewEmptiesEveryFieldAndResetsTheState)
{
    Declaration full;
    int i = 0;
    for (const FormField &f : formFields())
        full.at(f) = QString::number(i++);
    makeFile(env.ctx.archivedDir() + "/2026/03/123456甲(2026-03-05).dcl", "甲",
             "[报检信息]\n报检号=123456\n报检日期=2026-03-05\n");
    openThroughBrowser(2, "123456甲(2026-03-05).dcl");
    new EditorRules(*page); // the packing counts' state is the editor's
    page->document().load(full);
    page->BZshuliang[0]->setEnabled(true);
    page->BZshuliang[1]->setEnabled(true);
    ASSERT_TRUE(page->BaoJianXinXi->isVisible());

    env.prompts.answer(MsgAnswer::Yes);
    click(page->XinJian);

    EXPECT_TRUE(declarationOnScreen(*page) == Declaration{});
    EXPECT_FALSE(page->BZshuliang[0]->isEnabled());
    EXPECT_FALSE(page->BZshuliang[1]->isEnabled());
    expectState(shownState(*page), "新建报检单", "本单状态: 预录入（未打印）", "新建文件", false,
                false, false, false);
    EXPECT_TRUE(page->BaoJianXinXi->isHidden());
    EXPECT_TRUE(page->BaoJianXinXi->text().isEmpty());
    EXPECT_TRUE(page->DangQianWenJian.isEmpty());
    EXPECT_EQ(page->LiuLan->text(), " / ");
    EXPECT_FALSE(page->FanYe[0]->isEnabled());
    EXPECT_FALSE(page->FanYe[1]->isEnabled());
}

TEST_F(DocumentsTest, EverySchemaFieldIsInTheWindowAndSurvivesSaveNewAndOpen)
{
    new EditorRules(*page);
    QHash<QString, QString> typed;
    for (const FormField &f : formFields()) {
        QWidget *w = page->findChild<QWidget *>(f.ref.objectName());
        ASSERT_NE(w, nullptr) << f.ref.objectName().toStdString();
        ASSERT_EQ(w, page->field(f.ref));
        EXPECT_EQ(qobject_cast<QComboBox *>(w) != nullptr, f.spec->kind == FieldKind::List);
        const int i = int(typed.size()); // two letters fit every length limit
        typed.insert(f.ref.objectName(), QString(QChar('A' + i / 26)) + QChar('a' + i % 26));
    }
    Declaration d;
    for (const FormField &f : formFields())
        d.at(f) = typed.value(f.ref.objectName());
    page->document().load(d);

    env.prompts.answerInput(QString("all"));
    click(page->LingCun);
    env.prompts.answer(MsgAnswer::Yes);
    click(page->XinJian);
    ASSERT_TRUE(fieldText(page->field({"JZXhm2", -1})).isEmpty());
    openThroughBrowser(0, "all.dcl");
    for (const FormField &f : formFields())
        EXPECT_EQ(fieldText(page->findChild<QWidget *>(f.ref.objectName())),
                  typed.value(f.ref.objectName()))
            << f.ref.objectName().toStdString();
}

TEST_F(DocumentsTest, OpenFromEachFolderLeavesItsStateRow)
{
    makeFile(saved("s.dcl"), "甲");
    makeFile(env.ctx.printedDir() + "/p.dcl", "乙");
    makeFile(env.ctx.archivedDir() + "/2026/03/654321丙(2026-03-01).dcl", "丙",
             "[报检信息]\n报检号=654321\n报检日期=2026-03-01\n");

    openThroughBrowser(1, "p.dcl");
    expectState(shownState(*page), "p.dcl", "本单状态: 未归档（请进行归档处理）", "已打印文件",
                true, false, false, true);
    EXPECT_TRUE(page->BaoJianXinXi->isHidden());
    EXPECT_EQ(page->ShouHuoRen->currentText(), "乙");

    openThroughBrowser(2, "654321丙(2026-03-01).dcl");
    expectState(shownState(*page), "654321丙(2026-03-01).dcl", "本单状态: 已归档", "已归档文件",
                true, true, true, true);
    EXPECT_TRUE(page->BaoJianXinXi->isVisible());
    EXPECT_EQ(page->BaoJianXinXi->text(), "报检日期：2026-03-01  报检号：654321");

    openThroughBrowser(0, "s.dcl");
    expectState(shownState(*page), "s.dcl", "本单状态: 预录入（未打印）", "保存的文件", false,
                false, false, true);
    EXPECT_TRUE(page->BaoJianXinXi->isHidden());
    EXPECT_EQ(page->DangQianWenJian, saved("s.dcl"));
    EXPECT_EQ(page->MingCheng[0]->text(), "甲的货物");
    EXPECT_EQ(page->LiuLan->text(), "1/1");
}

TEST_F(DocumentsTest, OpeningCompletesTheFile)
{
    QDir().mkpath(env.ctx.savedDir());
    ASSERT_TRUE(writeBytes(saved("short.dcl"), gbk("[报检内容]\n收货人=甲\n")));
    openThroughBrowser(0, "short.dcl");
    const QByteArray bytes = readBytes(saved("short.dcl"));
    EXPECT_EQ(bytes.count("\r\n"), 2 + 109 + 1); // two headers, 109 keys, 报检号
    EXPECT_TRUE(bytes.endsWith(gbk("[报检信息]\n报检号=\n")));
    EXPECT_EQ(page->ShouHuoRen->currentText(), "甲");
}

TEST_F(DocumentsTest, AFileThatVanishedBeforeOpeningKeepsTheRecordAndItsState)
{
    makeFile(saved("s.dcl"), "甲");
    makeFile(env.ctx.printedDir() + "/gone.dcl", "乙");
    openThroughBrowser(0, "s.dcl");
    const Shown before = shownState(*page);
    click(page->DaKai);
    click(browser->Option1[1]);
    clickListItem(browser->indexOf("gone.dcl"));
    ASSERT_TRUE(QFile::remove(env.ctx.printedDir() + "/gone.dcl"));
    env.prompts.clearRecord();
    click(browser->Cmd[0]);
    EXPECT_EQ(env.prompts.texts(), QStringList{"文件不存在！"});
    EXPECT_EQ(env.prompts.last()->icon, MsgIcon::Information);
    const Shown after = shownState(*page);
    EXPECT_EQ(after.caption, before.caption);
    EXPECT_EQ(after.status, before.status);
    EXPECT_EQ(after.folder, before.folder);
    EXPECT_EQ(after.guiDang, before.guiDang);
    EXPECT_EQ(page->DangQianWenJian, saved("s.dcl"));
    EXPECT_EQ(page->ShouHuoRen->currentText(), "甲");
    EXPECT_FALSE(browser->isVisible());
    EXPECT_TRUE(page->isEnabled());
}

TEST_F(DocumentsTest, AFileThatIsNoDeclarationIsRefusedAndKeepsTheRecord)
{
    makeFile(saved("s.dcl"), "甲");
    const QByteArray foreign = gbk("[列表]\nS=1\n1=苏州公司\n");
    ASSERT_TRUE(writeBytes(saved("x.dcl"), foreign));
    openThroughBrowser(0, "s.dcl");
    const Shown before = shownState(*page);
    env.prompts.clearRecord();
    openThroughBrowser(0, "x.dcl");
    EXPECT_EQ(env.prompts.texts(),
              QStringList{"打开“x.dcl”失败！\n文件“" + QDir::toNativeSeparators(saved("x.dcl")) +
                          "”不是报检单：其中没有“报检内容”"});
    EXPECT_EQ(env.prompts.last()->icon, MsgIcon::Warning);
    EXPECT_EQ(shownState(*page).caption, before.caption);
    EXPECT_EQ(page->DangQianWenJian, saved("s.dcl"));
    EXPECT_EQ(page->ShouHuoRen->currentText(), "甲");
    EXPECT_EQ(readBytes(saved("x.dcl")), foreign);
}

TEST_F(DocumentsTest, PreviousAndNextWrapAround)
{
    for (const char *n : {"a", "b", "c"})
        makeFile(saved(QString::fromLatin1(n) + ".dcl"), QString::fromLatin1(n));
    openThroughBrowser(0, "c.dcl");
    EXPECT_EQ(page->LiuLan->text(), "3/3");
    ASSERT_TRUE(page->FanYe[0]->isEnabled());
    ASSERT_TRUE(page->FanYe[1]->isEnabled());

    const struct {
        int button;
        const char *consignee, *position;
    } steps[] = {
        {1, "a", "1/3"}, {1, "b", "2/3"}, {0, "a", "1/3"}, {0, "c", "3/3"}, {1, "a", "1/3"}};
    for (const auto &s : steps) {
        click(page->FanYe[s.button]);
        EXPECT_EQ(page->ShouHuoRen->currentText(), QString::fromLatin1(s.consignee));
        EXPECT_EQ(page->LiuLan->text(), QString::fromLatin1(s.position));
        EXPECT_EQ(page->windowTitle(), QString::fromLatin1(s.consignee) + ".dcl");
        EXPECT_EQ(page->DangQianWenJian, saved(QString::fromLatin1(s.consignee) + ".dcl"));
    }
    EXPECT_TRUE(env.prompts.messages.empty());
}

TEST_F(DocumentsTest, SteppingOnAnEmptiedListDisablesTheButtons)
{
    makeFile(saved("a.dcl"), "a");
    makeFile(saved("b.dcl"), "b");
    openThroughBrowser(0, "a.dcl");
    ASSERT_TRUE(page->FanYe[1]->isEnabled());
    QFile::remove(saved("a.dcl"));
    QFile::remove(saved("b.dcl"));
    click(page->DaKai); // shown again: the browser re-reads its folder
    click(browser->Cmd[1]);
    click(page->FanYe[1]);
    EXPECT_FALSE(page->FanYe[0]->isEnabled());
    EXPECT_FALSE(page->FanYe[1]->isEnabled());
    EXPECT_EQ(page->LiuLan->text(), " / ");
    EXPECT_EQ(page->ShouHuoRen->currentText(), "a");
}

TEST_F(DocumentsTest, PreviousWithNothingSelectedOpensTheLast)
{
    makeFile(saved("a.dcl"), "a");
    makeFile(saved("b.dcl"), "b");
    openThroughBrowser(0, "a.dcl");
    click(page->DaKai);
    click(browser->Option1[0]); // re-read: nothing selected
    click(browser->Cmd[1]);
    click(page->FanYe[0]);
    EXPECT_EQ(page->ShouHuoRen->currentText(), "b");
    EXPECT_EQ(page->LiuLan->text(), "2/2");
}

TEST_F(DocumentsTest, SteppingPassesOverAFileThatVanished)
{
    makeFile(saved("a.dcl"), "a");
    makeFile(saved("b.dcl"), "b");
    openThroughBrowser(0, "a.dcl");
    QFile::remove(saved("b.dcl"));
    click(page->FanYe[1]); // the list is read again: a is the only file
    EXPECT_TRUE(env.prompts.messages.empty());
    EXPECT_EQ(page->DangQianWenJian, saved("a.dcl"));
    EXPECT_EQ(page->windowTitle(), "a.dcl");
    EXPECT_EQ(page->LiuLan->text(), "1/1");
    EXPECT_FALSE(page->FanYe[1]->isEnabled());
}

TEST_F(DocumentsTest, ASavedThenPrintedFlowKeepsStatesApart)
{
    // Print sets its own row through the same table.
    typeConsignee("甲");
    env.prompts.answerInput(QString("x"));
    click(page->LingCun);
    docs->applyState(DocEvent::Print);
    expectState(shownState(*page), "x.dcl", "本单状态: 未归档（请进行归档处理）", "已打印文件",
                true, false, false, true);
}
