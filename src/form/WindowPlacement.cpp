#include "form/WindowPlacement.h"

#include <QScreen>
#include <QWidget>

namespace portdesk {

void centreOver(QWidget &window, const QWidget &over)
{
    QRect frame(QPoint(), window.size());
    frame.moveCenter(over.frameGeometry().center());
    if (const QScreen *screen = over.screen()) {
        const QRect area = screen->availableGeometry();
        frame.moveLeft(std::clamp(frame.left(), area.left(),
                                  std::max(area.left(), area.right() - frame.width())));
        frame.moveTop(std::clamp(frame.top(), area.top(),
                                 std::max(area.top(), area.bottom() - frame.height())));
    }
    window.move(frame.topLeft());
}

void centreOnScreen(QWidget &window, const QWidget *on)
{
    const QScreen *screen = on ? on->screen() : window.screen();
    if (!screen)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

void bringToFront(QWidget &window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace portdesk
