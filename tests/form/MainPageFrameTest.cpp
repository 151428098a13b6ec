// The frame's own rules: arrow-key navigation, hover captions, the goods
// block toggle, clearing rows 2 to 10, commands leaving the field first,
// the follow-up badge and the exit question.
#include "MainPageFixture.h"
#include "registers/FollowUpBadge.h"
#include "store/SettingsStore.h"

#include <QAbstractItemView>
#include <QDir>
#include <QSignalSpy>

using namespace portdesk;
using namespace portdesk::test;

namespace {

// The tab order of the form, written out by hand.
QStringList formOrder(bool withRows)
{
    const char *columns[] = {"MingCheng",  "BianMa",   "YuanChanGuo", "ShuLiang", "SLdanwei",
                             "ZhongLiang", "ZLdanwei", "ZongZhi",     "BiZhi"};
    QStringList order{"ShouHuoRen"};
    for (const char *c : columns)
        order << rowName(c, 0);
    order << "More";
    if (withRows)
        for (int r = 1; r < 10; ++r)
            for (const char *c : columns)
                order << rowName(c, r);
    order << "BZzhonglei(0)"
          << "BZshuliang(0)"
          << "BZzhonglei(1)"
          << "BZshuliang(1)"
          << "JianShu"
          << "GongJin"
          << "YunShuGongJu"
          << "TiYunDanHao"
          << "QiYunGuoJia"
          << "RuJingKouAn"
          << "HeTongHao"
          << "MaoYiFangShi"
          << "MaoYiGuoBie"
          << "XuKeZheng"
          << "JZXsl1"
          << "JZXhm1"
          << "JZXsl2"
          << "JZXhm2"
          << "CmdQD"
          << "XinJian"
          << "DaKai"
          << "LingCun"
          << "DaYin"
          << "SHRgl"
          << "SheZhi"
          << "GuanYu"
          << "FanYe(0)"
          << "FanYe(1)"
          << "GuiDang"
          << "HouQi"
          << "FeiYong"
          << "DaoChu"
          << "TuiChu";
    return order;
}

class FrameTest : public MainPageTest {
protected:
    void enableEverything()
    {
        for (QWidget *w : page->findChildren<QWidget *>())
            w->setEnabled(true);
    }
    void press(Qt::Key key)
    {
        QWidget *target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, key);
    }
    void walk(const QStringList &order)
    {
        page->ShouHuoRen->setFocus();
        ASSERT_EQ(focusName(), order.first());
        for (qsizetype i = 1; i < order.size(); ++i) {
            press(Qt::Key_Down);
            ASSERT_EQ(focusName(), order[i]) << "Down from " << order[i - 1].toStdString();
        }
        for (qsizetype i = order.size() - 2; i >= 0; --i) {
            press(Qt::Key_Up);
            ASSERT_EQ(focusName(), order[i]) << "Up from " << order[i + 1].toStdString();
        }
    }
};

} // namespace

// --- arrow keys ------------------------------------------------------------

TEST_F(FrameTest, DownAndUpWalkTheWholeFormWhenExpanded)
{
    enableEverything();
    showActive();
    page->More->setChecked(true);
    walk(formOrder(true));
}

TEST_F(FrameTest, CollapsedRowsAreNotVisited)
{
    enableEverything();
    showActive();
    walk(formOrder(false));
}

TEST_F(FrameTest, CommandsAreReachedFromTheKeyboardAfterTheFields)
{
    showActive();
    QSignalSpy newClicked(page->XinJian, &QToolButton::clicked);
    page->XuKeZheng->setFocus();
    press(Qt::Key_Down); // the containers are disabled at start
    EXPECT_EQ(focusName(), "CmdQD");
    press(Qt::Key_Down);
    EXPECT_EQ(focusName(), "XinJian");
    press(Qt::Key_Tab);
    press(Qt::Key_Tab); // LingCun is disabled without a consignee
    EXPECT_EQ(focusName(), "DaYin");
    page->XinJian->setFocus();
    press(Qt::Key_Space);
    EXPECT_EQ(newClicked.count(), 1);
    // Like a click, the command starts from the consignee field.
    EXPECT_EQ(focusName(), "ShouHuoRen");
}

TEST_F(FrameTest, DisabledFieldsAreSkippedAtStart)
{
    showActive();
    page->YuanChanGuo[0]->setFocus();
    press(Qt::Key_Down);
    EXPECT_EQ(focusName(), "ShuLiang(0)");
    press(Qt::Key_Down); // the unit is disabled at start
    EXPECT_EQ(focusName(), "ZhongLiang(0)");
    page->BZzhonglei[0]->setFocus();
    press(Qt::Key_Down); // count 1, type 2 and count 2 are disabled
    EXPECT_EQ(focusName(), "JianShu");
}

TEST_F(FrameTest, ArrowNeverReachesTheField)
{
    showActive();
    page->BiZhi[0]->setCurrentIndex(1);
    page->BiZhi[0]->setFocus();
    press(Qt::Key_Down);
    EXPECT_EQ(focusName(), "More");
    EXPECT_EQ(page->BiZhi[0]->currentText(), QStringLiteral("欧元"));
    press(Qt::Key_Up);
    EXPECT_EQ(focusName(), "BiZhi(0)");
    press(Qt::Key_Up);
    EXPECT_EQ(focusName(), "ZongZhi(0)");
    EXPECT_EQ(page->BiZhi[0]->currentText(), QStringLiteral("欧元"));
    EXPECT_FALSE(page->BiZhi[0]->view()->isVisible());
    EXPECT_FALSE(page->More->isChecked());

    // In a text field the cursor stays where it was.
    page->MingCheng[0]->setFocus();
    QTest::keyClicks(page->MingCheng[0], "abc");
    page->MingCheng[0]->setCursorPosition(1);
    press(Qt::Key_Up);
    EXPECT_EQ(focusName(), "ShouHuoRen");
    EXPECT_EQ(page->MingCheng[0]->cursorPosition(), 1);
}

TEST_F(FrameTest, OtherKeysReachTheField)
{
    showActive();
    page->MingCheng[0]->setFocus();
    QTest::keyClicks(page->MingCheng[0], "ab");
    QTest::keyClick(page->MingCheng[0], Qt::Key_Left);
    QTest::keyClicks(page->MingCheng[0], "X");
    EXPECT_EQ(page->MingCheng[0]->text(), QStringLiteral("aXb"));
    EXPECT_EQ(focusName(), "MingCheng(0)");
}

// --- hover captions --------------------------------------------------------

TEST_F(FrameTest, MouseOverAPictureButtonShowsItsCaption)
{
    showActive();
    const QStringList captions{"清单", "新建", "浏览", "保存", "打印", "收货人", "设置", "关于"};
    const QList<QToolButton *> buttons = page->pictureButtons();
    ASSERT_EQ(buttons.size(), captions.size());
    EXPECT_EQ(buttons.first(), page->CmdQD);
    EXPECT_EQ(buttons.last(), page->GuanYu);
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        QTest::mouseMove(buttons[i], buttons[i]->rect().center());
        EXPECT_EQ(buttons[i]->text(), captions[i]) << i;
    }
    // All captions shown so far stay until the mouse reaches the bare window.
    for (qsizetype i = 0; i < buttons.size(); ++i)
        EXPECT_EQ(buttons[i]->text(), captions[i]) << i;

    const QPoint bare(page->width() - 3, page->HuoWuMingXi->geometry().bottom() + 2);
    ASSERT_EQ(page->childAt(bare), nullptr);
    QTest::mouseMove(page.get(), bare);
    for (QToolButton *b : buttons)
        EXPECT_TRUE(b->text().isEmpty()) << b->objectName().toStdString();

    QTest::mouseMove(page->DaYin, page->DaYin->rect().center());
    EXPECT_EQ(page->DaYin->text(), QStringLiteral("打印"));
    EXPECT_TRUE(page->XinJian->text().isEmpty());
}

TEST_F(FrameTest, DisabledPictureButtonShowsItsCaptionToo)
{
    showActive();
    ASSERT_FALSE(page->LingCun->isEnabled());
    QTest::mouseMove(page->LingCun, page->LingCun->rect().center());
    EXPECT_EQ(page->LingCun->text(), QStringLiteral("保存"));
}

// --- goods block -----------------------------------------------------------

TEST_F(FrameTest, MoreExpandsIntoRowTwoAndCollapsesToPacking)
{
    showActive();
    QTest::mouseClick(page->More, Qt::LeftButton);
    EXPECT_TRUE(page->goodsExpanded());
    EXPECT_TRUE(page->More->isChecked());
    EXPECT_EQ(page->More->toolTip(), QStringLiteral("点击隐藏多行"));
    EXPECT_EQ(focusName(), "MingCheng(1)");

    QTest::mouseClick(page->More, Qt::LeftButton);
    EXPECT_FALSE(page->goodsExpanded());
    EXPECT_FALSE(page->More->isChecked());
    EXPECT_EQ(page->More->toolTip(), QStringLiteral("点击显示多行"));
    EXPECT_EQ(page->HuoWuMingXi->height(), 1320 / 15);
    EXPECT_EQ(page->More->y(), 960 / 15);
    EXPECT_EQ(focusName(), "BZzhonglei(0)");
    EXPECT_FALSE(page->MingCheng[1]->isVisible());
}

TEST_F(FrameTest, SpaceOnMoreTogglesToo)
{
    showActive();
    page->More->setFocus();
    QTest::keyClick(page->More, Qt::Key_Space);
    EXPECT_TRUE(page->goodsExpanded());
    EXPECT_EQ(focusName(), "MingCheng(1)");
}

TEST_F(FrameTest, GengDuoTogglesTheRows)
{
    showActive();
    page->GengDuo->show();
    QTest::mouseClick(page->GengDuo, Qt::LeftButton);
    EXPECT_TRUE(page->More->isChecked());
    EXPECT_TRUE(page->goodsExpanded());
    EXPECT_EQ(focusName(), "MingCheng(1)");
    EXPECT_TRUE(page->GengDuo->isVisible()) << "stays visible in both states";
    QTest::mouseClick(page->GengDuo, Qt::LeftButton);
    EXPECT_FALSE(page->More->isChecked());
    EXPECT_FALSE(page->goodsExpanded());
    EXPECT_EQ(focusName(), "BZzhonglei(0)");
}

// --- clear rows 2 to 10 ----------------------------------------------------

namespace {

struct RowFill {
    std::array<QString, 9> texts;
};

void fillRow(MainPage &p, int r, const QString &tag)
{
    p.MingCheng[r]->setText(tag + "名称");
    p.BianMa[r]->setText("8503" + QString::number(r));
    p.YuanChanGuo[r]->setText("德国");
    p.ShuLiang[r]->setText("1" + QString::number(r));
    p.SLdanwei[r]->setEditText("台");
    p.ZhongLiang[r]->setText("2" + QString::number(r));
    p.ZLdanwei[r]->setCurrentIndex(0);
    p.ZongZhi[r]->setText("3" + QString::number(r));
    p.BiZhi[r]->setCurrentIndex(2);
}

QStringList rowTexts(const MainPage &p, int r)
{
    return {p.MingCheng[r]->text(),       p.BianMa[r]->text(),          p.YuanChanGuo[r]->text(),
            p.ShuLiang[r]->text(),        p.SLdanwei[r]->currentText(), p.ZhongLiang[r]->text(),
            p.ZLdanwei[r]->currentText(), p.ZongZhi[r]->text(),         p.BiZhi[r]->currentText()};
}

} // namespace

TEST_F(FrameTest, ClearRowsAnsweredNoChangesNothing)
{
    showActive();
    page->More->setChecked(true);
    for (int r = 0; r < 10; ++r)
        fillRow(*page, r, QString::number(r));
    std::vector<QStringList> before;
    for (int r = 0; r < 10; ++r)
        before.push_back(rowTexts(*page, r));
    page->MingCheng[0]->setFocus();

    env.prompts.answer(MsgAnswer::No);
    QTest::mouseClick(page->LBclear, Qt::LeftButton);
    ASSERT_EQ(env.prompts.messages.size(), 1u);
    const ShownMessage &m = env.prompts.messages[0];
    EXPECT_EQ(m.text, QStringLiteral("清空2~10行表格中所有数据，是否继续？"));
    EXPECT_EQ(m.title, QStringLiteral("Portdesk"));
    EXPECT_EQ(m.icon, MsgIcon::Question);
    EXPECT_EQ(m.buttons, MsgButtons::YesNo);
    EXPECT_EQ(m.defaultButton, MsgAnswer::No);
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(rowTexts(*page, r), before[r]) << r;
    EXPECT_EQ(focusName(), "MingCheng(0)");
    EXPECT_TRUE(env.prompts.allAnswersUsed());
}

TEST_F(FrameTest, ClearRowsAnsweredYesEmptiesRowsTwoToTen)
{
    showActive();
    page->More->setChecked(true);
    for (int r = 0; r < 10; ++r)
        fillRow(*page, r, QString::number(r));
    const QStringList row0 = rowTexts(*page, 0);
    page->ShouHuoRen->setEditText(QStringLiteral("甲公司"));
    page->JianShu->setText("5");

    env.prompts.answer(MsgAnswer::Yes);
    QTest::mouseClick(page->LBclear, Qt::LeftButton);
    EXPECT_EQ(env.prompts.messages.size(), 1u);
    for (int r = 1; r < 10; ++r)
        EXPECT_EQ(rowTexts(*page, r), QStringList(9, QString())) << r;
    EXPECT_EQ(rowTexts(*page, 0), row0);
    EXPECT_EQ(page->ShouHuoRen->currentText(), QStringLiteral("甲公司"));
    EXPECT_EQ(page->JianShu->text(), QStringLiteral("5"));
    EXPECT_EQ(focusName(), "MingCheng(1)");
    // The lists keep their entries.
    EXPECT_EQ(page->BiZhi[5]->count(), 5);
}

// --- commands leave the field first ----------------------------------------

TEST_F(FrameTest, EveryCommandFirstMovesTheFocusToTheConsignee)
{
    enableEverything();
    showActive();

    // A later handler sees the edited field already left.
    bool leftBeforeCommand = false;
    QString focusAtCommand;
    bool fieldLeft = false;
    struct Watch : QObject {
        bool *left;
        explicit Watch(bool *l) : left(l) {}
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::FocusOut)
                *left = true;
            return false;
        }
    } watch(&fieldLeft);
    page->ZongZhi[0]->installEventFilter(&watch);

    auto onCommand = [&] {
        focusAtCommand = focusName();
        leftBeforeCommand = fieldLeft;
    };
    QList<QAbstractButton *> commands;
    for (QToolButton *b : page->pictureButtons())
        commands << b;
    commands << page->FanYe[0] << page->FanYe[1] << page->GuiDang << page->HouQi << page->FeiYong
             << page->DaoChu;
    for (QAbstractButton *b : commands)
        QObject::connect(b, &QAbstractButton::clicked, page.get(), onCommand);
    QList<ClickLabel *> labels{page->WenJianJia, page->Ver};
    for (ClickLabel *l : labels)
        QObject::connect(l, &ClickLabel::clicked, page.get(), onCommand);

    auto check = [&](QWidget *w, auto click) {
        page->ZongZhi[0]->setFocus();
        ASSERT_EQ(focusName(), "ZongZhi(0)");
        fieldLeft = false;
        focusAtCommand.clear();
        click();
        EXPECT_EQ(focusAtCommand, "ShouHuoRen") << w->objectName().toStdString();
        EXPECT_TRUE(leftBeforeCommand) << w->objectName().toStdString();
        EXPECT_EQ(focusName(), "ShouHuoRen") << w->objectName().toStdString();
    };
    for (QAbstractButton *b : commands)
        check(b, [&] { QTest::mouseClick(b, Qt::LeftButton); });
    for (ClickLabel *l : labels)
        check(l, [&] { QTest::mouseClick(l, Qt::LeftButton); });
}

TEST_F(FrameTest, AboutIsAskedForByGuanYuAndVer)
{
    showActive();
    QSignalSpy spy(page.get(), &MainPage::aboutRequested);
    QTest::mouseClick(page->GuanYu, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
    QTest::mouseClick(page->Ver, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 2);
    QTest::mousePress(page->Ver, Qt::LeftButton);
    EXPECT_NE(page->Ver->frameStyle(), int(QFrame::NoFrame));
    QTest::mouseRelease(page->Ver, Qt::LeftButton);
    EXPECT_EQ(page->Ver->frameStyle(), int(QFrame::NoFrame));
    EXPECT_EQ(spy.count(), 3);
}

// --- follow-up badge -------------------------------------------------------

TEST_F(FrameTest, BadgeHiddenWithoutOpenItems)
{
    page->show();
    EXPECT_FALSE(page->Picture1->isVisible());
    EXPECT_FALSE(QFileInfo::exists(env.ctx.tobedoneIni())) << "counting creates nothing";
}

TEST_F(FrameTest, BadgeCountsOpenItemsAtLoad)
{
    ASSERT_TRUE(QDir().mkpath(env.ctx.configDir()));
    const QString ini = env.ctx.tobedoneIni();
    const QString list = QStringLiteral("待处理列表");
    ASSERT_TRUE(WriteKey(ini, list, "X", "4"));
    ASSERT_TRUE(WriteKey(ini, list, "1", "甲公司(100001,2026-01-05)"));
    ASSERT_TRUE(WriteKey(ini, list, "2", "乙公司(100002,2026-01-06)"));
    ASSERT_TRUE(WriteKey(ini, list, "3", ""));
    ASSERT_TRUE(WriteKey(ini, list, "4", "丙公司(100003,2026-01-07)"));
    ASSERT_TRUE(WriteKey(ini, "待处理", "甲公司(100001,2026-01-05)", "\\Saved\\Archived\\a.dcl"));
    const QByteArray before = readBytes(ini);

    MainPage loaded(env.ctx);
    refreshFollowUpBadge(loaded);
    loaded.show();
    EXPECT_TRUE(loaded.Picture1->isVisible());
    EXPECT_EQ(loaded.Picture1->toolTip(), QStringLiteral("有3条事项尚未完成"));
    EXPECT_EQ(readBytes(ini), before);

    // Finishing every item empties the list; a refresh hides the badge.
    for (const char *slot : {"1", "2", "4"})
        ASSERT_TRUE(WriteKey(ini, list, slot, ""));
    refreshFollowUpBadge(loaded);
    EXPECT_FALSE(loaded.Picture1->isVisible());
}

// --- exit ------------------------------------------------------------------

namespace {

class RecordingWindow : public QWidget {
public:
    RecordingWindow(const QString &name, QStringList *log) : log_(log) { setObjectName(name); }

protected:
    void closeEvent(QCloseEvent *e) override
    {
        *log_ << objectName();
        QWidget::closeEvent(e);
    }

private:
    QStringList *log_;
};

void expectExitQuestion(const ShownMessage &m)
{
    EXPECT_EQ(m.text, QStringLiteral("本程序其它窗口也将关闭！确定要退出吗？"));
    EXPECT_EQ(m.title, QStringLiteral("Portdesk"));
    EXPECT_EQ(m.icon, MsgIcon::Question);
    EXPECT_EQ(m.buttons, MsgButtons::OkCancel);
    EXPECT_EQ(m.defaultButton, MsgAnswer::Cancel);
}

} // namespace

TEST_F(FrameTest, ExitCancelledKeepsEveryWindowOpen)
{
    QStringList closed;
    showActive();
    RecordingWindow other("ViewFiles", &closed);
    other.show();
    page->MingCheng[0]->setText(QStringLiteral("未保存的内容"));

    env.prompts.answer(MsgAnswer::Cancel);
    QTest::mouseClick(page->TuiChu, Qt::LeftButton);
    ASSERT_EQ(env.prompts.messages.size(), 1u);
    expectExitQuestion(env.prompts.messages[0]);
    EXPECT_TRUE(page->isVisible());
    EXPECT_TRUE(other.isVisible());
    EXPECT_TRUE(closed.isEmpty());
    EXPECT_EQ(page->MingCheng[0]->text(), QStringLiteral("未保存的内容"));
}

TEST_F(FrameTest, ExitConfirmedClosesOtherWindowsNewestFirst)
{
    QStringList closed;
    showActive();
    RecordingWindow browser("ViewFiles", &closed);
    RecordingWindow consignees("Consignee", &closed);
    RecordingWindow settings("Config", &closed);
    browser.show();
    consignees.show();
    settings.show();
    consignees.hide();
    consignees.show(); // shown again: now the newest

    env.prompts.answer(MsgAnswer::Ok);
    EXPECT_TRUE(page->close());
    ASSERT_EQ(env.prompts.messages.size(), 1u);
    expectExitQuestion(env.prompts.messages[0]);
    EXPECT_EQ(closed, QStringList({"Consignee", "Config", "ViewFiles"}));
    EXPECT_FALSE(page->isVisible());
    EXPECT_FALSE(browser.isVisible());
    EXPECT_FALSE(consignees.isVisible());
    EXPECT_FALSE(settings.isVisible());
}

TEST_F(FrameTest, ExitFromTheCloseBoxAsksTheSameQuestion)
{
    showActive();
    env.prompts.answer(MsgAnswer::Cancel);
    QCloseEvent cancelled;
    QApplication::sendEvent(page.get(), &cancelled);
    EXPECT_FALSE(cancelled.isAccepted());
    env.prompts.answer(MsgAnswer::Ok);
    QCloseEvent confirmed;
    QApplication::sendEvent(page.get(), &confirmed);
    EXPECT_TRUE(confirmed.isAccepted());
    ASSERT_EQ(env.prompts.messages.size(), 2u);
    expectExitQuestion(env.prompts.messages[1]);
    EXPECT_EQ(env.prompts.unscripted, 0);
}
