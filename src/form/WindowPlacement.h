#pragma once

class QWidget;

namespace portdesk {

// Centres a shown window over another one, inside the
// screen: top-level windows without a parent would otherwise open wherever
// the platform puts them (a corner, without a window manager).
void centreOver(QWidget &window, const QWidget &over);

} // namespace portdesk
