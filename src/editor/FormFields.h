#pragma once
// The editor's view of MainPage's fields: by FieldRef, with one way to read
// and set a field's text whether it is a text box or a drop-down list.
#include "model/FieldRef.h"
#include "model/Navigation.h"

#include <QHash>

class QComboBox;
class QLineEdit;
class QObject;
class QWidget;

namespace portdesk {

class MainPage;

class FormFields {
public:
    explicit FormFields(MainPage &page);

    MainPage &page() const { return page_; }
    QWidget *widget(const FieldRef &ref) const;
    // The text box a field types into (a list's own line edit); nullptr for buttons.
    QLineEdit *lineEdit(const FieldRef &ref) const;
    QString text(const FieldRef &ref) const;
    void setText(const FieldRef &ref, const QString &text) const;

    // The field an event's receiver belongs to: the field itself or the line
    // edit inside a list. Null ref for anything else.
    FieldRef fieldOf(const QObject *receiver) const;
    // Remembers a widget (and a list's line edit) as belonging to `ref`.
    void remember(const FieldRef &ref);

    NavView navView() const;

private:
    MainPage &page_;
    QHash<const QObject *, FieldRef> owners_;
};

} // namespace portdesk
