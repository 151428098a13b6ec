#pragma once
// Focus rules: on gaining focus a field selects its whole text (some row
// columns first carry the row above's value down); on losing it some
// fields turn to capitals.
#include "form/FormFields.h"

#include <QObject>

namespace portdesk {

class FocusGuard : public QObject {
    Q_OBJECT
public:
    explicit FocusGuard(FormFields &fields, QObject *parent = nullptr);
    void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void focusIn(const FieldRef &field);
    void focusOut(const FieldRef &field);

    FormFields &fields_;
    QHash<const QObject *, FieldRef> watched_;
};

} // namespace portdesk
