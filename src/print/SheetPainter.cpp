#include "print/SheetPainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace portdesk {

namespace {

QColor colourOf(const Rgb &c)
{
    return QColor(c.red, c.green, c.blue);
}

// One screen pixel at 96 DPI: the sheet's lines are one pixel wide there
// and keep that width on paper.
constexpr double kPenTwips = 15;

QString displayed(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

// The emblem picture is ours to choose: a round seal with a star.
void paintEmblem(QPainter &p, const QRect &box)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2 * kPenTwips));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(box);
    p.drawEllipse(QRectF(box).adjusted(90, 80, -90, -80));
    const QPointF centre = QRectF(box).center();
    const double outer = box.height() * 0.28, inner = outer * 0.38;
    QPainterPath star;
    for (int k = 0; k < 10; ++k) {
        const double r = k % 2 ? inner : outer;
        const double a = qDegreesToRadians(-90.0 + 36.0 * k);
        const QPointF point(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        if (k == 0)
            star.moveTo(point);
        else
            star.lineTo(point);
    }
    star.closeSubpath();
    p.fillPath(star, Qt::black);
    p.restore();
}

void paintText(QPainter &p, const SheetText &t)
{
    const QString text = displayed(t.text);
    p.setFont(sheetFont(t));
    QRectF area;
    int flags = Qt::AlignTop;
    if (t.boxWidth > 0) {
        area = QRectF(t.left, t.top, t.boxWidth, t.boxHeight);
        flags |= Qt::AlignHCenter | (t.wrap ? Qt::TextWordWrap : 0);
    } else {
        // Self-sizing: as wide and high as the text itself.
        area = p.boundingRect(QRectF(t.left, t.top, 0, 0), Qt::AlignLeft | Qt::AlignTop, text);
        flags |= t.centred ? Qt::AlignHCenter : Qt::AlignLeft;
    }
    if (t.background) {
        const QColor background = colourOf(*t.background);
        // A coloured box is filled whole; a white one only behind its text,
        // so that a grid line along the box's edge stays whole.
        const bool wholeBox = t.boxWidth > 0 && background != Qt::white;
        p.fillRect(wholeBox ? area : p.boundingRect(area, flags, text), background);
    }
    p.setPen(colourOf(t.colour));
    p.drawText(area, flags, text);
}

} // namespace

const QStringList &sheetFontFamilies(SheetFont role)
{
    static const QStringList song{QStringLiteral("SimSun"), QStringLiteral("宋体"),
                                  QStringLiteral("AR PL UMing CN")};
    static const QStringList hei{QStringLiteral("SimHei"), QStringLiteral("黑体"),
                                 QStringLiteral("WenQuanYi Zen Hei")};
    static const QStringList yahei{QStringLiteral("Microsoft YaHei"), QStringLiteral("微软雅黑"),
                                   QStringLiteral("WenQuanYi Zen Hei")};
    switch (role) {
    case SheetFont::SimSun:
        return song;
    case SheetFont::SimHei:
        return hei;
    case SheetFont::YaHei:
        return yahei;
    }
    return song;
}

QFont sheetFont(const SheetText &text)
{
    QFont font;
    font.setFamilies(sheetFontFamilies(text.font));
    // Points × 20 = twips; the painter's scale turns them into device pixels.
    font.setPixelSize(qRound(text.points * 20));
    font.setBold(text.bold);
    // The same glyph widths on the window, the printer and the PDF.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void paintSheet(QPainter &p, const Sheet &sheet)
{
    p.save();
    paintEmblem(p, sheet.emblem);
    QPen pen(Qt::black, kPenTwips, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    for (const QRect &r : sheet.rectangles)
        p.drawRect(QRectF(r));
    for (const SheetLine &l : sheet.lines)
        p.drawLine(QLineF(l.x1, l.y1, l.x2, l.y2));
    for (const SheetText &t : sheet.texts) {
        if (t.visible && !t.text.isEmpty())
            paintText(p, t);
    }
    p.restore();
}

bool paintSheetOn(QPaintDevice &device, const Sheet &sheet)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double scale = device.logicalDpiX() / 1440.0;
    painter.scale(scale, device.logicalDpiY() / 1440.0);
    paintSheet(painter, sheet);
    return painter.end();
}

} // namespace portdesk
