#include "form/EnterGuard.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace portdesk {

EnterGuard::EnterGuard(FormFields &fields, OnEnter onEnter, QObject *parent)
    : QObject(parent), fields_(fields), onEnter_(std::move(onEnter))
{
}

void EnterGuard::install(const std::vector<FieldRef> &controls)
{
    for (const FieldRef &ref : controls) {
        QWidget *w = fields_.widget(ref);
        if (!w)
            continue;
        watched_.insert(w, ref);
        w->installEventFilter(this);
        if (auto *combo = qobject_cast<QComboBox *>(w); combo && combo->lineEdit()) {
            watched_.insert(combo->lineEdit(), ref);
            combo->lineEdit()->installEventFilter(this);
        }
    }
}

bool EnterGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    const auto it = watched_.constFind(watched);
    if (it == watched_.constEnd())
        return false;
    // The Shift state is ignored: Shift+Enter moves like Enter.
    onEnter_(*it);
    return true;
}

} // namespace portdesk
