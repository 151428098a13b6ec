#pragma once
// Binds a form's fields to the value they show, for any schema: every change
// of a field's text (typing, a paste, a pick, a carry-down) is handed to
// `changed`, and show() puts texts on screen without handing them back.
#include "model/FieldRef.h"

#include <QHash>
#include <QObject>
#include <functional>

class QComboBox;
class QLineEdit;
class QWidget;

namespace portdesk {

class FieldBinding : public QObject {
    Q_OBJECT
public:
    using Changed = std::function<void(const FieldRef &, const QString &)>;
    FieldBinding(Changed changed, QObject *parent = nullptr);

    void bind(const FieldRef &ref, QWidget *field);
    QWidget *field(const FieldRef &ref) const { return fields_.value(ref.objectName()).widget; }
    // Sets a field's text as the value has it; the change is not handed back.
    void show(const FieldRef &ref, const QString &text);

private:
    // A field and the line it types into (its own, or its list's).
    struct Bound {
        QWidget *widget = nullptr;
        QLineEdit *line = nullptr;
        QComboBox *list = nullptr;
    };
    Changed changed_;
    QHash<QString, Bound> fields_; // by objectName
    bool showing_ = false;
};

} // namespace portdesk
