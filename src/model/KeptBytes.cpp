#include "model/KeptBytes.h"

#include <QStringList>

namespace portdesk {

const QByteArray *keptBytesFor(const KeptFields &kept, const Declaration &d, const FormField &field)
{
    const auto it = kept.find(field.slot);
    if (it == kept.end() || d.at(field) != it->second.shown)
        return nullptr;
    return &it->second.bytes;
}

QString fieldCaption(const FormField &field)
{
    const FieldSpec &spec = *field.spec;
    if (spec.caption) {
        QString caption = QString::fromUtf8(spec.caption);
        if (field.ref.index > 0)
            caption += QString::number(field.ref.index + 1);
        return caption;
    }
    if (spec.count == goodsRowCount() && field.ref.index >= 0)
        return QStringLiteral("第%1行%2").arg(field.ref.index + 1).arg(QString::fromUtf8(spec.key));
    return field.key;
}

QString keptFieldsNotice(const KeptFields &kept)
{
    if (kept.empty())
        return {};
    QStringList names;
    for (const auto &[slot, bytes] : kept)
        names << QStringLiteral("“") + fieldCaption(formFields()[std::size_t(slot)]) +
                     QStringLiteral("”");
    return QStringLiteral("以下栏目含有不是 GBK 编码的字节，显示为“\uFFFD”：%1。\n"
                          "不改动这些栏目，保存时原样保留；若要修改，请重新输入整栏内容。")
        .arg(names.join(QStringLiteral("、")));
}

} // namespace portdesk
