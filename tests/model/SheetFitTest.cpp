// How a text too wide for its cell is fitted: condensed, then wrapped, then cut.
#include "model/SheetFit.h"

#include <gtest/gtest.h>

using namespace portdesk;

namespace {

// Every character one em wide, lines one em high.
class EmMetrics : public SheetMetrics {
public:
    double width(const SheetText &, double points, const QString &text) const override
    {
        return text.size() * points * 20;
    }
    double lineHeight(const SheetText &, double points) const override { return points * 20; }
};

struct Case {
    const char *what;
    int characters, cellWidth, cellHeight;
    double points, stretch;
    int lines;
    bool cut;
};

} // namespace

TEST(SheetFit, CondensesThenWrapsThenCuts)
{
    const Case cases[] = {
        {"fits as it is", 4, 800, 200, 9, 1, 1, false},
        {"stretched narrower", 5, 800, 200, 9, 800.0 / 900, 1, false},
        {"then set smaller", 6, 800, 200, 8.25, 800.0 / 990, 1, false},
        {"then wrapped where the cell is high enough", 10, 800, 300, 7.5, kMinStretch, 2, false},
        {"cut at the smallest size when not", 10, 800, 200, 5.5, kMinStretch, 1, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        SheetText t;
        t.left = 1000;
        t.top = 2000;
        t.text = QString(c.characters, u'国');
        const QRectF cell(1000, 2000, c.cellWidth, c.cellHeight);
        const FittedText fit = fitText(t, cell, EmMetrics());
        EXPECT_DOUBLE_EQ(fit.points, c.points);
        EXPECT_NEAR(fit.stretch, c.stretch, 1e-9);
        EXPECT_EQ(fit.lines.size(), c.lines);
        EXPECT_EQ(fit.lines.join(QString()), t.text);
        EXPECT_EQ(fit.cut, c.cut);
        for (const QRectF &box : fit.boxes)
            EXPECT_TRUE(c.cut || cell.contains(box));
    }
}
