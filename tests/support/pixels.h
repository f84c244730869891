#pragma once

// Pixels of rendered pictures, in the program's own colours.

#include "colour.h"

#include <QImage>
#include <QRect>

/// The pixel an opaque image holds for the colour.
inline QRgb toQRgb(flow::Colour c)
{
    return qRgb(int(flow::redOf(c)), int(flow::greenOf(c)), int(flow::blueOf(c)));
}

/// How many pixels of the image have the colour.
inline int pixelsOf(const QImage& image, flow::Colour colour)
{
    const QRgb pixel = toQRgb(colour);
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == pixel;
    return n;
}

/// The bounding box of the pixels of one colour.
inline QRect extent(const QImage& image, flow::Colour colour)
{
    const QRgb pixel = toQRgb(colour);
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == pixel)
                box |= QRect(x, y, 1, 1);
    return box;
}

/// Whether every pixel has the colour.
inline bool onlyColour(const QImage& image, flow::Colour colour)
{
    return pixelsOf(image, colour) == image.width() * image.height();
}
