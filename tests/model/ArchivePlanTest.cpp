// What archiving decides before it touches a file: the clerk's number and
// date, the archive's folder and name, the full number for the clipboard.
#include "model/ArchivePlan.h"

#include "support/TestNames.h"

#include <gtest/gtest.h>

using namespace portdesk;
using portdesk::test::testName;

namespace {

struct DateCase {
    const char *typed;
    const char *stored; // "" when refused
};

class DeclarationDate : public ::testing::TestWithParam<DateCase> {};

TEST_P(DeclarationDate, ReadAndStoredAsIso)
{
    const std::optional<QDate> date = readDeclarationDate(QString::fromUtf8(GetParam().typed));
    EXPECT_EQ(date ? declarationDateText(*date) : QString(), QString::fromUtf8(GetParam().stored));
}

INSTANTIATE_TEST_SUITE_P(
    Archive, DeclarationDate,
    ::testing::Values(DateCase{"2014-03-05", "2014-03-05"}, DateCase{"2014/3/5", "2014-03-05"},
                      DateCase{"2014.12.31", "2014-12-31"}, DateCase{"20140305", "2014-03-05"},
                      DateCase{"2014年3月5日", "2014-03-05"}, DateCase{" 2014-3-5 ", "2014-03-05"},
                      DateCase{"2014-02-30", ""}, DateCase{"2014-13-01", ""},
                      DateCase{"14-3-5", ""}, DateCase{"2014-3", ""}, DateCase{"", ""},
                      DateCase{"明天", ""}),
    [](const auto &info) { return std::to_string(info.index) + "_" + testName(info.param.typed); });

TEST(ArchivePlan, NumberIsExactlySixDigits)
{
    EXPECT_TRUE(isDeclarationNumber(QStringLiteral("012345")));
    for (const char *wrong : {"12345", "1234567", "12345a", " 12345", "１２３４５６", ""})
        EXPECT_FALSE(isDeclarationNumber(QString::fromUtf8(wrong))) << wrong;
}

TEST(ArchivePlan, FolderNameAndFullNumber)
{
    const QDate date(2014, 3, 5);
    EXPECT_EQ(archiveFolder(QStringLiteral("/w"), date),
              QStringLiteral("/w/Saved/Archived/2014/03"));
    EXPECT_EQ(archiveFileName(QStringLiteral("123456"), QStringLiteral("上海某公司"), date),
              QStringLiteral("123456上海某公司(2014-03-05).dcl"));
    // The consignee follows the file-name rules: no folder separator survives.
    EXPECT_FALSE(
        archiveFileName(QStringLiteral("123456"), QStringLiteral("A/B\\C"), date).contains(u'/'));
    EXPECT_EQ(
        fullDeclarationNumber(QString(), QStringLiteral("2014-03-05"), QStringLiteral("123456")),
        QStringLiteral("320200114123456000"));
    EXPECT_EQ(fullDeclarationNumber(QStringLiteral("3101"), QStringLiteral("2009-11-30"),
                                    QStringLiteral("000001")),
              QStringLiteral("310109000001000"));
}

} // namespace
