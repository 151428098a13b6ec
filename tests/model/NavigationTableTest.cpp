// Where Enter and list picks move the focus, on a model of the form.
#include "model/Navigation.h"
#include "support/TestNames.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <set>

using namespace portdesk;
using portdesk::test::testName;

namespace {

struct Form {
    std::set<QString> disabled; // objectNames
    std::map<QString, QString> texts;
    bool expanded = false;

    NavView view() const
    {
        NavView v;
        v.enabled = [this](const FieldRef &f) { return !disabled.count(f.objectName()); };
        v.text = [this](const FieldRef &f) {
            auto it = texts.find(f.objectName());
            return it == texts.end() ? QString() : it->second;
        };
        v.goodsExpanded = expanded;
        return v;
    }
};

QString moveOf(const NavOutcome &o)
{
    switch (o.kind) {
    case NavOutcome::Nothing:
        return QStringLiteral("-");
    case NavOutcome::Focus:
        return o.target.objectName();
    case NavOutcome::Collapse:
        return QStringLiteral("collapse");
    case NavOutcome::Press:
        return QStringLiteral("press");
    }
    return {};
}

struct EnterCase {
    const char *from;
    const char *disabled; // comma-separated objectNames
    const char *text;     // text of the field left
    const char *expect;
};

class EnterTable : public ::testing::TestWithParam<EnterCase> {};

TEST_P(EnterTable, MovesAsTheTableSays)
{
    const EnterCase c = GetParam();
    Form f;
    for (const QString &d : QString::fromLatin1(c.disabled).split(',', Qt::SkipEmptyParts))
        f.disabled.insert(d);
    const FieldRef from = parseFieldRef(QString::fromLatin1(c.from));
    f.texts[from.objectName()] = QString::fromUtf8(c.text);
    EXPECT_EQ(moveOf(enterOutcome(from, f.view())).toStdString(), c.expect) << c.from;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EnterTable,
    ::testing::Values(
        EnterCase{"ShouHuoRen", "", "", "-"}, EnterCase{"ShouHuoRen", "", "甲公司", "MingCheng(0)"},
        EnterCase{"MingCheng(0)", "", "", "BianMa(0)"},
        EnterCase{"MingCheng(4)", "", "", "BianMa(4)"},
        EnterCase{"BianMa(2)", "", "", "YuanChanGuo(2)"},
        EnterCase{"YuanChanGuo(9)", "", "", "ShuLiang(9)"},
        EnterCase{"ShuLiang(3)", "", "", "SLdanwei(3)"},
        EnterCase{"ShuLiang(3)", "SLdanwei(3)", "", "ZhongLiang(3)"},
        EnterCase{"ShuLiang(3)", "SLdanwei(4)", "", "SLdanwei(3)"},
        EnterCase{"SLdanwei(1)", "", "", "ZhongLiang(1)"},
        EnterCase{"ZhongLiang(5)", "", "", "ZLdanwei(5)"},
        EnterCase{"ZhongLiang(5)", "ZLdanwei(5)", "", "ZongZhi(5)"},
        EnterCase{"ZLdanwei(0)", "", "", "ZongZhi(0)"}, EnterCase{"ZongZhi(8)", "", "", "BiZhi(8)"},
        EnterCase{"BZzhonglei(0)", "", "", "BZshuliang(0)"},
        EnterCase{"BZzhonglei(0)", "BZshuliang(0)", "", "BZzhonglei(1)"},
        EnterCase{"BZzhonglei(0)", "BZshuliang(0),BZzhonglei(1)", "", "JianShu"},
        EnterCase{"BZshuliang(0)", "", "", "BZzhonglei(1)"},
        EnterCase{"BZshuliang(0)", "BZzhonglei(1)", "", "-"},
        EnterCase{"BZzhonglei(1)", "", "", "BZshuliang(1)"},
        EnterCase{"BZzhonglei(1)", "BZshuliang(1)", "", "JianShu"},
        EnterCase{"BZshuliang(1)", "", "", "JianShu"}, EnterCase{"JianShu", "", "", "GongJin"},
        EnterCase{"GongJin", "", "", "YunShuGongJu"},
        EnterCase{"YunShuGongJu", "", "", "TiYunDanHao"},
        EnterCase{"TiYunDanHao", "", "", "QiYunGuoJia"},
        EnterCase{"QiYunGuoJia", "", "", "RuJingKouAn"},
        EnterCase{"RuJingKouAn", "", "", "HeTongHao"},
        EnterCase{"HeTongHao", "", "", "MaoYiFangShi"},
        EnterCase{"MaoYiFangShi", "", "", "MaoYiGuoBie"},
        EnterCase{"MaoYiGuoBie", "", "", "XuKeZheng"}, EnterCase{"XuKeZheng", "", "", "JZXsl1"},
        EnterCase{"XuKeZheng", "JZXsl1", "", "DaYin"}, EnterCase{"JZXsl1", "", "", "JZXhm1"},
        EnterCase{"JZXsl1", "JZXhm1", "", "JZXsl2"}, EnterCase{"JZXhm1", "", "", "JZXsl2"},
        EnterCase{"JZXsl2", "", "", "JZXhm2"}, EnterCase{"JZXsl2", "JZXhm2", "", "DaYin"},
        EnterCase{"JZXhm2", "", "", "DaYin"}, EnterCase{"DaYin", "", "", "press"},
        EnterCase{"More", "", "", "-"}),
    [](const auto &info) {
        const EnterCase &c = info.param;
        std::string name = testName(c.from);
        if (*c.disabled)
            name += "_without_" + testName(c.disabled);
        if (*c.text)
            name += "_filled";
        return name;
    });

struct RowEndCase {
    int row;
    bool expanded;
    const char *expect;
};

class EndOfRow : public ::testing::TestWithParam<RowEndCase> {};

TEST_P(EndOfRow, EnterAndPickInTheCurrencyAgree)
{
    const RowEndCase c = GetParam();
    Form f;
    f.expanded = c.expanded;
    const FieldRef from{QStringLiteral("BiZhi"), c.row};
    EXPECT_EQ(moveOf(enterOutcome(from, f.view())).toStdString(), c.expect);
    EXPECT_EQ(moveOf(pickOutcome(from, f.view())).toStdString(), c.expect);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EndOfRow,
    ::testing::Values(RowEndCase{0, false, "BZzhonglei(0)"}, RowEndCase{0, true, "MingCheng(1)"},
                      RowEndCase{1, true, "MingCheng(2)"}, RowEndCase{1, false, "MingCheng(2)"},
                      RowEndCase{8, true, "MingCheng(9)"}, RowEndCase{9, true, "collapse"},
                      RowEndCase{9, false, "collapse"}),
    [](const auto &info) {
        return "BiZhi_" + std::to_string(info.param.row) +
               (info.param.expanded ? "_expanded" : "_collapsed");
    });

struct PickCase {
    const char *from;
    const char *expect;
};

class PickMoves : public ::testing::TestWithParam<PickCase> {};

TEST_P(PickMoves, ListPickMovesFocus)
{
    const PickCase c = GetParam();
    Form f;
    // A pick enables the packing count itself, so its state is not asked.
    f.disabled = {QStringLiteral("BZshuliang(0)"), QStringLiteral("BZshuliang(1)")};
    EXPECT_EQ(
        moveOf(pickOutcome(parseFieldRef(QString::fromLatin1(c.from)), f.view())).toStdString(),
        c.expect);
}

INSTANTIATE_TEST_SUITE_P(Lists, PickMoves,
                         ::testing::Values(PickCase{"ShouHuoRen", "MingCheng(0)"},
                                           PickCase{"SLdanwei(4)", "ZhongLiang(4)"},
                                           PickCase{"ZLdanwei(7)", "ZongZhi(7)"},
                                           PickCase{"BZzhonglei(0)", "BZshuliang(0)"},
                                           PickCase{"BZzhonglei(1)", "BZshuliang(1)"},
                                           PickCase{"YunShuGongJu", "TiYunDanHao"},
                                           PickCase{"RuJingKouAn", "HeTongHao"},
                                           PickCase{"MaoYiFangShi", "MaoYiGuoBie"},
                                           PickCase{"MingCheng(0)", "-"}),
                         [](const auto &info) { return testName(info.param.from); });

TEST(EnterFields, CoverEveryRowAndThePrintButton)
{
    const auto fields = enterFields();
    auto has = [&](const char *name) {
        const FieldRef r = parseFieldRef(QString::fromLatin1(name));
        return std::find(fields.begin(), fields.end(), r) != fields.end();
    };
    EXPECT_TRUE(has("MingCheng(9)"));
    EXPECT_TRUE(has("BiZhi(0)"));
    EXPECT_TRUE(has("BZshuliang(1)"));
    EXPECT_TRUE(has("DaYin"));
    EXPECT_FALSE(has("MingCheng(10)"));
    EXPECT_FALSE(has("More"));
}

TEST(FieldRef, NamesRoundTrip)
{
    EXPECT_EQ(FieldRef({QStringLiteral("MingCheng"), 3}).objectName(),
              QStringLiteral("MingCheng(3)"));
    EXPECT_EQ(parseFieldRef(QStringLiteral("BZzhonglei(1)")),
              FieldRef({QStringLiteral("BZzhonglei"), 1}));
    EXPECT_EQ(parseFieldRef(QStringLiteral("JianShu")), FieldRef({QStringLiteral("JianShu"), -1}));
}

} // namespace
