#pragma once

// How a picture box puts a segment given in user units onto its image: first
// as fractions of the drawing area under the coordinate system of its Scale
// call, kept so that the plot can be drawn again at any size and pixel ratio;
// then onto an image of a given device size, clipped to it.

#include "colour.h"
#include "segment_clip.h"

#include <QLineF>
#include <QRectF>
#include <QSize>

#include <optional>

namespace ui {

/// The user coordinate system of a Scale call: (left, top) is the upper-left
/// corner of the drawing area; width and height may be negative.
struct UserScale {
    double left = 0.0, top = 0.0, width = 0.0, height = 0.0;

    static UserScale fromCorners(float x1, float y1, float x2, float y2)
    {
        return {x1, y1, double(x2) - double(x1), double(y2) - double(y1)};
    }
};

/// A segment as fractions of the drawing area: 0 at the left or top edge, 1
/// at the right or bottom edge, anything beyond outside it.
struct AreaSegment {
    double x1, y1, x2, y2;
    flow::Colour colour;
};

/// The segment under scale, or nothing when the scale has no extent (a
/// degenerate coordinate system shows nothing). Inline: every Line call
/// passes through it.
inline std::optional<AreaSegment> toArea(const UserScale& scale, float x1, float y1, float x2,
                                         float y2, flow::Colour colour)
{
    if (scale.width == 0.0 || scale.height == 0.0)
        return std::nullopt;
    auto across = [&](float x) { return (double(x) - scale.left) / scale.width; };
    auto down = [&](float y) { return (double(y) - scale.top) / scale.height; };
    return AreaSegment{across(x1), down(y1), across(x2), down(y2), colour};
}

/// The part of the segment that lies on an image of the given device size,
/// in device pixels, or nothing when it misses the image.
inline std::optional<QLineF> toDevice(const AreaSegment& segment, QSize device)
{
    const double w = device.width();
    const double h = device.height();
    return clipSegmentInline(segment.x1 * w, segment.y1 * h, segment.x2 * w, segment.y2 * h,
                             QRectF(0, 0, w, h));
}

} // namespace ui
