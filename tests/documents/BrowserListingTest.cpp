// When the browser lists its folder at start-up, and what counts as a file
// chosen in its list.

#include "DocumentsFixture.h"

using namespace portdesk;
using namespace portdesk::test;

namespace {

// Notes, at the main window's first paint, whether the browser had listed.
class FirstPaint final : public QObject {
public:
    explicit FirstPaint(const ViewFiles *const &browser) : browser_(browser) {}
    bool painted = false;
    bool listedBefore = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            listedBefore = browser_ && browser_->option() >= 0;
        }
        return false;
    }

private:
    const ViewFiles *const &browser_;
};

} // namespace

TEST(BrowserAtStartUp, TheMainWindowIsPaintedBeforeTheFolderIsListed)
{
    MainWindowHarness h;
    ASSERT_TRUE(QDir().mkpath(h.env.ctx.printedDir()));
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(writeBytes(h.env.ctx.printedDir() + QStringLiteral("/p%1.dcl").arg(i), "x"));
    const ViewFiles *browser = nullptr;
    FirstPaint watch(browser);
    h.build([&](MainPage &p) { browser = &(new DocumentCommands(p))->browser(); });
    h.page->installEventFilter(&watch);
    h.page->show();
    ASSERT_TRUE(waitFor([&] { return browser->isVisible() && browser->count() == 5; }));
    EXPECT_TRUE(watch.painted);
    EXPECT_FALSE(watch.listedBefore);
    h.destroy();
}

// Tab brings the keyboard into the list without choosing a file; an arrow
// key, like a click, chooses the row the focus frame is on.
TEST_F(DocumentsTest, AFileIsChosenByAClickOrAnArrowNotByTabbingIntoTheList)
{
    for (const char *n : {"a", "b", "c"})
        makeFile(saved(QString::fromLatin1(n) + ".dcl"), QString::fromLatin1(n));
    click(page->DaKai);
    ASSERT_TRUE(QTest::qWaitForWindowActive(browser));
    click(browser->Option1[0]);
    ASSERT_EQ(browser->count(), 3);
    browser->Option1[0]->setFocus(Qt::TabFocusReason);
    while (QApplication::focusWidget() != browser->File1) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_TRUE(browser->isAncestorOf(QApplication::focusWidget()));
    }
    EXPECT_EQ(browser->selected(), -1);
    EXPECT_EQ(browser->ZongJi->text(), "当前文件夹总计 3 个文件");
    for (int i : {0, 2, 3})
        EXPECT_FALSE(browser->Cmd[i]->isEnabled()) << i;
    EXPECT_FALSE(browser->File1->selectionModel()->hasSelection());

    // The list shows its latest files: the first arrow chooses the last one.
    QTest::keyClick(browser->File1, Qt::Key_Down);
    EXPECT_EQ(browser->selected(), 2);
    EXPECT_EQ(browser->ZongJi->text(), "当前选中第 3/3 个文件");
    QTest::keyClick(browser->File1, Qt::Key_Up);
    EXPECT_EQ(browser->selected(), 1);
    EXPECT_EQ(browser->File1->selectionModel()->selectedRows().value(0).row(), 1);
    for (int i : {0, 2, 3})
        EXPECT_TRUE(browser->Cmd[i]->isEnabled()) << i;
    click(browser->Cmd[1]);
}
