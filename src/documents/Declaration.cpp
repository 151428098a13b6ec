#include "documents/Declaration.h"

#include "form/FormSchema.h"

#include <QHash>

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

// Where each family of the form schema lives in the value.
struct Member {
    const char *family;
    QString Declaration::*plain = nullptr;
    QString GoodsRow::*goods = nullptr;
    QString Packing::*pack = nullptr;
};

const Member kMembers[] = {
    {"ShouHuoRen", &Declaration::ShouHuoRen},
    {"MingCheng", nullptr, &GoodsRow::MingCheng},
    {"BianMa", nullptr, &GoodsRow::BianMa},
    {"YuanChanGuo", nullptr, &GoodsRow::YuanChanGuo},
    {"ShuLiang", nullptr, &GoodsRow::ShuLiang},
    {"SLdanwei", nullptr, &GoodsRow::SLdanwei},
    {"ZhongLiang", nullptr, &GoodsRow::ZhongLiang},
    {"ZLdanwei", nullptr, &GoodsRow::ZLdanwei},
    {"ZongZhi", nullptr, &GoodsRow::ZongZhi},
    {"BiZhi", nullptr, &GoodsRow::BiZhi},
    {"BZzhonglei", nullptr, nullptr, &Packing::BZzhonglei},
    {"BZshuliang", nullptr, nullptr, &Packing::BZshuliang},
    {"JianShu", &Declaration::JianShu},
    {"GongJin", &Declaration::GongJin},
    {"YunShuGongJu", &Declaration::YunShuGongJu},
    {"TiYunDanHao", &Declaration::TiYunDanHao},
    {"QiYunGuoJia", &Declaration::QiYunGuoJia},
    {"RuJingKouAn", &Declaration::RuJingKouAn},
    {"HeTongHao", &Declaration::HeTongHao},
    {"MaoYiFangShi", &Declaration::MaoYiFangShi},
    {"MaoYiGuoBie", &Declaration::MaoYiGuoBie},
    {"XuKeZheng", &Declaration::XuKeZheng},
    {"JZXsl1", &Declaration::JZXsl1},
    {"JZXhm1", &Declaration::JZXhm1},
    {"JZXsl2", &Declaration::JZXsl2},
    {"JZXhm2", &Declaration::JZXhm2},
};

std::vector<DeclarationField> buildFields()
{
    std::vector<DeclarationField> fields;
    for (const FormField &f : formFields()) {
        const Member *m = nullptr;
        for (const Member &candidate : kMembers) {
            if (f.ref.name == QLatin1String(candidate.family))
                m = &candidate;
        }
        Q_ASSERT_X(m, "declarationFields", qPrintable(f.ref.name));
        DeclarationField d;
        d.key = f.key;
        d.control = f.ref.objectName();
        d.ref = f.ref;
        d.plain = m->plain;
        d.goods = m->goods;
        d.pack = m->pack;
        d.index = std::max(f.ref.index, 0);
        fields.push_back(d);
    }
    return fields;
}

} // namespace

const std::vector<DeclarationField> &declarationFields()
{
    static const std::vector<DeclarationField> fields = buildFields();
    return fields;
}

QString *fieldOf(Declaration &d, const FieldRef &ref)
{
    static const QHash<QString, const DeclarationField *> byControl = [] {
        QHash<QString, const DeclarationField *> out;
        for (const DeclarationField &f : declarationFields())
            out.insert(f.control, &f);
        return out;
    }();
    const DeclarationField *f = byControl.value(ref.objectName());
    return f ? &f->in(d) : nullptr;
}

const QString *fieldOf(const Declaration &d, const FieldRef &ref)
{
    return fieldOf(const_cast<Declaration &>(d), ref);
}

} // namespace portdesk
