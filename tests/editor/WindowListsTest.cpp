// The pick lists on the real window: digit picks in every list, mouse picks,
// typed values, tooltips.
#include "EditorWindow.h"

#include "model/CodeLists.h"
#include "support/ListActions.h"
#include "support/TestNames.h"

#include <QAbstractItemView>

using namespace portdesk;
using namespace portdesk::test;

namespace {

struct ListCase {
    const char *field;
    const char *listName;
    const char *movesTo;
    bool expanded;
    // Fields set first so that the list is enabled.
    std::vector<std::pair<const char *, const char *>> setup;
};

class QuickPicks : public EditorWindow, public ::testing::WithParamInterface<ListCase> {};

TEST_P(QuickPicks, EveryDigitOfEveryList)
{
    const ListCase c = GetParam();
    const QStringList items = codeList(QString::fromLatin1(c.listName))->items;
    if (c.expanded)
        expand();
    for (const auto &[name, value] : c.setup) {
        if (auto *e = edit(QString::fromLatin1(name)))
            e->setText(QString::fromLatin1(value));
    }
    const QString fieldName = QString::fromLatin1(c.field);
    for (char digit = '0'; digit <= '9'; ++digit) {
        focus(fieldName);
        list(fieldName)->setEditText(QString());
        const char typed[] = {digit, 0};
        keys(typed);
        const int n = digit - '0';
        if (n >= 1 && n <= items.size()) {
            EXPECT_EQ(text(fieldName), items.at(n - 1)) << c.field << " digit " << digit;
            EXPECT_EQ(focused().toStdString(), c.movesTo) << c.field << " digit " << digit;
            if (c.expanded && !page->More->isChecked())
                expand();
        } else {
            EXPECT_EQ(text(fieldName), QString()) << c.field << " digit " << digit;
            EXPECT_EQ(focused(), fieldName) << c.field << " digit " << digit;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, QuickPicks,
    ::testing::Values(
        ListCase{"SLdanwei(0)", "SLdanwei", "ZhongLiang(0)", false, {{"ShuLiang(0)", "1"}}},
        ListCase{"SLdanwei(6)", "SLdanwei", "ZhongLiang(6)", true, {{"ShuLiang(6)", "1"}}},
        ListCase{"ZLdanwei(0)", "ZLdanwei", "ZongZhi(0)", false, {{"ZhongLiang(0)", "1"}}},
        ListCase{"ZLdanwei(9)", "ZLdanwei", "ZongZhi(9)", true, {{"ZhongLiang(9)", "2"}}},
        ListCase{"BiZhi(0)", "BiZhi", "BZzhonglei(0)", false, {}},
        ListCase{"BiZhi(3)", "BiZhi", "MingCheng(4)", true, {}},
        ListCase{"BZzhonglei(0)", "BZzhonglei", "BZshuliang(0)", false, {}},
        ListCase{"BZzhonglei(1)", "BZzhonglei", "BZshuliang(1)", false, {{"BZshuliang(0)", "1"}}},
        ListCase{"YunShuGongJu", "YunShuGongJu", "TiYunDanHao", false, {}},
        ListCase{"RuJingKouAn", "RuJingKouAn", "HeTongHao", false, {}},
        ListCase{"MaoYiFangShi", "MaoYiFangShi", "MaoYiGuoBie", false, {}}),
    [](const auto &info) { return testName(info.param.field); });

TEST_F(EditorWindow, ListsHoldTheFixedItemsAndStartEmpty)
{
    for (const CodeList &l : codeLists()) {
        const int count = QString::fromLatin1(l.field) == QLatin1String("BZzhonglei") ? 2
                          : l.tooltipOnAll                                            ? 1
                                                                                      : 10;
        for (int i = 0; i < count; ++i) {
            const QString name = count == 1
                                     ? QString::fromLatin1(l.field)
                                     : QStringLiteral("%1(%2)").arg(QLatin1String(l.field)).arg(i);
            QComboBox *combo = list(name);
            ASSERT_NE(combo, nullptr) << name.toStdString();
            QStringList items;
            for (int k = 0; k < combo->count(); ++k)
                items << combo->itemText(k);
            EXPECT_EQ(items, l.items) << name.toStdString();
            EXPECT_EQ(combo->currentText(), QString()) << name.toStdString();
            EXPECT_EQ(combo->toolTip() == quickPickTooltip(), i == 0 || count != 10)
                << name.toStdString();
        }
    }
}

TEST_F(EditorWindow, DigitPickReplacesTypedText)
{
    focus(QStringLiteral("BiZhi(0)"));
    commit(QStringLiteral("港币"));
    EXPECT_EQ(text(QStringLiteral("BiZhi(0)")), QStringLiteral("港币"));
    EXPECT_EQ(focused(), QStringLiteral("BiZhi(0)")); // typing is no pick
    keys("1");
    EXPECT_EQ(text(QStringLiteral("BiZhi(0)")), QStringLiteral("美元"));
    EXPECT_EQ(focused(), QStringLiteral("BZzhonglei(0)"));
}

TEST_F(EditorWindow, DigitPickOfTheCurrentItemStillPicks)
{
    page->MaoYiFangShi->setCurrentIndex(3);
    page->MaoYiFangShi->setEditText(QStringLiteral("外商投资"));
    focus(QStringLiteral("MaoYiFangShi"));
    keys("4");
    EXPECT_EQ(focused(), QStringLiteral("MaoYiGuoBie"));
    EXPECT_EQ(page->TeShuCaiLiao->text(),
              QStringLiteral("需要：外商投资企业进口设备审核表（复印件）"));
}

TEST_F(EditorWindow, DigitCommittedByAnInputMethodPicksToo)
{
    focus(QStringLiteral("RuJingKouAn"));
    commit(QStringLiteral("2"));
    EXPECT_EQ(text(QStringLiteral("RuJingKouAn")), QStringLiteral("深圳"));
    EXPECT_EQ(focused(), QStringLiteral("HeTongHao"));
}

TEST_F(EditorWindow, FreeChineseInAList)
{
    focus(QStringLiteral("RuJingKouAn"));
    commit(QStringLiteral("宁波"));
    keys("x");
    EXPECT_EQ(text(QStringLiteral("RuJingKouAn")), QStringLiteral("宁波"));
    EXPECT_EQ(page->RuJingKouAn->count(), 2); // typed values never join the list
}

TEST_F(EditorWindow, MousePickFromTheOpenedList)
{
    focus(QStringLiteral("YunShuGongJu"));
    ASSERT_TRUE(pickWithMouse(page->YunShuGongJu, 2));
    EXPECT_EQ(page->YunShuGongJu->currentText(), QStringLiteral("海运集装箱"));
    EXPECT_EQ(focused(), QStringLiteral("TiYunDanHao"));
    EXPECT_TRUE(page->JiZhuangXiang->isEnabled());
}

TEST_F(EditorWindow, LeavingAListWithAnItemsTextIsNoPick)
{
    focus(QStringLiteral("YunShuGongJu"));
    commit(QStringLiteral("海运集装箱"));
    EXPECT_TRUE(page->JiZhuangXiang->isEnabled()); // the text rule ran
    focus(QStringLiteral("JianShu"));
    QApplication::processEvents();
    EXPECT_EQ(focused(), QStringLiteral("JianShu"));
}

TEST_F(EditorWindow, OwnTextTooltips)
{
    page->ShuLiang[0]->setText(QStringLiteral("12.5"));
    EXPECT_EQ(page->ShuLiang[0]->toolTip(), QStringLiteral("12.5"));
    page->ShuLiang[0]->clear();
    EXPECT_EQ(page->ShuLiang[0]->toolTip(), QString());
    focus(QStringLiteral("MingCheng(0)"));
    commit(QStringLiteral("一种很长的货物名称"));
    EXPECT_EQ(page->MingCheng[0]->toolTip(), QStringLiteral("一种很长的货物名称"));
    page->QiYunGuoJia->setText(QStringLiteral("德国"));
    EXPECT_EQ(page->QiYunGuoJia->toolTip(), QString()); // not a member
}

} // namespace
