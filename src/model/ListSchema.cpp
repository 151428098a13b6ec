#include "model/ListSchema.h"

#include <array>

namespace portdesk {

namespace {

using W = Which;

constexpr int kSlipLength = 18;

std::array<FieldSpec, kListFields> makeSpecs()
{
    // The stems double as keys; listKey() appends the row.
    auto row = [](ListField f) { return FieldSpec{.name = listFieldName(f), .count = kListRows}; };
    std::array<FieldSpec, kListFields> s{};
    for (int i = 0; i < kListFields; ++i)
        s[std::size_t(i)] = row(ListField(i));
    auto at = [&s](ListField f) -> FieldSpec & { return s[std::size_t(f)]; };

    at(ListField::BianHao).maxLength = kSlipLength;
    at(ListField::BianHao).upperOnLeave = true;
    at(ListField::BianHao).noInputMethod = W::All;
    at(ListField::HuoZhu).maxLength = 5;
    at(ListField::PinMing).maxLength = 15;
    FieldSpec &packing = at(ListField::BaoZhuang);
    packing.kind = FieldKind::List;
    packing.filter = CharClass::Chinese;
    packing.items = {QStringLiteral("托盘"), QStringLiteral("纸箱"), QStringLiteral("其它")};
    packing.pickTooltip = W::First;
    at(ListField::JianShu).maxLength = 4;
    at(ListField::JianShu).filter = CharClass::Decimal;
    at(ListField::JianShu).noInputMethod = W::All;
    at(ListField::ZhongLiang).maxLength = 7;
    at(ListField::ZhongLiang).filter = CharClass::Decimal;
    at(ListField::ZhongLiang).noInputMethod = W::All;
    at(ListField::TiDanHao).maxLength = 20;
    at(ListField::TiDanHao).upperOnLeave = true;
    at(ListField::TiDanHao).noInputMethod = W::All;
    at(ListField::QiYunGuo).maxLength = 5;
    at(ListField::YunShuFangShi).maxLength = 5;
    // The list leaves a field's text as it is on entering it.
    for (FieldSpec &spec : s)
        spec.onFocus = FocusRule::None;
    return s;
}

const std::array<FieldSpec, kListFields> &specs()
{
    static const std::array<FieldSpec, kListFields> s = makeSpecs();
    return s;
}

} // namespace

const FieldSpec &listSpec(ListField field)
{
    return specs()[std::size_t(field)];
}

FieldRef listRef(ListField field, int row)
{
    return FieldRef{QLatin1String(listFieldName(field)), row};
}

const std::vector<FormField> &listFields()
{
    static const std::vector<FormField> fields = [] {
        std::vector<FormField> f;
        for (int row = 0; row < kListRows; ++row) {
            for (int i = 0; i < kListFields; ++i) {
                const auto field = ListField(i);
                f.push_back({listRef(field, row), &listSpec(field), listKey(field, row),
                             row * kListFields + i});
            }
        }
        return f;
    }();
    return fields;
}

std::optional<ListCell> listCell(const FieldRef &ref)
{
    if (ref.index < 0 || ref.index >= kListRows)
        return std::nullopt;
    for (int i = 0; i < kListFields; ++i) {
        if (ref.name == QLatin1String(listFieldName(ListField(i))))
            return ListCell{ListField(i), ref.index};
    }
    return std::nullopt;
}

bool onListEnterPath(ListField field)
{
    return field != ListField::YunShuFangShi;
}

std::optional<ListCell> listEnterTarget(ListCell from)
{
    if (!onListEnterPath(from.field))
        return std::nullopt;
    if (from.field == ListField::QiYunGuo) {
        if (from.row + 1 >= kListRows)
            return std::nullopt;
        return ListCell{ListField::BianHao, from.row + 1};
    }
    return ListCell{ListField(int(from.field) + 1), from.row};
}

QString slipNumberWarning(const QString &text)
{
    if (text.isEmpty() || text.size() == kSlipLength)
        return {};
    return QStringLiteral("场站单编号位数为18位，少了%1位！").arg(kSlipLength - text.size());
}

std::optional<QString> transportOf(const QString &slipNumber)
{
    static const std::array<std::pair<const char *, const char *>, 4> codes{{
        {"KJ", "空运"},
        {"LJ", "陆运"},
        {"PJ", "海运"},
        {"HF", "海运"},
    }};
    std::optional<QString> mode;
    for (const auto &[code, name] : codes) {
        const QLatin1String c(code);
        if (slipNumber.mid(0, 2) == c || slipNumber.mid(2, 2) == c)
            mode = QString::fromUtf8(name);
    }
    return mode;
}

bool packingAccepted(const QString &text)
{
    return text.isEmpty() || listSpec(ListField::BaoZhuang).items.contains(text);
}

} // namespace portdesk
