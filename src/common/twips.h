#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cmath>

// The layout and the settings file speak twips (1440 to the logical inch); Qt speaks logical pixels (96 to the
// inch), so one pixel is 15 twips.
namespace mx {

inline constexpr int kTwipsPerPixel = 15;

inline int twipsToPixels(double twips)
{
    return int(std::lround(twips / kTwipsPerPixel));
}

inline qint64 pixelsToTwips(int pixels)
{
    return qint64(pixels) * kTwipsPerPixel;
}

inline QRect twipsRect(double left, double top, double width, double height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

inline QSize twipsSize(double width, double height)
{
    return {twipsToPixels(width), twipsToPixels(height)};
}

} // namespace mx
