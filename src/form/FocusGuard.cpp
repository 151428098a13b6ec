#include "form/FocusGuard.h"

#include "model/FieldRules.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>

namespace portdesk {

FocusGuard::FocusGuard(FormFields &fields, QObject *parent) : QObject(parent), fields_(fields) {}

void FocusGuard::install()
{
    for (const FormField &f : fields_.fields()) {
        const FieldRef &ref = f.ref;
        const FieldSpec *rule = f.spec;
        if (rule->onFocus == FocusRule::None && !rule->upperOnLeave)
            continue;
        QWidget *w = fields_.widget(ref);
        if (!w)
            continue;
        // A list gets the focus itself; its line edit only sees it forwarded.
        watched_.insert(w, ref);
        w->installEventFilter(this);
    }
}

void FocusGuard::focusIn(const FieldRef &field)
{
    const FieldSpec *rule = fields_.spec(field);
    if (rule->onFocus == FocusRule::None)
        return;
    if (rule->onFocus == FocusRule::SelectAllCarryDown) {
        const QString value = carriedDown(field.index, fields_.value(field),
                                          fields_.value({field.name, field.index - 1}));
        if (!value.isEmpty())
            fields_.type(field, value);
    }
    // The carried value is selected too, so typing replaces it.
    if (QLineEdit *edit = fields_.lineEdit(field))
        edit->selectAll();
}

void FocusGuard::focusOut(const FieldRef &field)
{
    if (!fields_.spec(field)->upperOnLeave)
        return;
    // A read-only text stays as it was stored.
    if (const QLineEdit *edit = fields_.lineEdit(field); edit && edit->isReadOnly())
        return;
    const QString text = fields_.value(field);
    const QString upper = upperAscii(text);
    if (upper != text)
        fields_.type(field, upper);
}

bool FocusGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut)
        return false;
    const auto it = watched_.constFind(watched);
    if (it == watched_.constEnd())
        return false;
    if (event->type() == QEvent::FocusIn)
        focusIn(*it);
    else
        focusOut(*it);
    return false;
}

} // namespace portdesk
