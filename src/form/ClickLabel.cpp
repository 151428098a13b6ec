#include "form/ClickLabel.h"

#include <QMouseEvent>

namespace portdesk {

ClickLabel::ClickLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        setFrameStyle(QFrame::Box | QFrame::Plain);
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = frameStyle() != QFrame::NoFrame;
    setFrameStyle(QFrame::NoFrame);
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && wasPressed &&
        rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace portdesk
