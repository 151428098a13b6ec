#include "form/PickList.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

namespace portdesk {

namespace {

// Keys with which Qt steps a closed list to another item.
bool stepsClosedList(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        // Alt+Down opens the list; Ctrl+arrows belong to the text.
        return !(event->modifiers() & (Qt::AltModifier | Qt::ControlModifier));
    default:
        return false;
    }
}

} // namespace

PickList::PickList(QWidget *parent) : QComboBox(parent)
{
    // Qt's default, wheel focus, would let a wheel turn pull the focus out
    // of the field being edited and run its leave rules.
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QComboBox::activated, this, &PickList::activatedByQt);
}

PickList *PickList::of(QWidget *combo)
{
    return qobject_cast<PickList *>(combo);
}

void PickList::pick(int index)
{
    if (locked_ || index < 0 || index >= count())
        return;
    fromOpenList_ = false;
    setCurrentIndex(index);
    // The text may have been typed over since the index was last set.
    setEditText(itemText(index));
    emit picked(index);
}

void PickList::setLocked(bool locked)
{
    locked_ = locked;
    if (QLineEdit *edit = lineEdit())
        edit->setReadOnly(locked);
    if (locked)
        hidePopup();
}

void PickList::showPopup()
{
    fromOpenList_ = false;
    if (locked_)
        return;
    // Opening moves the focus out of the text, and Qt may report that as
    // `activated`: only what happens after the list is open counts.
    QComboBox::showPopup();
    fromOpenList_ = true;
}

void PickList::activatedByQt(int index)
{
    if (!fromOpenList_)
        return;
    fromOpenList_ = false;
    emit picked(index);
}

void PickList::wheelEvent(QWheelEvent *event)
{
    fromOpenList_ = false;
    event->ignore(); // the window under the list may scroll instead
}

void PickList::keyPressEvent(QKeyEvent *event)
{
    fromOpenList_ = false;
    if (stepsClosedList(event)) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void PickList::mousePressEvent(QMouseEvent *event)
{
    fromOpenList_ = false;
    QComboBox::mousePressEvent(event);
}

void PickList::focusOutEvent(QFocusEvent *event)
{
    // Leaving by Tab, click or window switch: Qt's `activated` that may
    // follow is no choice from the list.
    fromOpenList_ = false;
    QComboBox::focusOutEvent(event);
}

} // namespace portdesk
