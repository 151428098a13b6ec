// The settings window driven as the clerk drives it.
#include "registers/ConfigWindow.h"
#include "form/MainPage.h"
#include "store/SettingsStore.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

using namespace portdesk;
using namespace portdesk::test;

namespace {

const QString kQuestion = "您更改了工作目录，现在需要关闭软件，\n"
                          "然后请您手动转移原来工作目录下的文件夹及其文件。确认吗？\n"
                          "（选择“取消”则不更改工作目录，选择“确认”则关闭程序。）";

void clearAndType(QWidget *w, const QString &text)
{
    w->setFocus();
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_Backspace);
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(w, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

struct ConfigWindowTest : ::testing::Test {
    TestEnv env;
    QWidget main; // stands in for the main window
    std::unique_ptr<ConfigWindow> w;

    QString portdeskIni() const { return env.ctx.programDir + "/Portdesk.ini"; }
    QString otherDir() const { return env.root.path() + "/other"; }

    void open()
    {
        main.show();
        w = std::make_unique<ConfigWindow>(env.ctx, &main);
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    void fillOffice()
    {
        const QStringList values = {"无锡报关", "代理公司", "3202600001", "张三", "0510-1"};
        for (int k = 0; k < kOfficeFields; ++k)
            clearAndType(w->QY[k], values[k]);
        clearAndType(w->BJH, "3202005");
    }
    void clickSave() { QTest::mouseClick(w->cmdSave, Qt::LeftButton); }
    void settle() { QTest::qWait(10); }
};

} // namespace

// --- opening ---------------------------------------------------------------------

TEST_F(ConfigWindowTest, AFreshWorkDirectoryGainsTheSixEmptyKeys)
{
    ASSERT_FALSE(QDir(env.ctx.configDir()).exists());
    open();
    EXPECT_EQ(w->objectName(), "Config");
    EXPECT_EQ(w->windowTitle(), "设置");
    EXPECT_EQ(readBytes(env.ctx.configIni()),
              gbk("[企业信息]\n0=\n1=\n2=\n3=\n4=\n[报检设置]\n报检号前缀=\n"));
    EXPECT_EQ(w->BJH->text(), "");
    EXPECT_EQ(w->ML->text(), QDir::toNativeSeparators(env.ctx.workDir));
    EXPECT_EQ(w->MLinfo->text(), "当前已设置的工作目录");
}

TEST_F(ConfigWindowTest, TheProgramsOwnFolderIsCalledTheDefault)
{
    env.ctx.workDir = env.ctx.programDir;
    open();
    EXPECT_EQ(w->MLinfo->text(), "当前为默认的工作目录（即程序所在目录）");
}

TEST_F(ConfigWindowTest, StoredParticularsAreShown)
{
    QDir().mkpath(env.ctx.configDir());
    ASSERT_TRUE(WriteKey(env.ctx.configIni(), "企业信息", "3", "李四"));
    ASSERT_TRUE(WriteKey(env.ctx.configIni(), "报检设置", "报检号前缀", "3202009"));
    open();
    EXPECT_EQ(w->QY[3]->text(), "李四");
    EXPECT_EQ(w->QY[0]->text(), "");
    EXPECT_EQ(w->BJH->text(), "3202009");
}

// --- the prefix field ----------------------------------------------------------------

TEST_F(ConfigWindowTest, ThePrefixTakesDigitsOnlyAndAtMostSeven)
{
    open();
    w->BJH->setFocus();
    QTest::keyClicks(w->BJH, "3a2b0-2 0.0x1");
    EXPECT_EQ(w->BJH->text(), "3202001");
    QTest::keyClicks(w->BJH, "9");
    EXPECT_EQ(w->BJH->text(), "3202001");
    QTest::keyClick(w->BJH, Qt::Key_Backspace);
    EXPECT_EQ(w->BJH->text(), "320200");
    QTest::sendKeyEvent(QTest::Click, w->BJH, Qt::Key_unknown, QString("三"), Qt::NoModifier);
    EXPECT_EQ(w->BJH->text(), "320200");
}

TEST_F(ConfigWindowTest, PastingLettersIntoThePrefixChangesNothing)
{
    open();
    w->BJH->setFocus();
    QTest::keyClicks(w->BJH, "32");
    QApplication::clipboard()->setText("12ab");
    QTest::keyClick(w->BJH, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w->BJH->text(), "32");
    QApplication::clipboard()->setText("02");
    QTest::keyClick(w->BJH, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w->BJH->text(), "3202");
}

// --- saving --------------------------------------------------------------------------

TEST_F(ConfigWindowTest, SaveStoresTheParticularsAndCloses)
{
    open();
    fillOffice();
    clickSave();
    EXPECT_EQ(env.prompts.texts(), QStringList{"企业信息、报检设置保存成功！"});
    EXPECT_EQ(env.prompts.last()->icon, MsgIcon::Information);
    EXPECT_EQ(readBytes(env.ctx.configIni()),
              gbk("[企业信息]\n0=无锡报关\n1=代理公司\n2=3202600001\n3=张三\n4=0510-1\n"
                  "[报检设置]\n报检号前缀=3202005\n"));
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(QFile::exists(portdeskIni()));
    EXPECT_TRUE(main.isVisible());
}

TEST_F(ConfigWindowTest, ExitWithNothingChangedClosesQuietly)
{
    open();
    QTest::mouseClick(w->cmdExit, Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(env.prompts.messages.empty());
    EXPECT_EQ(w->cmdSave->text(), "保 存 (&S)");
    EXPECT_EQ(w->cmdExit->text(), "退 出 (&Q)");
}

TEST_F(ConfigWindowTest, AMissingWorkDirectoryRefusesTheSave)
{
    open();
    fillOffice();
    QDir(env.ctx.workDir).removeRecursively();
    clickSave();
    ASSERT_EQ(env.prompts.messages.size(), 1u);
    EXPECT_EQ(env.prompts.last()->text, "无法连接到工作目录！");
    EXPECT_EQ(env.prompts.last()->title, "连接异常");
    EXPECT_TRUE(w->isVisible());
}

TEST_F(ConfigWindowTest, AFailedWriteIsAnErrorAndTheWindowStays)
{
    open();
    fillOffice();
    QFile::remove(env.ctx.configIni());
    ASSERT_TRUE(QDir().mkpath(env.ctx.configIni()));
    clickSave();
    ASSERT_EQ(env.prompts.messages.size(), 1u);
    EXPECT_TRUE(env.prompts.last()->text.startsWith("企业信息、报检设置保存失败！\n"));
    EXPECT_EQ(env.prompts.last()->icon, MsgIcon::Warning);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->QY[0]->text(), "无锡报关");
}

// --- the work directory ----------------------------------------------------------------

TEST_F(ConfigWindowTest, ANewFolderIsRecordedOnlyOnOkAndTheMainWindowIsClosed)
{
    QDir().mkpath(otherDir());
    open();
    fillOffice();
    clearAndType(w->ML, otherDir());
    env.prompts.answer(MsgAnswer::Ok);
    clickSave();
    ASSERT_EQ(env.prompts.texts(), QStringList({"企业信息、报检设置保存成功！", kQuestion}));
    const ShownMessage &q = env.prompts.messages[1];
    EXPECT_EQ(q.buttons, MsgButtons::OkCancel);
    EXPECT_EQ(q.defaultButton, MsgAnswer::Cancel);
    EXPECT_EQ(q.icon, MsgIcon::Question);
    // The particulars went to the folder in use, not the new one.
    EXPECT_EQ(ReadKey(env.ctx.configIni(), "企业信息", "0", ""), "无锡报关");
    EXPECT_FALSE(QFile::exists(otherDir() + "/Config/Config.ini"));
    EXPECT_EQ(readBytes(portdeskIni()),
              gbk("[Setting]\nWorkDir=" + QDir::toNativeSeparators(otherDir()) + "\n"));
    EXPECT_FALSE(w->isVisible());
    settle();
    EXPECT_FALSE(main.isVisible());
}

TEST_F(ConfigWindowTest, CancelKeepsTheWindowAndRecordsNothing)
{
    QDir().mkpath(otherDir());
    open();
    clearAndType(w->ML, otherDir());
    env.prompts.answer(MsgAnswer::Cancel);
    clickSave();
    EXPECT_EQ(env.prompts.texts(), QStringList({"企业信息、报检设置保存成功！", kQuestion}));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->ML->text(), QDir::toNativeSeparators(env.ctx.workDir));
    EXPECT_FALSE(QFile::exists(portdeskIni()));
    settle();
    EXPECT_TRUE(main.isVisible());
    // With the folder set back, closing asks nothing more.
    env.prompts.clearRecord();
    w->close();
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(env.prompts.messages.empty());
}

TEST_F(ConfigWindowTest, TheCloseBoxAsksTheSameQuestion)
{
    QDir().mkpath(otherDir());
    open();
    clearAndType(w->ML, otherDir());
    env.prompts.answer(MsgAnswer::Ok);
    w->close();
    EXPECT_EQ(env.prompts.texts(), QStringList{kQuestion});
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(ReadKey(portdeskIni(), "Setting", "WorkDir", ""),
              QDir::toNativeSeparators(otherDir()));
}

TEST_F(ConfigWindowTest, ATrailingBackslashIsNotStored)
{
    QDir().mkpath(otherDir());
    open();
    clearAndType(w->ML, otherDir() + "\\");
    env.prompts.answer(MsgAnswer::Ok);
    clickSave();
    EXPECT_EQ(ReadKey(portdeskIni(), "Setting", "WorkDir", ""),
              QDir::toNativeSeparators(otherDir()));
}

TEST_F(ConfigWindowTest, TheProgramsFolderIsRecordedEmpty)
{
    open();
    clearAndType(w->ML, env.ctx.programDir);
    env.prompts.answer(MsgAnswer::Ok);
    clickSave();
    EXPECT_EQ(env.prompts.texts(), QStringList({"企业信息、报检设置保存成功！", kQuestion}));
    EXPECT_EQ(readBytes(portdeskIni()), gbk("[Setting]\nWorkDir=\n"));
}

TEST_F(ConfigWindowTest, AFolderThatIsNotThereIsRefusedButTheParticularsAreSaved)
{
    open();
    fillOffice();
    clearAndType(w->ML, otherDir());
    clickSave();
    EXPECT_EQ(env.prompts.texts(), QStringList({"您设置的目录不存在！未保存新的工作目录。",
                                                "企业信息、报检设置保存成功！"}));
    EXPECT_EQ(env.prompts.messages[0].icon, MsgIcon::Warning);
    EXPECT_EQ(ReadKey(env.ctx.configIni(), "企业信息", "0", ""), "无锡报关");
    EXPECT_FALSE(QFile::exists(portdeskIni()));
    EXPECT_FALSE(w->isVisible());
    settle();
    EXPECT_TRUE(main.isVisible());
}

TEST_F(ConfigWindowTest, AnEmptyFolderIsPutBack)
{
    open();
    clearAndType(w->ML, "");
    clickSave();
    EXPECT_EQ(env.prompts.texts(),
              QStringList({"您设置的目录为空！系统将自动还原成目前的工作目录。",
                           "企业信息、报检设置保存成功！"}));
    EXPECT_FALSE(QFile::exists(portdeskIni()));
}

TEST_F(ConfigWindowTest, ClosingOnAFolderThatIsNotThereRecordsNothing)
{
    open();
    clearAndType(w->ML, otherDir());
    w->close();
    EXPECT_EQ(env.prompts.texts(), QStringList{"您设置的目录不存在！未保存新的工作目录。"});
    EXPECT_FALSE(QFile::exists(portdeskIni()));
    EXPECT_FALSE(w->isVisible());
}

TEST_F(ConfigWindowTest, AFailedRecordIsAnErrorAndNothingCloses)
{
    QDir().mkpath(otherDir());
    ASSERT_TRUE(QDir().mkpath(portdeskIni()));
    open();
    clearAndType(w->ML, otherDir());
    env.prompts.answer(MsgAnswer::Ok);
    w->close();
    ASSERT_EQ(env.prompts.messages.size(), 2u);
    EXPECT_TRUE(env.prompts.last()->text.startsWith("新的工作目录保存失败！\n"));
    EXPECT_EQ(env.prompts.last()->icon, MsgIcon::Warning);
    EXPECT_TRUE(w->isVisible());
    settle();
    EXPECT_TRUE(main.isVisible());
}

// --- from the main window ------------------------------------------------------------------

TEST(ConfigFromMainPage, SheZhiOpensOneNonModalWindowAndTheExitQuestionFollowsOk)
{
    TestEnv env;
    const QString other = env.root.path() + "/other";
    QDir().mkpath(other);
    MainPage page(env.ctx);
    attachConfigWindow(page);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));

    QTest::mouseClick(page.SheZhi, Qt::LeftButton);
    ConfigWindow *found = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->objectName() == "Config" && top->isVisible())
            found = qobject_cast<ConfigWindow *>(top);
    ASSERT_NE(found, nullptr);
    EXPECT_FALSE(found->isModal());
    EXPECT_TRUE(page.isEnabled());
    QTest::mouseClick(page.SheZhi, Qt::LeftButton);
    int shown = 0;
    for (QWidget *top : QApplication::topLevelWidgets())
        shown += top->objectName() == "Config" && top->isVisible();
    EXPECT_EQ(shown, 1);

    found->ML->setText(other);
    env.prompts.answer(MsgAnswer::Ok);     // record the new folder
    env.prompts.answer(MsgAnswer::Cancel); // but do not end the program yet
    found->close();
    QTest::qWait(10);
    ASSERT_EQ(env.prompts.messages.size(), 2u);
    EXPECT_EQ(env.prompts.messages[0].text, kQuestion);
    EXPECT_EQ(env.prompts.messages[1].text, "本程序其它窗口也将关闭！确定要退出吗？");
    EXPECT_TRUE(page.isVisible());
    EXPECT_EQ(ReadKey(env.ctx.programDir + "/Portdesk.ini", "Setting", "WorkDir", ""),
              QDir::toNativeSeparators(other));
}
