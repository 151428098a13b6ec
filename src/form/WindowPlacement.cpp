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

} // namespace portdesk
