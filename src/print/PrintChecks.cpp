#include "print/PrintChecks.h"

namespace portdesk {

namespace {

using Fails = std::function<bool(const Declaration &, const QStringList &)>;

PrintCheck check(const char *message, const char *field, int index, Fails fails)
{
    return {QString::fromUtf8(message), FieldRef{QString::fromLatin1(field), index},
            std::move(fails)};
}

// A field of row i.
using RowField = QString GoodsRow::*;

// `value` filled and `needed` empty in row i.
Fails rowNeeds(int i, RowField value, RowField needed)
{
    return [=](const Declaration &d, const QStringList &) {
        return !(d.rows[i].*value).isEmpty() && (d.rows[i].*needed).isEmpty();
    };
}

Fails empty(QString Declaration::*field)
{
    return [=](const Declaration &d, const QStringList &) { return (d.*field).isEmpty(); };
}

std::vector<PrintCheck> buildChecks()
{
    std::vector<PrintCheck> c;
    c.push_back(check("收货人不能为空！", "ShouHuoRen", -1, empty(&Declaration::ShouHuoRen)));
    c.push_back(check("收货人不存在！", "ShouHuoRen", -1,
                      [](const Declaration &d, const QStringList &consignees) {
                          return !consignees.contains(d.ShouHuoRen, Qt::CaseSensitive);
                      }));
    c.push_back(check("货物名称不能为空！", "MingCheng", 0,
                      [](const Declaration &d, auto &) { return d.rows[0].MingCheng.isEmpty(); }));
    const auto currency0 = check("币制不能为空！", "BiZhi", 0, [](const Declaration &d, auto &) {
        return d.rows[0].BiZhi.isEmpty();
    });
    c.push_back(currency0);
    for (int i = 0; i < 10; ++i) {
        c.push_back(check("H.S.编码位数错误！（10位，且不含小数点）", "BianMa", i,
                          [i](const Declaration &d, auto &) {
                              const QString &code = d.rows[i].BianMa;
                              return !code.isEmpty() && code.size() < 10;
                          }));
        c.push_back(
            check("币制不能为空！", "BiZhi", i, rowNeeds(i, &GoodsRow::ZongZhi, &GoodsRow::BiZhi)));
        c.push_back(check("数量单位不能为空！", "SLdanwei", i,
                          rowNeeds(i, &GoodsRow::ShuLiang, &GoodsRow::SLdanwei)));
        c.push_back(check("数量不能为空！", "ShuLiang", i,
                          rowNeeds(i, &GoodsRow::SLdanwei, &GoodsRow::ShuLiang)));
        c.push_back(check("重量单位不能为空！", "ZLdanwei", i,
                          rowNeeds(i, &GoodsRow::ZhongLiang, &GoodsRow::ZLdanwei)));
        c.push_back(check("重量不能为空！", "ZhongLiang", i,
                          rowNeeds(i, &GoodsRow::ZLdanwei, &GoodsRow::ZhongLiang)));
    }
    c.push_back(check("原产国不能为空！", "YuanChanGuo", 0, [](const Declaration &d, auto &) {
        return d.rows[0].YuanChanGuo.isEmpty();
    }));
    c.push_back(currency0); // asked again, as the command always did
    for (int k = 0; k < 2; ++k) {
        c.push_back(check("包装数量不能为空！", "BZshuliang", k, [k](const Declaration &d, auto &) {
            return !d.packing[k].BZzhonglei.isEmpty() && d.packing[k].BZshuliang.isEmpty();
        }));
    }
    c.push_back(check("包装种类重复！", "BZzhonglei", 1, [](const Declaration &d, auto &) {
        return !d.packing[0].BZzhonglei.isEmpty() &&
               d.packing[1].BZzhonglei == d.packing[0].BZzhonglei;
    }));
    c.push_back(check("请填写件数！", "JianShu", -1, empty(&Declaration::JianShu)));
    c.push_back(check("请填写公斤！", "GongJin", -1, empty(&Declaration::GongJin)));
    c.push_back(check("运输工具不能为空！", "YunShuGongJu", -1, empty(&Declaration::YunShuGongJu)));
    c.push_back(check("提运单号不能为空！", "TiYunDanHao", -1, empty(&Declaration::TiYunDanHao)));
    c.push_back(check("启运国家不能为空！", "QiYunGuoJia", -1, empty(&Declaration::QiYunGuoJia)));
    c.push_back(check("入境口岸不能为空！", "RuJingKouAn", -1, empty(&Declaration::RuJingKouAn)));
    c.push_back(check("贸易方式不能为空！", "MaoYiFangShi", -1, empty(&Declaration::MaoYiFangShi)));
    c.push_back(check("贸易国别不能为空！", "MaoYiGuoBie", -1, empty(&Declaration::MaoYiGuoBie)));
    c.push_back(check("集装箱数量/号码不能为空！", "JZXhm1", -1, [](const Declaration &d, auto &) {
        return containersInUse(d) && d.JZXhm1.isEmpty() && d.JZXhm2.isEmpty();
    }));
    return c;
}

} // namespace

bool containersInUse(const Declaration &d)
{
    return d.YunShuGongJu == QStringLiteral("海运集装箱");
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
