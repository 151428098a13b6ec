// The print command's checks: the first failing one, in the fixed order,
// names the message and the field that takes the cursor.
#include "model/PrintChecks.h"

#include <functional>
#include <gtest/gtest.h>

using namespace portdesk;

namespace {

const QStringList registered{QStringLiteral("ACME"), QStringLiteral("昆山华安")};

// A declaration that passes every check.
Declaration passing()
{
    Declaration d;
    d[DeclField::ShouHuoRen] = QStringLiteral("昆山华安");
    d.setRow(0, {QStringLiteral("模具配件"), QStringLiteral("8480719090"), QStringLiteral("德国"),
                 QStringLiteral("2"), QStringLiteral("台"), QStringLiteral("150"),
                 QStringLiteral("千克"), QStringLiteral("8000"), QStringLiteral("欧元")});
    for (int row = 1; row < 4; ++row) {
        for (const DeclField column : goodsFamilies())
            d.at(column, row) = d.at(column, 0);
    }
    d.at(DeclField::BZzhonglei, 0) = QStringLiteral("木箱");
    d.at(DeclField::BZshuliang, 0) = QStringLiteral("2");
    d[DeclField::JianShu] = QStringLiteral("2");
    d[DeclField::GongJin] = QStringLiteral("180");
    d[DeclField::YunShuGongJu] = QStringLiteral("飞机");
    d[DeclField::TiYunDanHao] = QStringLiteral("176-12345675");
    d[DeclField::QiYunGuoJia] = QStringLiteral("德国");
    d[DeclField::RuJingKouAn] = QStringLiteral("上海");
    d[DeclField::MaoYiFangShi] = QStringLiteral("一般贸易");
    d[DeclField::MaoYiGuoBie] = QStringLiteral("德国");
    return d;
}

struct Case {
    const char *what;
    std::function<void(Declaration &)> change;
    const char *message; // nullptr: passes
    FieldRef focus;
    QStringList consignees = registered;
};

FieldRef f(const char *name, int index = -1)
{
    return {QString::fromLatin1(name), index};
}

const QString currency = QStringLiteral("币制不能为空！");

} // namespace

TEST(PrintChecks, FirstFailingCheckInOrder)
{
    const Case cases[] = {
        {"complete declaration", [](Declaration &) {}, nullptr, {}},
        {"empty consignee", [](Declaration &d) { d[DeclField::ShouHuoRen].clear(); },
         "收货人不能为空！", f("ShouHuoRen")},
        {"consignee typed by hand",
         [](Declaration &d) { d[DeclField::ShouHuoRen] = QStringLiteral("昆山华"); },
         "收货人不存在！", f("ShouHuoRen")},
        {"consignee differing in case",
         [](Declaration &d) { d[DeclField::ShouHuoRen] = QStringLiteral("acme"); },
         "收货人不存在！", f("ShouHuoRen")},
        {"empty consignee list", [](Declaration &) {}, "收货人不存在！", f("ShouHuoRen"), {}},
        {"no first goods name, before everything after it",
         [](Declaration &d) {
             d.at(DeclField::MingCheng, 0).clear();
             d.at(DeclField::BiZhi, 0).clear();
         },
         "货物名称不能为空！", f("MingCheng", 0)},
        {"no first currency, before the rows' checks",
         [](Declaration &d) {
             d.at(DeclField::BiZhi, 0).clear();
             d.at(DeclField::BianMa, 0) = QStringLiteral("123");
         },
         "币制不能为空！", f("BiZhi", 0)},
        {"nine-digit HS code",
         [](Declaration &d) { d.at(DeclField::BianMa, 2) = QStringLiteral("848071909"); },
         "H.S.编码位数错误！（10位，且不含小数点）", f("BianMa", 2)},
        {"empty HS code", [](Declaration &d) { d.at(DeclField::BianMa, 2).clear(); }, nullptr, {}},
        {"row 3 value without currency after rows 0 to 2 pass",
         [](Declaration &d) { d.at(DeclField::BiZhi, 3).clear(); }, "币制不能为空！",
         f("BiZhi", 3)},
        {"an earlier row's failure comes first",
         [](Declaration &d) {
             d.at(DeclField::BiZhi, 3).clear();
             d.at(DeclField::SLdanwei, 2).clear();
         },
         "数量单位不能为空！", f("SLdanwei", 2)},
        {"within a row the HS code comes first",
         [](Declaration &d) {
             d.at(DeclField::BiZhi, 3).clear();
             d.at(DeclField::BianMa, 3) = QStringLiteral("1");
         },
         "H.S.编码位数错误！（10位，且不含小数点）", f("BianMa", 3)},
        {"a later row waits",
         [](Declaration &d) {
             d.at(DeclField::BiZhi, 3).clear();
             d.at(DeclField::BianMa, 4) = QStringLiteral("1");
         },
         "币制不能为空！", f("BiZhi", 3)},
        {"quantity without unit",
         [](Declaration &d) { d.at(DeclField::ShuLiang, 9) = QStringLiteral("1"); },
         "数量单位不能为空！", f("SLdanwei", 9)},
        {"unit without quantity", [](Declaration &d) { d.at(DeclField::ShuLiang, 1).clear(); },
         "数量不能为空！", f("ShuLiang", 1)},
        {"weight without unit", [](Declaration &d) { d.at(DeclField::ZLdanwei, 1).clear(); },
         "重量单位不能为空！", f("ZLdanwei", 1)},
        {"unit without weight", [](Declaration &d) { d.at(DeclField::ZhongLiang, 0).clear(); },
         "重量不能为空！", f("ZhongLiang", 0)},
        {"rows come before the origin",
         [](Declaration &d) {
             d.at(DeclField::YuanChanGuo, 0).clear();
             d.at(DeclField::ZLdanwei, 8) = QStringLiteral("千克");
         },
         "重量不能为空！", f("ZhongLiang", 8)},
        {"no origin", [](Declaration &d) { d.at(DeclField::YuanChanGuo, 0).clear(); },
         "原产国不能为空！", f("YuanChanGuo", 0)},
        {"packing kind without count",
         [](Declaration &d) { d.at(DeclField::BZshuliang, 0).clear(); }, "包装数量不能为空！",
         f("BZshuliang", 0)},
        {"second packing kind without count",
         [](Declaration &d) { d.at(DeclField::BZzhonglei, 1) = QStringLiteral("纸箱"); },
         "包装数量不能为空！", f("BZshuliang", 1)},
        {"same packing kind twice",
         [](Declaration &d) {
             d.at(DeclField::BZzhonglei, 1) = QStringLiteral("木箱");
             d.at(DeclField::BZshuliang, 1) = QStringLiteral("1");
         },
         "包装种类重复！", f("BZzhonglei", 1)},
        {"no first packing kind never repeats",
         [](Declaration &d) {
             d.at(DeclField::BZzhonglei, 0).clear();
             d.at(DeclField::BZshuliang, 0).clear();
             d.at(DeclField::BZzhonglei, 1).clear();
             d.at(DeclField::BZshuliang, 1).clear();
         },
         nullptr,
         {}},
        {"blanks count as filled",
         [](Declaration &d) { d[DeclField::JianShu] = QStringLiteral(" "); },
         nullptr,
         {}},
        {"no pieces", [](Declaration &d) { d[DeclField::JianShu].clear(); }, "请填写件数！",
         f("JianShu")},
        {"no kilograms", [](Declaration &d) { d[DeclField::GongJin].clear(); }, "请填写公斤！",
         f("GongJin")},
        {"no transport", [](Declaration &d) { d[DeclField::YunShuGongJu].clear(); },
         "运输工具不能为空！", f("YunShuGongJu")},
        {"no bill of lading", [](Declaration &d) { d[DeclField::TiYunDanHao].clear(); },
         "提运单号不能为空！", f("TiYunDanHao")},
        {"no country of departure", [](Declaration &d) { d[DeclField::QiYunGuoJia].clear(); },
         "启运国家不能为空！", f("QiYunGuoJia")},
        {"no port of entry", [](Declaration &d) { d[DeclField::RuJingKouAn].clear(); },
         "入境口岸不能为空！", f("RuJingKouAn")},
        {"no trade mode", [](Declaration &d) { d[DeclField::MaoYiFangShi].clear(); },
         "贸易方式不能为空！", f("MaoYiFangShi")},
        {"no trading country, before the containers",
         [](Declaration &d) {
             d[DeclField::MaoYiGuoBie].clear();
             d[DeclField::YunShuGongJu] = QStringLiteral("海运集装箱");
         },
         "贸易国别不能为空！", f("MaoYiGuoBie")},
        {"sea container without numbers",
         [](Declaration &d) {
             d[DeclField::YunShuGongJu] = QStringLiteral("海运集装箱");
             d[DeclField::JZXsl1] = QStringLiteral("2");
         },
         "集装箱数量/号码不能为空！", f("JZXhm1")},
        {"sea container with only a 40-foot number",
         [](Declaration &d) {
             d[DeclField::YunShuGongJu] = QStringLiteral("海运集装箱");
             d[DeclField::JZXhm2] = QStringLiteral("XYZU7654321");
         },
         nullptr,
         {}},
        {"other transport needs no container",
         [](Declaration &d) { d[DeclField::YunShuGongJu] = QStringLiteral("船舶"); },
         nullptr,
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Declaration d = passing();
        c.change(d);
        const auto failure = firstFailedCheck(d, c.consignees);
        if (!c.message) {
            EXPECT_FALSE(failure.has_value()) << failure->message.toStdString() << " "
                                              << failure->focus.objectName().toStdString();
            continue;
        }
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->message.toStdString(), std::string(c.message));
        EXPECT_EQ(failure->focus.objectName().toStdString(), c.focus.objectName().toStdString());
    }
}

TEST(PrintChecks, EveryRowIsExamined)
{
    for (int row = 1; row < 10; ++row) {
        SCOPED_TRACE(row);
        Declaration d = passing();
        d.at(DeclField::ZongZhi, row) = QStringLiteral("1");
        d.at(DeclField::BiZhi, row).clear();
        const auto failure = firstFailedCheck(d, registered);
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->message, currency);
        EXPECT_EQ(failure->focus, (FieldRef{QStringLiteral("BiZhi"), row}));
    }
}
