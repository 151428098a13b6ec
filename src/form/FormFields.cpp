#include "form/FormFields.h"

#include "form/FieldText.h"

#include <QComboBox>
#include <QLineEdit>

namespace portdesk {

FormFields::FormFields(std::vector<FormField> fields, Lookup lookup, Value value)
    : fields_(std::move(fields)), lookup_(std::move(lookup)), value_(std::move(value))
{
    for (const FormField &f : fields_)
        specs_.insert(f.ref.objectName(), f.spec);
}

const FieldSpec *FormFields::spec(const FieldRef &ref) const
{
    return specs_.value(ref.objectName());
}

QLineEdit *FormFields::lineEdit(const FieldRef &ref) const
{
    QWidget *w = widget(ref);
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        return edit;
    if (auto *combo = qobject_cast<QComboBox *>(w))
        return combo->lineEdit();
    return nullptr;
}

void FormFields::type(const FieldRef &ref, const QString &text) const
{
    setFieldText(widget(ref), text);
}

FieldRef FormFields::fieldOf(const QObject *receiver) const
{
    return owners_.value(receiver);
}

void FormFields::remember(const FieldRef &ref)
{
    QWidget *w = widget(ref);
    if (!w)
        return;
    owners_.insert(w, ref);
    if (auto *combo = qobject_cast<QComboBox *>(w); combo && combo->lineEdit())
        owners_.insert(combo->lineEdit(), ref);
}

} // namespace portdesk
