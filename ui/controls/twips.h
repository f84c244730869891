#pragma once

#include <QRect>

#include <cmath>

namespace ui {

/// Window descriptions give places and sizes in twips, 1/1440 inch: 15 twips
/// to a logical pixel at 96 dots per inch.
constexpr int twipsPerPixel = 15;

inline int pixels(int twips)
{
    return int(std::lround(double(twips) / twipsPerPixel));
}

inline QRect pixelRect(int left, int top, int width, int height)
{
    return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
}

} // namespace ui
