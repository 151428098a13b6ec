#pragma once
// Draws the sheet. The painter must already be scaled so that one unit is
// one twip (scale(dpi / 1440)); fonts are then sized in pixels of that
// unit, so the sheet comes out at the same physical size on every device.
#include "model/Sheet.h"
#include "model/SheetFit.h"

#include <QFont>
#include <QFontMetricsF>
#include <QStringList>
#include <map>
#include <tuple>

class QPainter;
class QPaintDevice;

namespace portdesk {

// The faces tried for a font role, first choice first: the Windows face
// the sheet was drawn for, then a Debian face of the same style.
const QStringList &sheetFontFamilies(SheetFont role);
QFont sheetFont(const SheetText &text);
QFont sheetFont(const SheetText &text, double points);

// Measures with the faces the sheet is drawn in.
class FontSheetMetrics : public SheetMetrics {
public:
    double width(const SheetText &style, double points, const QString &text) const override;
    double lineHeight(const SheetText &style, double points) const override;

private:
    const QFontMetricsF &metrics(const SheetText &style, double points) const;
    mutable std::map<std::tuple<SheetFont, bool, int>, QFontMetricsF> cache_;
};

void paintSheet(QPainter &painter, const Sheet &sheet);
// One text as fitSheet() laid it out.
void paintSheetText(QPainter &painter, const SheetText &text, const FittedText &fit);

// Begins a painter on `device`, scales it to twips and paints the sheet.
// False when the device cannot be painted on.
bool paintSheetOn(QPaintDevice &device, const Sheet &sheet);

} // namespace portdesk
