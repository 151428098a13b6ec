#include "model/Declaration.h"

namespace portdesk {

Declaration::Declaration() : texts_(formFields().size()) {}

QString &Declaration::at(DeclField family, int index)
{
    const int slot = fieldSlot(family, index);
    Q_ASSERT_X(slot >= 0, "Declaration::at", familyName(family));
    return texts_[std::size_t(slot)];
}

const QString &Declaration::at(DeclField family, int index) const
{
    return const_cast<Declaration *>(this)->at(family, index);
}

const std::vector<DeclField> &goodsFamilies()
{
    static const std::vector<DeclField> families = [] {
        std::vector<DeclField> out;
        for (int i = 0; i < int(DeclField::Count); ++i) {
            if (spec(DeclField(i)).box == FormBox::Goods)
                out.push_back(DeclField(i));
        }
        return out;
    }();
    return families;
}

int goodsRowCount()
{
    return spec(DeclField::MingCheng).count;
}

void Declaration::setRow(int row, std::initializer_list<QString> texts)
{
    Q_ASSERT(texts.size() <= goodsFamilies().size());
    auto family = goodsFamilies().begin();
    for (const QString &text : texts)
        at(*family++, row) = text;
}

QString *fieldOf(Declaration &d, const FieldRef &ref)
{
    const int slot = fieldSlot(ref);
    return slot < 0 ? nullptr : &d.at(formFields()[std::size_t(slot)]);
}

const QString *fieldOf(const Declaration &d, const FieldRef &ref)
{
    return fieldOf(const_cast<Declaration &>(d), ref);
}

} // namespace portdesk
