#pragma once
// Colours the form shares with the rules that repaint its fields.
#include <QColor>

namespace portdesk {

QColor hintColour();           // dark orange
QColor tradeModeAlertColour(); // pure red

} // namespace portdesk
