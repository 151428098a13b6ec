#include "form/WholeItems.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QProxyStyle>
#include <QStyleOptionComboBox>

namespace portdesk {

namespace {

// A line edit keeps two pixels a side and one for the cursor.
constexpr int kEditMargins = 2 * 2 + 1;
// Narrower than this the arrow is no longer a target for the mouse.
constexpr int kMinArrowWidth = 11;

int longestItem(const QComboBox &combo)
{
    int widest = 0;
    for (int i = 0; i < combo.count(); ++i)
        widest = std::max(widest, combo.fontMetrics().horizontalAdvance(combo.itemText(i)));
    return widest;
}

class SlimArrowStyle final : public QProxyStyle {
public:
    // No base given: the application's style, whichever it is, without
    // owning it.
    SlimArrowStyle() = default;

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl sub,
                         const QWidget *widget) const override
    {
        QRect rect = QProxyStyle::subControlRect(control, option, sub, widget);
        const auto *combo = qobject_cast<const QComboBox *>(widget);
        if (control != CC_ComboBox || !combo ||
            (sub != SC_ComboBoxEditField && sub != SC_ComboBoxArrow))
            return rect;
        const QRect edit =
            QProxyStyle::subControlRect(control, option, SC_ComboBoxEditField, widget);
        const QRect arrow = QProxyStyle::subControlRect(control, option, SC_ComboBoxArrow, widget);
        const int shortfall = longestItem(*combo) + kEditMargins - edit.width();
        const int taken = std::clamp(shortfall, 0, std::max(0, arrow.width() - kMinArrowWidth));
        if (sub == SC_ComboBoxEditField)
            rect.setRight(rect.right() + taken);
        else
            rect.setLeft(rect.left() + taken);
        return rect;
    }
};

QStyle *slimArrowStyle()
{
    static QStyle *style = [] {
        auto *s = new SlimArrowStyle;
        s->setParent(qApp); // lives as long as the widgets that use it
        return s;
    }();
    return style;
}

bool itemsFit(const QComboBox &combo)
{
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = combo.isEditable();
    const QRect edit = combo.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                     QStyle::SC_ComboBoxEditField, &combo);
    return longestItem(combo) + kEditMargins <= edit.width();
}

} // namespace

void showItemsWhole(QComboBox *combo)
{
    if (!combo || itemsFit(*combo))
        return;
    combo->setStyle(slimArrowStyle());
}

} // namespace portdesk
