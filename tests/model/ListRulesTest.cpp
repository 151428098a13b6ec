// The list editor's rules without a window, the two copy texts and the
// browsing position.
#include "model/ListRules.h"
#include "model/ListCopy.h"
#include "model/ListShelf.h"

#include "support/TestNames.h"

#include <QMap>
#include <gtest/gtest.h>

using namespace portdesk;
using portdesk::test::testName;

namespace {

// "a,b" as a list; "" as none.
QStringList names(const char *commaSeparated)
{
    return QString::fromUtf8(commaSeparated).split(u',', Qt::SkipEmptyParts);
}

struct TransportCase {
    const char *slip;
    const char *mode; // "" when nothing is derived
};

class ListTransport : public ::testing::TestWithParam<TransportCase> {};

TEST_P(ListTransport, DerivedFromTheSlipCodeLastMatchWins)
{
    const std::optional<QString> mode = transportFromSlip(QString::fromUtf8(GetParam().slip));
    EXPECT_EQ(mode.value_or(QString()), QString::fromUtf8(GetParam().mode));
}

INSTANTIATE_TEST_SUITE_P(
    List, ListTransport,
    ::testing::Values(
        TransportCase{"KJ0000000000000000", "空运"}, TransportCase{"00KJ00000000000000", "空运"},
        TransportCase{"LJ0000000000000000", "陆运"}, TransportCase{"00PJ00000000000000", "海运"},
        TransportCase{"HF0000000000000000", "海运"}, TransportCase{"KJPJ00000000000000", "海运"},
        TransportCase{"PJKJ00000000000000", "海运"}, TransportCase{"LJKJ00000000000000", "陆运"},
        TransportCase{"HFLJ00000000000000", "海运"}, TransportCase{"kj0000000000000000", "空运"},
        TransportCase{"0KJ000000000000000", ""}, TransportCase{"0000KJ000000000000", ""},
        TransportCase{"ABCD00000000000000", ""}, TransportCase{"K", ""}, TransportCase{"", ""}),
    [](const auto &info) { return std::to_string(info.index) + "_" + testName(info.param.slip); });

TEST(ListRules, SlipNumberMustHaveEighteenCharacters)
{
    const QMap<QString, QString> cases{
        {QString(), QString()},
        {QString(18, u'A'), QString()},
        {QString(17, u'A'), QStringLiteral("场站单编号位数为18位，少了1位！")},
        {QString(15, u'A'), QStringLiteral("场站单编号位数为18位，少了3位！")},
        {QStringLiteral("A"), QStringLiteral("场站单编号位数为18位，少了17位！")},
        {QString(19, u'A'), QString()},
    };
    for (auto it = cases.begin(); it != cases.end(); ++it)
        EXPECT_EQ(slipNumberProblem(it.key()).value_or(QString()), it.value()) << it.key().size();
}

TEST(ListRules, OnlyTheThreeKindsOrNothingArePacking)
{
    for (const char *good : {"", "托盘", "纸箱", "其它"})
        EXPECT_TRUE(isListPacking(QString::fromUtf8(good))) << good;
    for (const char *bad : {"其他", "纸", " 纸箱", "1", "木箱"})
        EXPECT_FALSE(isListPacking(QString::fromUtf8(bad))) << bad;
}

ListRecord copied()
{
    ListRecord list;
    const char *const packings[] = {"托盘", "纸箱", "其它", "", "木箱"};
    for (int r = 0; r < 5; ++r) {
        for (int f = 0; f < kListFields; ++f)
            list.at(r, ListField(f)) = QStringLiteral("%1%2").arg(QChar(u'a' + f)).arg(r);
        list.at(r, ListField::BaoZhuang) = QString::fromUtf8(packings[r]);
    }
    list.at(6, ListField::YunShuFangShi) = QStringLiteral("空运"); // after the gap
    list.at(5, ListField::BianHao) = QStringLiteral("没有运输方式");
    return list;
}

TEST(ListCopy, CopyAllPutsThePiecesUnderTheirPackingInElevenColumns)
{
    const QString expected = QStringLiteral("a0\tb0\tc0\te0\t\t\te0\tf0\tg0\th0\ti0\n"
                                            "a1\tb1\tc1\t\te1\t\te1\tf1\tg1\th1\ti1\n"
                                            "a2\tb2\tc2\t\t\te2\te2\tf2\tg2\th2\ti2\n"
                                            "a3\tb3\tc3\t\t\t\te3\tf3\tg3\th3\ti3\n"
                                            "a4\tb4\tc4\t\t\t\te4\tf4\tg4\th4\ti4");
    EXPECT_EQ(copyAllText(copied()), expected);
}

TEST(ListCopy, CopyPartGivesSixColumnsAndEmptyListsNothing)
{
    QString expected;
    for (int r = 0; r < 5; ++r)
        expected += QStringLiteral("a%1\tb%1\tc%1\tg%1\th%1\ti%1").arg(r) +
                    (r < 4 ? QStringLiteral("\n") : QString());
    EXPECT_EQ(copyPartText(copied()), expected);
    EXPECT_EQ(copyPartText(ListRecord{}), QString());
    EXPECT_EQ(copyAllText(ListRecord{}), QString());
}

// Folders as a table: path -> names.
class TableShelf final : public ListShelfReader {
public:
    QMap<QString, QStringList> dirs, fileNames;
    QStringList subfolders(const QString &folder) const override { return dirs.value(folder); }
    QStringList files(const QString &folder) const override { return fileNames.value(folder); }
};

TEST(ListShelf, YearsMonthsAndFilesInNameOrder)
{
    TableShelf shelf;
    shelf.dirs[QStringLiteral("r")] = names("2015,2014");
    shelf.dirs[QStringLiteral("r/2014")] = names("12,03");
    shelf.fileNames[QStringLiteral("r/2014/03")] = names("B.dcq,a.dcq");
    EXPECT_EQ(listYears(shelf, QStringLiteral("r")), names("2014,2015"));
    EXPECT_EQ(listMonths(shelf, QStringLiteral("r"), QStringLiteral("2014")), names("03,12"));
    EXPECT_TRUE(listMonths(shelf, QStringLiteral("r"), QStringLiteral("2015")).isEmpty());

    ListPosition pos;
    EXPECT_EQ(pos.line(), QString());
    pos.choose(shelf,
               listMonthPath(QStringLiteral("r"), QStringLiteral("2014"), QStringLiteral("03")));
    EXPECT_EQ(pos.files, names("a.dcq,B.dcq"));
    EXPECT_EQ(pos.selectedPath(), QStringLiteral("r/2014/03/a.dcq"));
    EXPECT_EQ(pos.line(), QStringLiteral("1/2"));
    EXPECT_TRUE(pos.canStep());

    pos.choose(shelf, QStringLiteral("r/2015/01"));
    EXPECT_EQ(pos.line(), QStringLiteral("无清单"));
    EXPECT_FALSE(pos.canStep());
    EXPECT_EQ(pos.next(), -1);
}

struct StepCase {
    const char *name;
    int count, selected, previous, next;
};

class ListSteps : public ::testing::TestWithParam<StepCase> {};

TEST_P(ListSteps, WrapAroundAtBothEnds)
{
    const StepCase &c = GetParam();
    ListPosition pos{QStringLiteral("m"), {}, -1};
    for (int i = 0; i < c.count; ++i)
        pos.files.append(QStringLiteral("%1.dcq").arg(i));
    pos.select(c.selected);
    EXPECT_EQ(pos.previous(), c.previous);
    EXPECT_EQ(pos.next(), c.next);
}

INSTANTIATE_TEST_SUITE_P(
    List, ListSteps,
    ::testing::Values(StepCase{"middle", 5, 2, 1, 3}, StepCase{"last", 3, 2, 1, 0},
                      StepCase{"first", 3, 0, 2, 1}, StepCase{"only", 1, 0, 0, 0},
                      StepCase{"noSelection", 4, -1, 3, 0}, StepCase{"outOfRange", 4, 7, 3, 0},
                      StepCase{"empty", 0, -1, -1, -1}),
    [](const auto &info) { return testName(info.param.name); });

TEST(ListShelf, RereadKeepsTheSelectionInTheList)
{
    TableShelf shelf;
    const QString m = QStringLiteral("m");
    shelf.fileNames[m] = names("1.dcq,2.dcq,3.dcq");
    ListPosition pos;
    pos.choose(shelf, m);

    struct Case {
        const char *files;
        int selectedBefore;
        const char *line;
    };
    const std::vector<Case> cases{
        {"1.dcq,3.dcq", 1, "2/2"},             // the selected file deleted: its successor
        {"1.dcq,2.dcq", 2, "2/2"},             // the last deleted: the new last
        {"0.dcq,1.dcq,2.dcq,3.dcq", 1, "3/4"}, // a new file before it: the same file
        {"", 0, "无清单"},
        {"1.dcq", -1, ""},
    };
    for (const Case &c : cases) {
        shelf.fileNames[m] = names("1.dcq,2.dcq,3.dcq");
        pos.reread(shelf);
        pos.select(c.selectedBefore);
        shelf.fileNames[m] = names(c.files);
        pos.reread(shelf);
        EXPECT_EQ(pos.line(), QString::fromUtf8(c.line)) << c.files;
        EXPECT_TRUE(pos.selected == -1 || pos.hasSelection());
    }
}

} // namespace
