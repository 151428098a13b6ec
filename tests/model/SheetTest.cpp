// The sheet's texts as a function of the declaration, the particulars and
// the date.
#include "model/Sheet.h"

#include <functional>
#include <gtest/gtest.h>

using namespace portdesk;

namespace {

SheetSources sources()
{
    SheetSources s;
    Declaration &d = s.declaration;
    d[DeclField::ShouHuoRen] = QStringLiteral("昆山华安");
    d.setRow(0, {QStringLiteral("模具配件"), QStringLiteral("8480719090"), QStringLiteral("德国"),
                 QStringLiteral("2"), QStringLiteral("台"), QStringLiteral("150"),
                 QStringLiteral("千克"), QStringLiteral("8000"), QStringLiteral("欧元")});
    d.at(DeclField::BZzhonglei, 0) = QStringLiteral("木箱");
    d.at(DeclField::BZshuliang, 0) = QStringLiteral("2");
    d[DeclField::JianShu] = QStringLiteral("2");
    d[DeclField::GongJin] = QStringLiteral("180");
    d[DeclField::YunShuGongJu] = QStringLiteral("飞机");
    d[DeclField::QiYunGuoJia] = QStringLiteral("德国");
    d[DeclField::RuJingKouAn] = QStringLiteral("上海");
    s.consignee = {QStringLiteral("昆山华安精密机械有限公司"), QStringLiteral("3205123456"),
                   QStringLiteral("开发区88号"), QStringLiteral("王先生"), QStringLiteral("5700")};
    s.office.QY = {QStringLiteral("通达货代"), QStringLiteral("苏州报检"),
                   QStringLiteral("3202900123"), QStringLiteral("李小姐"), QStringLiteral("6800")};
    s.date = QDate(2026, 12, 7);
    return s;
}

void row(SheetSources &s, int i, const char *name, const char *qty, const char *weight,
         const char *value)
{
    const QString quantity = QString::fromUtf8(qty), mass = QString::fromUtf8(weight),
                  amount = QString::fromUtf8(value);
    s.declaration.setRow(i, {QString::fromUtf8(name), QString(), QString(), quantity,
                             quantity.isEmpty() ? QString() : QStringLiteral("个"), mass,
                             mass.isEmpty() ? QString() : QStringLiteral("千克"), amount,
                             amount.isEmpty() ? QString() : QStringLiteral("美元")});
}

struct Case {
    const char *what;
    std::function<void(SheetSources &)> change;
    const char *element;
    const char *text;
};

} // namespace

TEST(SheetTexts, ValuesFollowTheirRules)
{
    const Case cases[] = {
        {"consignee name from the register", [](SheetSources &) {}, "ShouHuoRen",
         "昆山华安精密机械有限公司"},
        {"consignee particulars in brackets", [](SheetSources &) {}, "SHRxx",
         "(开发区88号,王先生,5700)"},
        {"unknown consignee", [](SheetSources &s) { s.consignee = {}; }, "SHRxx", "(,,)"},
        {"HS code with its point", [](SheetSources &) {}, "BianMa(0)", "84807190.90"},
        {"no HS code", [](SheetSources &s) { s.declaration.at(DeclField::BianMa, 0).clear(); },
         "BianMa(0)", ""},
        {"quantity and weight", [](SheetSources &) {}, "ShuZhongLiang(0)", "2台/150千克"},
        {"quantity only",
         [](SheetSources &s) {
             s.declaration.at(DeclField::ZhongLiang, 0).clear();
             s.declaration.at(DeclField::ZLdanwei, 0).clear();
         },
         "ShuZhongLiang(0)", "2台"},
        {"weight only",
         [](SheetSources &s) {
             s.declaration.at(DeclField::ShuLiang, 0).clear();
             s.declaration.at(DeclField::SLdanwei, 0).clear();
         },
         "ShuZhongLiang(0)", "150千克"},
        {"value and currency", [](SheetSources &) {}, "ZongZhi(0)", "8000欧元"},
        {"rows stop at the first unnamed one",
         [](SheetSources &s) { row(s, 2, "泵", "1", "", "10"); }, "MingCheng(2)", ""},
        {"ten named rows all print",
         [](SheetSources &s) {
             for (int i = 1; i < 10; ++i)
                 row(s, i, "泵", "1", "", "");
         },
         "ShuZhongLiang(9)", "1个"},
        {"totals stay empty with one value",
         [](SheetSources &s) { row(s, 1, "泵", "5", "40.5", ""); }, "HeJi(1)", ""},
        {"totals with a second value",
         [](SheetSources &s) { row(s, 1, "泵", "5", "40.5", "1200.5"); }, "HeJi(1)", "190.5"},
        {"packing box",
         [](SheetSources &s) {
             s.declaration.at(DeclField::BZzhonglei, 1) = QStringLiteral("纸箱");
             s.declaration.at(DeclField::BZshuliang, 1) = QStringLiteral("3");
         },
         "BaoZhuang", "2\r\n木箱\r\n\r\n3\r\n纸箱"},
        {"no contract", [](SheetSources &) {}, "HeTongHao", "***"},
        {"no permit", [](SheetSources &) {}, "XuKeShenPi", "***"},
        {"port of departure is the country", [](SheetSources &) {}, "QiYunKouAn", "德国"},
        {"port of entry", [](SheetSources &) {}, "RuJingKouAn", "上海口岸"},
        {"no containers", [](SheetSources &) {}, "JiZhuangXiang", "***"},
        {"both container sizes",
         [](SheetSources &s) {
             Declaration &d = s.declaration;
             d[DeclField::JZXsl1] = QStringLiteral("2");
             d[DeclField::JZXhm1] = QStringLiteral("ABCU1234567");
             d[DeclField::JZXsl2] = QStringLiteral("1");
             d[DeclField::JZXhm2] = QStringLiteral("XYZU7654321");
         },
         "JiZhuangXiang", "20'×2：ABCU1234567等 40'×1：XYZU7654321"},
        {"only 40-foot",
         [](SheetSources &s) {
             s.declaration[DeclField::JZXsl2] = QStringLiteral("3");
             s.declaration[DeclField::JZXhm2] = QStringLiteral("XYZU7654321");
         },
         "JiZhuangXiang", " 40'×3：XYZU7654321等"},
        {"built-in number prefix", [](SheetSources &) {}, "BianHao", "编  号 320200126"},
        {"configured number prefix",
         [](SheetSources &s) { s.office.prefix = QStringLiteral("3202002"); }, "BianHao",
         "编  号 320200226"},
        {"year line", [](SheetSources &) {}, "Nianfen", "2026年   月   日"},
        {"date", [](SheetSources &) {}, "RiQi", "[2026.12.07]"},
        {"pieces and kilograms", [](SheetSources &) {}, "BeiZhu", "2/180"},
        {"declaring agent", [](SheetSources &) {}, "DaiJianQiYe(0)", "苏州报检 3202900123"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        SheetSources s = sources();
        c.change(s);
        const Sheet sheet = sheetFor(s);
        const SheetText *t = sheet.find(QString::fromLatin1(c.element));
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->text.toStdString(), std::string(c.text));
    }
}

TEST(SheetTexts, CertificateNoteAndFreeLineShowOnlyWhenAskedFor)
{
    SheetSources s = sources();
    Sheet sheet = sheetFor(s);
    EXPECT_FALSE(sheet.find(QStringLiteral("Label2"))->visible);
    EXPECT_FALSE(sheet.find(QStringLiteral("Label1"))->visible);

    // The note takes the first goods line without a name.
    s.certificateNote = true;
    row(s, 1, "泵", "1", "", "");
    sheet = sheetFor(s);
    const SheetText *note = sheet.find(QStringLiteral("Label2"));
    EXPECT_TRUE(note->visible);
    EXPECT_EQ(note->top, goodsRowTops()[2]);
    EXPECT_EQ(note->left, 3585);

    // With all ten rows named it keeps its own place.
    for (int i = 0; i < 10; ++i)
        row(s, i, "泵", "1", "", "");
    EXPECT_EQ(sheetFor(s).find(QStringLiteral("Label2"))->top, 8295);
}
