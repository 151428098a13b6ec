#include "model/PrintChecks.h"

#include "model/ConsigneeRegister.h"

namespace portdesk {

namespace {

using Fails = std::function<bool(const Declaration &, const QStringList &)>;

PrintCheck check(const char *message, const char *field, int index, Fails fails)
{
    return {QString::fromUtf8(message), FieldRef{QString::fromLatin1(field), index},
            std::move(fails)};
}

using D = DeclField;

// `value` filled and `needed` empty in row i.
Fails rowNeeds(int i, DeclField value, DeclField needed)
{
    return [=](const Declaration &d, const QStringList &) {
        return !d.at(value, i).isEmpty() && d.at(needed, i).isEmpty();
    };
}

Fails empty(DeclField field)
{
    return [=](const Declaration &d, const QStringList &) { return d[field].isEmpty(); };
}

std::vector<PrintCheck> buildChecks()
{
    std::vector<PrintCheck> c;
    c.push_back(check("收货人不能为空！", "ShouHuoRen", -1, empty(D::ShouHuoRen)));
    c.push_back(check("收货人不存在！", "ShouHuoRen", -1,
                      [](const Declaration &d, const QStringList &consignees) {
                          return !consigneeListed(consignees, d[DeclField::ShouHuoRen]);
                      }));
    c.push_back(check("货物名称不能为空！", "MingCheng", 0, [](const Declaration &d, auto &) {
        return d.at(DeclField::MingCheng, 0).isEmpty();
    }));
    const auto currency0 = check("币制不能为空！", "BiZhi", 0, [](const Declaration &d, auto &) {
        return d.at(DeclField::BiZhi, 0).isEmpty();
    });
    c.push_back(currency0);
    for (int i = 0; i < 10; ++i) {
        c.push_back(check("H.S.编码位数错误！（10位，且不含小数点）", "BianMa", i,
                          [i](const Declaration &d, auto &) {
                              const QString &code = d.at(DeclField::BianMa, i);
                              return !code.isEmpty() && code.size() < 10;
                          }));
        c.push_back(check("币制不能为空！", "BiZhi", i, rowNeeds(i, D::ZongZhi, D::BiZhi)));
        c.push_back(
            check("数量单位不能为空！", "SLdanwei", i, rowNeeds(i, D::ShuLiang, D::SLdanwei)));
        c.push_back(check("数量不能为空！", "ShuLiang", i, rowNeeds(i, D::SLdanwei, D::ShuLiang)));
        c.push_back(
            check("重量单位不能为空！", "ZLdanwei", i, rowNeeds(i, D::ZhongLiang, D::ZLdanwei)));
        c.push_back(
            check("重量不能为空！", "ZhongLiang", i, rowNeeds(i, D::ZLdanwei, D::ZhongLiang)));
    }
    c.push_back(check("原产国不能为空！", "YuanChanGuo", 0, [](const Declaration &d, auto &) {
        return d.at(DeclField::YuanChanGuo, 0).isEmpty();
    }));
    c.push_back(currency0); // asked again, as the command always did
    for (int k = 0; k < 2; ++k) {
        c.push_back(check("包装数量不能为空！", "BZshuliang", k, [k](const Declaration &d, auto &) {
            return !d.at(DeclField::BZzhonglei, k).isEmpty() &&
                   d.at(DeclField::BZshuliang, k).isEmpty();
        }));
    }
    c.push_back(check("包装种类重复！", "BZzhonglei", 1, [](const Declaration &d, auto &) {
        return !d.at(DeclField::BZzhonglei, 0).isEmpty() &&
               d.at(DeclField::BZzhonglei, 1) == d.at(DeclField::BZzhonglei, 0);
    }));
    c.push_back(check("请填写件数！", "JianShu", -1, empty(D::JianShu)));
    c.push_back(check("请填写公斤！", "GongJin", -1, empty(D::GongJin)));
    c.push_back(check("运输工具不能为空！", "YunShuGongJu", -1, empty(D::YunShuGongJu)));
    c.push_back(check("提运单号不能为空！", "TiYunDanHao", -1, empty(D::TiYunDanHao)));
    c.push_back(check("启运国家不能为空！", "QiYunGuoJia", -1, empty(D::QiYunGuoJia)));
    c.push_back(check("入境口岸不能为空！", "RuJingKouAn", -1, empty(D::RuJingKouAn)));
    c.push_back(check("贸易方式不能为空！", "MaoYiFangShi", -1, empty(D::MaoYiFangShi)));
    c.push_back(check("贸易国别不能为空！", "MaoYiGuoBie", -1, empty(D::MaoYiGuoBie)));
    c.push_back(check("集装箱数量/号码不能为空！", "JZXhm1", -1, [](const Declaration &d, auto &) {
        return containersInUse(d) && d[DeclField::JZXhm1].isEmpty() &&
               d[DeclField::JZXhm2].isEmpty();
    }));
    return c;
}

} // namespace

bool containersInUse(const Declaration &d)
{
    return d[DeclField::YunShuGongJu] == QStringLiteral("海运集装箱");
}

const std::vector<PrintCheck> &printChecks()
{
    static const std::vector<PrintCheck> checks = buildChecks();
    return checks;
}

std::optional<PrintCheckFailure> firstFailedCheck(const Declaration &d,
                                                  const QStringList &consignees)
{
    for (const PrintCheck &c : printChecks()) {
        if (c.fails(d, consignees))
            return PrintCheckFailure{c.message, c.focus};
    }
    return std::nullopt;
}

} // namespace portdesk
