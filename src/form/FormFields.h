#pragma once
// A form's fields as the guards see them, for any schema: the controls the
// schema declares (each with its row of facts), where each one's widget is,
// and the text the form's value holds for it. The widgets are reached by
// FieldRef; a list's line edit belongs to its list.
#include "model/FormSchema.h"

#include <QHash>
#include <functional>
#include <vector>

class QLineEdit;
class QObject;
class QWidget;

namespace portdesk {

class FormFields {
public:
    using Lookup = std::function<QWidget *(const FieldRef &)>;
    using Value = std::function<QString(const FieldRef &)>;

    FormFields(std::vector<FormField> fields, Lookup lookup, Value value);

    const std::vector<FormField> &fields() const { return fields_; }
    // The schema row of a control; nullptr for controls of no field (buttons).
    const FieldSpec *spec(const FieldRef &ref) const;

    QWidget *widget(const FieldRef &ref) const { return lookup_(ref); }
    // The text box a field types into (a list's own line edit); nullptr for buttons.
    QLineEdit *lineEdit(const FieldRef &ref) const;
    // The field's text as the form's value holds it.
    QString value(const FieldRef &ref) const { return value_(ref); }
    // Sets a field's text as typing would: the value takes it and its rules run.
    void type(const FieldRef &ref, const QString &text) const;

    // The field an event's receiver belongs to: the field itself or the line
    // edit inside a list. Null ref for anything else.
    FieldRef fieldOf(const QObject *receiver) const;
    // Remembers a widget (and a list's line edit) as belonging to `ref`.
    void remember(const FieldRef &ref);

private:
    std::vector<FormField> fields_;
    QHash<QString, const FieldSpec *> specs_; // by objectName
    Lookup lookup_;
    Value value_;
    QHash<const QObject *, FieldRef> owners_;
};

} // namespace portdesk
