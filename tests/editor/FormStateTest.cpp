// The window's derived state as a function of the declaration value.
#include "editor/FormState.h"
#include "editor/Hints.h"

#include <gtest/gtest.h>

using namespace portdesk;

namespace {

TEST(FormState, ALoadKeepsEveryTextAndEnablesByTextOrSource)
{
    Declaration d;
    d.rows[0].ShuLiang = QStringLiteral("0");
    d.rows[0].SLdanwei = QStringLiteral("个"); // its own text enables it
    d.rows[1].ZhongLiang = QStringLiteral("1.5");
    d.rows[4].MingCheng = QStringLiteral("垫圈");
    d.packing[0].BZshuliang = QStringLiteral("3"); // kind empty: disabled, kept
    d.MaoYiFangShi = QStringLiteral("外商投资");
    d.XuKeZheng = QStringLiteral("A1");
    const FormState s = loadedState(d);
    EXPECT_FALSE(s.disabled.contains(QStringLiteral("SLdanwei(0)")));
    EXPECT_FALSE(s.disabled.contains(QStringLiteral("ZLdanwei(1)")));
    EXPECT_TRUE(s.disabled.contains(QStringLiteral("ZLdanwei(0)")));
    EXPECT_TRUE(s.disabled.contains(QStringLiteral("BZshuliang(0)")));
    EXPECT_FALSE(s.disabled.contains(QStringLiteral("BZzhonglei(1)")));
    EXPECT_TRUE(s.disabled.contains(QStringLiteral("JiZhuangXiang")));
    EXPECT_EQ(s.totals[1], QStringLiteral("1.5"));
    EXPECT_TRUE(s.moreMark);
    EXPECT_EQ(s.hint, permitHint(d.XuKeZheng)); // the permit's hint wins
    EXPECT_TRUE(s.tradeAlert);
}

TEST(FormState, AnEditEmptiesWhatItsRulesEmptyAndRunsTheirRulesInTurn)
{
    Declaration d;
    d.YunShuGongJu = containerTransport();
    d.JZXsl1 = QStringLiteral("2");
    d.JZXhm1 = QStringLiteral("TGHU1");
    d.rows[3] = {"阀门", "", "", "2", "台", "", "", "", ""};
    FormState s = loadedState(d);
    ASSERT_FALSE(s.disabled.contains(QStringLiteral("JZXhm1")));

    d.YunShuGongJu = QStringLiteral("船舶");
    s = editedState(s, d, {QStringLiteral("YunShuGongJu"), -1});
    EXPECT_TRUE(d.JZXsl1.isEmpty() && d.JZXhm1.isEmpty());
    EXPECT_TRUE(s.disabled.contains(QStringLiteral("JiZhuangXiang")));
    EXPECT_TRUE(s.disabled.contains(QStringLiteral("JZXhm1"))); // its count was emptied

    d.rows[3].ShuLiang = QStringLiteral("0");
    s = editedState(s, d, {QStringLiteral("ShuLiang"), 3});
    EXPECT_TRUE(d.rows[3].SLdanwei.isEmpty());
    EXPECT_TRUE(s.disabled.contains(QStringLiteral("SLdanwei(3)")));
    EXPECT_TRUE(s.totals[0].isEmpty());

    // The mark follows the row that changed; an emptied unit keeps its state.
    d.rows[3].MingCheng.clear();
    s = editedState(s, d, {QStringLiteral("MingCheng"), 3});
    EXPECT_FALSE(s.moreMark);
    d.rows[5].SLdanwei = QStringLiteral("个");
    s = editedState(s, d, {QStringLiteral("SLdanwei"), 5});
    d.rows[5].SLdanwei.clear();
    s = editedState(s, d, {QStringLiteral("SLdanwei"), 5});
    EXPECT_FALSE(s.disabled.contains(QStringLiteral("SLdanwei(5)")));
}

} // namespace
