// The list sheet's lines: one a ticket, eleven or six cells whatever the
// packing holds, only the leading filled rows.
#include "lists/ListCopyText.h"
#include "support/TestNames.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace portdesk;
using namespace portdesk::test;

namespace {

ListRow ticket(const char *packing, const char *transport)
{
    return {QStringLiteral("KJ0000000000000001"),
            QStringLiteral("ACME"),
            QStringLiteral("零件"),
            QString::fromUtf8(packing),
            QStringLiteral("5"),
            QStringLiteral("12.5"),
            QStringLiteral("HB1"),
            QStringLiteral("日本"),
            QString::fromUtf8(transport)};
}

struct CopyCase {
    const char *name;
    const char *packing;
    const char *allCells; // cells 4 to 7 of copy all
};

const CopyCase copyCases[] = {
    {"Pallet", "托盘", "5\t\t\t5"},
    {"Carton", "纸箱", "\t5\t\t5"},
    {"Other", "其它", "\t\t5\t5"},
    {"EmptyPackingKeepsElevenColumns", "", "\t\t\t5"},
};

struct CopyTextTest : ::testing::TestWithParam<CopyCase> {};

TEST_P(CopyTextTest, EachTicketIsOneLineOfItsColumns)
{
    const CopyCase &c = GetParam();
    ListRecord list;
    list.rows[0] = ticket(c.packing, "空运");
    list.rows[1] = ticket(c.packing, "海运");
    list.rows[3] = ticket(c.packing, "陆运"); // after an empty transport: not copied

    const QString head = QStringLiteral("KJ0000000000000001\tACME\t零件\t");
    const QString all =
        head + QString::fromUtf8(c.allCells) + QStringLiteral("\t12.5\tHB1\t日本\t");
    EXPECT_EQ(listCopyAll(list), all + QStringLiteral("空运\n") + all + QStringLiteral("海运"));
    for (const QString &line : listCopyAll(list).split(QLatin1Char('\n')))
        EXPECT_EQ(line.count(QLatin1Char('\t')), 10);

    const QString part = head + QStringLiteral("HB1\t日本\t");
    EXPECT_EQ(listCopyPart(list), part + QStringLiteral("空运\n") + part + QStringLiteral("海运"));
}

INSTANTIATE_TEST_SUITE_P(Cases, CopyTextTest, ::testing::ValuesIn(copyCases),
                         [](const auto &info) { return testName(info.param.name); });

} // namespace
