// With every field at its longest, what each text puts on the paper stays
// clear of the others, of the lines and of the paper's edge.
#include "model/FormSchema.h"
#include "print/SheetPainter.h"

#include <QImage>
#include <QPainter>
#include <cstring>
#include <gtest/gtest.h>

using namespace portdesk;

namespace {

constexpr double kTwips = 6; // a pixel

SheetSources longestSources()
{
    SheetSources s;
    // As long as the field or the store allows: 143 bytes, 71 Chinese characters.
    for (const FieldSpec &f : formSchema()) {
        const bool digits = f.filter == CharClass::Digit || f.filter == CharClass::Decimal;
        const bool latin = digits || f.noInputMethod == Which::All;
        const QString value(f.maxLength > 0 ? f.maxLength
                            : latin         ? 143
                                            : 71,
                            digits  ? u'8'
                            : latin ? u'W'
                                    : u'国');
        for (int i = 0; i < f.count; ++i)
            s.declaration.at(DeclField(&f - formSchema().data()), i) = value;
    }
    s.consignee.fill(QString(71, u'国'));
    s.office.QY = s.consignee;
    s.office.prefix = QString(143, u'8');
    s.date = QDate(2026, 12, 31);
    s.certificateNote = true;
    s.freeLine = s.consignee[0];
    return s;
}

// The bounds, in twips, of what differs between two drawings.
QRectF changed(const QImage &a, const QImage &b)
{
    QRect bounds;
    for (int y = 0; y < a.height(); ++y) {
        const auto *p = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *q = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        if (std::memcmp(p, q, std::size_t(a.bytesPerLine())) == 0)
            continue;
        for (int x = 0; x < a.width(); ++x) {
            if (p[x] != q[x])
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return QRectF(bounds.topLeft() * kTwips, bounds.size() * kTwips);
}

} // namespace

TEST(SheetFitDrawing, LongestValuesStayClearOfEachOtherTheLinesAndThePaperEdge)
{
    const Sheet sheet = sheetFor(longestSources());
    const std::vector<FittedText> fits = fitSheet(sheet, FontSheetMetrics());
    // As wide as A4, a little higher than the sheet; the lines without texts.
    QImage base(qRound(11906 / kTwips), qRound((kSheetHeight + 500) / kTwips),
                QImage::Format_RGB32);
    base.setDotsPerMeterX(qRound(1440 / kTwips / 0.0254));
    base.setDotsPerMeterY(base.dotsPerMeterX());
    base.fill(Qt::white);
    Sheet bare = sheet;
    bare.texts.clear();
    ASSERT_TRUE(paintSheetOn(base, bare));

    std::vector<QRectF> lines; // one pixel wide
    for (const SheetLine &l : sheet.lines)
        lines.push_back(QRectF(QPointF(l.x1, l.y1), QPointF(l.x2, l.y2)).normalized());
    for (const QRect &r : sheet.rectangles) {
        const QRectF o = outlineOf(r);
        lines.insert(lines.end(),
                     {QRectF(o.topLeft(), o.topRight()), QRectF(o.topLeft(), o.bottomLeft()),
                      QRectF(o.bottomLeft(), o.bottomRight()),
                      QRectF(o.topRight(), o.bottomRight())});
    }
    std::vector<std::pair<QString, QRectF>> inks;
    for (std::size_t i = 0; i < sheet.texts.size(); ++i) {
        if (fits[i].boxes.empty())
            continue;
        // Each text alone: its ink, and any line its white backing hides.
        QImage one = base.copy();
        QPainter painter(&one);
        painter.scale(1 / kTwips, 1 / kTwips);
        paintSheetText(painter, sheet.texts[i], fits[i]);
        painter.end();
        const QRectF ink = changed(base, one);
        SCOPED_TRACE(sheet.texts[i].name.toStdString());
        EXPECT_TRUE(QRectF(0, 0, kSheetWidth, kSheetHeight).contains(ink));
        for (const QRectF &line : lines)
            EXPECT_FALSE(ink.intersects(line.adjusted(-7.5, -7.5, 7.5, 7.5)))
                << "crosses the line at " << line.x() << "," << line.y();
        for (const auto &[other, box] : inks)
            EXPECT_FALSE(ink.intersects(box)) << "overlaps " << other.toStdString();
        inks.emplace_back(sheet.texts[i].name, ink);
    }
}
