#pragma once
// A declaration's content: one text per control of the form schema, in the
// schema's order, which is also the order of the 109 keys of 报检内容. The
// value is sized by the schema, so every field the schema declares is held.
#include "model/FormSchema.h"

#include <QString>
#include <initializer_list>
#include <vector>

namespace portdesk {

class Declaration {
public:
    Declaration();

    // A single field ("JianShu").
    QString &operator[](DeclField family) { return at(family, -1); }
    const QString &operator[](DeclField family) const { return at(family, -1); }
    // A goods row or packing slot ("MingCheng", 3).
    QString &at(DeclField family, int index);
    const QString &at(DeclField family, int index) const;
    // By place in formFields().
    QString &at(const FormField &field) { return texts_[std::size_t(field.slot)]; }
    const QString &at(const FormField &field) const { return texts_[std::size_t(field.slot)]; }

    // The nine texts of a goods row in the order of the form, MingCheng to BiZhi.
    void setRow(int row, std::initializer_list<QString> texts);

    bool operator==(const Declaration &) const = default;

private:
    std::vector<QString> texts_;
};

// The nine goods families in the order of the form, and how many rows they have.
const std::vector<DeclField> &goodsFamilies();
int goodsRowCount();

inline const QString &contentSection()
{
    static const QString s = QStringLiteral("报检内容");
    return s;
}

// The text of one field of the value; nullptr for a control the value lacks.
const QString *fieldOf(const Declaration &d, const FieldRef &ref);
QString *fieldOf(Declaration &d, const FieldRef &ref);

} // namespace portdesk
