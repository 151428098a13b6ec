#include "model/Navigation.h"

#include "model/FormSchema.h"

namespace portdesk {

namespace {

constexpr int Same = NavCandidate::SameIndex;
constexpr int Single = -1;

NavCandidate to(const char *name, int index = Single)
{
    return {name, index, false};
}
NavCandidate toIfEnabled(const char *name, int index = Single)
{
    return {name, index, true};
}

const NavRule *findRule(const FieldRef &from)
{
    for (const NavRule &r : navigationTable()) {
        if (from.name != QLatin1String(r.from))
            continue;
        if (r.index == Same || r.index == from.index)
            return &r;
    }
    return nullptr;
}

FieldRef resolve(const NavCandidate &c, const FieldRef &from)
{
    return {QString::fromLatin1(c.name), c.index == Same ? from.index : c.index};
}

} // namespace

const std::vector<NavRule> &navigationTable()
{
    // from, index, needs own text, ends row, Enter candidates, pick move
    static const std::vector<NavRule> table = {
        {"ShouHuoRen", Single, true, false, {to("MingCheng", 0)}, to("MingCheng", 0)},
        {"MingCheng", Same, false, false, {to("BianMa", Same)}, {}},
        {"BianMa", Same, false, false, {to("YuanChanGuo", Same)}, {}},
        {"YuanChanGuo", Same, false, false, {to("ShuLiang", Same)}, {}},
        {"ShuLiang",
         Same,
         false,
         false,
         {toIfEnabled("SLdanwei", Same), to("ZhongLiang", Same)},
         {}},
        {"SLdanwei", Same, false, false, {to("ZhongLiang", Same)}, to("ZhongLiang", Same)},
        {"ZhongLiang",
         Same,
         false,
         false,
         {toIfEnabled("ZLdanwei", Same), to("ZongZhi", Same)},
         {}},
        {"ZLdanwei", Same, false, false, {to("ZongZhi", Same)}, to("ZongZhi", Same)},
        {"ZongZhi", Same, false, false, {to("BiZhi", Same)}, {}},
        {"BiZhi", Same, false, true, {}, {}},
        {"BZzhonglei",
         0,
         false,
         false,
         {toIfEnabled("BZshuliang", 0), toIfEnabled("BZzhonglei", 1), to("JianShu")},
         to("BZshuliang", 0)},
        {"BZshuliang", 0, false, false, {toIfEnabled("BZzhonglei", 1)}, {}},
        {"BZzhonglei",
         1,
         false,
         false,
         {toIfEnabled("BZshuliang", 1), to("JianShu")},
         to("BZshuliang", 1)},
        {"BZshuliang", 1, false, false, {to("JianShu")}, {}},
        {"JianShu", Single, false, false, {to("GongJin")}, {}},
        {"GongJin", Single, false, false, {to("YunShuGongJu")}, {}},
        {"YunShuGongJu", Single, false, false, {to("TiYunDanHao")}, to("TiYunDanHao")},
        {"TiYunDanHao", Single, false, false, {to("QiYunGuoJia")}, {}},
        {"QiYunGuoJia", Single, false, false, {to("RuJingKouAn")}, {}},
        {"RuJingKouAn", Single, false, false, {to("HeTongHao")}, to("HeTongHao")},
        {"HeTongHao", Single, false, false, {to("MaoYiFangShi")}, {}},
        {"MaoYiFangShi", Single, false, false, {to("MaoYiGuoBie")}, to("MaoYiGuoBie")},
        {"MaoYiGuoBie", Single, false, false, {to("XuKeZheng")}, {}},
        // JZXsl1 is enabled exactly while its frame JiZhuangXiang is.
        {"XuKeZheng", Single, false, false, {toIfEnabled("JZXsl1"), to("DaYin")}, {}},
        {"JZXsl1", Single, false, false, {toIfEnabled("JZXhm1"), to("JZXsl2")}, {}},
        {"JZXhm1", Single, false, false, {to("JZXsl2")}, {}},
        {"JZXsl2", Single, false, false, {toIfEnabled("JZXhm2"), to("DaYin")}, {}},
        {"JZXhm2", Single, false, false, {to("DaYin")}, {}},
    };
    return table;
}

NavOutcome endOfRow(int row, bool goodsExpanded)
{
    if (row >= 9)
        return {NavOutcome::Collapse, {}};
    if (row == 0 && !goodsExpanded)
        return {NavOutcome::Focus, {QStringLiteral("BZzhonglei"), 0}};
    return {NavOutcome::Focus, {QStringLiteral("MingCheng"), row + 1}};
}

NavOutcome enterOutcome(const FieldRef &from, const NavView &view)
{
    if (from.name == QLatin1String("DaYin"))
        return {NavOutcome::Press, from};
    const NavRule *rule = findRule(from);
    if (!rule)
        return {};
    if (rule->endsRow)
        return endOfRow(from.index, view.goodsExpanded);
    if (rule->needsOwnText && view.text(from).isEmpty())
        return {};
    for (const NavCandidate &c : rule->enter) {
        const FieldRef target = resolve(c, from);
        if (!c.ifEnabled || view.enabled(target))
            return {NavOutcome::Focus, target};
    }
    return {};
}

NavOutcome pickOutcome(const FieldRef &from, const NavView &view)
{
    const NavRule *rule = findRule(from);
    if (!rule)
        return {};
    if (rule->endsRow)
        return endOfRow(from.index, view.goodsExpanded);
    if (!rule->pick)
        return {};
    return {NavOutcome::Focus, resolve(*rule->pick, from)};
}

std::vector<FieldRef> enterFields()
{
    std::vector<FieldRef> out;
    for (const NavRule &r : navigationTable()) {
        const QString name = QString::fromLatin1(r.from);
        if (r.index == Same) {
            for (int i = 0; i < fieldSpec(name)->count; ++i)
                out.push_back({name, i});
        } else {
            out.push_back({name, r.index});
        }
    }
    out.push_back({QStringLiteral("DaYin"), -1});
    return out;
}

} // namespace portdesk
