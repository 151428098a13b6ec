#pragma once
// The form's unit: places are given in twips, 15 to a pixel at 96 DPI, so that
// the windows keep the proportions of the paper form they imitate.

namespace portdesk {

inline constexpr int kTwipsPerPixel = 15;

// Rounded to the nearest pixel.
constexpr int twipsToPixels(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

} // namespace portdesk
