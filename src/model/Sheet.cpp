#include "model/Sheet.h"

#include "model/NumberFormat.h"
#include "model/SheetFit.h"

namespace portdesk {

namespace {

const Rgb black{0, 0, 0};
const Rgb white{255, 255, 255};
const Rgb grey{128, 128, 128};

QString indexed(const char *name, int i)
{
    return QString::fromLatin1(name) + '(' + QString::number(i) + ')';
}

struct Heading {
    int index;
    const char *text; // UTF-8
    int left, top;
};

// The printed headings, control array Label.
const Heading headings[] = {
    {1, "到货日期", 1800, 6240},
    {2, "报检日期:", 6780, 1500},
    {3, "注册号：", 1800, 1500},
    {4, "收货人：", 1800, 1845},
    {5, "货物名称", 2160, 2280},
    {6, "H.S.编码", 3600, 2280},
    {7, "原产国", 4680, 2280},
    {8, "数/重量", 5880, 2280},
    {9, "货物总值", 7320, 2280},
    {10, "包装种类及数量", 8280, 2160},
    {11, "运输工具名称", 2040, 5520},
    {12, "合同号", 6480, 5520},
    {13, "贸易方式", 1800, 5880},
    {14, "贸易国别", 3960, 5880},
    {15, "提/运单号", 6360, 5880},
    {16, "启运国家", 3960, 6240},
    {17, "启运口岸", 3960, 6600},
    {18, "许可证/审批号", 6180, 6240},
    {19, "入境口岸", 6360, 6600},
    {20, "目的地", 6480, 6960},
    {21, "集装箱规格、数量及号码", 1800, 7320},
    {22, "江苏省苏州市", 7740, 6960},
    {25, "卸毕日期", 1800, 6600},
    {26, "经停口岸", 3960, 6960},
    {27, "***", 5265, 6960},
};

const SheetLine lines[] = {
    {7335, 1365, 9075, 1365}, {9090, 2595, 1680, 2595}, {3360, 2085, 3360, 5760},
    {4560, 2085, 4560, 5400}, {5280, 2085, 5280, 5400}, {7080, 2085, 7080, 5400},
    {8280, 2085, 8280, 5400}, {9090, 5760, 1680, 5760}, {9090, 6120, 1680, 6120},
    {9090, 6480, 1680, 6480}, {9090, 6840, 1680, 6840}, {9090, 7200, 1680, 7200},
    {6030, 5400, 6030, 7195}, {7485, 5400, 7485, 7215}, {2640, 5760, 2640, 7220},
    {3840, 5760, 3840, 7560}, {4815, 5760, 4815, 7220}, {9080, 7560, 1680, 7560},
};

// Value elements of the goods rows made of several fields: name, left, text of row r.
struct RowColumn {
    const char *name;
    int left;
    QString (*text)(const Declaration &d, int row);
};

using D = DeclField;

QString quantityAndWeight(const Declaration &d, int r)
{
    const QString &quantity = d.at(D::ShuLiang, r), &weight = d.at(D::ZhongLiang, r);
    const QString separator =
        !quantity.isEmpty() && !weight.isEmpty() ? QStringLiteral("/") : QString();
    return quantity + d.at(D::SLdanwei, r) + separator + weight + d.at(D::ZLdanwei, r);
}

const RowColumn rowColumns[] = {
    {"ShuZhongLiang", 6150, quantityAndWeight},
    {"ZongZhi", 7680,
     [](const Declaration &d, int r) { return d.at(D::ZongZhi, r) + d.at(D::BiZhi, r); }},
};

QString orStars(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("***") : text;
}

QString printedText(const PrintedElement &e, const QString &value)
{
    QString text;
    switch (e.as) {
    case PrintAs::Text:
        text = value;
        break;
    case PrintAs::OrStars:
        text = orStars(value);
        break;
    case PrintAs::HsCode:
        text = printedHsCode(value);
        break;
    }
    return e.suffix ? text + QString::fromUtf8(e.suffix) : text;
}

// Rows are printed from the first on, up to the row before the first
// following row without a goods name.
int printedRows(const Declaration &d)
{
    int n = 1;
    while (n < goodsRowCount() && !d.at(DeclField::MingCheng, n).isEmpty())
        ++n;
    return n;
}

QString columnTotal(const Declaration &d, DeclField column)
{
    double sum = 0; // in row order, as the main window adds them
    for (int r = 0; r < goodsRowCount(); ++r)
        sum += readNumber(d.at(column, r));
    return formatTotal(sum);
}

SheetText plain(const QString &name, int left, int top, const QString &text,
                const Rgb &colour = Rgb{64, 64, 64})
{
    SheetText t;
    t.name = name;
    t.left = left;
    t.top = top;
    t.text = text;
    t.colour = colour;
    return t;
}

} // namespace

const SheetText *Sheet::find(const QString &name) const
{
    for (const SheetText &t : texts) {
        if (t.name == name)
            return &t;
    }
    return nullptr;
}

const std::array<int, 10> &goodsRowTops()
{
    static const std::array<int, 10> tops{2700, 2955, 3225, 3480, 3735,
                                          4005, 4260, 4515, 4785, 5040};
    return tops;
}

QString numberLine(const QString &prefix, const QDate &date)
{
    return QStringLiteral("编  号 ") + (prefix.isEmpty() ? defaultPrefix() : prefix) +
           date.toString(QStringLiteral("yy"));
}

QString printedHsCode(const QString &code)
{
    if (code.isEmpty())
        return {};
    return code.left(8) + '.' + code.right(2);
}

QString containerText(const Declaration &d)
{
    const auto suffix = [](const QString &count) {
        return readNumber(count) > 1 ? QStringLiteral("等") : QString();
    };
    QString text;
    if (!d[DeclField::JZXhm1].isEmpty())
        text = QStringLiteral("20'×") + d[DeclField::JZXsl1] + QStringLiteral("：") +
               d[DeclField::JZXhm1] + suffix(d[DeclField::JZXsl1]);
    if (!d[DeclField::JZXhm2].isEmpty())
        text += QStringLiteral(" 40'×") + d[DeclField::JZXsl2] + QStringLiteral("：") +
                d[DeclField::JZXhm2] + suffix(d[DeclField::JZXsl2]);
    if (d[DeclField::JZXhm1].isEmpty() && d[DeclField::JZXhm2].isEmpty())
        text = QStringLiteral("***");
    return text;
}

int certificateNoteTop(const Declaration &d)
{
    for (int i = 0; i < goodsRowCount(); ++i) {
        if (d.at(DeclField::MingCheng, i).isEmpty())
            return goodsRowTops()[i];
    }
    return 8295;
}

Sheet sheetFor(const SheetSources &s)
{
    const Declaration &d = s.declaration;
    Sheet sheet;
    sheet.emblem = QRect(1800, 120, 1050, 915);
    sheet.rectangles = {QRect(1680, 1755, 7425, 8130), QRect(1680, 2085, 7425, 3330)};
    sheet.lines.assign(std::begin(lines), std::end(lines));

    std::vector<SheetText> &t = sheet.texts;
    SheetText title =
        plain(QStringLiteral("Label(0)"), 3600, 480,
              QStringLiteral("中华人民共和国出入境检验检疫\r\n入境货物报检单"), black);
    title.font = SheetFont::SimHei;
    title.points = 12;
    title.centred = true;
    t.push_back(title);

    for (const Heading &h : headings) {
        SheetText heading =
            plain(indexed("Label", h.index), h.left, h.top, QString::fromUtf8(h.text));
        heading.background = white;
        if (h.index == 10) {
            heading.boxWidth = 780;
            heading.boxHeight = 420;
            heading.wrap = true;
        }
        t.push_back(heading);
    }

    t.push_back(plain(QStringLiteral("BianHao"), 6780, 1200, numberLine(s.office.prefix, s.date)));
    t.push_back(plain(QStringLiteral("ZhuCeHao"), 2520, 1500, s.consignee[1], black));
    t.push_back(plain(QStringLiteral("Nianfen"), 7665, 1500,
                      s.date.toString(QStringLiteral("yyyy")) + QStringLiteral("年   月   日")));
    t.push_back(plain(QStringLiteral("ShouHuoRen"), 2520, 1845, s.consignee[0], black));
    SheetText particulars =
        plain(QStringLiteral("SHRxx"), 8190, 1875,
              '(' + s.consignee[2] + ',' + s.consignee[3] + ',' + s.consignee[4] + ')');
    particulars.points = 7.5;
    t.push_back(particulars);

    const int filled = printedRows(d);
    for (int i = 0; i < goodsRowCount(); ++i) {
        for (const DeclField column : goodsFamilies()) {
            const PrintedElement &e = spec(column).printed;
            if (e.name)
                t.push_back(plain(indexed(e.name, i), e.left, goodsRowTops()[std::size_t(i)],
                                  i < filled ? printedText(e, d.at(column, i)) : QString(), black));
        }
        for (const RowColumn &c : rowColumns) {
            t.push_back(plain(indexed(c.name, i), c.left, goodsRowTops()[i],
                              i < filled ? c.text(d, i) : QString(), black));
        }
    }

    // The totals are shown only when a second row has a value.
    const bool totals = !d.at(DeclField::ZongZhi, 1).isEmpty();
    const DeclField totalColumns[] = {D::ShuLiang, D::ZhongLiang, D::ZongZhi};
    const int totalLefts[] = {6050, 6960, 8160};
    for (int k = 0; k < 3; ++k) {
        SheetText total = plain(indexed("HeJi", k), totalLefts[k], 5220,
                                totals ? columnTotal(d, totalColumns[k]) : QString(), grey);
        // These two stand just before a column line: they end at it.
        total.alignRight = k > 0;
        t.push_back(total);
    }

    SheetText packing = plain(QStringLiteral("BaoZhuang"), 8355, 3400,
                              d.at(DeclField::BZshuliang, 0) + QStringLiteral("\r\n") +
                                  d.at(DeclField::BZzhonglei, 0) + QStringLiteral("\r\n\r\n") +
                                  d.at(DeclField::BZshuliang, 1) + QStringLiteral("\r\n") +
                                  d.at(DeclField::BZzhonglei, 1),
                              black);
    packing.boxWidth = 705;
    packing.boxHeight = 1575;
    packing.wrap = true;
    t.push_back(packing);

    for (const FieldSpec &f : formSchema()) {
        if (!f.printed.name || f.count != 1)
            continue;
        const auto field = DeclField(&f - formSchema().data());
        SheetText value = plain(QLatin1String(f.printed.name), f.printed.left, f.printed.top,
                                printedText(f.printed, d[field]), black);
        if (f.printed.opaque)
            value.background = white;
        t.push_back(value);
    }
    // The port of departure is printed as the country of departure.
    t.push_back(plain(QStringLiteral("QiYunKouAn"), 5355, 6600, d[DeclField::QiYunGuoJia]));
    t.push_back(plain(QStringLiteral("JiZhuangXiang"), 6315, 7320, containerText(d), black));

    SheetText note =
        plain(QStringLiteral("Label2"), 3585, s.certificateNote ? certificateNoteTop(d) : 8295,
              QStringLiteral(" 需要入境货物检验检疫证明 "), white);
    note.font = SheetFont::YaHei;
    note.points = 14.25;
    note.bold = true;
    note.background = Rgb{64, 64, 64};
    note.boxWidth = 3615;
    note.boxHeight = 390;
    note.visible = s.certificateNote;
    t.push_back(note);

    SheetText freeLine = plain(QStringLiteral("Label1"), 4665, 8800, s.freeLine);
    freeLine.visible = !s.freeLine.isEmpty();
    t.push_back(freeLine);

    t.push_back(plain(QStringLiteral("BeiZhu"), 4890, 9240,
                      d[DeclField::JianShu] + '/' + d[DeclField::GongJin]));
    const auto &qy = s.office.QY;
    t.push_back(plain(QStringLiteral("DaiJianQiYe(0)"), 1680, 9960, qy[1] + ' ' + qy[2]));
    t.push_back(plain(QStringLiteral("BenDanWei"), 6060, 9960, qy[0]));
    t.push_back(plain(QStringLiteral("DaiJianQiYe(1)"), 1680, 10200, qy[3] + ' ' + qy[4]));
    t.push_back(plain(QStringLiteral("RiQi"), 7980, 10200,
                      '[' + s.date.toString(QStringLiteral("yyyy.MM.dd")) + ']'));
    placeCells(sheet);
    return sheet;
}

QRectF outlineOf(const QRect &r)
{
    return QRectF(r.left(), r.top(), r.width() - 15, r.height() - 15);
}

} // namespace portdesk
