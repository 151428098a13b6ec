#pragma once
// A drop-down list narrower than its longest item needs beside the style's
// arrow: the arrow gives up the room, so that the item shows whole at the
// form's fixed width (千克 in a box of 720 twips at 96 DPI).
class QComboBox;

namespace portdesk {

// Leaves a list whose items fit as the style draws it.
void showItemsWhole(QComboBox *combo);

} // namespace portdesk
