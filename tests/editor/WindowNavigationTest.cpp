// The Enter path, end of a goods row, select-all, carry-down and capitals on
// leaving, driven through the real window.
#include "EditorWindow.h"
#include "support/TestNames.h"

#include <QSignalSpy>
#include <QStyleOption>

using namespace portdesk;
using namespace portdesk::test;

namespace {

class EnterPath : public EditorWindow {
protected:
    void expectEnter(const char *from, const char *to)
    {
        focus(QString::fromLatin1(from));
        enter();
        EXPECT_EQ(focused().toStdString(), to) << "Enter in " << from;
    }
    void walkRow(int row)
    {
        const QString r = QString::number(row);
        auto n = [&](const char *name) { return QString::fromLatin1(name) + '(' + r + ')'; };
        focus(n("MingCheng"));
        commit(QStringLiteral("阀门"));
        enter();
        EXPECT_EQ(focused(), n("BianMa"));
        keys("8481");
        enter();
        EXPECT_EQ(focused(), n("YuanChanGuo"));
        enter();
        EXPECT_EQ(focused(), n("ShuLiang"));
        keys("2");
        enter();
        EXPECT_EQ(focused(), n("SLdanwei"));
        enter();
        EXPECT_EQ(focused(), n("ZhongLiang"));
        keys("5");
        enter();
        EXPECT_EQ(focused(), n("ZLdanwei"));
        enter();
        EXPECT_EQ(focused(), n("ZongZhi"));
        enter();
        EXPECT_EQ(focused(), n("BiZhi"));
        // Enter never inserts anything.
        EXPECT_EQ(text(n("ShuLiang")), QStringLiteral("2"));
        EXPECT_EQ(text(n("MingCheng")), QStringLiteral("阀门"));
    }
};

TEST_F(EnterPath, ConsigneeMovesOnlyWhenFilled)
{
    expectEnter("ShouHuoRen", "ShouHuoRen");
    commit(QStringLiteral("甲公司"));
    enter();
    EXPECT_EQ(focused(), QStringLiteral("MingCheng(0)"));
}

TEST_F(EnterPath, FirstRowWalk)
{
    walkRow(0);
}

TEST_F(EnterPath, MiddleAndLastRowWalk)
{
    expand();
    walkRow(4);
    walkRow(9);
}

TEST_F(EnterPath, ZeroQuantityAndWeightSkipTheirUnits)
{
    focus(QStringLiteral("ShuLiang(0)"));
    keys("0");
    enter();
    EXPECT_EQ(focused(), QStringLiteral("ZhongLiang(0)"));
    keys("0.0");
    enter();
    EXPECT_EQ(focused(), QStringLiteral("ZongZhi(0)"));
    expectEnter("ShuLiang(0)", "ZhongLiang(0)"); // empty reads as 0 too
}

TEST_F(EnterPath, ShiftEnterMovesLikeEnter)
{
    focus(QStringLiteral("JianShu"));
    key(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(focused(), QStringLiteral("GongJin"));
    key(Qt::Key_Enter); // keypad Enter
    EXPECT_EQ(focused(), QStringLiteral("YunShuGongJu"));
}

TEST_F(EnterPath, PackingBranches)
{
    expectEnter("BZzhonglei(0)", "JianShu"); // count and second kind disabled
    focus(QStringLiteral("BZzhonglei(0)"));
    commit(QStringLiteral("木箱"));
    enter();
    EXPECT_EQ(focused(), QStringLiteral("BZshuliang(0)"));
    enter(); // count empty: second kind disabled, nothing happens
    EXPECT_EQ(focused(), QStringLiteral("BZshuliang(0)"));
    keys("12345");
    EXPECT_EQ(text(QStringLiteral("BZshuliang(0)")), QStringLiteral("1234"));
    enter();
    EXPECT_EQ(focused(), QStringLiteral("BZzhonglei(1)"));
    enter(); // second kind empty: its count is disabled
    EXPECT_EQ(focused(), QStringLiteral("JianShu"));
    focus(QStringLiteral("BZzhonglei(1)"));
    commit(QStringLiteral("纸箱"));
    enter();
    EXPECT_EQ(focused(), QStringLiteral("BZshuliang(1)"));
    enter();
    EXPECT_EQ(focused(), QStringLiteral("JianShu"));
    // Emptying the first kind empties its count, which disables the second kind.
    page->BZzhonglei[0]->setEditText(QString());
    expectEnter("BZzhonglei(0)", "JianShu");
}

TEST_F(EnterPath, TransportToPermitWithoutContainers)
{
    const std::pair<const char *, const char *> steps[] = {
        {"JianShu", "GongJin"},          {"GongJin", "YunShuGongJu"},
        {"YunShuGongJu", "TiYunDanHao"}, {"TiYunDanHao", "QiYunGuoJia"},
        {"QiYunGuoJia", "RuJingKouAn"},  {"RuJingKouAn", "HeTongHao"},
        {"HeTongHao", "MaoYiFangShi"},   {"MaoYiFangShi", "MaoYiGuoBie"},
        {"MaoYiGuoBie", "XuKeZheng"},    {"XuKeZheng", "DaYin"},
    };
    for (const auto &[from, to] : steps)
        expectEnter(from, to);
}

TEST_F(EnterPath, ContainerBranches)
{
    page->YunShuGongJu->setEditText(QStringLiteral("海运集装箱"));
    expectEnter("XuKeZheng", "JZXsl1");
    expectEnter("JZXsl1", "JZXsl2"); // no count: numbers disabled
    expectEnter("JZXsl2", "DaYin");
    focus(QStringLiteral("JZXsl1"));
    keys("2");
    enter();
    EXPECT_EQ(focused(), QStringLiteral("JZXhm1"));
    enter();
    EXPECT_EQ(focused(), QStringLiteral("JZXsl2"));
    keys("1");
    enter();
    EXPECT_EQ(focused(), QStringLiteral("JZXhm2"));
    enter();
    EXPECT_EQ(focused(), QStringLiteral("DaYin"));
}

TEST_F(EnterPath, ThePrintButtonReachedByEnterShowsItsFocusAndEnterPressesIt)
{
    QSignalSpy pressed(page->DaYin, &QToolButton::clicked);
    focus(QStringLiteral("XuKeZheng"));
    enter();
    ASSERT_EQ(focused(), QStringLiteral("DaYin"));
    // What the style draws a focus frame from.
    QStyleOptionToolButton look;
    look.initFrom(page->DaYin);
    EXPECT_TRUE(look.state & QStyle::State_HasFocus);
    EXPECT_TRUE(look.state & QStyle::State_KeyboardFocusChange);
    EXPECT_EQ(pressed.count(), 0);
    enter();
    EXPECT_EQ(pressed.count(), 1);
}

struct RowEnd {
    int row;
    bool expanded;
    bool byPick; // digit 1 in the currency instead of Enter
    const char *focusAfter;
    bool expandedAfter;
};

class RowEndInWindow : public EditorWindow, public ::testing::WithParamInterface<RowEnd> {};

TEST_P(RowEndInWindow, CurrencyEndsTheRow)
{
    const RowEnd c = GetParam();
    if (c.expanded)
        expand();
    const QString currency = QStringLiteral("BiZhi(%1)").arg(c.row);
    focus(currency);
    if (c.byPick)
        keys("1");
    else
        enter();
    EXPECT_EQ(focused().toStdString(), c.focusAfter);
    EXPECT_EQ(page->More->isChecked(), c.expandedAfter);
    EXPECT_EQ(page->goodsExpanded(), c.expandedAfter);
    EXPECT_EQ(text(currency), c.byPick ? QStringLiteral("美元") : QString());
}

INSTANTIATE_TEST_SUITE_P(Rows, RowEndInWindow,
                         ::testing::Values(RowEnd{0, false, false, "BZzhonglei(0)", false},
                                           RowEnd{0, false, true, "BZzhonglei(0)", false},
                                           RowEnd{0, true, false, "MingCheng(1)", true},
                                           RowEnd{0, true, true, "MingCheng(1)", true},
                                           RowEnd{1, true, false, "MingCheng(2)", true},
                                           RowEnd{1, true, true, "MingCheng(2)", true},
                                           RowEnd{8, true, false, "MingCheng(9)", true},
                                           RowEnd{9, true, false, "BZzhonglei(0)", false},
                                           RowEnd{9, true, true, "BZzhonglei(0)", false}),
                         [](const auto &info) {
                             const RowEnd &c = info.param;
                             return "BiZhi_" + std::to_string(c.row) +
                                    (c.expanded ? "_expanded" : "_collapsed") +
                                    (c.byPick ? "_pick" : "_enter");
                         });

TEST_F(EditorWindow, RowsBeyondTheFirstAreUnreachableWhileCollapsed)
{
    // With More off the currency of rows 2 to 10 cannot take the focus, so
    // only row 1's currency can end a row.
    EXPECT_FALSE(page->BiZhi[1]->isVisible());
    EXPECT_FALSE(page->BiZhi[9]->isVisible());
}

TEST_F(EditorWindow, FocusSelectsTheWholeText)
{
    page->ShuLiang[0]->setText(QStringLiteral("12"));
    page->HeTongHao->setText(QStringLiteral("HT-1"));
    page->BiZhi[0]->setEditText(QStringLiteral("美元"));
    for (const char *name : {"ShuLiang(0)", "HeTongHao", "BiZhi(0)"}) {
        focus(QStringLiteral("MingCheng(0)"));
        QWidget *w = field(QString::fromLatin1(name));
        w->setFocus(Qt::OtherFocusReason); // not a Tab: Qt would not select by itself
        QLineEdit *e = qobject_cast<QLineEdit *>(w);
        if (!e)
            e = qobject_cast<QComboBox *>(w)->lineEdit();
        EXPECT_EQ(e->selectedText(), text(QString::fromLatin1(name))) << name;
    }
    // Typing replaces the selected value.
    focus(QStringLiteral("MingCheng(0)"));
    page->ShuLiang[0]->setFocus(Qt::OtherFocusReason);
    keys("7");
    EXPECT_EQ(page->ShuLiang[0]->text(), QStringLiteral("7"));
}

TEST_F(EditorWindow, CarryDownFromTheRowAbove)
{
    expand();
    page->YuanChanGuo[0]->setText(QStringLiteral("德国"));
    page->BiZhi[0]->setEditText(QStringLiteral("欧元"));
    page->ShuLiang[0]->setText(QStringLiteral("1"));
    page->SLdanwei[0]->setEditText(QStringLiteral("台"));
    page->ZhongLiang[0]->setText(QStringLiteral("1"));
    page->ZLdanwei[0]->setEditText(QStringLiteral("千克"));
    page->ShuLiang[1]->setText(QStringLiteral("2"));
    page->ZhongLiang[1]->setText(QStringLiteral("2"));
    for (const char *name : {"YuanChanGuo", "SLdanwei", "ZLdanwei", "BiZhi"}) {
        const QString below = QString::fromLatin1(name) + QStringLiteral("(1)");
        const QString above = QString::fromLatin1(name) + QStringLiteral("(0)");
        focus(below);
        EXPECT_EQ(text(below), text(above)) << name;
    }
    // The carried value is selected: typing replaces it.
    focus(QStringLiteral("YuanChanGuo(1)"));
    commit(QStringLiteral("法国"));
    EXPECT_EQ(text(QStringLiteral("YuanChanGuo(1)")), QStringLiteral("法国"));
    // A filled field keeps its own value; an empty row above carries nothing.
    focus(QStringLiteral("MingCheng(0)"));
    focus(QStringLiteral("YuanChanGuo(1)"));
    EXPECT_EQ(text(QStringLiteral("YuanChanGuo(1)")), QStringLiteral("法国"));
    focus(QStringLiteral("BiZhi(3)"));
    EXPECT_EQ(text(QStringLiteral("BiZhi(3)")), QString());
    // Columns without the rule carry nothing.
    page->MingCheng[0]->setText(QStringLiteral("阀门"));
    focus(QStringLiteral("MingCheng(1)"));
    EXPECT_EQ(text(QStringLiteral("MingCheng(1)")), QString());
}

TEST_F(EditorWindow, FirstRowNeverCarries)
{
    focus(QStringLiteral("BiZhi(0)"));
    EXPECT_EQ(text(QStringLiteral("BiZhi(0)")), QString());
}

TEST_F(EditorWindow, CarriedUnitRunsItsRulesLikeTyping)
{
    expand();
    page->ShuLiang[0]->setText(QStringLiteral("1"));
    page->SLdanwei[0]->setEditText(QStringLiteral("个"));
    page->ShuLiang[1]->setText(QStringLiteral("1"));
    focus(QStringLiteral("SLdanwei(1)"));
    EXPECT_EQ(text(QStringLiteral("SLdanwei(1)")), QStringLiteral("个"));
    EXPECT_TRUE(page->SLdanwei[1]->isEnabled());
}

struct UpperCase {
    const char *field;
    const char *typed;
    const char *afterLeaving;
};

class LeavingField : public EditorWindow, public ::testing::WithParamInterface<UpperCase> {};

TEST_P(LeavingField, CapitalsOnLeave)
{
    const UpperCase c = GetParam();
    page->YunShuGongJu->setEditText(QStringLiteral("海运集装箱"));
    page->JZXsl1->setText(QStringLiteral("1"));
    page->JZXsl2->setText(QStringLiteral("1"));
    focus(QString::fromLatin1(c.field));
    keys(c.typed);
    EXPECT_EQ(text(QString::fromLatin1(c.field)).toStdString(), c.typed); // not while typing
    focus(QStringLiteral("ShouHuoRen"));
    EXPECT_EQ(text(QString::fromLatin1(c.field)).toStdString(), c.afterLeaving);
}

INSTANTIATE_TEST_SUITE_P(Fields, LeavingField,
                         ::testing::Values(UpperCase{"TiYunDanHao", "cosu 12ab ", "COSU 12AB "},
                                           UpperCase{"HeTongHao", "ht-2026/a", "HT-2026/A"},
                                           UpperCase{"XuKeZheng", "ccc2026x", "CCC2026X"},
                                           UpperCase{"JZXhm1", "abcu1234567", "ABCU1234567"},
                                           UpperCase{"JZXhm2", "msku7654321", "MSKU7654321"},
                                           UpperCase{"MingCheng(0)", "valve", "valve"}),
                         [](const auto &info) { return testName(info.param.field); });

TEST_F(EditorWindow, CapitalsLeaveChineseAlone)
{
    focus(QStringLiteral("HeTongHao"));
    commit(QStringLiteral("合同ab"));
    focus(QStringLiteral("ShouHuoRen"));
    EXPECT_EQ(page->HeTongHao->text(), QStringLiteral("合同AB"));
}

TEST_F(EditorWindow, KeyboardAloneFromConsigneeToPrint)
{
    QSignalSpy pressed(page->DaYin, &QToolButton::clicked);
    focus(QStringLiteral("ShouHuoRen"));
    commit(QStringLiteral("上海甲贸易有限公司"));
    enter();
    commit(QStringLiteral("离心泵"));
    enter();
    keys("8413709990");
    enter();
    commit(QStringLiteral("德国"));
    enter();
    keys("2");
    enter();
    keys("2"); // 台: picks and moves on
    EXPECT_EQ(focused(), QStringLiteral("ZhongLiang(0)"));
    keys("150.5");
    enter();
    keys("1"); // 千克
    EXPECT_EQ(focused(), QStringLiteral("ZongZhi(0)"));
    keys("12000");
    enter();
    keys("2"); // 欧元, ends the only row shown
    EXPECT_EQ(focused(), QStringLiteral("BZzhonglei(0)"));
    keys("1"); // 木托
    EXPECT_EQ(focused(), QStringLiteral("BZshuliang(0)"));
    keys("2");
    enter();
    EXPECT_EQ(focused(), QStringLiteral("BZzhonglei(1)"));
    enter();
    EXPECT_EQ(focused(), QStringLiteral("JianShu"));
    keys("2");
    enter();
    keys("180");
    enter();
    keys("3"); // 海运集装箱
    EXPECT_EQ(focused(), QStringLiteral("TiYunDanHao"));
    keys("cosu6123456780");
    enter();
    commit(QStringLiteral("德国"));
    enter();
    keys("1"); // 上海
    EXPECT_EQ(focused(), QStringLiteral("HeTongHao"));
    keys("de-2026-01");
    enter();
    keys("1"); // 一般贸易
    EXPECT_EQ(focused(), QStringLiteral("MaoYiGuoBie"));
    commit(QStringLiteral("德国"));
    enter();
    EXPECT_EQ(focused(), QStringLiteral("XuKeZheng"));
    enter();
    EXPECT_EQ(focused(), QStringLiteral("JZXsl1"));
    keys("1");
    enter();
    keys("tgHu1234567");
    enter();
    EXPECT_EQ(focused(), QStringLiteral("JZXsl2"));
    enter();
    EXPECT_EQ(focused(), QStringLiteral("DaYin"));
    enter();
    EXPECT_EQ(pressed.count(), 1);

    const std::pair<const char *, const char16_t *> record[] = {
        {"ShouHuoRen", u"上海甲贸易有限公司"},
        {"MingCheng(0)", u"离心泵"},
        {"BianMa(0)", u"8413709990"},
        {"YuanChanGuo(0)", u"德国"},
        {"ShuLiang(0)", u"2"},
        {"SLdanwei(0)", u"台"},
        {"ZhongLiang(0)", u"150.5"},
        {"ZLdanwei(0)", u"千克"},
        {"ZongZhi(0)", u"12000"},
        {"BiZhi(0)", u"欧元"},
        {"BZzhonglei(0)", u"木托"},
        {"BZshuliang(0)", u"2"},
        {"JianShu", u"2"},
        {"GongJin", u"180"},
        {"YunShuGongJu", u"海运集装箱"},
        {"TiYunDanHao", u"COSU6123456780"},
        {"QiYunGuoJia", u"德国"},
        {"RuJingKouAn", u"上海"},
        {"HeTongHao", u"DE-2026-01"},
        {"MaoYiFangShi", u"一般贸易"},
        {"MaoYiGuoBie", u"德国"},
        {"JZXsl1", u"1"},
        {"JZXhm1", u"TGHU1234567"},
    };
    for (const auto &[name, value] : record)
        EXPECT_EQ(text(QString::fromLatin1(name)), QString::fromUtf16(value)) << name;
    EXPECT_EQ(page->HeJi[0]->text(), QStringLiteral("2"));
    EXPECT_EQ(page->HeJi[2]->text(), QStringLiteral("12000"));
}

} // namespace
