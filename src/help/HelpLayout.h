#pragma once
// Geometry of the help window's text field, kept in the form's unit (twips).
#include "form/Twips.h"

#include <QSize>
#include <algorithm>

namespace portdesk {

inline constexpr int kHelpTextWidthMarginTwips = 105;
inline constexpr int kHelpTextHeightMarginTwips = 495;

// The field follows the window: narrower and lower by fixed margins, and
// never negative when the window is dragged smaller than the margins.
inline QSize helpTextSize(const QSize &window)
{
    return {std::max(0, window.width() - twipsToPixels(kHelpTextWidthMarginTwips)),
            std::max(0, window.height() - twipsToPixels(kHelpTextHeightMarginTwips))};
}

// The margins are what the window's border and title bar take, so they are
// measured from the outer window; the field never reaches past the inner area.
inline QSize helpTextSize(const QSize &outer, const QSize &inner)
{
    return helpTextSize(outer).boundedTo(inner);
}

} // namespace portdesk
