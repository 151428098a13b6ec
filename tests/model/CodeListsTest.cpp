// The pick lists, their digits, the field table and the hints.
#include "model/CodeLists.h"
#include "model/FieldRules.h"
#include "model/Hints.h"
#include "platform/WebPages.h"

#include <QUrl>
#include <gtest/gtest.h>

using namespace portdesk;

namespace {

TEST(QuickPick, DigitsWithinTheListOnly)
{
    const QStringList ports = codeList(QStringLiteral("RuJingKouAn"))->items;
    EXPECT_EQ(quickPickIndex(ports, U'1'), 0);
    EXPECT_EQ(quickPickIndex(ports, U'2'), 1);
    EXPECT_EQ(quickPickIndex(ports, U'3'), -1);
    EXPECT_EQ(quickPickIndex(ports, U'0'), -1);
    EXPECT_EQ(quickPickIndex(ports, U'a'), -1);
    EXPECT_EQ(quickPickIndex(ports, U'１'), -1); // full-width digit is no key digit
    const QStringList modes = codeList(QStringLiteral("MaoYiFangShi"))->items;
    EXPECT_EQ(quickPickIndex(modes, U'7'), 6);
    EXPECT_EQ(quickPickIndex(modes, U'8'), -1);
    EXPECT_EQ(quickPickIndex(modes, U'9'), -1);
}

TEST(QuickPick, TooltipOnFirstRowAndSingleLists)
{
    EXPECT_TRUE(showsQuickPickTooltip(QStringLiteral("BiZhi"), 0));
    EXPECT_FALSE(showsQuickPickTooltip(QStringLiteral("BiZhi"), 1));
    EXPECT_FALSE(showsQuickPickTooltip(QStringLiteral("SLdanwei"), 9));
    EXPECT_TRUE(showsQuickPickTooltip(QStringLiteral("BZzhonglei"), 1));
    EXPECT_TRUE(showsQuickPickTooltip(QStringLiteral("MaoYiFangShi"), -1));
    EXPECT_FALSE(showsQuickPickTooltip(QStringLiteral("MingCheng"), 0));
    EXPECT_EQ(quickPickTooltip(), QStringLiteral("可直接使用数字键输入。"));
}

TEST(FieldTable, ListsTakeChineseAfterTheirPick)
{
    for (const CodeList &l : codeLists()) {
        const FieldSpec *r = fieldSpec(QString::fromLatin1(l.field));
        ASSERT_NE(r, nullptr) << l.field;
        EXPECT_TRUE(r->quickPick()) << l.field;
        EXPECT_EQ(r->filter, CharClass::Chinese) << l.field;
    }
    for (const FieldSpec &r : formSchema())
        EXPECT_EQ(r.quickPick(), codeList(QString::fromLatin1(r.name)) != nullptr) << r.name;
}

TEST(FieldTable, LimitsAndFilters)
{
    struct Row {
        const char *name;
        CharClass cls;
        int limit;
    };
    const Row rows[] = {
        {"MingCheng", CharClass::Any, 0},       {"BianMa", CharClass::Digit, 10},
        {"YuanChanGuo", CharClass::Chinese, 5}, {"ShuLiang", CharClass::Decimal, 0},
        {"ZhongLiang", CharClass::Decimal, 0},  {"ZongZhi", CharClass::Decimal, 20},
        {"BZshuliang", CharClass::Digit, 4},    {"JianShu", CharClass::Digit, 5},
        {"GongJin", CharClass::Decimal, 10},    {"TiYunDanHao", CharClass::Any, 20},
        {"QiYunGuoJia", CharClass::Chinese, 5}, {"HeTongHao", CharClass::Any, 20},
        {"MaoYiGuoBie", CharClass::Chinese, 5}, {"XuKeZheng", CharClass::Any, 12},
        {"JZXsl1", CharClass::Digit, 2},        {"JZXsl2", CharClass::Digit, 2},
        {"JZXhm1", CharClass::Any, 11},         {"JZXhm2", CharClass::Any, 11},
        {"ShouHuoRen", CharClass::Any, 0},
    };
    for (const Row &row : rows) {
        const FieldSpec *r = fieldSpec(QString::fromLatin1(row.name));
        ASSERT_NE(r, nullptr) << row.name;
        EXPECT_EQ(r->filter, row.cls) << row.name;
        EXPECT_EQ(r->maxLength, row.limit) << row.name;
    }
}

TEST(FieldTable, FocusAndLeaveMembers)
{
    std::vector<std::string> upper, carry, none, tip;
    for (const FieldSpec &r : formSchema()) {
        if (r.upperOnLeave)
            upper.push_back(r.name);
        if (r.onFocus == FocusRule::SelectAllCarryDown)
            carry.push_back(r.name);
        if (r.onFocus == FocusRule::None)
            none.push_back(r.name);
        if (r.tooltipOwnText)
            tip.push_back(r.name);
    }
    using V = std::vector<std::string>;
    EXPECT_EQ(upper, (V{"TiYunDanHao", "HeTongHao", "XuKeZheng", "JZXhm1", "JZXhm2"}));
    EXPECT_EQ(carry, (V{"YuanChanGuo", "SLdanwei", "ZLdanwei", "BiZhi"}));
    EXPECT_EQ(none, (V{"ShouHuoRen", "YunShuGongJu", "MaoYiFangShi"}));
    EXPECT_EQ(tip, (V{"MingCheng", "BianMa", "ShuLiang", "ZhongLiang", "ZongZhi", "JianShu",
                      "GongJin", "TiYunDanHao", "HeTongHao", "XuKeZheng"}));
    EXPECT_EQ(ruledFields().size(), 9u * 10 + 2 * 2 + 15);
}

TEST(FieldTable, UpperCaseTouchesOnlyLatinLetters)
{
    EXPECT_EQ(upperAscii(QStringLiteral("msku1234567")), QStringLiteral("MSKU1234567"));
    EXPECT_EQ(upperAscii(QStringLiteral(" ab中ｃ-9 ")), QStringLiteral(" AB中ｃ-9 "));
}

TEST(FieldTable, CarryDownOnlyIntoEmptyLaterRows)
{
    EXPECT_EQ(carriedDown(1, QString(), QStringLiteral("美元")), QStringLiteral("美元"));
    EXPECT_EQ(carriedDown(0, QString(), QStringLiteral("美元")), QString());
    EXPECT_EQ(carriedDown(2, QStringLiteral("欧元"), QStringLiteral("美元")), QString());
    EXPECT_EQ(carriedDown(9, QString(), QString()), QString());
}

TEST(Hints, TradeModeComparedExactly)
{
    EXPECT_EQ(tradeModeHint(QStringLiteral("外商投资")).hint,
              QStringLiteral("需要：外商投资企业进口设备审核表（复印件）"));
    EXPECT_TRUE(tradeModeHint(QStringLiteral("外商投资")).needsPapers);
    EXPECT_EQ(tradeModeHint(QStringLiteral("退运货物")).hint,
              QStringLiteral("需要：出口退运货物情况登记表、原出口报关单（复印件）"));
    for (const QString &other : {QStringLiteral("外商"), QStringLiteral("外商投资 "),
                                 QStringLiteral("一般贸易"), QString()}) {
        EXPECT_TRUE(tradeModeHint(other).hint.isEmpty());
        EXPECT_FALSE(tradeModeHint(other).needsPapers);
    }
}

TEST(Hints, PermitNeedsCccPapers)
{
    EXPECT_EQ(permitHint(QStringLiteral("A")),
              QStringLiteral("需要：CCC证书 或 免CCC证 或 目录外核查书、声明 "
                             "（进口能源效率标识产品目录外声明、识别记录）"));
    EXPECT_TRUE(permitHint(QString()).isEmpty());
}

TEST(Hints, LookUpAddressesAreWebPagesWithTheirPaths)
{
    const QUrl query(hsCodeQueryUrl());
    ASSERT_TRUE(query.isValid());
    EXPECT_TRUE(query.scheme().startsWith(QStringLiteral("http")));
    EXPECT_FALSE(query.host().isEmpty());
    EXPECT_EQ(query.path(), QStringLiteral("/hsquery/hs-code-query.jsp"));
    const QUrl portal(declarationPortalUrl());
    ASSERT_TRUE(portal.isValid());
    EXPECT_FALSE(portal.host().isEmpty());
    EXPECT_EQ(portal.path(), QStringLiteral("/"));
    const QUrl enterprise(enterpriseCodeQueryUrl());
    EXPECT_EQ(enterprise.host(), query.host());
    EXPECT_EQ(enterprise.path(), QStringLiteral("/xhquery/code-query.jsp"));
}

} // namespace
