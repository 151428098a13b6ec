// The window's derived state as a function of the declaration value.
#include "model/FormState.h"
#include "model/Hints.h"

#include <gtest/gtest.h>

using namespace portdesk;

namespace {

TEST(FormState, ALoadKeepsEveryTextAndEnablesByTextOrSource)
{
    Declaration d;
    d.at(DeclField::ShuLiang, 0) = QStringLiteral("0");
    d.at(DeclField::SLdanwei, 0) = QStringLiteral("个"); // its own text enables it
    d.at(DeclField::ZhongLiang, 1) = QStringLiteral("1.5");
    d.at(DeclField::MingCheng, 4) = QStringLiteral("垫圈");
    d.at(DeclField::BZshuliang, 0) = QStringLiteral("3"); // kind empty: disabled, kept
    d[DeclField::MaoYiFangShi] = QStringLiteral("外商投资");
    d[DeclField::XuKeZheng] = QStringLiteral("A1");
    const FormState s = loadedState(d);
    EXPECT_FALSE(s.disabled.contains(QStringLiteral("SLdanwei(0)")));
    EXPECT_FALSE(s.disabled.contains(QStringLiteral("ZLdanwei(1)")));
    EXPECT_TRUE(s.disabled.contains(QStringLiteral("ZLdanwei(0)")));
    EXPECT_TRUE(s.disabled.contains(QStringLiteral("BZshuliang(0)")));
    EXPECT_FALSE(s.disabled.contains(QStringLiteral("BZzhonglei(1)")));
    EXPECT_TRUE(s.disabled.contains(QStringLiteral("JiZhuangXiang")));
    EXPECT_EQ(s.totals[1], QStringLiteral("1.5"));
    EXPECT_TRUE(s.moreMark);
    EXPECT_EQ(s.hint, permitHint(d[DeclField::XuKeZheng])); // the permit's hint wins
    EXPECT_TRUE(s.tradeAlert);
}

TEST(FormState, AnEditEmptiesWhatItsRulesEmptyAndRunsTheirRulesInTurn)
{
    Declaration d;
    d[DeclField::YunShuGongJu] = containerTransport();
    d[DeclField::JZXsl1] = QStringLiteral("2");
    d[DeclField::JZXhm1] = QStringLiteral("TGHU1");
    d.setRow(3, {"阀门", "", "", "2", "台", "", "", "", ""});
    FormState s = loadedState(d);
    ASSERT_FALSE(s.disabled.contains(QStringLiteral("JZXhm1")));

    d[DeclField::YunShuGongJu] = QStringLiteral("船舶");
    s = editedState(s, d, {QStringLiteral("YunShuGongJu"), -1});
    EXPECT_TRUE(d[DeclField::JZXsl1].isEmpty() && d[DeclField::JZXhm1].isEmpty());
    EXPECT_TRUE(s.disabled.contains(QStringLiteral("JiZhuangXiang")));
    EXPECT_TRUE(s.disabled.contains(QStringLiteral("JZXhm1"))); // its count was emptied

    d.at(DeclField::ShuLiang, 3) = QStringLiteral("0");
    s = editedState(s, d, {QStringLiteral("ShuLiang"), 3});
    EXPECT_TRUE(d.at(DeclField::SLdanwei, 3).isEmpty());
    EXPECT_TRUE(s.disabled.contains(QStringLiteral("SLdanwei(3)")));
    EXPECT_TRUE(s.totals[0].isEmpty());

    // The mark follows the row that changed; an emptied unit keeps its state.
    d.at(DeclField::MingCheng, 3).clear();
    s = editedState(s, d, {QStringLiteral("MingCheng"), 3});
    EXPECT_FALSE(s.moreMark);
    d.at(DeclField::SLdanwei, 5) = QStringLiteral("个");
    s = editedState(s, d, {QStringLiteral("SLdanwei"), 5});
    d.at(DeclField::SLdanwei, 5).clear();
    s = editedState(s, d, {QStringLiteral("SLdanwei"), 5});
    EXPECT_FALSE(s.disabled.contains(QStringLiteral("SLdanwei(5)")));
}

} // namespace
