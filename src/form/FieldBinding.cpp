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
    Bound bound{field, qobject_cast<QLineEdit *>(field), qobject_cast<QComboBox *>(field)};
    if (bound.list)
        bound.line = bound.list->lineEdit();
    fields_.insert(ref.objectName(), bound);
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
    const Bound bound = fields_.value(ref.objectName());
    if (!bound.widget)
        return;
    // Typed calls rather than the user property: a load shows every field.
    const QString shown = bound.line ? bound.line->text() : fieldText(bound.widget);
    if (shown != text) {
        showing_ = true;
        if (bound.list)
            bound.list->setEditText(text);
        else if (bound.line)
            bound.line->setText(text);
        else
            setFieldText(bound.widget, text);
        showing_ = false;
        // A field that could not take the whole text (its length limit) holds
        // what it shows, as if typed.
        if (bound.line && bound.line->text() != text)
            changed_(ref, bound.line->text());
        // A value longer than its box shows its start, as the clerk typed it.
        if (bound.line)
            bound.line->setCursorPosition(0);
    }
}

} // namespace portdesk
