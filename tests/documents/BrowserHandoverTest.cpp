// What the main window sees of the browser's folder while the browser is
// hidden, and who has the keyboard when it hides.

#include "DocumentsFixture.h"
#include "support/ListActions.h"

using namespace portdesk;
using namespace portdesk::test;

TEST_F(DocumentsTest, SteppingSeesFilesAddedWhileTheBrowserIsHidden)
{
    makeFile(saved("a.dcl"), "a");
    makeFile(saved("b.dcl"), "b");
    openThroughBrowser(0, "a.dcl");
    // Another desk on the shared drive saves a declaration meanwhile.
    makeFile(saved("c.dcl"), "c");
    const struct {
        int button;
        const char *consignee, *position;
    } steps[] = {{1, "b", "2/3"}, {1, "c", "3/3"}, {1, "a", "1/3"}, {0, "c", "3/3"}};
    for (const auto &s : steps) {
        click(page->FanYe[s.button]);
        EXPECT_EQ(page->ShouHuoRen->currentText(), QString::fromLatin1(s.consignee));
        EXPECT_EQ(page->LiuLan->text(), QString::fromLatin1(s.position));
    }
    EXPECT_TRUE(env.prompts.messages.empty());
}

TEST_F(DocumentsTest, SteppingAfterTheOpenFileVanishedStartsFromTheListEnds)
{
    makeFile(saved("a.dcl"), "a");
    makeFile(saved("b.dcl"), "b");
    makeFile(saved("c.dcl"), "c");
    openThroughBrowser(0, "b.dcl");
    QFile::remove(saved("b.dcl"));
    click(page->FanYe[1]); // nothing selected in the re-read list: the first
    EXPECT_EQ(page->ShouHuoRen->currentText(), "a");
    EXPECT_EQ(page->LiuLan->text(), "1/2");
    EXPECT_TRUE(env.prompts.messages.empty());
}

TEST_F(DocumentsTest, ClosingTheBrowserGivesTheKeyboardBackToTheMainWindow)
{
    makeFile(saved("a.dcl"), "a");
    for (int way = 0; way < 2; ++way) {
        click(page->DaKai);
        ASSERT_TRUE(QTest::qWaitForWindowActive(browser));
        if (way == 0) {
            click(browser->Cmd[1]);
        } else {
            click(browser->Option1[0]);
            clickListItem(0);
            click(browser->Cmd[0]);
        }
        ASSERT_FALSE(browser->isVisible());
        EXPECT_TRUE(QTest::qWaitForWindowActive(page.get())) << way;
        EXPECT_EQ(QApplication::activeWindow(), page.get()) << way;
        // The command moved the focus to the consignee; typing reaches it.
        EXPECT_TRUE(page->ShouHuoRen->hasFocus()) << way;
    }
}

namespace {

// Every way of choosing another consignee from the list without typing.
void tryEveryListChange(QComboBox *combo)
{
    combo->setFocus();
    turnWheel(combo);
    QTest::keyClick(combo, Qt::Key_PageDown);
    QTest::keyClick(combo, Qt::Key_F4);
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(openList(combo, 300)); // the list button at the right end
}

} // namespace

TEST_F(DocumentsTest, ALockedConsigneeIsNotPickedFromTheListEither)
{
    page->ShouHuoRen->addItems({QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")});
    makeFile(saved("a.dcl"), "甲");
    openThroughBrowser(0, "a.dcl");
    ASSERT_TRUE(consigneeLocked());
    ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));

    tryEveryListChange(page->ShouHuoRen);
    EXPECT_FALSE(page->ShouHuoRen->view()->isVisible());
    EXPECT_EQ(page->ShouHuoRen->currentText(), "甲");
    EXPECT_TRUE(page->ShouHuoRen->hasFocus());

    // New unlocks it: the list works again.
    env.prompts.answer(MsgAnswer::Yes);
    click(page->XinJian);
    ASSERT_FALSE(consigneeLocked());
    page->ShouHuoRen->setFocus();
    ASSERT_TRUE(pickWithMouse(page->ShouHuoRen, 1));
    EXPECT_EQ(page->ShouHuoRen->currentText(), "乙");
}

TEST_F(DocumentsTest, SteppingGoesOnFromTheRowChosenWithTheKeys)
{
    for (const char *n : {"a", "b", "c"})
        makeFile(saved(QString::fromLatin1(n) + ".dcl"), QString::fromLatin1(n));
    openThroughBrowser(0, "a.dcl");
    click(page->DaKai);
    ASSERT_TRUE(QTest::qWaitForWindowActive(browser));
    browser->File1->setFocus();
    QTest::keyClick(browser->File1, Qt::Key_Down);
    EXPECT_EQ(browser->position().selected, 1);
    EXPECT_EQ(browser->ZongJi->text(), "当前选中第 2/3 个文件");
    click(browser->Cmd[1]);
    click(page->FanYe[1]);
    EXPECT_EQ(page->ShouHuoRen->currentText(), "c");
    EXPECT_EQ(page->LiuLan->text(), "3/3");
}
