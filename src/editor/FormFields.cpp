#include "editor/FormFields.h"

#include "form/FieldText.h"
#include "form/MainPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace portdesk {

FormFields::FormFields(MainPage &page) : page_(page) {}

QWidget *FormFields::widget(const FieldRef &ref) const
{
    if (QWidget *w = page_.field(ref))
        return w;
    return page_.findChild<QWidget *>(ref.objectName()); // a button such as DaYin
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

QString FormFields::text(const FieldRef &ref) const
{
    return fieldText(page_.field(ref));
}

void FormFields::setText(const FieldRef &ref, const QString &text) const
{
    setFieldText(page_.field(ref), text);
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

NavView FormFields::navView() const
{
    NavView v;
    // Buttons (DaYin) are always there to take the focus.
    v.enabled = [this](const FieldRef &f) { return page_.document().enabled(f); };
    v.text = [this](const FieldRef &f) {
        const QString *text = portdesk::fieldOf(page_.document().value(), f);
        return text ? *text : QString();
    };
    v.goodsExpanded = page_.goodsExpanded();
    return v;
}

} // namespace portdesk
