#pragma once
// The ways a clerk works a drop-down list with the mouse, the wheel and the
// keyboard, each through real events, for the pick-list tests of every window.
#include <QString>

class QComboBox;
class QWidget;

namespace portdesk::test {

// One wheel notch over `w` as the window system delivers it: to the widget
// under the point, free to pass the focus and to travel to the parents.
void turnWheel(QWidget *w);

// Opens the list with a click on its button; false when it did not open
// within `waitMs`.
bool openList(QComboBox *combo, int waitMs = 3000);
// Chooses item `row` from the opened list: a click on it, or the arrow keys
// and Enter. Returns false when the list did not open.
bool pickWithMouse(QComboBox *combo, int row);
bool pickWithKeys(QComboBox *combo, int row);
// Opens the list, moves to item `row` and leaves it with Escape.
bool openAndEscape(QComboBox *combo, int row);

// The focus goes to another program's window and comes back.
void switchWindowAndBack(QWidget *window);

} // namespace portdesk::test
