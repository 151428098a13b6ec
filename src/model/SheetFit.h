#pragma once
// Keeps every printed text inside its cell. The cells come from the sheet's
// own geometry; a text too wide for its cell is condensed (stretched
// narrower, then set smaller), then wrapped where the cell is high enough,
// and only then cut at the cell's edge. Measuring is the caller's: the
// fonts belong to the drawing layer.
#include "model/Sheet.h"

#include <QRectF>
#include <QStringList>
#include <vector>

namespace portdesk {

class SheetMetrics {
public:
    virtual ~SheetMetrics() = default;
    // Advance width of `text` and the height of one line, in twips, in
    // `style`'s face at `points`, unstretched.
    virtual double width(const SheetText &style, double points, const QString &text) const = 0;
    virtual double lineHeight(const SheetText &style, double points) const = 0;
};

// Narrowest stretch, then smallest size (of the stated one) before wrapping.
inline constexpr double kMinStretch = 0.8;
inline constexpr double kMinSize = 0.6;

struct FittedText {
    double points = 9;
    double stretch = 1; // horizontal scale of the glyphs
    QStringList lines;
    std::vector<QRectF> boxes; // each line as printed, in twips
    QRectF cell;
    bool cut = false; // part of the text lies outside the cell: clip there
};

// Gives every text of the sheet its cell; sheetFor() calls it last.
void placeCells(Sheet &sheet);

FittedText fitText(const SheetText &text, const QRectF &cell, const SheetMetrics &metrics);

// One entry per text of the sheet, in order (empty or hidden texts have no
// lines). A text that ends at a right-aligned one ends where that one's
// printed text begins.
std::vector<FittedText> fitSheet(const Sheet &sheet, const SheetMetrics &metrics);

} // namespace portdesk
