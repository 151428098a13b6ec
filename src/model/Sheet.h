#pragma once
// The declaration sheet as data: what to draw and where, in twips from the
// top-left corner of the printable area. sheetFor() is a pure function of
// the declaration, the consignee's and the office's particulars and a date;
// SheetPainter draws the result onto any paint device.
#include "model/Declaration.h"
#include "store/OfficeSettings.h"

#include <QDate>
#include <QRect>
#include <QRectF>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace portdesk {

// Font roles as the sheet names them; SheetPainter maps each to a face
// that exists on the machine.
enum class SheetFont { SimSun, SimHei, YaHei };

// A colour as the painter takes it: red, green, blue.
struct Rgb {
    int red = 0, green = 0, blue = 0;
    friend bool operator==(const Rgb &, const Rgb &) = default;
};

struct SheetText {
    QString name; // control name: "MingCheng(3)", "Label(10)"
    QString text;
    int left = 0, top = 0;
    SheetFont font = SheetFont::SimSun;
    double points = 9;
    bool bold = false;
    Rgb colour{64, 64, 64};
    std::optional<Rgb> background; // none: transparent
    // A fixed box: lines centred inside it. 0: the element sizes itself to
    // its text, Left/Top being the text's top-left corner.
    int boxWidth = 0, boxHeight = 0;
    bool wrap = false;    // lines too wide for the box break
    bool centred = false; // lines centred on the widest one (self-sizing elements)
    bool visible = true;
    // Where the text must stay (placeCells); a right-aligned text ends at
    // the cell's right edge instead of starting at its Left.
    QRect cell;
    bool alignRight = false;
    int endsAt = -1; // index of the right-aligned text whose start ends this cell
};

struct SheetLine {
    int x1, y1, x2, y2;
};

struct Sheet {
    QRect emblem; // the authority's emblem, stretched into this box
    std::vector<QRect> rectangles;
    std::vector<SheetLine> lines;
    std::vector<SheetText> texts;

    const SheetText *find(const QString &name) const;
};

// Keys "0".."4" of the consignee's section of Consignee.ini: full name,
// registration number, address, contact person, telephone.
using ConsigneeSheetParticulars = std::array<QString, 5>;

struct SheetSources {
    Declaration declaration;
    ConsigneeSheetParticulars consignee;
    OfficeSettings office;
    QDate date;
    // Asked for when printing: the certificate note, and the free goods line
    // (shown when not empty).
    bool certificateNote = false;
    QString freeLine;
};

// Width and height of the printout window's client area.
inline constexpr int kSheetWidth = 10785;
inline constexpr int kSheetHeight = 10500;

// Tops of the ten goods rows.
const std::array<int, 10> &goodsRowTops();

Sheet sheetFor(const SheetSources &sources);

// A rectangle's outline as drawn: its right and bottom edges lie one pixel
// (15 twips) inside, where the lines that meet them end.
QRectF outlineOf(const QRect &rectangle);

// "编  号 " + prefix (the built-in one when none is set) + two-digit year.
QString numberLine(const QString &prefix, const QDate &date);
// The container text: "20'×2：ABCU1234567等 40'×1：XYZU7654321", or "***".
QString containerText(const Declaration &d);
// The HS code as printed: first eight characters, ".", last two.
QString printedHsCode(const QString &code);
// The top of the certificate note: the first goods row without a name;
// its own top when all ten are named.
int certificateNoteTop(const Declaration &d);

} // namespace portdesk
