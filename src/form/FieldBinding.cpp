#include "form/FieldBinding.h"

#include "form/FieldText.h"

#include <QComboBox>
#include <QLineEdit>

namespace portdesk {

FieldBinding::FieldBinding(Changed changed, QObject *parent)
    : QObject(parent), changed_(std::move(changed))
{
}

void FieldBinding::bind(const FieldRef &ref, QWidget *field)
{
    fields_.insert(ref.objectName(), field);
    const auto changed = [this, ref](const QString &text) {
        if (!showing_)
            changed_(ref, text);
    };
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        connect(edit, &QLineEdit::textChanged, this, changed);
    else if (auto *combo = qobject_cast<QComboBox *>(field))
        connect(combo, &QComboBox::editTextChanged, this, changed);
}

void FieldBinding::show(const FieldRef &ref, const QString &text)
{
    QWidget *w = field(ref);
    if (!w || fieldText(w) == text)
        return;
    showing_ = true;
    setFieldText(w, text);
    showing_ = false;
    // A field that could not take the whole text (its length limit) holds
    // what it shows, as if typed.
    if (const QString shown = fieldText(w); shown != text)
        changed_(ref, shown);
}

} // namespace portdesk
