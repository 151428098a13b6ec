#pragma once
// Where windows appear, and how one is brought up.
#include <QPointer>
#include <QWidget>

namespace portdesk {

// Centres a shown window over another one, inside the screen: top-level
// windows without a parent would otherwise open wherever the platform puts
// them (a corner, without a window manager).
void centreOver(QWidget &window, const QWidget &over);

// Centres a window on the free area of the screen `on` stands on (the
// window's own screen when null).
void centreOnScreen(QWidget &window, const QWidget *on = nullptr);

// Shows a window in front of the others, with the keyboard.
void bringToFront(QWidget &window);

// One window of a kind: made by `make` the first time (deleted when closed,
// shown centred over `over`), brought to the front every time.
template <typename W, typename Make>
W *openOnce(QPointer<W> &window, const QWidget &over, Make make)
{
    if (!window) {
        window = make();
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        centreOver(*window, over);
    }
    bringToFront(*window);
    return window;
}

} // namespace portdesk
