#pragma once
// Enter navigation: one event filter on every field of the navigation
// table. Enter never reaches a field; the table says where the focus goes.
#include "editor/FormFields.h"

#include <QObject>
#include <functional>

namespace portdesk {

class EnterGuard : public QObject {
    Q_OBJECT
public:
    EnterGuard(FormFields &fields, std::function<void(const NavOutcome &)> apply,
               QObject *parent = nullptr);
    void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FormFields &fields_;
    std::function<void(const NavOutcome &)> apply_;
    QHash<const QObject *, FieldRef> watched_;
};

} // namespace portdesk
