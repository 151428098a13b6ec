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

// As long as the field or the store allows: 143 bytes, 71 Chinese characters.
QString longest(const FieldSpec &f)
{
    const bool digits = f.filter == CharClass::Digit || f.filter == CharClass::Decimal;
    const bool latin = digits || f.noInputMethod == Which::All;
    const int length = f.maxLength > 0 ? f.maxLength : latin ? 143 : 71;
    return QString(length, digits ? u'8' : latin ? u'W' : u'国');
}

SheetSources longestSources()
{
    SheetSources s;
    for (const FieldSpec &f : formSchema()) {
        const auto field = DeclField(&f - formSchema().data());
        for (int i = 0; i < f.count; ++i)
            s.declaration.at(field, i) = longest(f);
    }
    const QString wide(71, u'国');
    s.consignee.fill(wide);
    s.office.QY.fill(wide);
    s.office.prefix = QString(143, u'8');
    s.date = QDate(2026, 12, 31);
    s.certificateNote = true;
    s.freeLine = wide;
    return s;
}

constexpr double kTwipsPerPixel = 6;

// As wide as A4 and a little higher than the sheet.
QImage render(const Sheet &sheet)
{
    QImage image(qRound(11906 / kTwipsPerPixel), qRound((kSheetHeight + 500) / kTwipsPerPixel),
                 QImage::Format_RGB32);
    const int dotsPerMetre = qRound(1440 / kTwipsPerPixel / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    EXPECT_TRUE(paintSheetOn(image, sheet));
    return image;
}

// The bounds, in twips, of what differs between two drawings.
QRectF changed(const QImage &a, const QImage &b)
{
    int left = a.width(), right = -1, top = a.height(), bottom = -1;
    for (int y = 0; y < a.height(); ++y) {
        const auto *p = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *q = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        if (std::memcmp(p, q, std::size_t(a.bytesPerLine())) == 0)
            continue;
        for (int x = 0; x < a.width(); ++x) {
            if (p[x] != q[x]) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0)
        return {};
    return QRectF(left, top, right - left + 1, bottom - top + 1);
}

} // namespace

TEST(SheetFitDrawing, LongestValuesStayClearOfEachOtherTheLinesAndThePaperEdge)
{
    const Sheet sheet = sheetFor(longestSources());
    const std::vector<FittedText> fits = fitSheet(sheet, FontSheetMetrics());
    Sheet bare = sheet;
    bare.texts.clear();
    const QImage base = render(bare);

    std::vector<QRectF> segments;
    for (const SheetLine &l : sheet.lines)
        segments.push_back(QRectF(QPointF(l.x1, l.y1), QPointF(l.x2, l.y2)).normalized());
    for (const QRect &r : sheet.rectangles) {
        const QRectF o = outlineOf(r);
        for (const QRectF &edge :
             {QRectF(o.topLeft(), o.topRight()), QRectF(o.bottomLeft(), o.bottomRight()),
              QRectF(o.topLeft(), o.bottomLeft()), QRectF(o.topRight(), o.bottomRight())})
            segments.push_back(edge);
    }

    std::vector<std::pair<QString, QRectF>> inks;
    for (std::size_t i = 0; i < sheet.texts.size(); ++i) {
        if (fits[i].boxes.empty())
            continue;
        // Each text alone: its ink, and any line its white backing hides.
        QImage one = base.copy();
        {
            QPainter painter(&one);
            painter.scale(1 / kTwipsPerPixel, 1 / kTwipsPerPixel);
            paintSheetText(painter, sheet.texts[i], fits[i]);
        }
        const QRectF ink = changed(base, one);
        const QRectF twips(ink.topLeft() * kTwipsPerPixel, ink.size() * kTwipsPerPixel);
        const QString &name = sheet.texts[i].name;
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(QRectF(0, 0, kSheetWidth, kSheetHeight).contains(twips));
        for (const QRectF &s : segments) // a line is one pixel wide
            EXPECT_FALSE(twips.intersects(s.adjusted(-7.5, -7.5, 7.5, 7.5)))
                << "crosses the line at " << s.x() << "," << s.y();
        for (const auto &[other, box] : inks)
            EXPECT_FALSE(twips.intersects(box)) << "overlaps " << other.toStdString();
        inks.emplace_back(name, twips);
    }
}
