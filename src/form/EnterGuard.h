#pragma once
// Enter navigation: one event filter on the controls a form's navigation
// names. Enter never reaches them; the form decides where it leads.
#include "form/FormFields.h"

#include <QObject>
#include <functional>

namespace portdesk {

class EnterGuard : public QObject {
    Q_OBJECT
public:
    using OnEnter = std::function<void(const FieldRef &)>;
    EnterGuard(FormFields &fields, OnEnter onEnter, QObject *parent = nullptr);
    // Watches each control (a field, or a button such as the print command).
    void install(const std::vector<FieldRef> &controls);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FormFields &fields_;
    OnEnter onEnter_;
    QHash<const QObject *, FieldRef> watched_;
};

} // namespace portdesk
