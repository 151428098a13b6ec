// The search window as the clerk uses it: Ctrl+F, a few letters, Enter, and
// the declaration on the main window in its folder's state; from the main
// window and from the browser alike.
#include "documents/SearchWindow.h"

#include "DocumentsFixture.h"
#include "model/ReportLine.h"
#include "support/MonthArchive.h"

#include <QTreeWidget>

namespace portdesk::test {
namespace {

class SearchWindowTest : public DocumentsTest {
protected:
    void SetUp() override
    {
        DocumentsTest::SetUp();
        attachSearchWindow(*page, *docs);
        makeFile(env.ctx.printedDir() + "/ACME(2026-11-20 10：00：00).dcl", "ACME Trading");
        ReportSources archived;
        archived.declaration[DeclField::ShouHuoRen] = "昆山华安";
        archived.declaration[DeclField::TiYunDanHao] = "COSU6201234";
        archived.number = "123456";
        archived.date = "2025-03-05";
        ASSERT_FALSE(
            archiveInMonth(env.ctx.workDir, "2025-03", "123456昆山华安(2025-03-05).dcl", archived)
                .isEmpty());
    }

    // Ctrl+F on `host`, the text typed, and the one result there.
    SearchWindow *searchFrom(QWidget *host, const char *text, const QString &consignee)
    {
        QTest::keyClick(host, Qt::Key_F, Qt::ControlModifier);
        SearchWindow *window = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            window = window ? window : qobject_cast<SearchWindow *>(w);
        EXPECT_TRUE(window && waitFor([&] { return window->isActiveWindow(); }));
        if (!window)
            return nullptr;
        EXPECT_EQ(QApplication::focusWidget(), window->GuanJianZi);
        QTest::keyClicks(window->GuanJianZi, text);
        EXPECT_TRUE(waitFor([&] {
            return window->JieGuo->topLevelItemCount() == 1 &&
                   window->JieGuo->topLevelItem(0)->text(2) == consignee;
        })) << window->ZhuangTai->text().toStdString();
        return window;
    }
};

TEST_F(SearchWindowTest, EnterOpensTheFoundDeclarationInItsFoldersState)
{
    showActive();
    SearchWindow *window = searchFrom(page.get(), "acme", "ACME Trading");
    ASSERT_TRUE(window);
    QTest::keyClick(window->GuanJianZi, Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(docs->session().file, env.ctx.printedDir() + "/ACME(2026-11-20 10：00：00).dcl");
    EXPECT_EQ(docs->session().folder, folderLabel(DocFolder::Printed));
    EXPECT_EQ(page->ShouHuoRen->currentText(), "ACME Trading");

    // From the browser: the browser gives way to the archived declaration.
    docs->showBrowser();
    ASSERT_TRUE(waitFor([&] { return browser->isActiveWindow(); }));
    window = searchFrom(browser, "cosu62", "昆山华安");
    ASSERT_TRUE(window);
    const QTreeWidgetItem *item = window->JieGuo->topLevelItem(0);
    EXPECT_EQ(item->text(0), "123456");
    const QPoint at = window->JieGuo->visualItemRect(item).center();
    // The second press of a double click arrives as a double click.
    QTest::mouseClick(window->JieGuo->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(window->JieGuo->viewport(), Qt::LeftButton, {}, at);
    EXPECT_FALSE(browser->isVisible());
    EXPECT_TRUE(page->isEnabled());
    EXPECT_EQ(docs->session().folder, folderLabel(DocFolder::Archived));
    EXPECT_EQ(docs->session().number, "123456");

    // Enter typed before the results of the new text came: the new text's
    // result opens, not the one still on screen.
    ASSERT_TRUE(waitFor([&] { return page->isActiveWindow(); }));
    QTest::keyClick(page.get(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(waitFor([&] { return window->isActiveWindow(); }));
    QTest::keyClicks(window->GuanJianZi, "acme");
    QTest::keyClick(window->GuanJianZi, Qt::Key_Return);
    EXPECT_TRUE(waitFor([&] { return docs->session().folder == folderLabel(DocFolder::Printed); }));
    EXPECT_EQ(page->ShouHuoRen->currentText(), "ACME Trading");
}

} // namespace
} // namespace portdesk::test
