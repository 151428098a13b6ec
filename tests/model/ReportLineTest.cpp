// The report line: which text lands in which of the 17 cells for the
// transport, container, value and fee variants.
#include "model/ReportLine.h"

#include "support/TestNames.h"

#include <functional>
#include <gtest/gtest.h>

using namespace portdesk;
using portdesk::test::testName;

namespace {

ReportSources archived()
{
    ReportSources s;
    Declaration &d = s.declaration;
    d[DeclField::ShouHuoRen] = QStringLiteral("昆山华安");
    d.setRow(0, {QStringLiteral("模具配件"), QStringLiteral("8480719090"), QStringLiteral("德国"),
                 QStringLiteral("2"), QStringLiteral("台"), QStringLiteral("150"),
                 QStringLiteral("千克"), QStringLiteral("12000"), QStringLiteral("美元")});
    d.at(DeclField::BZshuliang, 0) = QStringLiteral("2");
    d.at(DeclField::BZzhonglei, 0) = QStringLiteral("木箱");
    d.at(DeclField::BZshuliang, 1) = QStringLiteral("3");
    d.at(DeclField::BZzhonglei, 1) = QStringLiteral("纸箱");
    d[DeclField::YunShuGongJu] = QStringLiteral("飞机");
    d[DeclField::TiYunDanHao] = QStringLiteral("176-12345675");
    d[DeclField::HeTongHao] = QStringLiteral("HT-1");
    d[DeclField::MaoYiFangShi] = QStringLiteral("一般贸易");
    d[DeclField::QiYunGuoJia] = QStringLiteral("德国");
    s.number = QStringLiteral("123456");
    s.date = QStringLiteral("2014-03-05");
    s.fees = {QStringLiteral("50"), QStringLiteral("120.5"), QString(), QStringLiteral("30")};
    return s;
}

void containerShip(Declaration &d)
{
    d[DeclField::YunShuGongJu] = QStringLiteral("海运集装箱");
}

struct Case {
    const char *name;
    std::function<void(ReportSources &)> change;
    int cell; // 1-based, as the report's columns are counted
    QString expected;
};

class ReportLineCells : public ::testing::TestWithParam<Case> {};

TEST_P(ReportLineCells, CellHoldsItsText)
{
    ReportSources s = archived();
    GetParam().change(s);
    const QStringList cells = reportLine(s).split(u'\t');
    ASSERT_EQ(cells.size(), 17) << reportLine(s).toStdString();
    EXPECT_EQ(cells[GetParam().cell - 1], GetParam().expected);
}

const auto noChange = [](ReportSources &) {};

INSTANTIATE_TEST_SUITE_P(
    Report, ReportLineCells,
    ::testing::Values(
        Case{"number_first", noChange, 1, QStringLiteral("123456")},
        Case{"packing_joined", noChange, 7, QStringLiteral("2木箱3纸箱")},
        Case{"other_transport_as_typed", noChange, 8, QStringLiteral("飞机")},
        Case{"other_transport_bill_of_lading",
             [](ReportSources &s) { s.declaration[DeclField::JZXhm1] = QStringLiteral("C1"); }, 12,
             QStringLiteral("176-12345675")},
        Case{"container_ship_short", [](ReportSources &s) { containerShip(s.declaration); }, 8,
             QStringLiteral("海集")},
        Case{"both_container_sizes",
             [](ReportSources &s) {
                 containerShip(s.declaration);
                 s.declaration[DeclField::JZXsl1] = QStringLiteral("2");
                 s.declaration[DeclField::JZXhm1] = QStringLiteral("ABCU1234567");
                 s.declaration[DeclField::JZXsl2] = QStringLiteral("1");
                 s.declaration[DeclField::JZXhm2] = QStringLiteral("XYZU7654321");
             },
             12, QStringLiteral("20'×2：ABCU1234567丨40'×1：XYZU7654321")},
        Case{"only_forty_foot",
             [](ReportSources &s) {
                 containerShip(s.declaration);
                 s.declaration[DeclField::JZXsl2] = QStringLiteral("1");
                 s.declaration[DeclField::JZXhm2] = QStringLiteral("XYZU7654321");
             },
             12, QStringLiteral("40'×1：XYZU7654321")},
        Case{"no_containers_empty", [](ReportSources &s) { containerShip(s.declaration); }, 12,
             QString()},
        Case{"one_currency_total",
             [](ReportSources &s) {
                 s.declaration.at(DeclField::ZongZhi, 1) = QStringLiteral("3000.50");
                 s.declaration.at(DeclField::BiZhi, 1) = QStringLiteral("美元");
             },
             6, QStringLiteral("15000.5美元")},
        Case{"currencies_apart",
             [](ReportSources &s) {
                 s.declaration.at(DeclField::ZongZhi, 1) = QStringLiteral("3000.50");
                 s.declaration.at(DeclField::BiZhi, 1) = QStringLiteral("欧元");
                 s.declaration.at(DeclField::ZongZhi, 2) = QStringLiteral("1");
                 s.declaration.at(DeclField::BiZhi, 2) = QStringLiteral("美元");
             },
             6, QStringLiteral("12001美元+3000.5欧元")},
        Case{"no_value_no_total",
             [](ReportSources &s) { s.declaration.at(DeclField::ZongZhi, 0).clear(); }, 6,
             QStringLiteral("美元")},
        Case{"empty_fee_cell_kept", noChange, 15, QString()},
        Case{"value_means_inspection", noChange, 17, QStringLiteral("法检")},
        Case{"no_value_general",
             [](ReportSources &s) { s.declaration.at(DeclField::ZongZhi, 0).clear(); }, 17,
             QStringLiteral("一般报检")}),
    [](const auto &info) { return testName(info.param.name); });

TEST(ReportLine, NoFeesLeavesFourEmptyCellsAndNoLineEnd)
{
    ReportSources s = archived();
    s.fees = {};
    const QString line = reportLine(s);
    EXPECT_TRUE(line.endsWith(QStringLiteral("176-12345675\t\t\t\t\t法检"))) << line.toStdString();
    EXPECT_FALSE(line.contains(u'\n') || line.contains(u'\r'));
}

} // namespace
