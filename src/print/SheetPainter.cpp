#include "print/SheetPainter.h"

#include <QFontMetricsF>
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

// The emblem picture is ours to choose: a round seal with a star.
void paintEmblem(QPainter &p, const QRect &box)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double pen = 2 * kPenTwips;
    p.setPen(QPen(Qt::black, pen));
    p.setBrush(Qt::NoBrush);
    // The pen is centred on the path: drawn a pen's width inside the box,
    // its ink and the smoothing around it stay in the box.
    const QRectF ring = QRectF(box).adjusted(pen, pen, -pen, -pen);
    p.drawEllipse(ring);
    p.drawEllipse(ring.adjusted(90, 80, -90, -80));
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

const QFontMetricsF &FontSheetMetrics::metrics(const SheetText &style, double points) const
{
    const QFont font = sheetFont(style, points);
    const auto key = std::make_tuple(style.font, style.bold, font.pixelSize());
    auto found = cache_.find(key);
    if (found == cache_.end())
        found = cache_.emplace(key, QFontMetricsF(font)).first;
    return found->second;
}

double FontSheetMetrics::width(const SheetText &style, double points, const QString &text) const
{
    return metrics(style, points).horizontalAdvance(text);
}

double FontSheetMetrics::lineHeight(const SheetText &style, double points) const
{
    return metrics(style, points).height();
}

QFont sheetFont(const SheetText &text)
{
    return sheetFont(text, text.points);
}

QFont sheetFont(const SheetText &text, double points)
{
    QFont font;
    font.setFamilies(sheetFontFamilies(text.font));
    // Points × 20 = twips; the painter's scale turns them into device pixels.
    font.setPixelSize(qRound(points * 20));
    font.setBold(text.bold);
    // The same glyph widths on the window, the printer and the PDF.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void paintSheetText(QPainter &p, const SheetText &t, const FittedText &fit)
{
    p.save();
    p.setFont(sheetFont(t, fit.points));
    if (fit.cut)
        p.setClipRect(fit.cell, Qt::IntersectClip);
    if (t.background) {
        const QColor background = colourOf(*t.background);
        // A coloured box is filled whole; a white one only behind its text,
        // so that a grid line along the box's edge stays whole.
        if (t.boxWidth > 0 && background != Qt::white) {
            p.fillRect(fit.cell, background);
        } else {
            for (const QRectF &box : fit.boxes)
                p.fillRect(box, background);
        }
    }
    p.setPen(colourOf(t.colour));
    const double ascent = QFontMetricsF(p.font()).ascent();
    for (std::size_t i = 0; i < fit.boxes.size(); ++i) {
        p.save();
        p.translate(fit.boxes[i].topLeft());
        p.scale(fit.stretch, 1);
        p.drawText(QPointF(0, ascent), fit.lines[qsizetype(i)]);
        p.restore();
    }
    p.restore();
}

void paintSheet(QPainter &p, const Sheet &sheet)
{
    p.save();
    paintEmblem(p, sheet.emblem);
    QPen pen(Qt::black, kPenTwips, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    for (const QRect &r : sheet.rectangles)
        p.drawRect(outlineOf(r));
    for (const SheetLine &l : sheet.lines)
        p.drawLine(QLineF(l.x1, l.y1, l.x2, l.y2));
    const std::vector<FittedText> fits = fitSheet(sheet, FontSheetMetrics());
    for (std::size_t i = 0; i < sheet.texts.size(); ++i) {
        if (!fits[i].boxes.empty())
            paintSheetText(p, sheet.texts[i], fits[i]);
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
