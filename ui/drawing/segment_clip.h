#pragma once

#include <QLineF>
#include <QRectF>

#include <algorithm>
#include <optional>

namespace ui {

/// The part of the segment (x1, y1)-(x2, y2) that lies inside area, computed
/// in double precision, or nothing when the segment misses the area. Safe for
/// any finite coordinates, however far outside (up to the float range scaled
/// to device pixels), so that the painter only ever sees small numbers. Meant
/// for a segment with an end outside the area; clipSegmentInline makes that
/// test.
std::optional<QLineF> clipSegment(double x1, double y1, double x2, double y2, const QRectF& area);

/// clipSegment, with the common case inline: a plot's segments nearly all lie
/// inside the area, and then nothing is cut.
inline std::optional<QLineF> clipSegmentInline(double x1, double y1, double x2, double y2,
                                               const QRectF& area)
{
    auto inside = [&area](double x, double y) {
        return !(x < area.left() || x > area.right() || y < area.top() || y > area.bottom());
    };
    if (!inside(x1, y1) || !inside(x2, y2))
        return clipSegment(x1, y1, x2, y2, area);
    // The far end as the general case computes it: x1 + 1 * (x2 - x1), kept in the area.
    const double x = std::clamp(x1 + (x2 - x1), area.left(), area.right());
    const double y = std::clamp(y1 + (y2 - y1), area.top(), area.bottom());
    return QLineF(x1, y1, x, y);
}

} // namespace ui
