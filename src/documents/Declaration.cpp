#include "documents/Declaration.h"

namespace portdesk {

QString &DeclarationField::in(Declaration &d) const
{
    if (goods)
        return d.rows[index].*goods;
    if (pack)
        return d.packing[index].*pack;
    return d.*plain;
}

const QString &DeclarationField::in(const Declaration &d) const
{
    return in(const_cast<Declaration &>(d));
}

namespace {

struct RowColumn {
    const char *key;
    const char *control;
    QString GoodsRow::*member;
};

struct Single {
    const char *key;
    const char *control;
    QString Declaration::*plain;
    QString Packing::*pack;
    int slot;
};

std::vector<DeclarationField> buildFields()
{
    static const RowColumn columns[] = {
        {"货物名称", "MingCheng", &GoodsRow::MingCheng},
        {"编码", "BianMa", &GoodsRow::BianMa},
        {"原产国", "YuanChanGuo", &GoodsRow::YuanChanGuo},
        {"数量", "ShuLiang", &GoodsRow::ShuLiang},
        {"数量单位", "SLdanwei", &GoodsRow::SLdanwei},
        {"重量", "ZhongLiang", &GoodsRow::ZhongLiang},
        {"重量单位", "ZLdanwei", &GoodsRow::ZLdanwei},
        {"总值", "ZongZhi", &GoodsRow::ZongZhi},
        {"币制", "BiZhi", &GoodsRow::BiZhi},
    };
    static const Single tail[] = {
        {"包装种类1", "BZzhonglei(0)", nullptr, &Packing::BZzhonglei, 0},
        {"包装数量1", "BZshuliang(0)", nullptr, &Packing::BZshuliang, 0},
        {"包装种类2", "BZzhonglei(1)", nullptr, &Packing::BZzhonglei, 1},
        {"包装数量2", "BZshuliang(1)", nullptr, &Packing::BZshuliang, 1},
        {"件数", "JianShu", &Declaration::JianShu, nullptr, 0},
        {"公斤", "GongJin", &Declaration::GongJin, nullptr, 0},
        {"运输工具", "YunShuGongJu", &Declaration::YunShuGongJu, nullptr, 0},
        {"提运单号", "TiYunDanHao", &Declaration::TiYunDanHao, nullptr, 0},
        {"启运国家", "QiYunGuoJia", &Declaration::QiYunGuoJia, nullptr, 0},
        {"入境口岸", "RuJingKouAn", &Declaration::RuJingKouAn, nullptr, 0},
        {"合同号", "HeTongHao", &Declaration::HeTongHao, nullptr, 0},
        {"贸易方式", "MaoYiFangShi", &Declaration::MaoYiFangShi, nullptr, 0},
        {"贸易国别", "MaoYiGuoBie", &Declaration::MaoYiGuoBie, nullptr, 0},
        {"许可审批", "XuKeZheng", &Declaration::XuKeZheng, nullptr, 0},
        {"集装箱数量1", "JZXsl1", &Declaration::JZXsl1, nullptr, 0},
        {"集装箱号码1", "JZXhm1", &Declaration::JZXhm1, nullptr, 0},
        {"集装箱数量2", "JZXsl2", &Declaration::JZXsl2, nullptr, 0},
        {"集装箱号码2", "JZXhm2", &Declaration::JZXhm2, nullptr, 0},
    };

    std::vector<DeclarationField> fields;
    fields.push_back(
        {QStringLiteral("收货人"), QStringLiteral("ShouHuoRen"), &Declaration::ShouHuoRen});
    for (int row = 0; row < 10; ++row) {
        for (const RowColumn &c : columns) {
            DeclarationField f;
            f.key = QString::fromUtf8(c.key) + QString::number(row);
            f.control = QStringLiteral("%1(%2)").arg(QLatin1String(c.control)).arg(row);
            f.goods = c.member;
            f.index = row;
            fields.push_back(f);
        }
    }
    for (const Single &s : tail) {
        DeclarationField f;
        f.key = QString::fromUtf8(s.key);
        f.control = QLatin1String(s.control);
        f.plain = s.plain;
        f.pack = s.pack;
        f.index = s.slot;
        fields.push_back(f);
    }
    return fields;
}

} // namespace

const std::vector<DeclarationField> &declarationFields()
{
    static const std::vector<DeclarationField> fields = buildFields();
    return fields;
}

} // namespace portdesk
