// The month's report: which declarations it holds and in which order, how
// its cells become workbook values, and the fees' sums.
#include "model/MonthReport.h"

#include "support/MonthArchive.h"
#include "support/TestEnv.h"
#include "support/TestNames.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace portdesk;
using namespace portdesk::test;

namespace {

using Fees = std::array<const char *, kFeeCount>;

ReportSources declaration(const char *number, const char *date, Fees fees = {"", "", "", ""})
{
    ReportSources s;
    s.declaration[DeclField::ShouHuoRen] = QStringLiteral("昆山华安");
    s.declaration.at(DeclField::ZongZhi, 0) = QStringLiteral("8000");
    s.declaration.at(DeclField::BiZhi, 0) = QStringLiteral("欧元");
    s.number = QString::fromUtf8(number);
    s.date = QString::fromUtf8(date);
    for (int i = 0; i < kFeeCount; ++i)
        s.fees[std::size_t(i)] = QString::fromUtf8(fees[std::size_t(i)]);
    return s;
}

QStringList numbersOf(const MonthReport &r)
{
    QStringList numbers;
    for (const QStringList &cells : r.rows)
        numbers << cells[0];
    return numbers;
}

struct OrderCase {
    const char *name;
    std::vector<ReportSources> given;
    QStringList expected; // numbers, in report order
};

class MonthReportOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(MonthReportOrder, ByDateThenNumber)
{
    EXPECT_EQ(numbersOf(buildMonthReport(GetParam().given)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Report, MonthReportOrder,
    ::testing::Values(
        OrderCase{"days_before_numbers",
                  {declaration("000001", "2014-03-20"), declaration("999999", "2014-03-05")},
                  {QStringLiteral("999999"), QStringLiteral("000001")}},
        OrderCase{"same_day_by_number",
                  {declaration("300000", "2014-03-05"), declaration("100000", "2014-03-05"),
                   declaration("200000", "2014-03-05")},
                  {QStringLiteral("100000"), QStringLiteral("200000"), QStringLiteral("300000")}},
        // As text "2014-3-9" would sort after "2014-03-10".
        OrderCase{"typed_date_by_its_day",
                  {declaration("000001", "2014-03-10"), declaration("000002", "2014-3-9")},
                  {QStringLiteral("000002"), QStringLiteral("000001")}},
        OrderCase{"same_day_typed_apart_by_number",
                  {declaration("000002", "2014-03-05"), declaration("000001", "2014-3-5")},
                  {QStringLiteral("000001"), QStringLiteral("000002")}},
        OrderCase{"unreadable_date_last",
                  {declaration("000001", "三月"), declaration("000002", "2014-03-31")},
                  {QStringLiteral("000002"), QStringLiteral("000001")}},
        OrderCase{"empty_month", {}, {}}),
    [](const auto &info) { return testName(info.param.name); });

struct CellCase {
    const char *name;
    std::function<void(ReportSources &)> change;
    int column; // 0-based
    QString text;
    std::optional<double> number;
    QString unit;
};

class MonthReportCells : public ::testing::TestWithParam<CellCase> {};

// The workbook shows what the one-line copy pastes; only where that reads as
// one number does the cell become a number the sheet can sum.
TEST_P(MonthReportCells, AsTheLineShowsThem)
{
    const CellCase &c = GetParam();
    ReportSources s = declaration("123456", "2014-03-05", {"50", "120.5", "", "12元"});
    c.change(s);
    const MonthReport report = buildMonthReport({s});
    const std::vector<WorkbookRow> sheet = monthReportSheet(report);
    ASSERT_EQ(sheet.size(), 3u); // header, the declaration, the sums
    ASSERT_EQ(sheet[1].size(), std::size_t(kReportColumns));
    const WorkbookCell &cell = sheet[1][std::size_t(c.column)];
    EXPECT_EQ(cell.text, reportLine(s).split(u'\t')[c.column]);
    EXPECT_EQ(cell.text, c.text);
    EXPECT_EQ(cell.number, c.number);
    EXPECT_EQ(cell.unit, c.unit);
}

const auto same = [](ReportSources &) {};

INSTANTIATE_TEST_SUITE_P(
    Report, MonthReportCells,
    ::testing::Values(CellCase{"value_with_its_currency", same, 5, QStringLiteral("8000欧元"),
                               8000.0, QStringLiteral("欧元")},
                      CellCase{"several_currencies_stay_text",
                               [](ReportSources &s) {
                                   s.declaration.at(DeclField::ZongZhi, 1) =
                                       QStringLiteral("100.5");
                                   s.declaration.at(DeclField::BiZhi, 1) = QStringLiteral("美元");
                               },
                               5, QStringLiteral("8000欧元+100.5美元"), std::nullopt, QString()},
                      CellCase{
                          "no_value_is_text",
                          [](ReportSources &s) { s.declaration.at(DeclField::ZongZhi, 0).clear(); },
                          5, QStringLiteral("欧元"), std::nullopt, QString()},
                      CellCase{"fee_number", same, 13, QStringLiteral("120.5"), 120.5, QString()},
                      CellCase{"empty_fee_empty", same, 14, QString(), std::nullopt, QString()},
                      CellCase{"fee_with_text_as_typed", same, 15, QStringLiteral("12元"),
                               std::nullopt, QString()}),
    [](const auto &info) { return testName(info.param.name); });

TEST(MonthReport, SheetNamesColumnsAndSumsTheFees)
{
    const MonthReport report =
        buildMonthReport({declaration("000001", "2014-03-05", {"50", "120.5", "", "12元"}),
                          declaration("000002", "2014-03-06", {"0.25", "", "7", "3"})});
    const std::vector<WorkbookRow> sheet = monthReportSheet(report);
    ASSERT_EQ(sheet.size(), 4u);
    EXPECT_EQ(sheet.front()[0].text, QStringLiteral("报检号"));
    EXPECT_EQ(sheet.front()[12].text, QStringLiteral("检通输单费"));
    EXPECT_EQ(sheet.front().size(), std::size_t(kReportColumns));
    const WorkbookRow &sums = sheet.back();
    EXPECT_EQ(sums[0].text, QStringLiteral("合计"));
    const std::optional<double> expected[] = {50.25, 120.5, 7.0, 3.0}; // "12元" is no number
    for (int i = 0; i < kFeeCount; ++i)
        EXPECT_EQ(sums[std::size_t(12 + i)].number, expected[i]) << i;
    EXPECT_EQ(monthReportText(report),
              reportLine(declaration("000001", "2014-03-05", {"50", "120.5", "", "12元"})) + u'\n' +
                  reportLine(declaration("000002", "2014-03-06", {"0.25", "", "7", "3"})));
}

TEST(MonthReport, MonthAsTheClerkTypesIt)
{
    const QDate march(2014, 3, 1);
    for (const char *text : {"2014-03", "2014-3", "2014/3", "201403", "2014年3月", " 2014.03 "})
        EXPECT_EQ(readReportMonth(QString::fromUtf8(text)), march) << text;
    for (const char *text : {"2014-13", "2014-00", "14-03", "2014-03-05", "", "三月"})
        EXPECT_FALSE(readReportMonth(QString::fromUtf8(text))) << text;
}

// Each file read once, nothing written; a file that is no declaration stops
// the report rather than leave it short.
TEST(MonthReport, ReadsTheMonthsFolderOnly)
{
    TestEnv env;
    const QString wd = env.ctx.workDir;
    const QString a = archiveInMonth(wd, QStringLiteral("2014-03"), QStringLiteral("a.dcl"),
                                     declaration("000002", "2014-03-05", {"1", "", "", ""}));
    const QString b = archiveInMonth(wd, QStringLiteral("2014-03"), QStringLiteral("b.dcl"),
                                     declaration("000001", "2014-03-05"));
    ASSERT_FALSE(archiveInMonth(wd, QStringLiteral("2014-04"), QStringLiteral("c.dcl"),
                                declaration("000003", "2014-04-01"))
                     .isEmpty());
    ASSERT_FALSE(a.isEmpty() || b.isEmpty());
    const QByteArray bBytes = readBytes(b);

    MonthReport report;
    QString error;
    ASSERT_TRUE(readMonthReport(wd, QDate(2014, 3, 1), report, &error)) << error.toStdString();
    EXPECT_EQ(numbersOf(report), (QStringList{QStringLiteral("000001"), QStringLiteral("000002")}));
    EXPECT_EQ(report.feeSums[0], 1.0);
    EXPECT_EQ(readBytes(b), bBytes); // its missing fee keys are not added

    ASSERT_TRUE(readMonthReport(wd, QDate(2015, 1, 1), report, &error));
    EXPECT_TRUE(report.rows.empty());

    const QString broken = QFileInfo(a).path() + QStringLiteral("/broken.dcl");
    ASSERT_TRUE(writeBytes(broken, "[other]\r\nkey=1\r\n"));
    EXPECT_FALSE(readMonthReport(wd, QDate(2014, 3, 1), report, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("broken.dcl"))) << error.toStdString();
}

} // namespace
