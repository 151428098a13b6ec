// The drawing puts the sheet's lines and boxes at their twips on any device.
#include "print/SheetPainter.h"
#include "model/Sheet.h"

#include <QImage>
#include <QtMath>
#include <gtest/gtest.h>

using namespace portdesk;

namespace {

QImage drawn(const Sheet &sheet, int dpi)
{
    const double k = dpi / 1440.0;
    QImage image(qRound(kSheetWidth * k) + 1, qRound(kSheetHeight * k) + 1, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    EXPECT_TRUE(paintSheetOn(image, sheet));
    return image;
}

TEST(SheetDrawing, LinesAndBoxesLandOnTheirTwipsAtAnyResolution)
{
    SheetSources s;
    s.declaration[DeclField::ShouHuoRen] = QStringLiteral("昆山华安");
    s.declaration.at(DeclField::MingCheng, 0) = QStringLiteral("模具配件");
    s.date = QDate(2026, 12, 7);
    s.certificateNote = true; // a dark box over goods row 1
    const Sheet sheet = sheetFor(s);
    for (const int dpi : {96, 300}) {
        SCOPED_TRACE(dpi);
        const double k = dpi / 1440.0;
        const QImage image = drawn(sheet, dpi);
        const auto dark = [&](double x, double y) {
            return qGray(image.pixel(qRound(x * k), qRound(y * k))) < 100;
        };
        EXPECT_TRUE(dark(1680, 9000));      // the frame's left edge
        EXPECT_TRUE(dark(6000, 2595));      // Line(1)
        EXPECT_TRUE(dark(6030, 6800));      // Line(12)
        EXPECT_FALSE(dark(6000, 2700));     // between the lines
        EXPECT_FALSE(dark(1500, 9000));     // outside the frame
        EXPECT_TRUE(dark(3700, 2955 + 30)); // the note's dark box
        EXPECT_TRUE(dark(7150, 2955 + 360));
        EXPECT_FALSE(dark(7250, 2955 + 200)); // just right of the box
    }
}

} // namespace

TEST(SheetDrawing, OutlinesAndEmblemStayInsideTheirBoxes)
{
    SheetSources s;
    s.date = QDate(2026, 12, 7);
    const Sheet sheet = sheetFor(s);
    for (const int dpi : {96, 300}) {
        SCOPED_TRACE(dpi);
        const double k = dpi / 1440.0;
        const QImage image = drawn(sheet, dpi);
        const auto dark = [&](double x, double y) {
            return qGray(image.pixel(int(x * k), int(y * k))) < 100;
        };
        // The right and bottom edges lie where the lines meeting them end.
        EXPECT_TRUE(dark(9090, 4000));
        EXPECT_FALSE(dark(9105, 4000));
        EXPECT_TRUE(dark(3000, 5400));
        EXPECT_FALSE(dark(3000, 5415));
        EXPECT_TRUE(dark(3000, 9870));
        EXPECT_FALSE(dark(3000, 9885));
        // Not a speck of the emblem outside its box.
        const QRect box(qFloor(1800 * k), qFloor(120 * k), qCeil(1050 * k), qCeil(915 * k));
        for (int y = 0; y < qRound(1400 * k); ++y) {
            for (int x = qRound(1500 * k); x < qRound(3100 * k); ++x) {
                if (!box.contains(x, y)) {
                    ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
                }
            }
        }
    }
}
