#include "model/FormSchema.h"

#include <QHash>
#include <algorithm>

namespace portdesk {

namespace {

using B = FormBox;
using C = CharClass;
using F = FocusRule;
using K = FieldKind;
using W = Which;

constexpr int kFieldA = kSectionFieldA, kFieldB = kSectionFieldB;
constexpr int kLine1 = kSectionLine1, kLine2 = kSectionLine2;
constexpr int kContainerLine = 360;

std::vector<FieldSpec> buildSchema()
{
    const QStringList packingKinds{"木托", "木箱", "垫木", "纸箱", "其它"};
    // clang-format off
    return {
        {.name = "ShouHuoRen", .kind = K::List, .x = 780, .y = 750, .width = 3300,
         .onFocus = F::None, .lightGreen = W::All, .key = "收货人", .caption = "收货人"},

        // The goods rows.
        {.name = "MingCheng", .count = 10, .box = B::Goods, .x = 90, .y = kGoodsRow, .width = 2040,
         .tooltipOwnText = true, .lightGreen = W::First, .key = "货物名称", .printed = {"MingCheng", 2475, kGoodsRow}},
        {.name = "BianMa", .count = 10, .box = B::Goods, .x = 2190, .y = kGoodsRow, .width = 1110,
         .maxLength = 10, .filter = C::Digit, .tooltipOwnText = true, .redText = W::First,
         .noInputMethod = W::Rest, .key = "编码", .printed = {"BianMa", 3930, kGoodsRow, PrintAs::HsCode}},
        {.name = "YuanChanGuo", .count = 10, .box = B::Goods, .x = 3360, .y = kGoodsRow,
         .width = 690, .maxLength = 5, .filter = C::Chinese, .onFocus = F::SelectAllCarryDown,
         .lightGreen = W::First, .key = "原产国", .printed = {"YuanChanGuo", 4875, kGoodsRow}},
        {.name = "ShuLiang", .count = 10, .box = B::Goods, .x = 4110, .y = kGoodsRow, .width = 750,
         .filter = C::Decimal, .tooltipOwnText = true, .noInputMethod = W::Rest, .key = "数量",
         .total = 0},
        {.name = "SLdanwei", .count = 10, .kind = K::List, .box = B::Goods, .x = 4875,
         .y = kGoodsRow, .width = 630, .filter = C::Chinese, .items = {"个", "台"},
         .onFocus = F::SelectAllCarryDown, .pickTooltip = W::First, .key = "数量单位"},
        {.name = "ZhongLiang", .count = 10, .box = B::Goods, .x = 5565, .y = kGoodsRow,
         .width = 780, .filter = C::Decimal, .tooltipOwnText = true, .noInputMethod = W::Rest,
         .key = "重量", .total = 1},
        {.name = "ZLdanwei", .count = 10, .kind = K::List, .box = B::Goods, .x = 6360,
         .y = kGoodsRow, .width = 720, .filter = C::Chinese, .items = {"千克"},
         .onFocus = F::SelectAllCarryDown, .pickTooltip = W::First, .key = "重量单位"},
        {.name = "ZongZhi", .count = 10, .box = B::Goods, .x = 7140, .y = kGoodsRow, .width = 900,
         .maxLength = 20, .filter = C::Decimal, .tooltipOwnText = true, .noInputMethod = W::Rest,
         .key = "总值", .total = 2},
        {.name = "BiZhi", .count = 10, .kind = K::List, .box = B::Goods, .x = 8055, .y = kGoodsRow,
         .width = 960, .filter = C::Chinese, .items = {"美元", "欧元", "英镑", "日本元", "人民币"},
         .onFocus = F::SelectAllCarryDown, .lightGreen = W::First, .redText = W::First,
         .pickTooltip = W::First, .key = "币制"},

        // Packing: two places side by side.
        {.name = "BZzhonglei", .count = 2, .kind = K::List, .box = B::Packing, .x = kFieldA,
         .y = kLine1, .width = 1350, .slotStepX = kFieldB - kFieldA, .filter = C::Chinese,
         .items = packingKinds, .redText = W::First, .pickTooltip = W::All, .key = "包装种类",
         .firstKeyNumber = 1, .caption = "包装种类"},
        {.name = "BZshuliang", .count = 2, .box = B::Packing, .x = kFieldA + 1650, .y = kLine1,
         .width = 660, .slotStepX = kFieldB - kFieldA, .maxLength = 4, .filter = C::Digit,
         .key = "包装数量", .firstKeyNumber = 1},
        {.name = "JianShu", .box = B::Packing, .x = kFieldA, .y = kLine2, .width = 900,
         .maxLength = 5, .filter = C::Digit, .tooltipOwnText = true, .lightGreen = W::All,
         .key = "件数", .caption = "件数"},
        {.name = "GongJin", .box = B::Packing, .x = kFieldB, .y = kLine2, .width = 1350,
         .maxLength = 10, .filter = C::Decimal, .tooltipOwnText = true, .lightGreen = W::All,
         .key = "公斤", .caption = "重量"},

        // Transport.
        {.name = "YunShuGongJu", .kind = K::List, .box = B::Transport, .x = kFieldA, .y = kLine1,
         .width = 2250, .filter = C::Chinese, .items = {"飞机", "船舶", "海运集装箱", "汽车"},
         .onFocus = F::None, .lightGreen = W::All, .pickTooltip = W::All, .key = "运输工具",
         .caption = "运输工具", .printed = {"YunShuGongJu", 4560, 5520}},
        {.name = "TiYunDanHao", .box = B::Transport, .x = kFieldB, .y = kLine1, .width = 2550,
         .maxLength = 20, .upperOnLeave = true, .tooltipOwnText = true, .lightGreen = W::All,
         .noInputMethod = W::All, .key = "提运单号", .caption = "提运单号", .printed = {"TiYunDanHao", 8235, 5880}},
        {.name = "QiYunGuoJia", .box = B::Transport, .x = kFieldA, .y = kLine2, .width = 1350,
         .maxLength = 5, .filter = C::Chinese, .lightGreen = W::All, .key = "启运国家", .caption = "启运国家", .printed = {"QiYunGuoJia", 5355, 6240}},
        {.name = "RuJingKouAn", .kind = K::List, .box = B::Transport, .x = kFieldB, .y = kLine2,
         .width = 1650, .filter = C::Chinese, .items = {"上海", "深圳"}, .lightGreen = W::All,
         .pickTooltip = W::All, .key = "入境口岸", .caption = "入境口岸", .printed = {"RuJingKouAn", 8235, 6600, PrintAs::Text, "口岸", true}},

        // Trade.
        {.name = "HeTongHao", .box = B::Trade, .x = kFieldA, .y = kLine1, .width = 2550,
         .maxLength = 20, .upperOnLeave = true, .tooltipOwnText = true, .key = "合同号", .caption = "合同号", .printed = {"HeTongHao", 8235, 5520, PrintAs::OrStars}},
        {.name = "MaoYiFangShi", .kind = K::List, .box = B::Trade, .x = kFieldB, .y = kLine1,
         .width = 1950, .filter = C::Chinese,
         .items = {"一般贸易", "进料加工", "来料加工", "外商投资", "退运货物", "货样广告品", "其它"}, .onFocus = F::None,
         .lightGreen = W::All, .pickTooltip = W::All, .key = "贸易方式", .caption = "贸易方式", .printed = {"MaoYiFangShi", 3195, 5880}},
        {.name = "MaoYiGuoBie", .box = B::Trade, .x = kFieldA, .y = kLine2, .width = 1350,
         .maxLength = 5, .filter = C::Chinese, .lightGreen = W::All, .key = "贸易国别", .caption = "贸易国别", .printed = {"MaoYiGuoBie", 5355, 5880}},
        {.name = "XuKeZheng", .box = B::Trade, .x = kFieldB, .y = kLine2, .width = 1800,
         .maxLength = 12, .upperOnLeave = true, .tooltipOwnText = true, .redText = W::All,
         .noInputMethod = W::All, .key = "许可审批", .caption = "许可审批", .printed = {"XuKeShenPi", 8235, 6240, PrintAs::OrStars}},

        // Containers.
        {.name = "JZXsl1", .box = B::Containers, .x = 1080, .y = kContainerLine, .width = 450,
         .maxLength = 2, .filter = C::Digit, .key = "集装箱数量1"},
        {.name = "JZXhm1", .box = B::Containers, .x = 1590, .y = kContainerLine, .width = 1950,
         .maxLength = 11, .upperOnLeave = true, .redText = W::All, .noInputMethod = W::All,
         .key = "集装箱号码1"},
        {.name = "JZXsl2", .box = B::Containers, .x = kFieldB, .y = kContainerLine, .width = 450,
         .maxLength = 2, .filter = C::Digit, .key = "集装箱数量2"},
        {.name = "JZXhm2", .box = B::Containers, .x = kFieldB + 510, .y = kContainerLine,
         .width = 1950, .maxLength = 11, .upperOnLeave = true, .redText = W::All,
         .noInputMethod = W::All, .key = "集装箱号码2"},
        // clang-format on
    };
}

// Every family of the schema has its handle, in the same order; a row
// without one would be a field the declaration cannot hold, so the program
// stops at once, naming it.
void checkHandles(const std::vector<FieldSpec> &schema)
{
    const int handles = int(DeclField::Count);
    for (int i = 0; i < std::max(int(schema.size()), handles); ++i) {
        const char *row = i < int(schema.size()) ? schema[std::size_t(i)].name : "(none)";
        const char *handle = i < handles ? familyName(DeclField(i)) : "(none)";
        if (qstrcmp(row, handle) != 0)
            qFatal("The declaration schema's row %d is %s but its handle is %s: each row needs "
                   "its handle in PORTDESK_DECLARATION_FAMILIES, in the same order.",
                   i, row, handle);
    }
}

std::vector<FormField> buildFields()
{
    const std::vector<FieldSpec> &schema = formSchema();
    std::vector<FormField> out;
    for (std::size_t i = 0; i < schema.size();) {
        // A run of neighbouring families of one count goes index by index.
        std::size_t end = i + 1;
        while (end < schema.size() && schema[end].count == schema[i].count)
            ++end;
        if (schema[i].count == 1)
            end = i + 1;
        for (int index = 0; index < schema[i].count; ++index) {
            for (std::size_t k = i; k < end; ++k) {
                const FieldSpec &s = schema[k];
                const QString name = QString::fromLatin1(s.name);
                const QString key = QString::fromUtf8(s.key);
                const int slot = int(out.size());
                if (s.count == 1)
                    out.push_back({{name, -1}, &s, key, slot});
                else
                    out.push_back(
                        {{name, index}, &s, key + QString::number(index + s.firstKeyNumber), slot});
            }
        }
        i = end;
    }
    return out;
}

} // namespace

bool FieldSpec::marks(Which which, int index) const
{
    switch (which) {
    case Which::None:
        return false;
    case Which::All:
        return true;
    case Which::First:
        return index <= 0;
    case Which::Rest:
        return index > 0;
    }
    return false;
}

const char *familyName(DeclField family)
{
    static const char *const names[] = {
#define PORTDESK_NAME_ENTRY(name) #name,
        PORTDESK_DECLARATION_FAMILIES(PORTDESK_NAME_ENTRY)
#undef PORTDESK_NAME_ENTRY
    };
    return names[int(family)];
}

const std::vector<FieldSpec> &formSchema()
{
    static const std::vector<FieldSpec> schema = [] {
        std::vector<FieldSpec> rows = buildSchema();
        checkHandles(rows);
        return rows;
    }();
    return schema;
}

const FieldSpec &spec(DeclField family)
{
    return formSchema()[std::size_t(family)];
}

FieldRef fieldRef(DeclField family, int index)
{
    return {QLatin1String(familyName(family)), spec(family).count == 1 ? -1 : index};
}

namespace {

// Slot of each family's row or slot; -1 where there is none.
struct SlotTable {
    std::vector<std::vector<int>> byFamily;
    QHash<QString, int> byFamilyName;
};

const SlotTable &slotTable()
{
    static const SlotTable table = [] {
        SlotTable t;
        t.byFamily.resize(formSchema().size());
        for (std::size_t i = 0; i < formSchema().size(); ++i) {
            t.byFamily[i].assign(std::size_t(formSchema()[i].count), -1);
            t.byFamilyName.insert(QLatin1String(formSchema()[i].name), int(i));
        }
        for (const FormField &f : formFields()) {
            const int family = t.byFamilyName.value(f.ref.name);
            t.byFamily[std::size_t(family)][std::size_t(std::max(f.ref.index, 0))] = f.slot;
        }
        return t;
    }();
    return table;
}

} // namespace

int fieldSlot(DeclField family, int index)
{
    const std::vector<int> &places = slotTable().byFamily[std::size_t(family)];
    const int i = places.size() == 1 ? 0 : index;
    return i >= 0 && i < int(places.size()) ? places[std::size_t(i)] : -1;
}

int fieldSlot(const FieldRef &ref)
{
    const auto family = slotTable().byFamilyName.constFind(ref.name);
    if (family == slotTable().byFamilyName.cend())
        return -1;
    const std::vector<int> &places = slotTable().byFamily[std::size_t(*family)];
    if (places.size() == 1)
        return ref.index < 0 ? places[0] : -1;
    return ref.index >= 0 && ref.index < int(places.size()) ? places[std::size_t(ref.index)] : -1;
}

const FieldSpec *fieldSpec(const QString &name)
{
    for (const FieldSpec &s : formSchema()) {
        if (name == QLatin1String(s.name))
            return &s;
    }
    return nullptr;
}

const std::vector<FormField> &formFields()
{
    static const std::vector<FormField> fields = buildFields();
    return fields;
}

int goodsRowTop(int row)
{
    return row == 0 ? 600 : 1320 + 480 * (row - 1);
}

const std::vector<Dependency> &dependencies()
{
    using D = Dependency;
    constexpr int Each = D::EachIndex, Single = -1;
    static const std::vector<Dependency> table = {
        {"SLdanwei", Each, "ShuLiang", Each, D::NonZero, true, true, {}},
        {"ZLdanwei", Each, "ZhongLiang", Each, D::NonZero, true, true, {}},
        {"BZshuliang", Each, "BZzhonglei", Each, D::NotEmpty, true, false, {}},
        // Disabling the second kind keeps its text and leaves its count alone.
        {"BZzhonglei", 1, "BZshuliang", 0, D::NotEmpty, false, false, {}},
        {"JZXhm1", Single, "JZXsl1", Single, D::NotEmpty, true, false, {}},
        {"JZXhm2", Single, "JZXsl2", Single, D::NotEmpty, true, false, {}},
        {"JiZhuangXiang",
         Single,
         "YunShuGongJu",
         Single,
         D::IsContainerTransport,
         false,
         false,
         {"JZXsl1", "JZXhm1", "JZXsl2", "JZXhm2"}},
    };
    return table;
}

QString frameName(FormBox box)
{
    switch (box) {
    case FormBox::Goods:
        return QStringLiteral("HuoWuMingXi");
    case FormBox::Containers:
        return QStringLiteral("JiZhuangXiang");
    default:
        return {};
    }
}

QString containerTransport()
{
    return QStringLiteral("海运集装箱");
}

} // namespace portdesk
