#pragma once
// Draws the sheet. The painter must already be scaled so that one unit is
// one twip (scale(dpi / 1440)); fonts are then sized in pixels of that
// unit, so the sheet comes out at the same physical size on every device.
#include "model/Sheet.h"

#include <QFont>
#include <QStringList>

class QPainter;
class QPaintDevice;

namespace portdesk {

// The faces tried for a font role, first choice first: the Windows face
// the sheet was drawn for, then a Debian face of the same style.
const QStringList &sheetFontFamilies(SheetFont role);
QFont sheetFont(const SheetText &text);

void paintSheet(QPainter &painter, const Sheet &sheet);

// Begins a painter on `device`, scales it to twips and paints the sheet.
// False when the device cannot be painted on.
bool paintSheetOn(QPaintDevice &device, const Sheet &sheet);

} // namespace portdesk
