// The list window as the clerk types into it: a ticket along the Enter path,
// the packing picks, the station-slip check and the transport mode it names,
// the stash on opening and closing, and the opening from the main window.
#include "lists/ListWindow.h"
#include "form/PickList.h"
#include "store/Gbk.h"
#include "store/SettingsStore.h"
#include "support/ListActions.h"
#include "support/MainWindowHarness.h"
#include "support/TestNames.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <memory>

using namespace portdesk;
using namespace portdesk::test;

namespace {

// A stash key as the file holds it, without the default a read writes back.
QString stash(const TestEnv &env, const char *key)
{
    ProfileBatch file(env.ctx.configIni());
    const std::optional<QByteArray> bytes =
        file.storedBytes(QStringLiteral("清单报检"), QString::fromUtf8(key));
    return bytes ? fromGbk(*bytes).value_or(QStringLiteral("<not GBK>"))
                 : QStringLiteral("<missing>");
}

struct ListWindowTest : ::testing::Test {
    TestEnv env;
    std::unique_ptr<ListWindow> w;

    // Start-up makes the folder of the stash.
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(env.ctx.configDir())); }
    void open()
    {
        w = std::make_unique<ListWindow>(env.ctx);
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    void TearDown() override
    {
        // Closing asks nothing of a list without an owner in row 1.
        if (w)
            w->hide();
    }
    void focus(QWidget *field)
    {
        field->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(waitFor([field] { return field->hasFocus(); }));
    }
    QString at(int row, ListField f) const { return w->list().at(row, f); }
};

TEST_F(ListWindowTest, TicketTypedAlongTheEnterPathEndsOnCopyAll)
{
    open();
    focus(w->BianHao[0]);
    keys("abkj56789012345678");
    enter();
    EXPECT_EQ(focusedName(), "HuoZhu(0)");
    keys("ACMEXYZ"); // five characters at most
    enter();
    keys("parts");
    enter();
    EXPECT_EQ(focusedName(), "BaoZhuang(0)");
    keys("x2"); // a Latin letter is dropped; 2 picks 纸箱 and moves on
    EXPECT_EQ(focusedName(), "JianShu(0)");
    keys("1a2.5x");
    enter();
    keys("1234.5678");
    enter();
    keys("hbl-7");
    enter();
    EXPECT_EQ(focusedName(), "QiYunGuo(0)");
    keys("JP");
    enter();
    EXPECT_EQ(focusedName(), "BianHao(1)");

    const ListRow expected{QStringLiteral("ABKJ56789012345678"),
                           QStringLiteral("ACMEX"),
                           QStringLiteral("parts"),
                           QStringLiteral("纸箱"),
                           QStringLiteral("12.5"),
                           QStringLiteral("1234.56"),
                           QStringLiteral("HBL-7"),
                           QStringLiteral("JP"),
                           QStringLiteral("空运")};
    EXPECT_EQ(w->list().rows[0], expected);
    // The window shows the value it holds.
    for (int i = 0; i < kListFields; ++i)
        EXPECT_EQ(shownText(w->field(ListField(i), 0)), expected[std::size_t(i)]) << i;

    // The last row's country leads to copy all; its other keys type as usual.
    focus(w->QiYunGuo[9]);
    keys("CN");
    EXPECT_EQ(at(9, ListField::QiYunGuo), QStringLiteral("CN"));
    enter();
    EXPECT_TRUE(w->CmdC[0]->hasFocus());
    EXPECT_TRUE(env.prompts.messages.empty());
}

TEST_F(ListWindowTest, PackingTakesPicksAndChineseOnlyAndDropsOtherText)
{
    open();
    focus(w->BaoZhuang[2]);
    keys("3");
    EXPECT_EQ(at(2, ListField::BaoZhuang), QStringLiteral("其它"));
    EXPECT_EQ(focusedName(), "JianShu(2)");

    // A Chinese text that is no packing kind is cleared on leaving, silently,
    // and the focus stays.
    focus(w->BaoZhuang[4]);
    commit(QStringLiteral("木箱"));
    EXPECT_EQ(at(4, ListField::BaoZhuang), QStringLiteral("木箱"));
    key(Qt::Key_Tab);
    EXPECT_EQ(at(4, ListField::BaoZhuang), QString());
    EXPECT_EQ(shownText(w->BaoZhuang[4]), QString());
    EXPECT_TRUE(waitFor([this] { return w->BaoZhuang[4]->hasFocus(); }));
    EXPECT_TRUE(env.prompts.messages.empty());
    EXPECT_EQ(w->BaoZhuang[0]->toolTip(), QStringLiteral("可直接使用数字键输入。"));

    // Last: offscreen, the closed list keeps the input method's focus.
    ASSERT_TRUE(pickWithMouse(w->BaoZhuang[3], 0));
    EXPECT_EQ(at(3, ListField::BaoZhuang), QStringLiteral("托盘"));
    EXPECT_TRUE(waitFor([this] { return w->JianShu[3]->hasFocus(); }));
}

struct SlipCase {
    const char *name;
    const char *typed;
    const char *handTransport; // typed into 运输方式 first
    const char *warning;       // nullptr: none, the field may be left
    const char *stored;
    const char *transport;
    bool transportDisabled;
};

const SlipCase slipCases[] = {
    {"SeventeenMissesOne", "ab345678901234567", "", "场站单编号位数为18位，少了1位！",
     "ab345678901234567", "", false},
    {"FifteenMissesThree", "kj3456789012345", "", "场站单编号位数为18位，少了3位！",
     "kj3456789012345", "", false},
    {"AirCodeSecondPair", "abkj56789012345678", "", nullptr, "ABKJ56789012345678", "空运", true},
    {"LandCodeFirstPair", "lj3456789012345678", "", nullptr, "LJ3456789012345678", "陆运", true},
    {"LastMatchWins", "kjpj56789012345678", "", nullptr, "KJPJ56789012345678", "海运", true},
    {"HfIsSea", "HF3456789012345678", "", nullptr, "HF3456789012345678", "海运", true},
    {"CodeLaterIsNoCode", "1234kj789012345678", "ZT", nullptr, "1234KJ789012345678", "ZT", false},
    {"EmptyMayBeLeft", "", "ZT", nullptr, "", "ZT", false},
};

struct SlipNumberTest : ListWindowTest, ::testing::WithParamInterface<SlipCase> {};

TEST_P(SlipNumberTest, LeavingChecksLengthThenCapitalsAndTransport)
{
    const SlipCase &c = GetParam();
    open();
    focus(w->YunShuFangShi[1]);
    keys(c.handTransport);
    focus(w->BianHao[1]);
    keys(c.typed);
    enter();

    if (c.warning) {
        ASSERT_EQ(env.prompts.messages.size(), 1u);
        EXPECT_EQ(env.prompts.messages[0].text, QString::fromUtf8(c.warning));
        EXPECT_EQ(env.prompts.messages[0].icon, MsgIcon::Warning);
        EXPECT_TRUE(waitFor([this] { return w->BianHao[1]->hasFocus(); }));
    } else {
        EXPECT_TRUE(env.prompts.messages.empty());
        EXPECT_EQ(focusedName(), "HuoZhu(1)");
    }
    EXPECT_EQ(at(1, ListField::BianHao), QString::fromUtf8(c.stored));
    EXPECT_EQ(w->BianHao[1]->text(), QString::fromUtf8(c.stored));
    EXPECT_EQ(at(1, ListField::YunShuFangShi), QString::fromUtf8(c.transport));
    EXPECT_EQ(w->YunShuFangShi[1]->text(), QString::fromUtf8(c.transport));
    EXPECT_EQ(w->YunShuFangShi[1]->isEnabled(), !c.transportDisabled);
}

INSTANTIATE_TEST_SUITE_P(Cases, SlipNumberTest, ::testing::ValuesIn(slipCases),
                         [](const auto &info) { return testName(info.param.name); });

TEST_F(ListWindowTest, NewListEmptiesRowsButADerivedTransportStaysDisabled)
{
    open();
    focus(w->BianHao[0]);
    keys("abkj56789012345678");
    enter();
    keys("ACME");
    env.prompts.answer(MsgAnswer::No);
    click(w->CmdQ);
    EXPECT_EQ(at(0, ListField::HuoZhu), QStringLiteral("ACME"));

    env.prompts.answer(MsgAnswer::Yes);
    click(w->CmdQ);
    EXPECT_EQ(env.prompts.last()->text, QStringLiteral("将清空所有内容，是否继续？"));
    EXPECT_EQ(env.prompts.last()->defaultButton, MsgAnswer::No);
    EXPECT_EQ(w->list().rows[0], ListRow{});
    EXPECT_EQ(w->HuoZhu[0]->text(), QString());
    EXPECT_EQ(w->YunShuFangShi[0]->text(), QString());
    EXPECT_FALSE(w->YunShuFangShi[0]->isEnabled());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("新建清单"));
    EXPECT_EQ(w->RiQi->text(), QStringLiteral("2026-03-05"));

    // A new list has nothing to copy, and is copied only once archived.
    env.prompts.clearRecord();
    click(w->CmdC[0]);
    focus(w->BianHao[0]);
    keys("abkj56789012345678");
    click(w->CmdC[1]); // leaving the number derives row 1's transport
    EXPECT_EQ(env.prompts.texts(),
              (QStringList{QStringLiteral("无内容！"), QStringLiteral("请先存档！")}));
    EXPECT_EQ(env.clipboard.clears, 0);
}

TEST_F(ListWindowTest, OpeningRestoresTheStashAndShowsTheYear)
{
    ASSERT_TRUE(QDir().mkpath(env.ctx.listsDir() + QStringLiteral("/2025/11")));
    ASSERT_TRUE(QDir().mkpath(env.ctx.listsDir() + QStringLiteral("/2026/02")));
    ASSERT_TRUE(WriteKey(env.ctx.configIni(), QStringLiteral("清单报检"), QStringLiteral("货主3"),
                         QStringLiteral("ACME")));
    open();
    EXPECT_EQ(at(3, ListField::HuoZhu), QStringLiteral("ACME"));
    EXPECT_EQ(w->HuoZhu[3]->text(), QStringLiteral("ACME"));
    // The other 89 keys are added empty by the reading.
    EXPECT_EQ(stash(env, "运输方式9"), QString());
    EXPECT_EQ(stash(env, "货主3"), QStringLiteral("ACME"));
    EXPECT_EQ(w->Combo1->currentText(), QStringLiteral("2026"));
    EXPECT_EQ(w->Combo1->count(), 2);
    EXPECT_TRUE(w->Combo2->isEnabled());
    EXPECT_EQ(w->Combo2->count(), 1);
    EXPECT_FALSE(w->CmdP->isEnabled());
    EXPECT_FALSE(w->CmdN->isEnabled());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("新建清单"));
}

struct CloseCase {
    const char *name;
    bool ownerInRowOne;
    MsgAnswer answer;
    bool asked;
    bool stays;
    const char *stashedOwner; // 货主0 in the stash afterwards
};

const CloseCase closeCases[] = {
    {"CancelKeepsTheWindow", true, MsgAnswer::Cancel, true, true, "OLD"},
    {"YesStashesTheRows", true, MsgAnswer::Yes, true, false, "ACME"},
    {"NoClearsTheStash", true, MsgAnswer::No, true, false, "<missing>"},
    {"OnlyANumberAsksNothing", false, MsgAnswer::Yes, false, false, "OLD"},
};

struct CloseTest : ListWindowTest, ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseTest, ClosingAsksAboutTheStashOnlyForANewListWithAnOwner)
{
    const CloseCase &c = GetParam();
    ASSERT_TRUE(WriteKey(env.ctx.configIni(), QStringLiteral("清单报检"), QStringLiteral("货主0"),
                         QStringLiteral("OLD")));
    open();
    focus(w->BianHao[0]);
    keys("abkj56789012345678");
    enter();
    key(Qt::Key_A, Qt::ControlModifier);
    key(Qt::Key_Backspace);
    if (c.ownerInRowOne)
        keys("ACME");
    if (c.asked)
        env.prompts.answer(c.answer);
    int closed = 0;
    QObject::connect(w.get(), &ListWindow::closed, [&closed] { ++closed; });

    w->close();
    EXPECT_EQ(w->isVisible(), c.stays);
    EXPECT_EQ(closed, c.stays ? 0 : 1);
    if (c.asked) {
        ASSERT_EQ(env.prompts.messages.size(), 1u);
        const ShownMessage &m = env.prompts.messages[0];
        EXPECT_EQ(m.text, QStringLiteral("退出前是否需要暂存，以便下次继续录入？"));
        EXPECT_EQ(m.buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(m.defaultButton, MsgAnswer::Cancel);
        EXPECT_EQ(m.icon, MsgIcon::Warning);
    } else {
        EXPECT_TRUE(env.prompts.messages.empty());
    }
    EXPECT_TRUE(env.prompts.allAnswersUsed());
    EXPECT_EQ(stash(env, "货主0"), QString::fromUtf8(c.stashedOwner));
    if (c.answer == MsgAnswer::Yes && c.asked) {
        EXPECT_EQ(stash(env, "场站单编号0"), QStringLiteral("ABKJ56789012345678"));
        EXPECT_EQ(stash(env, "运输方式0"), QStringLiteral("空运"));
        EXPECT_EQ(stash(env, "重量9"), QString());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CloseTest, ::testing::ValuesIn(closeCases),
                         [](const auto &info) { return testName(info.param.name); });

TEST_F(ListWindowTest, FailedStashKeepsTheWindowAndSaysSo)
{
    open();
    focus(w->HuoZhu[0]);
    keys("ACME");
    ASSERT_TRUE(QDir(env.ctx.configDir()).removeRecursively());
    env.prompts.answer(MsgAnswer::Yes);
    w->close();
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(env.prompts.messages.size(), 2u);
    EXPECT_TRUE(env.prompts.messages[1].text.startsWith(QStringLiteral("暂存失败！")));
}

TEST_F(ListWindowTest, StoredListIsReadOnlyCopiedAndClosedWithoutAsking)
{
    open();
    ListRecord stored;
    stored.date = QStringLiteral("2026-03-04");
    stored.count = QStringLiteral("2");
    stored.rows[0] = {QStringLiteral("KJ0000000000000001"),
                      QStringLiteral("ACME"),
                      QStringLiteral("零件"),
                      QStringLiteral("纸箱"),
                      QStringLiteral("5"),
                      QStringLiteral("12"),
                      QStringLiteral("HB1"),
                      QStringLiteral("日本"),
                      QStringLiteral("空运")};
    stored.rows[1] = stored.rows[0];
    stored.rows[1][std::size_t(ListField::BaoZhuang)].clear();
    // A third stored row without a transport is shown but never copied.
    stored.rows[2][std::size_t(ListField::BianHao)] = QStringLiteral("kj123");
    stored.rows[2][std::size_t(ListField::BaoZhuang)] = QStringLiteral("木箱");
    w->showStored(stored, QStringLiteral("2026.03.05(1).dcq"), 3);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("2026.03.05(1).dcq"));
    EXPECT_EQ(w->ZongJi->text(), QStringLiteral("共 2 票"));
    EXPECT_EQ(w->RiQi->text(), QStringLiteral("2026-03-04"));

    focus(w->HuoZhu[1]);
    keys("Z");
    focus(w->BaoZhuang[1]);
    keys("1");
    focus(w->HuoZhu[3]);
    keys("Z");
    EXPECT_EQ(at(3, ListField::HuoZhu), QStringLiteral("Z"));
    // Stored texts that the rules would refuse are left alone, and no field
    // holds the focus it cannot correct.
    focus(w->BianHao[2]);
    key(Qt::Key_Tab);
    EXPECT_EQ(focusedName(), "HuoZhu(2)");
    focus(w->BaoZhuang[2]);
    key(Qt::Key_Tab);
    EXPECT_EQ(focusedName(), "JianShu(2)");
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(w->list().rows[std::size_t(row)], stored.rows[std::size_t(row)]) << row;
    EXPECT_TRUE(env.prompts.messages.empty());

    click(w->CmdC[0]);
    const QString row = QStringLiteral("KJ0000000000000001\tACME\t零件\t");
    EXPECT_EQ(env.clipboard.content, row + QStringLiteral("\t5\t\t5\t12\tHB1\t日本\t空运\n") + row +
                                         QStringLiteral("\t\t\t5\t12\tHB1\t日本\t空运"));
    click(w->CmdC[1]);
    EXPECT_EQ(env.clipboard.content,
              row + QStringLiteral("HB1\t日本\t空运\n") + row + QStringLiteral("HB1\t日本\t空运"));
    EXPECT_EQ(env.clipboard.clears, 2);
    EXPECT_EQ(env.prompts.texts(),
              QStringList(2, QStringLiteral("复制成功！现在可以粘贴到清单报检EXCEL表中啦！")));

    env.prompts.clearRecord();
    w->close();
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(env.prompts.messages.empty());
}

TEST_F(ListWindowTest, ArchivedListsAreBrowsedSteppedAndDeleted)
{
    open();
    const auto typeAndArchive = [&](const char *slip) {
        focus(w->BianHao[0]);
        keys(slip);
        key(Qt::Key_Tab); // the code names the transport
        env.prompts.answer(MsgAnswer::Yes);
        click(w->CmdS);
    };
    typeAndArchive("KJ0000000000000001");
    EXPECT_EQ(w->windowTitle(), QStringLiteral("2026.03.05(1).dcq"));
    EXPECT_EQ(w->ZongJi->text(), QStringLiteral("共 1 票"));
    click(w->CmdS);
    env.prompts.answer(MsgAnswer::Yes);
    click(w->CmdQ);
    typeAndArchive("LJ0000000000000002");
    const QString ask = QStringLiteral("是否保存本清单？"), saved = QStringLiteral("保存成功！");
    EXPECT_EQ(env.prompts.texts(),
              QStringList({ask, saved, QStringLiteral("已存档清单不能再次存档！"),
                           QStringLiteral("将清空所有内容，是否继续？"), ask, saved}));
    const QString month = env.ctx.listsDir() + QStringLiteral("/2026/03/");
    EXPECT_TRUE(QFileInfo::exists(month + QStringLiteral("2026.03.05(2).dcq")));

    ASSERT_TRUE(pickWithMouse(w->Combo2, 0));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("2026.03.05(1).dcq"));
    EXPECT_EQ(w->LiuLan->text(), QStringLiteral("1/2"));
    click(w->CmdP); // wraps around to the last
    EXPECT_EQ(w->LiuLan->text(), QStringLiteral("2/2"));
    EXPECT_EQ(at(0, ListField::BianHao), QStringLiteral("LJ0000000000000002"));

    env.prompts.clearRecord();
    env.prompts.answer(MsgAnswer::Yes);
    click(w->CmdD);
    EXPECT_EQ(env.prompts.texts(),
              QStringList{QStringLiteral("将删除“2026.03.05(2).dcq”，是否继续？")});
    EXPECT_FALSE(QFileInfo::exists(month + QStringLiteral("2026.03.05(2).dcq")));
    EXPECT_EQ(w->LiuLan->text(), QStringLiteral("1/1"));
    EXPECT_FALSE(w->CmdN->isEnabled());
}

struct ListOpeningTest : ::testing::Test, MainWindowHarness {
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(env.ctx.configDir()));
        build(attachListWindow);
    }
    void TearDown() override { destroy(); }
};

TEST_F(ListOpeningTest, MainWindowIsMinimisedWhileTheListIsOpen)
{
    showActive();
    click(page->CmdQD);
    auto *list = qobject_cast<ListWindow *>([] {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (top->objectName() == QLatin1String("QingDan") && top->isVisible())
                return top;
        }
        return static_cast<QWidget *>(nullptr);
    }());
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(page->isMinimized());
    EXPECT_EQ(list->windowTitle(), QStringLiteral("新建清单"));

    list->HuoZhu[0]->setText(QStringLiteral("ACME"));
    env.prompts.answer(MsgAnswer::Cancel);
    list->close();
    EXPECT_TRUE(page->isMinimized());

    QPointer<ListWindow> gone(list);
    env.prompts.answer(MsgAnswer::No);
    list->close();
    EXPECT_FALSE(page->isMinimized());
    EXPECT_TRUE(waitFor([&gone] { return gone.isNull(); }));
}

} // namespace
