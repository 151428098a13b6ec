// The main window's consignee field and its register window, wired as the
// program wires them.
#include "registers/ConsigneeField.h"
#include "form/MainPage.h"
#include "registers/ConsigneeWindow.h"
#include "store/SettingsStore.h"
#include "support/ListActions.h"
#include "support/MainWindowHarness.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
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

struct ConsigneeFieldTest : ::testing::Test, MainWindowHarness {
    ConsigneeField *field = nullptr;

    void SetUp() override { QDir().mkpath(env.ctx.configDir()); }
    void store(const QStringList &names)
    {
        const QString file = env.ctx.consigneeIni();
        ASSERT_TRUE(WriteKey(file, "列表", "S", QString::number(names.size())));
        for (int i = 0; i < names.size(); ++i) {
            ASSERT_TRUE(WriteKey(file, "列表", QString::number(i + 1), names[i]));
            ASSERT_TRUE(WriteKey(file, names[i], "0", names[i] + "有限公司"));
        }
    }
    void start()
    {
        build([this](MainPage &p) { field = new ConsigneeField(p); });
        showActive();
    }
    QStringList mainItems() const
    {
        QStringList l;
        for (int i = 0; i < page->ShouHuoRen->count(); ++i)
            l << page->ShouHuoRen->itemText(i);
        return l;
    }
    void typeChinese(QWidget *w, const QString &text)
    {
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    ConsigneeWindow *openRegister()
    {
        QTest::mouseClick(page->SHRgl, Qt::LeftButton);
        ConsigneeWindow *w = field->registerWindow();
        if (w) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
        }
        return w;
    }
    void closeRegister(ConsigneeWindow *w)
    {
        QPointer<ConsigneeWindow> gone(w);
        QTest::mouseClick(w->cmdExit, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(gone.isNull());
    }
};

} // namespace

TEST_F(ConsigneeFieldTest, StartUpListsTheRegisterInOrderAndPicksNone)
{
    store({"无锡华润", "ABC贸易", "常州物流"});
    start();
    EXPECT_EQ(mainItems(), QStringList({"无锡华润", "ABC贸易", "常州物流"}));
    EXPECT_EQ(page->ShouHuoRen->currentText(), "");
    EXPECT_FALSE(page->LingCun->isEnabled());
}

TEST_F(ConsigneeFieldTest, StartUpWithNoRegisterListsNothing)
{
    start();
    EXPECT_EQ(page->ShouHuoRen->count(), 0);
}

TEST_F(ConsigneeFieldTest, SaveIsEnabledOnlyWhileAConsigneeIsEntered)
{
    start();
    page->ShouHuoRen->setFocus();
    typeChinese(page->ShouHuoRen, "华");
    EXPECT_TRUE(page->LingCun->isEnabled());
    QTest::keyClick(page->ShouHuoRen, Qt::Key_Backspace);
    EXPECT_EQ(page->ShouHuoRen->currentText(), "");
    EXPECT_FALSE(page->LingCun->isEnabled());
    QTest::keyClicks(page->ShouHuoRen, "ab");
    EXPECT_TRUE(page->LingCun->isEnabled());
}

TEST_F(ConsigneeFieldTest, PickingEnablesSaveAndMovesToTheFirstGoodsName)
{
    store({"无锡华润", "ABC贸易"});
    start();
    // Arrow keys belong to the main window's field navigation: pick with the mouse.
    page->ShouHuoRen->setFocus();
    page->ShouHuoRen->showPopup();
    QAbstractItemView *view = page->ShouHuoRen->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    const QModelIndex first = view->model()->index(0, 0);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(first).center());
    EXPECT_EQ(page->ShouHuoRen->currentText(), "无锡华润");
    EXPECT_TRUE(page->LingCun->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), page->MingCheng[0]);
}

// A typed name equal to a register entry is no pick, however the clerk
// leaves the field: the focus goes where the clerk sent it.
TEST_F(ConsigneeFieldTest, LeavingWithAListedNameIsNoPick)
{
    store({"ABC"});
    start();
    page->MingCheng[0]->setText(QStringLiteral("MACHINE PARTS"));
    QTest::mouseClick(page->ShouHuoRen->lineEdit(), Qt::LeftButton);
    QTest::keyClicks(page->ShouHuoRen, "ABC");
    QTest::mouseClick(page->JianShu, Qt::LeftButton);
    QTest::keyClicks(QApplication::focusWidget(), "12");
    EXPECT_EQ(page->JianShu->text(), "12");
    EXPECT_EQ(page->MingCheng[0]->text(), "MACHINE PARTS");

    const std::vector<std::pair<const char *, std::function<void()>>> ways = {
        {"Shift+Tab",
         [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier); }},
        {"Up", [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up); }},
        {"window switch", [this] { switchWindowAndBack(page.get()); }},
    };
    for (const auto &[what, leave] : ways) {
        SCOPED_TRACE(what);
        page->ShouHuoRen->setFocus(Qt::TabFocusReason);
        leave();
        EXPECT_NE(QApplication::focusWidget(), page->MingCheng[0]);
    }
    EXPECT_EQ(page->ShouHuoRen->currentText(), "ABC");
}

TEST_F(ConsigneeFieldTest, TheRegisterWindowKeepsTheMainWindowDisabledUntilItCloses)
{
    store({"无锡华润"});
    start();
    ConsigneeWindow *w = openRegister();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(page->isEnabled());
    EXPECT_TRUE(w->isEnabled());
    EXPECT_FALSE(w->isModal());
    closeRegister(w);
    EXPECT_TRUE(page->isEnabled());
    EXPECT_EQ(field->registerWindow(), nullptr);
}

TEST_F(ConsigneeFieldTest, TheRegisterWindowOpensOnTheMainWindowsConsignee)
{
    store({"无锡华润"});
    start();
    page->ShouHuoRen->setEditText("无锡华润");
    ConsigneeWindow *w = openRegister();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->ZhuangTai->text(), "修改");
    EXPECT_EQ(w->SHR[0]->text(), "无锡华润有限公司");
    closeRegister(w);
}

TEST_F(ConsigneeFieldTest, AnAddedConsigneeJoinsTheMainListWithoutChangingItsText)
{
    store({"无锡华润"});
    start();
    ConsigneeWindow *w = openRegister();
    ASSERT_NE(w, nullptr);
    w->ShouHuoRen->setFocus();
    typeChinese(w->ShouHuoRen, "常州物流");
    const QStringList values = {"常州物流公司", "3204000001", "常州市", "王五", "1234"};
    for (int k = 0; k < 5; ++k) {
        w->SHR[k]->setFocus();
        QTest::keyClicks(w->SHR[k], "x");
        w->SHR[k]->setText(values[k]);
    }
    QTest::mouseClick(w->cmdSave, Qt::LeftButton);
    EXPECT_EQ(env.prompts.texts(), QStringList{"保存“常州物流”成功！"});
    EXPECT_EQ(mainItems(), QStringList({"无锡华润", "常州物流"}));
    EXPECT_EQ(page->ShouHuoRen->currentText(), "");
    EXPECT_EQ(w->ZongJi->text(), "(共2家)");
    closeRegister(w);
    EXPECT_EQ(page->ShouHuoRen->currentText(), "");
    EXPECT_FALSE(page->LingCun->isEnabled());
}

TEST_F(ConsigneeFieldTest, TheFirstConsigneeOfAnEmptyListIsNotPickedForTheClerk)
{
    start();
    ConsigneeWindow *w = openRegister();
    ASSERT_NE(w, nullptr);
    w->ShouHuoRen->setFocus();
    typeChinese(w->ShouHuoRen, "甲");
    for (int k = 0; k < 5; ++k) {
        w->SHR[k]->setFocus();
        QTest::keyClicks(w->SHR[k], "x");
    }
    QTest::mouseClick(w->cmdSave, Qt::LeftButton);
    EXPECT_EQ(env.prompts.texts(), QStringList{"保存“甲”成功！"});
    EXPECT_EQ(mainItems(), QStringList{"甲"});
    EXPECT_EQ(page->ShouHuoRen->currentText(), "");
    closeRegister(w);
}

TEST_F(ConsigneeFieldTest, NoWorkDirectoryNoRegisterWindow)
{
    start();
    QDir(env.ctx.workDir).removeRecursively();
    EXPECT_EQ(openRegister(), nullptr);
    ASSERT_EQ(env.prompts.messages.size(), 1u);
    EXPECT_EQ(env.prompts.last()->text, "无法连接到工作目录！");
    EXPECT_EQ(env.prompts.last()->title, "连接异常");
    EXPECT_EQ(env.prompts.last()->icon, MsgIcon::Warning);
    EXPECT_TRUE(page->isEnabled());
}

TEST_F(ConsigneeFieldTest, RegisterWindowOpensOverTheMainWindow)
{
    start();
    page->move(20, 10); // the offscreen screen is 800 x 600
    ConsigneeWindow *w = openRegister();
    ASSERT_NE(w, nullptr);
    const QPoint offset = w->frameGeometry().center() - page->frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << "," << offset.y();
    closeRegister(w);
}
