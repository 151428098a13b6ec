#pragma once
// A declaration's content, and its 109 keys of 报检内容 in file order as the
// form schema gives them. The file writer and reader and the binding to the
// main window's widgets all walk declarationFields().
#include "form/FieldRef.h"

#include <QString>
#include <array>
#include <vector>

namespace portdesk {

struct GoodsRow {
    QString MingCheng, BianMa, YuanChanGuo, ShuLiang, SLdanwei, ZhongLiang, ZLdanwei, ZongZhi,
        BiZhi;

    bool operator==(const GoodsRow &) const = default;
};

struct Packing {
    QString BZzhonglei, BZshuliang;

    bool operator==(const Packing &) const = default;
};

struct Declaration {
    QString ShouHuoRen;
    std::array<GoodsRow, 10> rows;
    std::array<Packing, 2> packing;
    QString JianShu, GongJin, YunShuGongJu, TiYunDanHao, QiYunGuoJia, RuJingKouAn, HeTongHao,
        MaoYiFangShi, MaoYiGuoBie, XuKeZheng, JZXsl1, JZXhm1, JZXsl2, JZXhm2;

    bool operator==(const Declaration &) const = default;
};

// One key of 报检内容: its name in the file, the main window control that
// shows it, and where it lives in a Declaration.
struct DeclarationField {
    QString key;     // 货物名称3
    QString control; // MingCheng(3)
    FieldRef ref;    // {MingCheng, 3}
    QString Declaration::*plain = nullptr;
    QString GoodsRow::*goods = nullptr;
    QString Packing::*pack = nullptr;
    int index = 0; // goods row or packing slot

    QString &in(Declaration &d) const;
    const QString &in(const Declaration &d) const;
};

inline const QString &contentSection()
{
    static const QString s = QStringLiteral("报检内容");
    return s;
}

// The 109 keys in the order they are written and read.
const std::vector<DeclarationField> &declarationFields();

// The text of one field of the value; nullptr for a control the value lacks.
const QString *fieldOf(const Declaration &d, const FieldRef &ref);
QString *fieldOf(Declaration &d, const FieldRef &ref);

} // namespace portdesk
